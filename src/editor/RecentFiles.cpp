#include "editor/RecentFiles.h"

#include "model/ProfileFile.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QToolButton>

namespace pluviane {

namespace {
const QString kSection = QStringLiteral("Recent");
QString keyOf(int i) { return QStringLiteral("File%1").arg(i + 1); }
} // namespace

RecentFiles::RecentFiles(QToolButton* button, QObject* parent)
    : QObject(parent), button_(button), menu_(new QMenu(button))
{
    menu_->setObjectName(QStringLiteral("MenuRecentFiles"));
    button_->setMenu(menu_);
    button_->setPopupMode(QToolButton::InstantPopup);
    // The narrow tool bar has no room for the menu's arrow beside the icon.
    button_->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    setSettingsPath(settingsFilePath());
}

void RecentFiles::setSettingsPath(const QString& path)
{
    settingsPath_ = path;
    load();
}

void RecentFiles::add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    names_.removeAll(absolute);
    names_.prepend(absolute);
    while (names_.size() > kKept)
        names_.removeLast();
    save();
}

void RecentFiles::remove(const QString& path)
{
    if (names_.removeAll(QFileInfo(path).absoluteFilePath()) > 0)
        save();
}

void RecentFiles::load()
{
    const ProfileFile file = ProfileFile::read(settingsPath_);
    names_.clear();
    for (int i = 0; i < kKept; ++i) {
        const QString name = file.value(kSection, keyOf(i), {});
        if (!name.isEmpty() && !names_.contains(name))
            names_ << name;
    }
    rebuildMenu();
}

void RecentFiles::save()
{
    // Read again first: other keys of the file may have changed meanwhile.
    QString error;
    ProfileFile file = ProfileFile::read(settingsPath_, &error);
    if (!error.isEmpty() && QFileInfo::exists(settingsPath_))
        return; // a file that cannot be read is never replaced
    for (int i = 0; i < kKept; ++i)
        file.setValue(kSection, keyOf(i), i < names_.size() ? names_[i] : QString());
    writeProfile(settingsPath_, file);
    rebuildMenu();
}

void RecentFiles::rebuildMenu()
{
    menu_->clear();
    for (int i = 0; i < names_.size(); ++i) {
        const QString name = names_[i];
        // "&1 name.wat" with the folder beside it: two files of one name stay apart.
        QAction* action = menu_->addAction(QStringLiteral("&%1 %2   %3")
                                               .arg(i + 1)
                                               .arg(QFileInfo(name).fileName(),
                                                    QDir::toNativeSeparators(QFileInfo(name).absolutePath())));
        action->setData(name);
        connect(action, &QAction::triggered, this, [this, name] { emit chosen(name); });
    }
    button_->setEnabled(!names_.isEmpty());
}

} // namespace pluviane
