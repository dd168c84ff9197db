#include "show/SequencerPanel.h"

#include "app/AppWindows.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/ManualTab.h"
#include "engine/ShowEngine.h"
#include "model/FountainFile.h"
#include "widgets/Controls.h"

#include <algorithm>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace pluviane {

namespace {

// A label over its bar; the bar's change rewrites the label as text + position.
QScrollBar* addLabelledBar(QWidget* box, QVBoxLayout* layout, const char* labelName,
                           const QString& caption, const QString& prefix, const char* barName,
                           int minimum, int maximum, int value)
{
    QLabel* label = makeLabel(box, QString::fromLatin1(labelName), caption);
    QScrollBar* bar = makeBar(box, QString::fromLatin1(barName), minimum, maximum, value);
    QObject::connect(bar, &QScrollBar::valueChanged, label,
                     [label, prefix](int position) { label->setText(prefix + QString::number(position)); });
    layout->addWidget(label);
    layout->addWidget(bar);
    return bar;
}

QHBoxLayout* buttonRow(QVBoxLayout* layout, std::initializer_list<QWidget*> widgets)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    for (QWidget* w : widgets)
        row->addWidget(w);
    row->addStretch(1);
    layout->addLayout(row);
    return row;
}

QVBoxLayout* boxLayout(QGroupBox* box)
{
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    return layout;
}

void startTicking(QTimer& timer, const char* name)
{
    timer.setObjectName(QString::fromLatin1(name));
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(kShowTickMs);
    timer.start();
}

} // namespace

// The names and texts of one sequencer's box.
struct SequencerBoxNames {
    const char* box;
    const char* title;
    const char* hint;
    const char* start;
    const char* play;
    const char* stop;
    const char* ticks;
    const char* stepLabel;
    const char* stepText;
    const char* stepPrefix;
    const char* step;
    int stepMaximum;
    const char* lengthLabel;
    const char* lengthText;
    const char* lengthPrefix;
    const char* length;
};

SequencerPanel::SequencerPanel(FountainState& state, EditorWindow& editor)
    : QWidget(nullptr), state_(state), editor_(editor), formTimer_(this), colourTimer_(this),
      loadBuffer_(std::make_unique<FountainImage>())
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(buildSequencerBox(
        {"GroupBoxForm", QT_TRANSLATE_NOOP("pluviane::SequencerPanel", " Форма N 01 "),
         QT_TRANSLATE_NOOP("pluviane::SequencerPanel", "Управление секвенсером"), "SpeedButtonStartfORM",
         "SpeedButtonPlayForm", "SpeedButtonStopForm", "LabelDeltaForm", "LabelSpSm",
         QT_TRANSLATE_NOOP("pluviane::SequencerPanel", "Плавность изменения"),
         QT_TRANSLATE_NOOP("pluviane::SequencerPanel", "Плавность изменения "),
         "ScrollBarSpSm", 50, "LabelMaxCnt",
         QT_TRANSLATE_NOOP("pluviane::SequencerPanel", "Скорость смены форм "),
         QT_TRANSLATE_NOOP("pluviane::SequencerPanel", "Скорость смены форм "), "ScrollBarLen"},
        form_));
    layout->addWidget(buildSequencerBox(
        {"GroupBox2", QT_TRANSLATE_NOOP("pluviane::SequencerPanel", " Сцена N 01 "),
         QT_TRANSLATE_NOOP("pluviane::SequencerPanel", "Управление цветом"), "SpeedButtonStartColor",
         "SpeedButtonPlayColor", "SpeedButtonStopColor", "Labelhjf", "LabelKolvoRabForm",
         QT_TRANSLATE_NOOP("pluviane::SequencerPanel", "Плавность изменения"),
         QT_TRANSLATE_NOOP("pluviane::SequencerPanel", "Cкорость смены цвета "),
         "ScrollBarKolvIspGr", 10, "Labelpcyn",
         QT_TRANSLATE_NOOP("pluviane::SequencerPanel", "Скор. смены сцен цвета"),
         QT_TRANSLATE_NOOP("pluviane::SequencerPanel", "Скор. смены сцен цвета "), "ScrollBaruhgkjhgg"},
        colour_));
    openShow_ = makeIconButton(form_.box, QStringLiteral("SpeedButtonOpenFormColor"),
                               QStyle::SP_DialogOpenButton, tr("Открыть файл Cеквенций"));
    form_.buttons->addWidget(openShow_);

    connect(openShow_, &QToolButton::clicked, this, &SequencerPanel::SpeedButtonOpenFormColorClick);
    connect(form_.start, &QToolButton::clicked, this, &SequencerPanel::SpeedButtonStartfORMClick);
    connect(form_.play, &QToolButton::clicked, this, &SequencerPanel::SpeedButtonPlayFormClick);
    connect(colour_.start, &QToolButton::clicked, this, &SequencerPanel::SpeedButtonStartColorClick);

    // The timers only wake the panel: the show clock says how many ticks are
    // due, so a late event loop does not slow the show down.
    connect(&formTimer_, &QTimer::timeout, this, [this] {
        runDueTicks(ShowClock::FormLane);
        emit showTicked();
    });
    connect(&colourTimer_, &QTimer::timeout, this, [this] {
        runDueTicks(ShowClock::ColourLane);
        emit showTicked();
    });
    startTicking(formTimer_, "TimerSmenaForm");
    startTicking(colourTimer_, "TimerSmenaColor");
}

