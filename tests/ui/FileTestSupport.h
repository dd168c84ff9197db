#pragma once

#include "TestSupport.h"

#include "editor/FilePrompter.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#include <deque>
#include <memory>
#include <unistd.h>
#include <sys/stat.h>

namespace pluviane::test {

// Answers the file commands' questions from queues and records the messages.
struct FakePrompter : FilePrompter {
    std::deque<QString> openNames;
    std::deque<QString> saveNames;
    std::deque<QString> soundNames;
    std::deque<bool> answers;
    int openAsked = 0;
    int saveAsked = 0;
    int questions = 0;
    struct Message {
        QString caption;
        QString text;
    };
    std::vector<Message> messages;

    QString chooseFountainToOpen(QWidget*) override
    {
        ++openAsked;
        return take(openNames);
    }
    QString chooseFountainToSave(QWidget*, const QString&) override
    {
        ++saveAsked;
        return take(saveNames);
    }
    QString chooseSoundToOpen(QWidget*) override { return take(soundNames); }
    bool askYesNo(QWidget*, const QString&) override
    {
        ++questions;
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    // Unsaved changes: the answers given in turn (No when none is left) and the questions asked.
    std::deque<SaveAnswer> saveAnswers;
    QStringList saveQuestions;
    SaveAnswer askSaveChanges(QWidget*, const QString& text) override
    {
        saveQuestions << text;
        if (saveAnswers.empty())
            return SaveAnswer::No;
        const SaveAnswer answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    void showMessage(QWidget*, const QString& caption, const QString& text) override
    {
        messages.push_back({caption, text});
    }
    // Recovery copies at start: the answers in turn (Later when none is left).
    std::deque<RecoveryAnswer> recoveryAnswers;
    QStringList recoveryQuestions;
    RecoveryAnswer askRecovery(QWidget*, const QString& text) override
    {
        recoveryQuestions << text;
        if (recoveryAnswers.empty())
            return RecoveryAnswer::Later;
        const RecoveryAnswer answer = recoveryAnswers.front();
        recoveryAnswers.pop_front();
        return answer;
    }

private:
    static QString take(std::deque<QString>& names)
    {
        if (names.empty())
            return {};
        QString name = names.front();
        names.pop_front();
        return name;
    }
};

// One of the example fountains kept in examples/.
inline QString examplePath(const char* name)
{
    return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(
        QStringLiteral("../../examples/") + QString::fromLatin1(name));
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Makes a folder or file truly read-only, also for root (who ignores the
// permission bits): the immutable attribute where the file system has it.
// Undone when the guard goes. `active` tells whether writing is really refused.
class ReadOnlyGuard {
public:
    explicit ReadOnlyGuard(const QString& path) : path_(path)
    {
        ::chmod(path.toLocal8Bit().constData(), 0555);
        if (::geteuid() == 0)
            immutable_ = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0;
    }
    ~ReadOnlyGuard()
    {
        if (immutable_)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path_});
        ::chmod(path_.toLocal8Bit().constData(), 0755);
    }
    bool active() const { return ::geteuid() != 0 || immutable_; }

private:
    QString path_;
    bool immutable_ = false;
};

} // namespace pluviane::test
