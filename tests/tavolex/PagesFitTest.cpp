// Every page and tool window at the window's default size: no label or
// button text wider than its widget, no picture drawn smaller than its
// texture or at a size that is not a whole multiple of it, no child outside
// its parent. The same test runs a second time with QT_SCALE_FACTOR=2, where
// a texture pixel must cover whole device pixels.

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "Screenshot.h"
#include "pages/PictureView.h"
#include "shell/MainWindow.h"
#include "shell/TeamList.h"
#include "tools/CarDamageEditor.h"
#include "tools/DriverAidsEditor.h"
#include "tools/OnboardCameraEditor.h"
#include "transfer/ImportWorker.h"
#include "transfer/SelectionChoice.h"

namespace {

QString Describe(const QWidget* widget) {
    QStringList path;
    for (const QWidget* w = widget; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
        path.prepend(QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(':') + w->objectName());
    }
    return path.join(QLatin1Char('/'));
}

// The text as drawn: without the mnemonic marks.
QString Shown(QString text) { return text.remove(QRegularExpression(QStringLiteral("&(?!&)"))); }

// A widget shown through a scroll area whose content is larger than it: it may lie outside what shows it.
bool InsideScrolledContent(const QWidget* widget) {
    for (const QWidget* w = widget->parentWidget(); w != nullptr; w = w->parentWidget()) {
        const auto* area = qobject_cast<const QScrollArea*>(w);
        if (area != nullptr && area->widget() != nullptr &&
            !area->viewport()->rect().contains(QRect(QPoint(0, 0), area->widget()->size()))) {
            return true;
        }
    }
    return false;
}

QString WidgetText(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return {};
}

// Every fault of `window`'s layout, one line each.
QStringList LayoutFaults(QWidget& window) {
    QApplication::processEvents();
    QStringList faults;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window) || widget->isWindow())
            continue;
        if (qobject_cast<QTabBar*>(widget->parentWidget()) != nullptr ||
            qobject_cast<QComboBox*>(widget->parentWidget()) != nullptr) {
            continue; // the platform's own parts of a tab bar or box
        }
        const QRect inParent = widget->geometry();
        const bool scrolled = InsideScrolledContent(widget);
        for (QWidget* sibling : widget->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            // Each pair once; a stack shows one of its widgets at a time.
            if (sibling <= widget || !sibling->isVisibleTo(&window) || sibling->isWindow() ||
                !sibling->geometry().intersects(inParent)) {
                continue;
            }
            faults << QStringLiteral("%1 overlaps %2").arg(Describe(widget), Describe(sibling));
        }
        if (!scrolled && !widget->parentWidget()->rect().contains(inParent)) {
            faults << QStringLiteral("%1 at (%2,%3 %4x%5) lies outside its parent (%6x%7)")
                          .arg(Describe(widget))
                          .arg(inParent.x())
                          .arg(inParent.y())
                          .arg(inParent.width())
                          .arg(inParent.height())
                          .arg(widget->parentWidget()->width())
                          .arg(widget->parentWidget()->height());
        }
        if (const QString text = WidgetText(widget); text.contains(QChar(0x2026))) {
            faults << QStringLiteral("%1 elides \"%2\"").arg(Describe(widget), text);
        }
        if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && !label->text().isEmpty()) {
            const int wanted = label->wordWrap() ? label->heightForWidth(label->contentsRect().width())
                                                 : label->minimumSizeHint().height();
            const int needed = label->wordWrap() || label->textFormat() == Qt::RichText
                                   ? label->sizeHint().width()
                                   : label->fontMetrics().horizontalAdvance(Shown(label->text()));
            if ((!label->wordWrap() && needed > label->contentsRect().width()) ||
                (label->wordWrap() && wanted > label->contentsRect().height())) {
                faults << QStringLiteral("label %1 \"%2\" needs %3 pixels, has %4x%5")
                              .arg(Describe(label), label->text())
                              .arg(label->wordWrap() ? wanted : needed)
                              .arg(label->contentsRect().width())
                              .arg(label->contentsRect().height());
            }
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button != nullptr && !button->text().isEmpty()) {
            if (button->minimumSizeHint().width() > button->width() &&
                button->fontMetrics().horizontalAdvance(Shown(button->text())) + 8 > button->width()) {
                faults << QStringLiteral("button %1 \"%2\" needs %3 pixels, has %4")
                              .arg(Describe(button), button->text())
                              .arg(button->minimumSizeHint().width())
                              .arg(button->width());
            }
        }
        if (auto* group = qobject_cast<QGroupBox*>(widget); group != nullptr && !group->title().isEmpty()) {
            const int needed = group->fontMetrics().horizontalAdvance(Shown(group->title())) + 8;
            if (needed > group->width()) {
                faults << QStringLiteral("group %1 \"%2\" needs %3 pixels, has %4")
                              .arg(Describe(group), group->title())
                              .arg(needed)
                              .arg(group->width());
            }
        }
        if (auto* view = qobject_cast<PictureView*>(widget); view != nullptr && view->hasImage()) {
            // Device pixels per texture pixel: a whole number, the same both ways, at least one.
            const double ratio = view->devicePixelRatioF();
            const QRect drawn = view->imageRect();
            const double across = drawn.width() * ratio / view->image().width();
            const double down = drawn.height() * ratio / view->image().height();
            if (across != down || across < 1 || across != std::floor(across) || !view->area().contains(drawn)) {
                faults << QStringLiteral("picture %1 of %2x%3 drawn as %4x%5 in %6x%7 at scale %8")
                              .arg(Describe(view))
                              .arg(view->image().width())
                              .arg(view->image().height())
                              .arg(drawn.width())
                              .arg(drawn.height())
                              .arg(view->area().width())
                              .arg(view->area().height())
                              .arg(ratio);
            }
        }
    }
    return faults;
}

