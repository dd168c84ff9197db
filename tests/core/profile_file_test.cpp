#include "model/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pluviane;

namespace {

void writeText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(ProfileFile, ReadsIgnoringCaseAndGivesDefaultsForWhatIsMissing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("plv.ini");
    const auto read = [&](const char* section, const char* key) {
        return readProfileString(path, section, key, "dflt");
    };
    EXPECT_EQ(read("Konveir", "File1_f"), "dflt"); // no file

    writeText(path, "; slots\n[Other]\nFile1_f=wrong\n\n[ KONVEIR ]\n"
                    "file1_F = /home/a b/ф.wat \nFile2_c=\nFile3_t\n;File4_c=x\n"
                    "File5_c=a=b\n[Tail]\nFile6_c=t\n");
    EXPECT_EQ(read("konveir", "FILE1_f"), "/home/a b/ф.wat");
    EXPECT_EQ(read("Konveir", "File2_c"), ""); // empty value, not the default
    EXPECT_EQ(read("Konveir", "File3_t"), "dflt");
    EXPECT_EQ(read("Konveir", "File4_c"), "dflt");
    EXPECT_EQ(read("Konveir", "File5_c"), "a=b");
    EXPECT_EQ(read("Konveir", "File6_c"), "dflt"); // belongs to the next section
    EXPECT_EQ(read("Missing", "File1_f"), "dflt");
    EXPECT_EQ(readProfileString(dir.path(), "Konveir", "File1_f", "d"), "d"); // a folder

    writeText(path, "[K]\nlong=" + QByteArray(3000, 'x') + "\r\n");
    EXPECT_EQ(readProfileString(path, "K", "long", {}).size(), kProfileValueLimit);
}

TEST(ProfileFile, WritesInPlaceKeepingEveryOtherLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("deep/er/plv.ini"); // folders are created
    ASSERT_TRUE(writeProfileString(path, "Konveir", "File1_c", "100 руб").ok);
    EXPECT_EQ(readText(path), "[Konveir]\nFile1_c=100 руб\n");

    writeText(path, "; header\r\n[konveir]\r\nFILE1_C=old\r\nFile2_f=/a.wat\r\n\r\n"
                    "[DMX]\r\nPort=1\r\n");
    ASSERT_TRUE(writeProfileString(path, "Konveir", "File1_c", "").ok);
    ASSERT_TRUE(writeProfileString(path, "Konveir", "File3_t", "/p.jpg").ok);
    ASSERT_TRUE(writeProfileString(path, "DMX", "Port", "2").ok);
    ASSERT_TRUE(writeProfileString(path, "New", "Key", "two\nlines").ok);
    EXPECT_EQ(readText(path), "; header\r\n[konveir]\r\nFILE1_C=\r\nFile2_f=/a.wat\r\n"
                              "File3_t=/p.jpg\r\n\r\n[DMX]\r\nPort=2\r\n[New]\r\nKey=two lines\r\n");
}

TEST(ProfileFile, RefusedWriteNamesTheReasonAndKeepsTheFile)
{
    QTemporaryDir dir;
    // A folder where the file should be.
    ASSERT_TRUE(QDir(dir.path()).mkpath("taken.ini"));
    const ProfileWrite onFolder = writeProfileString(dir.filePath("taken.ini"), "K", "k", "v");
    EXPECT_FALSE(onFolder.ok);
    EXPECT_FALSE(onFolder.reason.isEmpty());
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.ini")).isDir());

    // A plain file where the folder should be.
    writeText(dir.filePath("plain"), "keep");
    const ProfileWrite noFolder = writeProfileString(dir.filePath("plain/plv.ini"), "K", "k", "v");
    EXPECT_FALSE(noFolder.ok);
    EXPECT_FALSE(noFolder.reason.isEmpty());
    EXPECT_EQ(readText(dir.filePath("plain")), "keep");

    EXPECT_TRUE(settingsFilePath().endsWith("/pluviane/plv.ini"));
}
