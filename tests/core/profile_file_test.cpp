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

TEST(ProfileFile, AStoreChangesOnlyItsOwnLineWhateverTheOtherBytesAre)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("plv.ini");
    // Written by another program: a byte order mark, CR LF, a Windows-1251
    // cost ("Смета"), quoted values and a last line with no line end.
    const QByteArray cp1251("\xD1\xEC\xE5\xF2\xE0");
    const QByteArray original = "\xEF\xBB\xBF[Konveir]\r\nFile1_c=" + cp1251 + "\r\nFile2_f=\"/home/a b/x.wat\"\r\n"
                                "File3_f='/y.wat'\r\nFile4_c=\"half\r\n[DMX]\r\nPort=1";
    writeText(path, original);
    EXPECT_EQ(readProfileString(path, "Konveir", "File2_f", {}), "/home/a b/x.wat");
    EXPECT_EQ(readProfileString(path, "Konveir", "File3_f", {}), "/y.wat");
    EXPECT_EQ(readProfileString(path, "Konveir", "File4_c", {}), "\"half");

    ASSERT_TRUE(writeProfileString(path, "Konveir", "File2_f", "/z.wat").ok);
    QByteArray expected = original;
    expected.replace("\"/home/a b/x.wat\"", "/z.wat");
    EXPECT_EQ(readText(path), expected);
    ASSERT_TRUE(writeProfileString(path, "DMX", "Levels", "5").ok);
    EXPECT_EQ(readText(path), expected + "\r\nLevels=5\r\n");

    // Several changes to one file read once, as a slot store makes them.
    ProfileFile file = ProfileFile::read(path);
    file.setValue("Konveir", "File1_c", "a longer cost than before");
    file.setValue("Konveir", "File3_f", "/w.wat");
    file.setValue("Konveir", "File9_c", "9");
    file.setValue("dmx", "port", "");
    EXPECT_EQ(file.value("Konveir", "File3_f", {}), "/w.wat");
    EXPECT_EQ(file.value("Konveir", "File9_c", {}), "9");
    EXPECT_EQ(file.value("DMX", "Levels", {}), "5");
    EXPECT_TRUE(file.bytes().endsWith("File9_c=9\r\n[DMX]\r\nPort=\r\nLevels=5\r\n"));

    // Garbage stays garbage, byte for byte, and grows only by the new line.
    QByteArray garbage(10 << 20, '\0');
    for (qsizetype i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 2654435761u) >> 13);
    writeText(path, garbage);
    ASSERT_TRUE(writeProfileString(path, "Konveir", "File1_c", "1").ok);
    const QByteArray after = readText(path);
    EXPECT_TRUE(after.startsWith(garbage));
    EXPECT_LE(after.size(), garbage.size() + 24);
}
