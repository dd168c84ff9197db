#pragma once

#include "model/FountainState.h"
#include "render/SceneSettings.h"
#include "render/gl/SceneRenderer.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

namespace pluviane {

class EglContext;

// Where an offscreen frame gets its OpenGL context from.
enum class FrameContext {
    Auto,     // the window system's, else a headless one
    Window,   // the window system's (Qt's platform integration; X under Xvfb)
    Headless, // EGL on Mesa's surfaceless platform: no display needed
};

// Renders scenes without a window: an OpenGL context of its own, drawing into
// a framebuffer object of a fixed size with the program's one SceneRenderer.
// Serves picture tests, benchmarks, the video export and the command-line renderer.
class OffscreenFrame {
public:
    explicit OffscreenFrame(QSize size, const FountainState& state,
                            FrameContext context = FrameContext::Auto);
    ~OffscreenFrame();
    OffscreenFrame(const OffscreenFrame&) = delete;
    OffscreenFrame& operator=(const OffscreenFrame&) = delete;

    bool isValid() const { return valid_; }
    QSize size() const { return size_; }
    // Why no context could be made; empty when valid.
    const QString& error() const { return error_; }

    // Makes the context current and binds the framebuffer; later GL calls draw into it.
    void makeCurrent();

    // Loads a backdrop picture into this frame's context: textures are not
    // shared with the view's, so the state's handle means nothing here. Once
    // loaded, draw() shows this picture instead of the state's handle.
    void loadBackdrop(const QString& path);

    // Draws one frame, waits for it to finish, and leaves the context current.
    void draw(FountainState& state, const SceneSettings& settings);

    // The framebuffer's contents with rows in OpenGL's order: row 0 is the bottom of
    // the picture, so pixel (x, y) matches window coordinates. `mirrored()` of it is
    // the upright picture a person sees.
    QImage image();

    SceneRenderer& renderer() { return renderer_; }

private:
    bool createWindowContext();
    bool createHeadlessContext();

    QSize size_;
    std::unique_ptr<QOffscreenSurface> surface_;
    std::unique_ptr<QOpenGLContext> context_;
    std::unique_ptr<QOpenGLFramebufferObject> framebuffer_;
    std::unique_ptr<EglContext> headless_;
    SceneRenderer renderer_;
    std::int32_t backdrop_ = 0;
    bool valid_ = false;
    QString error_;
};

} // namespace pluviane
