#include "editor/GroupTab.h"

#include "editor/EditorWindow.h"
#include "editor/ManualTab.h"
#include "editor/OptionsTab.h"
#include "widgets/Controls.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QVBoxLayout>

#include <optional>

namespace pluviane {

namespace {

// Start + count never passes this, so the builder stays below nozzle 250.
constexpr int kNozzleRoom = 250;

QString kGroupButtonHint() { return GroupTab::tr("Кнопки индикации использованных номеров групп. Нажатие на кнопку вызывает группу для "
    "редактирования "); }

QString number(int value)
{
    return QString::number(value);
}

struct NozzleRun {
    int start = 0;
    int count = 0;
};

// The group's nozzles when they stand one after another, else nothing.
std::optional<NozzleRun> singleRun(const FountainState& state, int group)
{
    NozzleRun run;
    for (int n = 0; n < kNozzleCount; ++n) {
        if (state.JetGroup[n] != group)
            continue;
        if (run.count > 0 && n != run.start + run.count)
            return std::nullopt;
        if (run.count == 0)
            run.start = n;
        ++run.count;
    }
    if (run.count == 0)
        return std::nullopt;
    return run;
}

} // namespace

GroupTab::GroupTab(FountainState& state, EditorWindow& editor)
    : QWidget(nullptr), state_(state), editor_(editor)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);

    QLabel* heading = makeLabel(this, {},
                                tr("На этой закладке собираем струи в группы и "
                                               "привязываем к  номеру фейдера управления"));
    heading->setWordWrap(true);
    layout->addWidget(heading);

    buildRange(layout);
    buildShape(layout);
    buildJets(layout);
    buildButtons(layout);
    layout->addStretch(1);
}

QScrollBar* GroupTab::addBar(QVBoxLayout* layout, const char* name, int minimum, int maximum,
                             int value, int largeStep, const QString& hint)
{
    QScrollBar* bar = makeBar(this, QString::fromLatin1(name), minimum, maximum, value, largeStep);
    if (!hint.isEmpty())
        bar->setToolTip(hint);
    layout->addWidget(bar);
    return bar;
}

QLabel* GroupTab::addLabel(QVBoxLayout* layout, const char* name, const QString& text)
{
    QLabel* label = makeLabel(this, QString::fromLatin1(name), text);
    label->setWordWrap(true); // the window is narrow
    layout->addWidget(label);
    return label;
}

void GroupTab::buildRange(QVBoxLayout* layout)
{
    rangeLabel_ = addLabel(layout, "LabelbegStr", tr("от струи 16 до 19"));
    start_ = addBar(layout, "ScrollBarBegSt", 16, 255, 16, 1,
                    tr("Построение группы начинается от номера этого фейдера."));
    countLabel_ = addLabel(layout, "LabelEndstr", tr("КолВоСтруй 3"));
    count_ = addBar(layout, "ScrollBarKolvoStr", 2, 100, 3, 1,
                    tr("Количество струй в группе "));
    groupLabel_ = addLabel(layout, "LabelNform", tr("Привязать группу к номеру 1"));
    group_ = addBar(layout, "ScrollBarNform", 1, 16, 1, 1,
                    tr("Указывает какой фейдер будет управлять этой группой. Фэйдер "
                                   "находится на странице MANUAL и MUSIC."));
    connect(start_, &QScrollBar::valueChanged, this, &GroupTab::ScrollBarBegStChange);
    connect(count_, &QScrollBar::valueChanged, this, &GroupTab::ScrollBarKolvoStrChange);
    connect(group_, &QScrollBar::valueChanged, this, &GroupTab::ScrollBarNformChange);
}

