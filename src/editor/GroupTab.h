#pragma once

#include "model/FountainState.h"
#include "model/GroupBuilder.h"

#include <QWidget>

#include <array>

class QGridLayout;
class QLabel;
class QPushButton;
class QScrollBar;
class QVBoxLayout;

namespace pluviane {

class EditorWindow;
class RadioGroup;

// The "Группы" tab: builds a run of nozzles into one group on a collector
// shape, live, and keeps each group's settings in its recipe row. The
// settings are the positions of the tab's controls; nothing else is kept.
class GroupTab : public QWidget {
    Q_OBJECT
public:
    GroupTab(FountainState& state, EditorWindow& editor);

    // Rebuilds the current group from the controls.
    void BuildGroup();
    // Writes the controls into the current group's recipe row.
    void SaveFadersOfGroup();
    // Loads recipe row `group` (16 shares row 15) into the controls and rebuilds.
    void LoadFaderGroup(int group);
    // Enables exactly the group buttons whose group owns a nozzle.
    void UpdateOnlyButtonGroup();

    // The builder's settings as the controls stand.
    GroupParams params() const;

    void SpeedButtonOkAvtoClick();        // "Записать"
    void SpeedButtonOkplusClick();        // "Записать+новая группа"
    void SpeedButtonNormalGroupClick();   // "Норма-поворот"
    void SpeedButtonDelGroupClick();      // "Удалить группу"
    void SpeedButtonnormHiClick();        // "Весь фонтан"
    void SpeedButtonGroupClick(int group);

    QScrollBar* startBar() const { return start_; }              // ScrollBarBegSt
    QScrollBar* countBar() const { return count_; }              // ScrollBarKolvoStr
    QScrollBar* groupNumberBar() const { return group_; }        // ScrollBarNform
    RadioGroup* shapeChoice() const { return shape_; }           // RadioGroupTips
    QScrollBar* sizeBar() const { return size_; }                // ScrollBarRazmObj
    QScrollBar* proportionBar() const { return proportion_; }    // ScrollBarSquach
    QScrollBar* centreXBar() const { return centreX_; }          // ScrollBarSmeshX
    QScrollBar* centreZBar() const { return centreZ_; }          // ScrollBarSmeshZ
    QScrollBar* groupRotationBar() const { return groupRotation_; } // ScrollBarrotObj
    QScrollBar* jetRotationBar() const { return jetRotation_; }  // ScrollBarRotStruaa
    QScrollBar* heightBar() const { return height_; }            // ScrollBarStrHigha
    QScrollBar* tiltBar() const { return tilt_; }                // ScrollBarStrWidta
    QScrollBar* foamBar() const { return foam_; }                // ScrollBarDiamPnta
    QScrollBar* extraBar() const { return extra_; }              // ScrollBarDopFunk
    QPushButton* groupButton(int group) const;                   // SpeedButtonGroup01..16

private:
    void takeOverRun(int group);
    void showCount();
    void buildRange(QVBoxLayout* layout);
    void buildShape(QVBoxLayout* layout);
    void buildJets(QVBoxLayout* layout);
    void buildButtons(QVBoxLayout* layout);
    QScrollBar* addBar(QVBoxLayout* layout, const char* name, int minimum, int maximum, int value,
                       int largeStep = 1, const QString& hint = {});
    QLabel* addLabel(QVBoxLayout* layout, const char* name, const QString& text);

    void ScrollBarBegStChange();
    void ScrollBarKolvoStrChange();
    void ScrollBarNformChange();
    void ScrollBarSizeChange();
    void ScrollBarRotationChange();
    void ScrollBarDiamPntaChange();
    void ScrollBarStrHighaChange();
    void ScrollBarStrWidtaChange();
    void ScrollBarDopFunkChange();
    void ScrollBarShiftChange();
    void applyAutoVariation();
    void showRoomMessage();

    FountainState& state_;
    EditorWindow& editor_;
    // Set while the count is being fitted to the shape, so that the builds it
    // triggers do not fit it again (near the nozzle limit that would never end).
    bool fittingCount_ = false;
    // Set when a group without a recipe was chosen whose nozzles the start and
    // count bars cannot describe: nothing is built until the user sets a
    // start or a count, so no other group loses its nozzles.
    bool buildHeld_ = false;

    QScrollBar* start_ = nullptr;
    QScrollBar* count_ = nullptr;
    QScrollBar* group_ = nullptr;
    RadioGroup* shape_ = nullptr;
    QScrollBar* size_ = nullptr;
    QScrollBar* proportion_ = nullptr;
    QScrollBar* centreX_ = nullptr;
    QScrollBar* centreZ_ = nullptr;
    QScrollBar* groupRotation_ = nullptr;
    QScrollBar* jetRotation_ = nullptr;
    QScrollBar* height_ = nullptr;
    QScrollBar* tilt_ = nullptr;
    QScrollBar* foam_ = nullptr;
    QScrollBar* extra_ = nullptr;

    QLabel* rangeLabel_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QLabel* groupLabel_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QLabel* shiftLabel_ = nullptr;
    QLabel* rotationLabel_ = nullptr;
    QLabel* heightLabel_ = nullptr;
    QLabel* foamLabel_ = nullptr;
    QLabel* extraLabel_ = nullptr;

    std::array<QPushButton*, kMaxGroup + 1> groupButtons_{};
};

} // namespace pluviane
