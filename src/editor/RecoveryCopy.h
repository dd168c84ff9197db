#pragma once

#include "model/FountainState.h"
#include "model/RecoveryFiles.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <memory>

class QWidget;

namespace pluviane {

class FileCommands;

// Keeps the work of a program that ends without its user: a copy of a changed
// fountain in the recovery folder, offered at the next start, and the lock
// that tells a second program the fountain's file is being changed here. Also
// guards a save over a file another program changed since it was read.
class RecoveryCopy : public QObject {
    Q_OBJECT
public:
    // A changed fountain is copied at most this often...
    static constexpr int kIntervalMs = 60000;
    // ...and looked at this often, so the first copy follows the first change closely.
    static constexpr int kLookMs = 2000;

    explicit RecoveryCopy(FileCommands& files);
    // Waits for the copy being written. After a clean quit the copy goes; after
    // keepForNextStart() it stays for the next start. The lock always goes.
    ~RecoveryCopy() override;

    // Only the program keeps copies (not the tools, not a test's windows).
    void start();
    bool started() const { return started_; }

    // One look: a changed fountain is copied when its copy is due, and its
    // file is locked. An unchanged one has neither.
    void look();
    // The copy of `image` is written on the worker; the window goes on.
    void writeSoon(const FountainImage& image);
    void waitForWrites();

    // The fountain was read, written or made new: its copy and lock go.
    void settle();

    // Told to stop: the copy of a changed fountain is written now and kept for
    // the next start, and leaving from now on asks nothing.
    void keepForNextStart();
    bool leavesWithoutQuestion() const { return kept_; }

    // Offers the copies of programs that are gone, one after the other;
    // true when one was restored.
    bool offerAbandonedCopies(QWidget* owner);

    // Before a file is opened: when another running program holds it changed,
    // asks whether to open it read-only. True for read-only.
    bool asksReadOnly(const QString& name, QWidget* owner);
    // The file whose Save becomes Save as (opened read-only); empty for none.
    void setReadOnlyFile(const QString& name) { readOnlyFile_ = name; }
    bool isReadOnly(const QString& name) const { return !name.isEmpty() && name == readOnlyFile_; }

    // Remembers the bytes of `name` as read or written here.
    void noteFileOnDisk(const QString& name);
    // Before writing over `name`: when another program changed it since,
    // asks first. True when the write may go on.
    bool mayWriteOver(const QString& name, QWidget* owner);

    // The name of this program's copy in the recovery folder.
    const QString& id() const { return id_; }
    const QString& folder() const { return folder_; }

private:
    void holdLock(const QString& name);
    void run(std::function<void()> job);

    FileCommands& files_;
    QTimer looks_;
    QThreadPool worker_;
    QString folder_;
    QString id_;
    bool started_ = false;
    bool kept_ = false;
    bool flip_ = false;
    bool hasCopy_ = false;
    QElapsedTimer sinceWrite_;
    std::unique_ptr<FountainImage> written_; // the image of the copy last asked for
    QString lockedFile_;
    QString readOnlyFile_;
    QString diskFile_;
    QByteArray diskDigest_;
};

} // namespace pluviane
