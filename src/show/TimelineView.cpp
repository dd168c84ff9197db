#include "show/TimelineView.h"

#include "model/ShowTrack.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
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
const QColor kMarker(0xff, 0xd0, 0x50);
const QColor kLoop(0x60, 0xa0, 0xff);
const QColor kBand(0x9f, 0xc8, 0xff);
const QColor kRowStrip(0x25, 0x2b, 0x35);
const QColor kCueInk(0x10, 0x14, 0x18);
constexpr double kMinMsPerPixel = 1.0;
constexpr int kFlagWidth = 22;
constexpr double kMaxMsPerPixel = 2000.0;
// A press that moves less than this is a click.
constexpr int kDragPixels = 4;
// A duplicate without a grid goes this far after the selection.
constexpr std::int64_t kDuplicateGapMs = 500;
// Left/Right without a grid move this far.
constexpr std::int64_t kFreeStepMs = 100;

QString rulerText(std::int64_t ms)
{
    const std::int64_t s = ms / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

// "m:ss.mmm"
QString exactTime(std::int64_t ms)
{
    return QStringLiteral("%1:%2.%3")
        .arg(ms / 60000)
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

// A ruler step of 1, 2, 5, 10, 15, 30 s or whole minutes, at least 60 px apart.
std::int64_t rulerStep(double msPerPixel)
{
    for (std::int64_t step : {1000, 2000, 5000, 10000, 15000, 30000, 60000, 120000, 300000, 600000})
        if (step / msPerPixel >= 60)
            return step;
    return 1'200'000;
}

void fillRow(QImage& image, int y, int from, int to, QRgb colour)
{
    if (y < 0 || y >= image.height())
        return;
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::fill(line + std::max(0, from), line + std::min(to, image.width()), colour);
}

void fillColumn(QImage& image, int x, int top, int bottom, QRgb colour)
{
    if (x < 0 || x >= image.width())
        return;
    for (int y = std::max(0, top); y <= std::min(bottom, image.height() - 1); ++y)
        reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colour;
}

// `colour` laid over the column with its own alpha.
void blendColumn(QImage& image, int x, int top, int bottom, const QColor& colour)
{
    if (x < 0 || x >= image.width())
        return;
    const int alpha = colour.alpha(), keep = 255 - alpha;
    const int r = colour.red() * alpha, g = colour.green() * alpha, b = colour.blue() * alpha;
    for (int y = std::max(0, top); y <= std::min(bottom, image.height() - 1); ++y) {
        QRgb& pixel = reinterpret_cast<QRgb*>(image.scanLine(y))[x];
        pixel = qRgb((r + qRed(pixel) * keep + 127) / 255, (g + qGreen(pixel) * keep + 127) / 255,
                     (b + qBlue(pixel) * keep + 127) / 255);
    }
}

// Narrow marks crowd at a zoom that shows many cues a pixel: touching ones are
// drawn as one rectangle.
void addMark(QVector<QRect>& marks, const QRect& mark)
{
    if (!marks.isEmpty() && mark.left() <= marks.back().right() + 1 && mark.left() >= marks.back().left())
        marks.back().setRight(std::max(marks.back().right(), mark.right()));
    else
        marks.append(mark);
}

} // namespace

TimelineView::TimelineView(ShowTrack& track, QWidget* parent) : QWidget(parent), track_(track)
{
    setObjectName(QStringLiteral("TimelineView"));
    setAccessibleName(QStringLiteral("TimelineView"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(400, kRulerHeight + 90 + 2 * kRowHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    gutter_ = measureGutter();
    asker_ = [this](Row row, int current) -> std::optional<int> {
        bool ok = false;
        const int number = QInputDialog::getInt(this, row == FormRow ? tr("Форма") : tr("Сцена"),
                                                row == FormRow ? tr("Номер формы") : tr("Номер сцены"),
                                                current, 1, kMaxCueNumber, 1, &ok);
        return ok ? std::optional<int>(number) : std::nullopt;
    };
    nameAsker_ = [this](const QString& current) -> std::optional<QString> {
        bool ok = false;
        const QString name = QInputDialog::getText(this, tr("Маркер"), tr("Имя маркера"), QLineEdit::Normal,
                                                   current, &ok);
        return ok ? std::optional<QString>(name) : std::nullopt;
    };
}

void TimelineView::setMusic(const WaveformPeaks* peaks, const BeatGrid* beats, std::int64_t lengthMs)
{
    peaks_ = peaks;
    beats_ = beats;
    musicMs_ = std::max<std::int64_t>(0, lengthMs);
    stillKey_ = {}; // new music, even where it reuses the old one's memory
    // The song's length bounds the zoom: what was wanted applies again.
    fitWantedView();
}

void TimelineView::setPlayHead(std::int64_t ms)
{
    ms = std::max<std::int64_t>(0, ms);
    if (ms == playHead_)
        return;
    playHead_ = ms;
    // A play head running off the right edge turns the page.
    if (width() > 0 && (xOf(ms) >= width() || xOf(ms) < gutter_))
        setScroll(ms - std::int64_t(timeArea().width() * msPerPixel_ / 10));
    // The cue playing now is drawn apart, so the whole view follows.
    update();
}

std::int64_t TimelineView::lengthMs() const
{
    const std::int64_t lastCue = track_.cues.empty() ? 0 : track_.cues.back().timeMs;
    if (musicMs_ > 0)
        return std::max(musicMs_, lastCue);
    return std::max(lastCue + 10'000, std::int64_t(30'000));
}

void TimelineView::select(CueSelection selection)
{
    selection_ = validItems(track_, std::move(selection));
    if (!selection_.empty())
        anchor_ = selection_.back();
    rememberSelection();
    emit selectionChanged();
    update();
}

void TimelineView::selectAll() { select(allItems(track_)); }

void TimelineView::deleteSelected()
{
    if (selection_.empty())
        return;
    removeItems(track_, selection_);
    select({});
    edited();
}

// An undo or a redo brings back cues the view has shown before, and with them
// the selection they had, so a designer can nudge, undo and nudge again; cues
// never shown here (another file, a draft) start with nothing selected.
void TimelineView::trackChanged()
{
    const CueSelection before = selection_;
    const KnownSelection* known = knownSelection(cuesKey(track_.cues));
    selection_ = known != nullptr ? validItems(track_, known->selection) : CueSelection{};
    if (!selection_.empty())
        anchor_ = selection_.back();
    if (selection_ != before)
        emit selectionChanged();
    emit trackShown();
    update();
}

void TimelineView::edited()
{
    rememberSelection();
    emit cuesEdited();
    trackChanged();
}

std::uint64_t TimelineView::cuesKey(const std::vector<ShowCue>& cues)
{
    // FNV-1a over every field a cue keeps.
    std::uint64_t key = 14695981039346656037ull;
    auto mix = [&key](std::int64_t value) {
        key ^= std::uint64_t(value);
        key *= 1099511628211ull;
    };
    mix(std::int64_t(cues.size()));
    for (const ShowCue& cue : cues) {
        mix(cue.timeMs);
        mix(cue.form);
        mix(cue.scene);
        mix(int(cue.change));
        mix(cue.fadeMs);
        mix(cue.rampMs);
    }
    return key;
}

const TimelineView::KnownSelection* TimelineView::knownSelection(std::uint64_t key) const
{
    auto it = std::find_if(knownSelections_.begin(), knownSelections_.end(),
                           [key](const KnownSelection& known) { return known.cuesKey == key; });
    return it == knownSelections_.end() ? nullptr : &*it;
}

void TimelineView::rememberSelection()
{
    const std::uint64_t key = cuesKey(track_.cues);
    std::erase_if(knownSelections_, [key](const KnownSelection& known) { return known.cuesKey == key; });
    knownSelections_.push_back({key, selection_});
    // As many as the undo history holds steps, and a few more.
    if (knownSelections_.size() > kKnownSelections)
        knownSelections_.pop_front();
}

void TimelineView::copySelection()
{
    const std::vector<ShowCue> cues = selectedCues(track_, selection_);
    if (cues.empty())
        return;
    QGuiApplication::clipboard()->setText(QString::fromUtf8(formatCueLabels(cuesFrom(cues, 0))));
}

void TimelineView::cutSelection()
{
    copySelection();
    deleteSelected();
}

void TimelineView::paste()
{
    const CueLabelsRead read = parseCueLabels(QGuiApplication::clipboard()->text().toUtf8());
    if (!read.ok || read.cues.empty()) {
        emit told(tr("В буфере обмена нет меток"));
        return;
    }
    placeCues(read.cues, playHead_);
}

void TimelineView::duplicateSelection()
{
    const std::vector<ShowCue> cues = selectedCues(track_, selection_);
    if (cues.empty())
        return;
    const std::int64_t last = cues.back().timeMs;
    placeCues(cues, nextGridPoint(last, beatTimes(), grid_, true, std::max(kDuplicateGapMs, last - cues.front().timeMs)));
}

void TimelineView::placeCues(const std::vector<ShowCue>& cues, std::int64_t atMs)
{
    const std::optional<CueSelection> added = addCues(track_, cuesFrom(cues, atMs));
    if (!added) {
        emit told(tr("В партитуре уже %1 меток, больше не помещается").arg(track_.cues.size()));
        return;
    }
    select(*added);
    edited();
}

void TimelineView::nudge(bool forward, bool frame)
{
    const std::vector<ShowCue> cues = selectedCues(track_, selection_);
    if (cues.empty())
        return;
    const std::int64_t from = cues.front().timeMs;
    const std::int64_t to = frame ? from + (forward ? kFrameMs : -kFrameMs)
                                  : nextGridPoint(from, beatTimes(), grid_, forward, kFreeStepMs);
    const CueSelection moved = moveItems(track_, selection_, to - from);
    select(moved);
    edited();
}

void TimelineView::addMarkerAtPlayHead()
{
    if (track_.markers.size() >= std::size_t(kMaxTrackMarkers)) {
        emit told(tr("В партитуре уже %1 маркеров, больше не помещается").arg(kMaxTrackMarkers));
        return;
    }
    insertMarker(track_, {std::min(playHead_, kMaxCueTimeMs),
                          tr("Маркер %1").arg(track_.markers.size() + 1)});
    edited();
}

void TimelineView::setLoop(LoopRegion loop)
{
    loop_ = loop;
    emit loopChanged();
    update();
}

void TimelineView::setLoopActive(bool active)
{
    loopActive_ = active;
    update();
}

double TimelineView::fitMsPerPixel() const
{
    return std::clamp(double(lengthMs()) / std::max(1, timeArea().width()), kMinMsPerPixel, kMaxMsPerPixel * 20);
}

void TimelineView::setZoom(double msPerPixel)
{
    wantedMsPerPixel_ = msPerPixel;
    // Never wider than the song: zooming out stops where it fits.
    const double widest = width() > 0 ? fitMsPerPixel() : kMaxMsPerPixel;
    msPerPixel_ = std::clamp(msPerPixel, kMinMsPerPixel, std::max(kMinMsPerPixel, widest));
    setScroll(scrollMs_);
}

void TimelineView::setScroll(std::int64_t ms)
{
    wantedScrollMs_ = ms;
    const std::int64_t last = std::max<std::int64_t>(0, lengthMs() - std::int64_t(timeArea().width() * msPerPixel_));
    scrollMs_ = std::clamp<std::int64_t>(ms, 0, last);
    update();
}

void TimelineView::zoomToFit()
{
    setZoom(fitMsPerPixel());
    setScroll(0);
}

int TimelineView::xOf(std::int64_t ms) const
{
    return gutter_ + int(std::lround(double(ms - scrollMs_) / msPerPixel_));
}

std::int64_t TimelineView::timeAt(int x) const
{
    return std::max<std::int64_t>(0, scrollMs_ + std::llround((x - gutter_) * msPerPixel_));
}

QRect TimelineView::waveRect() const
{
    return QRect(0, kRulerHeight, width(), std::max(10, height() - kRulerHeight - 2 * kRowHeight));
}

int TimelineView::rowY(Row row) const
{
    return waveRect().bottom() + 1 + (row == FormRow ? 0 : kRowHeight);
}

const std::vector<double>& TimelineView::beatTimes() const
{
    static const std::vector<double> none;
    return beats_ == nullptr ? none : beats_->beats;
}

std::int64_t TimelineView::snapped(std::int64_t ms) const { return snapToGrid(ms, beatTimes(), grid_); }

QString TimelineView::describe(const CueRef& item) const
{
    if (item.cue < 0 || std::size_t(item.cue) >= track_.cues.size())
        return {};
    const ShowCue& cue = track_.cues[std::size_t(item.cue)];
    QString text = exactTime(cue.timeMs) + QStringLiteral("  ");
    if (item.row == FormRow) {
        text += tr("форма %1").arg(cue.form);
        text += cue.rampMs > 0 ? tr(", уровни за %1 мс").arg(cue.rampMs) : tr(", уровни шагом записи");
    } else {
        text += tr("сцена %1").arg(cue.scene);
        text += cue.change == SceneChange::Cut    ? tr(", сразу")
                : cue.change == SceneChange::Fade ? tr(", переход за %1 мс").arg(cue.fadeMs)
                                                  : tr(", перебор цветов записи");
    }
    return text;
}

bool TimelineView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        QString text = describe(cueAt(help->pos()));
        if (const int marker = markerAt(help->pos()); marker >= 0)
            text = exactTime(track_.markers[std::size_t(marker)].timeMs) + QStringLiteral("  ") +
                   track_.markers[std::size_t(marker)].name;
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

void TimelineView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitWantedView();
}

// The zoom and scroll last asked for, as far as the view's width now allows.
void TimelineView::fitWantedView()
{
    const std::int64_t scroll = wantedScrollMs_;
    setZoom(wantedMsPerPixel_);
    setScroll(scroll);
}

void TimelineView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::LanguageChange) {
        gutter_ = measureGutter();
        stillKey_ = {};
        fitWantedView();
    }
    QWidget::changeEvent(event);
}

