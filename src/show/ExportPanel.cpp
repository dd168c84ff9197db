#include "show/ExportPanel.h"

#include "app/AppWindows.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/FilePrompter.h"
#include "model/FountainFile.h"
#include "model/Leftovers.h"
#include "model/ProfileFile.h"
#include "video/FountainRender.h"
#include "show/TimelineWindow.h"
#include "widgets/Controls.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <utility>

namespace pluviane {

namespace {
QString kCaption() { return ExportPanel::tr("Видео шоу"); }

// The snapshot folder names its process, so that one left by a killed export
// can be told from one still in use.
QString snapshotTemplate()
{
    return QDir::tempPath() + QStringLiteral("/pluviane-export-%1-XXXXXX").arg(QCoreApplication::applicationPid());
}

// How long a cancelled renderer may take to stop at its next frame.
constexpr int kStopWaitMs = 5000;
} // namespace

void removeKilledExportSnapshots()
{
    static const QRegularExpression killed(QStringLiteral("^pluviane-export-(\\d+)-.{6}$"));
    removeLeftovers(QDir::tempPath(), killed);
}

ExportPanel::ExportPanel(FountainState& state, EditorWindow& editor)
    : QWidget(nullptr), state_(state), editor_(editor),
      renderProgram_(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("pluviane-render"))),
      settingsPath_(settingsFilePath())
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    exportButton_ = makeIconButton(this, QStringLiteral("SpeedButtonExportVideo"), QStyle::SP_MediaSeekForward,
                                   tr("Записать видео шоу"));
    connect(exportButton_, &QToolButton::clicked, this, &ExportPanel::SpeedButtonExportVideoClick);
    row->addWidget(exportButton_);
    row->addWidget(new QLabel(tr("Видео шоу (MP4)"), this));
    row->addStretch(1);
}

ExportPanel::~ExportPanel()
{
    // No renderer outlives the program; a stopped one removes its unfinished video.
    if (exporting()) {
        process_->disconnect(this);
        process_->terminate();
        if (!process_->waitForFinished(kStopWaitMs))
            process_->kill();
        process_->waitForFinished(kStopWaitMs);
    }
}

void ExportPanel::setVideoChooser(std::function<QString(QWidget*)> chooser) { chooser_ = std::move(chooser); }

void ExportPanel::setChoiceAsker(ChoiceAsker asker) { asker_ = std::move(asker); }

void ExportPanel::setMusicSource(std::function<QString()> source) { music_ = std::move(source); }

bool ExportPanel::exporting() const { return process_ != nullptr && process_->state() != QProcess::NotRunning; }

QString ExportPanel::chooseVideo()
{
    FileCommands& files = editor_.fileCommands();
    // Named after the fountain, in its folder.
    const QString base = files.currentFileName().isEmpty() ? QStringLiteral("show")
                                                           : QFileInfo(files.currentFileName()).completeBaseName();
    QString name = chooser_ ? chooser_(&editor_)
                            : QFileDialog::getSaveFileName(&editor_, tr("Записать видео шоу"),
                                                           QDir(files.dialogFolder()).filePath(base + QStringLiteral(".mp4")),
                                                           tr("Видео MP4 (*.mp4)"));
    files.rememberDialogChoice(name);
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".mp4");
    return name;
}

void ExportPanel::tell(const QString& text) { editor_.fileCommands().prompter().showMessage(&editor_, kCaption(), text); }