SequencerPanel::~SequencerPanel() = default;

// A box with the rewind button, the latching play/stop pair, the tick count
// and, below them, the step bar and the length bar with their labels.
QGroupBox* SequencerPanel::buildSequencerBox(const SequencerBoxNames& names, Sequencer& controls)
{
    auto text = [](const char* utf8) { return QString::fromUtf8(utf8); };
    controls.box = makeGroupBox(this, text(names.box), tr(names.title));
    QGroupBox* box = controls.box;
    QVBoxLayout* layout = boxLayout(box);
    controls.start = makeIconButton(box, text(names.start), QStyle::SP_MediaSkipBackward,
                                    tr(names.hint));
    const LatchingPair pair = makeLatchingPair(box, text(names.play), text(names.stop), tr(names.hint));
    controls.play = pair.play;
    controls.stop = pair.stop;
    controls.ticks = makeLabel(box, text(names.ticks), QStringLiteral("-----"));
    controls.buttons = buttonRow(layout, {controls.start, controls.play, controls.stop, controls.ticks});
    controls.step = addLabelledBar(box, layout, names.stepLabel, tr(names.stepText),
                                   tr(names.stepPrefix), names.step, 1, names.stepMaximum, 1);
    controls.length = addLabelledBar(box, layout, names.lengthLabel, tr(names.lengthText),
                                     tr(names.lengthPrefix), names.length, 10, 300, 50);
    return box;
}

QAbstractButton* SequencerPanel::playFormButton() { return form_.play; }
QAbstractButton* SequencerPanel::stopFormButton() { return form_.stop; }
QAbstractButton* SequencerPanel::playColourButton() { return colour_.play; }
QAbstractButton* SequencerPanel::stopColourButton() { return colour_.stop; }
QAbstractButton* SequencerPanel::startFormButton() { return form_.start; }
QAbstractButton* SequencerPanel::startColourButton() { return colour_.start; }
QAbstractButton* SequencerPanel::openShowButton() { return openShow_; }

ShowSequencers& SequencerPanel::engine() const { return editor_.windows().show().sequencers; }
ShowClock& SequencerPanel::clock() { return engine().clock(); }
int SequencerPanel::currentForm() const { return engine().currentForm(); }

void SequencerPanel::runDueTicks()
{
    runDueTicks(ShowClock::FormLane);
    runDueTicks(ShowClock::ColourLane);
}

void SequencerPanel::runDueTicks(ShowClock::Lane lane)
{
    for (int due = clock().takeDueTicks(lane); due > 0; --due)
        lane == ShowClock::FormLane ? TimerSmenaFormTimer() : TimerSmenaColorTimer();
}

void SequencerPanel::TimerSmenaFormTimer() { engine().formTick(); }
void SequencerPanel::TimerSmenaColorTimer() { engine().colourTick(); }
void SequencerPanel::SpeedButtonStartfORMClick() { engine().rewindForm(); }
void SequencerPanel::SpeedButtonPlayFormClick() { engine().formPlayPressed(); }
void SequencerPanel::SpeedButtonStartColorClick() { engine().rewindColour(); }
void SequencerPanel::resumePlaying() { engine().resumePlaying(); }

void SequencerPanel::showFormTicks(int count) { form_.ticks->setText(QString::number(count)); }
void SequencerPanel::showSceneTicks(int count) { colour_.ticks->setText(QString::number(count)); }
void SequencerPanel::showForm(int form) { form_.box->setTitle(tr(" Форма ") + QString::number(form)); }
void SequencerPanel::showScene(int scene) { colour_.box->setTitle(tr("  Сцена  ") + QString::number(scene)); }

void SequencerPanel::SpeedButtonOpenFormColorClick()
{
    if (!editor_.fileCommands().mayLeaveFountain(&editor_))
        return;
    const QString name = editor_.fileCommands().chooseFountainToOpen();
    if (!name.isEmpty())
        loadShowFile(name);
}

bool SequencerPanel::loadShowFile(const QString& name)
{
    FileCommands& files = editor_.fileCommands();
    const FileResult read = readFountainFile(name, *loadBuffer_);
    if (read.outcome == FileResult::TooLarge) {
        files.showTooLarge(&editor_);
        return false;
    }
    if (!read.ok()) {
        files.showFileError(&editor_, name, read.reason);
        return false;
    }
    engine().takeShowTables(*loadBuffer_);
    files.adoptTrack(*loadBuffer_, read.length, name);
    engine().takeShowCounts(*loadBuffer_);
    editor_.UpdateOnlyButtonGroup();
    engine().stopBoth();
    return true;
}

} // namespace pluviane
