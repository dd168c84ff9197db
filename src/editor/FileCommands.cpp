#include "editor/FileCommands.h"

#include "app/AppWindows.h"
#include "app/MainWindow.h"
#include "app/WindowPlacement.h"
#include "editor/BowlTab.h"
#include "editor/EditHistory.h"
#include "editor/EditorWindow.h"
#include "editor/FilePrompter.h"
#include "editor/RecentFiles.h"
#include "editor/GroupTab.h"
#include "editor/ManualTab.h"
#include "editor/RecoveryCopy.h"
#include "editor/WindowSettingControls.h"
#include "engine/FountainSession.h"
#include "info/AboutWindow.h"
#include "info/HelpWindow.h"
#include "model/FountainChanges.h"
#include "model/FountainFile.h"
#include "model/Random.h"
#include "model/SaveBuffer.h"
#include "model/SettingsBlock.h"
#include "model/ShowTrack.h"
#include "show/RecorderWindow.h"
#include "show/TimelineWindow.h"
#include "widgets/Controls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace pluviane {

namespace {
QString kTooLargeCaption() { return FileCommands::tr("Сообщение"); }
QString kTooLargeText() { return FileCommands::tr("Ошибка!\r\nФайл большего размера"); }
QString kOverwriteQuestion() { return FileCommands::tr("Файл с таким именем есть. Переписать?"); }

// Where the designer looks from: the history leaves it where it is.
struct Camera {
    double angleY, angleZ, angleX, panX, panY;
};

Camera cameraOf(const FountainState& s) { return {s.ViewAngleY, s.ViewAngleZ, s.ViewAngleX, s.ViewPanX, s.ViewPanY}; }

void putCamera(FountainState& s, const Camera& c)
{
    s.ViewAngleY = c.angleY;
    s.ViewAngleZ = c.angleZ;
    s.ViewAngleX = c.angleX;
    s.ViewPanX = c.panX;
    s.ViewPanY = c.panY;
}
} // namespace

QString captionName(const QString& path) { return QFileInfo(path).fileName(); }

FileCommands::FileCommands(FountainState& state, EditorWindow& editor)
    : QObject(&editor), state_(state), editor_(editor), prompter_(std::make_unique<DialogPrompter>()),
      caption_(editor.windowTitle()),
      controls_(std::make_unique<WindowSettingControls>(editor.windows())),
      session_(std::make_unique<FountainSession>(state, *controls_))
{
    prompter_->setStartFolder([this] { return dialogFolder(); });
    session_->setModelApplied([this] { editor_.UpdateOnlyButtonGroup(); });
    buildToolBar();
    history_ = std::make_unique<EditHistory>(*this, &editor_);
    recovery_ = std::make_unique<RecoveryCopy>(*this);
    connect(editor_.bowlTab().openCupButton(), &QPushButton::clicked, this,
            &FileCommands::SpeedButtonOpenCupClick);
}

FileCommands::~FileCommands() = default;

void FileCommands::setPrompter(std::unique_ptr<FilePrompter> prompter)
{
    if (prompter)
        prompter_ = std::move(prompter);
    prompter_->setStartFolder([this] { return dialogFolder(); });
}

QString FileCommands::dialogFolder() const
{
    if (!currentFileName_.isEmpty())
        return QFileInfo(currentFileName_).absolutePath();
    if (!lastFolder_.isEmpty() && QFileInfo(lastFolder_).isDir())
        return lastFolder_;
    return QDir::homePath();
}

void FileCommands::rememberDialogChoice(const QString& path)
{
    if (!path.isEmpty())
        lastFolder_ = QFileInfo(path).absolutePath();
}

bool FileCommands::openRecent(const QString& path)
{
    if (!mayLeaveFountain(&editor_))
        return false;
    if (!QFileInfo(path).isFile()) {
        showFileError(&editor_, path, tr("файла больше нет"));
        recent_->remove(path);
        return false;
    }
    rememberDialogChoice(path);
    if (!openChosenFountain(path))
        return false;
    recent_->add(path);
    return true;
}

QToolButton* FileCommands::addButton(const char* name, int icon, const QString& hint,
                                     void (FileCommands::*click)())
{
    QToolBar* bar = editor_.toolBar();
    auto* button = new QToolButton(bar);
    nameCaptioned(button, QString::fromLatin1(name));
    button->setIcon(bar->style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)));
    button->setAutoRaise(true);
    // Ten buttons and two separators share a window 220 pixels wide, its frame included.
    button->setFixedSize(18, 22);
    button->setIconSize(QSize(16, 16));
    if (!hint.isEmpty())
        button->setToolTip(hint);
    if (click)
        connect(button, &QToolButton::clicked, this, click);
    bar->addWidget(button);
    return button;
}

