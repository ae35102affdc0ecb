#include "shell/InformationEditor.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/EditorState.h"
#include "document/InformationFile.h"
#include "widgets/GameText.h"
#include "widgets/PathText.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {
constexpr int kCapacity = static_cast<int>(kInformationCapacity);
}

InformationEditor::InformationEditor(EditorState& state, UiServices& ui, QWidget* parent)
    : QDialog(parent), state_(state), ui_(ui) {
    setWindowTitle(T(TextId::InformationEditorTitle));
    text_ = new QPlainTextEdit(this);
    text_->setPlainText(FromGameText(state_.carSet().information));
    text_->setTabStopDistance(40);
    text_->setMinimumSize(460, 300);
    counter_ = new QLabel(this);
    counter_->setObjectName(u"counter"_s);
    auto* load = new QPushButton(tr("Load"), this);
    auto* saveAs = new QPushButton(tr("Save As..."), this);
    auto* ok = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    load->setObjectName(u"load"_s);
    saveAs->setObjectName(u"saveAs"_s);
    ok->setObjectName(u"ok"_s);
    cancel->setObjectName(u"cancel"_s);
    ok->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(counter_);
    buttons->addStretch();
    buttons->addWidget(load);
    buttons->addWidget(saveAs);
    buttons->addSpacing(12);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(buttons);
    connect(text_, &QPlainTextEdit::textChanged, this, &InformationEditor::limitAndCount);
    connect(load, &QPushButton::clicked, this, &InformationEditor::load);
    connect(saveAs, &QPushButton::clicked, this, &InformationEditor::saveAs);
    connect(ok, &QPushButton::clicked, this, &InformationEditor::accept);
    connect(cancel, &QPushButton::clicked, this, &InformationEditor::reject);
    limitAndCount();
    text_->setFocus();
}

void InformationEditor::limitAndCount() {
    QString text = text_->toPlainText();
    // The box takes no more than the car set can keep, and only characters
    // its Windows-1252 text can hold.
    QString kept = WithoutForeignCharacters(text);
    const auto refused = text.size() - kept.size();
    if (refused != 0) {
        ui_.beep();
    }
    if (kept.size() > kCapacity || refused != 0) {
        const QSignalBlocker block(text_);
        // The caret stays after what was typed, or goes to the end of a cut text.
        const auto caret = kept.size() > kCapacity ? kCapacity : text_->textCursor().position() - refused;
        kept.truncate(kCapacity);
        text_->setPlainText(kept);
        QTextCursor cursor = text_->textCursor();
        cursor.setPosition(static_cast<int>(std::clamp<qsizetype>(caret, 0, kept.size())));
        text_->setTextCursor(cursor);
        text = kept;
    }
    counter_->setText(QString::asprintf("[%.5d/%.5d chars]", static_cast<int>(text.size()), kCapacity));
}

void InformationEditor::load() {
    const QString path = ui_.openFile(this, T(TextId::LoadTextTitle), T(TextId::TextFilter));
    if (path.isEmpty()) {
        return;
    }
    std::string text;
    if (!Ok(ReadTextFile(ToPath(path), text))) {
        ui_.error(this, T(TextId::CouldntLoadFile));
        return;
    }
    text_->setPlainText(FromGameText(text));
}

void InformationEditor::saveAs() {
    if (text_->toPlainText().isEmpty()) {
        ui_.beep();
        text_->setFocus();
        return;
    }
    const QString path = ui_.saveFile(this, T(TextId::SaveTextTitle), T(TextId::TextFilter), u"TXT"_s);
    if (path.isEmpty() || !ui_.replace(this, path)) {
        return;
    }
    if (!Ok(WriteTextFile(ToPath(path), ToGameText(text_->toPlainText()).value_or(std::string())))) {
        ui_.error(this, T(TextId::CouldntSaveFile));
    }
}

void InformationEditor::accept() {
    CarSet& carSet = state_.carSet();
    carSet.information = ToGameText(text_->toPlainText().left(kCapacity)).value_or(std::string());
    carSet.hasInformation = carSet.information.empty() ? 0 : 1;
    MarkModified(carSet, "Car set information"); // also when nothing changed
    QDialog::accept();
}

} // namespace tavolex::editor
