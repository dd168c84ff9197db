#include "editor/JetTab.h"

#include "editor/EditorWindow.h"
#include "widgets/Controls.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace pluviane {

namespace {

QString withNumber(const QString& text, int value)
{
    return text + QString::number(value);
}

} // namespace

JetTab::JetTab(FountainState& state, EditorWindow& editor)
    : QWidget(nullptr), state_(state), editor_(editor)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);

    auto* title = makeLabel(this, "LabelOneJet",
                            tr("Установка и привязка только одной выбранной струи "));
    title->setWordWrap(true);
    title->setStyleSheet(QStringLiteral("color: red;"));
    layout->addWidget(title);

    QHBoxLayout* row = nullptr;
    selector_ = addBar(layout, "ScrollBarStruja", "LabelNomberStr",
                       tr("Выбор номера струи 0FF "), 16, 225, 16, &selectorLabel_);

    group_ = addBar(layout, "ScrollBarGlue", "LabelGlue",
                    tr("Принадлежность к группе - OFF"), 0, 16, 0, &groupLabel_, &row);
    addQuickSet(row, "SpeedButtonRGlue", QStringLiteral("OFF"), group_, 0);

    foam_ = addBar(layout, "ScrollBarDiamPnt", "LabelDiaPix", tr("Пенность струи"), 1,
                   10, 3, &foamLabel_);
    height_ = addBar(layout, "ScrollBarStrHigh", "LabelStrHi", tr("Высота струи 1 "), 1,
                     100, 1, &heightLabel_);

    tilt_ = addBar(layout, "ScrollBarStrWidt", "LabelStrWid", tr("Наклон струи 1 "), 0,
                   100, 10, &tiltLabel_, &row);
    addQuickSet(row, "SpeedButtonStrWidt0", QStringLiteral("0"), tilt_, 0);

    spin_ = addBar(layout, "ScrollBarRotStrua", "LabelRotStr", tr("Поворот струи 0"), 0,
                   180, 0, &spinLabel_);
    // The captions are degrees; the bar counts two degrees per step.
    auto* spinRow = new QHBoxLayout;
    spinRow->setSpacing(2);
    layout->addLayout(spinRow);
    addQuickSet(spinRow, "SpeedButtonRot0", QStringLiteral("0"), spin_, 0);
    addQuickSet(spinRow, "SpeedButtonRot90", QStringLiteral("90"), spin_, 45);
    addQuickSet(spinRow, "SpeedButtonRot180", QStringLiteral("180"), spin_, 90);
    addQuickSet(spinRow, "SpeedButtonRot270", QStringLiteral("270"), spin_, 135);

    posX_ = addBar(layout, "ScrollBarPosStrX", "LabelposX", tr("Позиция струи по Z 0 "),
                   0, 200, 100, &posXLabel_, &row);
    addQuickSet(row, "SpeedButtonPosX0", QStringLiteral("0"), posX_, 0);
    posY_ = addBar(layout, "ScrollBarPosStrY", "LabelPosY", tr("Позиция струи по X 0 "),
                   0, 200, 100, &posYLabel_, &row);
    addQuickSet(row, "SpeedButtonPosY0", QStringLiteral("0"), posY_, 0);
    auto* all = makeButton(this, "SpeedButtonResPos", QStringLiteral("All"));
    all->setMaximumWidth(36);
    row->addWidget(all);
    connect(all, &QPushButton::clicked, this, [this] {
        // Back to the bowl centre at zero height offset.
        posX_->setValue(100);
        posY_->setValue(100);
        posZ_->setValue(0);
    });
    posZ_ = addBar(layout, "ScrollBarPosStrZ", "LabelPosZ", tr("Позиция струи по Y 0 "),
                   0, 30, 0, &posZLabel_, &row);
    addQuickSet(row, "SpeedButtonPosZ0", QStringLiteral("0"), posZ_, 0);

    fill_ = addBar(layout, "ScrollBarNapol", "Labelnapol", tr("Наполнение струи 1 "), 0,
                   255, 10, &fillLabel_);
    fill_->hide();
    fillLabel_->hide();

    global_ = makeCheck(this, "CheckBox1", tr("Глобально все данные "), false);
    layout->addWidget(global_);
    layout->addStretch(1);

    connect(selector_, &QScrollBar::valueChanged, this, &JetTab::ScrollBarStrujaChange);
    connectValueBars();
}

