#include "model/AtomicWrite.h"
#include "model/FountainFile.h"
#include "model/Leftovers.h"
#include "model/ProfileFile.h"
#include "model/RecoveryFiles.h"
#include "model/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace pluviane;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A disk that takes only `bytes` more of any one file: the process's file size
// limit, with the signal that would end the process ignored, as a full disk
// gives a short write rather than a signal.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = old_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldSignal_);
    }

private:
    rlimit old_{};
    void (*oldSignal_)(int) = SIG_DFL;
};

} // namespace

TEST(FileSafety, AWriteOntoAFullDiskFailsAndKeepsTheOldFileWhole)
{
    QTemporaryDir dir;
    // A small settings file: the kind Qt's write buffer would hold back until the
    // commit, which then put an empty file in the old one's place.
    const QString ini = dir.filePath("plv.ini");
    const QByteArray presets = "[Konveir]\nFile1_f=/home/a/one.wat\nFile1_c=100\n";
    writeAll(ini, presets);
    const QString fountain = dir.filePath("f.wat");
    FountainImage image{};
    image[0] = 15;
    ASSERT_TRUE(writeFountainFile(fountain, image).ok());
    const QString recovery = dir.filePath("recovery");
    bool flip = false;
    ASSERT_TRUE(writeRecoveryCopy(recovery, "1-1", image, fountain, flip).isEmpty());
    const QByteArray sidecar = readAll(recovery + "/1-1.ini");
    image[1] = 7;
    {
        FullDisk disk(presets.size() + 4);
        EXPECT_FALSE(writeRecoveryCopy(recovery, "1-1", image, fountain, flip).isEmpty());
        const ProfileWrite stored = writeProfileString(ini, "Konveir", "File2_c", "a cost that does not fit");
        EXPECT_FALSE(stored.ok);
        EXPECT_TRUE(stored.reason.contains("bytes written")) << stored.reason.toStdString();
        const FileResult saved = writeFountainFile(fountain, image);
        EXPECT_FALSE(saved.ok());
        EXPECT_FALSE(writeFileAtomically(dir.filePath("new.png"), QByteArray(200, 'p')).isEmpty());
    }
    EXPECT_EQ(readAll(ini), presets);
    EXPECT_EQ(readAll(fountain).size(), 64000);
    EXPECT_EQ(readAll(fountain)[1], '\0');
    EXPECT_FALSE(QFile::exists(dir.filePath("new.png")));
    EXPECT_EQ(readAll(recovery + "/1-1.ini"), sidecar) << "the last good copy stays";
    EXPECT_EQ(readAll(recovery + "/1-1-b.wat").size(), 64000);
    EXPECT_EQ(QDir(recovery).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary file is left";
}

TEST(FileSafety, APipeOrADeviceIsRefusedAtOnceAndOnlyDeadWritersLeftoversGo)
{
    QTemporaryDir dir;
    // A FIFO with no writer would block a plain open for ever.
    const QString fifo = dir.filePath("fifo.wat");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    FountainImage image{};
    const FileResult read = readFountainFile(fifo, image);
    EXPECT_EQ(read.outcome, FileResult::Failed);
    EXPECT_TRUE(read.reason.contains("pipe")) << read.reason.toStdString();
    EXPECT_EQ(readBowlSettings(fifo, image).outcome, FileResult::Failed);
    QString why;
    ProfileFile::read(fifo, &why);
    EXPECT_TRUE(why.contains("pipe"));
    EXPECT_FALSE(writeProfileString(fifo, "K", "k", "v").ok) << "nor is it replaced";
    struct stat info {};
    EXPECT_TRUE(stat(QFile::encodeName(fifo).constData(), &info) == 0 && S_ISFIFO(info.st_mode));
    EXPECT_TRUE(regularFileProblem("/dev/zero").contains("device"));
    EXPECT_FALSE(regularFileProblem(dir.path()).isEmpty());
    EXPECT_FALSE(fountainFileProblem(fifo, nullptr).isEmpty());

    // A file left by a process that is gone goes; one of a live process stays.
    const QString dead = dir.filePath(".v.mp4.2147483646.part");
    const QString live = dir.filePath(QStringLiteral(".v.mp4.%1.part").arg(getpid()));
    writeAll(dead, "x");
    writeAll(live, "x");
    ASSERT_TRUE(QDir(dir.path()).mkpath("snap-2147483646"));
    EXPECT_EQ(removeLeftovers(dir.path(), QRegularExpression("^\\..+\\.mp4\\.(\\d+)\\.part$")), 1);
    EXPECT_EQ(removeLeftovers(dir.path(), QRegularExpression("^snap-(\\d+)$")), 1);
    EXPECT_FALSE(QFile::exists(dead));
    EXPECT_TRUE(QFile::exists(live));
    EXPECT_FALSE(QFile::exists(dir.filePath("snap-2147483646")));
}
