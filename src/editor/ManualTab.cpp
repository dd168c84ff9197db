#include "editor/ManualTab.h"

#include "app/AppWindows.h"
#include "editor/EditorWindow.h"
#include "engine/ShowEngine.h"
#include "widgets/Controls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace pluviane {

namespace {

QString levelFaderName(int group)
{
    // The first fader's name carries a leading zero, the others do not.
    return group == 1 ? QStringLiteral("ScrollBarGroup01")
                      : QStringLiteral("ScrollBarGroup%1").arg(group);
}

QLabel* colouredLabel(QWidget* parent, const char* name, const QString& text, const char* colour)
{
    QLabel* label = makeLabel(parent, QString::fromLatin1(name), text);
    label->setStyleSheet(QStringLiteral("color: %1;").arg(QString::fromLatin1(colour)));
    label->setWordWrap(true);
    return label;
}

} // namespace

ManualTab::ManualTab(FountainState& state, EditorWindow& editor)
    : QWidget(nullptr), state_(state), editor_(editor)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);

    layout->addWidget(
        colouredLabel(this, "LabelManStab",
                      tr("Установка цвета и высоты груп форсунок вручную "), "red"));
    layout->addWidget(colouredLabel(this, "LabelurCol",
                                    tr("Высота струи            Цвет струи"), "navy"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(3);
    layout->addLayout(grid);
    buildFaders(grid);

    saturationLabel_ = makeLabel(this, "LabeColored", tr("Цветность 255"));
    saturation_ = makeBar(this, "ScrollBarColored", 0, 255, 255);
    connect(saturation_, &QScrollBar::valueChanged, this, &ManualTab::ScrollBarColoredChange);
    auto* noColour = makeButton(this, "SpeedButton10", QStringLiteral("0"));
    auto* fullColour = makeButton(this, "SpeedButton11", QStringLiteral("255"));
    connect(noColour, &QPushButton::clicked, this, [this] { saturation_->setValue(0); });
    connect(fullColour, &QPushButton::clicked, this, [this] { saturation_->setValue(255); });
    auto* saturationRow = new QHBoxLayout;
    saturationRow->setSpacing(2);
    saturationRow->addWidget(saturationLabel_, 1);
    saturationRow->addWidget(noColour);
    saturationRow->addWidget(fullColour);
    for (QPushButton* b : {noColour, fullColour})
        b->setMaximumWidth(36);
    layout->addLayout(saturationRow);
    layout->addWidget(saturation_);

    brightnessLabel_ = makeLabel(this, "LabelBrightAll", tr("Яркость 255"));
    brightness_ = makeBar(this, "ScrollBarBrightAll", 0, 255, 255);
    connect(brightness_, &QScrollBar::valueChanged, this, &ManualTab::ScrollBarBrightAllChange);
    layout->addWidget(brightnessLabel_);
    layout->addWidget(brightness_);

    allLevels_ = makeBar(this, "ScrollBaralltre", 1, 255, 100);
    connect(allLevels_, &QScrollBar::valueChanged, this, &ManualTab::ScrollBaralltreChange);
    layout->addWidget(allLevels_);

    auto* buttons = new QGridLayout;
    buttons->setSpacing(2);
    auto* max = makeButton(this, "SpeedButtonAlMax", tr("Все в МАХ"));
    auto* min = makeButton(this, "SpeedButtonAllMin", tr("Все в МIN"));
    auto* white = makeButton(this, "SpeedButtonAllWhite", tr("Все Белые"));
    auto* colours = makeButton(this, "SpeedButtonRaznColor", tr("Все цветные"));
    connect(max, &QPushButton::clicked, this, &ManualTab::SpeedButtonAlMaxClick);
    connect(min, &QPushButton::clicked, this, &ManualTab::SpeedButtonAllMinClick);
    connect(white, &QPushButton::clicked, this, &ManualTab::SpeedButtonAllWhiteClick);
    connect(colours, &QPushButton::clicked, this, &ManualTab::SpeedButtonRaznColorClick);
    buttons->addWidget(max, 0, 0);
    buttons->addWidget(min, 0, 1);
    buttons->addWidget(white, 1, 0);
    buttons->addWidget(colours, 1, 1);
    layout->addLayout(buttons);
    layout->addStretch(1);
}

void ManualTab::buildFaders(QGridLayout* grid)
{
    for (int g = 1; g <= kFaderGroups; ++g) {
        QScrollBar* level = makeBar(this, levelFaderName(g), 0, 255, 255);
        QScrollBar* colour = makeBar(this, QStringLiteral("ScrollBarColor%1").arg(g), 0, 255, 255);
        level->setMinimumWidth(80);
        colour->setMinimumWidth(80);
        level->setToolTip(tr("Высота струи %1").arg(g));
        colour->setToolTip(tr("Цвет струи %1").arg(g));
        connect(level, &QScrollBar::valueChanged, this,
                [this, g](int value) { editor_.windows().show().chain.levelChanged(g, value); });
        connect(colour, &QScrollBar::valueChanged, this,
                [this, g](int value) { ColorChange(g, value); });
        // The group number between its two faders tells the rows apart.
        auto* number = new QLabel(QString::number(g), this);
        number->setAlignment(Qt::AlignCenter);
        number->setMinimumWidth(14);
        grid->addWidget(level, g - 1, 0);
        grid->addWidget(number, g - 1, 1);
        grid->addWidget(colour, g - 1, 2);
        levels_[g] = level;
        colours_[g] = colour;
    }
}

QScrollBar* ManualTab::levelFader(int group) const
{
    return group >= 1 && group <= kFaderGroups ? levels_[group] : nullptr;
}

QScrollBar* ManualTab::colourFader(int group) const
{
    return group >= 1 && group <= kFaderGroups ? colours_[group] : nullptr;
}

void ManualTab::ColorChange(int group, int value)
{
    editor_.windows().show().chain.colourFaderChanged(group, value);
}

void ManualTab::recomputeColours() { editor_.windows().show().chain.colourLookChanged(); }

void ManualTab::ScrollBarColoredChange(int value)
{
    saturationLabel_->setText(tr("Цветность ") + QString::number(value));
    recomputeColours();
}

void ManualTab::ScrollBarBrightAllChange(int value)
{
    brightnessLabel_->setText(tr("Яркость ") + QString::number(value));
    recomputeColours();
}

void ManualTab::setAllLevels(int value)
{
    for (int g = 1; g <= kFaderGroups; ++g)
        levels_[g]->setValue(value);
}

void ManualTab::ScrollBaralltreChange(int value)
{
    setAllLevels(value);
}

void ManualTab::SpeedButtonAlMaxClick()
{
    setAllLevels(255);
}

void ManualTab::SpeedButtonAllMinClick()
{
    setAllLevels(0);
}

void ManualTab::SpeedButtonAllWhiteClick()
{
    for (int g = 1; g <= kFaderGroups; ++g)
        colours_[g]->setValue(255);
    // A uniform grey for every entry, whatever saturation and brightness say.
    for (auto& entry : state_.GroupColour)
        entry = {250, 250, 250, 250};
}

void ManualTab::SpeedButtonRaznColorClick()
{
    for (int g = 1; g <= 10; ++g)
        colours_[g]->setValue(20 * (g - 1));
    colours_[11]->setValue(200);
    colours_[12]->setValue(220);
}

} // namespace pluviane