QScrollBar* JetTab::addBar(QVBoxLayout* layout, const char* name, const char* labelName,
                           const QString& startText, int minimum, int maximum, int start,
                           QLabel** label, QHBoxLayout** row)
{
    *label = makeLabel(this, QString::fromLatin1(labelName), startText);
    layout->addWidget(*label);
    QScrollBar* bar = makeBar(this, QString::fromLatin1(name), minimum, maximum, start);
    auto* line = new QHBoxLayout;
    line->setSpacing(2);
    line->addWidget(bar, 1);
    layout->addLayout(line);
    if (row != nullptr)
        *row = line;
    return bar;
}

void JetTab::addQuickSet(QHBoxLayout* row, const char* name, const QString& caption,
                         QScrollBar* bar, int value)
{
    auto* button = makeButton(this, QString::fromLatin1(name), caption);
    button->setMaximumWidth(36);
    row->addWidget(button);
    // Through the bar, so its handler relabels and writes the nozzle.
    connect(button, &QPushButton::clicked, bar, [bar, value] { bar->setValue(value); });
}

int JetTab::selectedNozzle() const { return selector_->value(); }

template <typename Text, typename Store>
void JetTab::onChange(QScrollBar* bar, QLabel* label, Text text, Store store)
{
    connect(bar, &QScrollBar::valueChanged, this, [this, label, text, store](int value) {
        store(state_, selectedNozzle(), static_cast<Byte>(value));
        label->setText(text(value));
    });
}

void JetTab::connectValueBars()
{
    onChange(group_, groupLabel_,
             [](int v) {
                 return v == 0 ? tr("Привязка к Группе: OFF")
                               : withNumber(tr("Привязка к Группе: "), v);
             },
             [](FountainState& s, int n, Byte v) { s.JetGroup[n] = v; });
    onChange(foam_, foamLabel_, [](int v) { return withNumber(tr("Пенность струи "), v); },
             [](FountainState& s, int n, Byte v) { s.JetFoam[n] = v; });
    onChange(height_, heightLabel_, [](int v) { return withNumber(tr(" Высота струи "), v); },
             [](FountainState& s, int n, Byte v) { s.JetShape[n][1] = v; });
    onChange(tilt_, tiltLabel_, [](int v) { return withNumber(tr("Наклон струи "), v); },
             [](FountainState& s, int n, Byte v) { s.JetShape[n][2] = v; });
    onChange(spin_, spinLabel_, [](int v) { return withNumber(tr("Поворот струи "), 2 * v); },
             [](FountainState& s, int n, Byte v) { s.JetShape[n][3] = v; });
    onChange(posX_, posXLabel_, [](int v) { return withNumber(tr("Позиция струи Z= "), v); },
             [](FountainState& s, int n, Byte v) { s.JetPos[n][1] = v; });
    onChange(posY_, posYLabel_, [](int v) { return withNumber(tr("Позиция струи X= "), v); },
             [](FountainState& s, int n, Byte v) { s.JetPos[n][2] = v; });
    onChange(posZ_, posZLabel_, [](int v) { return withNumber(tr("Позиция струи Y= "), v); },
             [](FountainState& s, int n, Byte v) { s.JetPos[n][3] = v; });
    onChange(fill_, fillLabel_,
             [](int v) {
                 return v == 0 ? tr(" Струя в виде Линии ")
                               : withNumber(tr(" Наполнение струи "), v);
             },
             [](FountainState& s, int n, Byte v) { s.JetFill[n] = v; });
}

void JetTab::ScrollBarStrujaChange()
{
    const int n = selectedNozzle();
    selectorLabel_->setText(withNumber(tr("Выбор номера струи "), n));
    // Each bar whose position changes writes its (clamped) position back.
    fill_->setValue(state_.JetFill[n]);
    height_->setValue(state_.JetShape[n][1]);
    tilt_->setValue(state_.JetShape[n][2]);
    spin_->setValue(state_.JetShape[n][3]);
    group_->setValue(state_.JetGroup[n]);
    foam_->setValue(state_.JetFoam[n]);
    posX_->setValue(state_.JetPos[n][1]);
    posY_->setValue(state_.JetPos[n][2]);
    posZ_->setValue(state_.JetPos[n][3]);
}

} // namespace pluviane
