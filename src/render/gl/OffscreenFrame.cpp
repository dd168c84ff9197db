#include "render/gl/OffscreenFrame.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>

#include <GL/gl.h>

namespace pluviane {

OffscreenFrame::OffscreenFrame(QSize size, const FountainState& state) : size_(size)
{
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);

    context_ = std::make_unique<QOpenGLContext>();
    context_->setFormat(format);
    if (!context_->create())
        return;
    surface_ = std::make_unique<QOffscreenSurface>();
    surface_->setFormat(context_->format());
    surface_->create();
    if (!surface_->isValid() || !context_->makeCurrent(surface_.get()))
        return;

    QOpenGLFramebufferObjectFormat fboFormat;
    fboFormat.setAttachment(QOpenGLFramebufferObject::Depth);
    framebuffer_ = std::make_unique<QOpenGLFramebufferObject>(size, fboFormat);
    if (!framebuffer_->isValid())
        return;
    framebuffer_->bind();
    renderer_.init3d(state);
    renderer_.resize(size.width(), size.height());
    valid_ = true;
}

OffscreenFrame::~OffscreenFrame()
{
    if (context_ && surface_ && context_->makeCurrent(surface_.get())) {
        framebuffer_.reset();
        context_->doneCurrent();
    }
}

void OffscreenFrame::makeCurrent()
{
    if (!valid_)
        return;
    context_->makeCurrent(surface_.get());
    framebuffer_->bind();
}

void OffscreenFrame::draw(FountainState& state, const SceneSettings& settings)
{
    if (!valid_)
        return;
    makeCurrent();
    renderer_.drawFrame(state, settings);
    glFinish();
}

QImage OffscreenFrame::image()
{
    if (!valid_)
        return {};
    makeCurrent();
    return framebuffer_->toImage(false);
}

} // namespace pluviane