void ExportPanel::SpeedButtonExportVideoClick()
{
    if (exporting())
        return;
    // As the live program plays it: by the track when following is checked,
    // with the track's music.
    const bool followTrack = editor_.windows().timeline().followsTrack();
    QString music = music_ ? music_() : QString();
    if (followTrack && QFileInfo(state_.Track.musicName).isFile())
        music = state_.Track.musicName;
    double length = options_.seconds;
    QString why;
    if (!music.isEmpty()) {
        length = soundLength(music, &why);
        if (length <= 0) {
            tell(tr("Видео не записано:\r\nзвуковой файл %1: %2").arg(music, why));
            return;
        }
    }

    ExportChoice fallback;
    fallback.look = editor_.sceneSettings().look; // the look the program shows
    fallback.to = length;
    ExportChoice choice = readExportChoice(settingsPath_, fallback);
    const bool asked = asker_ ? asker_(choice, length) : [&] {
        ExportDialog dialog(&editor_, choice, length);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        choice = dialog.choice();
        return true;
    }();
    if (!asked)
        return;
    writeExportChoice(settingsPath_, choice);
    const double from = choice.whole ? 0.0 : choice.from;
    const double to = choice.whole ? length : std::min(choice.to, length);
    if (!(to - from >= 1.0 / options_.fps)) {
        tell(tr("Видео не записано:\r\nконец отрывка должен быть позже его начала"));
        return;
    }

    const QString name = chooseVideo();
    if (name.isEmpty())
        return;
    // The show is played from a snapshot of the editor, so the live view and
    // the user's undo store are left as they are, and editing may go on.
    removeKilledExportSnapshots();
    snapshotFolder_ = std::make_unique<QTemporaryDir>(snapshotTemplate());
    const QString snapshot = snapshotFolder_->filePath(QStringLiteral("show.wat"));
    if (!snapshotFolder_->isValid() || !writeEditorFountain(editor_, snapshot, &why)) {
        tell(tr("Видео не записано:\r\n") + (why.isEmpty() ? snapshotFolder_->errorString() : why));
        snapshotFolder_.reset();
        return;
    }

    QStringList arguments{snapshot, QStringLiteral("-o"), name,
                          QStringLiteral("--size"),
                          QStringLiteral("%1x%2").arg(choice.size.width()).arg(choice.size.height()),
                          QStringLiteral("--fps"), QString::number(options_.fps),
                          QStringLiteral("--from"), QString::number(from, 'f', 3),
                          QStringLiteral("--duration"), QString::number(to - from, 'f', 3),
                          QStringLiteral("--look"),
                          choice.look == Look::Realistic ? QStringLiteral("realistic") : QStringLiteral("classic"),
                          QStringLiteral("--view"), choice.fitView ? QStringLiteral("fit") : QStringLiteral("file"),
                          QStringLiteral("--progress-lines")};
    if (!music.isEmpty())
        arguments << QStringLiteral("--music") << music;
    if (!followTrack)
        arguments << QStringLiteral("--no-track");
    if (QFileInfo(state_.GroundPictureName).isFile())
        arguments << QStringLiteral("--backdrop") << state_.GroundPictureName;

    videoName_ = name;
    cancelled_ = false;
    process_ = new QProcess(this);
    process_->setProgram(renderProgram_);
    process_->setArguments(arguments);
    connect(process_, &QProcess::readyReadStandardOutput, this, &ExportPanel::readProgress);
    connect(process_, &QProcess::finished, this, &ExportPanel::finishExport);
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finishExport(-1, QProcess::CrashExit);
    });

    progress_ = new QProgressDialog(tr("Запись видео ") + QFileInfo(name).fileName(), tr("Отмена"), 0, 0, &editor_);
    progress_->setObjectName(QStringLiteral("ProgressExportVideo"));
    progress_->setWindowTitle(kCaption());
    progress_->setWindowModality(Qt::NonModal); // the windows stay at the user's service
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progress_->setMinimumDuration(0);
    connect(progress_, &QProgressDialog::canceled, this, &ExportPanel::cancelExport);
    progress_->show();
    exportButton_->setEnabled(false);
    started_.start();
    process_->start();
}

void ExportPanel::readProgress()
{
    int done = 0;
    int total = 0;
    while (process_->canReadLine()) {
        const QList<QByteArray> figures = process_->readLine().simplified().split(' ');
        if (figures.size() == 2) {
            done = figures[0].toInt();
            total = figures[1].toInt();
        }
    }
    if (total <= 0 || !progress_)
        return;
    progress_->setMaximum(total);
    progress_->setValue(done);
    const double elapsed = started_.elapsed() / 1000.0;
    const double left = done > 0 ? elapsed * (total - done) / done : 0;
    progress_->setLabelText(tr("Запись видео %1\nосталось %2")
                                .arg(QFileInfo(videoName_).fileName(), minutesAndSeconds(left)));
}

void ExportPanel::cancelExport()
{
    if (!exporting())
        return;
    cancelled_ = true;
    process_->terminate(); // the renderer stops at its next frame and removes its file
    QTimer::singleShot(kStopWaitMs, process_, [process = process_] {
        if (process->state() != QProcess::NotRunning)
            process->kill();
    });
}

void ExportPanel::finishExport(int exitCode, QProcess::ExitStatus status)
{
    if (process_ == nullptr)
        return;
    QProcess* process = std::exchange(process_, nullptr);
    process->disconnect(this);
    QString reason = QString::fromLocal8Bit(process->readAllStandardError()).trimmed();
    if (process->error() == QProcess::FailedToStart)
        reason = tr("не запускается %1: %2").arg(QDir::toNativeSeparators(renderProgram_), process->errorString());
    process->deleteLater();
    snapshotFolder_.reset();
    if (progress_)
        progress_->deleteLater();
    exportButton_->setEnabled(true);

    // The renderer's last word says why, without its name in front.
    reason = reason.section(QLatin1Char('\n'), -1).remove(QRegularExpression(QStringLiteral("^pluviane-render: ")));
    if (cancelled_)
        tell(tr("Запись видео отменена, файл не записан."));
    else if (status != QProcess::NormalExit || exitCode != 0)
        tell(tr("Видео не записано:\r\n") + (reason.isEmpty() ? tr("программа записи остановилась") : reason));
    else
        editor_.statusBar()->showMessage(tr("Видео записано: %1").arg(QDir::toNativeSeparators(videoName_)), 15000);
    emit exportEnded();
}

bool ExportPanel::waitForExport(int milliseconds)
{
    if (!exporting())
        return true;
    QEventLoop loop;
    connect(this, &ExportPanel::exportEnded, &loop, &QEventLoop::quit);
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    return !exporting() && process_ == nullptr;
}

bool writeEditorFountain(EditorWindow& editor, const QString& path, QString* error)
{
    // The save buffer (the last image read or written) stays as it is.
    bool trackFits = true;
    const FountainImage image = editor.fileCommands().imageToSave(path, &trackFits);
    if (!trackFits) {
        if (error)
            *error = QCoreApplication::translate("pluviane::FountainRender", "the show track does not fit");
        return false;
    }
    const FileResult written = writeFountainFile(path, image);
    if (!written.ok() && error)
        *error = written.reason;
    return written.ok();
}

} // namespace pluviane
