#pragma once

#include "SynthSong.h"
#include "TestSupport.h"

#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "show/RecorderWindow.h"
#include "show/SequencerPanel.h"

#include <QScrollBar>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pluviane::test {

inline const QString kExample = QStringLiteral(PLUVIANE_SOURCE_DIR "/examples/classic_round.wat");

// The classic round fountain with a show of two forms, 0.8 s each: form 1
// holds no water, form 2 full water, reached within a tenth of a second.
inline QString writeTwoFormShow(const QDir& folder)
{
    Program program;
    EditorWindow& editor = program.windows->editor();
    EXPECT_TRUE(editor.fileCommands().OpenFontanFile(kExample));
    for (int g = 1; g <= 12; ++g) {
        program.state->FormPressure[1][g] = 255;
        program.state->FormPressure[2][g] = 0;
    }
    program.windows->recorder().formCountBar()->setValue(2);
    editor.automatTab().sequencer().rampStepBar()->setValue(50);
    editor.automatTab().sequencer().formLengthBar()->setValue(50);
    const QString path = folder.filePath(QStringLiteral("two_forms.wat"));
    EXPECT_TRUE(editor.fileCommands().SAveFileFontan(path));
    return path;
}

struct ToolRun {
    int exitCode = -1;
    QString errors;
};

// Runs the command-line renderer as a user on a machine without a display would.
inline ToolRun runRender(const QStringList& arguments, const QString& program = QStringLiteral(PLUVIANE_RENDER))
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    // In a sanitizer build Mesa's software driver, unloaded at exit, leaves a
    // few bytes behind after drawing; the report still shows on stderr, but the
    // exit code stays the tool's own, which is what these tests check.
    environment.insert(QStringLiteral("LSAN_OPTIONS"),
                       environment.value(QStringLiteral("LSAN_OPTIONS")) + QStringLiteral(":exitcode=0"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120'000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, QStringLiteral("crashed or hung: ") + process.readAllStandardError()};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

// A mono 16-bit WAV file of a sine tone.
inline bool writeTone(const QString& path, double seconds, int rate = 22050)
{
    std::vector<float> samples(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(0.25 * std::sin(double(i) * 2 * M_PI * 440 / rate));
    return writeWav(path, samples, rate);
}

// Pixels brighter than the black sky in the rows [top, bottom) of an upright picture.
inline int litPixels(const QImage& image, int top, int bottom)
{
    int lit = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) > 40)
                ++lit;
    return lit;
}

} // namespace pluviane::test
