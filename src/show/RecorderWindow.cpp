#include "show/RecorderWindow.h"

#include "app/AppWindows.h"
#include "engine/ShowEngine.h"
#include "widgets/Controls.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <QCoreApplication>

namespace pluviane {

namespace {

constexpr int kValueLargeStep = 10;
QString kRecordHint() { return QCoreApplication::translate("pluviane::RecorderWindow", "Записать "); }
QString kRecordNextHint() { return QCoreApplication::translate("pluviane::RecorderWindow",
                                                               "Записать и следующая"); }

// The "Rec" buttons wear red captions, so recording stands out from playing.
QPushButton* makeRecButton(QWidget* parent, const char* name, const QString& caption,
                           const QString& hint)
{
    QPushButton* button = makeButton(parent, QString::fromLatin1(name), caption, hint);
    button->setStyleSheet(QStringLiteral("color: red;"));
    return button;
}

QScrollBar* makeValueBar(QWidget* parent, const QString& name)
{
    QScrollBar* bar = makeBar(parent, name, 0, 255, 255, kValueLargeStep, Qt::Vertical);
    bar->setMinimumHeight(110);
    return bar;
}

QLabel* centredLabel(QWidget* parent, const QString& text)
{
    QLabel* label = makeLabel(parent, {}, text);
    label->setAlignment(Qt::AlignHCenter);
    return label;
}

} // namespace

// The controls of a number box: the number and its label, the two "Rec"
// buttons, the count and its label.
struct NumberBoxNames {
    const char* title;
    const char* numberLabel;
    const char* numberText;
    const char* number;
    const char* record;
    const char* recordNext;
    const char* recordNextCaption;
    const char* countLabel;
    const char* countText;
    const char* count;
};

RecorderWindow::RecorderWindow(FountainState& state, AppWindows& windows)
    : QWidget(nullptr), state_(state), windows_(windows)
{
    setObjectName("FormAvtomat");
    setWindowTitle(tr("Запись и редактирование форм струй и  цвета - яркости софитов"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    auto* top = new QHBoxLayout;
    top->addWidget(buildGroupBars(tr(" Давление воды группы в форме "),
                                  "ScrollBarPress", pressure_, &allPressure_,
                                  "ScrollBarAllPress"));
    top->addWidget(buildGroupBars(tr("Скорость нарастания давления "),
                                  "ScrollBarAcsel", riseRate_));
    layout->addLayout(top);
    layout->addWidget(buildNumberBox(
        {QT_TRANSLATE_NOOP("pluviane::RecorderWindow", "Управление давлением воды  - форма "),
         "Labelnform", QT_TRANSLATE_NOOP("pluviane::RecorderWindow", "Номер формы 1"), "ScrollBarNform",
         "SpeedButtonRecForm", "SpeedButtonRecFormPlus", "Rec +1+ copy", "LabelmaxForm",
         QT_TRANSLATE_NOOP("pluviane::RecorderWindow", "Всего форм 3"), "ScrollBarMaxForm"},
        form_));
    layout->addWidget(buildGroupBars(tr(" Цвет группы софитов в сцене  "),
                                     "ScrollBarColor", colour_, &allColour_,
                                     "ScrollBarallColor"));
    layout->addWidget(buildNumberBox(
        {QT_TRANSLATE_NOOP("pluviane::RecorderWindow", "Управление яркостью и цветом софитов "),
         "LabelNscen", QT_TRANSLATE_NOOP("pluviane::RecorderWindow", "Номер сцены 1"), "ScrollBarNscen",
         "SpeedButtonRecScen", "SpeedButtonRecScenPlus", "Rec +1", "LabelmaxScen", QT_TRANSLATE_NOOP("pluviane::RecorderWindow", "Всего сцен 3"),
         "ScrollBarMaxScen"},
        scene_));

    for (int g = 1; g <= kFaderGroups; ++g) {
        connect(pressure_[g], &QScrollBar::valueChanged, this,
                [this, g](int value) { ScrollBarPressChange(g, value); });
        connect(colour_[g], &QScrollBar::valueChanged, this,
                [this, g](int value) { ScrollBarColorChange(g, value); });
    }
    connect(allPressure_, &QScrollBar::valueChanged, this, &RecorderWindow::ScrollBarAllPressChange);
    connect(allColour_, &QScrollBar::valueChanged, this, &RecorderWindow::ScrollBarallColorChange);
    connect(form_.number, &QScrollBar::valueChanged, this, &RecorderWindow::ScrollBarNformChange);
    connect(form_.count, &QScrollBar::valueChanged, this, &RecorderWindow::ScrollBarMaxFormChange);
    connect(scene_.number, &QScrollBar::valueChanged, this, &RecorderWindow::ScrollBarNscenChange);
    connect(scene_.count, &QScrollBar::valueChanged, this, &RecorderWindow::ScrollBarMaxScenChange);
    connect(form_.record, &QAbstractButton::clicked, this, &RecorderWindow::SpeedButtonRecFormClick);
    connect(form_.recordNext, &QAbstractButton::clicked, this,
            &RecorderWindow::SpeedButtonRecFormPlusClick);
    connect(scene_.record, &QAbstractButton::clicked, this, &RecorderWindow::SpeedButtonRecScenClick);
    connect(scene_.recordNext, &QAbstractButton::clicked, this,
            &RecorderWindow::SpeedButtonRecScenPlusClick);
}

// Twelve vertical bars numbered "01".."12" and, right of them, the "ВСЕ"
// label over the wider all-groups bar (a label alone where there is none).
QGroupBox* RecorderWindow::buildGroupBars(const QString& title, const char* barPrefix,
                                          std::array<QScrollBar*, kFaderGroups + 1>& bars,
                                          QScrollBar** allBar, const char* allName)
{
    auto* box = new QGroupBox(title, this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);
    for (int g = 1; g <= kFaderGroups; ++g) {
        grid->addWidget(centredLabel(box, QStringLiteral("%1").arg(g, 2, 10, QLatin1Char('0'))), 0,
                        g - 1);
        bars[g] = makeValueBar(box, QString::fromLatin1(barPrefix) + QString::number(g));
        grid->addWidget(bars[g], 1, g - 1, Qt::AlignHCenter);
    }
    grid->addWidget(centredLabel(box, tr("ВСЕ")), 0, kFaderGroups);
    if (allBar != nullptr) {
        *allBar = makeValueBar(box, QString::fromLatin1(allName));
        (*allBar)->setMinimumWidth(2 * (*allBar)->sizeHint().width());
        grid->addWidget(*allBar, 1, kFaderGroups, Qt::AlignHCenter);
    }
    return box;
}

QGroupBox* RecorderWindow::buildNumberBox(const NumberBoxNames& names, NumberBox& controls)
{
    auto* box = new QGroupBox(tr(names.title), this);
    controls.numberLabel = makeLabel(box, QString::fromLatin1(names.numberLabel),
                                     tr(names.numberText));
    controls.number = makeBar(box, QString::fromLatin1(names.number), 1, 255, 1);
    controls.record = makeRecButton(box, names.record, QStringLiteral("Record"), kRecordHint());
    controls.recordNext = makeRecButton(box, names.recordNext,
                                        QString::fromLatin1(names.recordNextCaption), kRecordNextHint());
    controls.countLabel = makeLabel(box, QString::fromLatin1(names.countLabel),
                                    tr(names.countText));
    controls.count = makeBar(box, QString::fromLatin1(names.count), 3, 255, 3);
    auto* row = new QGridLayout(box);
    row->addWidget(controls.numberLabel, 0, 0);
    row->addWidget(controls.number, 1, 0);
    row->addWidget(controls.record, 0, 1, 2, 1);
    row->addWidget(controls.recordNext, 0, 2, 2, 1);
    row->addWidget(controls.countLabel, 0, 3);
    row->addWidget(controls.count, 1, 3);
    row->setColumnStretch(0, 1);
    row->setColumnStretch(3, 1);
    return box;
}

QScrollBar* RecorderWindow::pressureBar(int group) const
{
    return group >= 1 && group <= kFaderGroups ? pressure_[group] : nullptr;
}

QScrollBar* RecorderWindow::riseRateBar(int group) const
{
    return group >= 1 && group <= kFaderGroups ? riseRate_[group] : nullptr;
}

QScrollBar* RecorderWindow::colourBar(int group) const
{
    return group >= 1 && group <= kFaderGroups ? colour_[group] : nullptr;
}

ShowChain& RecorderWindow::chain() { return windows_.show().chain; }

void RecorderWindow::ScrollBarPressChange(int group, int value) { chain().pressureChanged(group, value); }
void RecorderWindow::ScrollBarColorChange(int group, int value) { chain().sceneColourChanged(group, value); }
void RecorderWindow::ScrollBarallColorChange(int value) { chain().allColourChanged(value); }

// The one bar that records without a "Record": the whole row of the current form.
void RecorderWindow::ScrollBarAllPressChange(int value)
{
    chain().fillFormPressure(value);
    ScrollBarNformChange(form_.number->value());
}

void RecorderWindow::ScrollBarNformChange(int form)
{
    form_.numberLabel->setText(tr("Номер формы ") + QString::number(form));
    chain().formNumberChanged(form);
}

void RecorderWindow::ScrollBarMaxFormChange(int count)
{
    form_.countLabel->setText(tr("Всего форм ") + QString::number(count));
}

void RecorderWindow::ScrollBarNscenChange(int scene)
{
    scene_.numberLabel->setText(tr("Номер сцены ") + QString::number(scene));
    chain().sceneNumberChanged(scene);
}

void RecorderWindow::ScrollBarMaxScenChange(int count)
{
    scene_.countLabel->setText(tr("Всего сцен ") + QString::number(count));
}

void RecorderWindow::SpeedButtonRecFormClick() { chain().recordForm(); }

// Records the form and starts the next one as its copy.
void RecorderWindow::SpeedButtonRecFormPlusClick()
{
    form_.record->click();
    chain().copyFormToNext();
}

void RecorderWindow::SpeedButtonRecScenClick() { chain().recordScene(); }

void RecorderWindow::SpeedButtonRecScenPlusClick()
{
    SpeedButtonRecScenClick();
    chain().copySceneToNext();
}

void RecorderWindow::refreshFromTables()
{
    ScrollBarNformChange(form_.number->value());
    ScrollBarNscenChange(scene_.number->value());
}

void RecorderWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refreshFromTables();
}

void RecorderWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        refreshFromTables();
}

} // namespace pluviane
