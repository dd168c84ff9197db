#include "editor/AutomatTab.h"

#include "editor/EditorWindow.h"
#include "show/DmxPanel.h"
#include "show/ExportPanel.h"
#include "show/MusicPanel.h"
#include "show/SequencerPanel.h"

#include <QVBoxLayout>

namespace pluviane {

AutomatTab::AutomatTab(FountainState& state, EditorWindow& editor)
    : QWidget(nullptr), state_(state), editor_(editor)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);
    sequencer_ = new SequencerPanel(state_, editor_);
    export_ = new ExportPanel(state_, editor_);
    music_ = new MusicPanel(state_, editor_);
    dmx_ = new DmxPanel(state_, editor_);
    for (QWidget* panel : {static_cast<QWidget*>(sequencer_), static_cast<QWidget*>(export_),
                           static_cast<QWidget*>(music_), static_cast<QWidget*>(dmx_)})
        layout->addWidget(panel);
    layout->addStretch(1);
    // The video takes the music the player holds.
    export_->setMusicSource([this] { return music_->soundFileName(); });
    // DMX frames keep the show's pace, whatever the drawing does.
    connect(sequencer_, &SequencerPanel::showTicked, dmx_, &DmxPanel::showTicked);
}

} // namespace pluviane
