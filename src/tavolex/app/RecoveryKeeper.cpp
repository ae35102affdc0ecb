#include "app/RecoveryKeeper.h"

#include <QDateTime>

#include "app/EditorState.h"
#include "document/Recovery.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

RecoveryKeeper::RecoveryKeeper(EditorState& state, QObject* parent) : QObject(parent), state_(state) {
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::saveIfModified);
    timer_.start();
}

void RecoveryKeeper::saveIfModified() {
    if (!state_.carSet().modified) {
        return;
    }
    const std::string when = QDateTime::currentDateTime().toString(u"yyyy-MM-dd hh:mm"_s).toStdString();
    // A failed write only means there is no newer copy; the next one tries again.
    (void)WriteRecovery(state_.carSet(), state_.graphicEnvironment(), state_.paths().dataFolder, when);
}

void RecoveryKeeper::discard() { RemoveRecovery(state_.paths().dataFolder); }

} // namespace tavolex::editor
