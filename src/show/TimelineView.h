#pragma once

#include "model/ShowCue.h"
#include "model/TrackEdit.h"
#include "music/BeatTracker.h"
#include "music/Waveform.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

namespace pluviane {

// The show track drawn against the music: a time ruler (m:ss) with the
// markers and the loop, the waveform, the beats, form cues in one row and
// scene cues in another (named in a gutter at the left), and the play head.
// It edits as sequencers do: click,
// Shift+click, Ctrl+click and a rubber band select across both rows; the
// selection drags (snapped to the grid unless Shift is held), nudges with the
// arrow keys, copies, cuts, pastes at the play head and duplicates through
// the system clipboard as label text. A click on the ruler seeks, a drag on it
// sets the loop; the wheel scrolls and Ctrl+wheel zooms.
class TimelineView : public QWidget {
    Q_OBJECT
public:
    using Row = TrackRow;
    static constexpr Row FormRow = pluviane::FormRow;
    static constexpr Row SceneRow = pluviane::SceneRow;

    // A nudge with Shift: one frame of a 25-frame video.
    static constexpr std::int64_t kFrameMs = 40;

    TimelineView(ShowTrack& track, QWidget* parent = nullptr);

    void setMusic(const WaveformPeaks* peaks, const BeatGrid* beats, std::int64_t lengthMs);
    void setPlayHead(std::int64_t ms);
    std::int64_t playHead() const { return playHead_; }
    // The length the view spans: the music's, else past the last cue.
    std::int64_t lengthMs() const;

    const CueSelection& selection() const { return selection_; }
    void select(CueSelection selection);
    void selectAll();
    // Removes the selected numbers; a cue left with neither goes.
    void deleteSelected();
    // Call after the track changed from outside (a load, an import, an undo).
    void trackChanged();

    // The clipboard: the selection as label text, times from the first cue.
    void copySelection();
    void cutSelection();
    // Pastes the clipboard's cues with the first at the play head.
    void paste();
    // A copy of the selection right after it, on the next grid point.
    void duplicateSelection();
    // Moves the selection by one grid step (a frame with `frame`).
    void nudge(bool forward, bool frame);

    void addMarkerAtPlayHead();
    SnapGrid grid() const { return grid_; }
    void setGrid(SnapGrid grid) { grid_ = grid; }
    const LoopRegion& loop() const { return loop_; }
    void setLoop(LoopRegion loop);
    void setLoopActive(bool active);

    // Milliseconds shown per pixel, and the time at the left edge.
    double msPerPixel() const { return msPerPixel_; }
    void setZoom(double msPerPixel);
    std::int64_t scrollMs() const { return scrollMs_; }
    void setScroll(std::int64_t ms);
    // The whole song in the width of the view.
    void zoomToFit();

    // Where things are drawn (for tests and the window's own use). Time runs
    // right of the gutter that names the rows.
    int gutterWidth() const { return gutter_; }
    QRect timeArea() const;
    int xOf(std::int64_t ms) const;
    std::int64_t timeAt(int x) const;
    int rowY(Row row) const;
    static constexpr int kRulerHeight = 20;
    static constexpr int kRowHeight = 22;

    // The time `ms` on the snapping grid.
    std::int64_t snapped(std::int64_t ms) const;
    // The cue under a point of the view (cue -1 when none).
    CueRef cueAt(QPoint at) const;
    // What a cue's tooltip says.
    QString describe(const CueRef& item) const;

    // Asks a new number for a cue (double click); empty keeps it. Tests answer.
    using NumberAsker = std::function<std::optional<int>(Row row, int current)>;
    void setNumberAsker(NumberAsker asker) { asker_ = std::move(asker); }
    // Asks a marker's name; empty keeps it.
    using NameAsker = std::function<std::optional<QString>(const QString& current)>;
    void setNameAsker(NameAsker asker) { nameAsker_ = std::move(asker); }

signals:
    void seekRequested(std::int64_t ms);
    void cuesEdited();
    // The track changed under the view (an edit or from outside).
    void trackShown();
    void selectionChanged();
    void loopChanged();
    void told(const QString& text);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // What the still layer was drawn for: it is drawn again when any of it changes.
    struct LayerKey {
        QSize size;
        qreal pixelRatio = 0;
        double msPerPixel = 0;
        std::int64_t scrollMs = 0;
        std::size_t peakCount = 0;
        std::size_t beatCount = 0;
        bool operator==(const LayerKey&) const = default;
    };
    LayerKey layerKey() const;
    const QImage& stillLayer();
    void paintStillLayer(QImage& layer);
    void fitWantedView();
    // The selection last seen with each state of the cues.
    struct KnownSelection {
        std::uint64_t cuesKey = 0;
        CueSelection selection;
    };
    static constexpr std::size_t kKnownSelections = 160;
    static std::uint64_t cuesKey(const std::vector<ShowCue>& cues);
    const KnownSelection* knownSelection(std::uint64_t key) const;
    void rememberSelection();
    QRect waveRect() const;
    int markerAt(QPoint at) const;
    double fitMsPerPixel() const;
    const std::vector<double>& beatTimes() const;
    QFont rulerFont() const;
    void paintLoop(QPainter& painter);
    void paintWaveform(QImage& layer);
    void paintBeats(QImage& layer);
    void paintRowStrips(QPainter& painter);
    void paintScale(QPainter& painter);
    void paintMarkers(QPainter& painter);
    struct SelectionWalk {
        CueSelection::const_iterator at, end;
        bool chosen(int cue, Row row);
    };
    void paintCues(QPainter& painter, Row row);
    void paintGutter(QPainter& painter);
    QString rowName(Row row) const;
    int measureGutter() const;
    void pressOnCue(const CueRef& hit, Qt::KeyboardModifiers modifiers);
    void dragSelectionTo(int x, bool freely);
    void selectInBand(Qt::KeyboardModifiers modifiers);
    void placeCues(const std::vector<ShowCue>& cues, std::int64_t atMs);
    void jump(std::optional<std::int64_t> to);
    void edited();

    ShowTrack& track_;
    const WaveformPeaks* peaks_ = nullptr;
    const BeatGrid* beats_ = nullptr;
    std::int64_t musicMs_ = 0;
    std::int64_t playHead_ = 0;
    double msPerPixel_ = 15.0;
    double wantedMsPerPixel_ = 15.0; // kept until the view is wide enough to show it
    std::int64_t scrollMs_ = 0;
    std::int64_t wantedScrollMs_ = 0;
    CueSelection selection_;
    CueRef anchor_;
    SnapGrid grid_ = SnapGrid::Beat;
    LoopRegion loop_;
    bool loopActive_ = false;

    enum class Drag { None, Ruler, Loop, Cues, Band } drag_ = Drag::None;
    QPoint pressAt_;
    std::int64_t pressMs_ = 0;
    std::int64_t grabMs_ = 0;      // the dragged cue's time at the press
    ShowTrack dragStart_;          // the track as the drag found it
    CueSelection dragSelection_;
    CueSelection bandStart_;       // kept by a Ctrl rubber band
    QRect band_;
    NumberAsker asker_;
    NameAsker nameAsker_;
    // The background, waveform, beats, row strips and the ruler's scale: what
    // stays put while the play head moves and cues are edited.
    std::deque<KnownSelection> knownSelections_;
    QImage stillLayer_;
    LayerKey stillKey_;
    int gutter_ = 0;
};

} // namespace pluviane
