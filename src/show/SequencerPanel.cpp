#include "show/SequencerPanel.h"

#include "app/AppWindows.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/ManualTab.h"
#include "model/FountainFile.h"
#include "model/ShowSequencer.h"
#include "show/RecorderWindow.h"
#include "widgets/Controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace pluviane {

namespace {

const QString kFormHint = QStringLiteral("Управление секвенсером");
const QString kColourHint = QStringLiteral("Управление цветом");
constexpr std::size_t kSceneCountByte = 210;
constexpr std::size_t kFormCountByte = 211;

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

SequencerPanel::SequencerPanel(FountainState& state, EditorWindow& editor)
    : QWidget(nullptr), state_(state), editor_(editor), formTimer_(this), colourTimer_(this),
      loadBuffer_(std::make_unique<FountainImage>())
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(buildFormBox());
    layout->addWidget(buildColourBox());

    connect(&formTimer_, &QTimer::timeout, this, &SequencerPanel::TimerSmenaFormTimer);
    connect(&colourTimer_, &QTimer::timeout, this, &SequencerPanel::TimerSmenaColorTimer);
    startTicking(formTimer_, "TimerSmenaForm");
    startTicking(colourTimer_, "TimerSmenaColor");
}

SequencerPanel::~SequencerPanel() = default;

QGroupBox* SequencerPanel::buildFormBox()
{
    formBox_ = makeGroupBox(this, QStringLiteral("GroupBoxForm"), QStringLiteral(" Форма N 01 "));
    QVBoxLayout* layout = boxLayout(formBox_);
    openShow_ = makeIconButton(formBox_, QStringLiteral("SpeedButtonOpenFormColor"),
                               QStyle::SP_DialogOpenButton, QStringLiteral("Открыть файл Cеквенций"));
    startForm_ = makeIconButton(formBox_, QStringLiteral("SpeedButtonStartfORM"),
                                QStyle::SP_MediaSkipBackward, kFormHint);
    const LatchingPair pair = makeLatchingPair(formBox_, QStringLiteral("SpeedButtonPlayForm"),
                                               QStringLiteral("SpeedButtonStopForm"), kFormHint);
    playForm_ = pair.play;
    stopForm_ = pair.stop;
    formTicks_ = makeLabel(formBox_, QStringLiteral("LabelDeltaForm"), QStringLiteral("-----"));
    buttonRow(layout, {startForm_, playForm_, stopForm_, formTicks_})->addWidget(openShow_);
    rampStep_ = addLabelledBar(formBox_, layout, "LabelSpSm", QStringLiteral("Плавность изменения"),
                               QStringLiteral("Плавность изменения "), "ScrollBarSpSm", 1, 50, 1);
    formLength_ = addLabelledBar(formBox_, layout, "LabelMaxCnt",
                                 QStringLiteral("Скорость смены форм "),
                                 QStringLiteral("Скорость смены форм "), "ScrollBarLen", 10, 300, 50);

    connect(openShow_, &QToolButton::clicked, this, &SequencerPanel::SpeedButtonOpenFormColorClick);
    connect(startForm_, &QToolButton::clicked, this, &SequencerPanel::SpeedButtonStartfORMClick);
    connect(playForm_, &QToolButton::clicked, this, &SequencerPanel::SpeedButtonPlayFormClick);
    return formBox_;
}

QGroupBox* SequencerPanel::buildColourBox()
{
    sceneBox_ = makeGroupBox(this, QStringLiteral("GroupBox2"), QStringLiteral(" Сцена N 01 "));
    QVBoxLayout* layout = boxLayout(sceneBox_);
    startColour_ = makeIconButton(sceneBox_, QStringLiteral("SpeedButtonStartColor"),
                                  QStyle::SP_MediaSkipBackward, kColourHint);
    const LatchingPair pair = makeLatchingPair(sceneBox_, QStringLiteral("SpeedButtonPlayColor"),
                                               QStringLiteral("SpeedButtonStopColor"), kColourHint);
    playColour_ = pair.play;
    stopColour_ = pair.stop;
    sceneTicks_ = makeLabel(sceneBox_, QStringLiteral("Labelhjf"), QStringLiteral("-----"));
    buttonRow(layout, {startColour_, playColour_, stopColour_, sceneTicks_});
    colourStep_ = addLabelledBar(sceneBox_, layout, "LabelKolvoRabForm",
                                 QStringLiteral("Плавность изменения"),
                                 QStringLiteral("Cкорость смены цвета "), "ScrollBarKolvIspGr", 1, 10, 1);
    sceneLength_ = addLabelledBar(sceneBox_, layout, "Labelpcyn",
                                  QStringLiteral("Скор. смены сцен цвета"),
                                  QStringLiteral("Скор. смены сцен цвета "), "ScrollBaruhgkjhgg", 10,
                                  300, 50);

    connect(startColour_, &QToolButton::clicked, this, &SequencerPanel::SpeedButtonStartColorClick);
    return sceneBox_;
}