QRect TimelineView::timeArea() const { return QRect(gutter_, 0, std::max(0, width() - gutter_), height()); }

TimelineView::LayerKey TimelineView::layerKey() const
{
    return {size(),
            devicePixelRatioF(),
            msPerPixel_,
            scrollMs_,
            peaks_ == nullptr ? 0 : peaks_->high.size(),
            beats_ == nullptr ? 0 : beats_->beats.size()};
}

const QImage& TimelineView::stillLayer()
{
    const LayerKey key = layerKey();
    if ((key != stillKey_ || stillLayer_.isNull()) && !key.size.isEmpty()) {
        stillLayer_ = QImage(key.size * key.pixelRatio, QImage::Format_RGB32);
        stillLayer_.setDevicePixelRatio(key.pixelRatio);
        paintStillLayer(stillLayer_);
        stillKey_ = key;
    }
    return stillLayer_;
}

void TimelineView::paintStillLayer(QImage& layer)
{
    layer.fill(kBackground);
    paintWaveform(layer);
    paintBeats(layer);
    QPainter painter(&layer);
    paintRowStrips(painter);
    paintScale(painter);
    paintGutter(painter);
}

void TimelineView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), stillLayer());
    painter.setClipRect(timeArea());
    paintCues(painter, FormRow);
    paintCues(painter, SceneRow);
    paintMarkers(painter);
    paintLoop(painter);
    if (drag_ == Drag::Band) {
        painter.setPen(kBand);
        painter.setBrush(QColor(kBand.red(), kBand.green(), kBand.blue(), 40));
        painter.drawRect(band_.normalized());
        painter.setBrush(Qt::NoBrush);
    }
    const int x = xOf(playHead_);
    painter.setPen(QPen(kHead, 2));
    painter.drawLine(x, 0, x, height());
}

