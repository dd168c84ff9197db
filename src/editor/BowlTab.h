#pragma once

#include "model/FountainState.h"
#include "render/SceneSettings.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QVBoxLayout;

namespace pluviane {

class ColourGrid;
class EditorWindow;

// The "Чаша" tab: the bowl's outline, size and colours, the backdrop picture,
// the view's zoom and spin with their resets, and the grid planes and axes.
// The render tick reads these controls on every frame.
class BowlTab : public QWidget {
    Q_OBJECT
public:
    BowlTab(FountainState& state, EditorWindow& editor);

    SceneSettings sceneSettings() const;

    QScrollBar* spinBar() const { return rotField_; }
    QScrollBar* zoomBar() const { return zoom_; }
    QCheckBox* cupCheck() const { return cup_; }
    QCheckBox* backdropCheck() const { return ground_; }
    QCheckBox* realWaterCheck() const { return realWater_; }
    QPushButton* openCupButton() const { return openCup_; }

    // Loads a backdrop picture, switches the backdrop on and remembers its name.
    void useBackdropPicture(const QString& path);

private:
    void buildBowl(QVBoxLayout* layout);
    void buildBackdrop(QVBoxLayout* layout);
    void buildView(QVBoxLayout* layout);
    void SpeedButtonImageGndClick();
    void ScrollBarXChange();
    void ScrollBaryChange();
    void ScrollBarRotFieldChange();
    void showSpinLabel();
    void CheckBoxRealWaterClick(bool checked);

    FountainState& state_;
    EditorWindow& editor_;

    QScrollBar* cupWidth_ = nullptr;
    QScrollBar* cupDepth_ = nullptr;
    QScrollBar* cupWall_ = nullptr;
    QScrollBar* cupCorners_ = nullptr;
    QScrollBar* cupTurn_ = nullptr;
    QCheckBox* cup_ = nullptr;
    QCheckBox* loadCup_ = nullptr;
    QPushButton* openCup_ = nullptr;
    ColourGrid* gridBottom_ = nullptr;
    ColourGrid* gridOuter_ = nullptr;
    ColourGrid* gridTop_ = nullptr;
    ColourGrid* gridInner_ = nullptr;

    QCheckBox* ground_ = nullptr;
    QCheckBox* night_ = nullptr;
    QScrollBar* brightness_ = nullptr;
    QScrollBar* sizeX_ = nullptr;
    QScrollBar* sizeY_ = nullptr;
    QLabel* labelX_ = nullptr;
    QLabel* labelY_ = nullptr;
    QCheckBox* together_ = nullptr;

    QScrollBar* zoom_ = nullptr;
    QLabel* labelZoom_ = nullptr;
    QScrollBar* rotField_ = nullptr;
    QLabel* labelRotField_ = nullptr;
    QCheckBox* planeXY_ = nullptr;
    QCheckBox* planeYZ_ = nullptr;
    QCheckBox* planeXZ_ = nullptr;
    QCheckBox* axisX_ = nullptr;
    QCheckBox* axisY_ = nullptr;
    QCheckBox* axisZ_ = nullptr;

    // The look is the user's, not the fountain's: kept in the settings file.
    QCheckBox* realWater_ = nullptr;
    QString settingsPath_;
};

} // namespace pluviane
