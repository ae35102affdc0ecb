#pragma once

#include <QString>
#include <QValidator>
#include <optional>
#include <string>
#include <string_view>

// Texts of the car set and the game (names, the information text) are
// Windows-1252 bytes; these bring them to the screen and back.

QString FromGameText(std::string_view bytes);

// The Windows-1252 bytes of a text; nothing when it holds a character that
// Windows-1252 cannot.
std::optional<std::string> ToGameText(const QString& text);

// Refuses, while the user types, every character Windows-1252 cannot hold.
class GameTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

// `text` without the characters Windows-1252 cannot hold.
QString WithoutForeignCharacters(const QString& text);