QFont TimelineView::rulerFont() const
{
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    return small;
}

void TimelineView::paintScale(QPainter& painter)
{
    painter.fillRect(0, 0, width(), kRulerHeight, kRulerBack);
    painter.setPen(kRulerText);
    painter.setFont(rulerFont());
    const std::int64_t step = rulerStep(msPerPixel_);
    const std::int64_t end = timeAt(width());
    for (std::int64_t t = scrollMs_ / step * step; t <= end; t += step) {
        const int x = xOf(t);
        painter.drawLine(x, kRulerHeight - 6, x, kRulerHeight);
        painter.drawText(x + 3, kRulerHeight - 6, rulerText(t));
    }
}

void TimelineView::paintMarkers(QPainter& painter)
{
    // A flag on the ruler and a thin line down the view, names thinned like cue numbers.
    painter.setFont(rulerFont());
    const QFontMetrics metrics = painter.fontMetrics();
    int labelEnd = INT_MIN;
    for (const ShowMarker& marker : track_.markers) {
        const int x = xOf(marker.timeMs);
        if (x < -200 || x > width())
            continue;
        painter.setPen(QPen(kMarker, 1, Qt::DotLine));
        painter.drawLine(x, kRulerHeight, x, height());
        const QPolygon flag({QPoint(x, 0), QPoint(x + 7, 4), QPoint(x, 8)});
        painter.setPen(kMarker);
        painter.setBrush(kMarker);
        painter.drawPolygon(flag);
        painter.setBrush(Qt::NoBrush);
        if (x > labelEnd) {
            const QString name = metrics.elidedText(marker.name, Qt::ElideRight, 140);
            const int advance = metrics.horizontalAdvance(name);
            painter.fillRect(x + 8, 0, advance + 4, kRulerHeight - 7, kRulerBack);
            painter.drawText(x + 10, metrics.ascent(), name);
            labelEnd = x + 14 + advance;
        }
    }
}

