#pragma once

#include "model/FountainState.h"
#include "render/SceneSettings.h"
#include "render/gl/SceneRenderer.h"

#include <QOpenGLWidget>
#include <QString>

#include <functional>

namespace pluviane {

// The 3D view of the main window: owns the OpenGL context through the widget,
// draws a frame from the state and the editor's settings, and turns mouse
// drags and cursor keys into view changes.
class SceneView : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit SceneView(FountainState& state, QWidget* parent = nullptr);
    ~SceneView() override;

    void setSettingsSource(std::function<SceneSettings()> source);
    SceneSettings currentSettings() const;

    // Loads a backdrop picture into the state's texture handle. Before the
    // context exists the load waits for it.
    void loadBackdrop(const QString& path);

    bool isReady() const { return ready_; }

signals:
    // The OpenGL set-up is complete; the render tick may start.
    void ready();

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void loadTextureNow(const QString& path);
    void releaseGl();

    FountainState& state_;
    SceneRenderer renderer_;
    std::function<SceneSettings()> settingsSource_;
    QString pendingBackdrop_;
    float orbit_ = 0; // the realistic look's turn about the bowl, by the mouse
    bool ready_ = false;
    // Outlives this object's own destructor unless cut there: the context
    // goes away inside the base class's destructor.
    QMetaObject::Connection contextEnding_;
};

} // namespace pluviane
