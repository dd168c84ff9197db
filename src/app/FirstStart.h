#pragma once

#include <QString>

namespace pluviane {

// The example fountains the first start puts on the first preset buttons.
struct FirstStartPlaces {
    QString settings;     // the settings file
    QString examplesFrom; // the examples the program came with
    QString examplesTo;   // the user's own copies
};

// Where they lie for this program: the settings file of settingsFilePath(),
// the examples installed beside the program (../share/pluviane/examples) or
// built with it (examples/ in the build folder), and the copies in
// $XDG_DATA_HOME/pluviane/examples.
FirstStartPlaces firstStartPlaces();

// On the very first start (no settings file at all) copies the examples to
// the user's folder and writes a settings file that puts them on the first
// three preset buttons and loads the classic round fountain at start. The
// presets name the copies, so recording a slot with its file can never
// change the examples the program came with. An existing settings file, and
// an existing copy, is never touched. Empty when done or nothing was to be
// done, else why not.
QString prepareFirstStart(const FirstStartPlaces& places);

} // namespace pluviane
