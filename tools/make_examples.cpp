// Builds the example fountains with the program's own editor: the group builder,
// the manual panel and the bowl tab are driven control by control, a show of
// forms and scenes is recorded through the scenario recorder, and each fountain
// is saved through the editor's save command.
//
//   make-examples <folder> [--pictures]
//
// With --pictures a PNG preview is drawn beside each file (needs OpenGL, e.g. under Xvfb).
// One example comes with a song of its own, synthesised here, and a show track
// that puts its forms and scenes on the song's beats.
#include "app/AppWindows.h"
#include "app/Application.h"
#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/FilePrompter.h"
#include "editor/GroupTab.h"
#include "editor/ManualTab.h"
#include "model/FountainState.h"
#include "model/Random.h"
#include "model/ShowTrack.h"
#include "music/MusicWriter.h"
#include "render/gl/OffscreenFrame.h"
#include "show/RecorderWindow.h"
#include "show/SequencerPanel.h"
#include "widgets/ColourGrid.h"
#include "widgets/RadioGroup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

using namespace pluviane;

namespace {

enum Shape { Line = 0, Triangle = 1, Square = 2, Circle = 3, Spiral = 4 };

// One group as the designer sets it on "Группы" before "Записать+новая группа".
struct GroupRecipeSpec {
    Shape shape;
    int count;
    int size;
    int height;
    int tilt;
    int foam;
    int colour;          // colour fader position on "Управление"
    int jetRotation = 0; // two degrees per step
    int groupRotation = 0;
    int proportion = 100;
    int extra = 100;
};

struct BowlSpec {
    int corners;
    int turn;
    int width;
    int depth = 25;
    int wall = 18;
    int bottom = 8, outer = 4, top = 6, inner = 7;
};

struct ExampleRecipe {
    const char* file;
    std::vector<GroupRecipeSpec> groups;
    BowlSpec bowl;
    const char* song = nullptr; // a synthesised song and a track on its beats
};

// The song: eight bars of 4/4 at 120 beats a minute. A kick drum on every
// beat, a hi-hat between, a bass line and a chord that change with each bar.
constexpr int kSongRate = 22050;
constexpr double kBeatSeconds = 0.5;
constexpr int kSongBars = 8;

std::vector<float> synthesiseSong()
{
    const int beats = kSongBars * 4;
    const std::size_t length = std::size_t((beats * kBeatSeconds + 1.0) * kSongRate);
    std::vector<float> song(length, 0.0f);
    const double roots[] = {55.0, 43.65, 49.0, 41.2}; // A, F, G, E
    std::uint32_t noise = 12345;
    for (std::size_t i = 0; i < length; ++i) {
        const double t = double(i) / kSongRate;
        const int beat = std::min(int(t / kBeatSeconds), beats - 1);
        const double inBeat = t - beat * kBeatSeconds;
        const double root = roots[(beat / 4) % 4];
        const bool playing = t < beats * kBeatSeconds;
        // Kick: a falling sine with a fast decay.
        const double kickPhase = 2 * M_PI * (45 * inBeat + 60 * (1 - std::exp(-inBeat * 30)) / 30);
        double v = 0.8 * std::sin(kickPhase) * std::exp(-inBeat * 9);
        // The beater's click on the beat, a soft hi-hat on the off-beat.
        noise = noise * 1664525u + 1013904223u;
        const double white = double(noise >> 8) / double(1 << 24) * 2 - 1;
        v += 0.5 * white * std::exp(-inBeat * 120);
        const double offBeat = inBeat - kBeatSeconds / 2;
        if (offBeat >= 0)
            v += 0.06 * white * std::exp(-offBeat * 80);
        // Bass and a soft chord over it.
        v += 0.25 * std::sin(2 * M_PI * root * 2 * t) * std::exp(-inBeat * 3);
        for (double ratio : {4.0, 5.0, 6.0})
            v += 0.05 * std::sin(2 * M_PI * root * ratio * t);
        song[i] = playing ? float(std::tanh(v)) : float(std::tanh(v) * std::max(0.0, 1 - (t - beats * kBeatSeconds)));
    }
    return song;
}

// A form on every beat, cycling through the recorded forms, and a new scene
// with every bar.
ShowTrack songTrack(int forms, int scenes, const QString& music)
{
    ShowTrack track;
    track.musicName = music;
    for (int beat = 0; beat < kSongBars * 4; ++beat) {
        const int bar = beat / 4;
        track.cues.push_back({std::int64_t(std::lround(beat * kBeatSeconds * 1000)), beat % forms + 1,
                              beat % 4 == 0 ? bar % scenes + 1 : 0});
    }
    track.cues.push_back({std::int64_t(kSongBars * 4 * kBeatSeconds * 1000), forms, 0});
    return track;
}

void setBar(QWidget* root, const char* name, int value)
{
    if (auto* bar = root->findChild<QScrollBar*>(QString::fromLatin1(name)))
        bar->setValue(value);
    else
        std::fprintf(stderr, "no bar %s\n", name);
}

void setGrid(QWidget* root, const char* name, int index)
{
    if (auto* grid = root->findChild<ColourGrid*>(QString::fromLatin1(name)))
        grid->setSelectedIndex(index);
}

void buildGroups(EditorWindow& editor, const std::vector<GroupRecipeSpec>& groups)
{
    GroupTab& tab = editor.groupTab();
    auto* shape = tab.findChild<RadioGroup*>(QStringLiteral("RadioGroupTips"));
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const GroupRecipeSpec& g = groups[i];
        shape->setItemIndex(g.shape);
        tab.countBar()->setValue(g.count);
        tab.sizeBar()->setValue(g.size);
        tab.proportionBar()->setValue(g.proportion);
        tab.centreXBar()->setValue(100);
        tab.centreZBar()->setValue(100);
        tab.groupRotationBar()->setValue(g.groupRotation);
        tab.jetRotationBar()->setValue(g.jetRotation);
        tab.heightBar()->setValue(g.height);
        tab.tiltBar()->setValue(g.tilt);
        tab.foamBar()->setValue(g.foam);
        tab.extraBar()->setValue(g.extra);
        tab.BuildGroup();
        tab.SpeedButtonOkplusClick();
        const int group = static_cast<int>(i) + 1;
        if (QScrollBar* colour = editor.manualTab().colourFader(group))
            colour->setValue(g.colour);
    }
}

