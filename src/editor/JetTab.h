#pragma once

#include "model/FountainState.h"

#include <QWidget>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QScrollBar;
class QVBoxLayout;

namespace pluviane {

class EditorWindow;

// The "Ред.Струи" tab: one nozzle at a time. The selector loads the nozzle's
// values into the bars; every change of a bar writes its position straight
// back into that nozzle.
class JetTab : public QWidget {
    Q_OBJECT
public:
    JetTab(FountainState& state, EditorWindow& editor);

    // The nozzle being edited: the selector's position.
    int selectedNozzle() const;

    void ScrollBarStrujaChange();

private:
    QScrollBar* addBar(QVBoxLayout* layout, const char* name, const char* labelName,
                       const QString& startText, int minimum, int maximum, int start,
                       QLabel** label, QHBoxLayout** row = nullptr);
    void addQuickSet(QHBoxLayout* row, const char* name, const QString& caption, QScrollBar* bar,
                     int value);
    void connectValueBars();
    // Runs `store` on the selected nozzle and relabels whenever `bar` changes.
    template <typename Text, typename Store>
    void onChange(QScrollBar* bar, QLabel* label, Text text, Store store);

    FountainState& state_;
    EditorWindow& editor_;

    QScrollBar* selector_ = nullptr;
    QScrollBar* group_ = nullptr;
    QScrollBar* foam_ = nullptr;
    QScrollBar* height_ = nullptr;
    QScrollBar* tilt_ = nullptr;
    QScrollBar* spin_ = nullptr;
    QScrollBar* posX_ = nullptr;
    QScrollBar* posY_ = nullptr;
    QScrollBar* posZ_ = nullptr;
    QScrollBar* fill_ = nullptr;

    QLabel* selectorLabel_ = nullptr;
    QLabel* groupLabel_ = nullptr;
    QLabel* foamLabel_ = nullptr;
    QLabel* heightLabel_ = nullptr;
    QLabel* tiltLabel_ = nullptr;
    QLabel* spinLabel_ = nullptr;
    QLabel* posXLabel_ = nullptr;
    QLabel* posYLabel_ = nullptr;
    QLabel* posZLabel_ = nullptr;
    QLabel* fillLabel_ = nullptr;
    QCheckBox* global_ = nullptr;
};

} // namespace pluviane