void TimelineView::paintLoop(QPainter& painter)
{
    if (!loop_.valid())
        return;
    const int from = xOf(loop_.fromMs), to = xOf(loop_.toMs);
    if (to < 0 || from > width())
        return;
    QColor band = kLoop;
    band.setAlpha(loopActive_ ? 150 : 70);
    painter.fillRect(QRect(QPoint(from, kRulerHeight - 5), QPoint(to, kRulerHeight - 1)), band);
    band.setAlpha(loopActive_ ? 40 : 18);
    painter.fillRect(QRect(QPoint(from, kRulerHeight), QPoint(to, height())), band);
}

// The waveform and the beats are written into the layer's pixels: a tall line
// drawn through QPainter is split across the raster engine's worker threads,
// and with a line per pixel column the hand-offs cost more than the drawing.
void TimelineView::paintWaveform(QImage& layer)
{
    const qreal ratio = layer.devicePixelRatio();
    const QRect area = waveRect();
    const int columns = layer.width();
    const int mid = int(area.center().y() * ratio);
    fillRow(layer, mid, int(gutter_ * ratio), columns, QColor(0x33, 0x3a, 0x47).rgb());
    if (peaks_ == nullptr || peaks_->high.empty() || peaks_->samplesPerPeak <= 0)
        return;
    const double peaksPerMs = double(peaks_->sampleRate) / peaks_->samplesPerPeak / 1000.0;
    const double middle = area.center().y() * ratio;
    const double half = (area.height() / 2.0 - 2) * ratio;
    const std::int64_t count = std::int64_t(peaks_->high.size());
    const QRgb wave = kWave.rgb();
    auto timeAtColumn = [this, ratio](int column) {
        return std::max<std::int64_t>(0, scrollMs_ + std::llround((column / ratio - gutter_) * msPerPixel_));
    };
    for (int x = int(gutter_ * ratio); x < columns; ++x) {
        const std::int64_t first = std::int64_t(double(timeAtColumn(x)) * peaksPerMs);
        if (first >= count)
            break;
        const std::int64_t last =
            std::clamp<std::int64_t>(std::int64_t(double(timeAtColumn(x + 1)) * peaksPerMs), first + 1, count);
        float low = 0, high = 0;
        for (std::int64_t i = first; i < last; ++i) {
            low = std::min(low, peaks_->low[std::size_t(i)]);
            high = std::max(high, peaks_->high[std::size_t(i)]);
        }
        fillColumn(layer, x, int(middle - high * half), int(middle - low * half), wave);
    }
}