void shapeBowl(EditorWindow& editor, const BowlSpec& bowl)
{
    setBar(&editor, "ScrollBarUgolCup", bowl.corners);
    setBar(&editor, "ScrollBarUgolPovorota", bowl.turn);
    setBar(&editor, "ScrollBarCupWidthX", bowl.width);
    setBar(&editor, "ScrollBarCuphI", bowl.depth);
    setBar(&editor, "ScrollBarCupwALL", bowl.wall);
    setGrid(&editor, "ColorGridDno", bowl.bottom);
    setGrid(&editor, "ColorGridIn", bowl.outer);
    setGrid(&editor, "ColorGridUp", bowl.top);
    setGrid(&editor, "ColorGridNaruz", bowl.inner);
}

// Pressures of the recorder: 0 is full height, 255 no water.
constexpr int kRunning = 20;
constexpr int kDry = 255;

// Records the show as a designer would in the recorder: the water rises ring
// by ring from the outside in, then every other group plays alone; the scenes
// pass the groups' colours on round the fountain. Scene 1 holds the colours
// the fountain was built with.
void recordShow(AppWindows& windows, const std::vector<GroupRecipeSpec>& groups)
{
    RecorderWindow& rec = windows.recorder();
    const int rings = static_cast<int>(groups.size());
    auto recordForm = [&](auto running) {
        for (int g = 1; g <= kFaderGroups; ++g)
            rec.pressureBar(g)->setValue(g <= rings && running(g) ? kRunning : kDry);
        rec.recordFormNextButton()->click();
    };
    for (int form = 1; form <= rings; ++form)
        recordForm([form](int g) { return g <= form; });
    recordForm([](int g) { return g % 2 == 1; });

    const int scenes = std::max(rings, 3);
    for (int scene = 0; scene < scenes; ++scene) {
        for (int g = 1; g <= rings; ++g)
            rec.colourBar(g)->setValue(255 - groups[(g - 1 + scene) % rings].colour);
        rec.recordSceneNextButton()->click();
    }
    // "Rec" leaves a copy in the next row; the counts end at the recorded ones.
    rec.formCountBar()->setValue(rings + 1);
    rec.sceneCountBar()->setValue(scenes);
    rec.formNumberBar()->setValue(1);
    rec.sceneNumberBar()->setValue(1);

    SequencerPanel& sequencer = windows.editor().automatTab().sequencer();
    sequencer.rampStepBar()->setValue(6);
    sequencer.formLengthBar()->setValue(120);
    sequencer.colourStepBar()->setValue(1);
    sequencer.sceneLengthBar()->setValue(150);
    windows.editor().manualTab().SpeedButtonAlMaxClick();
}

