// Plays a fountain file's show to DMX through OLA with no window or display:
// a show controller standing next to a fountain.
#include "app/Application.h"
#include "app/StopSignals.h"
#include "dmx/DmxSender.h"
#include "engine/FountainSession.h"
#include "engine/SettingValueStore.h"
#include "engine/ShowClock.h"
#include "engine/ShowEngine.h"
#include "engine/ShowSettingControls.h"
#include "engine/ShowValueStore.h"
#include "model/DmxPatch.h"
#include "model/FountainFile.h"
#include "model/Language.h"
#include "model/Random.h"
#include "model/RegularFile.h"
#include "model/ShowTrack.h"

#include <QAudioOutput>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>

using namespace pluviane;

namespace {

// The context of this tool's own texts.
struct PlayTool {
    Q_DECLARE_TR_FUNCTIONS(PlayTool)
};

void say(const QString& text)
{
    std::fprintf(stderr, "pluviane-play: %s\n", text.toLocal8Bit().constData());
}

struct Arguments {
    QString fountain;
    QString music;
    DmxPatch patch;
    quint16 port = 9010;
    bool loop = false;
    bool noTrack = false;
    std::optional<std::vector<ShowCue>> cues; // --cues
};

// Cues of an Audacity label file; a bad file is told with its first bad line.
std::optional<std::vector<ShowCue>> readCueFile(const QString& name)
{
    const CueLabelsRead read = readCueLabelFile(name);
    if (!read.ok) {
        say(PlayTool::tr("label file ") + cueLabelsProblem(name, read));
        return std::nullopt;
    }
    return read.cues;
}

int number(const QCommandLineParser& parser, const QString& name, int fallback, bool* ok)
{
    if (!parser.isSet(name))
        return fallback;
    bool valid = false;
    const int value = parser.value(name).toInt(&valid);
    if (!valid) {
        say(PlayTool::tr("--%1 takes a number, not \"%2\"").arg(name, parser.value(name)));
        *ok = false;
    }
    return value;
}

std::optional<Arguments> parseArguments(const QStringList& words)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        PlayTool::tr("Plays the show of a fountain file to DMX through OLA, with no display."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE.wat"), PlayTool::tr("The fountain file."));
    parser.addOptions({
        {QStringLiteral("universe"), PlayTool::tr("OLA universe (default 1)."), QStringLiteral("U")},
        {QStringLiteral("levels"), PlayTool::tr("First level channel (default 1)."), QStringLiteral("L")},
        {QStringLiteral("colours"), PlayTool::tr("First colour channel (default 17)."), QStringLiteral("C")},
        {QStringLiteral("music"), PlayTool::tr("Sound file played with the show."), QStringLiteral("SOUND")},
        {QStringLiteral("loop"), PlayTool::tr("Play on until stopped (the music starts over).")},
        {QStringLiteral("cues"), PlayTool::tr("Cues from an Audacity label file instead of the file's track."),
         QStringLiteral("LABELS.txt")},
        {QStringLiteral("no-track"), PlayTool::tr("Play the forms and scenes in a loop, ignoring the track.")},
        {QStringLiteral("ola-port"), PlayTool::tr("OLA daemon's RPC port (default 9010)."), QStringLiteral("PORT")},
    });
    parser.process(words);
    if (parser.positionalArguments().size() != 1) {
        say(PlayTool::tr("name one fountain file (see --help)"));
        return std::nullopt;
    }
    Arguments args;
    bool ok = true;
    args.fountain = parser.positionalArguments().first();
    args.music = parser.value(QStringLiteral("music"));
    args.loop = parser.isSet(QStringLiteral("loop"));
    args.noTrack = parser.isSet(QStringLiteral("no-track"));
    if (args.noTrack && parser.isSet(QStringLiteral("cues"))) {
        say(PlayTool::tr("--cues and --no-track exclude each other"));
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("cues")) && !(args.cues = readCueFile(parser.value(QStringLiteral("cues")))))
        return std::nullopt;
    args.patch = {number(parser, QStringLiteral("universe"), 1, &ok),
                  number(parser, QStringLiteral("levels"), 1, &ok),
                  number(parser, QStringLiteral("colours"), 17, &ok)};
    const int port = number(parser, QStringLiteral("ola-port"), 9010, &ok);
    if (!ok)
        return std::nullopt;
    if (port < 1 || port > 65535) {
        say(PlayTool::tr("--ola-port must be 1..65535"));
        return std::nullopt;
    }
    args.port = static_cast<quint16>(port);
    if (const QString problem = dmxPatchProblem(args.patch); !problem.isEmpty()) {
        say(problem);
        return std::nullopt;
    }
    if (const QString problem = args.music.isEmpty() ? QString() : regularFileProblem(args.music);
        !problem.isEmpty()) {
        say(PlayTool::tr("cannot read the sound file %1: %2").arg(args.music, problem));
        return std::nullopt;
    }
    return args;
}

