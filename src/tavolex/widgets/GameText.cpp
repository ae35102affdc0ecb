#include "widgets/GameText.h"

#include <QLineEdit>

#include "core/TextEncoding.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

QString FromGameText(std::string_view bytes) {
    const std::string utf8 = Windows1252ToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<std::string> ToGameText(const QString& text) { return Utf8ToWindows1252(text.toStdString()); }

QString NumberedDriverName(int carNumber, std::string_view name) {
    return u"[%1] "_s.arg(carNumber, 2, 10, QChar(u'0')) + FromGameText(name);
}

QValidator::State GameTextValidator::validate(QString& input, int& /*position*/) const {
    const auto bytes = ToGameText(input);
    if (!bytes) {
        return Invalid;
    }
    if (ContainsControlCharacter(*bytes)) {
        emit controlCharacterRefused();
        return Invalid;
    }
    return Acceptable;
}

void GuardGameTextBox(QLineEdit* box, UiServices& ui, int maxLength) {
    box->setMaxLength(maxLength);
    auto* validator = new GameTextValidator(box);
    box->setValidator(validator);
    // Queued: the message box waits until the box has taken back the refused edit.
    QObject::connect(
        validator, &GameTextValidator::controlCharacterRefused, box,
        [box, &ui] { ui.error(box, T(TextId::ControlCharactersRefused)); }, Qt::QueuedConnection);
}

QString WithoutForeignCharacters(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (Windows1252CanHold(c)) {
            kept += QString::fromUcs4(&c, 1);
        }
    }
    return kept;
}

} // namespace tavolex::editor
