// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/rtffill.h"
#include "platform/textfile.h"

#include <QFile>
#include <QTest>
#include <QTextDocument>

using namespace Qt::StringLiterals;
using namespace platform::rtf;

// The paragraphs one a line, a run of another format than the plain one as [format:text]: b(old), i(talic),
// u(nderline), the size in half points (when not 24), the font, the colour, h(ighlight) and its colour.
static QString render(const Document& d) {
    QStringList lines;
    for (const Paragraph& p : d.paragraphs) {
        lines += QString();
        for (const Run& r : p.runs) {
            const CharFormat& f = r.format;
            const QString format =
                u"%1%2%3 %4 %5 %6 %7"_s.arg(f.bold ? "b" : "", f.italic ? "i" : "", f.underline ? "u" : "")
                    .arg(f.halfPoints == 24 ? QString() : QString::number(f.halfPoints), f.fontName,
                         f.color.isValid() ? f.color.name() : QString(),
                         f.highlight.isValid() ? u"h"_s + f.highlight.name() : QString());
            lines.last() += f == CharFormat() ? r.text : u"[%1:%2]"_s.arg(format.simplified(), r.text);
        }
    }
    return lines.join(u'\n');
}

class TestRtfReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Files made with LibreOffice: the text is what its own text export gives (UTF-8 after a BOM, a line break
    // after each paragraph), the formats are the ones it wrote.
    void libreOfficeFixtures() {
        QString all;
        for (const char* name : {"ajete", "shenime", "rreshta"}) {
            QFile rtf(QStringLiteral(FIXTURES_DIR "/%1.rtf").arg(QLatin1String(name)));
            QFile txt(QStringLiteral(FIXTURES_DIR "/%1.txt").arg(QLatin1String(name)));
            QVERIFY(rtf.open(QIODevice::ReadOnly) && txt.open(QIODevice::ReadOnly));
            QString text;
            QVERIFY(platform::decodeUtf8(platform::withoutBom(txt.readAll()), &text));
            const Document d = parse(rtf.readAll());
            QCOMPARE(d.plainText() + u'\n', text.replace(u"\r\n"_s, u"\n"_s));
            all += render(d);
        }
        for (const QString& run : {u"[b 26 Liberation Serif:2:1.]"_s, u"[26 Liberation Serif #c00000:dielli]"_s,
                                   u"[i 26 Liberation Serif:rreshtin]"_s, u"[26 Liberation Serif h#ffff00:këtë]"_s})
            QVERIFY2(all.contains(run), qPrintable(run));
    }
    void read_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, const QByteArray& body, const QString& text) {
            QTest::newRow(name) << (body.startsWith("{\\rtf") ? body : "{\\rtf1\\ansi " + body + "}") << text;
        };
        row("groups, \\deff, \\plain",
            "\\deff1{\\fonttbl\\f0\\fswiss Arial;\\f1\\froman Times;}{\\colortbl;\\red10\\green20\\blue30;}"
            "a{\\b\\i\\ul\\fs40\\f0\\cf1\\highlight1 b{\\b0\\ulnone c}d}e\\b\\f0 f\\plain g",
            u"[Times:a][biu 40 Arial #0a141e h#0a141e:b][i 40 Arial #0a141e h#0a141e:c]"
            "[biu 40 Arial #0a141e h#0a141e:d][Times:e][b Arial:f][Times:g]"_s);
        row("depth limit", "{\\b " + QByteArray(5000, '{') + "x" + QByteArray(5000, '}') + "y}z", u"[b:xy]z"_s);
        row("\\u after \\uc 1, 0, 2, per group; a brace ends the fallback",
            "s\\u8217\\'92ka\\u235?sht\\u235 e\\uc0\\u8220 \\uc2\\u199\\'43\\'48\\u199\\emdash\\tab x"
            "{\\uc0\\u97}\\u98 x{\\uc3\\u268}cd",
            u"s’kaështë“ÇÇxabČcd"_s);
        row("\\u beyond 16 bits", "\\u-3971?x\\u-1?\\u-10179?\\u-8704?\\u99999?z", u"\uF07Dx\uFFFF\U0001F600\uFFFDz"_s);
        row("1250, raw bytes too",
            "\\ansicpg1250 \\'eb\\'cb\\'e7\\'c7\\'84\\'93\\'94\\'91\\'92\\'96\\'97\\'e8\\'9a\\'b9\xe8",
            u"ëËçÇ„“”‘’–—čšąč"_s);
        row("1252, the default", "\\'84\\'93\\'94\\'91\\'92\\'96\\'97\\'e8\\'9a\\'b9\\'80", u"„“”‘’–—èš¹€"_s);
        row("\\fcharset", "{\\fonttbl{\\f1\\fcharset238 B;}}\\'e8{\\f1\\'e8\\'eb}\\'e8", u"è[B:čë]è"_s);
        row("symbols, escapes, breaks, ends of control words",
            "a\\tab b\\emdash c\\endash d\\lquote e\\rquote f\\ldblquote g\\rdblquote h\\bullet i\\~j\\-k\\_l\\{m\\}n"
            "\\\\o\\line p\\par q\\b  x\\fs20y\\b0-z\\abcdefghijklmnopqrstuvwxyzabcdefg w",
            u"a\tb—c–d‘e’f“g”h•i\u00A0j\u00ADk\u2011l{m}n\\o\np\nq[b: x][b 20:y][20:-zw]"_s);
        row("skipped destinations",
            "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}{\\*\\generator G;}{\\header kryet}{\\footer fundi}A"
            "{\\*\\unknown hidden {nested}}B{\\footnote shënim}C{\\pict\\pngblip 89504e47}D{\\field{\\*\\fldinst "
            "HYPERLINK \"x\"}{\\fldrslt lidhja}}E{\\object{\\*\\objdata 01}{\\result rezultati}}F\\bin3 {}}G{\\v v}H"
            "{\\upr{ansi}{\\*\\ud{uni}}}",
            u"ABCDlidhjaEFGHuni"_s);
        row("groups never closed, stray closing braces", "{\\rtf1 a}}}{\\b b{\\i c", u"a[b:b][bi:c]"_s);
        for (const char* cut : {"\\'4", "\\", "\\u", "{\\*\\x cd", "\\bin99999999999999 cd"})
            row(cut, "{\\rtf1 ab" + QByteArray(cut), u"ab"_s);
        row("bad hex, nul, negative \\bin", QByteArray("ab\\'zzc\0d\\bin-5 e", 18), u"abzzcde"_s);
        row("100000 nested groups", "a" + QByteArray(100000, '{') + "b" + QByteArray(100000, '}') + "c", u"abc"_s);
    }
    void read() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(render(parse(rtf)), text);
    }
    // Read and filled at once, batch by batch on two threads, the document is the one read and then filled.
    void parseAndFillAtOnce() {
        QByteArray rtf = "{\\rtf1{\\fonttbl{\\f0 DejaVu Sans;}}\\f0\\fs24 {\\b\\fs32 Titulli}\\par\n";
        for (int i = 1; i <= 700; ++i) // batches of 256 and a last short one
            rtf += "{\\b " + QByteArray::number(i) + ".\\tab}rreshti " + QByteArray::number(i) + "\\par\n";
        for (const QByteArray& bytes : QList<QByteArray>{rtf + "fundi}", "rreshti i thjeshtë\nfundi"_ba}) {
            QTextDocument once, after;
            const platform::rtf::Document read = platform::rtf::parseAndFill(bytes, &once);
            platform::rtf::fill(&after, platform::rtf::parse(bytes));
            QCOMPARE(read.plainText(), platform::rtf::parse(bytes).plainText());
            QCOMPARE(once.toHtml(), after.toHtml());
            QVERIFY(once.toPlainText().endsWith(u"fundi"_s));
        }
    }
};

QTEST_MAIN(TestRtfReader)
#include "test_rtfreader.moc"
