#include "show/MusicPanel.h"

#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/FilePrompter.h"
#include "show/SoundPlayer.h"
#include "widgets/Controls.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace pluviane {

namespace {

constexpr int kSoundIntervalMs = 100;
constexpr int kStatusPanelWidth = 200;
const QString kNoTime = QStringLiteral("------");
constexpr int kSilenceMessageMs = 8000;

// The smallest integer not below `value`, in plain decimal; -0.5 gives "0".
QString roundedUp(double value)
{
    return QString::number(std::ceil(value) + 0.0, 'f', 0);
}

QString viewValuesText(const FountainState& state)
{
    return QStringLiteral(" Rx=") + roundedUp(state.ViewAngleY) + QStringLiteral("  Ry=") +
           roundedUp(state.ViewAngleZ) + QStringLiteral("  Rz=") + roundedUp(state.ViewAngleX) +
           QStringLiteral("   Vx= ") + roundedUp(state.ViewPanX) + QStringLiteral("  Vy=") +
           roundedUp(state.ViewPanY);
}

// "<lead><minutes><min><seconds> sec " of whole seconds; the load and the tick
// space their texts differently.
QString minutesSeconds(const QString& lead, qint64 milliseconds, const QString& min)
{
    const qint64 seconds = milliseconds / 1000;
    return lead + QString::number(seconds / 60) + min + QString::number(seconds % 60) +
           QStringLiteral(" sec ");
}

const QString kLoadMin = QStringLiteral(" min  ");
const QString kTickMin = QStringLiteral(" min ");

int barValue(qint64 milliseconds)
{
    return static_cast<int>(std::clamp<qint64>(milliseconds, 0, INT_MAX));
}

} // namespace

MusicPanel::MusicPanel(FountainState& state, EditorWindow& editor)
    : QWidget(nullptr), state_(state), editor_(editor)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* box = makeGroupBox(this, "GroupBoxSound", QStringLiteral(" Media Player "));
    outer->addWidget(box);

    auto* rows = new QVBoxLayout(box);
    rows->setContentsMargins(4, 4, 4, 4);
    rows->setSpacing(2);
    soundName_ = makeLabel(box, "LabelSoundName", QStringLiteral("No File"));
    length_ = makeLabel(box, "LabelLengFile", kNoTime);
    position_ = makeLabel(box, "LabelTimSound", kNoTime);
    milliseconds_ = makeLabel(box, "LabelMsPos", kNoTime);
    remaining_ = makeLabel(box, "LabelTimeToEnd", kNoTime);
    for (QLabel* label : {soundName_, length_, position_, milliseconds_, remaining_})
        rows->addWidget(label);
    // A long file name must not widen the narrow editor.
    soundName_->setMinimumWidth(1);
    progress_ = makeBar(box, "ScrollBarSound", 0, 100, 1);
    rows->addWidget(progress_);
    rows->addWidget(buildPlayerBar());

    setSoundPlayer(new MediaSoundPlayer);

    timerSound_.setObjectName("TimerSound");
    timerSound_.setInterval(kSoundIntervalMs);
    connect(&timerSound_, &QTimer::timeout, this, &MusicPanel::TimerSoundTimer);
    timerSound_.start();
}

QWidget* MusicPanel::buildPlayerBar()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* load = makeIconButton(row, "SpeedButtonLoadSoundFile", QStyle::SP_DialogOpenButton,
                                tr("Открыть звуковой файл"));
    connect(load, &QToolButton::clicked, this, &MusicPanel::SpeedButtonLoadSoundFileClick);
    layout->addWidget(load);

    auto* bar = new QWidget(row);
    nameUncaptioned(bar, "MediaPlayer");
    auto* buttons = new QHBoxLayout(bar);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(0);
    const auto addButton = [&](const char* name, QStyle::StandardPixmap icon, const QString& hint,
                               auto action) {
        auto* button = makeIconButton(bar, name, icon, hint);
        connect(button, &QToolButton::clicked, this, [this, action] { action(*player_); });
        buttons->addWidget(button);
        return button;
    };
    auto* play = addButton("MediaPlayerPlay", QStyle::SP_MediaPlay, tr("Играть"),
                           [](SoundPlayer& player) { player.play(); });
    auto* stop = addButton("MediaPlayerStop", QStyle::SP_MediaStop, tr("Стоп"),
                           [](SoundPlayer& player) { player.stop(); });
    connect(play, &QToolButton::clicked, this, &MusicPanel::soundPlayPressed);
    connect(stop, &QToolButton::clicked, this, &MusicPanel::soundStopPressed);
    addButton("MediaPlayerPrev", QStyle::SP_MediaSkipBackward, tr("В начало"),
              [](SoundPlayer& player) { player.seek(0); });
    layout->addWidget(bar);
    layout->addStretch(1);
    return row;
}