void FileCommands::buildToolBar()
{
    addButton("SpeedButtonNew", QStyle::SP_FileIcon, tr("Новый файл"),
              &FileCommands::SpeedButtonNewClick);
    addButton("SpeedButtonOpenFontan", QStyle::SP_DialogOpenButton, tr("Открыть файл"),
              &FileCommands::SpeedButtonOpenFontanClick);
    saveAs_ = addButton("SpeedButtonSaveAsFontan", QStyle::SP_DriveFDIcon,
                        tr("Записать файл как"), &FileCommands::SpeedButtonSaveAsFontanClick);
    save_ = addButton("SpeedButtonSaveFontan", QStyle::SP_DialogSaveButton,
                      tr("Сохранить файл"), &FileCommands::SpeedButtonSaveFontanClick);
    undo_ = addButton("SpeedButtonUndo", QStyle::SP_ArrowBack, {}, &FileCommands::SpeedButtonUndoClick);
    undo_->setEnabled(false);
    editor_.toolBar()->addSeparator();
    addButton("SpeedButtonHelp", QStyle::SP_MessageBoxQuestion, {}, &FileCommands::SpeedButtonHelpClick);
    addButton("SpeedButtonAbout", QStyle::SP_MessageBoxInformation, tr("О программе"),
              &FileCommands::SpeedButtonAboutClick);
    editor_.toolBar()->addSeparator();
    addButton("SpeedButtonShowRec", QStyle::SP_FileDialogDetailedView,
              tr("Показать окно записи "), &FileCommands::SpeedButtonShowRecClick);
    addButton("SpeedButtonShowTimeline", QStyle::SP_MediaVolume, tr("Показать партитуру шоу"),
              &FileCommands::SpeedButtonShowTimelineClick);
    // Last, so the tool bar keeps the order every designer already knows.
    QToolButton* recent = addButton("SpeedButtonRecent", QStyle::SP_FileDialogContentsView,
                                    tr("Недавние файлы"), nullptr);
    recent_ = new RecentFiles(recent, this);
    connect(recent_, &RecentFiles::chosen, this, &FileCommands::openRecent);
}

QWidget* FileCommands::mainWindow() { return &editor_.windows().main(); }

void FileCommands::ToBufCup()
{
    WindowSettingControls controls(editor_.windows());
    pluviane::ToBufCup(state_, controls, state_.SaveBuffer);
}

void FileCommands::FromBufCup()
{
    WindowSettingControls controls(editor_.windows());
    pluviane::FromBufCup(state_.SaveBuffer, state_, controls);
}

void FileCommands::showFileError(QWidget* owner, const QString& name, const QString& reason)
{
    prompter_->showMessage(owner, tr("Ошибка"),
                           tr("Файл ") + QDir::toNativeSeparators(name) +
                               QStringLiteral("\r\n") + reason);
}

void FileCommands::showTooLarge(QWidget* owner)
{
    prompter_->showMessage(owner, kTooLargeCaption(), kTooLargeText());
}

void FileCommands::adoptFileName(const QString& name)
{
    currentFileName_ = name;
    setCaption(captionName(name));
}

void FileCommands::setCaption(const QString& caption)
{
    caption_ = caption;
    refreshCaption();
}

void FileCommands::refreshCaption()
{
    if (unchanged_)
        refreshCaption(imageToSave());
    else
        editor_.setWindowTitle(caption_);
}

void FileCommands::refreshCaption(const FountainImage& now)
{
    const bool changed = unchanged_ && designDiffers(*unchanged_, now);
    editor_.setWindowTitle(changed ? caption_ + QLatin1Char('*') : caption_);
}

FountainImage FileCommands::imageToSave() { return imageToSave(currentFileName_, nullptr); }

