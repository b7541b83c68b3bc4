// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/translation.h"

#include "data/schema.h"
#include "platform/database.h"
#include "platform/textfile.h"
#include "tools/textinput.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <algorithm>
#include <optional>

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

QString notATranslation() {
    return QStringLiteral("Ky skedar nuk është përkthim: pritej „sura|ajeti|teksti” në çdo rresht ose XML i "
                          "Tanzil-it.");
}

QString placeholderText() {
    return QStringLiteral("[Përkthimi i këtij ajeti nuk është importuar ende.]");
}

QStringList placeholderNote() {
    return {QStringLiteral("Ende nuk është importuar asnjë përkthim: në vend të çdo ajeti qëndron vetëm një shënim."),
            QStringLiteral("Për ta importuar, shtypni butonin „Importo përkthimin...” lart majtas, mbi „Kërkimi i "
                           "tekstit”, dhe zgjidhni skedarin e përkthimit."),
            QStringLiteral("Ose merreni nga interneti me butonin „Shkarkimet” (reja me shigjetë) pranë tij: "
                           "përkthimet shqip të Sherif Ahmetit, Feti Mehdiut dhe Hasan Efendi Nahit, nga projekti "
                           "Tanzil (https://tanzil.net/trans/).")};
}

namespace {

constexpr int kFaultsShown = 20;

// The size of a text in UTF-8, counted only when it may pass `bound` (a UTF-16 unit is at most 3 bytes).
qsizetype utf8Size(QStringView text, qsizetype bound) {
    return text.size() * 3 <= bound ? text.size() : text.toUtf8().size();
}

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

    void add(int line, int surah, int verse, QStringView raw) {
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
        QString text = verseText(raw);
        // No verse of a real translation comes near the bound; one far beyond it would stall the window.
        if (const qsizetype size = utf8Size(text, kMaxVerseBytes); size > kMaxVerseBytes)
            return fault(line, QStringLiteral("ajeti %1 ka %2 bajtë tekst, ndërsa një ajet pranohet deri në %3 bajtë "
                                              "(%4 KB).")
                                   .arg(verseKey(surah, verse), groupedNumber(size), groupedNumber(kMaxVerseBytes))
                                   .arg(kMaxVerseBytes / 1024));
        m_t.verses[surah - 1][verse - 1] = std::move(text);
    }

    // The translation, or BuildError listing every fault (the first kFaultsShown of them). Verses left
    // without text are noted in the translation: a translator who renders two verses as one leaves one empty.
    // A file without the text of a single verse is no translation: that is said first (or alone, when it gives
    // no verse at all), and the verses it lacks are not listed one by one.
    Translation finish() {
        QStringList missing;
        qsizetype read = 0, withText = 0;
        for (qsizetype s = 0; s < m_surahs.size(); ++s)
            for (qsizetype v = 0; v < m_surahs[s].verses; ++v) {
                const QString key = verseKey(int(s + 1), int(v + 1));
                if (!m_lineOf[s][v]) {
                    missing.append(QStringLiteral("Mungon ajeti %1.").arg(key));
                    continue;
                }
                ++read;
                if (m_t.verses[s][v].isEmpty())
                    m_t.emptyVerses.append(key);
                else
                    ++withText;
            }
        QString head; // the cause that explains the rest
        QStringList faults = m_faults;
        if (withText == 0 && m_faults.isEmpty() && read == 0)
            throw BuildError(notATranslation());
        if (withText == 0 && m_faults.isEmpty())
            head =
                QStringLiteral("Asnjë ajet nuk ka tekst: të %1 ajetet e skedarit janë bosh.").arg(groupedNumber(read));
        else if (withText == 0 && read == 0)
            head = QStringLiteral("Skedari nuk jep asnjë ajet; rreshtat e tij kanë këto gabime:");
        else
            faults += missing;
        if (head.isEmpty() && faults.isEmpty())
            return m_t;
        QStringList shown = faults.mid(0, kFaultsShown);
        if (faults.size() > kFaultsShown)
            shown.append(QStringLiteral("… dhe %1 gabime të tjera.").arg(faults.size() - kFaultsShown));
        if (!head.isEmpty())
            shown.prepend(head);
        throw BuildError(shown.join(u'\n'));
    }

private:
    const QList<Surah>& m_surahs;
    Translation m_t;
    QList<QList<int>> m_lineOf; // where each verse was read, 0 while it is not
    QStringList m_faults;
};

