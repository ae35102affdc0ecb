#pragma once

#include "TexelorUi.h"

namespace texelor {

// The real dialogs and message boxes.
class QtTexelorUi final : public TexelorUi {
  public:
    QString openFile(QWidget* parent, const QString& folder, const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& folder, const QString& defaultName,
                     const QString& filter) override;
    bool confirmReplace(QWidget* parent, const QString& path) override;
    void warn(QWidget* parent, const QString& text) override;
};

} // namespace texelor
