#include "FileTestSupport.h"

#include "app/MainWindow.h"
#include "app/PresetList.h"
#include "editor/RecoveryCopy.h"
#include "model/ProfileFile.h"
#include "model/RecoveryFiles.h"

#include <QScrollBar>
#include <QTemporaryDir>
#include <QThread>

#include <sys/wait.h>
#include <unistd.h>

using namespace pluviane;
using namespace pluviane::test;

namespace {

// A program whose questions the test answers, keeping its copies in a folder of the test's.
struct RecoveringProgram : Program {
    RecoveringProgram() : files(windows->editor().fileCommands())
    {
        auto fake = std::make_unique<FakePrompter>();
        prompter = fake.get();
        files.setPrompter(std::move(fake));
    }
    // A design change: the bowl grows by `step`.
    void change(int step)
    {
        QScrollBar* bowl = windows->editor().findChild<QScrollBar*>("ScrollBarCupWidthX");
        bowl->setValue(bowl->value() + step);
    }
    FileCommands& files;
    FakePrompter* prompter = nullptr;
};

QByteArray bytesOf(const FountainImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

// A copy as a program that has since been killed left it.
void leaveCopy(const QString& id, const FountainImage& image, const QString& fountain)
{
    bool flip = false;
    ASSERT_TRUE(writeRecoveryCopy(recoveryFolder(), id, image, fountain, flip).isEmpty());
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const QString sidecar = recoveryFolder() + "/" + id + ".ini";
    ProfileFile file = ProfileFile::read(sidecar);
    file.setValue("Recovery", "Pid", QString::number(gone));
    ASSERT_TRUE(writeProfile(sidecar, file).ok);
    QThread::msleep(5); // the next copy is younger
}

} // namespace

TEST(Recovery, AtStartCopiesAreOfferedInTurnRestoredByteForByteAndDamagedOnesSetAside)
{
    QTemporaryDir files;
    const QString round = files.filePath("round.wat");
    FountainImage named{};
    FountainImage unnamed{};
    {
        RecoveringProgram killed;
        ASSERT_TRUE(killed.files.SAveFileFontan(round));
        killed.change(7);
        named = killed.files.imageToSave();
        killed.change(3);
        unnamed = killed.files.imageToSave();
    }
    leaveCopy("101-1", named, round);
    leaveCopy("102-1", unnamed, {});
    leaveCopy("103-1", unnamed, {});
    QFile damaged(recoveryFolder() + "/103-1-b.wat");
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    damaged.resize(100);
    damaged.close();

    RecoveringProgram next;
    next.prompter->recoveryAnswers = {RecoveryAnswer::Restore, RecoveryAnswer::Later};
    next.windows->startRecovery();
    ASSERT_EQ(next.prompter->recoveryQuestions.size(), 2);
    EXPECT_TRUE(next.prompter->recoveryQuestions[0].startsWith("Восстановить несохранённые изменения round.wat от "));
    EXPECT_TRUE(next.prompter->recoveryQuestions[1].contains("нового фонтана"));
    ASSERT_EQ(next.prompter->messages.size(), 1u);
    EXPECT_TRUE(next.prompter->messages[0].text.contains("повреждена"));
    EXPECT_EQ(bytesOf(next.files.imageToSave()), bytesOf(named));
    EXPECT_TRUE(next.files.isChanged());
    EXPECT_EQ(next.files.currentFileName(), round);
    EXPECT_FALSE(next.windows->main().presets().timerCreate().isActive())
        << "the start-up preset would load over the restored work";
    // Restored work is this program's to keep; Later keeps the other copy.
    next.files.recovery().waitForWrites();
    EXPECT_TRUE(QFile::exists(recoveryFolder() + "/" + next.files.recovery().id() + ".ini"));
    const std::vector<RecoveryCopyFiles> left = abandonedCopies(recoveryFolder());
    ASSERT_EQ(left.size(), 1u);
    EXPECT_TRUE(left[0].sidecar.endsWith("102-1.ini"));

    // Save writes the fountain's own file, and its copy goes.
    ASSERT_TRUE(next.files.saveFountain());
    EXPECT_EQ(readBytes(round), bytesOf(named));
    next.files.recovery().waitForWrites();
    EXPECT_FALSE(QFile::exists(recoveryFolder() + "/" + next.files.recovery().id() + ".ini"));

    RecoveringProgram third;
    third.prompter->recoveryAnswers = {RecoveryAnswer::Discard};
    third.windows->startRecovery();
    EXPECT_EQ(third.prompter->recoveryQuestions.size(), 1);
    EXPECT_TRUE(abandonedCopies(recoveryFolder()).empty());
    EXPECT_TRUE(third.windows->main().presets().timerCreate().isActive());
}

TEST(Recovery, AFileHeldChangedElsewhereOpensReadOnlyAndASaveOverAnOutsideChangeAsks)
{
    QTemporaryDir files;
    const QString path = files.filePath("a.wat");
    RecoveringProgram p;
    p.files.recovery().start();
    ASSERT_TRUE(p.files.SAveFileFontan(path));
    ASSERT_TRUE(p.files.OpenFontanFile(path));

    // While changed, the file is locked in this program's name and its copy written.
    p.change(5);
    p.files.recovery().look();
    p.files.recovery().waitForWrites();
    const QString lock = fountainLockPath(recoveryFolder(), path);
    EXPECT_TRUE(QFile::exists(lock));
    EXPECT_TRUE(QFile::exists(recoveryFolder() + "/" + p.files.recovery().id() + ".ini"));
    ASSERT_TRUE(p.files.saveFountain());
    p.files.recovery().waitForWrites();
    EXPECT_FALSE(QFile::exists(lock));
    EXPECT_FALSE(QFile::exists(recoveryFolder() + "/" + p.files.recovery().id() + ".ini"));

    // Another running program holds it changed: read-only, so Save asks for a new name.
    ProfileFile held;
    held.setValue("Lock", "File", QFileInfo(path).absoluteFilePath());
    held.setValue("Lock", "Pid", QString::number(::getppid()));
    ASSERT_TRUE(writeProfile(lock, held).ok);
    p.prompter->answers = {true};
    ASSERT_TRUE(p.files.OpenFontanFile(path));
    EXPECT_EQ(p.prompter->questions, 1);
    p.change(5);
    EXPECT_FALSE(p.files.saveFountain());
    EXPECT_EQ(p.prompter->saveAsked, 1);
    const QByteArray before = readBytes(path);

    // Opened for writing after all, a save over the other program's write asks first.
    p.prompter->answers = {false};
    ASSERT_TRUE(p.files.OpenFontanFile(path));
    QFile::remove(lock);
    p.change(5);
    QByteArray outside = before;
    outside[300] = char(outside[300] + 1);
    writeBytes(path, outside);
    p.prompter->answers = {false, true};
    EXPECT_FALSE(p.files.saveFountain());
    EXPECT_EQ(readBytes(path), outside);
    EXPECT_TRUE(p.files.saveFountain());
    EXPECT_NE(readBytes(path), outside);
    EXPECT_EQ(p.prompter->questions, 4);
}