void GroupTab::buildShape(QVBoxLayout* layout)
{
    shape_ = new RadioGroup(QStringLiteral("RadioGroupTips"), tr("Форма коллектора "),
                            {tr("Линия"), tr("Треугольник"),
                             tr("Квадрат"), tr("Круг"),
                             tr("Спираль")},
                            ShapeCircle, 2, this);
    layout->addWidget(shape_);
    connect(shape_, &RadioGroup::indexChanged, this, [this] { BuildGroup(); });

    sizeLabel_ =
        addLabel(layout, "LabelSquach", tr("Объект Размер100  пропорция 100 "));
    size_ = addBar(layout, "ScrollBarRazmObj", 1, 200, 100, 10);
    proportion_ = addBar(layout, "ScrollBarSquach", 10, 100, 100, 10);
    shiftLabel_ = addLabel(layout, "LabelSmeshX", tr("Смещение объекта X=0  Z=0"));
    centreX_ = addBar(layout, "ScrollBarSmeshX", 0, 200, 100, 10);
    centreZ_ = addBar(layout, "ScrollBarSmeshZ", 0, 200, 100, 10);
    rotationLabel_ =
        addLabel(layout, "LabelRotObj", tr("Поворот: группы 0  всех струй 0"));
    groupRotation_ = addBar(layout, "ScrollBarrotObj", 0, 180, 0, 15,
                            tr("Поворот всех струй в группе вокруг центра чаши"));
    jetRotation_ = addBar(layout, "ScrollBarRotStruaa", 0, 180, 0, 15,
                          tr("Поворот всех струй вокруг их выхода из чаши фонтана "));
    for (QScrollBar* bar : {size_, proportion_})
        connect(bar, &QScrollBar::valueChanged, this, &GroupTab::ScrollBarSizeChange);
    for (QScrollBar* bar : {centreX_, centreZ_})
        connect(bar, &QScrollBar::valueChanged, this, &GroupTab::ScrollBarShiftChange);
    for (QScrollBar* bar : {groupRotation_, jetRotation_})
        connect(bar, &QScrollBar::valueChanged, this, &GroupTab::ScrollBarRotationChange);
}

void GroupTab::buildJets(QVBoxLayout* layout)
{
    heightLabel_ = addLabel(layout, "LabelStrHia", tr("Высота струи 100 "));
    height_ = addBar(layout, "ScrollBarStrHigha", 1, 200, 100, 10);
    addLabel(layout, "LabelStrWida", tr("Наклон струи 10 "));
    tilt_ = addBar(layout, "ScrollBarStrWidta", 0, 100, 10);
    foamLabel_ = addLabel(layout, "LabelDiaPixa", tr("Пенность 3"));
    foam_ = addBar(layout, "ScrollBarDiamPnta", 1, 30, 3);
    extraLabel_ = addLabel(layout, "LabeldopF", tr("доп. Функция"));
    extra_ = addBar(layout, "ScrollBarDopFunk", 1, 100, 100, 10);
    connect(height_, &QScrollBar::valueChanged, this, &GroupTab::ScrollBarStrHighaChange);
    connect(tilt_, &QScrollBar::valueChanged, this, &GroupTab::ScrollBarStrWidtaChange);
    connect(foam_, &QScrollBar::valueChanged, this, &GroupTab::ScrollBarDiamPntaChange);
    connect(extra_, &QScrollBar::valueChanged, this, &GroupTab::ScrollBarDopFunkChange);
}

void GroupTab::buildButtons(QVBoxLayout* layout)
{
    auto* commit = makeButton(this, "SpeedButtonOkAvto", tr("Записать"));
    auto* commitNext =
        makeButton(this, "SpeedButtonOkplus", tr("Записать+новая группа"));
    auto* centre = makeButton(this, "SpeedButtonNormalGroup", tr("Норма-поворот"),
                              tr("Устанавливает группу в ценр фонтана, для поворота "
                                             "вокруг центра группы "));
    auto* remove = makeButton(this, "SpeedButtonDelGroup", tr("Удалить группу"),
                              tr("Удаляет группу из массива по признаку номера "));
    auto* whole =
        makeButton(this, "SpeedButtonnormHi", tr("Весь фонтан"),
                   tr("Нормализует высоты всех существующих групп на максимум "
                                  "для осмотра общего вида всего фонтана "));
    connect(commit, &QPushButton::clicked, this, &GroupTab::SpeedButtonOkAvtoClick);
    connect(commitNext, &QPushButton::clicked, this, &GroupTab::SpeedButtonOkplusClick);
    connect(centre, &QPushButton::clicked, this, &GroupTab::SpeedButtonNormalGroupClick);
    connect(remove, &QPushButton::clicked, this, &GroupTab::SpeedButtonDelGroupClick);
    connect(whole, &QPushButton::clicked, this, &GroupTab::SpeedButtonnormHiClick);

    // Buttons never widen the narrow window; they share what it has.
    for (QPushButton* b : {commit, commitNext, centre, remove, whole}) {
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        b->setStyleSheet(QStringLiteral("padding: 2px 0px;"));
    }
    auto* commands = new QGridLayout;
    commands->setSpacing(1);
    commands->addWidget(commit, 0, 0);
    commands->addWidget(centre, 0, 1);
    commands->addWidget(commitNext, 1, 0, 1, 2);
    commands->addWidget(remove, 2, 0);
    commands->addWidget(whole, 2, 1);
    layout->addLayout(commands);

    auto* groups = new QGridLayout;
    groups->setSpacing(1);
    for (int g = 1; g <= kMaxGroup; ++g) {
        auto* button =
            makeButton(this, QStringLiteral("SpeedButtonGroup%1").arg(g, 2, 10, QChar('0')),
                       number(g), kGroupButtonHint());
        button->setEnabled(false);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        button->setMinimumWidth(24);
        connect(button, &QPushButton::clicked, this, [this, g] { SpeedButtonGroupClick(g); });
        groups->addWidget(button, (g - 1) / 4, (g - 1) % 4);
        groupButtons_[g] = button;
    }
    layout->addLayout(groups);
}

