#include "app/PresetList.h"

#include "app/AppWindows.h"
#include "app/MainWindow.h"
#include "app/SceneView.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/FilePrompter.h"
#include "model/ProfileFile.h"
#include "widgets/Controls.h"
#include "widgets/ElidedLabel.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace pluviane {

namespace {

constexpr int kStartupDelayMs = 3000;
const QString kSection = QStringLiteral("Konveir");
const QString kNoCost = QStringLiteral("no Cost");
QString kCostLead() { return PresetList::tr("По смете : "); }

// The record buttons' captions differ in their spacing, and users know them so.
const std::array<const char*, kPresetSlots> kRecordCaptions{
    QT_TRANSLATE_NOOP("pluviane::PresetList", "Записать для кнопки 1 "),
    QT_TRANSLATE_NOOP("pluviane::PresetList", "Записать для кнопки 2 "),
    QT_TRANSLATE_NOOP("pluviane::PresetList", "Записать для кнопки 3 "),
    QT_TRANSLATE_NOOP("pluviane::PresetList", "Записать для кнопки 4 "),
    QT_TRANSLATE_NOOP("pluviane::PresetList", "Записать для кнопки 5 "),
    QT_TRANSLATE_NOOP("pluviane::PresetList", "Записать для кнопки 6 "),
    QT_TRANSLATE_NOOP("pluviane::PresetList", "Записать для кнопки 7 "),
    QT_TRANSLATE_NOOP("pluviane::PresetList", "Записать для кнопки 8  "),
    QT_TRANSLATE_NOOP("pluviane::PresetList", "Записать для кнопки  9"),
    QT_TRANSLATE_NOOP("pluviane::PresetList", "Записать для кнопки  10"),
    QT_TRANSLATE_NOOP("pluviane::PresetList", "Записать для кнопки  11"),
    QT_TRANSLATE_NOOP("pluviane::PresetList", "Записать для кнопки 12 "),
    QT_TRANSLATE_NOOP("pluviane::PresetList", "Записать для кнопки  13 "),
    QT_TRANSLATE_NOOP("pluviane::PresetList", "Записать для кнопки  14")};

QString slotCaption(int slot)
{
    return (slot <= 7 ? PresetList::tr("Театр") : PresetList::tr("Слава")) +
           QString::number(slot <= 7 ? slot : slot - 7);
}

QString key(const QString& slot, const char* suffix)
{
    return QStringLiteral("File") + slot + QLatin1String(suffix);
}

// A stored name counts only while a file stands behind it.
bool isExistingFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

} // namespace

PresetList::PresetList(FountainState& state, AppWindows& windows, MainWindow& main)
    : QObject(&main), state_(state), windows_(windows), main_(main), settingsPath_(settingsFilePath())
{
    timerCreate_.setObjectName("TimerCreate");
    timerCreate_.setInterval(kStartupDelayMs);
    timerCreate_.setSingleShot(true);
    connect(&timerCreate_, &QTimer::timeout, this, &PresetList::TimerCreateTimer);
    timerCreate_.start();
}

void PresetList::addSlotButtons(QWidget* panel, QHBoxLayout* row)
{
    for (int slot = 1; slot <= kPresetSlots; ++slot) {
        if (slot == 8)
            row->addSpacing(16);
        auto* button = makeButton(panel, QStringLiteral("SpeedButtonView%1").arg(slot), slotCaption(slot),
                                  tr("Правая кнопка записывает имена файлов фонтана, подложки и  "));
        // The keyboard belongs to the 3D view.
        button->setFocusPolicy(Qt::NoFocus);
        // As wide as the caption, narrower when the screen is small.
        button->setMinimumWidth(24);
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 16);
        connect(button, &QPushButton::clicked, this, [this, slot] { IniReadButton(QString::number(slot)); });
        row->addWidget(button);
    }
}