// The numbers of a line "sura|aya|text" and where its text starts; surah -1 when the line has not that form.
struct VerseLine {
    int surah = -1;
    int verse = -1;
    qsizetype text = 0;
    bool formed() const { return surah >= 0 && verse >= 0; }
};

VerseLine verseLine(QStringView line) {
    const qsizetype bar1 = line.indexOf(u'|');
    const qsizetype bar2 = bar1 < 0 ? -1 : line.indexOf(u'|', bar1 + 1);
    if (bar2 < 0)
        return {};
    return {parseNumber(line.left(bar1).trimmed()), parseNumber(line.mid(bar1 + 1, bar2 - bar1 - 1).trimmed()),
            bar2 + 1};
}

Translation parseLines(QByteArrayView content, const QList<Surah>& surahs) {
    VerseTable table(surahs);
    bool explicitSource = false;
    bool formed = false; // a line has the form of a verse, whatever its faults
    int lineNo = 0;
    for (const QByteArrayView raw : splitLines(content)) {
        ++lineNo;
        QString line;
        if (!platform::decodeUtf8(raw, &line)) {
            // Numbers and bars read the same in any encoding: a translation saved in another one is still one.
            formed = formed || verseLine(QString::fromLatin1(raw)).formed();
            table.fault(lineNo, QStringLiteral("teksti nuk është UTF-8 i vlefshëm."));
            continue;
        }
        if (line.trimmed().isEmpty())
            continue;
        if (line.startsWith(u'#')) {
            readComment(QStringView(line).mid(1), table.translation(), explicitSource);
            continue;
        }
        const VerseLine v = verseLine(line);
        if (!v.formed()) {
            table.fault(lineNo, QStringLiteral("rreshti nuk ka formën sure|ajet|tekst me numra për suren dhe ajetin."));
            continue;
        }
        formed = true;
        table.add(lineNo, v.surah, v.verse, QStringView(line).mid(v.text));
    }
    // A file of another kind (a page, a document, an archive) is said to be one in a sentence, not line by line.
    if (!formed)
        throw BuildError(notATranslation());
    return table.finish();
}

// Why an XML file cannot be read, in Albanian, from the reader's error; Qt's own words follow on a second line.
QString xmlFault(const QXmlStreamReader& xml) {
    QString cause;
    if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
        cause = QStringLiteral("XML-ja mbaron para se të mbyllet, skedari duket i cunguar.");
    else if (xml.errorString().contains(QLatin1String("entity"), Qt::CaseInsensitive))
        cause = QStringLiteral("XML-ja ka entitete që nuk mund të zbërthehen (të padeklaruara, rekursive ose që "
                               "zgjerohen tej kufirit).");
    else
        cause = QStringLiteral("XML-ja nuk është e rregullt, ndaj skedari nuk mund të lexohet.");
    return lineMessage(int(xml.lineNumber()), cause) + QStringLiteral("\n(") + xml.errorString() + u')';
}

// The other common download: <quran><sura index="1"><aya index="1" text="..."/>...</sura></quran>, the
// translation named in a comment at its head. An XML that cannot be read is refused with that one cause.
Translation parseXml(const QString& content, const QList<Surah>& surahs) {
    VerseTable table(surahs);
    QXmlStreamReader xml(content); // from text: the encoding is decided already
    bool explicitSource = false;
    bool tanzil = false; // an element of the form was met
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
            tanzil = tanzil || xml.name() == QLatin1String("quran") || xml.name() == QLatin1String("sura") ||
                     xml.name() == QLatin1String("aya");
            if (xml.name() == QLatin1String("sura")) {
                surah = index();
                if (surah < 0)
                    table.fault(line, QStringLiteral("sureja nuk ka numër (index)."));
            } else if (xml.name() == QLatin1String("aya")) {
                const int verse = index();
                if (surah < 0 || verse < 0)
                    table.fault(line, QStringLiteral("ajeti nuk ka numër (index) brenda një sureje me numër."));
                else
                    table.add(line, surah, verse, xml.attributes().value(QLatin1String("text")));
            }
            break;
        }
        default:
            break;
        }
    }
    if (xml.hasError()) // a page of the web is no XML, and no translation either
        throw BuildError(tanzil ? xmlFault(xml) : notATranslation());
    return table.finish();
}

