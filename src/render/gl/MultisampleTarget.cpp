#define GL_GLEXT_PROTOTYPES
#include "render/gl/MultisampleTarget.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

namespace pluviane {

namespace {
constexpr int kSamples = 4;
} // namespace

MultisampleTarget::~MultisampleTarget() = default; // buffers go with their context

void MultisampleTarget::release()
{
    if (framebuffer_ != 0) {
        glDeleteFramebuffers(1, &framebuffer_);
        glDeleteRenderbuffers(1, &colour_);
        glDeleteRenderbuffers(1, &depth_);
    }
    if (layer_ != 0) {
        glDeleteFramebuffers(1, &layer_);
        glDeleteRenderbuffers(1, &layerColour_);
    }
    framebuffer_ = colour_ = depth_ = layer_ = layerColour_ = 0;
    width_ = height_ = 0;
    hasLayer_ = false;
}

bool MultisampleTarget::ensure(int width, int height)
{
    if (framebuffer_ != 0 && width == width_ && height == height_)
        return true;
    release();
    if (failed_ || width < 1 || height < 1)
        return false;
    GLint most = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &most);
    const int samples = std::min(kSamples, static_cast<int>(most));
    if (samples < 2) {
        failed_ = true;
        return false;
    }
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glGenRenderbuffers(1, &colour_);
    glBindRenderbuffer(GL_RENDERBUFFER, colour_);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    glGenRenderbuffers(1, &depth_);
    glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH_COMPONENT24, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glGenFramebuffers(1, &layer_);
    glBindFramebuffer(GL_FRAMEBUFFER, layer_);
    glGenRenderbuffers(1, &layerColour_);
    glBindRenderbuffer(GL_RENDERBUFFER, layerColour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, layerColour_);
    complete = complete && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous_));
    if (!complete) {
        release();
        failed_ = true;
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

bool MultisampleTarget::prepare()
{
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previous_);
    return ensure(viewport[0] + viewport[2], viewport[1] + viewport[3]);
}

void MultisampleTarget::begin()
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

void MultisampleTarget::resolve()
{
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, layer_);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, layer_);
    hasLayer_ = true;
}

void MultisampleTarget::present()
{
    const auto target = static_cast<GLuint>(previous_);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, layer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, target);
}

} // namespace pluviane