void MusicPanel::attachStatusBar(QStatusBar* bar)
{
    statusBar_ = bar;
    statusPanel_ = new QLabel(bar);
    // A label: screen readers read its text; the name serves automation.
    nameCaptioned(statusPanel_, "StatusBarPanel0");
    // 200 wide where the window allows; the narrow editor with its size grip
    // must not grow for it.
    statusPanel_->setMaximumWidth(kStatusPanelWidth);
    statusPanel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusPointSize_ = statusPanel_->font().pointSizeF() * 0.85;
    bar->addWidget(statusPanel_, 1);
    showViewValues();
}

void MusicPanel::setSoundPlayer(SoundPlayer* player)
{
    delete player_;
    player_ = player;
    player_->setParent(this);
    soundOpen_ = false;
    connect(player_, &SoundPlayer::opened, this, &MusicPanel::soundOpened);
    connect(player_, &SoundPlayer::failed, this, &MusicPanel::soundFailed);
}

void MusicPanel::SpeedButtonLoadSoundFileClick()
{
    const QString name = editor_.fileCommands().prompter().chooseSoundToOpen(&editor_);
    if (name.isEmpty())
        return;
    openSoundFile(name);
}

void MusicPanel::openSoundFile(const QString& name)
{
    soundName_->setText(QFileInfo(name).fileName());
    pendingName_ = name;
    player_->open(name);
}

// The rest of the load runs when the player has opened the file and knows its length.
void MusicPanel::soundOpened()
{
    openName_ = std::exchange(pendingName_, QString());
    soundOpen_ = true;
    player_->seek(0);
    const qint64 length = player_->length();
    progress_->setMaximum(barValue(length));
    progress_->setValue(barValue(player_->position()));
    length_->setText(minutesSeconds(tr("Длина      "), length, kLoadMin));
    position_->setText(tr("Позиция  0 min  0 sec "));
    remaining_->setText(minutesSeconds(tr("Осталось "), length, kLoadMin));
    sayIfSilent();
    emit soundFileOpened(openName_);
}

// A machine without a sound device plays silently; the user hears of it once.
void MusicPanel::sayIfSilent()
{
    if (silenceSaid_ || statusBar_ == nullptr || player_->hasOutputDevice())
        return;
    silenceSaid_ = true;
    statusBar_->showMessage(tr("Нет звукового устройства"), kSilenceMessageMs);
}

// The player keeps the file it had; only the name label shows the new choice.
void MusicPanel::soundFailed(const QString& reason)
{
    const QString name = std::exchange(pendingName_, QString());
    editor_.fileCommands().prompter().showMessage(
        &editor_, tr("Ошибка"),
        tr("Файл ") + QDir::toNativeSeparators(name) + QStringLiteral("\r\n") + reason);
}

void MusicPanel::TimerSoundTimer()
{
    showViewValues();
    if (soundOpen_ && player_->playing())
        showPlayingPosition();
}

void MusicPanel::showViewValues()
{
    if (statusPanel_ == nullptr)
        return;
    statusPanel_->setText(viewValuesText(state_));
    fitStatusFont();
}

// The whole text must show in the room the narrow editor leaves: the font
// shrinks as far as needed, and grows back when there is room again.
void MusicPanel::fitStatusFont()
{
    constexpr qreal kSmallestPoints = 5.0;
    const int room = statusPanel_->contentsRect().width();
    QFont font = statusPanel_->font();
    font.setPointSizeF(statusPointSize_);
    while (font.pointSizeF() > kSmallestPoints
           && QFontMetrics(font).horizontalAdvance(statusPanel_->text()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    if (font != statusPanel_->font())
        statusPanel_->setFont(font);
}

void MusicPanel::showPlayingPosition()
{
    progress_->setValue(barValue(player_->position()));
    const qint64 position = player_->position();
    const qint64 remaining = player_->length() - player_->position();
    milliseconds_->setText(tr("Отсчеты:   ") + QString::number(player_->position()));
    position_->setText(minutesSeconds(tr("Позиция    "), position, kTickMin));
    remaining_->setText(minutesSeconds(tr("Осталось   "), remaining, kTickMin));
    if (player_->position() == player_->length()) {
        player_->stop();
        player_->seek(0);
    }
}

} // namespace pluviane
