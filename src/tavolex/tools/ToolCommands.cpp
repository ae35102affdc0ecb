#include "tools/ToolCommands.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace tavolex::editor {

using namespace Qt::StringLiterals;

void AddToolCommands(QDialog* editor, QBoxLayout* layout, const ToolCommands& commands, bool executable) {
    const struct {
        const char* name;
        const char* text;
        std::function<void()> run;
        bool enabled;
    } buttons[] = {{"import", "Import", commands.importFromGame, executable},
                   {"export", "Export", commands.exportToGame, executable},
                   {"defaults", "Defaults", commands.loadDefaults, true},
                   {"close", "Close", [editor] { editor->reject(); }, true}};
    for (const auto& command : buttons) {
        auto* button = new QPushButton(QDialog::tr(command.text), editor);
        button->setObjectName(QString::fromUtf8(command.name));
        button->setAutoDefault(false);
        button->setEnabled(command.enabled);
        QObject::connect(button, &QPushButton::clicked, editor, command.run);
        layout->addWidget(button);
    }
}

} // namespace tavolex::editor
