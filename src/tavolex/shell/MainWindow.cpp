#include "shell/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QShortcut>
#include <QStackedLayout>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <memory>

#include "app/EditorState.h"
#include "document/CarSetFile.h"
#include "document/DisplayTexts.h"
#include "editing/CommandReports.h"
#include "game/MenuArtArchive.h"
#include "pages/PageTable.h"
#include "preview/CarSetPreview.h"
#include "settings/AppPaths.h"
#include "settings/Settings.h"
#include "shell/Boxes.h"
#include "shell/ConfigurationDialog.h"
#include "shell/InformationDisplay.h"
#include "shell/InformationEditor.h"
#include "shell/SelectionDialog.h"
#include "shell/TeamList.h"
#include "tools/CarDamageEditor.h"
#include "tools/DriverAidsEditor.h"
#include "tools/OnboardCameraEditor.h"
#include "transfer/ExportWorker.h"
#include "transfer/ImportWorker.h"
#include "transfer/TransferMessages.h"
#include "widgets/GameText.h"
#include "widgets/Icons.h"
#include "widgets/PathText.h"
#include "widgets/ProgressWindow.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {
std::string FileName(const QString& path) { return QFileInfo(path).fileName().toStdString(); }

// Alt+S first: the menu shows the program's own accelerator.
const QList<QKeySequence> kSaveKeys = {QKeySequence(Qt::ALT | Qt::Key_S), QKeySequence(Qt::CTRL | Qt::Key_S)};
} // namespace

MainWindow::MainWindow(EditorState& state, UiServices& ui, QWidget* parent)
    : QMainWindow(parent), state_(state), ui_(ui) {
    buildMenus();
    buildToolbar();

    auto* central = new QWidget(this);
    tabs_ = new QTabBar(central);
    tabs_->setExpanding(false);
    for (const PageEntry& tab : PageTable()) {
        tabs_->addTab(QString::fromUtf8(tab.title));
    }
    teamList_ = new TeamList(state_, central);
    pageHolder_ = new QWidget(central);
    pageHolder_->setMinimumSize(520, 420);
    pageArea_ = new QStackedLayout(pageHolder_);
    auto* body = new QHBoxLayout;
    body->addWidget(teamList_);
    body->addWidget(pageHolder_, 1);
    auto* frame = new QWidget(central);
    frame->setObjectName(u"pageFrame"_s);
    frame->setLayout(body);
    frame->setAutoFillBackground(true);
    // A window made smaller than a page scrolls it rather than squeeze its pictures and buttons.
    scroller_ = new QScrollArea(central);
    scroller_->setObjectName(u"pageScroller"_s);
    scroller_->setFrameShape(QFrame::NoFrame);
    scroller_->setWidgetResizable(true);
    scroller_->setWidget(frame);
    auto* layout = new QVBoxLayout(central);
    layout->setSpacing(0);
    layout->addWidget(tabs_);
    layout->addWidget(scroller_, 1);
    setCentralWidget(central);

    setAcceptDrops(true);
    ui_.setDialogPlaces([this] { return DialogPlaces{state_.carSet().path, state_.game().folder(), {}}; });
    untitledSave_ = new QShortcut(this);
    untitledSave_->setKeys(kSaveKeys);
    connect(untitledSave_, &QShortcut::activated, this, &MainWindow::saveCarSet);
    connect(tabs_, &QTabBar::currentChanged, this, &MainWindow::selectTab);
    connect(&state_, &EditorState::titleChanged, this, &MainWindow::refreshTitle);
    connect(&state_, &EditorState::historyChanged, this, &MainWindow::refreshHistoryActions);
    connect(&state_, &EditorState::dataChanged, this, &MainWindow::refreshTitle);
    // Success is told here, without a box to close.
    statusBar()->setObjectName(u"statusBar"_s);
    connect(&state_, &EditorState::done, statusBar(), [this](const QString& what) { statusBar()->showMessage(what); });
    selectTab(0);
    refreshTitle();
    refreshHistoryActions();
    // Wide enough for all ten tabs side by side.
    tabs_->setUsesScrollButtons(false);
    setMinimumWidth(tabs_->sizeHint().width() + 2 * layout->contentsMargins().left() + 8);
    resize(std::max(minimumWidth(), 980), 640);
    tabs_->setFocus();
    qApp->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // A box would take Undo and Redo for its own text; the car set's history
    // holds what was typed, so one press takes back one named change.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* box = qobject_cast<QLineEdit*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (box != nullptr && box->window() == this &&
            (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
             QKeySequence(key->keyCombination()) == QKeySequence(Qt::CTRL | Qt::Key_Y))) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

