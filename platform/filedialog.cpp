// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filedialog.h"

#include <QFileDialog>

namespace platform {

QString askForFile(QWidget* parent, const QString& title, const QString& start, const QString& filters,
                   FileChoice choice, QString* chosenFilter) {
    QFileDialog dialog(parent, title, start, filters);
    dialog.setOption(QFileDialog::DontUseNativeDialog); // its words are ours, in Albanian
    dialog.setAcceptMode(choice == FileChoice::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(choice == FileChoice::Save     ? QFileDialog::AnyFile
                       : choice == FileChoice::Folder ? QFileDialog::Directory
                                                      : QFileDialog::ExistingFile);
    if (choice == FileChoice::Folder)
        dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Shiko në:"));
    dialog.setLabelText(QFileDialog::FileName,
                        choice == FileChoice::Folder ? QStringLiteral("Dosja:") : QStringLiteral("Skedari:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Lloji:"));
    dialog.setLabelText(QFileDialog::Accept, choice == FileChoice::Save     ? QStringLiteral("Ruaje")
                                             : choice == FileChoice::Folder ? QStringLiteral("Zgjidh")
                                                                            : QStringLiteral("Hap"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Anulo"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    if (chosenFilter)
        *chosenFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().first();
}

} // namespace platform
