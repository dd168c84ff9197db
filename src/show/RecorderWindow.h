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
class ShowChain;
struct NumberBoxNames;

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
    QScrollBar* formNumberBar() const { return form_.number; }
    QScrollBar* formCountBar() const { return form_.count; }
    QScrollBar* sceneNumberBar() const { return scene_.number; }
    QScrollBar* sceneCountBar() const { return scene_.count; }
    QAbstractButton* recordFormButton() const { return form_.record; }
    QAbstractButton* recordFormNextButton() const { return form_.recordNext; }
    QAbstractButton* recordSceneButton() const { return scene_.record; }
    QAbstractButton* recordSceneNextButton() const { return scene_.recordNext; }

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
    // A number, its count and the two "Rec" buttons of the form or the scene box.
    struct NumberBox {
        QLabel* numberLabel = nullptr;
        QScrollBar* number = nullptr;
        QAbstractButton* record = nullptr;
        QAbstractButton* recordNext = nullptr;
        QLabel* countLabel = nullptr;
        QScrollBar* count = nullptr;
    };
    QGroupBox* buildNumberBox(const NumberBoxNames& names, NumberBox& controls);
    ShowChain& chain();

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
    NumberBox form_;
    NumberBox scene_;
};

} // namespace pluviane