QPushButton* GroupTab::groupButton(int group) const
{
    return group >= 1 && group <= kMaxGroup ? groupButtons_[group] : nullptr;
}

GroupParams GroupTab::params() const
{
    GroupParams p;
    p.start = start_->value();
    p.count = count_->value();
    p.group = group_->value();
    p.shape = shape_->itemIndex();
    p.size = size_->value();
    p.proportion = proportion_->value();
    p.centreX = centreX_->value();
    p.centreZ = centreZ_->value();
    p.groupRotation = groupRotation_->value();
    p.jetRotation = jetRotation_->value();
    p.height = height_->value();
    p.tilt = tilt_->value();
    p.foam = foam_->value();
    p.extra = extra_->value();
    return p;
}

void GroupTab::BuildGroup()
{
    if (buildHeld_)
        return;
    if (!fittingCount_) {
        // The count bar's own handling clears the group and builds it anew
        // before this build goes on.
        const int fitted = collectorCount(shape_->itemIndex(), count_->value());
        if (fitted != count_->value()) {
            QScopedValueRollback fitting(fittingCount_, true);
            count_->setValue(fitted);
        }
    }
    layOutGroup(state_, params());
}

void GroupTab::SaveFadersOfGroup()
{
    if (buildHeld_)
        return; // the bars still describe another group's run
    saveRecipe(state_, params());
}

void GroupTab::LoadFaderGroup(int group)
{
    ManualTab& manual = editor_.manualTab();
    for (int g = 1; g <= kFaderGroups; ++g)
        manual.levelFader(g)->setValue(50);
    for (auto& entry : state_.GroupColour)
        entry = {200, 200, 200, 200};

    const GroupParams recipe = recipeOf(state_, group);
    group_->setValue(recipe.group);
    // A row never written holds zeros; building from them would pile the group
    // onto the first nozzles and take them from whichever group owns them.
    if (!hasRecipe(state_, group)) {
        takeOverRun(group);
        return;
    }
    buildHeld_ = false;
    start_->setValue(recipe.start);
    count_->setValue(recipe.count);
    size_->setValue(recipe.size);
    proportion_->setValue(recipe.proportion);
    centreX_->setValue(recipe.centreX);
    centreZ_->setValue(recipe.centreZ);
    groupRotation_->setValue(recipe.groupRotation);
    jetRotation_->setValue(recipe.jetRotation);
    height_->setValue(recipe.height);
    tilt_->setValue(recipe.tilt);
    foam_->setValue(recipe.foam);
    shape_->setItemIndex(recipe.shape);
    BuildGroup();
}

// The bars take over the group's own nozzles when they form one run the bars
// can hold; otherwise building waits for the user's start and count, since the
// bars still point at the previous group's nozzles.
void GroupTab::takeOverRun(int group)
{
    const std::optional<NozzleRun> run = singleRun(state_, group);
    const bool fits = run && run->start >= start_->minimum() && run->count >= count_->minimum() &&
                      run->count <= count_->maximum() && run->start + run->count < kNozzleRoom;
    buildHeld_ = !fits;
    if (!fits)
        return;
    {
        // Only the bars move: the group's nozzles stay as they are until the user's next move.
        const QSignalBlocker holdStart(start_);
        const QSignalBlocker holdCount(count_);
        start_->setValue(run->start);
        count_->setValue(run->count);
    }
    ScrollBarBegStChange();
    showCount();
}

void GroupTab::showCount()
{
    countLabel_->setText(tr("Кол.Струй ") + number(count_->value()));
}

void GroupTab::UpdateOnlyButtonGroup()
{
    const auto used = groupsInUse(state_);
    for (int g = 1; g <= kMaxGroup; ++g)
        groupButtons_[g]->setEnabled(used[g]);
}

void GroupTab::ScrollBarBegStChange()
{
    buildHeld_ = false;
    if (start_->value() + count_->value() >= kNozzleRoom)
        start_->setValue(kNozzleRoom - count_->value());
    const int start = start_->value();
    rangeLabel_->setText(tr("От струи ") + number(start) + tr(" до ") +
                         number(start + count_->value() - 1));
}

