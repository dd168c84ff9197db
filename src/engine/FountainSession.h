#pragma once

#include "model/FountainState.h"

#include <QString>

#include <cstddef>
#include <functional>

namespace pluviane {

class SettingControls;

// What reading a fountain file brought, told in the program's own words.
struct FountainOpening {
    enum Outcome { Opened, TooLarge, Failed };
    Outcome outcome = Opened;
    std::size_t length = 0; // bytes the file held
    // A refused or failed read: the caption and text of the message the program shows.
    QString caption;
    QString text;
    // Opened, but the file does not begin as a fountain file: said, and loaded anyway.
    QString headerWarning;
    // Opened: what the status bar tells of the track (damaged, cues past the
    // recorded counts, music missing); empty when all is well.
    QString trackNote;
    int trackOutcome = 0; // a ShowTrackRead::Outcome once applied

    bool ok() const { return outcome == Opened; }
    // The message's text on one line, as a terminal shows it.
    QString oneLine() const;
};

// The one way a fountain file becomes the live fountain, for the program and
// every tool: the file into the save buffer, its settings block to the controls
// (windows or a value store), its model and its show track. A refused or
// failed read changes nothing.
class FountainSession {
public:
    FountainSession(FountainState& state, SettingControls& controls);

    // Run after the model is applied and before the track is taken (the windows
    // refresh their group buttons there).
    void setModelApplied(std::function<void()> applied) { modelApplied_ = std::move(applied); }

    // Reads `name` into the save buffer (a refused or failed read leaves it
    // too); the rest of the live fountain stays as it is until apply().
    FountainOpening read(const QString& name);
    // Makes what `read` brought the live fountain: the settings block when
    // `withSettings` (the bowl's "Load"), the model and the track.
    void apply(FountainOpening& opening, const QString& name, bool withSettings);
    // Both at once.
    FountainOpening open(const QString& name, bool withSettings);

    // Takes the track of a file read into `image` (`length` bytes held) as the
    // live one, its music relative to the file's folder. Returns how the track
    // read (a ShowTrackRead::Outcome); `note` gets what the status bar tells.
    int adoptTrack(const FountainImage& image, std::size_t length, const QString& fileName, QString* note);

private:
    int countBar(std::string_view control) const;

    FountainState& state_;
    SettingControls& controls_;
    std::function<void()> modelApplied_;
};

} // namespace pluviane
