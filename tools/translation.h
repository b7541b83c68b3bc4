// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/facts.h"

#include <QByteArray>

// A translation in the `sura|aya|text` format (one verse a line, '#' comment lines naming it), or in the
// XML form <sura index><aya index text> with the names in a comment; UTF-8, or UTF-16 behind its mark, and an
// XML in the encoding it declares. What is read is checked whole: the reader learns every fault at once.
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

// The longest verse text accepted, in UTF-8 bytes: the longest verse of a real translation is under 2 KB.
inline constexpr qsizetype kMaxVerseBytes = 64 * 1024;

// A verse as every reader of it shows it, on one line: a line break or any other control character, with the
// blanks around it, becomes one blank (the database and the whole text hold the same text); no blank at the ends.
QString verseText(QStringView raw);

// Why a file that gives no verse line and is no Tanzil XML is refused: one sentence, for a file of another kind.
QString notATranslation();

// What every verse holds when no translation was imported.
QString placeholderText();
// The lines that open the whole text while no translation is imported: what to do and where to find one.
QStringList placeholderNote();

// Parses a translation: every verse of `surahs` exactly once, in any order; a verse may be empty, but not every
// verse, and none may pass kMaxVerseBytes. Throws BuildError listing every fault, one a line ("Rreshti N: ...",
// "Mungon ajeti S:V."), the first twenty of them; an XML that cannot be read, or whose bytes are not in the
// encoding it declares, is refused with that one cause; a file without a single line of the verse form (in
// whatever encoding) that is no Tanzil XML either is refused with notATranslation() alone.
Translation parseTranslation(const QByteArray& content, const QList<Surah>& surahs);
// The same from the bytes of the file `path`, read once (what the reader saw is what is imported); a file that
// names no translation nor translator is named by its file name. A refusal names the file on its first line, the
// cause (BuildError::cause) following.
Translation readTranslation(const QByteArray& content, const QString& path, const QList<Surah>& surahs);
// The same, reading the file.
Translation readTranslation(const QString& path, const QList<Surah>& surahs);

// The translation a database of the program holds (its verses and names), for a build that keeps it. Throws
// BuildError when it cannot be read or lacks a verse of `surahs`.
Translation translationOf(const QString& database, const QList<Surah>& surahs);

// "2 ajete pa tekst: 5:3, 9:40", or "" when every verse has text.
QString emptyVersesNote(const Translation& t);

// A translation whose every verse holds placeholderText().
Translation placeholderTranslation(const QList<Surah>& surahs);

} // namespace databuilder