// The encoding an XML declaration names, or "" when it names none.
QString declaredEncoding(QByteArrayView content) {
    static const QRegularExpression declaration(
        QStringLiteral("^\\s*<\\?xml\\s[^>]*?\\bencoding\\s*=\\s*[\"']([^\"']*)[\"']"));
    const QRegularExpressionMatch m = declaration.match(QString::fromLatin1(content.first(qMin(content.size(), 256))));
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

bool isUtf8Name(const QString& encoding) {
    return encoding.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0 ||
           encoding.compare(QLatin1String("UTF8"), Qt::CaseInsensitive) == 0;
}

// The text of an XML file without a UTF-16 mark, in the encoding it declares (UTF-8 when it declares none).
// Bytes that do not match the declaration are refused: UTF-8 read as ISO-8859-1 would import garbled letters.
QString xmlText(QByteArrayView bytes) {
    const bool utf8Mark = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArrayView content = platform::withoutBom(bytes);
    const QString declared = declaredEncoding(content);
    QString text;
    if (declared.isEmpty() || isUtf8Name(declared)) {
        if (platform::decodeUtf8(content, &text))
            return text;
        int line = 0;
        for (const QByteArrayView raw : splitLines(content)) {
            ++line;
            if (!platform::decodeUtf8(raw, &text))
                break;
        }
        throw BuildError(lineMessage(line, declared.isEmpty()
                                               ? QStringLiteral("XML-ja nuk thotë në cilin kodim është, pra duhet "
                                                                "të jetë UTF-8, por bajtet e saj nuk janë UTF-8.")
                                               : QStringLiteral("XML-ja thotë se është në kodimin %1, por bajtet e "
                                                                "saj nuk janë UTF-8.")
                                                     .arg(declared)));
    }
    const auto mismatch = [&](const QString& bytesAre) {
        return BuildError(
            QStringLiteral("XML-ja thotë se është në kodimin %1, por bajtet e saj janë %2.").arg(declared, bytesAre));
    };
    const bool ascii = std::all_of(content.begin(), content.end(), [](char c) { return uchar(c) < 0x80; });
    if (utf8Mark || (!ascii && platform::decodeUtf8(content, &text)))
        throw mismatch(QStringLiteral("UTF-8"));
    if (declared.startsWith(QLatin1String("UTF-16"), Qt::CaseInsensitive) ||
        declared.startsWith(QLatin1String("UTF-32"), Qt::CaseInsensitive) ||
        declared.startsWith(QLatin1String("UCS"), Qt::CaseInsensitive))
        throw mismatch(QStringLiteral("një kodim me një bajt për shkronjë (pa shenjën BOM të %1)").arg(declared));
    QStringDecoder decoder(declared.toLatin1().constData(), QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        throw BuildError(QStringLiteral("XML-ja është në kodimin %1, të cilin programi nuk e njeh; ruajeni në UTF-8 "
                                        "dhe provoni sërish.")
                             .arg(declared));
    text = decoder.decode(content);
    if (decoder.hasError())
        throw BuildError(QStringLiteral("XML-ja thotë se është në kodimin %1, por bajtet e saj nuk janë në atë kodim.")
                             .arg(declared));
    return text;
}

// The text of a file that opens with the UTF-16 mark (Notepad's "Unicode"); nothing when it has none.
std::optional<QString> utf16Text(QByteArrayView bytes) {
    const bool little = bytes.startsWith("\xFF\xFE"), big = bytes.startsWith("\xFE\xFF");
    if (!little && !big)
        return std::nullopt;
    QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes.sliced(2));
    bool paired = true; // the decoder lets a lone half of a surrogate pair through
    for (qsizetype i = 0; i < text.size() && paired; ++i)
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else
            paired = !text[i].isSurrogate();
    if (decoder.hasError() || bytes.size() % 2 != 0 || !paired)
        throw BuildError(
            QStringLiteral("Skedari nis me shenjën e UTF-16, por bajtet e tij nuk janë UTF-16 i vlefshëm."));
    return text;
}

bool looksLikeXml(QStringView text) {
    return text.trimmed().startsWith(u'<');
}

} // namespace

QString verseText(QStringView raw) {
    const auto breaks = [](QChar c) {
        return c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
    };
    QString text;
    text.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size();) {
        if (!breaks(raw[i])) {
            text += raw[i++];
            continue;
        }
        while (text.endsWith(u' '))
            text.chop(1);
        while (i < raw.size() && (breaks(raw[i]) || raw[i] == u' '))
            ++i;
        text += u' ';
    }
    return text.trimmed();
}

