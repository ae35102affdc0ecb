#include "pages/CommandButtons.h"

#include <QBoxLayout>
#include <QObject>
#include <QPushButton>

#include "pages/PictureFileCommands.h"
#include "widgets/Texts.h"

namespace tavolex::editor {

std::vector<QPushButton*> AddCommandButtons(QWidget* parent, QBoxLayout* row,
                                            const std::vector<CommandButton>& commands) {
    std::vector<QPushButton*> buttons;
    for (const CommandButton& command : commands) {
        auto* button = new QPushButton(QObject::tr(command.text), parent);
        button->setObjectName(QString::fromUtf8(command.name));
        QObject::connect(button, &QPushButton::clicked, parent, command.run);
        row->addWidget(button);
        buttons.push_back(button);
    }
    return buttons;
}

void AddPictureFileButtons(QWidget* parent, QBoxLayout* row, PictureFileCommands& commands) {
    PictureFileCommands* target = &commands;
    AddCommandButtons(parent, row,
                      {{"import", "Import", [target] { target->importFromGame(); }},
                       {"export", "Export", [target] { target->exportToGame(); }},
                       {"load", "Load", [target] { target->loadFile(); }},
                       {"saveAs", "Save as...", [target] { target->saveFileAs(); }},
                       {"remove", "Remove", [target] { target->removePicture(); }}});
}

void EnablePictureFileButtons(const QWidget* holder, const GraphicControlRules& rules) {
    const struct {
        const char* name;
        bool enabled;
    } buttons[] = {{"import", rules.importFromGame},
                   {"export", rules.exportToGame},
                   {"load", rules.load},
                   {"saveAs", rules.saveAs},
                   {"remove", rules.remove}};
    for (const auto& [name, enabled] : buttons) {
        holder->findChild<QPushButton*>(QString::fromUtf8(name))->setEnabled(enabled);
    }
}

QString PictureNoteText(PictureNote note, const std::array<TextId, 2>& noPicture) {
    switch (note) {
    case PictureNote::None: return {};
    case PictureNote::NoSoftware: return T(noPicture[0]);
    case PictureNote::NoHardware: return T(noPicture[1]);
    case PictureNote::UnableToDisplay: return T(TextId::UnableToDisplayImage);
    }
    return {};
}

} // namespace tavolex::editor
