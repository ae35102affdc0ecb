#include "shell/ConfigurationDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/EditorState.h"
#include "settings/Settings.h"
#include "shell/Texts.h"
#include "shell/UiServices.h"

using tavolex::TextId;

ConfigurationDialog::ConfigurationDialog(EditorState& state, UiServices& ui, QWidget* parent)
    : QDialog(parent), state_(state), ui_(ui) {
    setWindowTitle(T(TextId::ConfigurationTitle));
    auto* group = new QGroupBox(T(TextId::LocateGameFolder), this);
    folder_ = new QLineEdit(QString::fromStdString(state_.settings().gameFolder), group);
    folder_->setMaxLength(static_cast<int>(tavolex::kMaxPathLength));
    folder_->setMinimumWidth(360);
    auto* browse = new QPushButton(tr("&Browse"), group);
    browse->setObjectName("browse");
    auto* instruction = new QLabel(T(TextId::LocateGameInstruction), group);
    instruction->setWordWrap(true);
    recognition_ = new QLabel(group);
    recognition_->setObjectName("recognition");
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
    layout->addWidget(buttons);
    connect(browse, &QPushButton::clicked, this, &ConfigurationDialog::browse);
    connect(folder_, &QLineEdit::textChanged, this, &ConfigurationDialog::showRecognition);
    showRecognition();
    connect(buttons, &QDialogButtonBox::accepted, this, &ConfigurationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ConfigurationDialog::reject);
    folder_->setFocus();
}

void ConfigurationDialog::browse() {
    const QString chosen = ui_.chooseFolder(this, T(TextId::BrowseForGameTitle), folder_->text());
    if (!chosen.isEmpty()) {
        folder_->setText(chosen);
    }
}

std::string ConfigurationDialog::folder() const {
    return folder_->text().left(static_cast<int>(tavolex::kMaxPathLength)).toStdString();
}

void ConfigurationDialog::showRecognition() {
    // How the executable in the folder typed is recognised, told as it is typed.
    const tavolex::ExeIdentity identity = state_.identifyGame(folder());
    switch (identity.by) {
    case tavolex::IdentifiedBy::Text: recognition_->setText(T(TextId::ExeIdentifiedByText)); break;
    case tavolex::IdentifiedBy::Contents: recognition_->setText(T(TextId::ExeIdentifiedByContents)); break;
    case tavolex::IdentifiedBy::None: recognition_->setText(T(TextId::ExeNotIdentified)); break;
    }
}

void ConfigurationDialog::accept() {
    const std::string folder = this->folder();
    const tavolex::ExeIdentity identity = state_.identifyGame(folder);
    const tavolex::ExeStatus status = identity.status;
    if (status == tavolex::ExeStatus::Missing) {
        ui_.error(this, T(TextId::ExeMissingOrCorrupt));
        folder_->selectAll();
        folder_->setFocus();
        return;
    }
    if (status == tavolex::ExeStatus::Unreadable) {
        ui_.error(this, T(TextId::ExeUnreadableWarning));
    } else if (status == tavolex::ExeStatus::Unsupported) {
        ui_.error(this, T(TextId::ExeUnsupported));
    }
    state_.setGame(folder, identity);
    // An unwritable settings file is told once, when the run ends (FinishRun).
    (void)tavolex::WriteGameFolder(state_.paths().settingsFile, folder);
    state_.notifyExeStatusChanged();
    QDialog::accept();
}
