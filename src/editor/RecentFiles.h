#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QMenu;
class QToolButton;

namespace pluviane {

// The fountain files last opened or saved by the user, newest first, kept in
// section [Recent] of the settings file (keys File1..File8) so that the next
// start offers them too. The tool bar's button shows them as a menu.
class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int kKept = 8;

    RecentFiles(QToolButton* button, QObject* parent);

    // Keeps the list in the settings file at `path` from now on (the user's
    // own at start) and takes the list from it.
    void setSettingsPath(const QString& path);

    QStringList names() const { return names_; }

    // `path` goes to the top; the oldest beyond eight goes.
    void add(const QString& path);
    void remove(const QString& path);

signals:
    // A name in the menu was chosen.
    void chosen(const QString& path);

private:
    void load();
    void save();
    void rebuildMenu();

    QString settingsPath_;
    QStringList names_;
    QToolButton* button_;
    QMenu* menu_;
};

} // namespace pluviane
