#pragma once

#include "model/FountainState.h"

#include <QObject>
#include <QTimer>
#include <QUndoStack>

#include <memory>

class QAction;
class QWidget;

namespace pluviane {

class FileCommands;

// The undo history of the designer's edits. A step is what one user action
// changed, kept as the image a save would write afterwards: an action ends
// when the mouse button or the key is let go (so a whole drag of a bar is one
// step), and whatever changed since the last step is taken as a step of its
// own before the next press, and after a short calm for changes made inside
// dialogs. Only the design counts: the live bytes never make a step.
class EditHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int kSteps = 128;

    // Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo, wherever the program has the focus.
    EditHistory(FileCommands& files, QWidget* shortcutOwner);
    ~EditHistory() override;

    QUndoStack& stack() { return stack_; }
    QAction* undoAction() const { return undo_; }
    QAction* redoAction() const { return redo_; }

    // Ends the current action: records what it changed as one step.
    void commitStep();
    // What is still open becomes a step first, so it is the one undone.
    void undo();
    void redo();
    // A new history that starts from the fountain as it stands.
    void restart();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class SnapshotStep;
    void restore(const FountainImage& image);

    FileCommands& files_;
    QUndoStack stack_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QTimer calm_;
    std::shared_ptr<const FountainImage> top_; // the fountain after the last step
    bool restoring_ = false;
};

} // namespace pluviane
