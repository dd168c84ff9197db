#include "editor/EditHistory.h"

#include "editor/FileCommands.h"
#include "model/FountainChanges.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QUndoCommand>
#include <QWidget>

namespace pluviane {

namespace {
constexpr int kCalmMs = 300;
} // namespace

// One step: the fountain before and after it. The images are shared with the
// neighbouring steps, so a step costs one image.
class SnapshotStep : public QUndoCommand {
public:
    SnapshotStep(EditHistory& history, std::shared_ptr<const FountainImage> before,
                 std::shared_ptr<const FountainImage> after)
        : history_(history), before_(std::move(before)), after_(std::move(after))
    {
    }
    void undo() override { history_.restore(*before_); }
    void redo() override
    {
        // Pushing a step records what already happened.
        if (pushed_)
            history_.restore(*after_);
        pushed_ = true;
    }

private:
    EditHistory& history_;
    std::shared_ptr<const FountainImage> before_;
    std::shared_ptr<const FountainImage> after_;
    bool pushed_ = false;
};

EditHistory::EditHistory(FileCommands& files, QWidget* shortcutOwner) : files_(files)
{
    stack_.setUndoLimit(kSteps);
    undo_ = new QAction(this);
    undo_->setObjectName("ActionUndo");
    undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(undo_, &QAction::triggered, this, &EditHistory::undo);
    redo_ = new QAction(this);
    redo_->setObjectName("ActionRedo");
    connect(redo_, &QAction::triggered, this, &EditHistory::redo);
    redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {undo_, redo_}) {
        action->setShortcutContext(Qt::ApplicationShortcut);
        shortcutOwner->addAction(action);
    }
    calm_.setInterval(kCalmMs);
    calm_.setSingleShot(true);
    connect(&calm_, &QTimer::timeout, this, [this] {
        // A bar still held is one action still going on.
        if (QGuiApplication::mouseButtons() != Qt::NoButton)
            calm_.start();
        else
            commitStep();
    });
    QCoreApplication::instance()->installEventFilter(this);
}

EditHistory::~EditHistory() = default;

void EditHistory::restart()
{
    stack_.clear();
    top_ = std::make_shared<const FountainImage>(files_.imageToSave());
}

void EditHistory::commitStep()
{
    calm_.stop();
    // Nothing is recorded before the history starts (all windows exist then).
    if (restoring_ || !top_)
        return;
    auto now = std::make_shared<const FountainImage>(files_.imageToSave());
    if (designDiffers(*top_, *now)) {
        auto before = std::move(top_);
        top_ = now;
        stack_.push(new SnapshotStep(*this, std::move(before), std::move(now)));
    }
    files_.refreshCaption(*top_);
}

void EditHistory::undo()
{
    commitStep();
    stack_.undo();
}

void EditHistory::redo()
{
    // A change made after an undo starts a new branch; redo has nothing left then.
    commitStep();
    stack_.redo();
}

void EditHistory::restore(const FountainImage& image)
{
    restoring_ = true;
    files_.applySnapshot(image);
    top_ = std::make_shared<const FountainImage>(files_.imageToSave());
    restoring_ = false;
    files_.refreshCaption(*top_);
}

bool EditHistory::eventFilter(QObject* watched, QEvent* event)
{
    if (!watched->isWidgetType())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::ShortcutOverride: // a shortcut's key press never arrives as one
    case QEvent::KeyPress:
    case QEvent::Wheel:
        // What happened before this action is not part of it.
        commitStep();
        if (event->type() == QEvent::Wheel)
            calm_.start();
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
        calm_.start();
        QMetaObject::invokeMethod(this, &EditHistory::commitStep, Qt::QueuedConnection);
        break;
    default:
        break;
    }
    return false;
}

} // namespace pluviane
