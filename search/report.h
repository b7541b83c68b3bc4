#pragma once

#include <QString>

namespace search {

// The report line above the verses found: the count, the phrase as typed and, when the search was
// limited to one surah, its name. Ends with CR LF.
QString reportLine(int count, const QString& phrase, bool restricted, const QString& surahName);

// The line of nineteen asterisks that ends every report, and the empty line after it.
QString reportRule();

// One line of a composed text: the verse key, TAB, the translation, CR LF.
QString verseLine(const QString& surah, const QString& verse, const QString& text);

// The statement for a phrase: one LIKE over the whole phrase, or with "&" one LIKE per word, all
// of which must hold. Apostrophes are doubled here. An empty string when the phrase is empty.
QString statementFor(const QString& phrase);

} // namespace search