bool makeExample(const ExampleRecipe& recipe, const QDir& folder, bool picture)
{
    processRandom().reset();
    auto state = std::make_unique<FountainState>();
    AppWindows windows(*state);
    EditorWindow& editor = windows.editor();
    // Nobody answers here: a message goes to the terminal, a question is answered No.
    editor.fileCommands().setPrompter(std::make_unique<UnattendedPrompter>(
        [](const QString& caption, const QString& text) { std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text)); }));

    editor.fileCommands().SpeedButtonNewClick();
    editor.manualTab().saturationBar()->setValue(230);
    buildGroups(editor, recipe.groups);
    shapeBowl(editor, recipe.bowl);
    recordShow(windows, recipe.groups);
    // The "ISOMETR" view from a little farther away, so the whole bowl shows.
    state->ViewAngleY = 10;
    state->ViewAngleZ = 342;
    state->ViewAngleX = 0;
    state->ViewPanX = 0;
    state->ViewPanY = -8;
    setBar(&editor, "ScrollBarZoom", 62);

    const QString path = folder.filePath(QString::fromLatin1(recipe.file));
    if (recipe.song != nullptr) {
        const QString song = folder.absoluteFilePath(QString::fromLatin1(recipe.song));
        if (const QString why = writeFlac(song, synthesiseSong(), kSongRate); !why.isEmpty()) {
            std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(song), qPrintable(why));
            return false;
        }
        RecorderWindow& rec = windows.recorder();
        state->Track = songTrack(rec.formCountBar()->value(), rec.sceneCountBar()->value(), song);
        // The water answers each beat quickly.
        windows.editor().automatTab().sequencer().rampStepBar()->setValue(40);
        windows.editor().automatTab().sequencer().colourStepBar()->setValue(8);
    }
    if (!editor.fileCommands().SAveFileFontan(path))
        return false;
    std::printf("%s: %d nozzles\n", qPrintable(path), nozzleCount(*state));

    if (picture) {
        OffscreenFrame frame(QSize(800, 600), *state);
        if (!frame.isValid())
            return false;
        frame.draw(*state, editor.sceneSettings());
        frame.draw(*state, editor.sceneSettings());
        // The framebuffer reads bottom row first.
        frame.image().mirrored(false, true).save(path.left(path.size() - 4) + QStringLiteral(".png"));
    }
    return true;
}

std::vector<ExampleRecipe> examples()
{
    return {
        // Three rings round a tall centre jet, each ring higher than the one outside it.
        {"classic_round.wat",
         {{Circle, 24, 170, 35, 12, 4, 100},
          {Circle, 16, 120, 60, 10, 4, 140},
          {Circle, 8, 70, 90, 8, 5, 192},
          {Line, 2, 1, 110, 0, 6, 255}},
         {21, 45, 200, 25, 18, 8, 4, 6, 7}},
        // Two squares, one inside the other, round a centre jet, in a square bowl.
        {"square.wat",
         {{Square, 24, 140, 40, 12, 4, 160},
          {Square, 12, 70, 70, 10, 4, 110},
          {Line, 2, 1, 100, 0, 6, 0}},
         {4, 45, 250, 25, 18, 8, 4, 6, 7}},
        // A spiral arm of jets winding in through the centre, and a low ring round it.
        {"spiral.wat",
         {{Spiral, 30, 170, 70, 10, 3, 200, 0, 0, 100, 50},
          {Circle, 20, 190, 30, 6, 3, 40}},
         {21, 45, 210, 25, 18, 8, 4, 6, 7}},
        // The classic rings again, playing to a song of their own on its beats.
        {"song_round.wat",
         {{Circle, 24, 170, 35, 12, 4, 100},
          {Circle, 16, 120, 60, 10, 4, 140},
          {Circle, 8, 70, 90, 8, 5, 192},
          {Line, 2, 1, 110, 0, 6, 255}},
         {21, 45, 200, 25, 18, 8, 4, 6, 7},
         "song_round.flac"},
    };
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: make-examples <folder> [--pictures]\n");
        return 2;
    }
    const bool pictures = argc > 2 && QByteArray(argv[2]) == "--pictures";
    if (!pictures && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    setApplicationNames();

    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    for (const ExampleRecipe& recipe : examples())
        if (!makeExample(recipe, folder, pictures))
            return 1;
    return 0;
}