FountainImage FileCommands::imageToSave(const QString& name, bool* trackFits)
{
    FountainImage image = state_.SaveBuffer;
    WindowSettingControls controls(editor_.windows());
    // Encoding turns a negative live angle positive; a mere look at what a
    // save would write leaves the view as it is.
    const Camera camera = cameraOf(state_);
    pluviane::ToBufCup(state_, controls, image);
    putCamera(state_, camera);
    ToBufSave(state_, image);
    ShowTrack kept = state_.Track;
    kept.musicName = trackMusicName(kept.musicName, QFileInfo(name).absolutePath());
    const bool fits = storeShowTrack(kept, image);
    if (trackFits != nullptr)
        *trackFits = fits;
    return image;
}

bool FileCommands::isChanged() { return unchanged_ && designDiffers(*unchanged_, imageToSave()); }

bool FileCommands::isChanged(const FountainImage& now) const { return unchanged_ && designDiffers(*unchanged_, now); }

void FileCommands::startFresh()
{
    takeAsUnchanged();
    history_->restart();
}

void FileCommands::takeAsUnchanged()
{
    unchanged_ = std::make_unique<FountainImage>(imageToSave());
    refreshCaption(*unchanged_);
    recovery_->settle();
}

bool FileCommands::mayLeaveFountain(QWidget* owner)
{
    // Told to stop, the program keeps the work in its recovery copy instead of asking.
    if (recovery_->leavesWithoutQuestion())
        return true;
    // A second way out while the question stands waits for its answer.
    if (asking_)
        return false;
    if (!isChanged())
        return true;
    const QString text = currentFileName_.isEmpty()
                             ? tr("Сохранить изменения?")
                             : tr("Сохранить изменения в файле ") + captionName(currentFileName_) +
                                   QLatin1Char('?');
    asking_ = true;
    const SaveAnswer answer = prompter_->askSaveChanges(owner, text);
    asking_ = false;
    // A stop signal during the question has kept the work and closed the program.
    if (answer == SaveAnswer::Cancel || recovery_->leavesWithoutQuestion())
        return false;
    return answer == SaveAnswer::No || saveFountain();
}

void FileCommands::stopShow()
{
    pressStopButton("SpeedButtonStopForm");
    pressStopButton("SpeedButtonStopColor");
}

// Reads the file into the save buffer and applies it. A refused or failed read
// stops here: the model, the current file name and the caption stay as they
// were, so unsaved edits survive and a later Save cannot hit the wrong file.
bool FileCommands::loadFountain(const QString& name, QWidget* messageOwner)
{
    const bool readOnly = recovery_->asksReadOnly(name, messageOwner);
    FountainOpening opening = session_->read(name);
    if (!opening.ok()) {
        prompter_->showMessage(messageOwner, opening.caption, opening.text);
        return false;
    }
    // The show of the fountain that goes must not drive the one that comes.
    stopShow();
    auto* loadCup = editor_.findChild<QCheckBox*>(QStringLiteral("CheckBoxLoadCup"));
    session_->apply(opening, name, loadCup == nullptr || loadCup->isChecked());
    if (auto* noName = editor_.findChild<QCheckBox*>(QStringLiteral("CheckBoxNoName")))
        noName->setChecked(false);
    tellTrack(opening.trackNote);
    // The name first: the track's music is kept relative to the file's folder.
    adoptFileName(name);
    recovery_->noteFileOnDisk(name);
    recovery_->setReadOnlyFile(readOnly ? name : QString());
    takeAsUnchanged();
    history_->restart();
    // Save asks before writing over a file that does not begin as the program's own.
    foreignFileName_ = opening.headerWarning.isEmpty() ? QString() : name;
    if (!opening.headerWarning.isEmpty())
        prompter_->showMessage(messageOwner, tr("Предупреждение"), opening.headerWarning);
    return true;
}

void FileCommands::tellStatus(const QString& text) { editor_.tell(text); }

void FileCommands::tellTrack(const QString& note)
{
    if (!note.isEmpty())
        tellStatus(note);
    emit trackAdopted();
}

int FileCommands::adoptTrack(const FountainImage& image, std::size_t length, const QString& fileName)
{
    QString note;
    const int outcome = session_->adoptTrack(image, length, fileName, &note);
    tellTrack(note);
    return outcome;
}

void FileCommands::applyModel(const FountainImage& image)
{
    FromBufSave(image, state_);
    editor_.UpdateOnlyButtonGroup();
}

