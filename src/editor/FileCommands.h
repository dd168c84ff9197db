#pragma once

#include "model/FountainState.h"

#include <QObject>
#include <QString>

#include <memory>

class QToolButton;
class QWidget;

namespace pluviane {

class EditorWindow;
class FilePrompter;

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

    // The file last opened or saved; empty at start.
    const QString& currentFileName() const { return currentFileName_; }

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

    // The settings block of the save buffer from and to the controls.
    void ToBufCup();
    void FromBufCup();

    // Builds the image a save writes under `name`: the settings block from the
    // controls, the model, and the show track in the tail. False, with a
    // message, when the track cannot be kept.
    bool fillSaveBuffer(const QString& name);

    // Takes the track of a file read into `image` (`length` bytes held) as the
    // live one. A damaged track, cues past the recorded counts or music that
    // is missing are told in the status bar; the rest loads as always.
    // Returns how the track read (a ShowTrackRead::Outcome).
    int adoptTrack(const FountainImage& image, std::size_t length, const QString& fileName);

    // The messages of a refused and of a failed file read.
    void showTooLarge(QWidget* owner);
    void showFileError(QWidget* owner, const QString& name, const QString& reason);

signals:
    // The live show track was replaced (a load, a show load, an undo).
    void trackAdopted();

private:
    QToolButton* addButton(const char* name, int icon, const QString& hint,
                           void (FileCommands::*click)());
    void buildToolBar();
    bool openChosenFountain(const QString& name);
    bool loadFountain(const QString& name, QWidget* messageOwner);
    void applyLoadedBuffer();
    void adoptFileName(const QString& name);
    void tellStatus(const QString& text);
    void pressStopButton(const char* name);
    QWidget* mainWindow();

    FountainState& state_;
    EditorWindow& editor_;
    std::unique_ptr<FilePrompter> prompter_;
    QString currentFileName_;
    QString openDialogFileName_;
    QToolButton* saveAs_ = nullptr;
    QToolButton* save_ = nullptr;
    QToolButton* undo_ = nullptr;
};

// The name part of a path, as the editor's caption shows it.
QString captionName(const QString& path);

} // namespace pluviane
