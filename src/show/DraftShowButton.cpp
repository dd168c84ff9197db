#include "show/DraftShowButton.h"

#include "app/AppWindows.h"
#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/FilePrompter.h"
#include "show/DraftShowDialog.h"
#include "show/MusicPanel.h"
#include "show/RecorderWindow.h"
#include "show/TimelineView.h"
#include "show/TimelineWindow.h"
#include "widgets/Controls.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>

#include <QCoreApplication>

#include <algorithm>

namespace pluviane {

namespace {
QString kCaption() { return QCoreApplication::translate("pluviane::DraftShowButton", "Черновик по музыке"); }
}

QToolButton* addDraftShowButton(TimelineWindow& timeline, FountainState& state, AppWindows& windows)
{
    QToolButton* button = makeIconButton(&timeline, QStringLiteral("SpeedButtonDraftShow"), QStyle::SP_MediaVolume,
                                         QCoreApplication::translate("pluviane::DraftShowButton",
                                                                     "Расставить формы и сцены по музыке: удары, громкость, фразы"));
    button->setText(kCaption());
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    nameCaptioned(button, QStringLiteral("SpeedButtonDraftShow"));
    QObject::connect(button, &QToolButton::clicked, &timeline,
                     [&timeline, &state, &windows] { SpeedButtonDraftShowClick(timeline, state, windows); });
    timeline.addToolButton(button);
    // How often the draft's forms change; the order is DraftDensity's.
    auto* density = new QComboBox(&timeline);
    density->addItems({QCoreApplication::translate("pluviane::DraftShowButton", "реже"),
                       QCoreApplication::translate("pluviane::DraftShowButton", "обычно"),
                       QCoreApplication::translate("pluviane::DraftShowButton", "чаще")});
    density->setCurrentIndex(int(DraftDensity::Medium));
    density->setToolTip(QCoreApplication::translate("pluviane::DraftShowButton",
                                                    "Как часто черновик меняет формы"));
    nameUncaptioned(density, QStringLiteral("ComboBoxDraftDensity"));
    timeline.toolRow()->insertWidget(timeline.toolRow()->indexOf(button) + 1, density);
    return button;
}

void SpeedButtonDraftShowClick(TimelineWindow& timeline, FountainState& state, AppWindows& windows)
{
    FilePrompter& prompter = windows.editor().fileCommands().prompter();
    const QString music = windows.editor().automatTab().music().soundFileName();
    if (music.isEmpty()) {
        prompter.showMessage(&timeline, kCaption(), QCoreApplication::translate("pluviane::DraftShowButton",
                                                                                "Сначала загрузите музыку."));
        return;
    }
    if (!state.Track.cues.empty()
        && !prompter.askYesNo(&timeline, QCoreApplication::translate("pluviane::DraftShowButton",
                                                                     "В партитуре уже есть метки.\r\nЗаменить их черновиком по музыке?")))
        return;
    RecorderWindow& recorder = windows.recorder();
    const auto* density = timeline.findChild<QComboBox*>(QStringLiteral("ComboBoxDraftDensity"));
    const std::optional<MusicFileDraft> made =
        draftWithProgress(&timeline, music, state, recorder.formCountBar()->value(), recorder.sceneCountBar()->value(),
                          density ? DraftDensity(std::clamp(density->currentIndex(), 0, 2)) : DraftDensity::Medium);
    if (!made)
        return;
    if (!made->ok()) {
        prompter.showMessage(&timeline, kCaption(), describeDraft(*made));
        return;
    }
    applyDraftRows(made->draft, state);
    recorder.formCountBar()->setValue(made->draft.formCount);
    recorder.sceneCountBar()->setValue(made->draft.sceneCount);
    state.Track.cues = made->draft.track.cues;
    state.Track.musicName = QFileInfo(music).absoluteFilePath();
    timeline.view().trackChanged();
    timeline.refresh();
    timeline.showTempo(made->music.beatsFound ? made->music.tempo : 0);
    // A draft that could not follow the music says so in a box; else the status bar tells.
    const QString told = describeDraft(*made);
    if (made->draft.defaultTempo || made->draft.outOfRows)
        prompter.showMessage(&timeline, kCaption(), told);
    windows.editor().tell(QString(told).replace(QStringLiteral("\r\n"), QStringLiteral("  ")));
}

} // namespace pluviane
