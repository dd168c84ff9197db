// Draws a fountain file to a picture, or plays its show to a video, with no
// display at all: OpenGL through EGL on Mesa's surfaceless platform, the
// program's windows on Qt's offscreen platform, time simulated.
//
//   pluviane-render FILE.wat -o OUT.png [--size WxH] [--time SECONDS]
//   pluviane-render FILE.wat -o OUT.mp4 [--from SECONDS] [--duration SECONDS] [--music SOUND] [--fps N] [--size WxH]
//   either with [--cues LABELS.txt | --no-track]
//   and [--look classic|realistic] [--view file|fit] [--camera still|orbit] [--backdrop PICTURE]
//
// A file with a show track plays by its cues, videos with the track's music.
// Exit codes: 0 done, 1 a file could not be read or written, 2 bad usage.
// Any bytes of at most 64000 load, as in the program; a file that does not
// begin with the header byte the program writes is loaded with a warning.
#include "CommandLineManners.h"
#include "app/Application.h"
#include "model/FountainFile.h"
#include "model/Language.h"
#include "model/ShowTrack.h"
#include "video/FountainRender.h"

#include <QGuiApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <optional>

#include <unistd.h>

using namespace pluviane;

namespace {

// The context of this tool's own texts.
struct RenderTool {
    Q_DECLARE_TR_FUNCTIONS(RenderTool)
};

using namespace pluviane::tool;

void say(const QString& text) { std::fprintf(stderr, "pluviane-render: %s\n", qPrintable(text)); }

std::optional<QSize> parseSize(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,6})x(\\d{1,6})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return QSize(m.captured(1).toInt(), m.captured(2).toInt());
}

std::optional<double> parseSeconds(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0)
        return std::nullopt;
    return value;
}

