#include "video/FountainRender.h"

#include "engine/FountainSession.h"
#include "engine/SettingValueStore.h"
#include "engine/ShowDriver.h"
#include "engine/ShowSettingControls.h"
#include "model/AtomicWrite.h"
#include "model/FountainFile.h"
#include "model/Random.h"
#include "model/SaveBuffer.h"
#include "model/ShowTrack.h"
#include "render/ViewFit.h"
#include "render/WaterLook.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageWriter>

#include <cmath>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace pluviane {

namespace {

RenderResult failed(const QString& why) { return {RenderResult::Failed, why}; }

// A fountain of its own, the file opened into value stores as the program
// opens it with "Load" checked, the show stopped at time 0 and a frame to
// draw into. No window is built.
class RenderSession {
public:
    RenderResult open(const RenderRequest& request)
    {
        // Each render scatters the jets the same way, from the start values
        // the program's main window gives its fountain.
        processRandom().reset();
        state_ = std::make_unique<FountainState>();
        setStartValues(*state_, processRandom());
        show_ = std::make_unique<ShowDriver>(*state_);
        showSettings_ = std::make_unique<ShowSettingControls>(show_->controls());
        settings_ = std::make_unique<SettingValueStore>(*state_, showSettings_.get());
        const QString name = QDir::toNativeSeparators(request.fountain);
        const QFileInfo file(request.fountain);
        if (!file.isFile())
            return failed(QCoreApplication::translate("pluviane::FountainRender",
                                                      "cannot read %1: %2")
                                                          .arg(name, file.exists() ? QCoreApplication::translate("pluviane::FountainRender", "not a file")
                                                                     : QCoreApplication::translate("pluviane::FountainRender",
                                                                                                   "no such file")));
        FountainSession session(*state_, *settings_);
        const FountainOpening opening = session.open(request.fountain, true);
        if (!opening.ok()) {
            // The program's own messages name the file, all but the one for a file too large.
            const QString why = opening.oneLine();
            return failed(why.contains(name) ? why : QCoreApplication::translate("pluviane::FountainRender",
                                                                                 "cannot read %1: %2")
                                                                                     .arg(name, why));
        }
        show_->setFieldSpin(settings_->sceneSettings().fieldSpin);

        if (request.cues)
            state_->Track.cues = *request.cues;
        followTrack_ = request.followTrack;

        frame_ = std::make_unique<OffscreenFrame>(request.size, *state_, request.context);
        if (!frame_->isValid())
            return failed(QCoreApplication::translate("pluviane::FountainRender",
                                                      "cannot draw a %1x%2 picture: %3")
                              .arg(request.size.width()).arg(request.size.height()).arg(frame_->error()));
        const QString backdrop = request.backdrop.isEmpty() ? defaultBackdrop() : request.backdrop;
        if (!backdrop.isEmpty())
            frame_->loadBackdrop(backdrop);
        look_ = request.look;
        camera_ = request.camera;
        if (request.fitView)
            fitTheView(request.size);
        return {};
    }

    void startShow() { show_->start(followTrack_); }
    void advanceTo(std::int64_t micros)
    {
        show_->advanceTo(micros);
        seconds_ = static_cast<double>(micros) * 1e-6;
    }

    // The picture at the current moment, rows in OpenGL's order.
    QImage draw()
    {
        SceneSettings settings = settings_->sceneSettings();
        settings.look = look_;
        if (camera_ == Camera::Orbit)
            settings.orbit = orbitDegrees(seconds_);
        if (fittedZoom_ >= 0)
            settings.zoom = fittedZoom_;
        frame_->draw(*state_, settings);
        return frame_->image();
    }

private:
    // Pans and zooms so that the bowl and every jet at full height stay in
    // the picture, at every angle the field's spin will turn the view to.
    void fitTheView(QSize size)
    {
        const SceneSettings s = settings_->sceneSettings();
        const BowlShape bowl{s.cupCorners, s.cupTurn, s.cupWidth, s.cupWall, s.cupDepth};
        std::vector<ViewAngles> angles{{state_->ViewAngleY, state_->ViewAngleZ, state_->ViewAngleX}};
        if (s.fieldSpin != 50)
            for (int turn = 15; turn < 360; turn += 15)
                angles.push_back({state_->ViewAngleY + turn, state_->ViewAngleZ, state_->ViewAngleX});
        const ViewFit fit = fitView(sceneOutline(*state_, bowl, s.cup), angles,
                                    double(size.width()) / std::max(size.height(), 1));
        state_->ViewPanX = fit.panX;
        state_->ViewPanY = fit.panY;
        fittedZoom_ = fit.zoom;
    }

