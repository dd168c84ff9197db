#pragma once

#include "model/FountainState.h"

#include <QWidget>

namespace pluviane {

class EditorWindow;
class SequencerPanel;
class ExportPanel;
class MusicPanel;
class DmxPanel;

// The show tab: the sequencers, the video export, the music player and the DMX output.
class AutomatTab : public QWidget {
    Q_OBJECT
public:
    AutomatTab(FountainState& state, EditorWindow& editor);

    SequencerPanel& sequencer() { return *sequencer_; }
    ExportPanel& exportPanel() { return *export_; }
    MusicPanel& music() { return *music_; }
    DmxPanel& dmx() { return *dmx_; }

private:
    FountainState& state_;
    EditorWindow& editor_;
    SequencerPanel* sequencer_ = nullptr;
    ExportPanel* export_ = nullptr;
    MusicPanel* music_ = nullptr;
    DmxPanel* dmx_ = nullptr;
};

} // namespace pluviane
