#pragma once

#include "model/FountainState.h"

#include <QObject>
#include <QString>

#include <memory>

class QToolButton;
class QWidget;

namespace pluviane {

class EditHistory;
class EditorWindow;
class FilePrompter;
class FountainSession;
class WindowSettingControls;
class RecoveryCopy;
class RecentFiles;

// The editor's file tool bar: new, open, save, save as, undo, and the window
// buttons; also the bowl-only load of the "Чаша" tab and the load by name
// of the preset list.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(FountainState& state, EditorWindow& editor);
    ~FileCommands() override;

    // Replaces the dialogs and message boxes (tests answer for the user).
    void setPrompter(std::unique_ptr<FilePrompter> prompter);
    FilePrompter& prompter() { return *prompter_; }

    // The file last opened or saved; empty at start and after New.
    const QString& currentFileName() const { return currentFileName_; }

    // Where every file dialog starts: the current fountain's folder, else the
    // folder last chosen in a dialog, else the home folder.
    QString dialogFolder() const;
    // A file chosen in any dialog: its folder is the one last used.
    void rememberDialogChoice(const QString& path);

    // The fountains last opened or saved as, on the tool bar's list.
    RecentFiles& recentFiles() { return *recent_; }
    // Opens one of them as "Открыть файл" opens a chosen file; one that is
    // gone says so and leaves the list.
    bool openRecent(const QString& path);

    // What a save writes: all 64000 bytes, the last image read or written
    // refilled from the live fountain. The one description of it; the
    // unsaved-changes question and the undo history compare these images.
    FountainImage imageToSave();

    // Whether the design differs from what was last read or written (the live
    // bytes, see FountainChanges.h, do not count).
    bool isChanged();
    bool isChanged(const FountainImage& now) const;
    // Once all windows exist: the start-up fountain counts as read, and the
    // undo history starts from it.
    void startFresh();

    // Before the fountain is replaced or the program closes: a changed fountain
    // asks whether to save it. True when the command may go on (no changes, No,
    // or Yes and the save succeeded).
    bool mayLeaveFountain(QWidget* owner);

    // The recovery copy of a changed fountain and the lock on its file.
    RecoveryCopy& recovery() { return *recovery_; }
    // Takes a recovery copy as the live fountain, changed and named as its file
    // was, so that Save writes that file.
    void adoptRecovered(const FountainImage& image, const QString& fileName);

    // The undo history of the edits.
    EditHistory& history() { return *history_; }
    // Applies an image of the history as opening applies a file, but sets only
    // the controls whose bytes differ and keeps the live bytes and the view.
    void applySnapshot(const FountainImage& image);

    // The editor's caption, with a trailing "*" while the fountain is changed.
    void refreshCaption();
    void refreshCaption(const FountainImage& now);

    // The one open dialog serves fountains, bowls and show tables; it remembers
    // the name last chosen in it (empty at start). Empty when cancelled.
    QString chooseFountainToOpen();
    const QString& openDialogFileName() const { return openDialogFileName_; }

    void SpeedButtonNewClick();
    void SpeedButtonOpenFontanClick();
    void SpeedButtonSaveAsFontanClick();
    void SpeedButtonSaveFontanClick();
    void SpeedButtonUndoClick();
    void SpeedButtonHelpClick();
    void SpeedButtonAboutClick();
    void SpeedButtonShowRecClick();
    void SpeedButtonShowTimelineClick();
    void SpeedButtonOpenCupClick();

    // Loads a fountain file without a dialog; a name with no file behind it
    // does nothing. True when the file was loaded.
    bool OpenFontanFile(const QString& name);

    // Opens a file named from outside (the command line, a desktop's double
    // click) as "Открыть файл" opens a chosen one, with "Load" checked so the
    // bowl comes along; a bad file shows the usual message and changes nothing.
    // True when the file was loaded.
    bool openFountainNamedOutside(const QString& name);

    // Writes the live fountain under `name`; true when written.
    bool SAveFileFontan(const QString& name);
    // Save and Save as; true when the fountain was written.
    bool saveFountain();
    bool saveFountainAs();

    // The settings block of the save buffer from and to the controls.
    void ToBufCup();
    void FromBufCup();

    // The image a save writes under `name`: the settings block from the
    // controls, the model, and the show track in the tail (its music relative
    // to that file's folder). `trackFits` says whether the track could be kept.
    FountainImage imageToSave(const QString& name, bool* trackFits);

    // Takes the track of a file read into `image` (`length` bytes held) as the
    // live one. A damaged track, cues past the recorded counts or music that
    // is missing are told in the status bar; the rest loads as always.
    // Returns how the track read (a ShowTrackRead::Outcome).
    int adoptTrack(const FountainImage& image, std::size_t length, const QString& fileName);

    // The messages of a refused and of a failed file read.
    void showTooLarge(QWidget* owner);
    void showFileError(QWidget* owner, const QString& name, const QString& reason);

signals:
    // The live show track was replaced (a load, a show load).
    void trackAdopted();
    // An undo or a redo gave the live track another state of the same show.
    void trackRestored();

private:
    QToolButton* addButton(const char* name, int icon, const QString& hint,
                           void (FileCommands::*click)());
    void buildToolBar();
    bool openChosenFountain(const QString& name);
    bool loadFountain(const QString& name, QWidget* messageOwner);
    void applyModel(const FountainImage& image);
    void adoptFileName(const QString& name);
    void setCaption(const QString& caption);
    void takeAsUnchanged();
    void tellStatus(const QString& text);
    // Tells a note on the track just taken, and that it was taken.
    void tellTrack(const QString& note);
    void pressStopButton(const char* name);
    void stopShow();
    QWidget* mainWindow();

    FountainState& state_;
    EditorWindow& editor_;
    std::unique_ptr<FilePrompter> prompter_;
    QString currentFileName_;
    QString openDialogFileName_;
    // A file loaded that does not begin as a fountain file: Save asks before writing over it.
    QString foreignFileName_;
    bool timelinePlaced_ = false;
    QString caption_;
    std::unique_ptr<WindowSettingControls> controls_;
    std::unique_ptr<FountainSession> session_;
    // What a save would have written right after the last read or write.
    std::unique_ptr<FountainImage> unchanged_;
    std::unique_ptr<EditHistory> history_;
    std::unique_ptr<RecoveryCopy> recovery_;
    bool asking_ = false;
    QToolButton* saveAs_ = nullptr;
    QToolButton* save_ = nullptr;
    QToolButton* undo_ = nullptr;
    RecentFiles* recent_ = nullptr;
    QString lastFolder_;
};

// The name part of a path, as the editor's caption shows it.
QString captionName(const QString& path);

} // namespace pluviane
