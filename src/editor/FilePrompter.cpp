#include "editor/FilePrompter.h"

#include <QFileDialog>
#include <QMessageBox>

namespace pluviane {

QString openFountainFilter() { return QStringLiteral("Построение фонтана *.wat (*.wat)"); }
QString saveFountainFilter() { return QStringLiteral("Форма фонтана *.wat (*.wat)"); }
QString openSoundFilter() { return QStringLiteral("Звуковые файлы wav, mp3 (*)"); }

QString DialogPrompter::chooseFountainToOpen(QWidget* parent)
{
    QFileDialog dialog(parent);
    dialog.setObjectName("OpenDialogFontan");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilter(openFountainFilter());
    dialog.setDefaultSuffix(QStringLiteral("wat"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString DialogPrompter::chooseSoundToOpen(QWidget* parent)
{
    QFileDialog dialog(parent);
    dialog.setObjectName("OpenDialogSound");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(openSoundFilter());
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    dialog.setOption(QFileDialog::ReadOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
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
