#include "shell/ConfigurationDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/EditorState.h"
#include "game/GameSearch.h"
#include "settings/Settings.h"
#include "widgets/PathText.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {

QString RecognitionText(const ExeIdentity& identity) {
    switch (identity.by) {
    case IdentifiedBy::Text: return T(TextId::ExeIdentifiedByText);
    case IdentifiedBy::Contents: return T(TextId::ExeIdentifiedByContents);
    case IdentifiedBy::None: break;
    }
    return T(TextId::ExeNotIdentified);
}

} // namespace

ConfigurationDialog::ConfigurationDialog(EditorState& state, UiServices& ui, QWidget* parent)
    : QDialog(parent), state_(state), ui_(ui) {
    setWindowTitle(T(TextId::ConfigurationTitle));
    auto* group = new QGroupBox(T(TextId::LocateGameFolder), this);
    folder_ = new QLineEdit(QString::fromStdString(state_.settings().gameFolder), group);
    folder_->setMaxLength(static_cast<int>(kMaxPathLength));
    folder_->setMinimumWidth(360);
    auto* browse = new QPushButton(tr("&Browse"), group);
    browse->setObjectName(u"browse"_s);
    auto* instruction = new QLabel(T(TextId::LocateGameInstruction), group);
    instruction->setWordWrap(true);
    recognition_ = new QLabel(group);
    recognition_->setObjectName(u"recognition"_s);
    recognition_->setWordWrap(true);
    // Room for the longest of its texts, so that the dialog keeps its size.
    recognition_->setMinimumHeight(2 * recognition_->fontMetrics().lineSpacing());
    auto* row = new QHBoxLayout;
    row->addWidget(folder_, 1);
    row->addWidget(browse);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(row);
    groupLayout->addWidget(instruction);
    groupLayout->addWidget(recognition_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    if (state_.settings().gameFolder.empty()) {
        listFoundGames(layout);
    }
    layout->addWidget(buttons);
    connect(browse, &QPushButton::clicked, this, &ConfigurationDialog::browse);
    // Identifying reads all of GP3.EXE: once the typing pauses, not at every key.
    identifyTimer_ = new QTimer(this);
    identifyTimer_->setSingleShot(true);
    identifyTimer_->setInterval(kIdentifyPauseMs);
    connect(identifyTimer_, &QTimer::timeout, this, &ConfigurationDialog::showRecognition);
    connect(folder_, &QLineEdit::textChanged, identifyTimer_, qOverload<>(&QTimer::start));
    showRecognition();
    connect(buttons, &QDialogButtonBox::accepted, this, &ConfigurationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ConfigurationDialog::reject);
    folder_->setFocus();
}

void ConfigurationDialog::browse() {
    const QString title = T(TextId::BrowseForGameTitle);
    const QString typed = folder_->text().trimmed();
    const QString chosen = ui_.chooseFolder(this, title, typed.isEmpty() ? ui_.startFolder(title) : typed);
    if (!chosen.isEmpty()) {
        folder_->setText(chosen);
    }
}

std::string ConfigurationDialog::folder() const {
    return folder_->text().left(static_cast<int>(kMaxPathLength)).toStdString();
}

void ConfigurationDialog::showRecognition() {
    // How the executable in the folder typed is recognised, told as it is typed.
    recognition_->setText(RecognitionText(state_.identifyGame(folder())));
}

void ConfigurationDialog::listFoundGames(QVBoxLayout* layout) {
    const GameSearchResult found = FindGameInstallations(GameSearchRoots(Environment::FromProcess()), {},
                                                         ExeIdentificationFromHex(state_.settings().exeIdentification));
    QString heading = T(found.games.empty() ? TextId::NoGamesFound : TextId::FoundGamesHeading);
    if (!found.complete) {
        heading += u' ' + T(TextId::GameSearchCutShort);
    }
    auto* label = new QLabel(heading, this);
    label->setWordWrap(true);
    layout->addWidget(label);
    if (found.games.empty()) {
        return;
    }
    foundGames_ = new QListWidget(this);
    foundGames_->setObjectName(u"foundGames"_s);
    for (const FoundGame& game : found.games) {
        const QString folder = FromPath(game.folder);
        auto* item = new QListWidgetItem(folder + u'\n' + RecognitionText(game.identity), foundGames_);
        item->setData(Qt::UserRole, folder);
    }
    connect(foundGames_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { folder_->setText(item->data(Qt::UserRole).toString()); });
    layout->addWidget(foundGames_);
}

void ConfigurationDialog::accept() {
    const std::string folder = this->folder();
    const ExeIdentity identity = state_.identifyGame(folder);
    const ExeStatus status = identity.status;
    if (status == ExeStatus::Missing) {
        ui_.error(this, T(TextId::ExeMissingOrCorrupt));
        folder_->selectAll();
        folder_->setFocus();
        return;
    }
    if (status == ExeStatus::Unreadable) {
        ui_.error(this, T(TextId::ExeUnreadableWarning));
    } else if (status == ExeStatus::Unsupported) {
        ui_.error(this, T(TextId::ExeUnsupported));
    }
    state_.setGame(folder, identity);
    // An unwritable settings file is told once, when the run ends (FinishRun).
    (void)WriteGameFolder(state_.paths().settingsFile, folder);
    state_.notifyExeStatusChanged();
    QDialog::accept();
}

} // namespace tavolex::editor
