#include "editor/FilePrompter.h"

#include <QFileDialog>
#include <QMessageBox>

namespace pluviane {

namespace {

// Of several chosen files only the first counts; empty when cancelled.
QString firstChosen(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

QString openFountainFilter() { return QStringLiteral("Построение фонтана *.wat (*.wat)"); }
QString saveFountainFilter() { return QStringLiteral("Форма фонтана *.wat (*.wat)"); }
QString openSoundFilter() { return QStringLiteral("Звуковые файлы wav, mp3 (*)"); }

QString DialogPrompter::chooseFountainToOpen(QWidget* parent)
{
    QFileDialog dialog(parent);
    dialog.setObjectName("OpenDialogFontan");
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilter(openFountainFilter());
    dialog.setDefaultSuffix(QStringLiteral("wat"));
    return firstChosen(dialog);
}

QString DialogPrompter::chooseFountainToSave(QWidget* parent, const QString& current)
{
    QFileDialog dialog(parent);
    dialog.setObjectName("SaveDialogFontan");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(saveFountainFilter());
    dialog.setDefaultSuffix(QStringLiteral("wat"));
    // The command asks about overwriting itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!current.isEmpty())
        dialog.selectFile(current);
    return firstChosen(dialog);
}

QString DialogPrompter::chooseSoundToOpen(QWidget* parent)
{
    QFileDialog dialog(parent);
    dialog.setObjectName("OpenDialogSound");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(openSoundFilter());
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    dialog.setOption(QFileDialog::ReadOnly);
    return firstChosen(dialog);
}

bool DialogPrompter::askYesNo(QWidget* parent, const QString& text)
{
    return QMessageBox::warning(parent, QStringLiteral("Предупреждение"), text,
                                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void DialogPrompter::showMessage(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace pluviane
