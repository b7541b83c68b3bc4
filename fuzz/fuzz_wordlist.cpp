// SPDX-License-Identifier: GPL-3.0-or-later
// The word list of a search phrase: the phrase split at "&" and composed into a statement with its values.
#include "fuzzsupport.h"
#include "search/wordlist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString phrase = fuzzsupport::text(data, size);
    QString copy = phrase;
    FjalKerkim words;
    const int n = NumerojiFjalet(copy, QStringLiteral("&"), words);
    fuzzsupport::require(n == phrase.count(u'&') + 1, "one word more than the separators");
    fuzzsupport::require(words.Count() == n, "every word is kept");
    const SearchQuery q = FormojeSQLStringunMeAndLike(words);
    fuzzsupport::require(q.values.size() == n && q.sql.count(u'?') == n, "one bound value a word");
    QString joined;
    for (int i = 1; i <= words.Count(); ++i)
        joined += (i > 1 ? QStringLiteral("&") : QString()) + words.Item(i).Text();
    fuzzsupport::require(joined == phrase, "the words give back the phrase");
    return 0;
}
