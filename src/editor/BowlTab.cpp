#include "editor/BowlTab.h"

#include "app/AppWindows.h"
#include "app/MainWindow.h"
#include "app/PresetList.h"
#include "app/SceneView.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/FilePrompter.h"
#include "model/ProfileFile.h"
#include "widgets/ColourGrid.h"
#include "widgets/Controls.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace pluviane {

namespace {

QString kBowlHint() { return BowlTab::tr("Параметры чаши"); }
QString kColourHint() { return BowlTab::tr("Цвет чаши"); }
const QString kViewSection = QStringLiteral("View");
const QString kRealWaterKey = QStringLiteral("RealWater");

// Keeps a label showing a fixed text and the bar's position (plus an offset).
void followBar(QScrollBar* bar, QLabel* label, const QString& prefix, int offset = 0,
               const QString& suffix = {})
{
    QObject::connect(bar, &QScrollBar::valueChanged, label, [=](int value) {
        label->setText(prefix + QString::number(value + offset) + suffix);
    });
}

// Small buttons keep the tab inside the narrow editor window.
void narrow(QPushButton* button)
{
    button->setMaximumWidth(32);
}

QHBoxLayout* row(QVBoxLayout* parent)
{
    auto* line = new QHBoxLayout;
    line->setSpacing(2);
    parent->addLayout(line);
    return line;
}

} // namespace

BowlTab::BowlTab(FountainState& state, EditorWindow& editor)
    : QWidget(nullptr), state_(state), editor_(editor), settingsPath_(settingsFilePath())
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    buildBowl(layout);
    buildBackdrop(layout);
    buildView(layout);
    layout->addStretch(1);
}

void BowlTab::buildBowl(QVBoxLayout* layout)
{
    struct BarEntry {
        QScrollBar** bar;
        const char* name;
        const char* labelName;
        QString initial;
        QString prefix;
        int minimum, maximum, value;
    };
    const BarEntry bars[] = {
        {&cupWidth_, "ScrollBarCupWidthX", "LabelCupWidthX", tr("Размер чаши X = 150"),
         tr("Размер чаши X = "), 21, 255, 150},
        {&cupDepth_, "ScrollBarCuphI", "LabelCuphI", tr("Глубина чаши = 25 "),
         tr("Глубина чаши = "), 3, 50, 25},
        {&cupWall_, "ScrollBarCupwALL", "LabelCupwALL", tr("Толщина стенки = 18"),
         tr("Толщина стенки = "), 3, 50, 18},
        {&cupCorners_, "ScrollBarUgolCup", "LabelUgolCol", tr("Количество углов = 21"),
         tr(" Количество углов = "), 3, 33, 21},
        {&cupTurn_, "ScrollBarUgolPovorota", "LabelUugolpos", tr(" Угол поворота = 45 "),
         tr(" Угол поворота = "), 0, 120, 45},
    };
    for (const BarEntry& entry : bars) {
        QLabel* label = makeLabel(this, QString::fromLatin1(entry.labelName), entry.initial);
        *entry.bar = makeBar(this, QString::fromLatin1(entry.name), entry.minimum, entry.maximum, entry.value);
        (*entry.bar)->setToolTip(kBowlHint());
        followBar(*entry.bar, label, entry.prefix);
        layout->addWidget(label);
        layout->addWidget(*entry.bar);
    }

    QHBoxLayout* switches = row(layout);
    cup_ = makeCheck(this, "CheckBoxCup", tr("Вкл"), true, tr("Показать чашу"));
    loadCup_ = makeCheck(this, "CheckBoxLoadCup", QStringLiteral("Load"), true,
                         tr("Разрешить загружать новую чашу при загрузке"));
    openCup_ = makeButton(this, "SpeedButtonOpenCup", QString(),
                          tr("Открыть файл c параметрами чаши"));
    openCup_->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    openCup_->setAccessibleName(openCup_->toolTip()); // an icon has no caption to read
    narrow(openCup_);
    switches->addWidget(cup_);
    switches->addWidget(loadCup_);
    switches->addWidget(openCup_);

    const bool realistic =
        readProfileString(settingsPath_, kViewSection, kRealWaterKey, {}).trimmed() == QStringLiteral("1");
    realWater_ = makeCheck(this, "CheckBoxRealWater", tr("Реалистичная вода"), realistic,
                           tr("Прозрачные светящиеся струи над рябью воды в чаше"));
    connect(realWater_, &QCheckBox::toggled, this, &BowlTab::CheckBoxRealWaterClick);
    layout->addWidget(realWater_);

    struct GridEntry {
        ColourGrid** grid;
        const char* name;
        QString label;
        int index;
    };
    const GridEntry grids[] = {
        {&gridBottom_, "ColorGridDno", tr("Дно чаши "), 8},
        {&gridOuter_, "ColorGridIn", tr(" Hаружняя стенка "), 4},
        {&gridTop_, "ColorGridUp", tr(" Верх "), 6},
        {&gridInner_, "ColorGridNaruz", tr("Внутреняя стенка "), 7},
    };
    for (const GridEntry& entry : grids) {
        layout->addWidget(makeLabel(this, {}, entry.label));
        *entry.grid = new ColourGrid(QString::fromLatin1(entry.name), entry.index, this);
        (*entry.grid)->setToolTip(kColourHint());
        layout->addWidget(*entry.grid);
    }
}

