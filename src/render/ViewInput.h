#pragma once

#include "model/FountainState.h"

namespace pluviane {

enum class ViewButton { Left, Right, Middle };
enum class ViewKey { Shift, Ctrl, Left, Right, Up, Down, Other };

// Mouse and keyboard handling of the 3D view: drags turn and move the scene,
// the cursor keys nudge it, Shift and Ctrl choose what the cursor keys do.
void viewMousePressed(FountainState& s, ViewButton button, int x, int y);
void viewMouseMoved(FountainState& s, int x, int y);
void viewMouseReleased(FountainState& s, ViewButton button);
void viewKeyPressed(FountainState& s, ViewKey key);
void viewKeyReleased(FountainState& s, ViewKey key);

// The view part of "ISOMETR".
void setIsometricView(FountainState& s);

// Turns the field by one tick of the spin control (50 stands still) and wraps at 360.
void advanceFieldSpin(FountainState& s, int spinPosition);

// Aspect ratio of the view, guarding a client area of zero height.
double viewAspect(int width, int height);

} // namespace pluviane
