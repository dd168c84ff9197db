#include "app/SceneView.h"

#include "render/ViewInput.h"
#include "render/gl/Texture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>

#include <cmath>

#include <GL/gl.h>

namespace pluviane {

namespace {

bool toViewButton(Qt::MouseButton button, ViewButton& out)
{
    switch (button) {
    case Qt::LeftButton: out = ViewButton::Left; return true;
    case Qt::RightButton: out = ViewButton::Right; return true;
    case Qt::MiddleButton: out = ViewButton::Middle; return true;
    default: return false;
    }
}

ViewKey toViewKey(int key)
{
    switch (key) {
    case Qt::Key_Shift: return ViewKey::Shift;
    case Qt::Key_Control: return ViewKey::Ctrl;
    case Qt::Key_Left: return ViewKey::Left;
    case Qt::Key_Right: return ViewKey::Right;
    case Qt::Key_Up: return ViewKey::Up;
    case Qt::Key_Down: return ViewKey::Down;
    default: return ViewKey::Other;
    }
}

} // namespace

SceneView::SceneView(FountainState& state, QWidget* parent) : QOpenGLWidget(parent), state_(state)
{
    setObjectName("SceneView");
    setAccessibleName("SceneView");
    setCursor(Qt::SizeAllCursor);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(1, 1);
    setMouseTracking(true); // the last pointer position is followed without a drag too
}

SceneView::~SceneView()
{
    disconnect(contextEnding_);
    releaseGl();
}

void SceneView::releaseGl()
{
    if (!ready_)
        return;
    makeCurrent();
    renderer_.releaseGl();
    if (state_.TextureId != 0) {
        const auto texture = static_cast<GLuint>(state_.TextureId);
        glDeleteTextures(1, &texture);
        state_.TextureId = 0;
    }
    doneCurrent();
    ready_ = false;
}

void SceneView::setSettingsSource(std::function<SceneSettings()> source)
{
    settingsSource_ = std::move(source);
}

SceneSettings SceneView::currentSettings() const
{
    return settingsSource_ ? settingsSource_() : SceneSettings{};
}

void SceneView::loadBackdrop(const QString& path)
{
    if (!ready_) {
        pendingBackdrop_ = path;
        return;
    }
    makeCurrent();
    loadTextureNow(path);
    doneCurrent();
}

void SceneView::loadTextureNow(const QString& path)
{
    oglLoadTexture(path.toLocal8Bit().constData(), 0, &state_.TextureId);
}

void SceneView::initializeGL()
{
    renderer_.init3d(state_);
    ready_ = true;
    if (!pendingBackdrop_.isEmpty()) {
        loadTextureNow(pendingBackdrop_);
        pendingBackdrop_.clear();
    }
    // The context goes away with the window; let go of our objects first.
    disconnect(contextEnding_);
    contextEnding_ = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this,
                             &SceneView::releaseGl, Qt::DirectConnection);
    emit ready();
}

void SceneView::resizeGL(int width, int height)
{
    renderer_.resize(width, height);
}

void SceneView::paintGL()
{
    SceneSettings settings = currentSettings();
    settings.orbit = orbit_;
    renderer_.drawFrame(state_, settings);
}

void SceneView::mousePressEvent(QMouseEvent* event)
{
    ViewButton button;
    if (!toViewButton(event->button(), button))
        return;
    const QPoint p = event->position().toPoint();
    viewMousePressed(state_, button, p.x(), p.y());
}

void SceneView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    // In the realistic look a sideways drag with the turning button circles
    // the bowl about its vertical axis, as a visitor walks round it; every
    // other rule of the view stays as it is.
    if (state_.DragRotate && currentSettings().look == Look::Realistic) {
        constexpr float kDegreesPerPixel = 0.5f;
        orbit_ = std::fmod(orbit_ + static_cast<float>(p.x() - state_.MouseLastX) * kDegreesPerPixel, 360.0f);
        state_.MouseLastX = p.x();
    }
    viewMouseMoved(state_, p.x(), p.y());
}

void SceneView::mouseReleaseEvent(QMouseEvent* event)
{
    ViewButton button;
    if (toViewButton(event->button(), button))
        viewMouseReleased(state_, button);
}

void SceneView::keyPressEvent(QKeyEvent* event)
{
    const ViewKey key = toViewKey(event->key());
    if (key == ViewKey::Other) {
        QOpenGLWidget::keyPressEvent(event);
        return;
    }
    viewKeyPressed(state_, key);
}

void SceneView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return;
    viewKeyReleased(state_, toViewKey(event->key()));
}

} // namespace pluviane