void TimelineView::paintBeats(QImage& layer)
{
    if (beats_ == nullptr)
        return;
    const qreal ratio = layer.devicePixelRatio();
    const int top = int(waveRect().top() * ratio);
    const int bottom = int((rowY(SceneRow) + kRowHeight) * ratio);
    const int thickness = std::max(1, int(std::lround(ratio)));
    const double from = double(scrollMs_) / 1000.0;
    int lastX = INT_MIN;
    for (auto it = std::lower_bound(beats_->beats.begin(), beats_->beats.end(), from); it != beats_->beats.end(); ++it) {
        const int x = int(std::lround(xOf(std::llround(*it * 1000.0)) * ratio));
        if (x > layer.width())
            break;
        if (x != lastX)
            for (int i = 0; i < thickness; ++i)
                blendColumn(layer, x + i, top, bottom, kBeat);
        lastX = x;
    }
}

void TimelineView::paintRowStrips(QPainter& painter)
{
    for (Row row : {FormRow, SceneRow})
        painter.fillRect(0, rowY(row), width(), kRowHeight - 1, kRowStrip);
}

// Whether cue `i` is chosen in `row`; `at` walks the sorted selection along
// with the cues, so a repaint reads only the part of it in view.
bool TimelineView::SelectionWalk::chosen(int cue, Row row)
{
    const CueRef item{cue, row};
    while (at != end && *at < item)
        ++at;
    return at != end && *at == item;
}

