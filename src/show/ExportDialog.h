#pragma once

#include "render/SceneSettings.h"

#include <QDialog>
#include <QSize>
#include <QString>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QRadioButton;

namespace pluviane {

// What a video of the show is made of: its length (the whole show, or from
// one moment to another), its size, its look and its camera.
struct ExportChoice {
    bool whole = true;
    double from = 0; // seconds, when not whole
    double to = 30;
    QSize size{1280, 720};
    Look look = Look::Classic;
    bool fitView = false; // the whole bowl in the picture instead of the file's view
};

// The sizes offered: 720p, 1080p and a square one.
struct VideoSize {
    const char* key;
    QSize size;
};
inline constexpr VideoSize kVideoSizes[] = {
    {"720p", {1280, 720}}, {"1080p", {1920, 1080}}, {"square", {1080, 1080}}};

// "m:ss" of a number of seconds.
QString minutesAndSeconds(double seconds);

// The last choice, kept in section [Video] of the settings file at `path`;
// what is missing or unusable there gives way to `fallback`.
ExportChoice readExportChoice(const QString& path, const ExportChoice& fallback);
void writeExportChoice(const QString& path, const ExportChoice& choice);

// Asks for the choice before the file name.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    // `length` is the whole show's in seconds (its music's when it has one).
    ExportDialog(QWidget* parent, const ExportChoice& start, double length);

    ExportChoice choice() const;

private:
    void showRangeState();

    double length_;
    QRadioButton* whole_ = nullptr;
    QRadioButton* part_ = nullptr;
    QDoubleSpinBox* from_ = nullptr;
    QDoubleSpinBox* to_ = nullptr;
    QComboBox* size_ = nullptr;
    QComboBox* look_ = nullptr;
    QComboBox* camera_ = nullptr;
};

} // namespace pluviane