Translation parseTranslation(const QByteArray& content, const QList<Surah>& surahs) {
    if (const std::optional<QString> text = utf16Text(content))
        return looksLikeXml(*text) ? parseXml(*text, surahs) : parseLines(text->toUtf8(), surahs);
    const QByteArrayView bytes = platform::withoutBom(content);
    return bytes.trimmed().startsWith('<') ? parseXml(xmlText(content), surahs) : parseLines(bytes, surahs);
}

Translation readTranslation(const QByteArray& content, const QString& path, const QList<Surah>& surahs) {
    Translation t;
    try {
        t = parseTranslation(content, surahs);
    } catch (const BuildError& e) {
        throw BuildError(
            QStringLiteral("%1 %2 nuk pranohet.\n%3")
                .arg(e.message() == notATranslation() ? QStringLiteral("Skedari") : QStringLiteral("Përkthimi"),
                     QDir::toNativeSeparators(path), e.message()),
            e.message());
    }
    // A file that names neither its translation nor its translator is named by its file name.
    if (t.name.isEmpty() && t.translator.isEmpty())
        t.name = QFileInfo(path).completeBaseName();
    return t;
}

Translation readTranslation(const QString& path, const QList<Surah>& surahs) {
    return readTranslation(readWholeFile(path), path, surahs);
}

Translation translationOf(const QString& database, const QList<Surah>& surahs) {
    const QString name = QDir::toNativeSeparators(database);
    Translation t;
    t.verses.resize(surahs.size());
    for (qsizetype s = 0; s < surahs.size(); ++s)
        t.verses[s].resize(surahs[s].verses);
    qsizetype found = 0, placeholders = 0;
    try {
        platform::Connection db;
        db.Open(database);
        for (platform::Statement st = db.query(QStringLiteral("SELECT NrSure, NrAjet, Perkthimi FROM librezi"));
             st.next();) {
            const qint64 surah = st.integer(0), verse = st.integer(1);
            if (surah < 1 || surah > surahs.size() || verse < 1 || verse > surahs[surah - 1].verses)
                throw BuildError(QStringLiteral("Baza e të dhënave %1 ka ajetin %2:%3, që nuk ekziston.")
                                     .arg(name)
                                     .arg(surah)
                                     .arg(verse));
            QString& text = t.verses[surah - 1][verse - 1];
            text = verseText(st.text(2));
            ++found;
            placeholders += text == placeholderText();
        }
        const auto meta = [&db](const char* key) {
            return db.value(QStringLiteral("SELECT Vlera FROM Te_dhenat WHERE Celesi = ?"), {QString::fromLatin1(key)})
                .toString();
        };
        t.name = meta(schema::kMetaTranslation);
        t.translator = meta(schema::kMetaTranslator);
        t.source = meta(schema::kMetaSource);
    } catch (const platform::DbError& e) {
        throw BuildError(QStringLiteral("Përkthimi që mban baza e të dhënave %1 nuk mund të lexohet: %2.")
                             .arg(name, platform::albanianCause(e)));
    }
    qsizetype total = 0;
    for (const Surah& s : surahs)
        total += s.verses;
    if (found != total) // the table's key allows each verse once
        throw BuildError(QStringLiteral("Baza e të dhënave %1 ka %2 ajete nga %3; përkthimi i saj nuk mund të "
                                        "ruhet.")
                             .arg(name, groupedNumber(found), groupedNumber(total)));
    t.placeholder = placeholders == total;
    for (qsizetype s = 0; s < surahs.size(); ++s)
        for (qsizetype v = 0; v < surahs[s].verses; ++v)
            if (t.verses[s][v].isEmpty())
                t.emptyVerses.append(verseKey(int(s + 1), int(v + 1)));
    return t;
}

QString emptyVersesNote(const Translation& t) {
    if (t.emptyVerses.isEmpty())
        return QString();
    QStringList shown = t.emptyVerses.mid(0, kFaultsShown);
    if (t.emptyVerses.size() > kFaultsShown)
        shown.append(QStringLiteral("…"));
    return (t.emptyVerses.size() == 1 ? QStringLiteral("%1 ajet pa tekst: %2")
                                      : QStringLiteral("%1 ajete pa tekst: %2"))
        .arg(t.emptyVerses.size())
        .arg(shown.join(QStringLiteral(", ")));
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
