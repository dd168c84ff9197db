#include "app/AppWindows.h"

#include "app/MainWindow.h"
#include "app/PresetList.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/RecoveryCopy.h"
#include "editor/RecentFiles.h"
#include "engine/ShowEngine.h"
#include "info/AboutWindow.h"
#include "info/HelpWindow.h"
#include "show/DraftShowButton.h"
#include "show/RecorderWindow.h"
#include "show/TimelineWindow.h"
#include "show/WindowShowControls.h"

#include <QCoreApplication>
#include <QAction>
#include <QKeySequence>

#include <functional>

namespace pluviane {

const QKeySequence kShowEditorKeys(Qt::CTRL | Qt::Key_E);

AppWindows::AppWindows(FountainState& state)
    : state_(state), showControls_(std::make_unique<WindowShowControls>(*this)),
      show_(std::make_unique<ShowEngine>(state, *showControls_))
{
    main_ = std::make_unique<MainWindow>(state, *this);
    editor_ = std::make_unique<EditorWindow>(state, *this);
    about_ = std::make_unique<AboutWindow>(*this);
    recorder_ = std::make_unique<RecorderWindow>(state, *this);
    help_ = std::make_unique<HelpWindow>(*this);
    timeline_ = std::make_unique<TimelineWindow>(state, *this);
    addDraftShowButton(*timeline_, state, *this);
    editor_->fileCommands().startFresh();
    addShortcuts();
}

bool AppWindows::openFountainGivenAtStart(const QString& name)
{
    main_->presets().timerCreate().stop();
    FileCommands& files = editor_->fileCommands();
    if (!files.openFountainNamedOutside(name))
        return false;
    files.recentFiles().add(name);
    return true;
}

void AppWindows::showEditor()
{
    editor_->showNormal();
    editor_->raise();
    editor_->activateWindow();
}

void AppWindows::addShortcuts()
{
    FileCommands& files = editor_->fileCommands();
    const struct {
        const char* name;
        QKeySequence keys;
        std::function<void()> run;
    } shortcuts[] = {
        // Each key runs its button's own command, with the same questions.
        {"ActionNew", QKeySequence::New, [&files] { files.SpeedButtonNewClick(); }},
        {"ActionOpen", QKeySequence::Open, [&files] { files.SpeedButtonOpenFontanClick(); }},
        {"ActionSave", QKeySequence::Save, [&files] { files.SpeedButtonSaveFontanClick(); }},
        {"ActionSaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [&files] { files.SpeedButtonSaveAsFontanClick(); }},
        {"ActionHelp", QKeySequence::HelpContents, [&files] { files.SpeedButtonHelpClick(); }},
        {"ActionShowEditor", kShowEditorKeys, [this] { showEditor(); }},
    };
    for (const auto& s : shortcuts) {
        auto* action = new QAction(editor_.get());
        action->setObjectName(QString::fromLatin1(s.name));
        action->setShortcut(s.keys);
        // Per window, so that each window's keys never clash with another set's.
        action->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(action, &QAction::triggered, editor_.get(), s.run);
        for (QWidget* window : std::initializer_list<QWidget*>{main_.get(), editor_.get(), recorder_.get(),
                                                               timeline_.get(), help_.get()})
            window->addAction(action);
    }
}

void AppWindows::startRecovery()
{
    RecoveryCopy& recovery = editor_->fileCommands().recovery();
    recovery.start();
    // The start-up preset must not load while the question stands, nor after a restore.
    QTimer& preset = main_->presets().timerCreate();
    const bool presetWaits = preset.isActive();
    preset.stop();
    if (!recovery.offerAbandonedCopies(main_.get()) && presetWaits)
        preset.start();
}

void AppWindows::stopKeepingWork()
{
    editor_->fileCommands().recovery().keepForNextStart();
    main_->close();
    // A close already under way (its question open) ignores a second one;
    // leaving every event loop ends the question too.
    QCoreApplication::exit(0);
}

AppWindows::~AppWindows()
{
    // The main window goes first: it stops the render tick that reads the editor.
    // A docked show track is the program's own, not the dock's to delete.
    timeline_->setParent(nullptr);
    main_.reset();
    help_.reset();
    timeline_.reset();
    recorder_.reset();
    about_.reset();
    editor_.reset();
}

} // namespace pluviane
