#include "tools/facts.h"

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

} // namespace databuilder
