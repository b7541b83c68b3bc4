// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace platform {

// What the reader picks: a file to read, a file to write, a folder.
enum class FileChoice { Open, Save, Folder };

// Asks the reader for a file or a folder in a dialog whose every word is Albanian ("Shiko në:", "Skedari:",
// "Hap" / "Ruaje" / "Zgjidh", "Anulo"); `filters` as Qt writes them ("PDF (*.pdf);;..."). "" when the reader
// cancels. `chosenFilter`, when given, receives the filter the reader chose.
QString askForFile(QWidget* parent, const QString& title, const QString& start, const QString& filters,
                   FileChoice choice, QString* chosenFilter = nullptr);

} // namespace platform