void BowlTab::buildBackdrop(QVBoxLayout* layout)
{
    auto* box = new QGroupBox(tr(" Подложка "), this);
    nameCaptioned(box, QStringLiteral("GroupBoxGround"));
    auto* inner = new QVBoxLayout(box);
    inner->setContentsMargins(3, 3, 3, 3);
    inner->setSpacing(2);
    layout->addWidget(box);

    QHBoxLayout* top = row(inner);
    auto* choose = makeButton(box, "SpeedButtonImageGnd", tr("Подложка"),
                              tr("Открыть файл с новой картинкой подложки"));
    choose->setMaximumWidth(80);
    connect(choose, &QPushButton::clicked, this, &BowlTab::SpeedButtonImageGndClick);
    ground_ = makeCheck(box, "CheckBoxGnd", tr("Вкл"), false,
                        tr("Включить подложку"));
    night_ = makeCheck(box, "CheckBoxNight", tr("Ночь"), false,
                       tr("Ночной режим  подложки"));
    top->addWidget(choose);
    top->addWidget(ground_);
    top->addWidget(night_);

    brightness_ = makeBar(box, "ScrollBarBra", 10, 100, 100);
    inner->addWidget(brightness_);

    labelX_ = makeLabel(box, "Labelx", tr("Размер X"));
    sizeX_ = makeBar(box, "ScrollBarX", 1, 100, 50);
    sizeX_->setToolTip(tr("Размер подложки"));
    labelY_ = makeLabel(box, "Labely", tr("Размер Y"));
    sizeY_ = makeBar(box, "ScrollBary", 1, 100, 50);
    sizeY_->setToolTip(tr("Размер подложки"));
    together_ = makeCheck(box, "CheckBoxTgPodloga", tr("Вместе"), true);
    inner->addWidget(labelX_);
    inner->addWidget(sizeX_);
    inner->addWidget(labelY_);
    inner->addWidget(sizeY_);
    inner->addWidget(together_);
    connect(sizeX_, &QScrollBar::valueChanged, this, &BowlTab::ScrollBarXChange);
    connect(sizeY_, &QScrollBar::valueChanged, this, &BowlTab::ScrollBaryChange);
}

void BowlTab::buildView(QVBoxLayout* layout)
{
    labelZoom_ = makeLabel(this, "LabelZoom", tr("Масштаб 32"));
    zoom_ = makeBar(this, "ScrollBarZoom", 0, 150, 85);
    followBar(zoom_, labelZoom_, tr("Масштаб "), -50, QStringLiteral(" "));
    auto* zoomReset = makeButton(this, "SpeedButtonZoom", QStringLiteral("R"));
    narrow(zoomReset);
    connect(zoomReset, &QPushButton::clicked, this, [this] { zoom_->setValue(50); });
    QHBoxLayout* zoomRow = row(layout);
    zoomRow->addWidget(labelZoom_, 1);
    zoomRow->addWidget(zoomReset);
    layout->addWidget(zoom_);

    labelRotField_ = makeLabel(this, "LabelRotFieeld", tr("Скорость вращения поля 0"));
    rotField_ = makeBar(this, "ScrollBarRotField", 0, 100, 50);
    connect(rotField_, &QScrollBar::valueChanged, this, &BowlTab::ScrollBarRotFieldChange);
    auto* spinReset = makeButton(this, "SpeedButtonResField", QStringLiteral("S"));
    narrow(spinReset);
    connect(spinReset, &QPushButton::clicked, this, [this] {
        rotField_->setValue(50);
        showSpinLabel();
    });
    QHBoxLayout* spinRow = row(layout);
    spinRow->addWidget(labelRotField_, 1);
    spinRow->addWidget(spinReset);
    layout->addWidget(rotField_);

    auto* ground = new QGroupBox(tr(" Земля "), this);
    auto* groundRow = new QHBoxLayout(ground);
    groundRow->setContentsMargins(3, 3, 3, 3);
    auto* ust = makeButton(ground, "SpeedButtonUstField", QStringLiteral("G"));
    auto* resRot = makeButton(ground, "SpeedButtonResRotoat", QStringLiteral("R"));
    narrow(ust);
    connect(ust, &QPushButton::clicked, this, [this] {
        state_.DragPan = false;
        state_.DragRotate = false;
        state_.ViewPanX = 0;
        state_.ViewPanY = -12.0;
    });
    narrow(resRot);
    connect(resRot, &QPushButton::clicked, this, [this] {
        state_.ViewAngleY = 90.0;
        state_.ViewAngleZ = 0;
        state_.ViewAngleX = 0;
        state_.DragPan = false;
        state_.DragRotate = false;
    });
    groundRow->addWidget(ust);
    groundRow->addWidget(resRot);

    auto* ini = makeButton(this, "SpeedButton12", QStringLiteral("INI"));
    ini->setMaximumWidth(40);
    connect(ini, &QPushButton::clicked, this, [this] { editor_.windows().main().presets().showRecorder(); });
    QHBoxLayout* groundLine = row(layout);
    groundLine->addWidget(ground, 1);
    groundLine->addWidget(ini);

    auto* planes = new QGroupBox(tr(" Плоскости "), this);
    auto* planesRow = new QHBoxLayout(planes);
    planesRow->setContentsMargins(3, 3, 3, 3);
    const QString planeHint = tr("Включть плоскость");
    planeXY_ = makeCheck(planes, "CheckBoxXY", QStringLiteral("XY"), false, planeHint);
    planeYZ_ = makeCheck(planes, "CheckBoxYZ", QStringLiteral("YZ"), false, planeHint);
    planeXZ_ = makeCheck(planes, "CheckBoxXZ", QStringLiteral("XZ"), false, planeHint);
    planesRow->addWidget(planeXY_);
    planesRow->addWidget(planeYZ_);
    planesRow->addWidget(planeXZ_);
    layout->addWidget(planes);

    auto* axes = new QGroupBox(tr(" Оси "), this);
    auto* axesRow = new QHBoxLayout(axes);
    axesRow->setContentsMargins(3, 3, 3, 3);
    const QString axisHint = tr("Включть ось");
    axisX_ = makeCheck(axes, "CheckBoxX", QStringLiteral("X"), false, axisHint);
    axisY_ = makeCheck(axes, "CheckBoxY", QStringLiteral("Y"), false, axisHint);
    axisZ_ = makeCheck(axes, "CheckBoxZ", QStringLiteral("Z"), false, axisHint);
    axesRow->addWidget(axisX_);
    axesRow->addWidget(axisY_);
    axesRow->addWidget(axisZ_);
    layout->addWidget(axes);
}

