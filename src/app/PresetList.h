#pragma once

#include "model/FountainState.h"
#include "model/ProfileFile.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <utility>

class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace pluviane {

class AppWindows;
class ElidedLabel;
class MainWindow;

constexpr int kPresetSlots = 14;

// The fourteen one-click presets of the main window: each slot of the
// settings file names a fountain file, a backdrop picture and a cost text.
// Also the recording panel that stores the slots, and the start-up load three
// seconds after start.
class PresetList : public QObject {
    Q_OBJECT
public:
    PresetList(FountainState& state, AppWindows& windows, MainWindow& main);

    // The slot buttons "Театр1".."Театр7", a gap, "Слава1".."Слава7".
    void addSlotButtons(QWidget* panel, QHBoxLayout* row);
    // "По смете : ", red and larger: the cost of the slot last loaded.
    QLabel* makeCostLabel(QWidget* panel);
    // Fills the hidden recording panel.
    void buildRecorder(QGroupBox* box);

    // Tests keep their settings in a file of their own.
    void setSettingsPath(const QString& path) { settingsPath_ = path; }
    const QString& settingsPath() const { return settingsPath_; }
    QTimer& timerCreate() { return timerCreate_; }

    // Shows the recording panel over the view and refreshes it.
    void showRecorder();

    void UpdateAlIni();
    void IniSaveButton(const QString& slot, const QString& cost);
    void IniReadButton(const QString& slot);
    void TimerCreateTimer();

private:
    ProfileFile readSettings() const;
    bool write(const QList<std::pair<QString, QString>>& values);
    void loadBackdropIfPresent(const QString& path);
    void showCost(const QString& cost);

    FountainState& state_;
    AppWindows& windows_;
    MainWindow& main_;
    QString settingsPath_;
    QGroupBox* recorder_ = nullptr;
    ElidedLabel* cost_ = nullptr;
    std::array<QLineEdit*, kPresetSlots> costEdits_{};
    QCheckBox* saveFirst_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QTimer timerCreate_;
};

} // namespace pluviane
