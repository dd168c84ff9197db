#pragma once

#include "model/FountainState.h"
#include "video/VideoEncoder.h"

#include <QWidget>

#include <functional>

class QToolButton;

namespace pluviane {

class EditorWindow;

// Removes the snapshot folders that exports killed mid-way left in the
// temporary folder; the program does it at start and before each export.
void removeKilledExportSnapshots();

// Exports the show as it stands in the editor to an MP4 video: the fountain,
// its show tables, speed bars, bowl and view, played from form 1 and scene 1
// in simulated time, with the opened sound file when there is one.
class ExportPanel : public QWidget {
    Q_OBJECT
public:
    ExportPanel(FountainState& state, EditorWindow& editor);

    QToolButton* exportButton() const { return exportButton_; }

    // Size and frame rate of the video; its length is the sound's, else `seconds`.
    VideoOptions& videoOptions() { return options_; }

    // Replaces the save dialog (tests answer for the user); empty cancels.
    void setVideoChooser(std::function<QString(QWidget*)> chooser);

    // The sound file to play along; empty for none. The music panel tells it.
    void setMusicSource(std::function<QString()> source);

    void SpeedButtonExportVideoClick();

private:
    QString chooseVideo();
    void tell(const QString& text);

    FountainState& state_;
    EditorWindow& editor_;
    QToolButton* exportButton_ = nullptr;
    VideoOptions options_;
    std::function<QString(QWidget*)> chooser_;
    std::function<QString()> music_;
};

} // namespace pluviane