// The rows' names stand in a gutter of their own at the left, where no cue
// can cover them; time starts right of it.
void TimelineView::paintGutter(QPainter& painter)
{
    painter.fillRect(0, 0, gutter_, height(), kRulerBack);
    painter.fillRect(gutter_ - 1, kRulerHeight, 1, height() - kRulerHeight, kBackground);
    painter.setFont(font());
    for (Row row : {FormRow, SceneRow}) {
        painter.setPen((row == FormRow ? kFormCue : kSceneCue).darker(120));
        painter.drawText(QRect(4, rowY(row), gutter_ - 4, kRowHeight), Qt::AlignVCenter, rowName(row));
    }
}

QString TimelineView::rowName(Row row) const { return row == FormRow ? tr("формы") : tr("сцены"); }

int TimelineView::measureGutter() const
{
    const QFontMetrics metrics(font());
    return std::max(metrics.horizontalAdvance(rowName(FormRow)), metrics.horizontalAdvance(rowName(SceneRow))) + 10;
}

void TimelineView::paintCues(QPainter& painter, Row row)
{
    const int top = rowY(row);
    const QColor colour = row == FormRow ? kFormCue : kSceneCue;
    const auto& cues = track_.cues;
    auto byTime = [](const ShowCue& cue, std::int64_t t) { return cue.timeMs < t; };
    const auto first = std::lower_bound(cues.begin(), cues.end(), timeAt(gutter_ - kFlagWidth), byTime);
    // The cue playing now: the last one at or before the play head that sets
    // this row; one left of the view is not drawn, so the search stops there.
    int playing = -1;
    const auto pastHead = std::upper_bound(cues.begin(), cues.end(), playHead_,
                                           [](std::int64_t t, const ShowCue& cue) { return t < cue.timeMs; });
    for (auto it = pastHead; it > first;) {
        --it;
        if (rowNumber(*it, row) != 0) {
            playing = int(it - cues.begin());
            break;
        }
    }
    // Numbers are thinned by zoom: a flag carries its number where the one
    // before left room, the rest are drawn as narrow marks. Only the cues in
    // view are visited, and like things are drawn together.
    const std::int64_t end = timeAt(width() + 2);
    SelectionWalk selection{std::lower_bound(selection_.begin(), selection_.end(),
                                             CueRef{int(first - cues.begin()), FormRow}),
                            selection_.end()};
    QVector<QRect> flags[2], marks[2];
    struct Number {
        QRect box;
        int number;
    };
    std::vector<Number> numbers;
    std::optional<QRect> playingBox;
    int labelEnd = INT_MIN;
    for (auto it = first; it != cues.end() && it->timeMs <= end; ++it) {
        const int number = rowNumber(*it, row);
        if (number == 0)
            continue;
        const int i = int(it - cues.begin());
        const int x = xOf(it->timeMs);
        const bool isSelected = selection.chosen(i, row);
        const bool isPlaying = i == playing;
        if (x < labelEnd && !isPlaying) {
            addMark(marks[isSelected], QRect(x, top + 2, 3, kRowHeight - 5));
            continue;
        }
        labelEnd = x + kFlagWidth;
        const QRect box(x, top + 2, kFlagWidth - 2, kRowHeight - 5);
        flags[isSelected].append(box);
        numbers.push_back({box, number});
        if (isPlaying)
            playingBox = box;
    }
    // Flags: a filled box with its edge, the playing one framed in the play head's red.
    for (bool chosen : {false, true}) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(chosen ? colour.lighter(150) : colour);
        painter.drawRects(flags[chosen]);
        for (QRect& box : flags[chosen])
            box.adjust(0, 0, -1, -1);
        painter.setPen(chosen ? QPen(Qt::white, 1) : QPen(colour.darker(250), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRects(flags[chosen]);
    }
    if (playingBox) {
        painter.setPen(QPen(kHead, 2));
        painter.drawRect(playingBox->adjusted(-1, -1, 0, 0));
    }
    painter.setPen(kCueInk);
    for (const Number& label : numbers)
        painter.drawText(label.box, Qt::AlignCenter, QString::number(label.number));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRects(marks[false]);
    painter.setBrush(colour.lighter(160));
    painter.drawRects(marks[true]);
    painter.setBrush(Qt::NoBrush);
}

CueRef TimelineView::cueAt(QPoint at) const
{
    if (at.x() < gutter_)
        return {};
    for (Row row : {FormRow, SceneRow}) {
        if (at.y() < rowY(row) || at.y() >= rowY(row) + kRowHeight)
            continue;
        // The last drawn is on top: search back from the rightmost cue that could be under the point.
        const auto& cues = track_.cues;
        auto it = std::upper_bound(cues.begin(), cues.end(), timeAt(at.x() + 2),
                                   [](std::int64_t t, const ShowCue& cue) { return t < cue.timeMs; });
        while (it != cues.begin()) {
            --it;
            const int x = xOf(it->timeMs);
            if (at.x() > x + kFlagWidth)
                break;
            if (rowNumber(*it, row) != 0 && at.x() >= x - 2)
                return {int(it - cues.begin()), row};
        }
    }
    return {};
}

int TimelineView::markerAt(QPoint at) const
{
    if (at.y() >= kRulerHeight || at.x() < gutter_)
        return -1;
    for (int i = int(track_.markers.size()) - 1; i >= 0; --i) {
        const int x = xOf(track_.markers[std::size_t(i)].timeMs);
        if (at.x() >= x - 2 && at.x() <= x + 9)
            return i;
    }
    return -1;
}

void TimelineView::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (event->matches(QKeySequence::SelectAll))
        selectAll();
    else if (event->matches(QKeySequence::Copy))
        copySelection();
    else if (event->matches(QKeySequence::Cut))
        cutSelection();
    else if (event->matches(QKeySequence::Paste))
        paste();
    else if (event->key() == Qt::Key_D && mods == Qt::ControlModifier)
        duplicateSelection();
    else if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)
        deleteSelected();
    else if (event->key() == Qt::Key_M && mods == Qt::NoModifier)
        addMarkerAtPlayHead();
    else if ((event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        const bool forward = event->key() == Qt::Key_Right;
        if (mods.testFlag(Qt::AltModifier))
            jump(nextCueTime(track_, playHead_, forward));
        else if (mods.testFlag(Qt::ControlModifier))
            jump(nextMarkerTime(track_, playHead_, forward));
        else
            nudge(forward, mods.testFlag(Qt::ShiftModifier));
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TimelineView::jump(std::optional<std::int64_t> to)
{
    if (to)
        emit seekRequested(*to);
}

void TimelineView::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    pressAt_ = at;
    pressMs_ = timeAt(std::max(at.x(), gutter_));
    if (at.y() < kRulerHeight) {
        drag_ = Drag::Ruler;
        emit seekRequested(pressMs_);
        return;
    }
    if (const CueRef hit = cueAt(at); hit.cue >= 0) {
        pressOnCue(hit, event->modifiers());
        return;
    }
    drag_ = Drag::Band;
    band_ = QRect(at, at);
    bandStart_ = event->modifiers().testFlag(Qt::ControlModifier) ? selection_ : CueSelection{};
    select(bandStart_);
}

void TimelineView::pressOnCue(const CueRef& hit, Qt::KeyboardModifiers modifiers)
{
    const bool chosen = std::binary_search(selection_.begin(), selection_.end(), hit);
    if (modifiers.testFlag(Qt::ControlModifier)) {
        CueSelection toggled = selection_;
        if (chosen)
            std::erase(toggled, hit);
        else
            toggled.push_back(hit);
        select(toggled);
        anchor_ = hit;
        drag_ = Drag::None;
        return;
    }
    if (modifiers.testFlag(Qt::ShiftModifier) && anchor_.cue >= 0 && std::size_t(anchor_.cue) < track_.cues.size()) {
        // A range from the last clicked cue, in its row or across both.
        const std::int64_t from = track_.cues[std::size_t(anchor_.cue)].timeMs;
        const std::int64_t to = track_.cues[std::size_t(hit.cue)].timeMs;
        const bool both = anchor_.row != hit.row;
        const CueRef keep = anchor_;
        select(itemsBetween(track_, from, to, both || hit.row == FormRow, both || hit.row == SceneRow));
        anchor_ = keep;
        drag_ = Drag::None;
        return;
    }
    if (!chosen)
        select({hit});
    anchor_ = hit;
    drag_ = Drag::Cues;
    dragStart_ = track_;
    dragSelection_ = selection_;
    grabMs_ = track_.cues[std::size_t(hit.cue)].timeMs;
}

void TimelineView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const bool moved = std::abs(at.x() - pressAt_.x()) >= kDragPixels;
    switch (drag_) {
    case Drag::Ruler:
        if (!moved)
            break;
        drag_ = Drag::Loop;
        [[fallthrough]];
    case Drag::Loop: {
        const bool freely = event->modifiers().testFlag(Qt::ShiftModifier);
        std::int64_t a = pressMs_, b = std::min(timeAt(at.x()), kMaxCueTimeMs);
        if (!freely)
            a = snapped(a), b = snapped(b);
        setLoop({std::min(a, b), std::max(a, b)});
        break;
    }
    case Drag::Cues:
        if (moved || dragStart_.cues != track_.cues)
            dragSelectionTo(at.x(), event->modifiers().testFlag(Qt::ShiftModifier));
        break;
    case Drag::Band:
        band_.setBottomRight(at);
        selectInBand(event->modifiers());
        break;
    case Drag::None:
        break;
    }
}

