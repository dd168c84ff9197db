#pragma once

#include "model/FountainState.h"
#include "render/SceneSettings.h"
#include "render/gl/SceneRenderer.h"

#include <QImage>
#include <QSize>

#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

namespace pluviane {

// Renders scenes without a window: an OpenGL context of its own on an
// offscreen surface, drawing into a framebuffer object of a fixed size.
// Serves picture tests, benchmarks and tools that turn a fountain into an image.
class OffscreenFrame {
public:
    explicit OffscreenFrame(QSize size, const FountainState& state);
    ~OffscreenFrame();
    OffscreenFrame(const OffscreenFrame&) = delete;
    OffscreenFrame& operator=(const OffscreenFrame&) = delete;

    bool isValid() const { return valid_; }
    QSize size() const { return size_; }

    // Makes the context current and binds the framebuffer; later GL calls draw into it.
    void makeCurrent();

    // Draws one frame, waits for it to finish, and leaves the context current.
    void draw(FountainState& state, const SceneSettings& settings);

    // The framebuffer's contents with rows in OpenGL's order: row 0 is the bottom of
    // the picture, so pixel (x, y) matches window coordinates. `mirrored()` of it is
    // the upright picture a person sees.
    QImage image();

    SceneRenderer& renderer() { return renderer_; }

private:
    QSize size_;
    std::unique_ptr<QOffscreenSurface> surface_;
    std::unique_ptr<QOpenGLContext> context_;
    std::unique_ptr<QOpenGLFramebufferObject> framebuffer_;
    SceneRenderer renderer_;
    bool valid_ = false;
};

} // namespace pluviane
