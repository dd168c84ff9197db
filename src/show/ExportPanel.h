#pragma once

#include "model/FountainState.h"
#include "show/ExportDialog.h"
#include "video/VideoEncoder.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProcess>
#include <QWidget>

#include <functional>
#include <memory>

class QProgressDialog;
class QTemporaryDir;
class QToolButton;

namespace pluviane {

class EditorWindow;

// Removes the snapshot folders that exports killed mid-way left in the
// temporary folder; the program does it at start and before each export.
void removeKilledExportSnapshots();

// Exports the show as it stands in the editor to an MP4 video: the fountain,
// its show tables, speed bars, bowl, backdrop and view, played from form 1
// and scene 1 in simulated time, with the opened sound file when there is one.
// The video is made by the command-line renderer in a process of its own,
// so the windows stay responsive and the export runs as fast as the tool.
class ExportPanel : public QWidget {
    Q_OBJECT
public:
    ExportPanel(FountainState& state, EditorWindow& editor);
    ~ExportPanel() override;

    QToolButton* exportButton() const { return exportButton_; }

    // Frame rate of the video, and its length without music.
    VideoOptions& videoOptions() { return options_; }

    // Replaces the save dialog (tests answer for the user); empty cancels.
    void setVideoChooser(std::function<QString(QWidget*)> chooser);
    // Replaces the export dialog: given the last choice and the show's length,
    // false cancels.
    using ChoiceAsker = std::function<bool(ExportChoice&, double length)>;
    void setChoiceAsker(ChoiceAsker asker);
    // The renderer to run; by default the one beside the program.
    void setRenderProgram(const QString& path) { renderProgram_ = path; }
    // The settings file that keeps the last choice (the user's own at start).
    void setSettingsPath(const QString& path) { settingsPath_ = path; }

    // The sound file to play along; empty for none. The music panel tells it.
    void setMusicSource(std::function<QString()> source);

    void SpeedButtonExportVideoClick();

    bool exporting() const;
    // Stops a running export; its file is not written.
    void cancelExport();
    // Waits until the running export has ended (tests); false on timeout.
    bool waitForExport(int milliseconds);

signals:
    void exportEnded();

private:
    QString chooseVideo();
    QStringList renderArguments(const QString& snapshot, const QString& video, const ExportChoice& choice,
                                const QString& music);
    void readProgress();
    void finishExport(int exitCode, QProcess::ExitStatus status);
    void tell(const QString& text);

    FountainState& state_;
    EditorWindow& editor_;
    QToolButton* exportButton_ = nullptr;
    VideoOptions options_;
    std::function<QString(QWidget*)> chooser_;
    ChoiceAsker asker_;
    std::function<QString()> music_;
    QString renderProgram_;
    QString settingsPath_;

    // The running export.
    QProcess* process_ = nullptr;
    std::unique_ptr<QTemporaryDir> snapshotFolder_;
    QPointer<QProgressDialog> progress_;
    QString videoName_;
    QElapsedTimer started_;
    bool cancelled_ = false;
};

// Writes the fountain as it stands in the editor (model, show tables, bowl,
// view and speed settings) to `path`, leaving the undo store as it was.
bool writeEditorFountain(EditorWindow& editor, const QString& path, QString* error);

} // namespace pluviane
