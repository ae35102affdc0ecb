#pragma once

#include <QMainWindow>

class QAction;
class QMenu;
class QScrollArea;
class QShortcut;
class QStackedLayout;
class QTabBar;
class QWidget;

namespace tavolex::editor {

class EditorState;
class StartBanner;
class TeamList;
class UiServices;

// The editor's window: menu, toolbar, the ten tabs, the team list and the
// page of the selected tab; and the File commands.
class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    struct TabInfo {
        const char* label;
        bool showsTeamList;
    };
    static const TabInfo kTabs[10];

    MainWindow(EditorState& state, UiServices& ui, QWidget* parent = nullptr);
    ~MainWindow() override;

    QAction* action(const QString& name) const;
    QTabBar* tabs() const { return tabs_; }
    TeamList* teamList() const { return teamList_; }
    QWidget* page() const { return page_; }
    // The size at which every page shows whole: its pictures at 1:1, its texts unclipped.
    QSize defaultSize();
    void showBanner();
    StartBanner* banner() const { return banner_; }

  public slots:
    bool newCarSet();
    bool openCarSet();
    // Opens the car set at `path` (the unsaved question is the caller's).
    bool openCarSetFile(const QString& path);
    bool saveCarSet();
    bool saveCarSetAs();
    // File, Export Preview...: the car set as one PNG picture.
    void exportPreview();
    void importFromGame();
    void exportToGame();
    void launchGame();
    void editInformation();
    void showConfiguration();
    void showHelp();
    void showDisclaimer();
    void showCarSetInformation(bool automatic = false);
    void showAbout();
    void showDamageEditor();
    void showDriverAidsEditor();
    void showCameraEditor();
    void refreshTitle();
    void refreshHistoryActions();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildMenus();
    void buildToolbar();
    void selectTab(int index);
    // Saves to `path` with the progress window; the path becomes the car set's.
    bool writeCarSet(const std::string& path);
    // Asks about unsaved changes; false when the user cancels.
    bool maybeSave();
    void fillRecentMenu();

    EditorState& state_;
    UiServices& ui_;
    QTabBar* tabs_;
    TeamList* teamList_;
    QStackedLayout* pageArea_;
    QWidget* makePage(int index, EditorState& state);
    QScrollArea* scroller_;
    QWidget* pageHolder_;
    QWidget* page_ = nullptr;
    StartBanner* banner_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    // Alt+S and Ctrl+S while the Save item is disabled (untitled): they still save, as Save As.
    QShortcut* untitledSave_ = nullptr;
};

} // namespace tavolex::editor
