#pragma once

#include "model/ShowCue.h"
#include "render/gl/OffscreenFrame.h"
#include "video/VideoEncoder.h"

#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace pluviane {

// How the camera moves through a video: it stands still, or circles the
// bowl slowly about its vertical axis (the realistic look only).
enum class Camera { Still, Orbit };

// What to draw: a fountain file opened as "Открыть файл" opens it with "Load"
// checked, drawn to a picture or played to a video.
struct RenderRequest {
    QString fountain;
    QString output;
    QSize size{1280, 720};
    // Pictures only: play the show this many seconds first; negative draws
    // the levels and colours as stored.
    double showSeconds = -1;
    VideoOptions video; // videos only; its size is `size`
    double startSeconds = 0; // videos only: the show time of the first frame (the music's too)
    QString backdrop;   // the backdrop picture; empty takes the default one
    FrameContext context = FrameContext::Auto;
    // The show follows the file's track when it has cues (false plays the loop);
    // `cues`, when given, replace the file's.
    bool followTrack = true;
    std::optional<std::vector<ShowCue>> cues;
    Look look = Look::Classic; // whatever the editor's check box says
    // Frame the whole bowl and its jets (at full height, turning with the
    // field's spin) instead of the file's own pan and zoom.
    bool fitView = false;
    Camera camera = Camera::Still;
};

// The music of a fountain file's track as an absolute path; empty when the
// file has no track or its track no music.
QString fileTrackMusic(const QString& fountain);

struct RenderResult {
    enum Outcome { Done, Failed, Cancelled };
    Outcome outcome = Done;
    QString message; // why, when not done
    bool ok() const { return outcome == Done; }
};

// Told frames done and frames in all after each frame; false cancels.
using RenderProgress = std::function<bool(int done, int total)>;

// Empty when a picture of this size can be drawn, else why not.
QString checkPictureSize(QSize size);

// One picture, written whole or not at all (PNG or any format QImage writes).
RenderResult renderPicture(const RenderRequest& request);

// Where a video's time went: simulating and drawing the frames, and encoding
// and writing them, seconds of wall time each. The frames are encoded on a
// thread of their own while the next ones are drawn, so the whole export
// (`wall`) takes less than the two together.
struct RenderTimings {
    double drawing = 0;
    double encoding = 0;
    double wall = 0;
};

// A video of the fountain's show, both sequencers started together at time 0,
// its frames from `startSeconds` on.
RenderResult renderVideo(const RenderRequest& request, const RenderProgress& progress = {},
                         RenderTimings* timings = nullptr);

// The default backdrop the program and the tools load at start: "muzteatr.jpg"
// in the working folder, else the one beside the program or installed with it
// (PROGRAM/../share/pluviane); empty when none. `programFolder` defaults to the
// running program's.
QString defaultBackdrop(const QString& programFolder = {});

} // namespace pluviane