MainWindow::~MainWindow() {
    // The page's last signals (a cell losing the focus) must not reach a half-destroyed window.
    disconnect(&state_, nullptr, this, nullptr);
    ui_.setDialogPlaces({});
    if (page_ != nullptr) {
        delete page_;
        page_ = nullptr;
    }
}

QAction* MainWindow::action(const QString& name) const { return findChild<QAction*>(name); }

void MainWindow::buildMenus() {
    auto add = [this](QMenu* menu, const QString& name, const QString& text, auto slot,
                      const QKeySequence& shortcut = {}) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QMenu* file = menuBar()->addMenu(tr("&File"));
    add(file, u"new"_s, tr("&New"), &MainWindow::newCarSet, QKeySequence::New)->setIcon(icons::New());
    add(file, u"open"_s, tr("&Open"), &MainWindow::openCarSet, QKeySequence::Open)->setIcon(icons::Open());
    add(file, u"save"_s, tr("&Save"), &MainWindow::saveCarSet, QKeySequence(Qt::ALT | Qt::Key_S))
        ->setIcon(icons::Save());
    // The desktop's usual keys beside the program's own accelerators; Save As
    // and Quit have no standard key on every platform, so theirs are spelt out.
    action(u"save"_s)->setShortcuts(kSaveKeys);
    add(file, u"saveAs"_s, tr("Save &as..."), &MainWindow::saveCarSetAs,
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    add(file, u"exportPreview"_s, tr("Export &Preview..."), &MainWindow::exportPreview);
    recentMenu_ = file->addMenu(tr("&Recent Car Sets"));
    recentMenu_->setObjectName(u"recent"_s);
    connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    file->addSeparator();
    add(file, u"exit"_s, tr("E&xit"), &MainWindow::close, QKeySequence(Qt::CTRL | Qt::Key_Q))->setIcon(icons::Exit());

    // Alt+E is Export's; the menu takes the next letter.
    QMenu* edit = menuBar()->addMenu(tr("E&dit"));
    add(edit, u"undo"_s, tr("&Undo"), [this] { state_.undo(); })->setIcon(icons::Undo());
    action(u"undo"_s)->setShortcuts({QKeySequence::Undo});
    add(edit, u"redo"_s, tr("&Redo"), [this] { state_.redo(); })->setIcon(icons::Redo());
    action(u"redo"_s)->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

    QMenu* options = menuBar()->addMenu(tr("&Options"));
    add(options, u"import"_s, tr("&Import from game"), &MainWindow::importFromGame, QKeySequence(Qt::ALT | Qt::Key_I))
        ->setIcon(icons::Import());
    add(options, u"export"_s, tr("&Export to game"), &MainWindow::exportToGame, QKeySequence(Qt::ALT | Qt::Key_E))
        ->setIcon(icons::Export());
    add(options, u"launch"_s, tr("Launch Grand Prix &3"), &MainWindow::launchGame)->setIcon(icons::Launch());
    options->addSeparator();
    add(options, u"information"_s, tr("Edit car set &information"), &MainWindow::editInformation);
    add(options, u"configuration"_s, tr("Tavolex &Configuration"), &MainWindow::showConfiguration);

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    add(tools, u"damage"_s, tr("Car &Damage Editor"), &MainWindow::showDamageEditor);
    add(tools, u"aids"_s, tr("Driver &Aids Editor"), &MainWindow::showDriverAidsEditor);
    add(tools, u"cameras"_s, tr("Onboard &Camera Editor"), &MainWindow::showCameraEditor);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    add(help, u"help"_s, tr("&Help topics"), &MainWindow::showHelp, QKeySequence(Qt::CTRL | Qt::Key_F1))
        ->setIcon(icons::Help());
    add(help, u"disclaimer"_s, tr("&Disclaimer"), &MainWindow::showDisclaimer);
    add(help, u"aboutCarSet"_s, tr("About car set..."), [this] { showCarSetInformation(false); });
    add(help, u"about"_s, tr("&About..."), &MainWindow::showAbout);
}

void MainWindow::buildToolbar() {
    QToolBar* toolbar = addToolBar(tr("Toolbar"));
    toolbar->setObjectName(u"toolbar"_s);
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(16, 16));
    const struct {
        const char* action;
        const char* tip;
    } buttons[] = {{"new", "New car set"},
                   {"open", "Open car set"},
                   {"save", "Save car set"},
                   {nullptr, nullptr},
                   {"undo", "Undo"},
                   {"redo", "Redo"},
                   {nullptr, nullptr},
                   {"import", "Import data from game"},
                   {"export", "Export data to game"},
                   {"launch", "Launch Grand Prix 3"},
                   {nullptr, nullptr},
                   {"help", "Help"},
                   {"exit", "Quit"}};
    for (const auto& button : buttons) {
        if (button.action == nullptr) {
            toolbar->addSeparator();
            continue;
        }
        QAction* source = action(QString::fromUtf8(button.action));
        QAction* tool = toolbar->addAction(source->icon(), source->text().remove(u'&'));
        tool->setObjectName(u"tool_"_s + QString::fromUtf8(button.action));
        tool->setToolTip(tr(button.tip));
        if (source == action(u"save"_s)) {
            // Only the menu item greys out for an untitled car set; the button
            // (like Alt+S) then acts as Save As.
            connect(tool, &QAction::triggered, this, &MainWindow::saveCarSet);
            continue;
        }
        connect(tool, &QAction::triggered, source, &QAction::trigger);
        connect(source, &QAction::enabledChanged, tool, &QAction::setEnabled);
    }
}

