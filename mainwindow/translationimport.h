// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/parallel.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QWidget;
namespace data {
class Library;
}

// The window's import of a translation: the reader picks a file, sees whose translation it is and how many
// verses it gives, and confirms; the import then replaces the translation in the reader's data folder.
class TranslationImport : public QObject {
    Q_OBJECT
public:
    explicit TranslationImport(QWidget* window);

    // Asks for the file ("" when the reader cancels); tests put their own.
    std::function<QString()> chooseFile;

    // The whole command. True when a translation was imported (the library's connection is then on the new
    // database, and the caller shows it).
    bool run(data::Library& library);
    // The same for a file the program already has (a translation just fetched): the preview, then the import.
    bool run(data::Library& library, const QString& file);

    // A text read beside the translation (the Arabic, another translation), from a file the reader chooses, into the
    // store of texts; the kind is told by its letters. The text imported, or none (cancelled, refused: said).
    std::optional<databuilder::ParallelText> importBeside();

    // Whether the database holds no translation yet (its verses hold the placeholder).
    static bool placeholderShown(const data::Library& library);

private:
    QString askForFile();
    QWidget* m_window;
};