// The fountain and its show without windows: the show's controls in a value
// store whose changes run the show's chain, the bowl's in another.
struct HeadlessFountain {
    HeadlessFountain()
    {
        // The start values the program's main window gives its fountain.
        setStartValues(state, processRandom());
        showControls.setHandler(
            [this](ShowValue what, int group, int value) { engine.chain.changed(what, group, value); });
    }

    FountainState& state = fountain();
    ShowValueStore showControls;
    ShowEngine engine{state, showControls};
    ShowSettingControls showSettings{showControls};
    SettingValueStore settings{state, &showSettings};

    // A latching play button pressed, as a click presses it.
    void pressPlay(ShowValue latch)
    {
        showControls.set(latch, 1);
        if (latch == ShowValue::FormPlay)
            engine.sequencers.formPlayPressed();
    }

    // One pass of the forms: every form for its number of ticks.
    int onePassMs() const
    {
        const int forms = std::max(1, showControls.value(ShowValue::FormCount));
        return forms * showControls.value(ShowValue::FormLength) * kShowTickMs;
    }
};

// Loads the fountain with its bowl settings, so the show's speeds come along.
bool loadFountain(HeadlessFountain& fountain, const QString& name)
{
    QString warning;
    if (const QString problem = fountainFileProblem(name, &warning); !problem.isEmpty()) {
        say(problem);
        return false;
    }
    if (!warning.isEmpty())
        say(warning);
    FountainSession session(fountain.state, fountain.settings);
    const FountainOpening opening = session.open(name, true);
    // The program would show these in a box; here they go to the terminal,
    // the warning of a file without the header only once.
    if (!opening.ok())
        say(opening.caption + QStringLiteral(": ") + QString(opening.text).replace(QStringLiteral("\r\n"), " "));
    else if (!opening.headerWarning.isEmpty() && !warning.split(QLatin1Char('\n')).contains(opening.headerWarning))
        say(opening.headerWarning);
    return opening.ok();
}

// The show time of a track: the music's position when it plays, else a clock
// started with the show, going round every `loopMs` when that is above 0.
TimeSource trackTime(QMediaPlayer* player, std::int64_t loopMs)
{
    TimeSource monotonic = monotonicSource();
    if (player == nullptr)
        return [monotonic, loopMs] { return loopMs > 0 ? monotonic() / 1000 % loopMs : monotonic() / 1000; };
    auto smooth = std::make_shared<SmoothedPosition>();
    return [monotonic, smooth, player] {
        return smooth->at(player->position(), player->playbackState() == QMediaPlayer::PlayingState, monotonic());
    };
}

// Tells the operator when OLA is first reached and whenever that changes.
void reportLink(const DmxSender& sender, std::optional<bool>& told)
{
    const std::optional<bool> reached = sender.reached();
    if (!reached || reached == told)
        return;
    told = reached;
    say(*reached ? PlayTool::tr("OLA takes the frames")
                 : PlayTool::tr("no connection to OLA; trying again every 3 s"));
}

