#include "render/ViewInput.h"

namespace pluviane {

void viewMousePressed(FountainState& s, ViewButton button, int x, int y)
{
    if (button == ViewButton::Right) {
        s.DragPan = false;
        s.DragRotate = true;
    } else if (button == ViewButton::Left) {
        s.DragRotate = false;
        s.DragPan = true;
    }
    s.MouseLastX = x;
    s.MouseLastY = y;
}

void viewMouseMoved(FountainState& s, int x, int y)
{
    if (s.DragRotate) {
        s.ViewAngleY += x - s.MouseLastX;
        s.ViewAngleZ -= y - s.MouseLastY;
    }
    if (s.DragPan) {
        s.ViewPanX -= (s.MouseLastX - x) / 16.0;
        s.ViewPanY -= (y - s.MouseLastY) / 16.0;
    }
    s.MouseLastX = x;
    s.MouseLastY = y;
}

void viewMouseReleased(FountainState& s, ViewButton button)
{
    if (button == ViewButton::Right)
        s.DragRotate = false;
    else if (button == ViewButton::Left)
        s.DragPan = false;
}

void viewKeyPressed(FountainState& s, ViewKey key)
{
    // The modifier is recorded first; the cursor test then runs on the same event.
    if (key == ViewKey::Shift)
        s.KeyMode = 1;
    else if (key == ViewKey::Ctrl)
        s.KeyMode = 2;

    switch (s.KeyMode) {
    case 0:
        if (key == ViewKey::Left) s.ViewPanX -= 0.1;
        if (key == ViewKey::Right) s.ViewPanX += 0.1;
        if (key == ViewKey::Up) s.ViewPanY += 0.1;
        if (key == ViewKey::Down) s.ViewPanY -= 0.1;
        break;
    case 1:
        if (key == ViewKey::Left) s.ViewAngleX += 1;
        if (key == ViewKey::Right) s.ViewAngleX -= 1;
        if (key == ViewKey::Up) s.ViewAngleZ += 1;
        if (key == ViewKey::Down) s.ViewAngleZ -= 1;
        break;
    case 2:
        if (key == ViewKey::Left) s.ViewAngleY -= 1;
        if (key == ViewKey::Right) s.ViewAngleY += 1;
        break;
    default:
        break;
    }
}

void viewKeyReleased(FountainState& s, ViewKey key)
{
    if (key == ViewKey::Shift || key == ViewKey::Ctrl)
        s.KeyMode = 0;
}

void setIsometricView(FountainState& s)
{
    s.ViewAngleY = 10;
    s.ViewAngleZ = 342;
    s.ViewAngleX = 0;
    s.ViewPanX = 0;
    s.ViewPanY = -15;
}

void advanceFieldSpin(FountainState& s, int spinPosition)
{
    s.ViewAngleY += (spinPosition - 50) / 10.0;
    if (s.ViewAngleY >= 360)
        s.ViewAngleY = 0;
}

double viewAspect(int width, int height)
{
    return height > 0 ? static_cast<double>(width) / height : 1.0;
}

} // namespace pluviane
