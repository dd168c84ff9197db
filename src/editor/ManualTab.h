#pragma once

#include "model/FountainState.h"

#include <QWidget>

#include <array>

class QGridLayout;
class QLabel;
class QScrollBar;

namespace pluviane {

class EditorWindow;

// The "Управление" tab: the level and colour faders of groups 1..12, the
// saturation and brightness of all twelve colours and the quick-set buttons.
// The show drives the fountain through these faders, so every position set
// from code runs the same handling as a user's move, and only on a change.
class ManualTab : public QWidget {
    Q_OBJECT
public:
    ManualTab(FountainState& state, EditorWindow& editor);

    // Faders of group 1..12; nullptr for any other number.
    QScrollBar* levelFader(int group) const;
    QScrollBar* colourFader(int group) const;
    QScrollBar* saturationBar() const { return saturation_; }
    QScrollBar* brightnessBar() const { return brightness_; }
    QScrollBar* allLevelsBar() const { return allLevels_; }

    // Turns a colour position into the group's light colour under the current
    // saturation and brightness and stores it in GroupColour.
    void ColorChange(int group, int value);

    void SpeedButtonAlMaxClick();
    void SpeedButtonAllMinClick();
    void SpeedButtonAllWhiteClick();
    void SpeedButtonRaznColorClick();

private:
    void buildFaders(QGridLayout* grid);
    void ScrollBarColoredChange(int value);
    void ScrollBarBrightAllChange(int value);
    void ScrollBaralltreChange(int value);
    void recomputeColours();
    void setAllLevels(int value);

    FountainState& state_;
    EditorWindow& editor_;
    std::array<QScrollBar*, kFaderGroups + 1> levels_{};
    std::array<QScrollBar*, kFaderGroups + 1> colours_{};
    QScrollBar* saturation_ = nullptr;
    QScrollBar* brightness_ = nullptr;
    QScrollBar* allLevels_ = nullptr;
    QLabel* saturationLabel_ = nullptr;
    QLabel* brightnessLabel_ = nullptr;
};

} // namespace pluviane
