#pragma once

#include "model/FountainState.h"
#include "render/SceneSettings.h"

#include <QWidget>

class QLabel;
class QStatusBar;
class QTabWidget;
class QToolBar;

namespace pluviane {

class AppWindows;
class ManualTab;
class BowlTab;
class JetTab;
class GroupTab;
class AutomatTab;
class OptionsTab;
class FileCommands;

// The editor: a narrow tool window with the file tool bar, six tabs and a status bar.
class EditorWindow : public QWidget {
    Q_OBJECT
public:
    EditorWindow(FountainState& state, AppWindows& windows);
    ~EditorWindow() override;

    AppWindows& windows() { return windows_; }
    FountainState& state() { return state_; }

    ManualTab& manualTab() { return *manual_; }
    BowlTab& bowlTab() { return *bowl_; }
    JetTab& jetTab() { return *jet_; }
    GroupTab& groupTab() { return *group_; }
    AutomatTab& automatTab() { return *automat_; }
    OptionsTab& optionsTab() { return *options_; }
    FileCommands& fileCommands() { return *files_; }

    QToolBar* toolBar() { return toolBar_; }
    QTabWidget* tabs() { return tabs_; }
    QStatusBar* statusBar() { return statusBar_; }
    // Shows a message in the status bar for as long as it takes to read; one
    // too long for the narrow bar is shown whole, wrapped, above it, and the
    // bar's tooltip keeps the last message after it has gone.
    void tell(const QString& text);

    // What the render tick reads from the editor's controls.
    SceneSettings sceneSettings() const;

    // Enables exactly the group buttons whose group owns a nozzle.
    void UpdateOnlyButtonGroup();

private:
    QWidget* buildTabRows();
    void showMessageWhole(const QString& text);

    FountainState& state_;
    AppWindows& windows_;
    QToolBar* toolBar_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* wholeMessage_ = nullptr;
    ManualTab* manual_ = nullptr;
    BowlTab* bowl_ = nullptr;
    JetTab* jet_ = nullptr;
    GroupTab* group_ = nullptr;
    AutomatTab* automat_ = nullptr;
    OptionsTab* options_ = nullptr;
    FileCommands* files_ = nullptr;
};

} // namespace pluviane
