#pragma once

#include "model/FountainState.h"

#include <QKeySequence>
#include <QString>

#include <memory>

namespace pluviane {

class MainWindow;
class EditorWindow;
class AboutWindow;
class RecorderWindow;
class HelpWindow;
class TimelineWindow;
class ShowEngine;
class WindowShowControls;

// The key that brings the editor back.
extern const QKeySequence kShowEditorKeys;

// The program's five windows, created in their fixed order: main window,
// editor, about window, scenario recorder, help window. They reach each other
// through this set once all of them exist.
class AppWindows {
public:
    explicit AppWindows(FountainState& state);
    ~AppWindows();
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;

    FountainState& state() { return state_; }
    MainWindow& main() { return *main_; }
    EditorWindow& editor() { return *editor_; }
    AboutWindow& about() { return *about_; }
    RecorderWindow& recorder() { return *recorder_; }
    HelpWindow& help() { return *help_; }
    TimelineWindow& timeline() { return *timeline_; }
    // The show on the windows' controls.
    ShowEngine& show() { return *show_; }

    // Opens the fountain file the program was started with (a desktop's double
    // click). The start-up preset is then never loaded over it, also when the
    // file turns out bad: the program starts with the file asked for, or empty.
    bool openFountainGivenAtStart(const QString& name);

    // The program's own start: keeps recovery copies from now on and offers
    // those of programs that ended without their user. The start-up preset
    // never loads over a restored fountain.
    void startRecovery();

    // Told to stop (SIGTERM, SIGHUP, Ctrl+C): a changed fountain goes to its
    // recovery copy and the program closes at once, asking nothing.
    void stopKeepingWork();
    // Brings the editor back on the screen (its close box only hides it).
    void showEditor();

private:
    // The desktop's keys for the file commands, help and the editor, in every window.
    void addShortcuts();

    FountainState& state_;
    // Made first and gone last: the windows' handlers forward to the show.
    std::unique_ptr<WindowShowControls> showControls_;
    std::unique_ptr<ShowEngine> show_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<EditorWindow> editor_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<RecorderWindow> recorder_;
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<TimelineWindow> timeline_;
};

} // namespace pluviane
