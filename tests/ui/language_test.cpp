// The interface language: which one is chosen, English windows free of
// Russian, and English captions that fit where the Russian ones do.
#include "FileTestSupport.h"

#include "model/Language.h"
#include "app/MainWindow.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/OptionsTab.h"
#include "info/AboutWindow.h"
#include "info/HelpWindow.h"
#include "model/ProfileFile.h"
#include "show/RecorderWindow.h"
#include "show/TimelineWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTranslator>

#include <map>

namespace pluviane::test {
namespace {

// English for the windows made while it lives, as the program has it after
// start on an English desktop.
struct SpeakingEnglish {
    SpeakingEnglish()
    {
        EXPECT_TRUE(own.load(QStringLiteral(":/i18n/pluviane_en.qm")));
        EXPECT_TRUE(qt.load(QStringLiteral("qtbase_en"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QCoreApplication::installTranslator(&qt);
        QCoreApplication::installTranslator(&own);
    }
    ~SpeakingEnglish()
    {
        QCoreApplication::removeTranslator(&own);
        QCoreApplication::removeTranslator(&qt);
    }
    QTranslator own;
    QTranslator qt;
};

// Every text a window shows or can show: captions, titles, tips, list items,
// tab names and the help text (what the user types, edits, is left out).
QStringList shownTexts(QWidget* window)
{
    QStringList texts{window->windowTitle()};
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        texts << w->toolTip();
        if (auto* label = qobject_cast<QLabel*>(w))
            texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts << button->text();
        if (auto* box = qobject_cast<QGroupBox*>(w))
            texts << box->title();
        if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
            texts << memo->toPlainText();
        // The language box names each language in its own words.
        if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->objectName() != "ComboBoxLanguage")
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
    }
    return texts;
}

QList<QWidget*> windowsOf(AppWindows& windows)
{
    return {&windows.main(), &windows.editor(), &windows.recorder(), &windows.help(), &windows.about(),
            &windows.timeline()};
}

// How far each caption of the editor's tabs and the recorder runs past the
// room it has, by window, tab and place among its kind.
std::map<QString, int> overruns(AppWindows& windows)
{
    std::map<QString, int> found;
    auto measure = [&found](QWidget* window, const QString& where) {
        QCoreApplication::processEvents();
        int place = 0;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(window))
                continue;
            auto* label = qobject_cast<QLabel*>(w);
            if (label != nullptr && label->wordWrap())
                continue;
            if (label == nullptr && qobject_cast<QAbstractButton*>(w) == nullptr)
                continue;
            found[where + QString::number(place++) + w->objectName()] = w->sizeHint().width() - w->width();
        }
    };
    EditorWindow& editor = windows.editor();
    editor.show();
    for (int tab = 0; tab < editor.tabs()->count(); ++tab) {
        editor.tabs()->setCurrentIndex(tab);
        measure(&editor, QStringLiteral("editor/%1/").arg(tab));
    }
    windows.recorder().show();
    measure(&windows.recorder(), QStringLiteral("recorder/"));
    return found;
}

} // namespace

TEST(Language, TheSettingWinsThenTheDesktopThenRussian)
{
    const QStringList english{QStringLiteral("en-US")};
    const QStringList russian{QStringLiteral("ru-RU")};
    EXPECT_EQ(chooseLanguage({}, english), kEnglish);
    EXPECT_EQ(chooseLanguage({}, russian), kRussian);
    EXPECT_EQ(chooseLanguage(QStringLiteral("ru"), english), kRussian);
    EXPECT_EQ(chooseLanguage(QStringLiteral(" EN "), russian), kEnglish);
    EXPECT_EQ(chooseLanguage({}, {QStringLiteral("de-DE"), QStringLiteral("en_GB")}), kEnglish)
        << "the first desktop language we have";
    EXPECT_EQ(chooseLanguage({}, {QStringLiteral("C")}), kRussian);
    EXPECT_EQ(chooseLanguage(QStringLiteral("fr"), {QStringLiteral("de")}), kRussian);
    EXPECT_EQ(chooseLanguage(QStringLiteral("fr"), english), kEnglish) << "a setting we lack is passed over";
}

TEST(Language, EnglishWindowsShowNoRussianAndTheirCaptionsFitAsTheRussianOnesDo)
{
    Program russianProgram;
    const std::map<QString, int> russianOverruns = overruns(*russianProgram.windows);
    for (QWidget* window : windowsOf(*russianProgram.windows))
        EXPECT_TRUE(russian(shownTexts(window).join(' '))) << "Russian stays the windows' own language";

    SpeakingEnglish english;
    Program program;
    for (QWidget* window : windowsOf(*program.windows))
        for (const QString& text : shownTexts(window))
            EXPECT_FALSE(russian(text)) << window->objectName().toStdString() << ": " << text.toStdString();

    const std::map<QString, int> englishOverruns = overruns(*program.windows);
    ASSERT_EQ(englishOverruns.size(), russianOverruns.size());
    EXPECT_LE(program.windows->editor().width(), russianProgram.windows->editor().width());
    EXPECT_LE(program.windows->recorder().width(), russianProgram.windows->recorder().width());
    for (const auto& [where, overrun] : englishOverruns)
        EXPECT_LE(overrun, std::max(0, russianOverruns.at(where))) << where.toStdString() << " is cut off";

    // Messages too, with the reasons inside them.
    auto prompter = std::make_unique<FakePrompter>();
    FakePrompter& told = *prompter;
    program.windows->editor().fileCommands().setPrompter(std::move(prompter));
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.wat"));
    writeBytes(big, QByteArray(70000, 'x'));
    EXPECT_FALSE(program.windows->editor().fileCommands().OpenFontanFile(big));
    ASSERT_FALSE(told.messages.empty());
    for (const FakePrompter::Message& m : told.messages)
        EXPECT_FALSE(russian(m.caption + m.text)) << m.text.toStdString();
}

TEST(Language, TheLanguageBoxKeepsTheChoiceForTheNextStart)
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    Program program;
    OptionsTab& options = program.windows->editor().optionsTab();
    QComboBox* box = options.languageBox();
    EXPECT_EQ(box->objectName(), QStringLiteral("ComboBoxLanguage"));
    EXPECT_EQ(box->currentData().toString(), QString()) << "no setting follows the desktop";
    EXPECT_FALSE(options.languageNote()->isVisibleTo(&options));
    for (const QString& code : {kEnglish, kRussian}) {
        box->setCurrentIndex(box->findData(code));
        emit box->activated(box->currentIndex());
        EXPECT_EQ(readProfileString(settingsFilePath(), kInterfaceSection, kLanguageKey, {}), code);
        EXPECT_EQ(currentLanguage(), code);
    }
    EXPECT_TRUE(options.languageNote()->isVisibleTo(&options)) << "the change is said to come at the next start";
    Program next;
    EXPECT_EQ(next.windows->editor().optionsTab().languageBox()->currentData().toString(), kRussian);

    SpeakingEnglish english;
    Program inEnglish;
    QComboBox* named = inEnglish.windows->editor().optionsTab().languageBox();
    EXPECT_EQ(named->itemText(named->findData(kRussian)), QStringLiteral("Русский"));
    EXPECT_EQ(named->itemText(named->findData(kEnglish)), QStringLiteral("English"));
}

} // namespace pluviane::test
