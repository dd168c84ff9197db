#pragma once

#include "engine/ShowControls.h"

class QAbstractButton;
class QScrollBar;

namespace pluviane {

class AppWindows;

// The show's values in the program: each one is its real control, so setting
// one moves the bar or latch and its own handler runs as on a user's move.
// The counters and titles the sequencers only show are kept here and shown
// on the sequencer panel.
class WindowShowControls : public ShowControls {
public:
    explicit WindowShowControls(AppWindows& windows) : windows_(windows) {}

    int value(ShowValue what, int group = 0) const override;
    void setValue(ShowValue what, int group, int value) override;

private:
    // The bar or latch that holds `what`; nullptr for what is only shown.
    QScrollBar* bar(ShowValue what, int group) const;
    QAbstractButton* latch(ShowValue what) const;
    void show(ShowValue what, int value);

    AppWindows& windows_;
    int formTicks_ = 1;
    int sceneTicks_ = 1;
    int formShown_ = 1;
    int sceneShown_ = 1;
};

} // namespace pluviane
