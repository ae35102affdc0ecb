#pragma once

#include "document/LazyGraphics.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"

namespace tavolex::editor {

// Fetch failures appear as the editor's message boxes.
class BoxMessages final : public MessageSink {
  public:
    BoxMessages(UiServices& ui, QWidget* parent) : ui_(ui), parent_(parent) {}
    void showError(TextId text) override { ui_.error(parent_, T(text)); }

  private:
    UiServices& ui_;
    QWidget* parent_;
};

} // namespace tavolex::editor
