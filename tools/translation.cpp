#include "tools/translation.h"

#include "platform/textfile.h"
#include "tools/textinput.h"

#include <QDir>

namespace databuilder {

namespace {

QString verseKey(int surah, int verse) {
    return QStringLiteral("%1:%2").arg(surah).arg(verse);
}

// Picks the translation's name, translator and source out of one comment line.
void readComment(QStringView body, Translation& t, bool& explicitSource) {
    body = body.trimmed();
    auto field = [&](QLatin1String label, QString& into) {
        if (!body.startsWith(label, Qt::CaseInsensitive))
            return false;
        into = body.mid(label.size()).trimmed().toString();
        return true;
    };
    if (field(QLatin1String("Translator:"), t.translator) || field(QLatin1String("Name:"), t.name))
        return;
    if (field(QLatin1String("Source:"), t.source)) {
        explicitSource = true;
        return;
    }
    if (!explicitSource && (body.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
                            body.startsWith(QLatin1String("https://"), Qt::CaseInsensitive)))
        t.source = body.toString();
}

} // namespace

QString placeholderText() {
    return QStringLiteral("[Përkthimi i këtij ajeti nuk është importuar ende.]");
}

Translation parseTranslation(const QByteArray& contentIn, const QList<Surah>& surahs) {
    const QByteArrayView content = platform::withoutBom(contentIn);

    Translation t;
    t.verses.resize(surahs.size());
    QList<QList<int>> lineOf(surahs.size()); // where each verse was read, for duplicates
    for (qsizetype s = 0; s < surahs.size(); ++s) {
        t.verses[s].reserve(surahs[s].verses);
        lineOf[s].resize(surahs[s].verses);
    }
    bool explicitSource = false;
    int nextSurah = 1; // the verse expected next; nextSurah past the last surah once all are read
    int nextVerse = 1;
    int lineNo = 0;
    for (const QByteArrayView raw : splitLines(content)) {
        ++lineNo;
        QString line;
        if (!platform::decodeUtf8(raw, &line))
            throw BuildError(lineMessage(lineNo, QStringLiteral("teksti nuk është UTF-8 i vlefshëm.")));
        if (line.trimmed().isEmpty())
            continue;
        if (line.startsWith(u'#')) {
            readComment(QStringView(line).mid(1), t, explicitSource);
            continue;
        }

        const qsizetype bar1 = line.indexOf(u'|');
        const qsizetype bar2 = bar1 < 0 ? -1 : line.indexOf(u'|', bar1 + 1);
        const int surah = bar2 < 0 ? -1 : parseNumber(QStringView(line).left(bar1).trimmed());
        const int verse = bar2 < 0 ? -1 : parseNumber(QStringView(line).mid(bar1 + 1, bar2 - bar1 - 1).trimmed());
        if (surah < 0 || verse < 0)
            throw BuildError(
                lineMessage(lineNo, QStringLiteral("rreshti nuk ka formën sure|ajet|tekst me numra për suren dhe "
                                                   "ajetin.")));
        const QString text = line.mid(bar2 + 1).trimmed();
        if (text.isEmpty())
            throw BuildError(lineMessage(lineNo, QStringLiteral("ajeti %1 nuk ka tekst.").arg(verseKey(surah, verse))));
        if (surah < 1 || surah > surahs.size())
            throw BuildError(lineMessage(
                lineNo,
                QStringLiteral("sureja %1 nuk ekziston (suret janë 1 deri %2).").arg(surah).arg(surahs.size())));
        const int verses = surahs[surah - 1].verses;
        if (verse < 1 || verse > verses)
            throw BuildError(lineMessage(
                lineNo,
                QStringLiteral("sureja %1 ka %2 ajete; ajeti %3 nuk ekziston.").arg(surah).arg(verses).arg(verse)));
        if (const int first = lineOf[surah - 1][verse - 1])
            throw BuildError(lineMessage(lineNo, QStringLiteral("ajeti %1 përsëritet (është edhe në rreshtin %2).")
                                                     .arg(verseKey(surah, verse))
                                                     .arg(first)));
        if (surah != nextSurah || verse != nextVerse)
            throw BuildError(lineMessage(lineNo, QStringLiteral("mungon ajeti %1 (ky rresht sjell ajetin %2).")
                                                     .arg(verseKey(nextSurah, nextVerse), verseKey(surah, verse))));

        lineOf[surah - 1][verse - 1] = lineNo;
        t.verses[surah - 1].append(text);
        if (++nextVerse > verses) {
            ++nextSurah;
            nextVerse = 1;
        }
    }
    if (nextSurah <= surahs.size())
        throw BuildError(lineMessage(
            qMax(lineNo, 1),
            QStringLiteral("skedari mbaron këtu, por mungon ajeti %1.").arg(verseKey(nextSurah, nextVerse))));
    return t;
}

Translation readTranslation(const QString& path, const QList<Surah>& surahs) {
    try {
        return parseTranslation(readWholeFile(path), surahs);
    } catch (const BuildError& e) {
        throw BuildError(
            QStringLiteral("Përkthimi %1 nuk pranohet. %2").arg(QDir::toNativeSeparators(path), e.message()));
    }
}

Translation placeholderTranslation(const QList<Surah>& surahs) {
    Translation t;
    for (const Surah& s : surahs) {
        QStringList verses;
        verses.fill(placeholderText(), s.verses);
        t.verses.append(verses);
    }
    return t;
}

} // namespace databuilder
