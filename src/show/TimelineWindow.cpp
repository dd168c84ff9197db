#include "show/TimelineWindow.h"

#include "app/AppWindows.h"
#include "editor/AutomatTab.h"
#include "editor/EditHistory.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/FilePrompter.h"
#include "model/AtomicWrite.h"
#include "model/ProfileFile.h"
#include "model/ShowTrack.h"
#include "music/BackgroundPriority.h"
#include "music/MusicAnalysis.h"
#include "music/MusicDecoder.h"
#include "show/CueTable.h"
#include "show/MusicPanel.h"
#include "show/RecorderWindow.h"
#include "engine/ShowEngine.h"
#include "show/SequencerPanel.h"
#include "show/SoundPlayer.h"
#include "show/TimelineView.h"
#include "widgets/Controls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QSplitter>
#include <QCoreApplication>
#include <QEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace pluviane {

namespace {

constexpr int kRefreshMs = 40;
// The view's zoom and scroll in the settings file.
const QString kViewSection = QStringLiteral("Timeline");
const QString kZoomKey = QStringLiteral("MsPerPixel");
const QString kScrollKey = QStringLiteral("ScrollMs");
const QString kSnapKey = QStringLiteral("Snap");
constexpr int kAnalysisRate = 22050;
QString kCaption() { return TimelineWindow::tr("Партитура шоу"); }

// "m:ss.cc"
QString clockText(std::int64_t ms)
{
    ms = std::max<std::int64_t>(0, ms);
    const std::int64_t centis = ms / 10;
    return QStringLiteral("%1:%2.%3")
        .arg(centis / 6000)
        .arg(centis / 100 % 60, 2, 10, QLatin1Char('0'))
        .arg(centis % 100, 2, 10, QLatin1Char('0'));
}

QString chooseLabelFile(QWidget* parent, bool save, FileCommands& files)
{
    const QString filter = TimelineWindow::tr("Метки (*.txt);;Все файлы (*)");
    const QString folder = files.dialogFolder();
    const QString name =
        save ? QFileDialog::getSaveFileName(parent, TimelineWindow::tr("Записать метки"), folder, filter)
             : QFileDialog::getOpenFileName(parent, TimelineWindow::tr("Открыть метки"), folder, filter);
    files.rememberDialogChoice(name);
    return name;
}

// The row of tools scrolls sideways when the window is narrower than the row,
// so the docked timeline never widens the main window past a small screen.
class ToolRowArea : public QScrollArea {
public:
    explicit ToolRowArea(QWidget* parent) : QScrollArea(parent)
    {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QScrollArea::resizeEvent(event);
        fitHeight();
    }

private:
    // The row's own height, and room for the scroll bar only while it shows.
    void fitHeight()
    {
        if (widget() == nullptr)
            return;
        const bool scrolls = widget()->minimumSizeHint().width() > width();
        const int bar = scrolls ? horizontalScrollBar()->sizeHint().height() : 0;
        const int wanted = widget()->sizeHint().height() + bar;
        if (height() != wanted)
            setFixedHeight(wanted);
    }
};

} // namespace

