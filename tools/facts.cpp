// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/facts.h"

#include "platform/database.h"
#include "tools/textinput.h"

#include <QDir>

namespace databuilder {

namespace {
const QString kMecca = QStringLiteral("Mekë");
const QString kMedina = QStringLiteral("Medinë");
} // namespace

QList<Surah> readSurahs(const QString& factsFolder) {
    const QString path = QDir(factsFolder).filePath(QStringLiteral("suret.tsv"));
    const QStringList lines = readUtf8Lines(path);
    QList<Surah> surahs;
    int total = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        auto refuse = [&](const QString& what) {
            throw BuildError(QStringLiteral("suret.tsv, rreshti %1: %2").arg(QString::number(i + 1), what));
        };
        const QStringList f = line.split(u'\t');
        if (f.size() != 4)
            refuse(QStringLiteral("pritej: nr, ajete, emri, vendi, të ndara me TAB."));
        Surah s{parseNumber(f[0]), parseNumber(f[1]), f[2].trimmed(), f[3].trimmed()};
        if (s.number != surahs.size() + 1)
            refuse(QStringLiteral("pritej sureja %1.").arg(surahs.size() + 1));
        if (s.verses <= 0)
            refuse(QStringLiteral("numri i ajeteve nuk është i vlefshëm."));
        if (s.name.isEmpty())
            refuse(QStringLiteral("mungon emri i sures."));
        if (s.place != kMecca && s.place != kMedina)
            refuse(QStringLiteral("vendi duhet të jetë %1 ose %2.").arg(kMecca, kMedina));
        total += s.verses;
        surahs.append(s);
    }
    if (surahs.size() != kSurahCount || total != kVerseCount)
        throw BuildError(QStringLiteral("suret.tsv ka %1 sure me %2 ajete; priteshin %3 sure me %4 ajete.")
                             .arg(surahs.size())
                             .arg(total)
                             .arg(kSurahCount)
                             .arg(kVerseCount));
    return surahs;
}

QStringList readTips(const QString& factsFolder) {
    QStringList tips;
    for (const QString& line : readUtf8Lines(QDir(factsFolder).filePath(QStringLiteral("keshilla.txt")))) {
        const QString tip = line.trimmed();
        if (!tip.isEmpty() && !tip.startsWith(u'#'))
            tips.append(tip);
    }
    if (tips.isEmpty())
        throw BuildError(QStringLiteral("keshilla.txt nuk ka asnjë këshillë."));
    return tips;
}

namespace {
template <typename F> auto readDatabase(const QString& database, F&& read) {
    try {
        platform::Connection db;
        db.Open(database);
        return read(db);
    } catch (const platform::DbError& e) {
        throw BuildError(QStringLiteral("Baza e të dhënave %1 nuk mund të lexohet: %2.")
                             .arg(QDir::toNativeSeparators(database), platform::albanianCause(e)));
    }
}
} // namespace

QList<Surah> surahsOf(const QString& database) {
    const QList<Surah> surahs = readDatabase(database, [](platform::Connection& db) {
        QList<Surah> read;
        for (platform::Statement st =
                 db.query(QStringLiteral("SELECT IDSureja, NrAjete, Emri, Vendi FROM Suret ORDER BY IDSureja"));
             st.next();)
            read.append({int(st.integer(0)), int(st.integer(1)), st.text(2), st.text(3)});
        return read;
    });
    int total = 0;
    for (qsizetype i = 0; i < surahs.size(); ++i) {
        if (surahs[i].number != i + 1)
            throw BuildError(QStringLiteral("Baza e të dhënave %1 nuk ka suren %2.")
                                 .arg(QDir::toNativeSeparators(database))
                                 .arg(i + 1));
        total += surahs[i].verses;
    }
    if (surahs.size() != kSurahCount || total != kVerseCount)
        throw BuildError(QStringLiteral("Baza e të dhënave %1 ka %2 sure me %3 ajete; priteshin %4 sure me %5 ajete.")
                             .arg(QDir::toNativeSeparators(database))
                             .arg(surahs.size())
                             .arg(total)
                             .arg(kSurahCount)
                             .arg(kVerseCount));
    return surahs;
}

QStringList tipsOf(const QString& database) {
    return readDatabase(database, [](platform::Connection& db) {
        QStringList tips;
        for (platform::Statement st = db.query(QStringLiteral("SELECT Keshilla FROM Keshilla ORDER BY ID")); st.next();)
            tips.append(st.text(0));
        return tips;
    });
}

} // namespace databuilder
