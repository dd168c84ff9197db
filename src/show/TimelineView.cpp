#include "show/TimelineView.h"

#include "model/ShowTrack.h"

#include <QInputDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <cmath>

namespace pluviane {

namespace {

const QColor kBackground(0x1d, 0x22, 0x2b);
const QColor kRulerBack(0x2a, 0x31, 0x3d);
const QColor kRulerText(0xc8, 0xd0, 0xdc);
const QColor kWave(0x4f, 0x9f, 0xd8);
const QColor kBeat(0xe0, 0xb0, 0x40, 110);
const QColor kFormCue(0x4c, 0xc3, 0x8a);
const QColor kSceneCue(0xd8, 0x6f, 0xc8);
const QColor kHead(0xff, 0x4d, 0x3d);
constexpr double kMinMsPerPixel = 1.0;
constexpr int kFlagWidth = 22;
constexpr double kMaxMsPerPixel = 2000.0;

QString rulerText(std::int64_t ms)
{
    const std::int64_t s = ms / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

// A ruler step of 1, 2, 5, 10, 15, 30 s or whole minutes, at least 60 px apart.
std::int64_t rulerStep(double msPerPixel)
{
    for (std::int64_t step : {1000, 2000, 5000, 10000, 15000, 30000, 60000, 120000, 300000, 600000})
        if (step / msPerPixel >= 60)
            return step;
    return 1'200'000;
}

int numberOf(const ShowCue& cue, TimelineView::Row row)
{
    return row == TimelineView::FormRow ? cue.form : cue.scene;
}

} // namespace

TimelineView::TimelineView(ShowTrack& track, QWidget* parent) : QWidget(parent), track_(track)
{
    setObjectName(QStringLiteral("TimelineView"));
    setAccessibleName(QStringLiteral("TimelineView"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(400, kRulerHeight + 90 + 2 * kRowHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    asker_ = [this](Row row, int current) -> std::optional<int> {
        bool ok = false;
        const int number = QInputDialog::getInt(this, row == FormRow ? tr("Форма") : tr("Сцена"),
                                                row == FormRow ? tr("Номер формы") : tr("Номер сцены"),
                                                current, 1, kMaxCueNumber, 1, &ok);
        return ok ? std::optional<int>(number) : std::nullopt;
    };
}

void TimelineView::setMusic(const WaveformPeaks* peaks, const BeatGrid* beats, std::int64_t lengthMs)
{
    peaks_ = peaks;
    beats_ = beats;
    musicMs_ = std::max<std::int64_t>(0, lengthMs);
    update();
}

void TimelineView::setPlayHead(std::int64_t ms)
{
    ms = std::max<std::int64_t>(0, ms);
    if (ms == playHead_)
        return;
    const int oldX = xOf(playHead_);
    playHead_ = ms;
    // A play head running off the right edge turns the page.
    if (width() > 0 && (xOf(ms) >= width() || xOf(ms) < 0))
        setScroll(ms - std::int64_t(width() * msPerPixel_ / 10));
    update(QRect(oldX - 2, 0, 5, height()));
    update(QRect(xOf(ms) - 2, 0, 5, height()));
}

std::int64_t TimelineView::lengthMs() const
{
    const std::int64_t lastCue = track_.cues.empty() ? 0 : track_.cues.back().timeMs;
    if (musicMs_ > 0)
        return std::max(musicMs_, lastCue);
    return std::max(lastCue + 10'000, std::int64_t(30'000));
}

void TimelineView::select(Selection selection)
{
    if (selection.cue >= int(track_.cues.size()))
        selection = {};
    selection_ = selection;
    emit selectionChanged();
    update();
}

void TimelineView::deleteSelected()
{
    if (!selection_.valid())
        return;
    ShowCue& cue = track_.cues[std::size_t(selection_.cue)];
    (selection_.row == FormRow ? cue.form : cue.scene) = 0;
    if (cue.form == 0 && cue.scene == 0)
        track_.cues.erase(track_.cues.begin() + selection_.cue);
    selection_ = {};
    emit selectionChanged();
    emit cuesEdited();
    update();
}

void TimelineView::trackChanged()
{
    if (selection_.cue >= int(track_.cues.size()))
        selection_ = {};
    update();
}

void TimelineView::setZoom(double msPerPixel)
{
    msPerPixel_ = std::clamp(msPerPixel, kMinMsPerPixel, kMaxMsPerPixel);
    setScroll(scrollMs_);
    update();
}

void TimelineView::setScroll(std::int64_t ms)
{
    const std::int64_t last = std::max<std::int64_t>(0, lengthMs() - std::int64_t(width() * msPerPixel_ * 0.5));
    scrollMs_ = std::clamp<std::int64_t>(ms, 0, last);
    update();
}

int TimelineView::xOf(std::int64_t ms) const { return int(std::lround(double(ms - scrollMs_) / msPerPixel_)); }

std::int64_t TimelineView::timeAt(int x) const
{
    return std::max<std::int64_t>(0, scrollMs_ + std::llround(x * msPerPixel_));
}

QRect TimelineView::waveRect() const
{
    return QRect(0, kRulerHeight, width(), std::max(10, height() - kRulerHeight - 2 * kRowHeight));
}

int TimelineView::rowY(Row row) const
{
    return waveRect().bottom() + 1 + (row == FormRow ? 0 : kRowHeight);
}

std::int64_t TimelineView::snapped(std::int64_t ms) const
{
    if (beats_ == nullptr || beats_->beats.empty())
        return ms;
    const double at = double(ms) / 1000.0;
    auto next = std::lower_bound(beats_->beats.begin(), beats_->beats.end(), at);
    double best = 1e18;
    for (auto it : {next, next == beats_->beats.begin() ? next : next - 1})
        if (it != beats_->beats.end() && std::fabs(*it - at) < std::fabs(best - at))
            best = *it;
    const std::int64_t beatMs = std::llround(best * 1000.0);
    return std::llabs(beatMs - ms) <= kSnapMs ? beatMs : ms;
}

void TimelineView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    paintWaveform(painter);
    paintBeats(painter);
    paintCues(painter, FormRow);
    paintCues(painter, SceneRow);
    paintRuler(painter);
    const int x = xOf(playHead_);
    painter.setPen(QPen(kHead, 2));
    painter.drawLine(x, 0, x, height());
}

void TimelineView::paintRuler(QPainter& painter)
{
    painter.fillRect(0, 0, width(), kRulerHeight, kRulerBack);
    painter.setPen(kRulerText);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    painter.setFont(small);
    const std::int64_t step = rulerStep(msPerPixel_);
    const std::int64_t end = timeAt(width());
    for (std::int64_t t = scrollMs_ / step * step; t <= end; t += step) {
        const int x = xOf(t);
        painter.drawLine(x, kRulerHeight - 6, x, kRulerHeight);
        painter.drawText(x + 3, kRulerHeight - 6, rulerText(t));
    }
}

void TimelineView::paintWaveform(QPainter& painter)
{
    const QRect area = waveRect();
    painter.setPen(QColor(0x33, 0x3a, 0x47));
    painter.drawLine(0, area.center().y(), width(), area.center().y());
    if (peaks_ == nullptr || peaks_->high.empty() || peaks_->samplesPerPeak <= 0)
        return;
    const double peaksPerMs = double(peaks_->sampleRate) / peaks_->samplesPerPeak / 1000.0;
    const double mid = area.center().y();
    const double half = area.height() / 2.0 - 2;
    const std::int64_t count = std::int64_t(peaks_->high.size());
    QVector<QLine> lines;
    lines.reserve(width());
    for (int x = 0; x < width(); ++x) {
        std::int64_t first = std::int64_t(double(timeAt(x)) * peaksPerMs);
        std::int64_t last = std::int64_t(double(timeAt(x + 1)) * peaksPerMs);
        if (first >= count)
            break;
        last = std::clamp<std::int64_t>(last, first + 1, count);
        float low = 0, high = 0;
        for (std::int64_t i = first; i < last; ++i) {
            low = std::min(low, peaks_->low[std::size_t(i)]);
            high = std::max(high, peaks_->high[std::size_t(i)]);
        }
        lines.append(QLine(x, int(mid - high * half), x, int(mid - low * half)));
    }
    painter.setPen(kWave);
    painter.drawLines(lines);
}

void TimelineView::paintBeats(QPainter& painter)
{
    if (beats_ == nullptr)
        return;
    const QRect area = waveRect();
    const double from = double(scrollMs_) / 1000.0;
    QVector<QLine> lines;
    int lastX = INT_MIN;
    for (auto it = std::lower_bound(beats_->beats.begin(), beats_->beats.end(), from); it != beats_->beats.end(); ++it) {
        const int x = xOf(std::llround(*it * 1000.0));
        if (x > width())
            break;
        if (x != lastX)
            lines.append(QLine(x, area.top(), x, rowY(SceneRow) + kRowHeight));
        lastX = x;
    }
    painter.setPen(QPen(kBeat, 1));
    painter.drawLines(lines);
}

void TimelineView::paintCues(QPainter& painter, Row row)
{
    const int top = rowY(row);
    const QColor colour = row == FormRow ? kFormCue : kSceneCue;
    painter.fillRect(0, top, width(), kRowHeight - 1, QColor(0x25, 0x2b, 0x35));
    painter.setPen(colour.darker(150));
    painter.drawText(4, top, 60, kRowHeight, Qt::AlignVCenter, row == FormRow ? tr("формы") : tr("сцены"));
    // Flags carry their number where there is room for it; crowded ones
    // (a zoomed-out view) are drawn as narrow marks.
    int nextX = INT_MAX;
    for (int i = int(track_.cues.size()) - 1; i >= 0; --i) {
        const ShowCue& cue = track_.cues[std::size_t(i)];
        const int number = numberOf(cue, row);
        if (number == 0)
            continue;
        const int x = xOf(cue.timeMs);
        const int room = nextX - x;
        nextX = x;
        if (x < -kFlagWidth || x > width() + 2)
            continue;
        const bool selected = selection_.cue == i && selection_.row == row;
        const QColor fill = selected ? colour.lighter(150) : colour;
        if (room < kFlagWidth && !selected) {
            painter.fillRect(x, top + 2, 3, kRowHeight - 5, fill);
            continue;
        }
        const QRect box(x, top + 2, kFlagWidth - 2, kRowHeight - 5);
        painter.fillRect(box, fill);
        painter.setPen(selected ? Qt::white : colour.darker(250));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(QColor(0x10, 0x14, 0x18));
        painter.drawText(box, Qt::AlignCenter, QString::number(number));
    }
}

TimelineView::Selection TimelineView::cueAt(QPoint at) const
{
    for (Row row : {FormRow, SceneRow}) {
        if (at.y() < rowY(row) || at.y() >= rowY(row) + kRowHeight)
            continue;
        // The last drawn is on top.
        for (int i = int(track_.cues.size()) - 1; i >= 0; --i) {
            const ShowCue& cue = track_.cues[std::size_t(i)];
            const int x = xOf(cue.timeMs);
            if (numberOf(cue, row) != 0 && at.x() >= x - 2 && at.x() <= x + kFlagWidth)
                return {i, row};
        }
    }
    return {};
}

void TimelineView::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (at.y() < kRulerHeight) {
        drag_ = Drag::Seek;
        emit seekRequested(timeAt(at.x()));
        return;
    }
    select(cueAt(at));
    drag_ = selection_.valid() ? Drag::Cue : Drag::None;
}

void TimelineView::mouseMoveEvent(QMouseEvent* event)
{
    const int x = event->position().toPoint().x();
    if (drag_ == Drag::Seek)
        emit seekRequested(timeAt(x));
    else if (drag_ == Drag::Cue && selection_.valid()) {
        const std::int64_t ms = std::min(timeAt(x), kMaxCueTimeMs);
        moveSelectedTo(event->modifiers().testFlag(Qt::ShiftModifier) ? ms : snapped(ms));
    }
}

void TimelineView::mouseReleaseEvent(QMouseEvent*)
{
    if (drag_ == Drag::Cue)
        emit cuesEdited();
    drag_ = Drag::None;
}

// The cue keeps its place in time order as it moves, and stays selected.
void TimelineView::moveSelectedTo(std::int64_t ms)
{
    ShowCue cue = track_.cues[std::size_t(selection_.cue)];
    if (cue.timeMs == ms)
        return;
    track_.cues.erase(track_.cues.begin() + selection_.cue);
    cue.timeMs = ms;
    selection_.cue = insertCue(track_, cue);
    update();
}

void TimelineView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const Selection hit = cueAt(event->position().toPoint());
    if (!hit.valid())
        return;
    select(hit);
    ShowCue& cue = track_.cues[std::size_t(hit.cue)];
    if (const std::optional<int> number = asker_(hit.row, numberOf(cue, hit.row))) {
        (hit.row == FormRow ? cue.form : cue.scene) = std::clamp(*number, 1, kMaxCueNumber);
        emit cuesEdited();
        update();
    }
    drag_ = Drag::None;
}

void TimelineView::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0)
        return;
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        // The time under the mouse stays where it is.
        const int x = int(event->position().x());
        const std::int64_t anchor = timeAt(x);
        setZoom(msPerPixel_ * std::pow(0.8, steps));
        setScroll(anchor - std::llround(x * msPerPixel_));
    } else {
        setScroll(scrollMs_ - std::llround(steps * width() * msPerPixel_ / 8));
    }
    event->accept();
}

} // namespace pluviane