TimelineWindow::TimelineWindow(FountainState& state, AppWindows& windows)
    : QWidget(nullptr), state_(state), windows_(windows), chooser_([this](QWidget* parent, bool save) {
          return chooseLabelFile(parent, save, windows_.editor().fileCommands());
      })
{
    setObjectName(QStringLiteral("TimelineWindow"));
    setWindowTitle(kCaption());
    resize(960, 260);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    tools_ = new QHBoxLayout;
    tools_->setSpacing(2);
    addButton("SpeedButtonTimelineStart", QStyle::SP_MediaSkipBackward, {}, tr("В начало"),
              &TimelineWindow::SpeedButtonTimelineStartClick);
    play_ = addButton("SpeedButtonTimelinePlay", QStyle::SP_MediaPlay, {}, tr("Играть / пауза (пробел)"),
                      &TimelineWindow::SpeedButtonTimelinePlayClick);
    addButton("SpeedButtonAddFormCue", QStyle::SP_ArrowDown, tr("Форма сюда"),
              tr("Метка с текущей формой записи у указателя"), &TimelineWindow::SpeedButtonAddFormCueClick);
    addButton("SpeedButtonAddSceneCue", QStyle::SP_ArrowDown, tr("Сцена сюда"),
              tr("Метка с текущей сценой записи у указателя"), &TimelineWindow::SpeedButtonAddSceneCueClick);
    addButton("SpeedButtonDeleteCue", QStyle::SP_TrashIcon, {}, tr("Удалить метку (Delete)"),
              &TimelineWindow::SpeedButtonDeleteCueClick);
    addButton("SpeedButtonImportCues", QStyle::SP_DialogOpenButton, {}, tr("Метки из файла Audacity"),
              &TimelineWindow::SpeedButtonImportCuesClick);
    addButton("SpeedButtonExportCues", QStyle::SP_DialogSaveButton, {}, tr("Метки в файл Audacity"),
              &TimelineWindow::SpeedButtonExportCuesClick);
    addButton("SpeedButtonAddMarker", QStyle::SP_FileDialogDetailedView, {}, tr("Маркер у указателя (M)"),
              &TimelineWindow::SpeedButtonAddMarkerClick);
    addButton("SpeedButtonZoomFit", QStyle::SP_TitleBarMaxButton, {}, tr("Вся песня"),
              &TimelineWindow::SpeedButtonZoomFitClick);
    // The order is SnapGrid's.
    snap_ = new QComboBox(this);
    snap_->addItems({tr("без сетки"), tr("доля"), tr("полдоли"), tr("такт")});
    snap_->setCurrentIndex(int(SnapGrid::Beat));
    snap_->setToolTip(tr("Куда прилипают метки (Shift при перетаскивании — никуда)"));
    nameUncaptioned(snap_, QStringLiteral("ComboBoxSnap"));
    tools_->addWidget(snap_);
    tools_->addSpacing(8);
    follow_ = makeCheck(this, QStringLiteral("CheckBoxFollowTrack"), tr("Играть по партитуре"), false,
                        tr("Формы и сцены меняются по меткам, в такт музыке"));
    tools_->addWidget(follow_);
    loop_ = makeCheck(this, QStringLiteral("CheckBoxLoop"), tr("Петля"), false,
                      tr("Играть снова и снова отрезок, выделенный на линейке"));
    tools_->addWidget(loop_);
    tools_->addStretch(1);
    progress_ = new QProgressBar(this);
    nameUncaptioned(progress_, QStringLiteral("ProgressMusicAnalysis"));
    progress_->setRange(0, 100);
    progress_->setMaximumWidth(140);
    progress_->setFormat(tr("Разбор %p%"));
    progress_->hide();
    tools_->addWidget(progress_);
    tempo_ = makeLabel(this, QStringLiteral("LabelTempo"), tr("--- уд/мин"));
    position_ = makeLabel(this, QStringLiteral("LabelTimelinePos"), QStringLiteral("0:00.00 / 0:00.00"));
    position_->setMinimumWidth(position_->fontMetrics().horizontalAdvance(QStringLiteral("00:00.00 / 00:00.00")));
    tools_->addWidget(tempo_);
    tools_->addSpacing(8);
    tools_->addWidget(position_);
    auto* toolArea = new ToolRowArea(this);
    auto* toolRow = new QWidget(toolArea);
    tools_->setContentsMargins(0, 0, 0, 0);
    toolRow->setLayout(tools_);
    toolArea->setWidget(toolRow);
    toolArea->setFixedHeight(toolRow->sizeHint().height());
    layout->addWidget(toolArea);

    auto* split = new QSplitter(Qt::Horizontal, this);
    view_ = new TimelineView(state_.Track, split);
    table_ = new CueTable(state_.Track, split);
    split->addWidget(view_);
    split->addWidget(table_);
    split->setStretchFactor(0, 1);
    split->setSizes({700, 300});
    layout->addWidget(split, 1);
    message_ = makeLabel(this, QStringLiteral("LabelTimelineMessage"), {});
    message_->setMinimumWidth(1);
    layout->addWidget(message_);

    connect(view_, &TimelineView::seekRequested, this, &TimelineWindow::seek);
    connect(view_, &TimelineView::cuesEdited, this, &TimelineWindow::edited);
    connect(view_, &TimelineView::told, this, &TimelineWindow::tell);
    connect(view_, &TimelineView::trackShown, this, [this] {
        table_->reload();
        selectionShown();
    });
    connect(view_, &TimelineView::selectionChanged, this, &TimelineWindow::selectionShown);
    connect(table_, &CueTable::selectionPicked, view_, &TimelineView::select);
    connect(&table_->cues(), &CueTableModel::refused, this, &TimelineWindow::tell);
    connect(&table_->cues(), &CueTableModel::edited, this, [this](CueRef item) {
        view_->select({item});
        edited();
    });
    connect(snap_, &QComboBox::currentIndexChanged, this, [this](int index) { view_->setGrid(SnapGrid(index)); });
    connect(loop_, &QCheckBox::toggled, view_, &TimelineView::setLoopActive);
    // Within the window only: the keys must not reach the window that holds it.
    auto* space = new QShortcut(QKeySequence(Qt::Key_Space), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(space, &QShortcut::activated, this, &TimelineWindow::SpeedButtonTimelinePlayClick);
    restoreViewSettings();

    EditorWindow& editor = windows_.editor();
    connect(&editor.fileCommands(), &FileCommands::trackAdopted, this, &TimelineWindow::trackAdopted);
    connect(&editor.fileCommands(), &FileCommands::trackRestored, this, &TimelineWindow::trackRestored);
    MusicPanel& music = editor.automatTab().music();
    connect(&music, &MusicPanel::soundFileOpened, this, &TimelineWindow::soundOpened);
    connect(&music, &MusicPanel::soundPlayPressed, this, [this] {
        if (followsTrack())
            startFollowing();
    });
    connect(&music, &MusicPanel::soundStopPressed, this, [this] {
        if (showFollowing_)
            stopFollowing();
    });

    refresh_.setObjectName(QStringLiteral("TimerTimeline"));
    refresh_.setInterval(kRefreshMs);
    connect(&refresh_, &QTimer::timeout, this, &TimelineWindow::refresh);
    refresh_.start();
}

TimelineWindow::~TimelineWindow()
{
    stopWorker();
    if (isVisible())
        keepViewSettings();
}

QToolButton* TimelineWindow::addButton(const char* name, QStyle::StandardPixmap icon, const QString& text,
                                       const QString& hint, void (TimelineWindow::*click)())
{
    QToolButton* button = makeIconButton(this, QString::fromLatin1(name), icon, hint);
    if (!text.isEmpty()) {
        // A captioned button is read by its caption; the name serves automation.
        button->setText(text);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        nameCaptioned(button, QString::fromLatin1(name));
    }
    connect(button, &QToolButton::clicked, this, click);
    tools_->addWidget(button);
    return button;
}

void TimelineWindow::addToolButton(QToolButton* button)
{
    button->setParent(this);
    tools_->insertWidget(tools_->indexOf(follow_) - 1, button);
}

bool TimelineWindow::followsTrack() const { return follow_->isChecked() && !state_.Track.cues.empty(); }

SoundPlayer& TimelineWindow::player() { return windows_.editor().automatTab().music().soundPlayer(); }

bool TimelineWindow::hasMusic() { return !windows_.editor().automatTab().music().soundFileName().isEmpty(); }

ShowTime& TimelineWindow::time() { return windows_.show().time; }

std::int64_t TimelineWindow::positionMs()
{
    if (hasMusic())
        return time().musicMs(player().position(), player().playing());
    return time().ownMs();
}

bool TimelineWindow::playing() const
{
    auto* self = const_cast<TimelineWindow*>(this);
    return self->hasMusic() ? self->player().playing() : self->time().ownRunning();
}

void TimelineWindow::play()
{
    if (hasMusic())
        player().play();
    else
        time().runOwn();
    if (followsTrack())
        startFollowing();
    refresh();
}

void TimelineWindow::pause()
{
    if (hasMusic())
        player().stop(); // stop keeps the place
    else
        time().holdOwn();
    if (showFollowing_)
        stopFollowing();
    refresh();
}

void TimelineWindow::seek(std::int64_t ms)
{
    ms = std::clamp<std::int64_t>(ms, 0, view_->lengthMs());
    if (hasMusic()) {
        player().seek(ms);
        time().musicSought(ms);
    } else {
        time().seekOwn(ms);
    }
    view_->setPlayHead(ms);
    refresh();
}

void TimelineWindow::SpeedButtonTimelinePlayClick() { playing() ? pause() : play(); }

void TimelineWindow::SpeedButtonTimelineStartClick() { seek(0); }

// One press plays both: the sequencers start and take form and scene from the
// cues at the music's time, ramping and stepping colours every tick as ever.
void TimelineWindow::startFollowing()
{
    SequencerPanel& sequencer = windows_.editor().automatTab().sequencer();
    sequencer.clock().follow(&state_.Track, [this] { return positionMs(); });
    showFollowing_ = true;
    // Only a show that starts at the beginning rises from a dry fountain.
    if (positionMs() > 0) {
        sequencer.resumePlaying();
        return;
    }
    for (QAbstractButton* button : {sequencer.playFormButton(), sequencer.playColourButton()})
        if (!button->isChecked())
            button->click();
}

void TimelineWindow::stopFollowing()
{
    SequencerPanel& sequencer = windows_.editor().automatTab().sequencer();
    sequencer.clock().stopFollowing();
    showFollowing_ = false;
    for (QAbstractButton* button : {sequencer.stopFormButton(), sequencer.stopColourButton()})
        if (!button->isChecked())
            button->click();
}

void TimelineWindow::refresh()
{
    if (showFollowing_ && !playing())
        stopFollowing(); // the music ended or was stopped elsewhere
    if (playing())
        if (const std::optional<std::int64_t> back = loopRestart(positionMs(), view_->loop(), loops()))
            seek(*back);
    if (workerDone_ && worker_.joinable())
        worker_.join();
    if (worker_.joinable())
        progress_->setValue(workerPercent_);
    const std::int64_t now = positionMs();
    view_->setPlayHead(now);
    position_->setText(clockText(now) + QStringLiteral(" / ") + clockText(view_->lengthMs()));
    // Only a change of state sets the icon: every new icon of the style is
    // drawn into the pixmap cache anew, 25 times a second for as long as the
    // window is open.
    if (const bool now = playing(); now != showsPause_ || !iconSet_) {
        play_->setIcon(style()->standardIcon(now ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
        showsPause_ = now;
        iconSet_ = true;
    }
}

void TimelineWindow::tell(const QString& text)
{
    message_->setText(text);
    windows_.editor().tell(text);
}

bool TimelineWindow::loops() const { return loop_->isChecked(); }

// Every edit is one step of the undo history.
void TimelineWindow::edited()
{
    view_->trackChanged();
    windows_.editor().fileCommands().history().commitStep();
    refresh();
}

void TimelineWindow::selectionShown() { table_->showSelection(view_->selection()); }

void TimelineWindow::SpeedButtonZoomFitClick() { view_->zoomToFit(); }

void TimelineWindow::SpeedButtonAddMarkerClick() { view_->addMarkerAtPlayHead(); }

void TimelineWindow::restoreViewSettings()
{
    const QString path = settingsFilePath();
    bool ok = false;
    const double zoom = readProfileString(path, kViewSection, kZoomKey, {}).toDouble(&ok);
    if (ok && std::isfinite(zoom))
        view_->setZoom(zoom);
    const qint64 scroll = readProfileString(path, kViewSection, kScrollKey, {}).toLongLong(&ok);
    if (ok)
        view_->setScroll(scroll);
    const int snap = readProfileString(path, kViewSection, kSnapKey, {}).toInt(&ok);
    if (ok && snap >= 0 && snap < snap_->count())
        snap_->setCurrentIndex(snap);
}

void TimelineWindow::keepViewSettings()
{
    updateProfile(settingsFilePath(), [this](ProfileFile& file) {
        file.setValue(kViewSection, kZoomKey, QString::number(view_->msPerPixel(), 'f', 3));
        file.setValue(kViewSection, kScrollKey, QString::number(view_->scrollMs()));
        file.setValue(kViewSection, kSnapKey, QString::number(snap_->currentIndex()));
    });
}

void TimelineWindow::hideEvent(QHideEvent* event)
{
    keepViewSettings();
    QWidget::hideEvent(event);
}

void TimelineWindow::addCue(bool form)
{
    RecorderWindow& recorder = windows_.recorder();
    const int number = (form ? recorder.formNumberBar() : recorder.sceneNumberBar())->value();
    if (number < 1)
        return;
    // On the grid like a dragged cue; Shift held puts it exactly at the play head.
    const bool exact = QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
    const std::int64_t at = std::min(exact ? view_->playHead() : view_->snapped(view_->playHead()), kMaxCueTimeMs);
    auto& cues = state_.Track.cues;
    // A cue already standing at the play head takes the number.
    auto same = std::find_if(cues.begin(), cues.end(), [at](const ShowCue& c) { return c.timeMs == at; });
    int index = 0;
    if (same != cues.end()) {
        (form ? same->form : same->scene) = number;
        index = int(same - cues.begin());
    } else if (cues.size() >= std::size_t(kMaxTrackCues)) {
        tell(tr("В партитуре уже %1 меток, больше не помещается").arg(kMaxTrackCues));
        return;
    } else {
        index = insertCue(state_.Track, {at, form ? number : 0, form ? 0 : number});
    }
    view_->select({CueRef{index, form ? FormRow : SceneRow}});
    edited();
}

void TimelineWindow::SpeedButtonAddFormCueClick() { addCue(true); }
void TimelineWindow::SpeedButtonAddSceneCueClick() { addCue(false); }

void TimelineWindow::SpeedButtonDeleteCueClick() { view_->deleteSelected(); }

// A label file replaces the cues only when every line of it reads.
void TimelineWindow::SpeedButtonImportCuesClick()
{
    const QString name = chooser_(this, false);
    if (name.isEmpty())
        return;
    const CueLabelsRead read = readCueLabelFile(name);
    if (!read.ok) {
        tell(tr("Метки не загружены: ") + cueLabelsProblem(name, read));
        return;
    }
    state_.Track.cues = read.cues;
    state_.Track.markers = read.markers;
    view_->select({});
    edited();
    tell(tr("Загружено меток: %1, маркеров: %2 из %3")
             .arg(read.cues.size())
             .arg(read.markers.size())
             .arg(QDir::toNativeSeparators(name)));
}

void TimelineWindow::SpeedButtonExportCuesClick()
{
    const QString name = chooser_(this, true);
    if (name.isEmpty())
        return;
    const QString why = writeFileAtomically(name, formatCueLabels(state_.Track.cues, state_.Track.markers));
    tell(why.isEmpty() ? tr("Записано меток: %1 в %2")
        .arg(state_.Track.cues.size()).arg(QDir::toNativeSeparators(name))
                       : tr("Метки не записаны: %1: %2").arg(QDir::toNativeSeparators(name), why));
}

// A file with a track starts with following checked and its music in the player.
void TimelineWindow::trackAdopted()
{
    if (showFollowing_)
        stopFollowing();
    follow_->setChecked(!state_.Track.cues.empty());
    view_->trackChanged();
    const QString music = state_.Track.musicName;
    MusicPanel& panel = windows_.editor().automatTab().music();
    // A file already on its way is not opened again: the media framework can
    // lock up when a second opening overtakes a first one.
    if (!music.isEmpty() && QFileInfo(music).isFile() && !panel.holdsOrOpens(music))
        panel.openSoundFile(music);
    else if (!music.isEmpty() && panel.soundFileName() == music)
        analyse(music);
    refresh();
}

// An undo or a redo goes on playing and following: the clock reads the track
// live. Only a step back to other music is taken like a newly loaded track.
void TimelineWindow::trackRestored()
{
    const QString music = state_.Track.musicName;
    if (!music.isEmpty() && QFileInfo(music).isFile() && !windows_.editor().automatTab().music().holdsOrOpens(music)) {
        trackAdopted();
        return;
    }
    view_->trackChanged();
    refresh();
}

// The music opened in the player is the track's music.
void TimelineWindow::soundOpened(const QString& path)
{
    state_.Track.musicName = QFileInfo(path).absoluteFilePath();
    analyse(state_.Track.musicName);
}

void TimelineWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!wanted_.isEmpty())
        analyse(wanted_);
}

// Only a window on the screen analyses: the headless tools never need it.
void TimelineWindow::analyse(const QString& path)
{
    wanted_ = path;
    if (!isVisible())
        return;
    if (shown_ && shown_->path == path)
        return;
    if (auto known = analysed_.value(path)) {
        shown_ = known;
        view_->setMusic(&shown_->peaks, &shown_->beats, shown_->lengthMs);
        showTempo(shown_->beats.tempo);
        return;
    }
    if (worker_.joinable() && workerPath_ == path)
        return;
    stopWorker();
    cancel_ = false;
    workerDone_ = false;
    workerPercent_ = 0;
    workerPath_ = path;
    progress_->setValue(0);
    progress_->show();
    // Decoding and beat tracking take seconds; the window stays responsive, the
    // music that starts meanwhile keeps the processor it needs, and the result
    // comes back through the event loop.
    worker_ = std::thread([this, path] {
        runOnlyOnIdleTime();
        auto result = std::make_shared<MusicWaveform>();
        result->path = path;
        const DecodedMusic music = decodeMusic(path, kAnalysisRate, 4 * 3600.0, [this](double done) {
            workerPercent_ = int(done * 60);
            return !cancel_;
        });
        QString error = music.error;
        if (music.ok()) {
            result->lengthMs = std::llround(music.seconds() * 1000.0);
            result->cut = music.cut;
            result->peaks = summarisePeaks(music.samples, music.sampleRate);
            // The same analysis the draft makes: one tempo everywhere.
            const SongAnalysis song = analyseMusic(music.samples, music.sampleRate, [this](double done) {
                workerPercent_ = 60 + int(done * 40);
                return !cancel_;
            });
            if (song.beatsFound)
                result->beats = BeatGrid{song.beats, song.tempo};
        }
        if (!cancel_)
            QMetaObject::invokeMethod(this, [this, result, error] { analysisFinished(result, error); },
                                      Qt::QueuedConnection);
        workerDone_ = true;
    });
}

void TimelineWindow::analysisFinished(std::shared_ptr<MusicWaveform> result, const QString& error)
{
    if (worker_.joinable())
        worker_.join();
    progress_->hide();
    if (!error.isEmpty()) {
        tell(tr("Музыка не разобрана: %1: %2").arg(QDir::toNativeSeparators(result->path), error));
        return;
    }
    analysed_.insert(result->path, result);
    if (result->path != state_.Track.musicName)
        return;
    shown_ = result;
    view_->setMusic(&shown_->peaks, &shown_->beats, shown_->lengthMs);
    showTempo(shown_->beats.tempo);
    message_->clear();
    // The track reaches no further than what was decoded: a longer file is told.
    if (result->cut)
        tell(tr("Музыка %1 длиннее, чем партитура может вместить: взяты первые %2")
                 .arg(QDir::toNativeSeparators(result->path), clockText(result->lengthMs)));
    refresh();
}

void TimelineWindow::showTempo(double bpm)
{
    tempo_->setText(bpm > 0 ? tr("%1 уд/мин").arg(bpm, 0, 'f', 1) : tr("--- уд/мин"));
}

void TimelineWindow::waitForAnalysis()
{
    if (worker_.joinable())
        worker_.join();
    QCoreApplication::sendPostedEvents(this);
}

void TimelineWindow::stopWorker()
{
    cancel_ = true;
    if (worker_.joinable())
        worker_.join();
    // A result already posted for the cancelled run is dropped with it.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
}

} // namespace pluviane