QSize MainWindow::defaultSize() {
    // The largest page, with the team list beside it when it has one, each
    // built once for its size: the window opens with every picture at 1:1.
    // They are built on an empty car set: their sizes never depend on the
    // names and pictures, and nothing is read or told while measuring.
    EditorState empty(state_.paths(), state_.temporaryFolder());
    QWidget* frame = pageHolder_->parentWidget();
    QHBoxLayout* body = static_cast<QHBoxLayout*>(frame->layout());
    QSize pages = pageHolder_->minimumSize();
    for (const PageEntry& entry : PageTable()) {
        const std::unique_ptr<QWidget> page(entry.make(empty, ui_, pageHolder_));
        QSize needed = page->sizeHint().expandedTo(page->minimumSizeHint());
        if (entry.showsTeamList) {
            const QSize list = teamList_->sizeHint();
            needed = QSize(needed.width() + list.width() + body->spacing(), std::max(needed.height(), list.height()));
        }
        pages = pages.expandedTo(needed);
    }
    layout()->activate();
    centralWidget()->layout()->activate();
    const QMargins margins = body->contentsMargins();
    // Everything around the scrolled page area, which holds the body's margins around the pages.
    const QSize chrome =
        size() - scroller_->size() + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
    return (chrome + pages).expandedTo(minimumSize());
}

void MainWindow::selectTab(int index) {
    if (index < 0 || index >= static_cast<int>(PageTable().size())) {
        return;
    }
    const PageEntry& entry = PageTable()[static_cast<std::size_t>(index)];
    if (banner_ != nullptr) {
        banner_->close();
    }
    if (page_ != nullptr) {
        pageArea_->removeWidget(page_);
        page_->deleteLater();
    }
    page_ = entry.make(state_, ui_, pageHolder_);
    page_->setObjectName(u"page"_s);
    pageArea_->addWidget(page_);
    pageArea_->setCurrentWidget(page_);
    // Wide pages take the team list's place too.
    teamList_->setVisible(entry.showsTeamList);
}

void MainWindow::showBanner() {
    banner_ = new StartBanner(centralWidget()->findChild<QWidget*>(u"pageFrame"_s));
    connect(banner_, &StartBanner::closed, this, [this] { banner_ = nullptr; });
    banner_->show();
    banner_->raise();
}

void MainWindow::refreshTitle() {
    const CarSet& carSet = state_.carSet();
    const QString title = QString::fromStdString(WindowTitle(carSet));
    if (windowTitle() != title) {
        setWindowTitle(title);
    }
    setWindowIcon(icons::Program(!carSet.untitled()));
    action(u"save"_s)->setEnabled(!carSet.untitled());
    untitledSave_->setEnabled(carSet.untitled());
    action(u"aboutCarSet"_s)->setEnabled(carSet.hasInformation != 0);
}

