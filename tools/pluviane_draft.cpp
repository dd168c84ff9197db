// Drafts a fountain's show from a song: form cues on the beats, water with the
// loudness, scenes by the phrase; written as the fountain file's show track.
//
//   pluviane-draft FILE.wat MUSIC -o OUT.wat [--labels OUT.txt] [--density low|medium|high] [--report]
//
// Exit codes: 0 done, 1 a file could not be read or written, 2 bad usage.
#include "CommandLineManners.h"
#include "model/AtomicWrite.h"
#include "model/FountainFile.h"
#include "model/Language.h"
#include "model/SaveBuffer.h"
#include "model/ShowTrack.h"
#include "music/ShowDraft.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>

#include <unistd.h>

using namespace pluviane;

namespace {

using namespace pluviane::tool;

// Where the recorder's scene and form counts travel in the settings block.
constexpr std::size_t kSceneCountByte = 210;
constexpr std::size_t kFormCountByte = 211;

// The context of this tool's own texts.
struct DraftTool {
    Q_DECLARE_TR_FUNCTIONS(DraftTool)
};

void say(const QString& text) { std::fprintf(stderr, "pluviane-draft: %s\n", qPrintable(text)); }
void tell(const QString& text) { std::printf("%s\n", qPrintable(text)); }

// A one-line bar on the terminal, silent elsewhere; an interrupt cancels.
std::function<bool(double)> progressBar()
{
    const bool terminal = isatty(STDERR_FILENO);
    auto shown = std::make_shared<int>(-1);
    return [terminal, shown](double done) {
        if (interrupted)
            return false;
        constexpr int kWidth = 30;
        const int filled = std::clamp(int(done * kWidth), 0, kWidth);
        if (terminal && filled != *shown) {
            *shown = filled;
            std::fprintf(stderr, "\r[%s%s] %3d%% ", QByteArray(filled, '#').constData(),
                         QByteArray(kWidth - filled, '.').constData(), int(done * 100));
            if (filled == kWidth)
                std::fputc('\n', stderr);
        }
        return true;
    };
}

QString rowList(const std::vector<DraftRow>& rows)
{
    if (rows.empty())
        return {};
    return rows.size() == 1 ? QString::number(rows.front().row)
                            : QStringLiteral("%1..%2").arg(rows.front().row).arg(rows.back().row);
}

struct Arguments {
    QString fountain, music, output, labels;
    DraftDensity density = DraftDensity::Medium;
    bool report = false;
};

QString kindName(MusicSection::Kind kind)
{
    switch (kind) {
    case MusicSection::Intro: return DraftTool::tr("intro");
    case MusicSection::Chorus: return DraftTool::tr("chorus");
    case MusicSection::Bridge: return DraftTool::tr("bridge");
    case MusicSection::Outro: return DraftTool::tr("outro");
    case MusicSection::Verse: break;
    }
    return DraftTool::tr("verse");
}

QString percent(int part, int whole) { return QString::number(whole > 0 ? 100.0 * part / whole : 0.0, 'f', 0); }

// What a designer wants to know before opening the draft.
void printReport(const SongAnalysis& music, const ShowDraft& draft, const FountainState& state)
{
    const DraftReport r = reportDraft(music, draft, state);
    tell(DraftTool::tr("sections (%1):").arg(r.sections.size()));
    for (const DraftReport::Section& s : r.sections) {
        const double minutes = std::max(1e-9, (s.end - s.start) / 60.0);
        tell(DraftTool::tr("  %1-%2 s  %3 %4, %5 bars, %6 LUFS, %7 form cues a minute, water %8 %")
                 .arg(s.start, 6, 'f', 1)
                 .arg(s.end, 6, 'f', 1)
                 .arg(kindName(s.section.kind))
                 .arg(QChar('A' + s.section.family % 26))
                 .arg(s.section.endBar - s.section.firstBar)
                 .arg(s.section.loudness, 0, 'f', 1)
                 .arg(s.formCues / minutes, 0, 'f', 1)
                 .arg(s.water * 100, 0, 'f', 0));
    }
    tell(DraftTool::tr("accents: %1 of the %2 strongest hits have a form cue; %3 rests before a hit")
             .arg(r.accentsWithCue)
             .arg(r.strongestOnsets)
             .arg(draft.rests));
    tell(DraftTool::tr("form changes: %1, %2 % of them move at least a fifth of the nozzles; "
                       "at most %3 in a row between the same two forms")
             .arg(r.formChanges)
             .arg(percent(r.contrastingChanges, r.formChanges))
             .arg(r.longestAlternation));
    tell(DraftTool::tr("water: %1 % in the quietest 30 s, %2 % in the loudest; dry %3 s of %4 s")
             .arg(r.quietestWater * 100, 0, 'f', 0)
             .arg(r.loudestWater * 100, 0, 'f', 0)
             .arg(r.drySeconds, 0, 'f', 1)
             .arg(music.seconds, 0, 'f', 1));
}

std::optional<Arguments> parseArguments(QCommandLineParser& parser, const QStringList& args, int& exitCode)
{
    parser.setApplicationDescription(DraftTool::tr("Drafts the show of a fountain file (.wat) from a song: as much water as the\n"
        "music is loud, forms held in calm passages and changing on the bar or the beat\n"
        "as it grows, a cue on every strong hit, a new scene at every section of the song.\n"
        "The fountain's recorded forms and scenes are used; when there are too few that\n"
        "differ, the draft records its own into free rows. The result is written as the\n"
        "file's show track."));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    DraftTool::tr("The fountain file to write."), QStringLiteral("OUT.wat"));
    const QCommandLineOption labels(QStringLiteral("labels"),
                                    DraftTool::tr("Also write the cues as an Audacity label file."),
                                    QStringLiteral("OUT.txt"));
    const QCommandLineOption density(QStringLiteral("density"),
                                     DraftTool::tr("How often the forms change: low, medium (the default) or high."),
                                     QStringLiteral("low|medium|high"), QStringLiteral("medium"));
    const QCommandLineOption report(QStringLiteral("report"),
                                    DraftTool::tr("Also print the tempo sections, the sections of the song, the cues a "
                                                  "minute in each, the accents taken and the dry time."));
    parser.addOptions({output, labels, density, report});
    parser.addPositionalArgument(QStringLiteral("FILE.wat"), DraftTool::tr("The fountain file."));
    parser.addPositionalArgument(QStringLiteral("MUSIC"), DraftTool::tr("The song (any format FFmpeg reads)."));
    if (!parseWithHelpAndVersion(parser, args, "pluviane-draft", PLUVIANE_VERSION, exitCode))
        return std::nullopt;
    if (parser.positionalArguments().size() != 2 || !parser.isSet(output)) {
        say(DraftTool::tr("give a fountain file, a song and -o OUT.wat (see --help)"));
        return std::nullopt;
    }
    const QStringList densities{QStringLiteral("low"), QStringLiteral("medium"), QStringLiteral("high")};
    const auto chosen = densities.indexOf(parser.value(density).toLower());
    if (chosen < 0) {
        say(DraftTool::tr("--density takes low, medium or high, not \"%1\"").arg(parser.value(density)));
        return std::nullopt;
    }
    return Arguments{parser.positionalArguments()[0], parser.positionalArguments()[1], parser.value(output),
                     parser.value(labels), DraftDensity(chosen), parser.isSet(report)};
}