// Each move starts again from the track as the press found it, so the cues
// never drift by rounding and a cue dragged across others keeps its place.
void TimelineView::dragSelectionTo(int x, bool freely)
{
    const std::int64_t target = std::min(timeAt(x) - (pressMs_ - grabMs_), kMaxCueTimeMs);
    const std::int64_t landed = freely ? target : snapped(target);
    track_ = dragStart_;
    selection_ = moveItems(track_, dragSelection_, landed - grabMs_);
    update();
}

void TimelineView::selectInBand(Qt::KeyboardModifiers)
{
    const QRect band = band_.normalized();
    auto spans = [&band, this](Row row) { return band.bottom() >= rowY(row) && band.top() < rowY(row) + kRowHeight; };
    bool form = spans(FormRow), scene = spans(SceneRow);
    if (!form && !scene && band.bottom() >= kRulerHeight)
        form = scene = true; // a band over the waveform takes both rows
    CueSelection chosen = bandStart_;
    const CueSelection inside = itemsBetween(track_, timeAt(band.left()), timeAt(band.right()), form, scene);
    chosen.insert(chosen.end(), inside.begin(), inside.end());
    select(chosen);
}

void TimelineView::mouseReleaseEvent(QMouseEvent*)
{
    const Drag ended = drag_;
    drag_ = Drag::None;
    if (ended == Drag::Cues && dragStart_.cues != track_.cues) {
        emit selectionChanged();
        edited();
    }
    if (ended == Drag::Band)
        update();
    dragStart_ = {};
}

void TimelineView::mouseDoubleClickEvent(QMouseEvent* event)
{
    drag_ = Drag::None;
    const QPoint at = event->position().toPoint();
    if (const int marker = markerAt(at); marker >= 0) {
        ShowMarker& named = track_.markers[std::size_t(marker)];
        if (const std::optional<QString> name = nameAsker_(named.name); name && !fitMarkerName(*name).isEmpty()) {
            named.name = fitMarkerName(*name);
            edited();
        }
        return;
    }
    const CueRef hit = cueAt(at);
    if (hit.cue < 0)
        return;
    select({hit});
    ShowCue& cue = track_.cues[std::size_t(hit.cue)];
    if (const std::optional<int> number = asker_(hit.row, rowNumber(cue, hit.row))) {
        (hit.row == FormRow ? cue.form : cue.scene) = std::clamp(*number, 1, kMaxCueNumber);
        edited();
    }
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
        setScroll(anchor - std::llround((x - gutter_) * msPerPixel_));
    } else {
        setScroll(scrollMs_ - std::llround(steps * timeArea().width() * msPerPixel_ / 8));
    }
    event->accept();
}

} // namespace pluviane