    Look look_ = Look::Classic;
    Camera camera_ = Camera::Still;
    double seconds_ = 0; // of the show, where the orbit has got to
    int fittedZoom_ = -1; // the zoom bar's own when not fitted
    bool followTrack_ = true;
    std::unique_ptr<FountainState> state_;
    std::unique_ptr<ShowDriver> show_;
    std::unique_ptr<ShowSettingControls> showSettings_;
    std::unique_ptr<SettingValueStore> settings_;
    std::unique_ptr<OffscreenFrame> frame_;
};

std::int64_t micros(double seconds) { return std::llround(seconds * 1e6); }

// Encodes the frames on a thread of its own, so that the next frame is drawn
// while the last one is encoded. At most two frames wait: memory stays small
// and a failing encoder stops the drawing soon.
class EncodingThread {
public:
    explicit EncodingThread(VideoEncoder& encoder) : encoder_(encoder), thread_([this] { run(); }) {}
    ~EncodingThread() { stop(true); }
    EncodingThread(const EncodingThread&) = delete;
    EncodingThread& operator=(const EncodingThread&) = delete;

    // Waits while the queue is full. False once the encoder has failed.
    bool push(QImage frame)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return queue_.size() < kWaiting || failed_; });
        if (failed_)
            return false;
        queue_.push_back(std::move(frame));
        changed_.notify_all();
        return true;
    }

    // Encodes what waits (or drops it), then ends the thread. True when every frame went in.
    bool stop(bool dropWaiting = false)
    {
        {
            std::lock_guard lock(mutex_);
            if (dropWaiting)
                queue_.clear();
            closing_ = true;
        }
        changed_.notify_all();
        if (thread_.joinable())
            thread_.join();
        return !failed_;
    }

    double encodingSeconds() const { return seconds_; } // read after stop()

private:
    static constexpr std::size_t kWaiting = 2;

    void run()
    {
        QElapsedTimer clock;
        for (;;) {
            QImage frame;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [this] { return !queue_.empty() || closing_; });
                if (queue_.empty())
                    return;
                frame = std::move(queue_.front());
                queue_.pop_front();
            }
            changed_.notify_all();
            clock.start();
            const bool added = encoder_.addFrame(frame, true);
            seconds_ += clock.nsecsElapsed() * 1e-9;
            if (!added) {
                std::lock_guard lock(mutex_);
                failed_ = true;
                queue_.clear();
                changed_.notify_all();
                return;
            }
        }
    }

    VideoEncoder& encoder_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<QImage> queue_;
    bool closing_ = false;
    bool failed_ = false;
    double seconds_ = 0;
    std::thread thread_; // last: it starts once the rest is there
};

} // namespace

QString fileTrackMusic(const QString& fountain)
{
    auto image = std::make_unique<FountainImage>();
    const FileResult read = readFountainFile(fountain, *image);
    if (!read.ok())
        return {};
    const ShowTrackRead track = readShowTrack(*image, read.length);
    return trackMusicPath(track.track, QFileInfo(fountain).absolutePath());
}

