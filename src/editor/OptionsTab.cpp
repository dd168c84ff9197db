#include "editor/OptionsTab.h"

#include "model/Language.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/FilePrompter.h"
#include "model/ProfileFile.h"
#include "widgets/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLocale>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace pluviane {

namespace {

QString kShiftHint() { return OptionsTab::tr("Автоматическое измение положения   при нажатии на кнопку (Записать + новая группа)"); }

} // namespace

OptionsTab::OptionsTab(FountainState& state, EditorWindow& editor)
    : QWidget(nullptr), state_(state), editor_(editor)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);

    QLabel* heading = makeLabel(
        this, {},
        tr(
            "Автоматическое измение данных   при нажатии на кнопку (Записать + новая группа)"));
    heading->setStyleSheet(QStringLiteral("color: red;"));
    heading->setWordWrap(true);
    layout->addWidget(heading);

    size_ = addIncrement(layout, "ScrollBarDobRazm", "LabelAvtrazme",
                         tr("Изменить размер на  0"),
                         tr("Изменить размер на "), -50, 50, 1,
                         tr("Автоматическое измение размера  при нажатии на кнопку "
                                        "(Записать + новая группа)"));
    rotation_ =
        addIncrement(layout, "ScrollBarRtAvt", "LabelRotg", tr("Повернуть на  0"),
                     tr("Повернуть на  "), -90, 90, 2,
                     tr("Автоматический поворот  при нажатии на кнопку (Записать + )"));
    count_ =
        addIncrement(layout, "ScrollBarKolStr", "LabelKolstr", tr("на Колво струй 0 "),
                     tr("на Количество струй "), -50, 50, 1,
                     tr("Автоматическое измение Количества струй  при нажатии на "
                                    "кнопку (Записать + новая группа)"));
    height_ = addIncrement(layout, "ScrollBarIzmhi", "Labelizmvis",
                           tr("Изменение высоты на 0"),
                           tr("Изменение высоты на "), -50, 50, 1,
                           tr("Автоматическое измение высоты  при нажатии на кнопку "
                                          "(Записать + новая группа)"));
    // The X of this label is Cyrillic, the Z of the next one Latin.
    shiftX_ =
        addIncrement(layout, "ScrollBarIzmX", "Labeizmx", tr("Смещение по Х на 0"),
                     tr("Смещение по Х на "), -50, 50, 1, kShiftHint());
    shiftZ_ =
        addIncrement(layout, "ScrollBarIvzmZ", "Labelizmz", tr("Смещение по Z на 0"),
                     tr("Смещение по Z на "), -50, 50, 1, kShiftHint());

    buildLanguage(layout);
    buildHidden(layout);
    layout->addStretch(1);
}

namespace {
QString ownLanguageName(QLocale::Language language)
{
    const QString name = QLocale(language).nativeLanguageName();
    return name.left(1).toUpper() + name.mid(1);
}
} // namespace

// The caption speaks both languages, so whoever started in the wrong one finds it.
void OptionsTab::buildLanguage(QVBoxLayout* layout)
{
    QLabel* caption = makeLabel(this, "LabelLanguage", tr("Язык / Language"));
    language_ = new QComboBox(this);
    nameUncaptioned(language_, QStringLiteral("ComboBoxLanguage"));
    caption->setBuddy(language_);
    language_->addItem(tr("Как на рабочем столе"), QString());
    // Each language is named in its own words, whatever the interface speaks,
    // so that whoever cannot read the one finds the other.
    language_->addItem(ownLanguageName(QLocale::Russian), kRussian);
    language_->addItem(QStringLiteral("English"), kEnglish);
    const QString stored = readProfileString(settingsFilePath(), kInterfaceSection, kLanguageKey, {});
    language_->setCurrentIndex(std::max(0, language_->findData(languageCode(stored))));
    languageNote_ = makeLabel(this, "LabelLanguageNote", tr("Язык сменится при следующем запуске программы"));
    languageNote_->setWordWrap(true);
    languageNote_->setVisible(false);
    connect(language_, &QComboBox::activated, this, &OptionsTab::ComboBoxLanguageChange);
    layout->addWidget(caption);
    layout->addWidget(language_);
    layout->addWidget(languageNote_);
}

void OptionsTab::ComboBoxLanguageChange()
{
    const QString path = settingsFilePath();
    const ProfileWrite written =
        writeProfileString(path, kInterfaceSection, kLanguageKey, language_->currentData().toString());
    if (!written.ok) {
        editor_.fileCommands().prompter().showMessage(
            &editor_, tr("Ошибка"), tr("Не удаётся записать в %1").arg(path) + QStringLiteral("\r\n") + written.reason);
        return;
    }
    languageNote_->setVisible(true);
}

QScrollBar* OptionsTab::addIncrement(QVBoxLayout* layout, const char* name, const char* labelName,
                                     const QString& start, const QString& prefix, int minimum,
                                     int maximum, int labelFactor, const QString& hint)
{
    QLabel* label = makeLabel(this, QString::fromLatin1(labelName), start);
    QScrollBar* bar = makeBar(this, QString::fromLatin1(name), minimum, maximum, 0, 10);
    bar->setToolTip(hint);
    connect(bar, &QScrollBar::valueChanged, label, [label, prefix, labelFactor](int value) {
        label->setText(prefix + QString::number(labelFactor * value));
    });
    layout->addWidget(label);
    layout->addWidget(bar);
    return bar;
}

void OptionsTab::buildHidden(QVBoxLayout* layout)
{
    toCentre_ =
        makeCheck(this, "CheckBoxToCentr", tr("К центру"), false,
                  tr("При включенном флажке новая группа устанавливается в центр "
                                 "при нажатии на кнопку (Запмсать+новаягруппа)"));
    cupZero_ =
        makeCheck(this, "CheckBoxCupZero", tr("Чашу в -0- "), false,
                  tr("При флажке при нажатии на кнопку NewFile устанавливает чашу "
                                 "в нулевые координаты "));
    noName_ = makeCheck(this, "CheckBoxNoName", tr("Вкл подставление имени "), true);
    nameFile_ = new QLineEdit(QStringLiteral("fontan"), this);
    nameUncaptioned(nameFile_, QStringLiteral("EditNameFile"));
    nameFile_->setMaxLength(8);
    nameLabel_ =
        makeLabel(this, "LabelNamF",
                  tr("Имя файла которое будет подставляться c цифрой при нажатии "
                                 "на кнопку NewFile "));
    nameLabel_->setStyleSheet(QStringLiteral("color: red;"));
    nameLabel_->setWordWrap(true);

    for (QWidget* hidden :
         std::initializer_list<QWidget*>{toCentre_, cupZero_, noName_, nameFile_, nameLabel_}) {
        layout->addWidget(hidden);
        hidden->setVisible(false);
    }
}

} // namespace pluviane
