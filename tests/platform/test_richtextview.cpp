// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/look.h"
#include "platform/richtextview.h"
#include "platform/rtffill.h"
#include "platform/textfile.h"
#include "testsupport.h"
#include "text/wholetext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using namespace Qt::StringLiterals;
using platform::RichTextView;
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

// The RTF reader, and the view on a real QTextEdit: CR LF positions, search, span, formats and files as the main
// window uses them.
class TestRichTextView : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    // A file of the folder holding `bytes`: its path, "" when it cannot be written.
    QString file(const QString& name, const QByteArray& bytes) {
        return testsupport::overwrite(dir.filePath(name), bytes) ? dir.filePath(name) : QString();
    }
    // A character for each one of the text: '/' for a line break, then 7 for 14.5 points, R red (or a match's
    // colour), B bold, '.' plain.
    static QString marks(RichTextView& v) {
        QString s;
        for (QTextCursor c(v.document()); c.movePosition(QTextCursor::NextCharacter);) {
            const QTextCharFormat f = c.charFormat();
            const bool lineBreak = v.document()->characterAt(c.position() - 1) == QChar::ParagraphSeparator;
            s += lineBreak                   ? u'/'
                 : f.fontPointSize() == 14.5 ? u'7'
                 : f.foreground().color() == Qt::red || f.foreground().color() == platform::colour(text::Role::Match)
                     ? u'R'
                 : f.fontWeight() == QFont::Bold ? u'B'
                                                 : u'.';
        }
        return s;
    }

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
    // Which verse a place of the view belongs to, in CR LF positions: a verse's line holds its break, a line of its
    // own none; the verse at the top is looked for in the top line and the three below it; a surah's heading stands
    // above its first verse.
    void versesOfTheView() {
        RichTextView v;
        v.resize(600, 400);
        text::Composer c;
        for (const QString& line : {u"report"_s, u""_s, u"rule"_s})
            c.line(line);
        c.verse({2, 5}, u"Zoti"_s);
        c.line(u"between"_s);
        c.verse({2, 6}, u"Ai"_s);
        v.showComposed(c.take());
        const QString text = v.Text();
        const int five = int(text.indexOf(u"2:5."_s)), six = int(text.indexOf(u"2:6."_s));
        QCOMPARE(v.verseAt(five), text::Verse({2, 5}));
        QCOMPARE(v.verseAt(five + 9), text::Verse({2, 5}));  // at the CR of its line's break
        QCOMPARE(v.verseAt(five + 10), text::Verse({2, 5})); // on the LF: the break itself
        QCOMPARE(v.verseAt(five + 11), text::Verse());       // the next line
        QCOMPARE(v.verseAt(int(text.size()) - 2), text::Verse({2, 6}));
        QCOMPARE(v.verseAt(int(text.size())), text::Verse()); // the empty line after the last break
        QCOMPARE(v.positionOf({2, 6}), six);
        QCOMPARE(v.positionOf({2, 7}), -1);
        QCOMPARE(v.topVerse(), text::Verse({2, 5})); // the fourth line from the top
        text::Composer far;
        for (const QString& line : {u"a"_s, u"b"_s, u"c"_s, u"d"_s})
            far.line(line);
        far.verse({2, 5}, u"Zoti"_s);
        v.showComposed(far.take());
        QCOMPARE(v.topVerse(), text::Verse()); // the fifth is too far
        v.setText(u"2:5.\tZoti"_s);            // a text given as it is knows no verse
        QCOMPARE(v.verseAt(0), text::Verse());
    }
    // The whole text: verses and headings where the file has them, their keys and headings drawn in the palette's
    // colours of their roles (the file's own colours stand for roles), other colours as the file gives them.
    void wholeTextRoles() {
        const QByteArray rtf =
            "{\\rtf1{\\colortbl ;\\red1\\green2\\blue3;\\red4\\green5\\blue6;\\red7\\green8\\blue9;}"
            "{\\cf1 Titulli}\\par{\\b\\cf1 2.\\tab Bekare}\\par{\\b\\cf2 2:1.\\tab}Elif{\\cf3 Lam}\\par"
            "{\\b\\cf2 2:2.\\tab}{\\cf3 (ky p\\u235?rkthim nuk ka tekst p\\u235?r k\\u235?t\\u235? ajet)}\\par}";
        const QString path = file(u"roles.rtf"_s, rtf);
        RichTextView v;
        QVERIFY(v.setFileName(path));
        const QString text = v.Text();
        const int heading = int(text.indexOf(u"2.\t"_s)), key = int(text.indexOf(u"2:1."_s));
        QCOMPARE(v.headingAt(heading + 3), 2);
        QCOMPARE(v.positionOf({2, 1}, true), heading);
        QCOMPARE(v.positionOf({2, 1}), key);
        const auto colourAt = [&](qsizetype at) { return testsupport::colourAt(v, at); };
        QCOMPARE(colourAt(0), platform::colour(text::Role::Heading)); // the title, in the headings' colour
        QCOMPARE(colourAt(heading), platform::colour(text::Role::Heading));
        QCOMPARE(colourAt(key), platform::colour(text::Role::VerseKey));
        QCOMPARE(colourAt(text.indexOf(u"Lam"_s)), QColor(7, 8, 9));
        // A verse without text says so in the notes' colour, whatever colour the file gives it.
        QCOMPARE(colourAt(text.indexOf(u"(ky"_s)), platform::colour(text::Role::Note));
        // Another palette: the roles take its colours.
        platform::usePalette(
            [](text::Role r) { return r == text::Role::VerseKey ? QColor(9, 9, 9) : platform::dayPalette(r); });
        QVERIFY(v.setFileName(path));
        QCOMPARE(colourAt(key), QColor(9, 9, 9));
        // The night over the text shown: every run of a role takes the role's colour, the file's own colours stay,
        // no character changes. A document filled by day and shown at night takes the night's colours too.
        const auto rolesIn = [&](platform::Palette palette) {
            using text::Role;
            const std::pair<qsizetype, Role> runs[] = {{0, Role::Heading},
                                                       {heading, Role::Heading},
                                                       {key, Role::VerseKey},
                                                       {text.indexOf(u"(ky"_s), Role::Note}};
            for (const auto& [at, role] : runs)
                QVERIFY2(colourAt(at) == palette(role), qPrintable(QString::number(at)));
            QVERIFY(colourAt(text.indexOf(u"Lam"_s)) == QColor(7, 8, 9) && v.Text() == text);
        };
        platform::setNight(true);
        v.recolour();
        rolesIn(&platform::nightPalette);
        platform::setNight(false);
        auto filled = std::make_unique<QTextDocument>();
        const platform::rtf::Document parsed = platform::rtf::parse(rtf);
        platform::rtf::fill(filled.get(), parsed);
        platform::setNight(true);
        v.showDocument(parsed, text::indexOf(parsed), path, std::move(filled));
        rolesIn(&platform::nightPalette);
        platform::setNight(false);
        v.recolour();
        rolesIn(&platform::dayPalette);
        platform::usePalette(nullptr);
    }
    // Loose letters asked after the folded text was made: finding folds anew.
    void looseLettersAfterAFind() {
        RichTextView v;
        v.setText(u"Zotë\r\nçka"_s);
        QCOMPARE(v.Find(u"zote"_s, 0), -1);
        v.setLooseLetters(true);
        QCOMPARE(v.Find(u"zote"_s, 0), 0);
        QCOMPARE(v.Find(u"cka"_s, 0), 6);
        v.setLooseLetters(false);
        QCOMPARE(v.Find(u"cka"_s, 0), -1);
    }
    void positions() {
        // Every kind of line break reads as CR LF; many paragraphs, empty ones among them.
        const QString in = u"\r\nAjeti 1 ëç\nAjeti 2\rAjeti 3\r\n\u2028Ajeti 4\n\r\n"_s.repeated(60);
        const QString text = u"\r\nAjeti 1 ëç\r\nAjeti 2\r\nAjeti 3\r\n\r\nAjeti 4\r\n\r\n"_s.repeated(60);
        RichTextView v;
        v.setText(in);
        v.setSelLength(int(text.size())); // selected before the text is read
        QCOMPARE(v.SelText(), text);
        QCOMPARE(v.Text() + QString::number(v.TextLength()), text + QString::number(text.size()));
        for (int p = 0; p <= text.size(); ++p) {
            const bool lf = p > 0 && text.at(p - 1) == u'\r'; // the LF of a break is the break itself
            QCOMPARE(v.fromDocumentPosition(v.toDocumentPosition(p)), lf ? p - 1 : p);
            if (lf)
                continue;
            v.setSelStart(p);
            v.setSelLength(int(text.size()) - p);
            QCOMPARE(v.SelText(), text.mid(p));
        }
    }
    // Find, Span and UpTo as the search and the verse commands use them.
    void findSpanAndUpTo() {
        RichTextView v;
        const auto from = [&](int start, int length, auto move) {
            v.setSelStart(start);
            v.setSelLength(length);
            move();
            return QPoint(v.SelStart(), v.SelLength());
        };
        const auto find = [&](const QString& what, int start, int end = -1) { // a miss keeps the selection
            int found = -2;
            const QPoint selection = from(3, 4, [&] { found = v.Find(what, start, end); });
            return QList<int>{found, selection.x(), selection.y()};
        };
        v.setText(u"Ëngjëjt thanë: s’ka zot\r\nÇka ka? s'KA ‘ka\r\nçka ëngjëjt mbaruan"_s);
        QCOMPARE(find(u"ëngjëjt"_s, 0), QList<int>({0, 0, 7}));
        QCOMPARE(find(u"ëngjëjt"_s, -1), QList<int>({47, 47, 7})); // from the caret
        QCOMPARE(find(u"s'ka"_s, 0), QList<int>({15, 15, 4}));     // ' finds ’
        QCOMPARE(find(u"s’ka"_s, 20), QList<int>({33, 33, 4}));    // ’ finds ' in another case
        QCOMPARE(find(u"'ka"_s, 35), QList<int>({38, 38, 3}));     // ' finds ‘
        QCOMPARE(find(u"zot"_s, 0, 22), QList<int>({-1, 3, 4}));   // a match must end by the end
        QCOMPARE(find(u"zot"_s, 0, 23), QList<int>({20, 20, 3}));
        QCOMPARE(find(u"ka zot\r\nÇka"_s, 0), QList<int>({17, 17, 11})); // over a line break
        QCOMPARE(find(QString(), 0), QList<int>({-1, 3, 4}));
        v.setText(u"12:4\tËngjëjt\tthanë\r\nrreshti pa skedë\r\n12:5\tAi tha"_s);
        const QString cr = u"\r"_s;
        QCOMPARE(from(5, 7, [&] { v.Span(cr, true, true); }), QPoint(5, 13));        // to the line's end
        QCOMPARE(from(13, 0, [&] { v.Span(u"\t"_s, true, true); }), QPoint(13, 29)); // over lines to a TAB
        QCOMPARE(from(2, 0, [&] { v.UpTo(cr, true, false); }), QPoint(18, 0));       // up to a CR
        QCOMPARE(from(20, 3, [&] { v.UpTo(u"e"_s, true, false); }), QPoint(33, 0));  // from the selection's end
        QCOMPARE(from(28, 0, [&] { v.UpTo(cr, false, false); }), QPoint(18, 0));     // back to a CR
        QCOMPARE(from(7, 0, [&] { v.UpTo(cr, false, false); }), QPoint(0, 0));       // back to 0
    }
    // A change of format keeps the text; new text, or a change of characters, replaces it; so does a file.
    void formatsTextAndFiles() {
        RichTextView v;
        const QString text = u"Zoti është\r\nZoti"_s;
        v.setText(text);
        QCOMPARE(v.Find(u"është"_s, 0), 5);
        v.setSelFontSize(u"14,5"_s);
        QCOMPARE(marks(v) + v.Text(), u".....77777/...."_s + text);
        QTextCursor c(v.document());
        c.setPosition(4, QTextCursor::KeepAnchor);
        c.insertText(u"ZOTI"_s); // as many characters as before
        QCOMPARE(v.Text(), u"ZOTI"_s + text.mid(4));
        // A composed text: its marks drawn in their role's colour, a stretch marked twice once.
        text::Composed composed{QString(text).replace(u"\r\n"_s, u"\n"_s), {}, {}, {}};
        for (const auto& [at, length] : text::matchesIn(composed.text, {u"zoti"_s, QString(), u"ë"_s, u"oti"_s}, false))
            composed.marks.append({at, length, text::Role::Match});
        v.showComposed(composed);
        QCOMPARE(marks(v), u"RRRR.R...R/RRRR"_s);
        v.setText(text);
        QCOMPARE(marks(v), u"........../...."_s);

        // A file that is empty or not RTF is refused like a missing one, and the view keeps what it shows.
        const auto write = [&](const QByteArray& bytes) { return file(QString::number(qHash(bytes)), bytes); };
        v.setSelStart(2);
        for (const QByteArray& no : {QByteArray(), " \r\n\t"_ba, "\xEF\xBB\xBF"_ba, "1:1. Me emrin"_ba, "x{\\rtf1}"_ba})
            QVERIFY(!v.setFileName(write(no)));
        QCOMPARE(QPoint(v.SelStart(), v.TextLength()), QPoint(2, text.size()));
        const QByteArray rtf =
            "\xEF\xBB\xBF \r\n\t{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}1\\tab {\\b\\cf1 \\u203?}"
            "{\\b\\fs29 x}\\b z\\par\n\\b0 y";
        QCOMPARE(platform::rtfStart(rtf), 7);
        QVERIFY(v.setFileName(write(rtf)) && v.FileName() == write(rtf));
        QCOMPARE(v.Text() + marks(v) + QString::number(v.SelStart()), u"1\tËxz\r\ny..R7B/.0"_s);
    }
    // The whole text under a passage keeps its layout, caret and place: it comes back without being laid out again.
    // A long verse wraps under the start of its text, not under its key: in the whole text and in results, at the
    // size the text comes in and after another size or face is chosen.
    void longVersesHang_data() {
        QTest::addColumn<bool>("whole");
        QTest::addColumn<QString>("face");      // chosen once the text shows; "" none
        QTest::addColumn<QStringList>("sizes"); // chosen after it, in turn
        QTest::newRow("whole text") << true << QString() << QStringList();
        QTest::newRow("whole text, 26 points") << true << QString() << QStringList{u"26"_s};
        QTest::newRow("whole text, 9 then 26 points") << true << QString() << QStringList{u"9"_s, u"26"_s};
        QTest::newRow("whole text, another face at 7") << true << u"DejaVu Sans Mono"_s << QStringList{u"7"_s};
        QTest::newRow("results") << false << QString() << QStringList();
        QTest::newRow("results, 20 points") << false << QString() << QStringList{u"20"_s};
    }
    void longVersesHang() {
        QFETCH(bool, whole);
        QFETCH(QString, face);
        QFETCH(QStringList, sizes);
        RichTextView v;
        v.resize(420, 500);
        v.show();
        const QString verse = u"Ata që besojnë në të fshehtën dhe e falin namazin "_s.repeated(6);
        if (whole) {
            QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 DejaVu Sans;}}\\f0\\fs24 {\\b 2.\\tab Bekare}\\par";
            for (const char* key : {"2:255.", "114:6."})
                rtf += "{\\b " + QByteArray(key) + "\\tab}" + verse.toLatin1() + "\\par";
            QVERIFY(v.setFileName(file(u"varur.rtf"_s, rtf + '}')));
        } else {
            text::Composer c;
            c.line(u"Fjala gjendet në 2 ajete"_s);
            c.verse({2, 255}, verse);
            c.verse({114, 6}, verse);
            v.setTextFont(QFont(u"DejaVu Sans"_s, 12));
            v.showComposed(c.take());
        }
        if (!face.isEmpty())
            v.setFontName(face);
        for (const QString& size : sizes) // the first size goes over every run, the next ones are the default font's
            v.setFontSize(size);
        const QString lines = v.Text();
        for (const char* key : {"2:255.\t", "114:6.\t"}) {
            const QTextBlock block = v.document()->findBlock(v.toDocumentPosition(int(lines.indexOf(key))));
            QTRY_VERIFY(block.layout()->lineCount() > 2);
            const auto left = [&](qsizetype at) { // where the character `at` of the line is drawn
                QTextCursor c(v.document());
                c.setPosition(block.position() + int(at));
                return v.cursorRect(c).left();
            };
            const int keyStart = left(0), textStart = left(block.text().indexOf(u'\t') + 1),
                      second = left(block.layout()->lineAt(1).textStart()),
                      third = left(block.layout()->lineAt(2).textStart());
            QVERIFY2(keyStart < textStart - 20 && qAbs(second - textStart) <= 2 && third == second,
                     qPrintable(u"%1: %2 %3 %4 %5"_s.arg(key).arg(keyStart).arg(textStart).arg(second).arg(third)));
        }
    }
    void wholeTextKeptUnderPassage() {
        RichTextView v;
        v.resize(400, 300);
        v.show();
        QVERIFY(!v.showWholeText());                        // nothing loaded yet
        QByteArray rtf = "{\\rtf1 {\\fs40 Titulli}\\par\n"; // a heading in a size of its own
        for (int i = 1; i <= 3000; ++i)
            rtf += QByteArray::number(i) + " rreshti i librit\\par\n";
        QVERIFY(v.setFileName(file(u"i-plote.rtf"_s, rtf + '}')));
        const int late = int(v.Text().indexOf(u"\n2900 "_s)) + 1;
        v.showAtTop(late);
        v.setSelStart(late + 3);
        const QTextBlock block = v.document()->findBlock(v.toDocumentPosition(late));
        v.setText(u"Ajeti i zgjedhur"_s);
        QVERIFY(!v.showsWholeText() && v.Text() == u"Ajeti i zgjedhur"_s && v.showWholeText() && v.showsWholeText());
        QVERIFY(block.layout()->lineCount() > 0); // nothing was laid out again
        QCOMPARE(QPoint(v.topPosition(), v.SelStart()), QPoint(late, late + 3));
        v.setText(u"Ajeti i zgjedhur"_s);
        v.setFontSize(u"15"_s); // the text under the passage takes the size chosen over it
        QVERIFY(v.showWholeText());
        QCOMPARE(QPoint(v.fontAt(late).pointSize(), v.fontAt(0).pointSize()), QPoint(15, 15));
        v.setSelLength(3); // a size of its own again, given over by the next size for the whole text
        v.setSelFontSize(u"30"_s);
        v.setFontSize(u"16"_s);
        QCOMPARE(v.fontAt(v.SelStart() + 1).pointSize(), 16);
        v.setText(u"Ajeti"_s); // the passage, not shown when the size was chosen, is in it too
        QCOMPARE(v.fontAt(0).pointSize(), 16);
    }
};

QTEST_MAIN(TestRichTextView)
#include "test_richtextview.moc"
