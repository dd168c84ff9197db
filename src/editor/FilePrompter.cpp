#include "editor/FilePrompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace pluviane {

namespace {

// Of several chosen files only the first counts; empty when cancelled.
QString firstChosen(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

// The file type reads as the program words it: the filters name their patterns
// already, so the toolkit's own " (*.wat)" would say it twice.
void nameFileTypes(QFileDialog& dialog, const QString& filter, const QString& suffix)
{
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
}

QString chooseToOpen(QWidget* parent, const char* name, QFileDialog::FileMode mode,
                     const QString& filter, const QString& suffix, const QString& folder,
                     QFileDialog::Options options = {})
{
    QFileDialog dialog(parent, QString(), folder);
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setFileMode(mode);
    nameFileTypes(dialog, filter, suffix);
    dialog.setOptions(dialog.options() | options);
    return firstChosen(dialog);
}

} // namespace

QString FilePrompter::startFolder() const
{
    const QString folder = startFolder_ ? startFolder_() : QString();
    return folder.isEmpty() ? QDir::homePath() : folder;
}

QString openFountainFilter() { return QCoreApplication::translate("pluviane::FilePrompter",
                                                                  "Построение фонтана *.wat (*.wat)"); }
QString saveFountainFilter() { return QCoreApplication::translate("pluviane::FilePrompter",
                                                                  "Форма фонтана *.wat (*.wat)"); }
QString openSoundFilter() { return QCoreApplication::translate("pluviane::FilePrompter",
                                                               "Звуковые файлы wav, mp3 (*)"); }

QString DialogPrompter::chooseFountainToOpen(QWidget* parent)
{
    return chooseToOpen(parent, "OpenDialogFontan", QFileDialog::ExistingFiles, openFountainFilter(),
                        QStringLiteral("wat"), startFolder());
}

QString DialogPrompter::chooseFountainToSave(QWidget* parent, const QString& current)
{
    QFileDialog dialog(parent, QString(), startFolder());
    dialog.setObjectName("SaveDialogFontan");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    nameFileTypes(dialog, saveFountainFilter(), QStringLiteral("wat"));
    // The command asks about overwriting itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!current.isEmpty()) {
        // A folder removed since the file was opened: the dialog would show
        // another folder yet return a path into the removed one. It opens in
        // the nearest folder still there instead, with the name alone.
        QString folder = QFileInfo(current).absolutePath();
        while (!QFileInfo(folder).isDir() && !QDir(folder).isRoot())
            folder = QFileInfo(folder).absolutePath();
        dialog.setDirectory(folder);
        dialog.selectFile(QFileInfo(current).fileName());
    }
    return firstChosen(dialog);
}

QString DialogPrompter::chooseSoundToOpen(QWidget* parent)
{
    // Sound files are only read: the dialog offers no renaming or new folders.
    return chooseToOpen(parent, "OpenDialogSound", QFileDialog::ExistingFile, openSoundFilter(),
                        QStringLiteral("wav"), startFolder(), QFileDialog::ReadOnly);
}

bool DialogPrompter::askYesNo(QWidget* parent, const QString& text)
{
    return QMessageBox::warning(parent, QCoreApplication::translate("pluviane::FilePrompter",
                                                                    "Предупреждение"), text,
                                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

SaveAnswer DialogPrompter::askSaveChanges(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QCoreApplication::translate("pluviane::FilePrompter",
                                                                      "Предупреждение"), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setObjectName("SaveChangesQuestion");
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return SaveAnswer::Yes;
    case QMessageBox::No:
        return SaveAnswer::No;
    default:
        return SaveAnswer::Cancel;
    }
}

void DialogPrompter::showMessage(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

RecoveryAnswer DialogPrompter::askRecovery(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("pluviane::FilePrompter",
                                                                       "Восстановление"), text,
                    QMessageBox::NoButton, parent);
    box.setObjectName("RecoveryQuestion");
    QPushButton* restore = box.addButton(
        QCoreApplication::translate("pluviane::FilePrompter", "Восстановить"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(
        QCoreApplication::translate("pluviane::FilePrompter", "Отбросить"), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(
        QCoreApplication::translate("pluviane::FilePrompter", "Позже"), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    // Closing the box decides nothing: the copy waits.
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == restore)
        return RecoveryAnswer::Restore;
    if (box.clickedButton() == discard)
        return RecoveryAnswer::Discard;
    return RecoveryAnswer::Later;
}

} // namespace pluviane