QString clock(double seconds)
{
    const int s = static_cast<int>(std::lround(seconds));
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

// A one-line bar on the terminal (frames done, speed against real time, time
// left); elsewhere silent. With `lines`, "DONE TOTAL" on stdout after each
// frame, for a program that runs this one. Either way an interrupt cancels.
RenderProgress progressReport(int fps, bool lines)
{
    const bool terminal = isatty(STDERR_FILENO);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    return [started, fps, terminal, lines](int done, int total) {
        if (interrupted)
            return false;
        if (lines) {
            std::fprintf(stdout, "%d %d\n", done, total);
            std::fflush(stdout);
        }
        if (!terminal)
            return true;
        const double elapsed = std::max(started->elapsed() / 1000.0, 1e-3);
        const double speed = done / static_cast<double>(fps) / elapsed;
        const double left = (total - done) / std::max(done / elapsed, 1e-6);
        constexpr int kWidth = 30;
        const int filled = total > 0 ? done * kWidth / total : kWidth;
        const QString figures = RenderTool::tr("%1/%2 frames  %3x  %4 left")
                                    .arg(done).arg(total).arg(speed, 0, 'f', 2).arg(clock(left));
        std::fprintf(stderr, "\r[%s%s] %s ", QByteArray(filled, '#').constData(),
                     QByteArray(kWidth - filled, '.').constData(), qPrintable(figures));
        if (done == total)
            std::fputc('\n', stderr);
        return true;
    };
}

struct Arguments {
    RenderRequest request;
    bool video = false;
    bool durationGiven = false;
    bool progressLines = false;
};

// Reads the command line into a request; prints why and gives Usage when it is wrong.
std::optional<Arguments> parseArguments(QCommandLineParser& parser, const QStringList& args, int& exitCode)
{
    parser.setApplicationDescription(RenderTool::tr("Draws a fountain file (.wat) to a picture, or plays its show to an MP4 video.\n"
        "A picture shows the fountain as stored, or after --time seconds of its show.\n"
        "A video (output ending in .mp4) plays the show from form 1 and scene 1."));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    RenderTool::tr("The picture or .mp4 video to write."), QStringLiteral("OUT"));
    const QCommandLineOption size(QStringLiteral("size"), RenderTool::tr("Picture size (default 1280x720)."),
                                  QStringLiteral("WxH"));
    const QCommandLineOption time(QStringLiteral("time"),
                                  RenderTool::tr("Picture: play the show this long first."), QStringLiteral("SECONDS"));
    const QCommandLineOption duration(QStringLiteral("duration"),
                                      RenderTool::tr("Video length (default: the music's, else 30)."),
                                      QStringLiteral("SECONDS"));
    const QCommandLineOption music(QStringLiteral("music"), RenderTool::tr("Video: sound file to play along."),
                                   QStringLiteral("SOUND"));
    const QCommandLineOption fps(QStringLiteral("fps"), RenderTool::tr("Video: frames a second (default 25)."),
                                 QStringLiteral("N"));
    const QCommandLineOption cues(QStringLiteral("cues"),
                                  RenderTool::tr("Cues from an Audacity label file instead of the file's track."),
                                  QStringLiteral("LABELS.txt"));
    const QCommandLineOption noTrack(QStringLiteral("no-track"),
                                     RenderTool::tr("Play the forms and scenes in a loop, ignoring the track."));
    const QCommandLineOption look(QStringLiteral("look"),
                                  RenderTool::tr("classic (lines, as the editor draws) or realistic (translucent "
                                                 "glowing water); default classic."),
                                  QStringLiteral("LOOK"));
    const QCommandLineOption view(QStringLiteral("view"),
                                  RenderTool::tr("file (the file's own view) or fit (the whole bowl and its jets "
                                                 "in the picture); default file."),
                                  QStringLiteral("VIEW"));
    const QCommandLineOption from(QStringLiteral("from"),
                                  RenderTool::tr("Video: begin this far into the show and the music (default 0)."),
                                  QStringLiteral("SECONDS"));
    const QCommandLineOption backdrop(QStringLiteral("backdrop"),
                                      RenderTool::tr("The backdrop picture (default muzteatr.jpg)."),
                                      QStringLiteral("PICTURE"));
    QCommandLineOption progressLines(QStringLiteral("progress-lines"));
    progressLines.setFlags(QCommandLineOption::HiddenFromHelp); // for the program's own export
    const QCommandLineOption camera(QStringLiteral("camera"),
                                    RenderTool::tr("Realistic look: still, or orbit (a slow turn about the "
                                                   "bowl's vertical axis); default still."),
                                    QStringLiteral("CAMERA"));
    parser.addOptions({output, size, time, duration, from, music, fps, cues, noTrack, look, view, camera, backdrop,
                       progressLines});
    parser.addPositionalArgument(QStringLiteral("FILE.wat"), RenderTool::tr("The fountain file."));
    if (!parseWithHelpAndVersion(parser, args, "pluviane-render", PLUVIANE_VERSION, exitCode))
        return std::nullopt;
    if (parser.positionalArguments().size() != 1 || !parser.isSet(output)) {
        say(RenderTool::tr("give one fountain file and -o OUT (see --help)"));
        return std::nullopt;
    }

    Arguments a;
    a.request.fountain = parser.positionalArguments().first();
    a.request.output = parser.value(output);
    a.request.context = FrameContext::Headless;
    a.video = QFileInfo(a.request.output).suffix().compare(QStringLiteral("mp4"), Qt::CaseInsensitive) == 0;
    if (parser.isSet(size)) {
        const auto s = parseSize(parser.value(size));
        if (!s) {
            say(RenderTool::tr("--size wants WIDTHxHEIGHT, e.g. 1280x720"));
            return std::nullopt;
        }
        a.request.size = *s;
    }
    if (a.video && parser.isSet(time)) {
        say(RenderTool::tr("--time is for pictures; a video plays from 0 for --duration"));
        return std::nullopt;
    }
    if (!a.video && (parser.isSet(duration) || parser.isSet(music) || parser.isSet(fps) || parser.isSet(from))) {
        say(RenderTool::tr("--duration, --from, --music and --fps are for videos (OUT ending in .mp4)"));
        return std::nullopt;
    }
    if (parser.isSet(from)) {
        const auto f = parseSeconds(parser.value(from));
        constexpr double kDay = 24 * 3600;
        if (!f || *f > kDay) {
            say(RenderTool::tr("--from wants seconds, from 0 to a day (86400)"));
            return std::nullopt;
        }
        a.request.startSeconds = *f;
    }
    a.request.backdrop = parser.value(backdrop);
    a.progressLines = parser.isSet(progressLines);
    if (parser.isSet(time)) {
        const auto t = parseSeconds(parser.value(time));
        constexpr double kDay = 24 * 3600; // a day of show ticks takes seconds to play
        if (!t || *t > kDay) {
            say(RenderTool::tr("--time wants seconds, from 0 to a day (86400)"));
            return std::nullopt;
        }
        a.request.showSeconds = *t;
    }
    if (parser.isSet(duration)) {
        const auto d = parseSeconds(parser.value(duration));
        if (!d || *d <= 0) {
            say(RenderTool::tr("--duration wants seconds, more than 0"));
            return std::nullopt;
        }
        a.request.video.seconds = *d;
        a.durationGiven = true;
    }
    if (parser.isSet(fps)) {
        bool ok = false;
        a.request.video.fps = parser.value(fps).toInt(&ok);
        if (!ok) {
            say(RenderTool::tr("--fps wants a whole number"));
            return std::nullopt;
        }
    }
    if (parser.isSet(look)) {
        const QString name = parser.value(look);
        if (name != QStringLiteral("classic") && name != QStringLiteral("realistic")) {
            say(RenderTool::tr("--look wants classic or realistic"));
            return std::nullopt;
        }
        a.request.look = name == QStringLiteral("realistic") ? Look::Realistic : Look::Classic;
    }
    if (parser.isSet(view)) {
        const QString name = parser.value(view);
        if (name != QStringLiteral("file") && name != QStringLiteral("fit")) {
            say(RenderTool::tr("--view wants file or fit"));
            return std::nullopt;
        }
        a.request.fitView = name == QStringLiteral("fit");
    }
    if (parser.isSet(camera)) {
        const QString name = parser.value(camera);
        if (name != QStringLiteral("still") && name != QStringLiteral("orbit")) {
            say(RenderTool::tr("--camera wants still or orbit"));
            return std::nullopt;
        }
        a.request.camera = name == QStringLiteral("orbit") ? Camera::Orbit : Camera::Still;
    }
    a.request.video.music = parser.value(music);
    a.request.followTrack = !parser.isSet(noTrack);
    if (parser.isSet(noTrack) && parser.isSet(cues)) {
        say(RenderTool::tr("--cues and --no-track exclude each other"));
        return std::nullopt;
    }
    if (parser.isSet(cues)) {
        exitCode = FileError;
        const CueLabelsRead read = readCueLabelFile(parser.value(cues));
        if (!read.ok) {
            say(RenderTool::tr("label file ") + cueLabelsProblem(parser.value(cues), read));
            return std::nullopt;
        }
        a.request.cues = read.cues;
    }
    // Without --music a video of a track plays the track's music.
    if (a.video && a.request.video.music.isEmpty() && a.request.followTrack) {
        const QString trackMusic = fileTrackMusic(a.request.fountain);
        if (!trackMusic.isEmpty() && QFileInfo(trackMusic).isFile())
            a.request.video.music = trackMusic;
        else if (!trackMusic.isEmpty())
            say(RenderTool::tr("the track's music %1 is missing; the video has no sound").arg(trackMusic));
    }
    return a;
}

