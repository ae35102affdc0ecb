#pragma once

#include <QString>
#include <QValidator>
#include <optional>
#include <string>
#include <string_view>

class QLineEdit;

namespace tavolex::editor {

class UiServices;

// Texts of the car set and the game (names, the information text) are
// Windows-1252 bytes; these bring them to the screen and back.

QString FromGameText(std::string_view bytes);

// The Windows-1252 bytes of a text; nothing when it holds a character that
// Windows-1252 cannot.
std::optional<std::string> ToGameText(const QString& text);

// "[07] NAME": a driver's car number and name, as the driver lists label them.
QString NumberedDriverName(int carNumber, std::string_view name);

// Refuses, while the user types, every character Windows-1252 cannot hold
// and every control character (the game's files cannot take one; it comes in
// with a paste, mostly), which it also signals so the user can be told why.
class GameTextValidator : public QValidator {
    Q_OBJECT

  public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;

  signals:
    void controlCharacterRefused() const;
};

// Puts a GameTextValidator on a box for a name of the car set or the game;
// a refused control character is explained in a message once the edit settled.
// The box takes no more than `field` keeps: a character past it is refused as
// it is typed, never cut off on saving.
void GuardGameTextBox(QLineEdit* box, UiServices& ui, int maxLength);
// The same for a box of a car set's text `Field` (a FixedText).
template <typename Field> void GuardGameTextBox(QLineEdit* box, UiServices& ui) {
    GuardGameTextBox(box, ui, static_cast<int>(Field::kCapacity));
}

// `text` without the characters Windows-1252 cannot hold.
QString WithoutForeignCharacters(const QString& text);

} // namespace tavolex::editor
