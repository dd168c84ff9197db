#pragma once

#include "music/ShowDraft.h"

#include <QString>

#include <optional>

class QWidget;

namespace pluviane {

// Drafts a show for `musicPath` on a worker thread, from a copy of the
// fountain, while a progress dialog with a cancel button keeps the window
// alive. Nothing when the user cancelled.
std::optional<MusicFileDraft> draftWithProgress(QWidget* parent, const QString& musicPath, const FountainState& state,
                                                int formCount, int sceneCount,
                                                DraftDensity density = DraftDensity::Medium);

// What the designer is told after a draft: tempo, cues, rows the draft
// recorded, and why it looks as it does; or why there is no draft.
QString describeDraft(const MusicFileDraft& made);

} // namespace pluviane
