#pragma once

#include <QDialog>

#include <map>

#include "transfer/SelectionChoice.h"

class QCheckBox;
class QGridLayout;
class QPushButton;

namespace tavolex::editor {

// The choice of what an import takes from the game or an export writes into
// it: one box per team picture, helmets, tyre sets and pit boxes, the team and
// driver data, and eight quick-select boxes over the columns. The rules are
// SelectionChoice's; this shows them and passes clicks on.
class SelectionDialog : public QDialog {
    Q_OBJECT

  public:
    SelectionDialog(SelectionMode mode, const CarSet& carSet, QWidget* parent);

    SelectionRecord selection() const { return choice_.confirmed(); }
    QCheckBox* itemBox(int id) const;
    QCheckBox* quickBox(QuickGroup group) const;
    QPushButton* confirmButton() const { return confirm_; }

  private:
    QWidget* buildTeamGrid(const CarSet& carSet);
    QWidget* buildSharedGrid(const CarSet& carSet);
    QWidget* buildDataColumn();
    QCheckBox* addItem(int id);
    QCheckBox* addQuick(QuickGroup group, const QString& text);
    void refresh();

    SelectionChoice choice_;
    std::map<int, QCheckBox*> items_;
    std::map<QuickGroup, QCheckBox*> quick_;
    QPushButton* confirm_ = nullptr;
};

} // namespace tavolex::editor
