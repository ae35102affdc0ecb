// Every control says what it is for: by its own label, by a label that names
// it (its buddy), or by a tooltip.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabBar>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "tools/CarDamageEditor.h"
#include "tools/DriverAidsEditor.h"
#include "tools/OnboardCameraEditor.h"

namespace {

// A label explains itself when it holds a word of three letters or more:
// "S", "(S)", "1" or "<<<" do not.
bool SaysWhatItIs(const QString& text) {
    static const QRegularExpression word("[A-Za-z]{3,}");
    return word.match(QString(text).remove('&')).hasMatch();
}

// Part of another control (a spin box's edit, a combo box's list, a table's
// cell editor): the outer control speaks for it.
bool InsideAnotherControl(const QWidget* widget, const QWidget* top) {
    for (const QWidget* parent = widget->parentWidget(); parent != nullptr && parent != top;
         parent = parent->parentWidget()) {
        if (qobject_cast<const QAbstractSpinBox*>(parent) || qobject_cast<const QComboBox*>(parent) ||
            qobject_cast<const QAbstractItemView*>(parent) || qobject_cast<const QTabBar*>(parent)) {
            return true;
        }
    }
    return false;
}

bool IsBox(const QWidget* widget) {
    return qobject_cast<const QComboBox*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QAbstractItemView*>(widget);
}

// A box is named by a label whose buddy it is, or by the titled group it is
// the only box of.
bool IsNamed(const QWidget* box, const QWidget* top) {
    for (const QLabel* label : top->findChildren<QLabel*>()) {
        if (label->buddy() == box && SaysWhatItIs(label->text()))
            return true;
    }
    for (const QWidget* parent = box->parentWidget(); parent != nullptr && parent != top;
         parent = parent->parentWidget()) {
        if (const auto* group = qobject_cast<const QGroupBox*>(parent)) {
            int boxes = 0;
            for (const QWidget* child : group->findChildren<QWidget*>()) {
                boxes += IsBox(child) && !InsideAnotherControl(child, top) ? 1 : 0;
            }
            return boxes == 1 && SaysWhatItIs(group->title());
        }
    }
    return false;
}

// The controls of `top` that say nothing of what they are for.
QStringList Unexplained(QWidget* top) {
    QStringList gaps;
    for (QWidget* widget : top->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(top) || InsideAnotherControl(widget, top) || !widget->toolTip().isEmpty()) {
            continue;
        }
        if (const auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (!SaysWhatItIs(button->text())) {
                gaps << QString("%1 \"%2\"").arg(widget->objectName(), button->text());
            }
        } else if (IsBox(widget) && !IsNamed(widget, top)) {
            gaps << QString("%1 (%2)").arg(widget->objectName(), widget->metaObject()->className());
        }
    }
    return gaps;
}

TEST(Tooltips, EveryControlOfEveryPageSaysWhatItIsFor) {
    GraphicsShell shell(0);
    shell.window->resize(1400, 1000);
    for (int tab = 0; tab < shell.window->tabs()->count(); ++tab) {
        shell.window->tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
        const QStringList gaps = Unexplained(shell.window->page());
        EXPECT_TRUE(gaps.isEmpty()) << shell.window->tabs()->tabText(tab).toStdString() << ": "
                                    << gaps.join(", ").toStdString();
    }
}

TEST(Tooltips, EveryControlOfTheToolWindowsSaysWhatItIsFor) {
    GraphicsShell shell(0);
    CarDamageEditor damage(*shell.state, *shell.ui, shell.window.get());
    DriverAidsEditor aids(*shell.state, *shell.ui, shell.window.get());
    OnboardCameraEditor cameras(*shell.state, *shell.ui, shell.window.get());
    for (QWidget* tool : std::initializer_list<QWidget*>{&damage, &aids, &cameras}) {
        tool->show();
        QApplication::processEvents();
        const QStringList gaps = Unexplained(tool);
        EXPECT_TRUE(gaps.isEmpty()) << tool->windowTitle().toStdString() << ": " << gaps.join(", ").toStdString();
        tool->hide();
    }
}

// Controls whose labels are words but not their whole meaning.
TEST(Tooltips, ControlsWhoseLabelsSayTooLittleExplainThemselves) {
    const struct {
        int tab;
        const char* text;
    } controls[] = {{6, "<<< Copy"}, {7, "Sort"}, {2, "<<<< Generate Software"}, {2, "Generate Hardware >>>>"}};
    GraphicsShell shell(0);
    for (const auto& control : controls) {
        shell.window->tabs()->setCurrentIndex(control.tab);
        QApplication::processEvents();
        bool found = false;
        for (const QAbstractButton* button : shell.window->page()->findChildren<QAbstractButton*>()) {
            if (button->text().remove('&') == control.text) {
                found = true;
                EXPECT_FALSE(button->toolTip().isEmpty()) << control.text;
            }
        }
        EXPECT_TRUE(found) << control.text;
    }
}

} // namespace
