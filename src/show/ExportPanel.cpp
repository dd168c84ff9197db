#include "show/ExportPanel.h"

#include "app/AppWindows.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/FilePrompter.h"
#include "model/Leftovers.h"
#include "show/FountainRender.h"
#include "show/TimelineWindow.h"
#include "widgets/Controls.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>

#include <QCoreApplication>

namespace pluviane {

namespace {
QString kCaption() { return ExportPanel::tr("Видео шоу"); }

// The snapshot folder names its process, so that one left by a killed export
// can be told from one still in use.
QString snapshotTemplate()
{
    return QDir::tempPath() + QStringLiteral("/pluviane-export-%1-XXXXXX").arg(QCoreApplication::applicationPid());
}
} // namespace

void removeKilledExportSnapshots()
{
    static const QRegularExpression killed(QStringLiteral("^pluviane-export-(\\d+)-.{6}$"));
    removeLeftovers(QDir::tempPath(), killed);
}

ExportPanel::ExportPanel(FountainState& state, EditorWindow& editor)
    : QWidget(nullptr), state_(state), editor_(editor)
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

void ExportPanel::setVideoChooser(std::function<QString(QWidget*)> chooser) { chooser_ = std::move(chooser); }

void ExportPanel::setMusicSource(std::function<QString()> source) { music_ = std::move(source); }

QString ExportPanel::chooseVideo()
{
    QString name = chooser_ ? chooser_(&editor_)
                            : QFileDialog::getSaveFileName(&editor_, tr("Записать видео шоу"), QString(),
                                                           tr("Видео MP4 (*.mp4)"));
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".mp4");
    return name;
}

void ExportPanel::tell(const QString& text) { editor_.fileCommands().prompter().showMessage(&editor_, kCaption(), text); }

void ExportPanel::SpeedButtonExportVideoClick()
{
    const QString name = chooseVideo();
    if (name.isEmpty())
        return;
    // The show is played from a snapshot of the editor, in windows of its own,
    // so the live view and the user's undo store are left as they are.
    removeKilledExportSnapshots();
    QTemporaryDir folder(snapshotTemplate());
    const QString snapshot = folder.filePath(QStringLiteral("show.wat"));
    QString why;
    if (!folder.isValid() || !writeEditorFountain(editor_, snapshot, &why)) {
        tell(tr("Видео не записано:\r\n") + (why.isEmpty() ? folder.errorString() : why));
        return;
    }

    RenderRequest request;
    request.fountain = snapshot;
    request.output = name;
    request.size = options_.size;
    request.video = options_;
    request.backdrop = state_.GroundPictureName;
    // As the live program plays it: by the track when following is checked,
    // with the track's music.
    request.followTrack = editor_.windows().timeline().followsTrack();
    request.look = editor_.sceneSettings().look; // the look the program shows
    request.video.music = music_ ? music_() : QString();
    if (request.followTrack && QFileInfo(state_.Track.musicName).isFile())
        request.video.music = state_.Track.musicName;
    if (!request.video.music.isEmpty()) {
        const double length = soundLength(request.video.music, &why);
        if (length <= 0) {
            tell(tr("Видео не записано:\r\nзвуковой файл %1: %2").arg(request.video.music, why));
            return;
        }
        request.video.seconds = length;
    }

    QProgressDialog progress(tr("Запись видео ") + QFileInfo(name).fileName(), tr("Отмена"),
                             0, 100, &editor_);
    progress.setObjectName(QStringLiteral("ProgressExportVideo"));
    progress.setWindowTitle(kCaption());
    progress.setWindowModality(Qt::ApplicationModal); // the snapshot is taken; edits would not show
    progress.setMinimumDuration(0);
    const RenderResult result = renderVideo(request, [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.reset();
    if (result.outcome == RenderResult::Cancelled)
        tell(tr("Запись видео отменена, файл не записан."));
    else if (!result.ok())
        tell(tr("Видео не записано:\r\n") + result.message);
}

} // namespace pluviane
