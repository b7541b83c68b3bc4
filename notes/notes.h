// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/verse.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The reader's notes on verses. They live in a small database of their own in the reader's data folder
// (shenimet.db), apart from the translation's, so that a new import or an update keeps them; each verse has one
// note at most, kept with the time it last changed. Notes move to another computer as a readable JSON file, a list
// of {"ajeti": "36:12", "shenimi": "..."}. A store or file that cannot be written or read throws
// databuilder::BuildError with the cause in Albanian.
namespace notes {

struct Note {
    text::Verse verse;
    QString text;
    QDateTime changed;
    bool operator==(const Note&) const = default;
};

// Keeps a verse's note in one transaction (the store is made when missing); an empty or blank text removes it.
void save(const QString& store, text::Verse verse, const QString& text);
// A verse's note ("" when it has none, or there is no store).
QString note(const QString& store, text::Verse verse);
// Every note, in book order (none when there is no store).
QList<Note> all(const QString& store);
// The notes whose text or verse key holds `filter`, in book order, every letter without regard to case and ë/ç
// matched by e/c; every note for an empty filter.
QList<Note> search(const QList<Note>& notes, const QString& filter);

// Writes every note to `file` as JSON (replacing it whole, or not at all); the notes written.
int exportTo(const QString& store, const QString& file);
// Reads notes written by exportTo and merges them into the store in one transaction: a verse without a note gets
// the one read; a verse whose note differs keeps its own and gets the one read after it, so nothing is lost. A file
// that is not such a list, or names a verse that is not one, changes nothing. Returns how many notes were added or
// changed.
int importFrom(const QString& store, const QString& file);

} // namespace notes