SceneSettings BowlTab::sceneSettings() const
{
    return sceneSettingsFrom([this](std::string_view name) -> std::optional<int> {
        const QString objectName = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
        QWidget* control = findChild<QWidget*>(objectName);
        if (auto* check = qobject_cast<QCheckBox*>(control))
            return check->isChecked() ? 1 : 0;
        if (auto* bar = qobject_cast<QScrollBar*>(control))
            return bar->value();
        if (auto* grid = qobject_cast<ColourGrid*>(control))
            return grid->selectedIndex();
        return std::nullopt;
    });
}

void BowlTab::SpeedButtonImageGndClick()
{
    QString filter = QStringLiteral("JPEG Image File (*.jpeg *.jpg)");
    FileCommands& files = editor_.fileCommands();
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Подложка"), files.dialogFolder(),
        QStringLiteral("JPEG Image File (*.jpg);;JPEG Image File (*.jpeg *.jpg);;Bitmaps (*.bmp)"),
        &filter);
    files.rememberDialogChoice(path);
    if (!path.isEmpty())
        useBackdropPicture(path);
}

void BowlTab::useBackdropPicture(const QString& path)
{
    editor_.windows().main().scene().loadBackdrop(path);
    ground_->setChecked(true);
    state_.GroundPictureName = path;
}

void BowlTab::ScrollBarXChange()
{
    if (together_->isChecked())
        sizeY_->setValue(sizeX_->value());
    state_.BackdropHalfW = sizeX_->value();
    labelX_->setText(QStringLiteral("x ") + QString::number(sizeX_->value()));
}

void BowlTab::ScrollBaryChange()
{
    if (together_->isChecked())
        sizeX_->setValue(sizeY_->value());
    state_.BackdropHalfH = sizeY_->value();
    labelY_->setText(QStringLiteral("y ") + QString::number(sizeY_->value()));
}

void BowlTab::ScrollBarRotFieldChange()
{
    showSpinLabel();
    state_.ViewAngleZ = 0;
    state_.ViewAngleX = 0;
}

void BowlTab::CheckBoxRealWaterClick(bool checked)
{
    const ProfileWrite written =
        writeProfileString(settingsPath_, kViewSection, kRealWaterKey, checked ? QStringLiteral("1") : QStringLiteral("0"));
    if (!written.ok)
        editor_.fileCommands().prompter().showMessage(
            &editor_, tr("Сообщение"),
            tr("Настройки вида не сохранены:\r\n%1").arg(written.reason));
}

void BowlTab::showSpinLabel()
{
    labelRotField_->setText(tr("Скорость вращения поля ") +
                            QString::number(rotField_->value() - 50));
}

} // namespace pluviane