void MainWindow::refreshHistoryActions() {
    const UndoHistory& history = state_.history();
    QAction* undo = action(u"undo"_s);
    QAction* redo = action(u"redo"_s);
    undo->setEnabled(history.canUndo());
    redo->setEnabled(history.canRedo());
    // The items name the change: "Undo Load livery".
    undo->setText(history.canUndo() ? tr("&Undo %1").arg(QString::fromStdString(history.undoChange())) : tr("&Undo"));
    redo->setText(history.canRedo() ? tr("&Redo %1").arg(QString::fromStdString(history.redoChange())) : tr("&Redo"));
}

bool MainWindow::maybeSave() {
    if (!state_.carSet().modified) {
        return true;
    }
    const auto answer = ui_.unsavedChanges(this, QString::fromStdString(UnsavedChangesQuestion(state_.carSet())));
    if (answer == UiServices::Answer::Cancel) {
        return false;
    }
    if (answer == UiServices::Answer::Yes) {
        saveCarSet(); // the command goes on whether or not the save happened
    }
    return true;
}

bool MainWindow::newCarSet() {
    if (!maybeSave()) {
        return false;
    }
    NewCarSet(state_.carSet());
    state_.startHistory();
    state_.notifyDataChanged();
    refreshTitle();
    state_.tellDone(std::string(Text(TextId::ReportNewCarSet)));
    return true;
}

bool MainWindow::openCarSet() {
    if (!maybeSave()) {
        return false;
    }
    const QString path = ui_.openFile(this, T(TextId::OpenCarSetTitle), T(TextId::CarSetFilter));
    return !path.isEmpty() && openCarSetFile(path);
}

bool MainWindow::openCarSetFile(const QString& path) {
    const Error error = LoadCarSet(state_.carSet(), ToPath(path));
    if (!Ok(error)) {
        ui_.error(this, T(LoadErrorText(error)));
        return false;
    }
    // An unwritable settings file is told once, when the run ends (FinishRun).
    (void)RememberRecentCarSet(state_.paths().settingsFile, path.toStdString());
    state_.startHistory();
    state_.notifyDataChanged();
    refreshTitle();
    state_.tellDone(FormatText(TextId::ReportOpened, FileName(path)));
    if (state_.carSet().hasInformation != 0 && state_.settings().carSetInfo != 0) {
        showCarSetInformation(true);
    }
    return true;
}

void MainWindow::fillRecentMenu() {
    recentMenu_->clear();
    const auto recent = RecentCarSets(state_.paths().settingsFile);
    for (const std::string& file : recent) {
        const QString path = QString::fromStdString(file);
        QAction* entry = recentMenu_->addAction(path);
        // A file that is gone stays listed, greyed, so the list does not jump about.
        entry->setEnabled(QFileInfo::exists(path));
        connect(entry, &QAction::triggered, this, [this, path] {
            if (maybeSave()) {
                openCarSetFile(path);
            }
        });
    }
    recentMenu_->setEnabled(!recent.empty());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    // A car set opens; anything else is refused (pictures go onto a page's picture).
    if (urls.size() == 1 && urls[0].isLocalFile() && urls[0].toLocalFile().endsWith(u".GP3"_s, Qt::CaseInsensitive)) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls[0].toLocalFile().endsWith(u".GP3"_s, Qt::CaseInsensitive)) {
        return;
    }
    event->acceptProposedAction();
    if (maybeSave()) {
        openCarSetFile(urls[0].toLocalFile());
    }
}

bool MainWindow::saveCarSet() {
    CarSet& carSet = state_.carSet();
    if (carSet.untitled()) {
        return saveCarSetAs();
    }
    return writeCarSet(carSet.path);
}

bool MainWindow::saveCarSetAs() {
    const QString path = ui_.saveFile(this, T(TextId::SaveCarSetTitle), T(TextId::CarSetFilter), u"GP3"_s);
    if (path.isEmpty() || !ui_.replace(this, path)) {
        return false;
    }
    return writeCarSet(path.toStdString());
}

void MainWindow::exportPreview() {
    const QString path = ui_.saveFile(this, T(TextId::ExportPreviewTitle), T(TextId::PreviewFilter), u"png"_s);
    if (path.isEmpty() || !ui_.replace(this, path)) {
        return;
    }
    const Error error = SaveCarSetPreview(state_.carSet(), state_.graphicEnvironment(), {}, ToPath(path));
    if (!Ok(error)) {
        ui_.error(this, T(TextId::CouldntSavePreview));
        return;
    }
    state_.tellDone(FormatText(TextId::ReportSaved, FileName(path)));
}

