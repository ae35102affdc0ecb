#pragma once

#include <QObject>
#include <QTimer>

namespace tavolex::editor {

class EditorState;

// Keeps the recovery file while the car set has unsaved changes: every two
// minutes, and when the editor is ended by a signal.
class RecoveryKeeper : public QObject {
    Q_OBJECT

  public:
    static constexpr int kIntervalMs = 2 * 60 * 1000;

    explicit RecoveryKeeper(EditorState& state, QObject* parent = nullptr);

    // Writes the recovery file now when there are unsaved changes.
    void saveIfModified();
    // A normal end: the recovery file is no longer needed.
    void discard();

  private:
    EditorState& state_;
    QTimer timer_;
};

} // namespace tavolex::editor