QLabel* PresetList::makeCostLabel(QWidget* panel)
{
    // A long cost must not widen the main window past the screen.
    cost_ = new ElidedLabel(panel);
    nameCaptioned(cost_, QStringLiteral("LabelSmetam"));
    cost_->setFullText(kCostLead());
    QPalette red = cost_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    cost_->setPalette(red);
    QFont larger = cost_->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.4);
    cost_->setFont(larger);
    return cost_;
}

void PresetList::buildRecorder(QGroupBox* box)
{
    recorder_ = box;
    auto* columns = new QHBoxLayout(box);
    auto* left = new QGridLayout;
    left->setVerticalSpacing(1);
    left->addWidget(makeLabel(box, "LabelCostHeading", tr("Сумма сметы")), 0, 1);
    for (int slot = 1; slot <= kPresetSlots; ++slot) {
        auto* record = makeButton(box, QStringLiteral("SpeedButtonRec%1").arg(slot),
                                  tr(kRecordCaptions[slot - 1]));
        auto* edit = new QLineEdit(box);
        nameUncaptioned(edit, QStringLiteral("EditCost%1").arg(slot));
        edit->setMinimumWidth(240);
        costEdits_[slot - 1] = edit;
        connect(record, &QPushButton::clicked, this,
                [this, slot, edit] { IniSaveButton(QString::number(slot), edit->text()); });
        left->addWidget(record, slot, 0);
        left->addWidget(edit, slot, 1);
    }
    saveFirst_ = makeCheck(box, "CheckBoxrec", tr("Записывать и файл"), true);
    auto* update = makeButton(box, "SpeedButtonUpDateINI", QStringLiteral("UpDate"));
    connect(update, &QPushButton::clicked, this, &PresetList::UpdateAlIni);
    auto* close = makeButton(box, "SpeedButton2", tr("Закрыть окно"));
    connect(close, &QPushButton::clicked, box, &QWidget::hide);
    left->addWidget(saveFirst_, kPresetSlots + 1, 0, 1, 2);
    left->addWidget(update, kPresetSlots + 2, 0);
    left->addWidget(close, kPresetSlots + 3, 0);
    columns->addLayout(left);

    memo_ = new QPlainTextEdit(box);
    nameUncaptioned(memo_, "MemoIni");
    memo_->setReadOnly(true);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setMinimumWidth(360);
    columns->addWidget(memo_, 1);
}

void PresetList::showRecorder()
{
    recorder_->show();
    recorder_->raise();
    UpdateAlIni();
}

// Each command reads the settings file once, however many keys it wants.
ProfileFile PresetList::readSettings() const { return ProfileFile::read(settingsPath_); }

// A refused write says so and stops the command there.
bool PresetList::write(const QList<std::pair<QString, QString>>& values)
{
    const ProfileWrite written = updateProfile(settingsPath_, [&values](ProfileFile& file) {
        for (const auto& [key, value] : values)
            file.setValue(kSection, key, value);
    });
    if (!written.ok) {
        EditorWindow& editor = windows_.editor();
        editor.fileCommands().prompter().showMessage(
            &main_, tr("Ошибка"),
            tr("Не удаётся записать в %1").arg(settingsPath_) + QStringLiteral("\r\n") + written.reason);
    }
    return written.ok;
}

void PresetList::UpdateAlIni()
{
    const ProfileFile settings = readSettings();
    const auto read = [&settings](const QString& key, const QString& fallback) {
        return settings.value(kSection, key, fallback);
    };
    QStringList lines;
    for (int slot = 1; slot <= kPresetSlots; ++slot) {
        const QString n = QString::number(slot);
        lines << QStringLiteral("View ") + n + QStringLiteral(" = ") + read(key(n, "_f"), QStringLiteral("noFile") + n)
              << QStringLiteral("Picture ") + n + QStringLiteral(" = ") + read(key(n, "_t"), QStringLiteral("noPic") + n);
    }
    memo_->setPlainText(lines.join(QLatin1Char('\n')));
    for (int slot = 1; slot <= kPresetSlots; ++slot) {
        QLineEdit* edit = costEdits_[slot - 1];
        edit->setText(read(key(QString::number(slot), "_c"), kNoCost));
        edit->setCursorPosition(0); // a long cost shows its beginning
    }
    main_.showNozzleCount();
}

