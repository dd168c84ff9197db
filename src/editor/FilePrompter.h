#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace pluviane {

// The answers to "save the changes?".
enum class SaveAnswer { Yes, No, Cancel };

// The answers to "restore the unsaved changes?" at start.
enum class RecoveryAnswer { Restore, Discard, Later };

// The questions the file commands ask the user: which file, overwrite or not,
// and the messages they show. Tests put in their own answers.
class FilePrompter {
public:
    virtual ~FilePrompter() = default;

    // Where the file dialogs start (asked each time one opens); the home
    // folder when not told, never the folder the program was started from.
    void setStartFolder(std::function<QString()> folder) { startFolder_ = std::move(folder); }
    QString startFolder() const;

    // The open dialog of fountain files; empty when cancelled. Of several
    // chosen files only the first counts.
    virtual QString chooseFountainToOpen(QWidget* parent) = 0;

    // The open dialog of sound files; empty when cancelled.
    virtual QString chooseSoundToOpen(QWidget* parent) = 0;

    // The save dialog, starting at `current`; empty when cancelled. It asks
    // nothing about overwriting.
    virtual QString chooseFountainToSave(QWidget* parent, const QString& current) = 0;

    // A warning with Yes and No; true on Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text) = 0;

    // A warning with Yes, No and Cancel before changes would be dropped.
    virtual SaveAnswer askSaveChanges(QWidget* parent, const QString& text) = 0;

    // A plain message box with an OK button.
    virtual void showMessage(QWidget* parent, const QString& caption, const QString& text) = 0;

    // Restore, Discard or Later for a recovery copy. Without a user to ask,
    // the copy waits for the next start.
    virtual RecoveryAnswer askRecovery(QWidget*, const QString&) { return RecoveryAnswer::Later; }
private:
    std::function<QString()> startFolder_;
};

// The real dialogs and message boxes.
class DialogPrompter : public FilePrompter {
public:
    QString chooseFountainToOpen(QWidget* parent) override;
    QString chooseFountainToSave(QWidget* parent, const QString& current) override;
    QString chooseSoundToOpen(QWidget* parent) override;
    bool askYesNo(QWidget* parent, const QString& text) override;
    SaveAnswer askSaveChanges(QWidget* parent, const QString& text) override;
    void showMessage(QWidget* parent, const QString& caption, const QString& text) override;
    RecoveryAnswer askRecovery(QWidget* parent, const QString& text) override;
};

// For programs without a user at the screen: every dialog is cancelled, every
// question answered No (changes are neither saved nor kept from going), and
// each message handed to `tell`.
class UnattendedPrompter : public FilePrompter {
public:
    using Teller = std::function<void(const QString& caption, const QString& text)>;
    explicit UnattendedPrompter(Teller tell) : tell_(std::move(tell)) {}
    QString chooseFountainToOpen(QWidget*) override { return {}; }
    QString chooseFountainToSave(QWidget*, const QString&) override { return {}; }
    QString chooseSoundToOpen(QWidget*) override { return {}; }
    bool askYesNo(QWidget*, const QString&) override { return false; }
    SaveAnswer askSaveChanges(QWidget*, const QString&) override { return SaveAnswer::No; }
    void showMessage(QWidget*, const QString& caption, const QString& text) override
    {
        tell_(caption, text);
    }

private:
    Teller tell_;
};

// Filters of the dialogs.
QString openFountainFilter();
QString saveFountainFilter();
QString openSoundFilter();

} // namespace pluviane