int run(const Arguments& a)
{
    FountainImage image{};
    const FileResult read = readFountainFile(a.fountain, image);
    if (!read.ok()) {
        say(read.outcome == FileResult::TooLarge
                ? DraftTool::tr("%1 is larger than a fountain file (64000 bytes)").arg(a.fountain)
                : DraftTool::tr("cannot read %1: %2").arg(a.fountain, read.reason));
        return FileError;
    }
    if (const QString warning = headerWarning(a.fountain, image, read.length); !warning.isEmpty())
        say(warning);
    auto state = std::make_unique<FountainState>();
    FromBufSave(image, *state);

    stopOnInterrupt();
    const MusicFileDraft made = draftShowForMusic(a.music, *state, image[kFormCountByte], image[kSceneCountByte],
                                                  progressBar(), a.density);
    if (made.cancelled) {
        say(DraftTool::tr("interrupted; %1 not written").arg(a.output));
        return interruptedExit();
    }
    if (!made.error.isEmpty()) {
        say(DraftTool::tr("cannot decode %1: %2").arg(a.music, made.error));
        return FileError;
    }
    const ShowDraft& draft = made.draft;
    if (draft.problem == ShowDraft::NoGroups) {
        say(DraftTool::tr("%1 has no nozzles in groups 1..12: there is no water to draft").arg(a.fountain));
        return FileError;
    }
    if (draft.problem == ShowDraft::NoMusic) {
        say(DraftTool::tr("%1 holds no sound").arg(a.music));
        return FileError;
    }

    applyDraftRows(draft, *state);
    ToBufSave(*state, image);
    image[kFormCountByte] = Byte(draft.formCount);
    image[kSceneCountByte] = Byte(draft.sceneCount);
    ShowTrack track = draft.track;
    track.musicName = trackMusicName(QFileInfo(a.music).absoluteFilePath(), QFileInfo(a.output).absolutePath());
    if (!writeShowTrack(track, image)) {
        say(DraftTool::tr("the drafted track does not fit the fountain file"));
        return FileError;
    }
    if (const FileResult written = writeFountainFile(a.output, image); !written.ok()) {
        say(DraftTool::tr("cannot write %1: %2").arg(a.output, written.reason));
        return FileError;
    }
    if (!a.labels.isEmpty()) {
        if (const QString why = writeFileAtomically(a.labels, formatCueLabels(track.cues)); !why.isEmpty()) {
            say(DraftTool::tr("cannot write %1: %2").arg(a.labels, why));
            return FileError;
        }
    }

    if (draft.defaultTempo)
        tell(DraftTool::tr("no beat found: cues follow the onsets and the phrases"));
    else
        tell(DraftTool::tr("tempo %1 beats a minute").arg(made.music.tempo, 0, 'f', 1));
    for (const TempoSection& t : made.music.tempi)
        tell(DraftTool::tr("  from %1 s: %2 beats a minute").arg(t.start, 0, 'f', 1).arg(t.bpm, 0, 'f', 1));
    tell(DraftTool::tr("%1 cues").arg(track.cues.size()));
    if (draft.formsAlike)
        tell(DraftTool::tr("the recorded forms differ too little from each other"));
    if (!draft.newForms.empty())
        tell(DraftTool::tr("recorded forms %1 of its own").arg(rowList(draft.newForms)));
    if (!draft.newScenes.empty())
        tell(DraftTool::tr("recorded scenes %1 of its own").arg(rowList(draft.newScenes)));
    if (draft.outOfRows)
        tell(DraftTool::tr("not all of its own forms and scenes fitted: the rows after the recorded ones are taken"));
    if (draft.thinned)
        tell(DraftTool::tr("fewer form changes than the music asks for, to fit the track"));
    if (a.report)
        printReport(made.music, draft, *state);
    return Success;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pluviane-draft"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PLUVIANE_VERSION));
    installTranslations(currentLanguage());
    QCommandLineParser parser;
    int exitCode = Usage;
    const std::optional<Arguments> arguments = parseArguments(parser, app.arguments(), exitCode);
    if (!arguments)
        return exitCode;
    return run(*arguments);
}