QString checkPictureSize(QSize size)
{
    constexpr int kMaxPictureSide = 8192; // a few hundred megabytes of colour, depth and read-back
    if (size.width() < 1 || size.height() < 1 || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
        return QCoreApplication::translate("pluviane::FountainRender",
                                           "the picture size must be between 1x1 and %1x%1").arg(kMaxPictureSide);
    return {};
}

QString defaultBackdrop(const QString& programFolder)
{
    const QString name = QStringLiteral("muzteatr.jpg");
    const QString appDir = programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder;
    for (const QString& candidate : {name, QDir(appDir).filePath(name),
                                     QDir(appDir).filePath(QStringLiteral("../share/pluviane/") + name)})
        if (QFileInfo(candidate).isFile())
            return candidate;
    return {};
}

RenderResult renderPicture(const RenderRequest& request)
{
    const QString badSize = checkPictureSize(request.size);
    if (!badSize.isEmpty())
        return failed(badSize);
    RenderSession session;
    RenderResult opened = session.open(request);
    if (!opened.ok())
        return opened;
    if (request.showSeconds >= 0) {
        session.startShow();
        session.advanceTo(micros(request.showSeconds));
    }
    // The first frame is drawn lit; the live view shows the second and later ones.
    session.draw();
    // Opaque: what the framebuffer's alpha holds after blending is no part of the picture.
    const QImage picture = session.draw().mirrored(false, true).convertToFormat(QImage::Format_RGB32);

    // A thumbnailer's output name need not say PNG; what the name does not name is PNG.
    QByteArray format = QFileInfo(request.output).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format))
        format = "png";
    // Encoded in memory first, so a write that fails says why in the system's words.
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(picture))
        return failed(QCoreApplication::translate("pluviane::FountainRender",
                                                  "cannot encode the picture: %1").arg(writer.errorString()));
    const QString why = writeFileAtomically(request.output, encoded);
    if (!why.isEmpty())
        return failed(QCoreApplication::translate("pluviane::FountainRender",
                                                  "cannot write %1: %2")
                                                      .arg(QDir::toNativeSeparators(request.output), why));
    return {};
}

RenderResult renderVideo(const RenderRequest& request, const RenderProgress& progress, RenderTimings* timings)
{
    VideoOptions options = request.video;
    options.size = request.size;
    options.musicStart = request.startSeconds;
    const QString badOptions = checkVideoOptions(options);
    if (!badOptions.isEmpty())
        return failed(badOptions);
    RenderSession session;
    RenderResult opened = session.open(request);
    if (!opened.ok())
        return opened;
    VideoEncoder encoder;
    if (!encoder.open(request.output, options))
        return failed(encoder.error());

    session.startShow();
    const std::int64_t start = micros(std::max(0.0, request.startSeconds));
    session.advanceTo(start);
    const int total = encoder.frameCount();
    RenderTimings spent;
    QElapsedTimer wall;
    wall.start();
    QElapsedTimer clock;
    clock.start();
    session.draw(); // the lit first frame, as the live view's first tick
    EncodingThread encoding(encoder);
    auto report = [&](double finishing) {
        spent.encoding = encoding.encodingSeconds() + finishing;
        spent.wall = wall.nsecsElapsed() * 1e-9;
        if (timings)
            *timings = spent;
    };
    for (int frame = 0; frame < total; ++frame) {
        session.advanceTo(start + static_cast<std::int64_t>(frame) * 1'000'000 / options.fps);
        QImage picture = session.draw();
        spent.drawing += clock.nsecsElapsed() * 1e-9;
        const bool queued = encoding.push(std::move(picture));
        clock.restart();
        if (!queued) {
            encoding.stop();
            report(0);
            return failed(encoder.error());
        }
        if (progress && !progress(frame + 1, total)) {
            encoding.stop(true);
            encoder.abandon();
            return {RenderResult::Cancelled, QStringLiteral("cancelled")};
        }
    }
    const bool encoded = encoding.stop();
    clock.restart();
    const bool finished = encoded && encoder.finish();
    report(clock.nsecsElapsed() * 1e-9);
    if (!finished)
        return failed(encoder.error());
    return {};
}

} // namespace pluviane
