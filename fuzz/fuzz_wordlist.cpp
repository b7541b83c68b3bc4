// The word list of a search phrase: the phrase split at "&" and composed into a statement.
#include "fuzzsupport.h"
#include "search/wordlist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString phrase = fuzzsupport::text(data, size);
    QString copy = phrase;
    FjalKerkim words;
    QString sql;
    const int n = NumerojiFjalet(copy, QStringLiteral("&"), words, sql);
    fuzzsupport::require(n == phrase.count(u'&') + 1, "one word more than the separators");
    fuzzsupport::require(words.Count() == n, "every word is kept");
    fuzzsupport::require(sql.startsWith(QStringLiteral("SELECT * From Librezi WHERE Perkthimi LIKE '%")),
                         "the statement is composed");
    QString joined;
    for (int i = 1; i <= words.Count(); ++i)
        joined += (i > 1 ? QStringLiteral("&") : QString()) + words.Item(i).Text();
    fuzzsupport::require(joined == phrase, "the words give back the phrase");
    return 0;
}
