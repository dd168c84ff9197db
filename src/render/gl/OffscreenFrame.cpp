#include "render/gl/OffscreenFrame.h"

#include "render/gl/EglContext.h"
#include "render/gl/Texture.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>

#include <GL/gl.h>

#include <utility>

namespace pluviane {

OffscreenFrame::OffscreenFrame(QSize size, const FountainState& state, FrameContext context)
    : size_(size)
{
    if (size.width() < 1 || size.height() < 1) {
        error_ = QCoreApplication::translate("pluviane::OffscreenFrame", "empty picture size");
        return;
    }
    bool made = false;
    if (context != FrameContext::Headless)
        made = createWindowContext();
    if (!made && context != FrameContext::Window)
        made = createHeadlessContext();
    if (!made)
        return;
    renderer_.init3d(state);
    renderer_.resize(size.width(), size.height());
    valid_ = true;
}

OffscreenFrame::~OffscreenFrame()
{
    if (valid_) {
        makeCurrent();
        renderer_.releaseGl();
    }
    if (valid_ && backdrop_ != 0) {
        const auto texture = static_cast<GLuint>(backdrop_);
        glDeleteTextures(1, &texture);
    }
    if (context_ && surface_ && context_->makeCurrent(surface_.get())) {
        framebuffer_.reset();
        context_->doneCurrent();
    }
}

bool OffscreenFrame::createWindowContext()
{
    if (QGuiApplication::instance() == nullptr)
        return false;
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);

    context_ = std::make_unique<QOpenGLContext>();
    context_->setFormat(format);
    surface_ = std::make_unique<QOffscreenSurface>();
    if (!context_->create()) {
        error_ = QCoreApplication::translate("pluviane::OffscreenFrame", "the window system offers no OpenGL");
        return false;
    }
    surface_->setFormat(context_->format());
    surface_->create();
    if (!surface_->isValid() || !context_->makeCurrent(surface_.get())) {
        error_ = QCoreApplication::translate("pluviane::OffscreenFrame",
                                             "the window system's OpenGL context cannot be used");
        return false;
    }

    QOpenGLFramebufferObjectFormat fboFormat;
    fboFormat.setAttachment(QOpenGLFramebufferObject::Depth);
    framebuffer_ = std::make_unique<QOpenGLFramebufferObject>(size_, fboFormat);
    if (!framebuffer_->isValid()) {
        error_ = QCoreApplication::translate("pluviane::OffscreenFrame",
                                             "no memory for a %1 x %2 picture")
                                                 .arg(size_.width()).arg(size_.height());
        return false;
    }
    framebuffer_->bind();
    return true;
}

bool OffscreenFrame::createHeadlessContext()
{
    // A failed window context leaves nothing current that the headless one could clash with.
    if (context_)
        context_->doneCurrent();
    framebuffer_.reset();
    context_.reset();
    surface_.reset();
    headless_ = std::make_unique<EglContext>(size_);
    if (!headless_->isValid()) {
        error_ = headless_->error();
        headless_.reset();
        return false;
    }
    error_.clear();
    return true;
}

void OffscreenFrame::makeCurrent()
{
    if (!valid_)
        return;
    if (headless_) {
        headless_->makeCurrent();
        return;
    }
    context_->makeCurrent(surface_.get());
    framebuffer_->bind();
}

void OffscreenFrame::loadBackdrop(const QString& path)
{
    if (!valid_)
        return;
    makeCurrent();
    oglLoadTexture(path.toLocal8Bit().constData(), 0, &backdrop_);
}

void OffscreenFrame::draw(FountainState& state, const SceneSettings& settings)
{
    if (!valid_)
        return;
    makeCurrent();
    if (backdrop_ != 0) {
        // The state's handle names a texture of the view's context; lend it ours for this frame.
        const std::int32_t viewTexture = std::exchange(state.TextureId, backdrop_);
        renderer_.drawFrame(state, settings);
        state.TextureId = viewTexture;
    } else {
        renderer_.drawFrame(state, settings);
    }
    glFinish();
}

QImage OffscreenFrame::image()
{
    if (!valid_)
        return {};
    if (headless_)
        return headless_->image();
    makeCurrent();
    return framebuffer_->toImage(false);
}

} // namespace pluviane
