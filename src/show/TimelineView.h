#pragma once

#include "model/ShowCue.h"
#include "music/BeatTracker.h"
#include "music/Waveform.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

namespace pluviane {

// The show track drawn against the music: a time ruler (m:ss), the waveform,
// the beats, form cues in one row and scene cues in another, and the play
// head. Click or drag on the ruler to seek; cues are selected, dragged (to the
// nearest beat within 100 ms unless Shift is held) and renumbered by double
// click; the wheel scrolls and Ctrl+wheel zooms.
class TimelineView : public QWidget {
    Q_OBJECT
public:
    // Which number of a cue a row shows.
    enum Row { FormRow, SceneRow };
    struct Selection {
        int cue = -1;
        Row row = FormRow;
        bool valid() const { return cue >= 0; }
    };

    static constexpr std::int64_t kSnapMs = 100;

    TimelineView(ShowTrack& track, QWidget* parent = nullptr);

    void setMusic(const WaveformPeaks* peaks, const BeatGrid* beats, std::int64_t lengthMs);
    void setPlayHead(std::int64_t ms);
    std::int64_t playHead() const { return playHead_; }
    // The length the view spans: the music's, else past the last cue.
    std::int64_t lengthMs() const;

    Selection selection() const { return selection_; }
    void select(Selection selection);
    // Removes the selected number; a cue left with neither goes.
    void deleteSelected();
    // Call after the track changed from outside (a load, an import).
    void trackChanged();

    // Milliseconds shown per pixel, and the time at the left edge.
    double msPerPixel() const { return msPerPixel_; }
    void setZoom(double msPerPixel);
    std::int64_t scrollMs() const { return scrollMs_; }
    void setScroll(std::int64_t ms);

    // Where things are drawn (for tests and the window's own use).
    int xOf(std::int64_t ms) const;
    std::int64_t timeAt(int x) const;
    int rowY(Row row) const;
    static constexpr int kRulerHeight = 20;
    static constexpr int kRowHeight = 22;

    // The time `ms` moved onto the nearest beat within kSnapMs.
    std::int64_t snapped(std::int64_t ms) const;

    // Asks a new number for a cue (double click); empty keeps it. Tests answer.
    using NumberAsker = std::function<std::optional<int>(Row row, int current)>;
    void setNumberAsker(NumberAsker asker) { asker_ = std::move(asker); }

signals:
    void seekRequested(std::int64_t ms);
    void cuesEdited();
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QRect waveRect() const;
    Selection cueAt(QPoint at) const;
    void paintRuler(QPainter& painter);
    void paintWaveform(QPainter& painter);
    void paintBeats(QPainter& painter);
    void paintCues(QPainter& painter, Row row);
    void moveSelectedTo(std::int64_t ms);

    ShowTrack& track_;
    const WaveformPeaks* peaks_ = nullptr;
    const BeatGrid* beats_ = nullptr;
    std::int64_t musicMs_ = 0;
    std::int64_t playHead_ = 0;
    double msPerPixel_ = 15.0;
    std::int64_t scrollMs_ = 0;
    Selection selection_;
    enum class Drag { None, Seek, Cue } drag_ = Drag::None;
    NumberAsker asker_;
};

} // namespace pluviane
