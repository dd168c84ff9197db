#include "app/AppWindows.h"

#include "app/MainWindow.h"
#include "app/PresetList.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/RecoveryCopy.h"
#include "info/AboutWindow.h"
#include "info/HelpWindow.h"
#include "show/DraftShowButton.h"
#include "show/RecorderWindow.h"
#include "show/TimelineWindow.h"

#include <QCoreApplication>

namespace pluviane {

AppWindows::AppWindows(FountainState& state) : state_(state)
{
    main_ = std::make_unique<MainWindow>(state, *this);
    editor_ = std::make_unique<EditorWindow>(state, *this);
    about_ = std::make_unique<AboutWindow>(*this);
    recorder_ = std::make_unique<RecorderWindow>(state, *this);
    help_ = std::make_unique<HelpWindow>(*this);
    timeline_ = std::make_unique<TimelineWindow>(state, *this);
    addDraftShowButton(*timeline_, state, *this);
    editor_->fileCommands().startFresh();
}

bool AppWindows::openFountainGivenAtStart(const QString& name)
{
    main_->presets().timerCreate().stop();
    return editor_->fileCommands().openFountainNamedOutside(name);
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
    main_.reset();
    help_.reset();
    timeline_.reset();
    recorder_.reset();
    about_.reset();
    editor_.reset();
}

} // namespace pluviane
