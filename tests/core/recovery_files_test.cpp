#include "model/ProfileFile.h"
#include "model/RecoveryFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace pluviane;

namespace {

// The id of a process that has ended.
qint64 deadPid()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

// Makes a copy written here look written by `pid`.
void claimFor(const QString& sidecar, qint64 pid)
{
    ProfileFile file = ProfileFile::read(sidecar);
    file.setValue("Recovery", "Pid", QString::number(pid));
    ASSERT_TRUE(writeProfile(sidecar, file).ok);
}

} // namespace

TEST(RecoveryFiles, ACopyIsOfferedOnlyOnceItsWriterIsGoneAndOnlyWhole)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("state/pluviane/recovery");
    FountainImage image{};
    image[0] = 15;
    image[63999] = 9;
    bool flip = false;
    ASSERT_TRUE(writeRecoveryCopy(folder, "7-1", image, "/home/a/round.wat", flip).isEmpty());
    image[5] = 1;
    ASSERT_TRUE(writeRecoveryCopy(folder, "7-1", image, "/home/a/round.wat", flip).isEmpty());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2) << "one sidecar, one image";
    EXPECT_TRUE(abandonedCopies(folder).empty()) << "this program is running";

    claimFor(QDir(folder).filePath("7-1.ini"), deadPid());
    // A write cut off before its sidecar: an image the sidecar does not name.
    QFile::copy(QDir(folder).filePath(flip ? "7-1-b.wat" : "7-1-a.wat"),
                QDir(folder).filePath(flip ? "7-1-a.wat" : "7-1-b.wat"));
    std::vector<RecoveryCopyFiles> copies = abandonedCopies(folder);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].fountainFile, "/home/a/round.wat");
    EXPECT_LT(copies[0].time.secsTo(QDateTime::currentDateTimeUtc()), 60);
    QString why;
    const std::optional<FountainImage> read = readRecoveryCopy(copies[0], &why);
    ASSERT_TRUE(read.has_value()) << why.toStdString();
    EXPECT_EQ(*read, image);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2) << "the unfinished image went";

    // One byte changed or a short image: refused, and set aside whole.
    for (const QByteArray& damage : {QByteArray(1, 'x'), QByteArray()}) {
        ASSERT_TRUE(writeRecoveryCopy(folder, "7-1", image, {}, flip).isEmpty());
        claimFor(QDir(folder).filePath("7-1.ini"), deadPid());
        copies = abandonedCopies(folder);
        ASSERT_EQ(copies.size(), 1u);
        QFile file(copies[0].image);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        if (damage.isEmpty())
            file.resize(30000);
        else
            file.write(damage);
        file.close();
        EXPECT_FALSE(readRecoveryCopy(copies[0], &why).has_value());
        const QString aside = setAsideCopy(folder, copies[0]);
        EXPECT_TRUE(abandonedCopies(folder).empty());
        EXPECT_TRUE(QFile::exists(aside + "/7-1.ini"));
    }
}

TEST(RecoveryFiles, AFountainLockCountsOnlyWhileAnotherProgramRuns)
{
    QTemporaryDir dir;
    const QString fountain = dir.filePath("round.wat");
    ASSERT_TRUE(writeFountainLock(dir.path(), fountain).isEmpty());
    EXPECT_FALSE(fountainHolder(dir.path(), fountain)) << "our own lock";

    const QString lock = fountainLockPath(dir.path(), fountain);
    ProfileFile file = ProfileFile::read(lock);
    file.setValue("Lock", "Pid", QString::number(::getppid()));
    file.setValue("Lock", "Started", "0");
    ASSERT_TRUE(writeProfile(lock, file).ok);
    const std::optional<ProcessMark> holder = fountainHolder(dir.path(), fountain);
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->pid, ::getppid());
    EXPECT_FALSE(fountainHolder(dir.path(), dir.filePath("other.wat")));
    removeFountainLock(dir.path(), fountain);
    EXPECT_TRUE(QFile::exists(lock)) << "another program's lock stays";

    file.setValue("Lock", "Pid", QString::number(deadPid()));
    ASSERT_TRUE(writeProfile(lock, file).ok);
    EXPECT_FALSE(fountainHolder(dir.path(), fountain));
    EXPECT_FALSE(QFile::exists(lock)) << "a dead program's lock is cleared";
}

TEST(RecoveryFiles, TwoProgramsStoringDifferentSlotsKeepBoth)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("pluviane/plv.ini");
    constexpr int kStores = 60;
    // Each process stores its own slot over and over, as two programs would.
    const auto store = [&ini](const char* key) {
        for (int i = 1; i <= kStores; ++i)
            if (!writeProfileString(ini, "Konveir", key, QString::number(i)).ok)
                return false;
        return true;
    };
    const pid_t other = ::fork();
    if (other == 0)
        ::_exit(store("File2_c") ? 0 : 1);
    EXPECT_TRUE(store("File1_c"));
    int status = -1;
    ::waitpid(other, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(readProfileString(ini, "Konveir", "File1_c", {}), QString::number(kStores));
    EXPECT_EQ(readProfileString(ini, "Konveir", "File2_c", {}), QString::number(kStores));
}
