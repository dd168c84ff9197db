#include "ToolTestSupport.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pluviane::test;

namespace {

ToolRun runCommand(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120'000))
        return {-1, QStringLiteral("hung")};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError())};
}

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TEST(Install, DesktopEntryFileTypeAndThumbnailerWorkFromTheInstalledTree)
{
    QTemporaryDir prefix;
    const QDir root(prefix.path());
    const ToolRun install = runCommand(QStringLiteral("cmake"), {QStringLiteral("--install"),
                                       QStringLiteral(PLUVIANE_BINARY_DIR), QStringLiteral("--prefix"), root.path()});
    ASSERT_EQ(install.exitCode, 0) << install.errors.toStdString();

    const QString share = root.filePath(QStringLiteral("share"));
    const QStringList programs = QStringLiteral(PLUVIANE_INSTALLED_PROGRAMS).split(QLatin1Char(','));
    EXPECT_GE(programs.size(), 3);
    for (const QString& program : programs) {
        const QString installed = root.filePath(QStringLiteral("bin/") + program);
        EXPECT_TRUE(QFileInfo(installed).isExecutable()) << installed.toStdString();
        if (program != QStringLiteral("pluviane")) { // the program itself wants a display
            EXPECT_EQ(runCommand(installed, {QStringLiteral("--help")}).exitCode, 0) << program.toStdString();
        }
    }
    EXPECT_TRUE(QFileInfo::exists(share + QStringLiteral("/icons/hicolor/scalable/apps/pluviane.svg")));

    const QString desktop = share + QStringLiteral("/applications/pluviane.desktop");
    const ToolRun validate = runCommand(QStringLiteral("desktop-file-validate"), {desktop});
    EXPECT_EQ(validate.exitCode, 0) << validate.errors.toStdString();
    EXPECT_TRUE(readText(desktop).contains(QStringLiteral("MimeType=application/x-pluviane-fountain;")));

    // The file type compiles into the database a desktop reads, and maps *.wat.
    const ToolRun mime = runCommand(QStringLiteral("update-mime-database"), {share + QStringLiteral("/mime")});
    EXPECT_EQ(mime.exitCode, 0) << mime.errors.toStdString();
    EXPECT_TRUE(readText(share + QStringLiteral("/mime/globs2")).contains(QStringLiteral("application/x-pluviane-fountain:*.wat")));

    // The thumbnailer's own command line, as a file manager fills it in.
    QSettings entry(share + QStringLiteral("/thumbnailers/pluviane.thumbnailer"), QSettings::IniFormat);
    const QString exec = entry.value(QStringLiteral("Thumbnailer Entry/Exec")).toString();
    const QString thumbnail = root.filePath(QStringLiteral("thumb.png"));
    QStringList words = exec.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    ASSERT_GE(words.size(), 2) << exec.toStdString();
    for (QString& word : words)
        word.replace(QStringLiteral("%i"), kExample).replace(QStringLiteral("%o"), thumbnail)
            .replace(QStringLiteral("%s"), QStringLiteral("128"));
    const QString program = root.filePath(QStringLiteral("bin/") + words.takeFirst());
    const ToolRun thumb = runRender(words, program);
    EXPECT_EQ(thumb.exitCode, 0) << thumb.errors.toStdString();
    EXPECT_EQ(QImage(thumbnail, "PNG").size(), QSize(128, 128));
}
