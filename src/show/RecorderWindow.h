#pragma once

#include "model/FountainState.h"

#include <QWidget>

#include <array>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QScrollBar;

namespace pluviane {

class AppWindows;
class ManualTab;

// The scenario recorder: records forms (pressure and rise rate per group) and
// scenes (colour per group) into the show tables, and is the live path from
// the sequencers to the editor's faders. Its four number bars are the show's
// only counters: current form, form count, current scene, scene count.
class RecorderWindow : public QWidget {
    Q_OBJECT
public:
    RecorderWindow(FountainState& state, AppWindows& windows);

    // Bars of group 1..12; nullptr for any other number.
    QScrollBar* pressureBar(int group) const;
    QScrollBar* riseRateBar(int group) const;
    QScrollBar* colourBar(int group) const;
    QScrollBar* allPressureBar() const { return allPressure_; }
    QScrollBar* allColourBar() const { return allColour_; }
    QScrollBar* formNumberBar() const { return formNumber_; }
    QScrollBar* formCountBar() const { return formCount_; }
    QScrollBar* sceneNumberBar() const { return sceneNumber_; }
    QScrollBar* sceneCountBar() const { return sceneCount_; }
    QAbstractButton* recordFormButton() const { return recordForm_; }
    QAbstractButton* recordFormNextButton() const { return recordFormNext_; }
    QAbstractButton* recordSceneButton() const { return recordScene_; }
    QAbstractButton* recordSceneNextButton() const { return recordSceneNext_; }

    void SpeedButtonRecFormClick();
    void SpeedButtonRecFormPlusClick();
    void SpeedButtonRecScenClick();
    void SpeedButtonRecScenPlusClick();

    // Shows form n on the bars (while the form sequencer is stopped) and
    // scene s on the colours: what showing or activating the window does.
    void refreshFromTables();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QGroupBox* buildGroupBars(const QString& title, const char* barPrefix,
                              std::array<QScrollBar*, kFaderGroups + 1>& bars,
                              QScrollBar** allBar = nullptr, const char* allName = nullptr);
    QGroupBox* buildFormBox();
    QGroupBox* buildSceneBox();
    ManualTab& manual();
    bool formSequencerStopped();

    void ScrollBarPressChange(int group, int value);
    void ScrollBarColorChange(int group, int value);
    void ScrollBarallColorChange(int value);
    void ScrollBarAllPressChange(int value);
    void ScrollBarNformChange(int form);
    void ScrollBarMaxFormChange(int count);
    void ScrollBarNscenChange(int scene);
    void ScrollBarMaxScenChange(int count);

    FountainState& state_;
    AppWindows& windows_;
    std::array<QScrollBar*, kFaderGroups + 1> pressure_{};
    std::array<QScrollBar*, kFaderGroups + 1> riseRate_{};
    std::array<QScrollBar*, kFaderGroups + 1> colour_{};
    QScrollBar* allPressure_ = nullptr;
    QScrollBar* allColour_ = nullptr;
    QScrollBar* formNumber_ = nullptr;
    QScrollBar* formCount_ = nullptr;
    QScrollBar* sceneNumber_ = nullptr;
    QScrollBar* sceneCount_ = nullptr;
    QLabel* formNumberLabel_ = nullptr;
    QLabel* formCountLabel_ = nullptr;
    QLabel* sceneNumberLabel_ = nullptr;
    QLabel* sceneCountLabel_ = nullptr;
    QAbstractButton* recordForm_ = nullptr;
    QAbstractButton* recordFormNext_ = nullptr;
    QAbstractButton* recordScene_ = nullptr;
    QAbstractButton* recordSceneNext_ = nullptr;
};

} // namespace pluviane
