// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/translation.h"

#include "platform/textfile.h"
#include "tools/textinput.h"

#include <QDir>
#include <QFileInfo>
#include <QXmlStreamReader>

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

QStringList placeholderNote() {
    return {QStringLiteral("Ende nuk është importuar asnjë përkthim: në vend të çdo ajeti qëndron vetëm një shënim."),
            QStringLiteral("Për ta importuar, shtypni „Importo përkthimin...” (butoni pranë „Rreth programit” ose "
                           "lidhja te këshillat) dhe zgjidhni skedarin e përkthimit."),
            QStringLiteral("Përkthime shqip në formën sure|ajet|tekst ose XML boton projekti Tanzil: "
                           "https://tanzil.net/trans/ (zgjidhni gjuhën shqipe).")};
}

namespace {

constexpr int kFaultsShown = 20;

// The verses of a translation as they are read, in any order, with every fault found on the way.
class VerseTable {
public:
    explicit VerseTable(const QList<Surah>& surahs) : m_surahs(surahs) {
        m_t.verses.resize(surahs.size());
        m_lineOf.resize(surahs.size());
        for (qsizetype s = 0; s < surahs.size(); ++s) {
            m_t.verses[s].resize(surahs[s].verses);
            m_lineOf[s].resize(surahs[s].verses);
        }
    }
    Translation& translation() { return m_t; }

    void fault(int line, const QString& what) { m_faults.append(lineMessage(line, what)); }

    void add(int line, int surah, int verse, const QString& text) {
        if (surah < 1 || surah > m_surahs.size())
            return fault(
                line, QStringLiteral("sureja %1 nuk ekziston (suret janë 1 deri %2).").arg(surah).arg(m_surahs.size()));
        const int verses = m_surahs[surah - 1].verses;
        if (verse < 1 || verse > verses)
            return fault(
                line,
                QStringLiteral("sureja %1 ka %2 ajete; ajeti %3 nuk ekziston.").arg(surah).arg(verses).arg(verse));
        if (const int first = m_lineOf[surah - 1][verse - 1])
            return fault(line, QStringLiteral("ajeti %1 përsëritet (është edhe në rreshtin %2).")
                                   .arg(verseKey(surah, verse))
                                   .arg(first));
        m_lineOf[surah - 1][verse - 1] = line;
        m_t.verses[surah - 1][verse - 1] = text;
    }

