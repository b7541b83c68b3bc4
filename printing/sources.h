// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/notes.h"
#include "printing/printout.h"
#include "text/beside.h"

#include <QList>

namespace data {
class Library;
}

// What each printout holds: a surah, the text the view shows, the bookmarks with their notes, each verse with the
// texts the reader reads beside it.
namespace printing {

// What every page's foot names: "Përkthimi i Sherif Ahmetit · Burimi: tanzil.net" (as much of it as the database
// knows).
QString foot(const data::Library& library);

// A surah, verse after verse, titled "Sureja Bekare (2)".
Printout surah(const data::Library& library, int number, const QList<text::ShownText>& beside);

// A passage or a search's results as the view shows them, titled by what they are.
Printout composed(const data::Library& library, const text::Composed& shown, const QList<text::ShownText>& beside);

// The marked verses and the verses with a note, in book order, each note under its verse.
Printout bookmarks(const data::Library& library, const QList<text::Verse>& marked, const QList<notes::Note>& noted,
                   const QList<text::ShownText>& beside);

} // namespace printing
