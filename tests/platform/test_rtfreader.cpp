#include "platform/rtfreader.h"
#include "testsupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace platform::rtf;

namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return f.readAll();
}

QString fixture(const char* name) {
    return QStringLiteral(FIXTURES_DIR "/") + QLatin1String(name);
}

// LibreOffice's own text export: UTF-8 with a BOM, a line break after every paragraph (LF here, CR LF on
// Windows builds). The BOM is dropped by the decoder; line breaks become LF and the last one goes.
QString libreOfficeText(const char* name) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(readFile(fixture(name)));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

// The run holding `text` (whole), or nullptr.
const Run* findRun(const Document& d, const QString& text) {
    for (const Paragraph& p : d.paragraphs)
        for (const Run& r : p.runs)
            if (r.text == text)
                return &r;
    return nullptr;
}

QString paragraphText(const Paragraph& p) {
    QString s;
    for (const Run& r : p.runs)
        s += r.text;
    return s;
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void libreOfficeFixtures_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QByteArray>("txt");
        QTest::addColumn<int>("paragraphs");
        QTest::newRow("verses, bold keys, colour") << QByteArray("ajete.rtf") << QByteArray("ajete.txt") << 6;
        QTest::newRow("line break, italic, underline") << QByteArray("shenime.rtf") << QByteArray("shenime.txt") << 5;
        QTest::newRow("from plain text") << QByteArray("rreshta.rtf") << QByteArray("rreshta.txt") << 4;
    }
    void libreOfficeFixtures() {
        QFETCH(QByteArray, rtf);
        QFETCH(QByteArray, txt);
        QFETCH(int, paragraphs);
        const Document d = parse(readFile(fixture(rtf.constData())));
        QCOMPARE(d.plainText(), libreOfficeText(txt.constData()));
        QCOMPARE(d.paragraphs.size(), paragraphs);
    }

    void fixtureFormats() {
        const Document d = parse(readFile(fixture("ajete.rtf")));
        const Run* title = findRun(d, QStringLiteral("Kaptina e dytë"));
        QVERIFY(title);
        QVERIFY(title->format.bold);
        QCOMPARE(title->format.color, QColor(0, 0, 255));
        QCOMPARE(title->format.fontName, QStringLiteral("DejaVu Sans"));
        QCOMPARE(title->format.halfPoints, 20);

        const Run* key = findRun(d, QStringLiteral("2:1."));
        QVERIFY(key);
        QVERIFY(key->format.bold);
        QCOMPARE(key->format.fontName, QStringLiteral("Liberation Serif"));
        QCOMPARE(key->format.halfPoints, 26);
        QVERIFY(!key->format.color.isValid()); // \cf0: the automatic colour
        QCOMPARE(d.paragraphs.at(1).runs.size(), 2);
        QVERIFY(!d.paragraphs.at(1).runs.at(1).format.bold);
        QVERIFY(d.paragraphs.at(1).runs.at(1).text.startsWith(QLatin1Char('\t')));

        const Run* red = findRun(d, QStringLiteral("dielli"));
        QVERIFY(red);
        QCOMPARE(red->format.color, QColor(0xc0, 0, 0));
        QVERIFY(!red->format.bold);

        const Document n = parse(readFile(fixture("shenime.rtf")));
        const Run* italic = findRun(n, QStringLiteral("rreshtin"));
        const Run* underlined = findRun(n, QStringLiteral("poshtë"));
        const Run* marked = findRun(n, QStringLiteral("këtë"));
        QVERIFY(italic && underlined && marked);
        QVERIFY(italic->format.italic && !italic->format.underline);
        QVERIFY(underlined->format.underline && !underlined->format.italic);
        QCOMPARE(marked->format.highlight, QColor(255, 255, 0));
        QVERIFY(!italic->format.highlight.isValid());
    }

    void formatGroupsAndPlain() {
        const Document d =
            parse(QByteArray("{\\rtf1\\ansi\\deff1{\\fonttbl\\f0\\fswiss Arial;\\f1\\froman Times New Roman;}"
                             "{\\colortbl;\\red10\\green20\\blue30;}"
                             "a{\\b\\i\\ul\\fs40\\f0\\cf1\\highlight1 b{\\b0\\ulnone c}d}e\\b f\\plain g}"));
        QCOMPARE(d.plainText(), QStringLiteral("abcdefg"));
        const auto fmt = [&](const char* t) { return findRun(d, QLatin1String(t))->format; };
        QCOMPARE(fmt("a").fontName, QStringLiteral("Times New Roman")); // \deff1
        const CharFormat b = fmt("b");
        QVERIFY(b.bold && b.italic && b.underline);
        QCOMPARE(b.halfPoints, 40);
        QCOMPARE(b.fontName, QStringLiteral("Arial"));
        QCOMPARE(b.color, QColor(10, 20, 30));
        QCOMPARE(b.highlight, QColor(10, 20, 30));
        const CharFormat c = fmt("c");
        QVERIFY(!c.bold && c.italic && !c.underline);
        QCOMPARE(fmt("d"), b);
        QCOMPARE(fmt("e"), fmt("a"));
        QVERIFY(fmt("f").bold);
        QCOMPARE(fmt("g"), fmt("a")); // \plain: back to the default font and format
    }

    void unicodeEscapes_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("text");
        QTest::newRow("uc1 default") << QByteArray("s\\u8217\\'92ka") << QStringLiteral("s’ka");
        QTest::newRow("uc1 plain fallback") << QByteArray("\\u235?sht\\u235 e") << QStringLiteral("është");
        QTest::newRow("uc0") << QByteArray("\\uc0\\u8220 Mir\\u235\\'eb") << QStringLiteral("“Mirëë");
        QTest::newRow("uc2") << QByteArray("\\uc2\\u199\\'43\\'48do") << QStringLiteral("Çdo");
        QTest::newRow("uc2 control words") << QByteArray("\\uc2\\u199\\emdash\\tab x") << QStringLiteral("Çx");
        QTest::newRow("negative N") << QByteArray("\\u-3971?x\\u-1?") << QStringLiteral("\uF07Dx\uFFFF");
        QTest::newRow("surrogate pair") << QByteArray("\\u-10179?\\u-8704?") << QStringLiteral("\U0001F600");
        QTest::newRow("brace ends the fallback") << QByteArray("{\\uc3\\u268}cd") << QStringLiteral("Čcd");
        QTest::newRow("uc is per group") << QByteArray("{\\uc0\\u97}\\u98 xy") << QStringLiteral("aby");
        QTest::newRow("out of range") << QByteArray("\\u99999?z") << QStringLiteral("\uFFFDz");
    }
    void unicodeEscapes() {
        QFETCH(QByteArray, body);
        QFETCH(QString, text);
        QCOMPARE(parse("{\\rtf1\\ansi " + body + "}").plainText(), text);
    }

    void codePages_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("1250") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \\'e8\\'eb\\'9a\\'b9}")
                              << QStringLiteral("čëšą");
        QTest::newRow("1252") << QByteArray("{\\rtf1\\ansi\\ansicpg1252 \\'e8\\'eb\\'9a\\'b9}")
                              << QStringLiteral("èëš¹");
        QTest::newRow("default is 1252") << QByteArray("{\\rtf1\\ansi \\'e8\\'80}") << QStringLiteral("è€");
        QTest::newRow("raw 8-bit bytes") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \xe8\xeb}") << QStringLiteral("čë");
        QTest::newRow("font charset 238")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset238 Arial CE;}}"
                          "\\'e8{\\f1\\'e8\\'eb}\\'e8}")
            << QStringLiteral("èčëè");
        QTest::newRow("font name in its charset")
            << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset238 \\'8ailo;}}\\f0 x}") << QStringLiteral("x");
    }
    void codePages() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        const Document d = parse(rtf);
        QCOMPARE(d.plainText(), text);
        if (QTest::currentDataTag() == QByteArrayView("font name in its charset"))
            QCOMPARE(d.paragraphs.at(0).runs.at(0).format.fontName, QStringLiteral("Šilo"));
    }

    // The built-in 1250 and 1252 tables against the platform's converter, where it has them; the other
    // code pages come from the converter alone.
    void codePagesAgainstConverter_data() {
        QTest::addColumn<int>("cp");
        for (int cp : {1250, 1251, 1252, 1253, 1254})
            QTest::newRow(qPrintable(QString::number(cp))) << cp;
    }
    void codePagesAgainstConverter() {
        QFETCH(int, cp);
        const QByteArray name = "windows-" + QByteArray::number(cp);
        QStringDecoder dec(name.constData());
        if (!dec.isValid())
            QSKIP("this Qt has no converter for the code page");
        QByteArray body;
        QByteArray raw;
        for (int b = 0xA0; b < 0x100; ++b) { // 0x80-0x9F hold the undefined positions, where converters differ
            body += "\\'" + QByteArray::number(b, 16);
            raw += char(b);
        }
        for (char b : QByteArray("\x80\x84\x8a\x91\x92\x93\x94\x96\x97")) {
            body += "\\'" + QByteArray::number(uchar(b), 16);
            raw += b;
        }
        const QString expected = dec.decode(raw);
        QCOMPARE(parse("{\\rtf1\\ansi\\ansicpg" + QByteArray::number(cp) + " " + body + "}").plainText(), expected);
    }

    void symbols() {
        const Document d = parse(QByteArray("{\\rtf1 a\\tab b\\emdash c\\endash d\\lquote e\\rquote f\\ldblquote g"
                                            "\\rdblquote h\\bullet i\\~j\\-k\\_l\\{m\\}n\\\\o\\line p\\par q}"));
        QCOMPARE(d.paragraphs.size(), 3);
        QCOMPARE(d.plainText(), QStringLiteral("a\tb—c–d‘e’f“g”h•i\u00A0j\u00ADk\u2011l{m}n\\o\np\nq"));
    }

    void controlWordSyntax() {
        // a single space delimits a word and is consumed; a second one is text; digits end at a non-digit
        QCOMPARE(parse("{\\rtf1 \\b  x\\fs20y\\b0-z}").plainText(), QStringLiteral(" xy-z"));
        // 33 letters is no control word: skipped, the text goes on
        QCOMPARE(parse("{\\rtf1 a\\abcdefghijklmnopqrstuvwxyzabcdefg b}").plainText(), QStringLiteral("ab"));
        const Document huge = parse("{\\rtf1 \\fs99999999999999999999999 x\\cf-99999999999999 y}");
        QCOMPARE(huge.plainText(), QStringLiteral("xy"));
        QVERIFY(huge.paragraphs.at(0).runs.at(0).format.halfPoints > 0);
    }

    void skippedDestinations() {
        const QByteArray rtf =
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial{\\*\\panose 0000}{\\*\\falt Helv};}}"
            "{\\stylesheet{\\s0 Normal;}}{\\*\\generator Gen 1;}{\\info{\\title Titull}{\\author Autor}}"
            "{\\*\\rsidtbl\\rsid1}{\\*\\xmlnstbl{\\xmlns1 http://x}}{\\*\\pgdsctbl{\\pgdsc0 Default Page Style;}}"
            "{\\*\\listtable{\\list{\\listlevel{\\leveltext \\'01\\'00;}}}}{\\listoverridetable{\\listoverride x}}"
            "{\\header kryet}{\\footer fundi}"
            "A{\\*\\unknowndest hidden {nested} text}B"
            "{\\footnote shënim}C"
            "{\\pict\\pngblip 89504e47{\\*\\blipuid 00}}D"
            "{\\*\\themedata 0102}{\\*\\colorschememapping 3c3f}{\\*\\datastore 0105}{\\*\\latentstyles\\lsdstimax1 x}"
            "{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt lidhja}}E"
            "{\\field{\\fldinst PAGE}{\\fldrslt 7}}"
            "{\\object\\objemb{\\*\\objdata 0102}{\\result rezultati}}"
            "F\\bin3 {}}G{\\v fshehur}H"
            "{\\upr{ansi}{\\*\\ud{unicode}}}}";
        QCOMPARE(parse(rtf).plainText(), QStringLiteral("ABCDlidhjaE7FGHunicode"));
    }

    void malformed_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("only the header") << QByteArray("{\\rtf1") << QString();
        QTest::newRow("group never closed") << QByteArray("{\\rtf1 a{\\b b{\\i c") << QStringLiteral("abc");
        QTest::newRow("stray closing braces") << QByteArray("{\\rtf1 a}}} b}") << QStringLiteral("a b");
        QTest::newRow("truncated hex") << QByteArray("{\\rtf1 ab\\'4") << QStringLiteral("ab");
        QTest::newRow("bad hex") << QByteArray("{\\rtf1 ab\\'zzc}") << QStringLiteral("abzzc");
        QTest::newRow("backslash at end") << QByteArray("{\\rtf1 ab\\") << QStringLiteral("ab");
        QTest::newRow("u at end") << QByteArray("{\\rtf1 ab\\u") << QStringLiteral("ab");
        QTest::newRow("u and fallback cut") << QByteArray("{\\rtf1 ab\\u235") << QStringLiteral("abë");
        QTest::newRow("huge bin") << QByteArray("{\\rtf1 ab\\bin99999999999999 cd}") << QStringLiteral("ab");
        QTest::newRow("negative bin") << QByteArray("{\\rtf1 ab\\bin-5 cd}") << QStringLiteral("abcd");
        QTest::newRow("skip never closed") << QByteArray("{\\rtf1 ab{\\*\\x cd") << QStringLiteral("ab");
        QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b}\0\0", 13) << QStringLiteral("ab");
        QByteArray deep = "{\\rtf1 top" + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + " after}";
        QTest::newRow("100000 nested groups") << deep << QStringLiteral("topdeep after");
        QByteArray deepFormat = "{\\rtf1 " + QByteArray(5000, '{') + "\\b x" + QByteArray(5000, '}') + "y}";
        QTest::newRow("deep groups keep their format") << deepFormat << QStringLiteral("xy");
        QTest::newRow("not rtf") << QByteArray("2:1.\tRreshti një\r\n2:2.\tRreshti dy\r\n")
                                 << QStringLiteral("2:1.\tRreshti një\n2:2.\tRreshti dy");
        QTest::newRow("not rtf, 8-bit") << QByteArray("nj\xeb\nd\xeb") << QStringLiteral("një\ndë");
        QTest::newRow("rtf after a BOM") << QByteArray("\xEF\xBB\xBF {\\rtf1 x}") << QStringLiteral("x");
    }
    void malformed() {
        QFETCH(QByteArray, input);
        QFETCH(QString, text);
        QElapsedTimer t;
        t.start();
        const Document d = parse(input);
        QCOMPARE(d.plainText(), text);
        QVERIFY2(t.elapsed() < 2000, "parsing a small input took seconds");
        if (QTest::currentDataTag() == QByteArrayView("deep groups keep their format")) {
            QVERIFY(findRun(d, QStringLiteral("x"))->format.bold);
            QVERIFY(!findRun(d, QStringLiteral("y"))->format.bold);
        }
    }

    void randomBytes() {
        QRandomGenerator gen(20240611);
        for (int round = 0; round < 20; ++round) {
            QByteArray junk(50000, Qt::Uninitialized);
            for (char& c : junk) {
                // RTF's own characters often, so that the junk reaches every branch of the reader
                const quint32 r = gen.bounded(16);
                c = r < 3 ? "{}\\'*"[gen.bounded(5)] : r < 8 ? char('a' + gen.bounded(26)) : char(gen.bounded(256));
            }
            const Document d = parse("{\\rtf1\\ansi kept\\par " + junk);
            QVERIFY(!d.paragraphs.isEmpty());
            QCOMPARE(paragraphText(d.paragraphs.at(0)), QStringLiteral("kept"));
            QTextDocument doc;
            fill(&doc, d);
            QCOMPARE(doc.blockCount(), d.paragraphs.size());
        }
    }

    void fillDocument() {
        const Document d = parse(readFile(fixture("ajete.rtf")));
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("earlier content\nthat goes"));
        fill(&doc, d);
        QCOMPARE(doc.toPlainText(), d.plainText());
        QCOMPARE(doc.blockCount(), d.paragraphs.size());
        QVERIFY(!doc.isUndoRedoEnabled());

        const QTextBlock verse = doc.findBlockByNumber(1);
        QTextCursor c(verse);
        c.movePosition(QTextCursor::NextCharacter); // the format of the character before the cursor
        QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
        QCOMPARE(c.charFormat().fontFamilies().toStringList(), QStringList{QStringLiteral("Liberation Serif")});
        QCOMPARE(c.charFormat().fontPointSize(), 13.0);
        c.setPosition(verse.position() + 6); // inside the text after the tab
        QCOMPARE(c.charFormat().fontWeight(), int(QFont::Normal));

        const int red = doc.toPlainText().indexOf(QStringLiteral("dielli"));
        c.setPosition(red + 1);
        QCOMPARE(c.charFormat().foreground().color(), QColor(0xc0, 0, 0));

        const Document n = parse(readFile(fixture("shenime.rtf")));
        fill(&doc, n);
        c = QTextCursor(&doc);
        c.setPosition(doc.toPlainText().indexOf(QStringLiteral("këtë")) + 1);
        QCOMPARE(c.charFormat().background().color(), QColor(255, 255, 0));
        QCOMPARE(doc.blockCount(), 5);
    }

    // A text of the size of the program's whole text, written the way our file is: one verse a paragraph, the
    // key bold, the letters as \'hh and \uN escapes.
    void wholeTextSize() {
        const QString source = testsupport::sharedTestFile(QStringLiteral("sq.ahmeti.txt"));
        if (source.isEmpty())
            QSKIP("the shared test text is not here");
        QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fcharset238 Times New Roman;}}"
                         "{\\colortbl;\\red0\\green0\\blue128;}\\fs26\n";
        int verses = 0;
        QString expected;
        for (const QByteArray& line : readFile(source).split('\n')) {
            const QList<QByteArray> parts = line.split('|');
            if (parts.size() != 3)
                continue;
            const QString text = QString::fromUtf8(parts.at(2)).trimmed();
            const QString key = QString::fromLatin1(QByteArray(parts.at(0) + ':' + parts.at(1) + '.'));
            rtf += "{\\b\\cf1 " + key.toLatin1() + "}\\tab ";
            for (QChar ch : text) {
                if (ch.unicode() < 0x80 && ch != QLatin1Char('\\') && ch != QLatin1Char('{') && ch != QLatin1Char('}'))
                    rtf += char(ch.unicode());
                else if (ch == QChar(0xEB))
                    rtf += "\\'eb";
                else
                    rtf += "\\u" + QByteArray::number(ch.unicode() > 32767 ? ch.unicode() - 65536 : ch.unicode()) + "?";
            }
            rtf += "\\par\n";
            expected += (verses ? QStringLiteral("\n") : QString()) + key + QLatin1Char('\t') + text;
            ++verses;
        }
        rtf += "}";
        QCOMPARE(verses, 6236);

        const Document d = parse(rtf);
        QTextDocument doc;
        fill(&doc, d);

        QCOMPARE(d.paragraphs.size(), verses);
        QCOMPARE(d.plainText(), expected);
        QCOMPARE(doc.blockCount(), verses);
        QVERIFY(findRun(d, QStringLiteral("2:255."))->format.bold);
    }

    // The whole-text file the build wrote: a title, then each surah's heading and its verse lines.
    void buildersWholeText() {
        const Document d = parse(readFile(testsupport::buildFolder() + QStringLiteral("/LIB'REZI.rtf")));
        QCOMPARE(d.paragraphs.size(), 1 + 114 + 6236);
        const QStringList lines = d.plainText().split(u'\n');
        QCOMPARE(lines.at(1), QStringLiteral("1.\tFatiha"));
        QVERIFY(lines.at(2).startsWith(QStringLiteral("1:1.\t")));
        QVERIFY(lines.last().startsWith(QStringLiteral("114:6.\t")));
        int headings = 0, verses = 0;
        for (const QString& l : lines.mid(1)) {
            const QString prefix = l.section(u'\t', 0, 0);
            headings += prefix.contains(u':') ? 0 : 1;
            verses += prefix.contains(u':') ? 1 : 0;
        }
        QCOMPARE(headings, 114);
        QCOMPARE(verses, 6236);
        // Keys are bold, the verse texts are not.
        bool keyBold = false, textPlain = false;
        for (const Paragraph& p : d.paragraphs)
            if (!p.runs.isEmpty() && p.runs.first().text.startsWith(QStringLiteral("2:255."))) {
                keyBold = p.runs.first().format.bold;
                textPlain = !p.runs.last().format.bold;
            }
        QVERIFY(keyBold);
        QVERIFY(textPlain);
    }
};

QTEST_MAIN(TestRtfReader)
#include "test_rtfreader.moc"
