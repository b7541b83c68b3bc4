// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/facts.h"

#include <QByteArray>

// A translation in the `sura|aya|text` format (one verse a line, '#' comment lines naming it), or in the
// XML form <sura index><aya index text> with the names in a comment.
namespace databuilder {

struct Translation {
    QString name;       // "#  Name:" of the file, or ""
    QString translator; // "#  Translator:", or ""
    QString source;     // "#  Source:" or a URL comment line, or ""
    // The text of every verse: verses[surah - 1][verse - 1].
    QList<QStringList> verses;
    // The verses the file gives without text ("5:3"), in book order.
    QStringList emptyVerses;
    bool placeholder = false; // no translation: every verse holds placeholderText()
};

// What every verse holds when no translation was imported.
QString placeholderText();
// The lines that open the whole text while no translation is imported: what to do and where to find one.
QStringList placeholderNote();

// Parses a translation: every verse of `surahs` exactly once, in any order; a verse may be empty. Throws
// BuildError listing every fault, one a line ("Rreshti N: ...", "Mungon ajeti S:V."), the first twenty of them.
Translation parseTranslation(const QByteArray& content, const QList<Surah>& surahs);
// The same from a file; a file that names no translation nor translator is named by its file name.
Translation readTranslation(const QString& path, const QList<Surah>& surahs);

// "2 ajete pa tekst: 5:3, 9:40", or "" when every verse has text.
QString emptyVersesNote(const Translation& t);

// A translation whose every verse holds placeholderText().
Translation placeholderTranslation(const QList<Surah>& surahs);

} // namespace databuilder
