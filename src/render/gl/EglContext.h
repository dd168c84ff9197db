#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace pluviane {

// An OpenGL compatibility-profile context that needs no display at all: EGL
// on Mesa's surfaceless platform, drawing into a framebuffer object of its own
// (colour and depth renderbuffers). Serves the command-line renderer on servers
// and CI machines, where neither X nor Wayland runs.
class EglContext {
public:
    explicit EglContext(QSize size);
    ~EglContext();
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;

    bool isValid() const { return valid_; }
    // Why the context could not be made, for the user; empty when valid.
    const QString& error() const { return error_; }

    // Makes the context current with its framebuffer bound.
    void makeCurrent();

    // The framebuffer's pixels, rows in OpenGL's order (row 0 is the bottom).
    QImage image();

private:
    bool fail(const QString& why);
    bool createContext();
    bool createFramebuffer();

    QSize size_;
    void* display_ = nullptr;
    void* context_ = nullptr;
    unsigned framebuffer_ = 0;
    unsigned colour_ = 0;
    unsigned depth_ = 0;
    bool valid_ = false;
    QString error_;
};

} // namespace pluviane
