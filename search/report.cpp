// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/report.h"

#include "platform/textfold.h"

namespace search {

QString reportLine(int count, const QString& P, bool restricted, const QString& S) {
    QString line;
    if (count == 0 && restricted)
        line = QStringLiteral("Në suren ") + S + QStringLiteral(" nuk përmendet shprehja ") + P;
    else if (count == 0)
        line = QStringLiteral("Nuk u gjet ndonjë ajet që e përmban shprehjen ") + P;
    else if (count == 1 && restricted)
        line = QStringLiteral("Në suren ") + S +
               QStringLiteral(" u gjet vetëm një ajet në të cilin përmendet shprehja ") + P;
    else if (count == 1)
        line = QStringLiteral("U gjet vetëm një ajet në të cilin përmendet shprehja ") + P + QStringLiteral(":");
    else if (restricted)
        line = QStringLiteral("Gjithsej u gjetën ") + QString::number(count) + QStringLiteral(" ajete në suren ") + S +
               QStringLiteral(" në të cilat përmendet shprehja ") + P + QStringLiteral(":");
    else
        line = QStringLiteral("Gjithsej u gjetën ") + QString::number(count) +
               QStringLiteral(" ajete në të cilat përmendet shprehja ") + P + QStringLiteral(":");
    return line;
}

QString reportRule() {
    return QStringLiteral("* * * * * * * * * * * * * * * * * * *");
}

SearchQuery statementFor(const QString& phrase, int surah, Matching matching) {
    // Loosely, the words are folded as the column is (the LIKE folds case and apostrophes on both sides anyway).
    const QString typed = matching == Matching::Exact ? phrase : platform::foldText(phrase, true);
    FjalKerkim words;
    if (typed.contains(u'&')) {
        QString copy = typed;
        NumerojiFjalet(copy, QStringLiteral("&"), words);
    } else {
        words.Add(typed);
    }
    SearchQuery q =
        FormojeSQLStringunMeAndLike(words, matching == Matching::Exact   ? QStringLiteral("Perkthimi")
                                           : matching == Matching::Loose ? QStringLiteral("Kerkimi")
                                                                         : QStringLiteral("loose_fold(Perkthimi)"));
    if (surah > 0) {
        q.sql += QStringLiteral(" AND NrSure = ?");
        q.values.append(surah);
    }
    return q;
}

} // namespace search
