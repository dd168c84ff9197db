// Draws the default backdrop picture: an evening sky over a theatre square.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>
#include <random>

namespace {

void drawSky(QPainter& p, int w, int h)
{
    QLinearGradient sky(0, 0, 0, h * 0.7);
    sky.setColorAt(0.0, QColor(18, 24, 64));
    sky.setColorAt(0.55, QColor(92, 70, 140));
    sky.setColorAt(0.85, QColor(236, 140, 96));
    sky.setColorAt(1.0, QColor(250, 196, 120));
    p.fillRect(0, 0, w, h, sky);

    std::mt19937 gen(7);
    std::uniform_real_distribution<double> x(0, w), y(0, h * 0.35), a(60, 220);
    for (int i = 0; i < 160; ++i) {
        p.setPen(QColor(255, 255, 240, static_cast<int>(a(gen))));
        p.drawPoint(QPointF(x(gen), y(gen)));
    }
    QRadialGradient moon(w * 0.8, h * 0.16, h * 0.05);
    moon.setColorAt(0, QColor(255, 250, 225));
    moon.setColorAt(1, QColor(255, 250, 225, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(moon);
    p.drawEllipse(QPointF(w * 0.8, h * 0.16), h * 0.05, h * 0.05);
}

void drawTheatre(QPainter& p, int w, int h)
{
    const double base = h * 0.72;
    const double left = w * 0.22, right = w * 0.78;
    // Portico with columns under a pediment.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 52, 60));
    p.drawRect(QRectF(left, base - h * 0.30, right - left, h * 0.30));
    QPainterPath pediment;
    pediment.moveTo(left - w * 0.02, base - h * 0.30);
    pediment.lineTo((left + right) / 2, base - h * 0.42);
    pediment.lineTo(right + w * 0.02, base - h * 0.30);
    pediment.closeSubpath();
    p.setBrush(QColor(84, 62, 70));
    p.drawPath(pediment);
    p.setBrush(QColor(214, 196, 170));
    const int columns = 8;
    for (int i = 0; i < columns; ++i) {
        const double cx = left + (right - left) * (i + 0.5) / columns;
        p.drawRect(QRectF(cx - w * 0.012, base - h * 0.28, w * 0.024, h * 0.28));
    }
    // Lit windows between the columns.
    p.setBrush(QColor(255, 214, 120));
    for (int i = 0; i + 1 < columns; ++i) {
        const double cx = left + (right - left) * (i + 1.0) / columns;
        p.drawRect(QRectF(cx - w * 0.01, base - h * 0.2, w * 0.02, h * 0.06));
    }
    // Wings on either side.
    p.setBrush(QColor(46, 36, 52));
    p.drawRect(QRectF(w * 0.02, base - h * 0.2, left - w * 0.03, h * 0.2));
    p.drawRect(QRectF(right + w * 0.01, base - h * 0.2, w * 0.97 - right, h * 0.2));
}

void drawSquare(QPainter& p, int w, int h)
{
    const double base = h * 0.72;
    QLinearGradient paving(0, base, 0, h);
    paving.setColorAt(0, QColor(96, 84, 92));
    paving.setColorAt(1, QColor(40, 34, 42));
    p.fillRect(QRectF(0, base, w, h - base), paving);
    p.setPen(QPen(QColor(120, 108, 112), 1));
    for (int i = -10; i <= 10; ++i)
        p.drawLine(QPointF(w / 2.0 + i * w * 0.02, base), QPointF(w / 2.0 + i * w * 0.12, h));
    // Street lamps.
    for (double fx : {0.1, 0.3, 0.7, 0.9}) {
        const double x = w * fx;
        p.setPen(QPen(QColor(30, 30, 30), 3));
        p.drawLine(QPointF(x, base + h * 0.08), QPointF(x, base - h * 0.06));
        QRadialGradient glow(x, base - h * 0.07, h * 0.04);
        glow.setColorAt(0, QColor(255, 230, 160, 230));
        glow.setColorAt(1, QColor(255, 230, 160, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QPointF(x, base - h * 0.07), h * 0.04, h * 0.04);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make-backdrop OUTPUT.jpg\n");
        return 2;
    }
    const int w = 1024, h = 768;
    QImage image(w, h, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawSky(painter, w, h);
    drawTheatre(painter, w, h);
    drawSquare(painter, w, h);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[1]), "JPG", 90)) {
        std::fprintf(stderr, "make-backdrop: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
