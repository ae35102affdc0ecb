#include "shell/GameText.h"

#include "core/TextEncoding.h"

QString FromGameText(std::string_view bytes) {
    const std::string utf8 = tavolex::Windows1252ToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<std::string> ToGameText(const QString& text) {
    return tavolex::Utf8ToWindows1252(text.toStdString());
}

QValidator::State GameTextValidator::validate(QString& input, int& /*position*/) const {
    return ToGameText(input) ? Acceptable : Invalid;
}

QString WithoutForeignCharacters(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (tavolex::Windows1252CanHold(c)) {
            kept += QString::fromUcs4(&c, 1);
        }
    }
    return kept;
}
