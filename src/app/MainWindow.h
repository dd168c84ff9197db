#pragma once

#include "model/FountainState.h"

#include <QTimer>
#include <QWidget>

class QDockWidget;
class QGroupBox;
class QLabel;
class QMainWindow;
class QPushButton;

namespace pluviane {

class AppWindows;
class PresetList;
class SceneView;

// The main window: the 3D view under a panel of preset buttons and labels.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(FountainState& state, AppWindows& windows);
    ~MainWindow() override;

    SceneView& scene() { return *scene_; }
    QTimer& renderTimer() { return timer1_; }
    PresetList& presets() { return *presets_; }

    // Sets the nozzle total label from the state.
    void showNozzleCount();

    // Loads a fountain file by name without a dialog (the preset list's load).
    bool OpenFontanFile(const QString& name);

    // Places the editor at the left edge and this window beside it.
    // Places a tool window `height` high along the foot of the 3D view, where
    // it covers neither the editor nor the preset buttons.
    void placeAtFootOfView(QWidget& window, int height);
    void ArrangeWindows();

    // Shows `content` (the show track) docked along the foot of the 3D view,
    // where playing never covers the fountain; the dock can float.
    void showDocked(QWidget& content);
    QDockWidget* dock() const { return dock_; }

    // One render tick: spins the field and redraws the view.
    void Timer1Timer();

    void SpeedButtonIsoClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    QWidget* buildPanel();

    FountainState& state_;
    AppWindows& windows_;
    SceneView* scene_ = nullptr;
    QMainWindow* dockHost_ = nullptr; // holds the view and the dock
    QDockWidget* dock_ = nullptr;
    QLabel* labelNozzles_ = nullptr;
    QGroupBox* recordBox_ = nullptr;
    PresetList* presets_ = nullptr;
    QTimer timer1_;
};

// "Форсунок всего : " followed by the count.
QString nozzleCountText(int count);

} // namespace pluviane