// The slot takes the fountain on screen: its own file when it has one (saved
// first with "Записывать и файл"), the open dialog's last choice only when it
// has none. A save that fails or is cancelled records nothing. An unnamed,
// unchanged fountain (right after start) is not saved: there is nothing to keep.
void PresetList::IniSaveButton(const QString& slot, const QString& cost)
{
    FileCommands& files = windows_.editor().fileCommands();
    const bool named = !files.currentFileName().isEmpty();
    if (saveFirst_->isChecked() && (named || files.isChanged()) && !files.saveFountain())
        return;
    // One write for the slot's keys: a refused one changes none of them.
    QList<std::pair<QString, QString>> values;
    const QString fountain = named ? files.currentFileName() : files.openDialogFileName();
    if (isExistingFile(fountain))
        values.append({key(slot, "_f"), fountain});
    if (isExistingFile(state_.GroundPictureName))
        values.append({key(slot, "_t"), state_.GroundPictureName});
    // A name that would read back otherwise (a line break in it, say) could never load.
    for (const auto& [name, path] : values) {
        if (!profileHoldsValue(path)) {
            files.prompter().showMessage(&main_, tr("Ошибка"),
                                         tr("Имя файла нельзя записать в файл настроек:\r\n") +
                                             QDir::toNativeSeparators(path));
            return;
        }
    }
    values.append({key(slot, "_c"), cost});
    if (write(values))
        UpdateAlIni();
}

// Picture, cost, then fountain; a slot's picture is not the user's own
// backdrop choice, so GroundPictureName stays.
void PresetList::IniReadButton(const QString& slot)
{
    const ProfileFile settings = readSettings();
    FileCommands& files = windows_.editor().fileCommands();
    const QString fountain = settings.value(kSection, key(slot, "_f"), {});
    // A fountain gone from its place is told; the fountain on screen keeps its
    // picture and its cost.
    if (!fountain.isEmpty() && !isExistingFile(fountain)) {
        files.prompter().showMessage(&main_, tr("Ошибка"),
                                     tr("Файл фонтана не найден:\r\n") + QDir::toNativeSeparators(fountain));
        return;
    }
    // Asked before anything moves, so Cancel keeps the picture and the cost too.
    if (!fountain.isEmpty() && !files.mayLeaveFountain(&main_))
        return;
    // A file that does not load (too long, unreadable) leaves the cost where it was.
    const QString shownCost = cost_->fullText();
    loadBackdropIfPresent(settings.value(kSection, key(slot, "_t"), {}));
    showCost(settings.value(kSection, key(slot, "_c"), kNoCost));
    if (!fountain.isEmpty() && !main_.OpenFontanFile(fountain))
        cost_->setFullText(shownCost);
    UpdateAlIni();
}

// Fountain, cost, then picture, and only when the start-up fountain is there.
// The panel is not refreshed.
void PresetList::TimerCreateTimer()
{
    timerCreate_.stop();
    const ProfileFile settings = readSettings();
    const QString fountain = settings.value(kSection, QStringLiteral("File01_f"), {});
    if (!isExistingFile(fountain))
        return;
    main_.OpenFontanFile(fountain);
    showCost(settings.value(kSection, QStringLiteral("File01_c"), kNoCost));
    loadBackdropIfPresent(settings.value(kSection, QStringLiteral("File01_t"), {}));
    main_.showNozzleCount();
}

void PresetList::loadBackdropIfPresent(const QString& path)
{
    if (isExistingFile(path))
        main_.scene().loadBackdrop(path);
}

void PresetList::showCost(const QString& cost)
{
    cost_->setFullText(kCostLead() + cost);
}

} // namespace pluviane
