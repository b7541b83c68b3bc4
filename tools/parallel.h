// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/verse.h"
#include "tools/facts.h"

#include <QHash>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// Texts read beside the reader's translation: the Arabic text and other translations. They live in a small database
// of their own in the reader's data folder (tekstet.db), apart from the translation's, so that importing a
// translation again keeps them. Each keeps its name, its kind, its language, its source and its notice (Tanzil's
// Quran text carries one that must stay with it); its verses are read and checked as a translation's are.
namespace databuilder {

enum class TextKind { Arabic, Translation };

struct ParallelText {
    qint64 id = 0;
    QString name;
    TextKind kind = TextKind::Translation;
    QString language; // "ar", "sq", ...
    QString source;
    QString notice; // the notice the file carries in its comments, kept whole
    QStringList emptyVerses;
};

// The notice a Tanzil file carries in its comment lines, its frame of '=' lines left out ("" when it has none).
QString noticeOf(const QByteArray& content);

// Imports a text into the store at `database` (made when missing), in one transaction: a text of the same name is
// replaced; a refused file changes nothing. The verses are checked as an import of the translation checks them
// (every verse of `surahs` exactly once; empty ones accepted and listed). Throws BuildError naming the file.
ParallelText importParallel(const QString& database, const QString& file, const QByteArray& content, TextKind kind,
                            const QString& language, const QList<Surah>& surahs);

// The kind a file's verse lines tell: Arabic letters make the Arabic text.
TextKind kindOf(const QByteArray& content);
// The language a text of that kind is taken to be in when none is named: "ar" for the Arabic, "sq" otherwise.
QString languageOf(TextKind kind);

// The texts of the store, in the order they came; none when there is no store.
QList<ParallelText> parallelTexts(const QString& database);
// Every verse of a text, by its key (none when the store or the text is missing).
QHash<text::Verse, QString> parallelVerses(const QString& database, qint64 text);
// A text's verse ("" when it has none).
QString parallelVerse(const QString& database, qint64 text, int surah, int verse);
// A verse of an Arabic text that holds a phrase typed in Arabic, and the places of its words in the verse.
struct ArabicHit {
    int surah = 0, verse = 0;
    QString text;
    QList<std::pair<qsizetype, qsizetype>> places;
};
// The verses of the text (of one surah, or of all with 0) that hold every part of the phrase ("&" between parts), in
// book order, each part matched as text::findArabic matches it.
QList<ArabicHit> searchArabic(const QString& database, qint64 text, const QString& phrase, int surah = 0);

// Removes a text and its verses.
void removeParallel(const QString& database, qint64 text);

} // namespace databuilder