void GroupTab::ScrollBarKolvoStrChange()
{
    buildHeld_ = false;
    releaseGroup(state_, group_->value());
    if (start_->value() + count_->value() >= kNozzleRoom)
        count_->setValue(count_->value() - 1);
    const int start = start_->value();
    const int count = count_->value();
    rangeLabel_->setText(tr("От струи ") + number(start) + tr(" до ") +
                         number(start + count));
    showCount();
    BuildGroup();
}

void GroupTab::ScrollBarNformChange()
{
    groupLabel_->setText(tr("Привязать группу к номеру ") + number(group_->value()));
}

void GroupTab::ScrollBarSizeChange()
{
    sizeLabel_->setText(tr("Объект Размер ") + number(size_->value()) +
                        tr(" пропорция ") + number(proportion_->value()));
    BuildGroup();
}

void GroupTab::ScrollBarRotationChange()
{
    rotationLabel_->setText(tr("Поворот: группы ") +
                            number(2 * groupRotation_->value()) + tr(" всех струй ") +
                            number(2 * jetRotation_->value()));
    BuildGroup();
}

void GroupTab::ScrollBarDiamPntaChange()
{
    foamLabel_->setText(tr("Пенность ") + number(foam_->value()));
    BuildGroup();
}

void GroupTab::ScrollBarStrHighaChange()
{
    heightLabel_->setText(tr(" Высота струи ") + number(height_->value()));
    BuildGroup();
}

void GroupTab::ScrollBarStrWidtaChange()
{
    // The tilt never passes the height.
    if (height_->value() < tilt_->value())
        tilt_->setValue(height_->value());
    BuildGroup();
}

void GroupTab::ScrollBarDopFunkChange()
{
    extraLabel_->setText(tr("Доп.Функц = ") + number(extra_->value()));
    BuildGroup();
}

void GroupTab::ScrollBarShiftChange()
{
    shiftLabel_->setText(tr("Смещение объекта X=") + number(centreX_->value() - 100) +
                         QStringLiteral(" Z=") + number(centreZ_->value() - 100));
    BuildGroup();
}

void GroupTab::SpeedButtonOkAvtoClick()
{
    BuildGroup();
    SaveFadersOfGroup();
    UpdateOnlyButtonGroup();
}

void GroupTab::SpeedButtonOkplusClick()
{
    SpeedButtonOkAvtoClick();
    group_->setValue(group_->value() + 1);
    const int next = start_->value() + count_->value();
    if (next > kNozzleRoom) {
        showRoomMessage();
        return;
    }
    start_->setValue(next);
    applyAutoVariation();
}

void GroupTab::applyAutoVariation()
{
    const OptionsTab& options = editor_.optionsTab();
    if (options.toCentreCheck()->isChecked()) {
        centreX_->setValue(100);
        centreZ_->setValue(100);
    }
    // Each sum goes through its bar: clamped, and rebuilt only on a real change.
    auto add = [](QScrollBar* target, const QScrollBar* increment) {
        target->setValue(target->value() + increment->value());
    };
    add(size_, options.sizeIncrement());
    add(groupRotation_, options.rotationIncrement());
    add(count_, options.countIncrement());
    add(height_, options.heightIncrement());
    add(centreX_, options.shiftXIncrement());
    add(centreZ_, options.shiftZIncrement());
}

void GroupTab::showRoomMessage()
{
    auto* box = new QMessageBox(QMessageBox::NoIcon, tr("Ошибка"),
                                tr("Команда не выполнена!\nСтруй больше 250 "),
                                QMessageBox::Ok, this);
    box->setObjectName("MessageRoom");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void GroupTab::SpeedButtonNormalGroupClick()
{
    centreX_->setValue(100);
    centreZ_->setValue(100);
}

void GroupTab::SpeedButtonDelGroupClick()
{
    releaseGroup(state_, group_->value());
    UpdateOnlyButtonGroup();
    BuildGroup();
}

void GroupTab::SpeedButtonnormHiClick()
{
    for (auto& entry : state_.GroupColour)
        entry = {250, 250, 250, 250};
    ManualTab& manual = editor_.manualTab();
    for (int g = 1; g <= kFaderGroups; ++g)
        manual.levelFader(g)->setValue(255);
}

void GroupTab::SpeedButtonGroupClick(int group)
{
    LoadFaderGroup(group);
    if (group > kFaderGroups)
        return;
    // The chosen group at full height among the others at 50.
    editor_.manualTab().levelFader(group)->setValue(255);
    if (hasRecipe(state_, group))
        BuildGroup();
}

} // namespace pluviane