void FileCommands::applySnapshot(const FountainImage& image)
{
    const FountainImage now = imageToSave();
    FountainImage design = image;
    takeLiveBytes(design, now);
    const Camera camera = cameraOf(state_);
    WindowSettingControls controls(editor_.windows());
    applyChangedSettings(now, design, state_, controls);
    putCamera(state_, camera);
    applyModel(design);
    if (!std::equal(design.begin() + kShowTrackOffset, design.end(), now.begin() + kShowTrackOffset)) {
        QString note;
        session_->adoptTrack(design, kFountainFileSize, currentFileName_, &note);
        if (!note.isEmpty())
            tellStatus(note);
        emit trackRestored();
    }
    editor_.windows().main().showNozzleCount();
}

QString FileCommands::chooseFountainToOpen()
{
    const QString name = prompter_->chooseFountainToOpen(&editor_);
    if (!name.isEmpty())
        openDialogFileName_ = name;
    rememberDialogChoice(name);
    return name;
}

void FileCommands::SpeedButtonOpenFontanClick()
{
    if (!mayLeaveFountain(&editor_))
        return;
    const QString name = chooseFountainToOpen();
    if (name.isEmpty())
        return;
    if (openChosenFountain(name))
        recent_->add(name);
}

bool FileCommands::openFountainNamedOutside(const QString& name)
{
    if (!mayLeaveFountain(&editor_))
        return false;
    if (auto* loadCup = editor_.findChild<QCheckBox*>(QStringLiteral("CheckBoxLoadCup")))
        loadCup->setChecked(true);
    return openChosenFountain(name);
}

bool FileCommands::openChosenFountain(const QString& name)
{
    saveAs_->setEnabled(true);
    save_->setEnabled(true);
    undo_->setEnabled(true);
    if (!loadFountain(name, &editor_))
        return false;
    editor_.windows().main().showNozzleCount();
    return true;
}

bool FileCommands::OpenFontanFile(const QString& name)
{
    if (name.isEmpty() || !QFileInfo::exists(name))
        return false;
    return loadFountain(name, mainWindow());
}

bool FileCommands::SAveFileFontan(const QString& name)
{
    // A save turns negative live angles positive, as their bytes will say.
    for (double* angle : {&state_.ViewAngleY, &state_.ViewAngleZ, &state_.ViewAngleX})
        encodeAngle(*angle);
    bool trackFits = true;
    const FountainImage image = imageToSave(name, &trackFits);
    if (!trackFits) {
        showFileError(&editor_, name, tr("Партитура шоу не помещается в файл"));
        return false;
    }
    if (!recovery_->mayWriteOver(name, &editor_))
        return false;
    // The undo store takes the image only once it is on disk: after a failed
    // write, undo still goes back to what the file holds.
    const FileResult written = writeFountainFile(name, image);
    if (!written.ok()) {
        showFileError(&editor_, name, written.reason);
        return false;
    }
    recovery_->noteFileOnDisk(name);
    state_.SaveBuffer = image;
    if (name == foreignFileName_)
        foreignFileName_.clear();
    takeAsUnchanged();
    setCaption(QStringLiteral(" Save file ") + captionName(name));
    return true;
}

void FileCommands::SpeedButtonSaveFontanClick() { saveFountain(); }

bool FileCommands::saveFountain()
{
    // With nothing to save over, Save asks for a name instead of doing nothing.
    // A file opened read-only is never written over by Save either.
    if (currentFileName_.isEmpty() || !QFileInfo::exists(currentFileName_)
        || recovery_->isReadOnly(currentFileName_))
        return saveFountainAs();
    if (currentFileName_ == foreignFileName_ &&
        !prompter_->askYesNo(&editor_, tr("Файл %1 начинается не как файл фонтана. Записать фонтан поверх него?")
                                           .arg(captionName(currentFileName_))))
        return false;
    return SAveFileFontan(currentFileName_);
}

void FileCommands::SpeedButtonSaveAsFontanClick() { saveFountainAs(); }

bool FileCommands::saveFountainAs()
{
    const QString name = prompter_->chooseFountainToSave(&editor_, currentFileName_);
    if (name.isEmpty())
        return false;
    rememberDialogChoice(name);
    // A refused overwrite or a failed write keeps the previous name, so Save
    // never writes over a file the user did not agree to replace.
    if (QFileInfo::exists(name) && !prompter_->askYesNo(&editor_, kOverwriteQuestion()))
        return false;
    if (!SAveFileFontan(name))
        return false;
    adoptFileName(name);
    recovery_->setReadOnlyFile({});
    recent_->add(name);
    return true;
}