QString ScaleSuffix() { return QStringLiteral("-x%1").arg(qRound(QApplication::primaryScreen()->devicePixelRatio())); }

// The demo's car set, imported whole from the sample game, at the window's default size.
struct FittedShell : GraphicsShell {
    FittedShell() : GraphicsShell(0) {
        tavolex::CarSet& carSet = state->carSet();
        if (!tavolex::Ok(tavolex::ImportFromGame(carSet, state->graphicEnvironment(), tavolex::ExeStatus::Supported,
                                                 tavolex::DefaultSelection(tavolex::SelectionMode::Import, carSet)))) {
            ADD_FAILURE() << "the sample game's import failed";
        }
        // The longest names the game keeps, of ordinary letters, in every team.
        for (tavolex::TeamRecord& team : carSet.teams) {
            team.teamName = "Scuderia Ita";
            team.engineName = "Mugen-Hondas";
            team.drivers[0].name = "Heinz-Harald Frentzen J";
            team.drivers[1].name = "Giancarlo Fisichella Jr";
        }
        for (tavolex::TyreRecord& tyre : carSet.tyres) tyre.name = "Bridgestone Potenza Wet Weather";
        state->selectTeam(1);
        state->notifyDataChanged();
        window->resize(window->defaultSize());
    }
};

TEST(PagesFit, EveryPageShowsItsPicturesWholeAndItsTextsUnclipped) {
    FittedShell shell;
    QTabBar* tabs = shell.window->tabs();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        EXPECT_EQ(LayoutFaults(*shell.window), QStringList()) << tabs->tabText(tab).toStdString();
        SaveScreenshot(*shell.window, QStringLiteral("fit-page-") + QString::number(tab) + ScaleSuffix());
    }
}

TEST(PagesFit, EveryToolWindowShowsItsPicturesWholeAndItsTextsUnclipped) {
    FittedShell shell;
    CarDamageEditor damage(*shell.state, *shell.ui, shell.window.get());
    DriverAidsEditor aids(*shell.state, *shell.ui, shell.window.get());
    OnboardCameraEditor cameras(*shell.state, *shell.ui, shell.window.get());
    for (auto [tool, name] : {std::pair<QWidget*, QString>{&damage, QStringLiteral("car-damage")},
                              {&aids, QStringLiteral("driver-aids")},
                              {&cameras, QStringLiteral("onboard-cameras")}}) {
        tool->show();
        EXPECT_EQ(LayoutFaults(*tool), QStringList()) << name.toStdString();
        SaveScreenshot(*tool, QStringLiteral("fit-tool-") + name + ScaleSuffix());
        tool->hide();
    }
}

TEST(PagesFit, NamesElideOnlyPastTheirRoomWithTheWholeNameAsTooltip) {
    FittedShell shell;
    TeamList* teams = shell.window->teamList();
    const int listWidth = teams->width();
    // A name of the widest letters takes no more room: it elides.
    tavolex::TeamRecord& team = shell.state->carSet().teams[0];
    team.teamName = "WWWWWWWWWWWW";
    team.engineName = "WWWWWWWWWWWW";
    shell.state->notifyDataChanged();
    QApplication::processEvents();
    EXPECT_EQ(teams->width(), listWidth);
    EXPECT_TRUE(teams->button(0)->text().endsWith(QChar(0x2026))) << teams->button(0)->text().toStdString();
    EXPECT_EQ(teams->button(0)->toolTip(), QStringLiteral(" WWWWWWWWWWWW - WWWWWWWWWWWW"));
    EXPECT_TRUE(teams->button(1)->toolTip().isEmpty()) << "a name shown whole needs no tooltip";
    // Nor do short names take less, which a style's smallest button would otherwise widen.
    for (tavolex::TeamRecord& each : shell.state->carSet().teams) {
        each.teamName = "Jo";
        each.engineName = "";
    }
    shell.state->notifyDataChanged();
    QApplication::processEvents();
    EXPECT_EQ(teams->width(), listWidth);

    // The smallest window the user can make elides the drivers' names on the Performance page.
    shell.window->tabs()->setCurrentIndex(1);
    shell.window->resize(shell.window->minimumSizeHint());
    QApplication::processEvents();
    int elided = 0;
    for (QLabel* label : shell.window->page()->findChildren<QLabel*>()) {
        if (!label->text().endsWith(QChar(0x2026)))
            continue;
        ++elided;
        EXPECT_TRUE(label->toolTip().startsWith(label->text().chopped(1))) << label->toolTip().toStdString();
    }
    EXPECT_GT(elided, 0);
    shell.window->resize(shell.window->defaultSize());
    EXPECT_EQ(LayoutFaults(*shell.window), QStringList()) << "whole again at the default size";
}

} // namespace
