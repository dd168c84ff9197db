#include "render/gl/Texture.h"

#include "model/RegularFile.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <GL/gl.h>

#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

namespace pluviane {

namespace {

// Scales the picture down when it exceeds what the driver accepts.
QImage fitToTextureLimit(QImage image)
{
    GLint limit = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
    if (limit > 0 && (image.width() > limit || image.height() > limit))
        image = image.scaled(limit, limit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace

void oglLoadTexture(const char* path, int /*mode*/, std::int32_t* handle)
{
    if (path == nullptr || handle == nullptr)
        return;
    // Only a regular file is read: a FIFO or a device would block the program.
    QFile file(QString::fromLocal8Bit(path));
    if (!openRegularFile(file, nullptr))
        return;
    const QImage picture = QImageReader(&file).read();
    if (picture.isNull())
        return;
    // OpenGL rows run bottom to top; the quad's texture origin is its lower left corner.
    const QImage pixels = fitToTextureLimit(picture)
                              .convertToFormat(QImage::Format_RGBA8888)
                              .mirrored(false, true);

    GLuint texture = 0;
    glGenTextures(1, &texture);
    if (texture == 0)
        return;
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, pixels.width(), pixels.height(), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, pixels.constBits());
    glBindTexture(GL_TEXTURE_2D, 0);

    // Each load replaces the one backdrop texture; the old one is released.
    if (*handle != 0) {
        const auto old = static_cast<GLuint>(*handle);
        glDeleteTextures(1, &old);
    }
    *handle = static_cast<std::int32_t>(texture);
}

void oglSetTexture(std::int32_t handle)
{
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(handle));
}

} // namespace pluviane