QAbstractButton* SequencerPanel::playFormButton() { return playForm_; }
QAbstractButton* SequencerPanel::stopFormButton() { return stopForm_; }
QAbstractButton* SequencerPanel::playColorButton() { return playColour_; }
QAbstractButton* SequencerPanel::stopColorButton() { return stopColour_; }
QAbstractButton* SequencerPanel::startFormButton() { return startForm_; }
QAbstractButton* SequencerPanel::startColorButton() { return startColour_; }
QAbstractButton* SequencerPanel::openShowButton() { return openShow_; }

// The recorder is created after the editor, so it is looked up when needed.
RecorderWindow& SequencerPanel::recorder() { return editor_.windows().recorder(); }

void SequencerPanel::TimerSmenaFormTimer()
{
    if (!playForm_->isChecked())
        return;
    RecorderWindow& rec = recorder();
    for (int g = 1; g <= kFaderGroups; ++g)
        rec.pressureBar(g)->setValue(StepRampLevel(state_, currentForm_, g, rampStep_->value()));
    ++formTickCount_;
    formTicks_->setText(QString::number(formTickCount_));
    if (formTickCount_ <= formLength_->value())
        return;
    formTickCount_ = 1;
    currentForm_ = currentForm_ < rec.formCountBar()->value() ? currentForm_ + 1 : 1;
    formBox_->setTitle(QStringLiteral(" Форма ") + QString::number(currentForm_));
}

void SequencerPanel::TimerSmenaColorTimer()
{
    if (!playColour_->isChecked())
        return;
    const int step = std::max(colourStep_->value(), 1);
    ++sceneTickCount_;
    sceneTicks_->setText(QString::number(sceneTickCount_));
    QScrollBar* scene = recorder().sceneNumberBar();
    if (sceneTickCount_ < sceneLength_->value()) {
        ManualTab& manual = editor_.manualTab();
        for (int k = 1; k <= 4; ++k) {
            QScrollBar* fader = manual.colourFader(k);
            const int target = state_.SceneColour[scene->value()][k];
            fader->setValue(stepColourFader(fader->value(), target, step));
        }
        return;
    }
    sceneTickCount_ = 1;
    scene->setValue(scene->value() >= recorder().sceneCountBar()->value() ? 1 : scene->value() + 1);
    sceneBox_->setTitle(QStringLiteral("  Сцена  ") + QString::number(scene->value()));
}

void SequencerPanel::SpeedButtonStartfORMClick()
{
    currentForm_ = 1;
    formBox_->setTitle(QStringLiteral(" Форма ") + QString::number(currentForm_));
}

// Playing from form 1 starts from a dry fountain, so the first form rises from
// the bottom; at any other form play resumes where it stopped.
void SequencerPanel::SpeedButtonPlayFormClick()
{
    if (currentForm_ != 1)
        return;
    editor_.manualTab().SpeedButtonAllMinClick();
    for (int g = 0; g < kMaxGroup; ++g)
        state_.GroupRampLevel[g] = 255;
}

void SequencerPanel::SpeedButtonStartColorClick() { recorder().sceneNumberBar()->setValue(1); }

void SequencerPanel::SpeedButtonOpenFormColorClick()
{
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
    loadShowTables(*loadBuffer_, state_);
    recorder().sceneCountBar()->setValue((*loadBuffer_)[kSceneCountByte]);
    recorder().formCountBar()->setValue((*loadBuffer_)[kFormCountByte]);
    editor_.UpdateOnlyButtonGroup();
    stopForm_->setChecked(true);
    stopColour_->setChecked(true);
    return true;
}

} // namespace pluviane