void FileCommands::adoptRecovered(const FountainImage& image, const QString& fileName)
{
    stopShow();
    // The copy is applied whole (the bowl too) and becomes the undo store, so
    // a save writes it back byte for byte.
    state_.SaveBuffer = image;
    FromBufCup();
    applyModel(state_.SaveBuffer);
    if (auto* noName = editor_.findChild<QCheckBox*>(QStringLiteral("CheckBoxNoName")))
        noName->setChecked(false);
    adoptTrack(state_.SaveBuffer, kFountainFileSize, fileName);
    adoptFileName(fileName);
    // Measured against the file as it stands, the work shows as changed.
    FountainImage onDisk = image;
    if (!fileName.isEmpty() && readFountainFile(fileName, onDisk).ok()) {
        unchanged_ = std::make_unique<FountainImage>(onDisk);
        recovery_->noteFileOnDisk(fileName);
    }
    refreshCaption();
    history_->restart();
    editor_.windows().main().showNozzleCount();
}

void FileCommands::SpeedButtonUndoClick()
{
    FromBufSave(state_.SaveBuffer, state_);
    adoptTrack(state_.SaveBuffer, kFountainFileSize, currentFileName_);
}

void FileCommands::SpeedButtonOpenCupClick()
{
    // The bowl load also puts the model back to the last file read or written,
    // so unsaved edits are asked about as before any other load.
    if (!mayLeaveFountain(&editor_))
        return;
    const QString name = chooseFountainToOpen();
    if (name.isEmpty())
        return;
    const FileResult read = readBowlSettings(name, state_.SaveBuffer);
    if (!read.ok()) {
        showFileError(&editor_, name, read.reason);
        return;
    }
    FromBufCup();
    FromBufSave(state_.SaveBuffer, state_);
    editor_.UpdateOnlyButtonGroup();
}

void FileCommands::pressStopButton(const char* name)
{
    auto* button = editor_.findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (button == nullptr)
        return;
    if (button->isCheckable())
        button->setChecked(true);
    else
        button->click();
}

void FileCommands::SpeedButtonNewClick()
{
    if (!mayLeaveFountain(&editor_))
        return;
    auto* cupZero = editor_.findChild<QCheckBox*>(QStringLiteral("CheckBoxCupZero"));
    if (cupZero != nullptr && cupZero->isChecked()) {
        state_.ViewAngleY = 90;
        state_.ViewAngleZ = 0;
        state_.DragPan = false;
        state_.DragRotate = false;
        state_.ViewPanX = 0;
        state_.ViewPanY = -12.0;
    }
    stopShow();
    // The caption keeps the name, but the new fountain has none: its first
    // Save asks for one, so no other fountain is written over.
    setCaption(captionName(currentFileName_));
    currentFileName_.clear();
    editor_.manualTab().saturationBar()->setValue(160);
    editor_.manualTab().SpeedButtonAlMaxClick();
    editor_.manualTab().SpeedButtonAllWhiteClick();
    editor_.bowlTab().spinBar()->setValue(50);
    editor_.groupTab().groupNumberBar()->setValue(1);
    editor_.groupTab().startBar()->setValue(16);
    resetToNewFountain(state_, processRandom());
    editor_.UpdateOnlyButtonGroup();
    takeAsUnchanged();
}

void FileCommands::SpeedButtonHelpClick()
{
    showOnWorkArea(editor_.windows().help());
}

void FileCommands::SpeedButtonAboutClick()
{
    AboutWindow& about = editor_.windows().about();
    // Shown first: the frame's size is known only once the window has one.
    about.show();
    QRect frame = about.frameGeometry();
    frame.moveCenter(workArea().center());
    about.move(keptInside(frame, workArea()).topLeft());
    about.raise();
}

void FileCommands::SpeedButtonShowTimelineClick()
{
    TimelineWindow& timeline = editor_.windows().timeline();
    MainWindow& main = editor_.windows().main();
    // Docked along the foot of the view; without the view on screen, a window of its own.
    if (main.isVisible() || main.dock() != nullptr) {
        main.showDocked(timeline);
        return;
    }
    // It first opens along the foot of the view; after that where the user left it.
    if (!timelinePlaced_) {
        timelinePlaced_ = true;
        editor_.windows().main().placeAtFootOfView(timeline, 280);
    }
    showOnWorkArea(timeline);
}

void FileCommands::SpeedButtonShowRecClick()
{
    showOnWorkArea(editor_.windows().recorder());
}

} // namespace pluviane