int run(Arguments& a)
{
    QString warning;
    if (const QString problem = fountainFileProblem(a.request.fountain, &warning); !problem.isEmpty()) {
        say(problem);
        return FileError;
    }
    if (!warning.isEmpty())
        say(warning);
    if (!a.request.backdrop.isEmpty() && !QFileInfo(a.request.backdrop).isFile()) {
        say(RenderTool::tr("cannot read the backdrop picture %1").arg(a.request.backdrop));
        return FileError;
    }
    if (a.video) {
        if (!a.request.video.music.isEmpty() && !a.durationGiven) {
            QString why;
            const double length = soundLength(a.request.video.music, &why);
            if (length <= 0) {
                say(RenderTool::tr("cannot read sound file %1: %2").arg(a.request.video.music, why));
                return FileError;
            }
            if (a.request.startSeconds >= length) {
                say(RenderTool::tr("--from lies past the end of the music (%1 s)").arg(length, 0, 'f', 1));
                return Usage;
            }
            a.request.video.seconds = length - a.request.startSeconds;
        }
    }
    a.request.video.size = a.request.size;
    const QString bad = a.video ? checkVideoOptions(a.request.video) : checkPictureSize(a.request.size);
    if (!bad.isEmpty()) {
        say(bad);
        return Usage;
    }
    if (a.video)
        stopOnInterrupt();
    const RenderResult result = a.video ? renderVideo(a.request, progressReport(a.request.video.fps, a.progressLines))
                                        : renderPicture(a.request);
    if (result.outcome == RenderResult::Cancelled) {
        say(RenderTool::tr("interrupted; %1 not written").arg(a.request.output));
        return interruptedExit();
    }
    if (!result.ok()) {
        say(result.message);
        return FileError;
    }
    return Success;
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(keepSeriousToolkitMessages);
    // Nothing is shown, so no screen is needed. A desktop's own platform
    // setting (say "wayland" inherited by a thumbnailer run where no
    // compositor answers) would only make Qt give up at start.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    setApplicationNames();
    installTranslations(currentLanguage());
    QCommandLineParser parser;
    int exitCode = Usage;
    std::optional<Arguments> arguments = parseArguments(parser, app.arguments(), exitCode);
    if (!arguments)
        return exitCode;
    return run(*arguments);
}