bool MainWindow::writeCarSet(const std::string& path) {
    CarSet& carSet = state_.carSet();
    ProgressWindow progress(this);
    setEnabled(false);
    const Error error = SaveCarSet(carSet, path, state_.graphicEnvironment(), &progress);
    setEnabled(true);
    if (!Ok(error)) {
        ui_.error(this, T(TextId::CouldntSaveCarSet));
        return false;
    }
    carSet.path = path; // Save As makes the chosen file the car set's own
    carSet.recovered = false;
    // An unwritable settings file is told once, when the run ends (FinishRun).
    (void)RememberRecentCarSet(state_.paths().settingsFile, path);
    state_.markSaved();
    state_.notifySaved();
    refreshTitle();
    state_.tellDone(FormatText(TextId::ReportSaved, FileName(QString::fromStdString(path))));
    return true;
}

void MainWindow::importFromGame() {
    if (!AllowsGameFiles(state_.exeStatus())) {
        showConfiguration();
        return;
    }
    SelectionDialog dialog(SelectionMode::Import, state_.carSet(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    TransferSummary summary;
    const Error error =
        ImportFromGame(state_.carSet(), state_.graphicEnvironment(), state_.exeStatus(), dialog.selection(), &summary);
    // What the steps before a failure imported stays in the car set: the team
    // list and the pages show it, or editing a stale box would undo part of it.
    state_.notifyDataChanged();
    if (!Ok(error)) {
        ui_.error(this, T(ImportFromGameMessage(error)));
        return;
    }
    state_.tellDone(TransferReport(TextId::ReportImported, summary));
}

void MainWindow::exportToGame() {
    if (!AllowsGameFiles(state_.exeStatus())) {
        showConfiguration();
        return;
    }
    SelectionDialog dialog(SelectionMode::Export, state_.carSet(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    Error error = Error::None;
    TransferSummary summary;
    {
        ProgressWindow progress(this);
        setEnabled(false);
        error = ExportToGame(state_.carSet(), state_.graphicEnvironment(), state_.exeStatus(), dialog.selection(),
                             &progress, &summary);
        setEnabled(true);
        activateWindow();
    }
    if (!Ok(error)) {
        ui_.error(this, T(ExportToGameMessage(error)));
        return;
    }
    state_.tellDone(TransferReport(TextId::ReportExported, summary));
}

void MainWindow::launchGame() {
    if (!AllowsGameFiles(state_.exeStatus())) {
        return;
    }
    std::string command;
    if (!Ok(LaunchGame(state_.game(), &command))) {
        ui_.error(this, T(TextId::FailedToLaunchGame) + QStringLiteral("\n\n") +
                            QString::fromStdString(FormatText(TextId::LaunchCommandFailed, command)));
    }
}

void MainWindow::editInformation() {
    InformationEditor editor(state_, ui_, this);
    if (editor.exec() == QDialog::Accepted) {
        refreshTitle();
    }
}

void MainWindow::showConfiguration() {
    ConfigurationDialog dialog(state_, ui_, this);
    dialog.exec();
}

void MainWindow::showHelp() {
    // Without a manual or a way to open it the user is told where it is, or belongs.
    const auto& programFolder = state_.paths().programFolder;
    const auto manual = FindManual(programFolder, TAVOLEX_SOURCE_MANUAL);
    if (!manual) {
        ui_.error(this, T(TextId::CouldntOpenHelp) + u"\n\n"_s +
                            QString::fromStdString(
                                FormatText(TextId::ManualBelongsAt, InstalledManualPath(programFolder).string())));
        return;
    }
    if (!ui_.openDocument(FromPath(*manual))) {
        ui_.error(this, T(TextId::CouldntOpenHelp) + u"\n\n"_s +
                            QString::fromStdString(FormatText(TextId::ManualIsAt, manual->string())));
    }
}

void MainWindow::showDisclaimer() {
    DisclaimerBox box(this);
    box.exec();
}

void MainWindow::showCarSetInformation(bool automatic) {
    InformationDisplay display(FromGameText(state_.carSet().information), automatic, this);
    display.exec();
}

void MainWindow::showAbout() {
    AboutBox box(this);
    box.exec();
}

void MainWindow::showDamageEditor() {
    CarDamageEditor editor(state_, ui_, this);
    editor.exec();
}

void MainWindow::showDriverAidsEditor() {
    DriverAidsEditor editor(state_, ui_, this);
    editor.exec();
}

void MainWindow::showCameraEditor() {
    OnboardCameraEditor editor(state_, ui_, this);
    editor.exec();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace tavolex::editor
