// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/wholetext.h"

#include "platform/textfile.h"
#include "text/verse.h"

namespace databuilder {

namespace {

// Appends text as RTF: ASCII as it is (\ { } escaped), everything else as \uN? by UTF-16 unit.
void appendRtfText(QByteArray& out, QStringView text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u == u'\t') {
            out += "\\tab ";
        } else if (u >= 0x20 && u < 0x7F) {
            out += char(u);
        } else if (u < 0x20 || u == 0x7F) {
            continue; // control characters have no place in a line
        } else {
            out += "\\u";
            out += QByteArray::number(qint16(u));
            out += '?';
        }
    }
}

} // namespace

QByteArray wholeTextRtf(const QList<Surah>& surahs, const Translation& t, const QString& identity) {
    QByteArray out;
    out.reserve(4 * 1024 * 1024);
    // cf1: headings, cf2: verse keys, cf3: the note of a verse without text.
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"
           "{\\fonttbl{\\f0\\fswiss\\fcharset0 DejaVu Sans;}}"
           "{\\colortbl ;\\red0\\green80\\blue120;\\red140\\green30\\blue20;\\red112\\green112\\blue112;}\n";
    if (!identity.isEmpty())
        out += platform::importIdentityGroup(identity) + '\n';
    out += "\\pard\\plain\\f0\\fs24";

    QString title = QStringLiteral("Kur'ani — përkthimi shqip");
    if (!t.translator.isEmpty())
        title += QStringLiteral(" nga ") + t.translator;
    else if (!t.name.isEmpty())
        title += QStringLiteral(": ") + t.name;
    out += "\n{\\b\\cf1\\fs28 ";
    appendRtfText(out, title);
    out += "}\\par";
    if (!t.source.isEmpty()) {
        out += "\n{\\i\\fs20 ";
        appendRtfText(out, QString(QStringLiteral("Burimi: ") + t.source));
        out += "}\\par";
    }
    // Before a translation is imported, the book begins by saying how to bring one in.
    if (t.placeholder)
        for (const QString& line : placeholderNote()) {
            out += "\n{\\i ";
            appendRtfText(out, line);
            out += "}\\par";
        }

    for (qsizetype s = 0; s < surahs.size(); ++s) {
        const QByteArray number = QByteArray::number(surahs[s].number);
        out += "\n{\\b\\cf1 " + number + ".\\tab ";
        appendRtfText(out, surahs[s].name);
        out += "}\\par";
        const QStringList& verses = t.verses[s];
        for (qsizetype v = 0; v < verses.size(); ++v) {
            out += "\n{\\b\\cf2 " + number + ':' + QByteArray::number(v + 1) + ".\\tab}";
            if (verses[v].isEmpty()) { // said in the text, not in the database
                out += "{\\cf3 ";
                appendRtfText(out, text::emptyVerseNote());
                out += '}';
            }
            appendRtfText(out, verses[v]);
            out += "\\par";
        }
    }
    out += '}';
    return out;
}

} // namespace databuilder