    // The translation, or BuildError listing every fault (the first kFaultsShown of them). Verses left
    // without text are noted in the translation: a translator who renders two verses as one leaves one empty.
    Translation finish() {
        for (qsizetype s = 0; s < m_surahs.size(); ++s)
            for (qsizetype v = 0; v < m_surahs[s].verses; ++v) {
                const QString key = verseKey(int(s + 1), int(v + 1));
                if (!m_lineOf[s][v])
                    m_faults.append(QStringLiteral("Mungon ajeti %1.").arg(key));
                else if (m_t.verses[s][v].isEmpty())
                    m_t.emptyVerses.append(key);
            }
        if (m_faults.isEmpty())
            return m_t;
        QStringList shown = m_faults.mid(0, kFaultsShown);
        if (m_faults.size() > kFaultsShown)
            shown.append(QStringLiteral("… dhe %1 gabime të tjera.").arg(m_faults.size() - kFaultsShown));
        throw BuildError(shown.join(u'\n'));
    }

private:
    const QList<Surah>& m_surahs;
    Translation m_t;
    QList<QList<int>> m_lineOf; // where each verse was read, 0 while it is not
    QStringList m_faults;
};

Translation parseLines(QByteArrayView content, const QList<Surah>& surahs) {
    VerseTable table(surahs);
    bool explicitSource = false;
    int lineNo = 0;
    for (const QByteArrayView raw : splitLines(content)) {
        ++lineNo;
        QString line;
        if (!platform::decodeUtf8(raw, &line)) {
            table.fault(lineNo, QStringLiteral("teksti nuk është UTF-8 i vlefshëm."));
            continue;
        }
        if (line.trimmed().isEmpty())
            continue;
        if (line.startsWith(u'#')) {
            readComment(QStringView(line).mid(1), table.translation(), explicitSource);
            continue;
        }
        const qsizetype bar1 = line.indexOf(u'|');
        const qsizetype bar2 = bar1 < 0 ? -1 : line.indexOf(u'|', bar1 + 1);
        const int surah = bar2 < 0 ? -1 : parseNumber(QStringView(line).left(bar1).trimmed());
        const int verse = bar2 < 0 ? -1 : parseNumber(QStringView(line).mid(bar1 + 1, bar2 - bar1 - 1).trimmed());
        if (surah < 0 || verse < 0) {
            table.fault(lineNo, QStringLiteral("rreshti nuk ka formën sure|ajet|tekst me numra për suren dhe ajetin."));
            continue;
        }
        table.add(lineNo, surah, verse, line.mid(bar2 + 1).trimmed());
    }
    return table.finish();
}

// The other common download: <quran><sura index="1"><aya index="1" text="..."/>...</sura></quran>, the
// translation named in a comment at its head.
Translation parseXml(QByteArrayView content, const QList<Surah>& surahs) {
    VerseTable table(surahs);
    QXmlStreamReader xml(content.toByteArray());
    bool explicitSource = false;
    int surah = -1;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::Comment:
            for (const QString& line : xml.text().toString().split(u'\n')) {
                const QStringView body = QStringView(line).trimmed();
                readComment(body.startsWith(u'#') ? body.mid(1) : body, table.translation(), explicitSource);
            }
            break;
        case QXmlStreamReader::StartElement: {
            const int line = int(xml.lineNumber());
            const auto index = [&] { return parseNumber(xml.attributes().value(QLatin1String("index")).trimmed()); };
            if (xml.name() == QLatin1String("sura")) {
                surah = index();
                if (surah < 0)
                    table.fault(line, QStringLiteral("sureja nuk ka numër (index)."));
            } else if (xml.name() == QLatin1String("aya")) {
                const int verse = index();
                if (surah < 0 || verse < 0)
                    table.fault(line, QStringLiteral("ajeti nuk ka numër (index) brenda një sureje me numër."));
                else
                    table.add(line, surah, verse, xml.attributes().value(QLatin1String("text")).trimmed().toString());
            }
            break;
        }
        default:
            break;
        }
    }
    if (xml.hasError())
        table.fault(int(xml.lineNumber()), QStringLiteral("XML-ja nuk është e rregullt: %1.").arg(xml.errorString()));
    return table.finish();
}

} // namespace

Translation parseTranslation(const QByteArray& contentIn, const QList<Surah>& surahs) {
    const QByteArrayView content = platform::withoutBom(contentIn);
    const QByteArrayView start = content.trimmed();
    return start.startsWith('<') ? parseXml(content, surahs) : parseLines(content, surahs);
}

Translation readTranslation(const QString& path, const QList<Surah>& surahs) {
    Translation t;
    try {
        t = parseTranslation(readWholeFile(path), surahs);
    } catch (const BuildError& e) {
        throw BuildError(
            QStringLiteral("Përkthimi %1 nuk pranohet.\n%2").arg(QDir::toNativeSeparators(path), e.message()));
    }
    // A file that names neither its translation nor its translator is named by its file name.
    if (t.name.isEmpty() && t.translator.isEmpty())
        t.name = QFileInfo(path).completeBaseName();
    return t;
}

QString emptyVersesNote(const Translation& t) {
    if (t.emptyVerses.isEmpty())
        return QString();
    QStringList shown = t.emptyVerses.mid(0, kFaultsShown);
    if (t.emptyVerses.size() > kFaultsShown)
        shown.append(QStringLiteral("…"));
    return QStringLiteral("%1 ajete pa tekst: %2").arg(t.emptyVerses.size()).arg(shown.join(QStringLiteral(", ")));
}

Translation placeholderTranslation(const QList<Surah>& surahs) {
    Translation t;
    t.placeholder = true;
    for (const Surah& s : surahs) {
        QStringList verses;
        verses.fill(placeholderText(), s.verses);
        t.verses.append(verses);
    }
    return t;
}

} // namespace databuilder
