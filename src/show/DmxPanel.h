#pragma once

#include "dmx/DmxSender.h"
#include "model/DmxPatch.h"
#include "model/FountainState.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace pluviane {

class EditorWindow;

// Sends the fountain's levels and colours to DMX through OLA while "DMX" is
// checked. Each show tick publishes the latest frame; the sender's thread
// sends it at a steady pace, so the drawing never stretches the gaps between
// frames. The patch is kept in the settings file.
class DmxPanel : public QWidget {
    Q_OBJECT
public:
    DmxPanel(FountainState& state, EditorWindow& editor);
    ~DmxPanel() override;

    QCheckBox* dmxCheck() const { return dmxCheck_; }
    QSpinBox* universeSpin() const { return universe_; }
    QSpinBox* levelsSpin() const { return levels_; }
    QSpinBox* coloursSpin() const { return colours_; }
    QLabel* stateLabel() const { return stateLabel_; }
    QLineEdit* olaHostEdit() const { return olaHost_; }
    QSpinBox* olaPortSpin() const { return olaPort_; }

    // The patch in use.
    const DmxPatch& patch() const { return patch_; }

    // Keeps the patch in the settings file at `path` from now on and takes the
    // patch from it (the user's own settings file at start).
    void setSettingsPath(const QString& path);

    // Where the OLA daemon listens and how often to try it (the settings
    // file's host and port at start); a running output moves to it at once.
    void setOlaOptions(const DmxSender::Options& options);
    const DmxSender::Options& olaOptions() const { return olaOptions_; }

    // The frame of the fountain goes out now while DMX is on.
    void sendFrame();
    // One show tick: the frame the sender keeps sending is the fountain's now.
    void showTicked();

    void CheckBoxDmxClick();

private:
    QSpinBox* addSpin(QGridLayout* grid, int row, const char* name, const QString& caption,
                      int minimum, int maximum, int value);
    void SpinBoxDmxChange();
    void OlaAddressChange();
    void loadPatch();
    void loadOlaAddress();
    void showOlaAddress();
    void saveValues(const std::initializer_list<std::pair<QString, QString>>& values);
    void tellSettingsFault();
    void showPatch();
    void savePatch();
    void showState();

    FountainState& fountain_;
    EditorWindow& editor_;
    QString settingsPath_;
    DmxPatch patch_;
    QString settingsFault_; // what was wrong with the stored patch, until told
    DmxSender::Options olaOptions_;
    std::unique_ptr<DmxSender> sender_;
    QCheckBox* dmxCheck_ = nullptr;
    QSpinBox* universe_ = nullptr;
    QSpinBox* levels_ = nullptr;
    QSpinBox* colours_ = nullptr;
    QLabel* stateLabel_ = nullptr;
    QLineEdit* olaHost_ = nullptr;
    QSpinBox* olaPort_ = nullptr;
};

// The state label's text; a stalled daemon (connected, taking no frames) is
// told apart from one that cannot be reached.
QString dmxStateText(bool on, bool reached, int universe, bool stalled);

} // namespace pluviane
