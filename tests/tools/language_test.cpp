// The tools speak the program's language, and no text lacks its translation.
#include "ToolTestSupport.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace pluviane;
using namespace pluviane::test;

namespace {

// What a tool says on stderr and stdout under the given locale and settings folder.
QString toolSays(const QString& tool, const QStringList& arguments, const QString& lang, const QString& config)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LANG"), lang);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QCoreApplication::applicationDirPath() + QLatin1Char('/') + tool, arguments);
    if (!process.waitForFinished(60'000))
        return QStringLiteral("hung");
    return QString::fromUtf8(process.readAll());
}

void setLanguage(const QString& config, const QString& code)
{
    QDir(config).mkpath(QStringLiteral("pluviane"));
    QFile file(config + QStringLiteral("/pluviane/plv.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Interface]\nLanguage=" + code.toLatin1() + "\n");
}

// The source texts lupdate finds that the translation file lacks or leaves
// unfinished; `wanted` says which source texts need a translation there.
QStringList untranslated(const QString& tsFile, bool (*wanted)(const QString&))
{
    QFile file(tsFile);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << tsFile.toStdString();
    QXmlStreamReader xml(&file);
    QStringList missing;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source"))
            source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (xml.name() == QLatin1String("translation")
                 && xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished") && wanted(source))
            missing << source;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return missing;
}

// Russian string literals of a source file that do not stand in tr(),
// translate() or QT_TRANSLATE_NOOP(), so lupdate would never see them.
QStringList bareRussianTexts(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QString code = QString::fromUtf8(file.readAll());
    static const QRegularExpression token(QStringLiteral(R"(//[^\n]*|/\*[\s\S]*?\*/|'(?:[^'\\\n]|\\.)'|"(?:[^"\\\n]|\\.)*")"));
    static const QRegularExpression opensCall(QStringLiteral(R"((\btr|\btranslate|QT_TRANSLATE_NOOP)\($)"));
    QStringList bare;
    qsizetype end = 0;
    bool previousWrapped = false; // the string before, when only blanks or a comma lie between
    bool previousOpensCall = false;
    for (const QRegularExpressionMatch& m : token.globalMatch(code)) {
        const QString gap = code.mid(end, m.capturedStart() - end).trimmed();
        end = m.capturedEnd();
        if (!m.captured().startsWith(QLatin1Char('"')))
            continue;
        const bool opens = gap.contains(opensCall);
        const bool wrapped = opens || (gap.isEmpty() && previousWrapped)
                             || (gap == QLatin1String(",") && previousOpensCall);
        if (!wrapped && russian(m.captured()))
            bare << m.captured();
        previousWrapped = wrapped;
        previousOpensCall = opens;
    }
    return bare;
}

} // namespace

TEST(ToolLanguage, TheToolsSpeakTheDesktopsLanguageUnlessTheSettingSaysOtherwise)
{
    QTemporaryDir config;
    const QString garbage = config.filePath(QStringLiteral("garbage.wat"));
    QFile(garbage).open(QIODevice::WriteOnly);
    const QString out = config.filePath(QStringLiteral("out.png"));
    const std::vector<std::pair<QString, QStringList>> runs = {
        {QStringLiteral("pluviane-render"), {}},
        {QStringLiteral("pluviane-render"), {QStringLiteral("--help")}},
        {QStringLiteral("pluviane-render"), {QStringLiteral("--bogus")}},
        {QStringLiteral("pluviane-render"), {kExample, QStringLiteral("-o"), out, QStringLiteral("--size"), QStringLiteral("0x0")}},
        {QStringLiteral("pluviane-render"), {config.filePath(QStringLiteral("none.wat")), QStringLiteral("-o"), out}},
        {QStringLiteral("pluviane-play"), {QStringLiteral("--help")}},
        {QStringLiteral("pluviane-play"), {garbage, QStringLiteral("--colours"), QStringLiteral("10")}},
        {QStringLiteral("pluviane-draft"), {QStringLiteral("--help")}},
        {QStringLiteral("pluviane-draft"), {garbage, garbage, QStringLiteral("-o"), out}},
    };
    struct Case {
        const char* lang;
        const char* setting;
        bool russian;
    };
    for (const Case c : {Case{"en_US.UTF-8", "", false}, Case{"C", "", true}, Case{"ru_RU.UTF-8", "", true},
                         Case{"en_US.UTF-8", "ru", true}, Case{"ru_RU.UTF-8", "en", false}}) {
        setLanguage(config.path(), QString::fromLatin1(c.setting));
        for (const auto& [tool, arguments] : runs) {
            const QString said = toolSays(tool, arguments, QString::fromLatin1(c.lang), config.path());
            EXPECT_FALSE(said.trimmed().isEmpty());
            // Each line but the tool's name and file names (user data) is in the one language.
            for (QString line : said.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                line.remove(config.path());
                const bool words = line.contains(QRegularExpression(QStringLiteral("[A-Za-z\\x{0400}-\\x{04FF}]{4}")));
                if (c.russian && words && !line.contains(QStringLiteral("--")) && !line.startsWith(QStringLiteral("  -"))) {
                    EXPECT_TRUE(russian(line)) << c.lang << " " << c.setting << ": " << line.toStdString();
                }
                if (!c.russian) {
                    EXPECT_FALSE(russian(line)) << c.lang << " " << c.setting << ": " << line.toStdString();
                }
            }
        }
    }
}

TEST(Translations, LupdateFindsEveryTextTranslated)
{
    QTemporaryDir dir;
    const QString en = dir.filePath(QStringLiteral("pluviane_en.ts"));
    const QString ru = dir.filePath(QStringLiteral("pluviane_ru.ts"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(PLUVIANE_SOURCE_DIR "/translations/pluviane_en.ts"), en));
    ASSERT_TRUE(QFile::copy(QStringLiteral(PLUVIANE_SOURCE_DIR "/translations/pluviane_ru.ts"), ru));
    QFile(en).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QFile(ru).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(PLUVIANE_LUPDATE),
                  {QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-no-obsolete"),
                   QStringLiteral("@" PLUVIANE_TEXT_SOURCES), QStringLiteral("-ts"), en, ru});
    ASSERT_TRUE(lupdate.waitForFinished(120'000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();
    // The windows' texts are Russian and need English; the tools' are English and need Russian.
    const QStringList english = untranslated(en, russian);
    const QStringList russianLeft = untranslated(ru, [](const QString& text) { return !russian(text); });
    EXPECT_TRUE(english.isEmpty()) << "no English for:\n" << english.join('\n').toStdString()
                                   << "\n(cmake --build build --target update_translations, then translate)";
    EXPECT_TRUE(russianLeft.isEmpty()) << "no Russian for:\n" << russianLeft.join('\n').toStdString();

    QFile list(QStringLiteral(PLUVIANE_TEXT_SOURCES));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    for (const QString& line : QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (const QStringList bare = line.startsWith(QLatin1String("-I")) ? QStringList() : bareRussianTexts(line);
            !bare.isEmpty())
            ADD_FAILURE() << line.toStdString() << " has texts lupdate cannot see: " << bare.join(", ").toStdString();
}
