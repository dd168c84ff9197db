#include "render/gl/EglContext.h"

#include <QCoreApplication>

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

namespace pluviane {

namespace {

// Framebuffer objects are not part of OpenGL 1.1's exported symbols: they come
// through the context's procedure table.
struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;

    bool load()
    {
        genFramebuffers = reinterpret_cast<PFNGLGENFRAMEBUFFERSPROC>(eglGetProcAddress("glGenFramebuffers"));
        deleteFramebuffers =
            reinterpret_cast<PFNGLDELETEFRAMEBUFFERSPROC>(eglGetProcAddress("glDeleteFramebuffers"));
        bindFramebuffer = reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(eglGetProcAddress("glBindFramebuffer"));
        genRenderbuffers =
            reinterpret_cast<PFNGLGENRENDERBUFFERSPROC>(eglGetProcAddress("glGenRenderbuffers"));
        deleteRenderbuffers =
            reinterpret_cast<PFNGLDELETERENDERBUFFERSPROC>(eglGetProcAddress("glDeleteRenderbuffers"));
        bindRenderbuffer =
            reinterpret_cast<PFNGLBINDRENDERBUFFERPROC>(eglGetProcAddress("glBindRenderbuffer"));
        renderbufferStorage =
            reinterpret_cast<PFNGLRENDERBUFFERSTORAGEPROC>(eglGetProcAddress("glRenderbufferStorage"));
        framebufferRenderbuffer = reinterpret_cast<PFNGLFRAMEBUFFERRENDERBUFFERPROC>(
            eglGetProcAddress("glFramebufferRenderbuffer"));
        checkFramebufferStatus = reinterpret_cast<PFNGLCHECKFRAMEBUFFERSTATUSPROC>(
            eglGetProcAddress("glCheckFramebufferStatus"));
        return genFramebuffers && deleteFramebuffers && bindFramebuffer && genRenderbuffers &&
               deleteRenderbuffers && bindRenderbuffer && renderbufferStorage &&
               framebufferRenderbuffer && checkFramebufferStatus;
    }
};

FramebufferCalls& fbo()
{
    static FramebufferCalls calls;
    return calls;
}

} // namespace

EglContext::EglContext(QSize size) : size_(size)
{
    if (size.width() < 1 || size.height() < 1) {
        fail(QCoreApplication::translate("pluviane::EglContext", "empty picture size"));
        return;
    }
    if (!createContext() || !createFramebuffer())
        return;
    valid_ = true;
}

EglContext::~EglContext()
{
    if (display_ == nullptr)
        return;
    auto display = static_cast<EGLDisplay>(display_);
    if (context_ != nullptr) {
        if (framebuffer_ != 0 &&
            eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, static_cast<EGLContext>(context_))) {
            fbo().bindFramebuffer(GL_FRAMEBUFFER, 0);
            fbo().deleteFramebuffers(1, &framebuffer_);
            fbo().deleteRenderbuffers(1, &colour_);
            fbo().deleteRenderbuffers(1, &depth_);
        }
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(display, static_cast<EGLContext>(context_));
    }
    eglTerminate(display);
    // The thread's own EGL state goes too, or it outlives the context.
    eglReleaseThread();
}

bool EglContext::fail(const QString& why)
{
    error_ = why;
    return false;
}

bool EglContext::createContext()
{
    const char* extensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (extensions == nullptr || !QByteArray(extensions).contains("EGL_MESA_platform_surfaceless"))
        return fail(QCoreApplication::translate("pluviane::EglContext",
                                                "EGL has no surfaceless platform (Mesa's EGL is needed)"));
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr)
        return fail(QCoreApplication::translate("pluviane::EglContext", "EGL cannot open a platform display"));
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr))
        return fail(QCoreApplication::translate("pluviane::EglContext",
                                                "EGL cannot start on the surfaceless platform"));
    display_ = display;
    if (!eglBindAPI(EGL_OPENGL_API))
        return fail(QCoreApplication::translate("pluviane::EglContext", "EGL offers no desktop OpenGL"));

    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    // Surfaceless contexts need no config; take one when offered, else none.
    if (!eglChooseConfig(display, configAttributes, &config, 1, &count) || count < 1)
        config = nullptr;
    const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT)
        return fail(QCoreApplication::translate("pluviane::EglContext",
                                                "EGL cannot create an OpenGL compatibility context"));
    context_ = context;
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context))
        return fail(QCoreApplication::translate("pluviane::EglContext", "EGL cannot make the context current"));
    return true;
}

bool EglContext::createFramebuffer()
{
    if (!fbo().load())
        return fail(QCoreApplication::translate("pluviane::EglContext", "OpenGL has no framebuffer objects"));
    GLint limit = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &limit);
    if (size_.width() > limit || size_.height() > limit)
        return fail(QCoreApplication::translate("pluviane::EglContext",
                                                "picture larger than %1 x %1 pixels").arg(limit));
    fbo().genFramebuffers(1, &framebuffer_);
    fbo().bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    fbo().genRenderbuffers(1, &colour_);
    fbo().bindRenderbuffer(GL_RENDERBUFFER, colour_);
    fbo().renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, size_.width(), size_.height());
    fbo().framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    fbo().genRenderbuffers(1, &depth_);
    fbo().bindRenderbuffer(GL_RENDERBUFFER, depth_);
    fbo().renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, size_.width(), size_.height());
    fbo().framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    if (fbo().checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE || glGetError() != GL_NO_ERROR)
        return fail(QCoreApplication::translate("pluviane::EglContext",
                                                "no memory for a %1 x %2 picture")
                                                    .arg(size_.width()).arg(size_.height()));
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    return true;
}

void EglContext::makeCurrent()
{
    if (!valid_)
        return;
    eglMakeCurrent(static_cast<EGLDisplay>(display_), EGL_NO_SURFACE, EGL_NO_SURFACE,
                   static_cast<EGLContext>(context_));
    fbo().bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

QImage EglContext::image()
{
    if (!valid_)
        return {};
    makeCurrent();
    QImage pixels(size_, QImage::Format_RGBA8888);
    if (pixels.isNull())
        return {};
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, static_cast<GLint>(pixels.bytesPerLine() / 4));
    glReadPixels(0, 0, size_.width(), size_.height(), GL_RGBA, GL_UNSIGNED_BYTE, pixels.bits());
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    return pixels;
}

} // namespace pluviane