// Music that cannot play leaves the show going on without it.
void prepareMusic(QMediaPlayer& player, QAudioOutput& speakers, const Arguments& args,
                  const std::function<void()>& endAfterOnePass)
{
    player.setAudioOutput(&speakers);
    player.setSource(QUrl::fromLocalFile(QFileInfo(args.music).absoluteFilePath()));
    player.setLoops(args.loop ? QMediaPlayer::Infinite : 1);
    QObject::connect(&player, &QMediaPlayer::errorOccurred,
                     [endAfterOnePass](QMediaPlayer::Error, const QString& why) {
                         say(PlayTool::tr("the music does not play (%1); the show goes on")
                                 .arg(why));
                         endAfterOnePass();
                     });
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged,
                     [loop = args.loop](QMediaPlayer::MediaStatus status) {
                         if (status == QMediaPlayer::EndOfMedia && !loop)
                             QCoreApplication::quit();
                     });
}

} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(keepSeriousToolkitMessages);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pluviane-play"));
    installTranslations(currentLanguage());
    std::optional<Arguments> args = parseArguments(app.arguments());
    if (!args)
        return 2;

    HeadlessFountain fountain;
    if (!loadFountain(fountain, args->fountain))
        return 1;
    // The file's track (or the label file's cues) leads the show, with its music.
    ShowTrack& track = fountain.state.Track;
    if (args->cues)
        track.cues = *args->cues;
    const bool followTrack = !args->noTrack && !track.cues.empty();
    if (followTrack && args->music.isEmpty() && !track.musicName.isEmpty()) {
        if (QFileInfo(track.musicName).isFile())
            args->music = track.musicName;
        else
            say(PlayTool::tr("the track's music %1 is missing; the cues follow the clock").arg(track.musicName));
    }

    DmxSender sender({args->port, std::chrono::milliseconds(3000)});
    ShowSequencers& sequencers = fountain.engine.sequencers;
    // The sequencers tick live from the show clock; each tick hands its frame
    // to the sender, which sends changes at once and keeps a steady pace, as
    // in the window program.
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    ticks.setInterval(kShowTickMs);
    QObject::connect(&ticks, &QTimer::timeout, [&, reached = std::optional<bool>()]() mutable {
        sequencers.runDueTicks();
        sender.keep(args->patch.universe, dmxFrame(fountain.state, args->patch));
        reportLink(sender, reached);
    });

    // Without --loop the show ends with the music, or after one pass of the
    // forms when there is no music or it cannot play.
    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, &app, &QCoreApplication::quit);
    // A track without music ends two seconds after its last cue.
    auto endAfterOnePass = [&] {
        if (!args->loop && !end.isActive())
            end.start(followTrack ? int(track.cues.back().timeMs) + 2000 : fountain.onePassMs());
    };
    QMediaPlayer player;
    QAudioOutput speakers;
    if (args->music.isEmpty())
        endAfterOnePass();
    else
        prepareMusic(player, speakers, *args, endAfterOnePass);

    if (!watchStopSignals(&app, [] { QCoreApplication::quit(); }))
        say(PlayTool::tr("Ctrl+C cannot be caught; stop with care"));

    if (followTrack)
        sequencers.clock().follow(&track, trackTime(args->music.isEmpty() ? nullptr : &player,
                                                    args->loop ? track.cues.back().timeMs + 2000 : 0));
    fountain.pressPlay(ShowValue::FormPlay);
    fountain.pressPlay(ShowValue::ColourPlay);
    ticks.start();
    if (!args->music.isEmpty())
        player.play();
    say(PlayTool::tr("playing %1 to OLA universe %2").arg(args->fountain).arg(args->patch.universe));

    app.exec();

    player.stop();
    sender.blackout();
    if (!sender.flush(std::chrono::milliseconds(1000)))
        say(PlayTool::tr("OLA was not reached for the closing blackout"));
    return 0;
}
