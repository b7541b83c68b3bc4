// SPDX-License-Identifier: GPL-3.0-or-later
// Where the verses of a text stand: read once from the whole text's keys, and asked by position, by verse and by
// heading (what composed texts record is the passages' and the search's tests); the matches of words in a text.
#include "platform/rtfreader.h"
#include "text/beside.h"
#include "text/composed.h"
#include "text/wholetext.h"

#include <QTest>

using namespace Qt::StringLiterals;
using text::Verse;

namespace {
// A plain text read as the whole text: one paragraph a line.
text::VerseIndex indexOfPlain(const QString& lines) {
    return text::indexOf(platform::rtf::parse(lines.toUtf8()));
}
} // namespace

class TestText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Keys and headings at the start of a line, and nowhere else; stored keys.
    void keys_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("verse");
        QTest::addColumn<int>("heading");
        QTest::newRow("verse") << u"2:255.\tAll-llahu"_s << u"2:255"_s << 0;
        QTest::newRow("verse without text") << u"114:6.\t"_s << u"114:6"_s << 0;
        QTest::newRow("heading") << u"36.\tJasin"_s << u""_s << 36;
        QTest::newRow("no TAB after the dot") << u"2:255. x"_s << u""_s << 0;
        QTest::newRow("blank before the key") << u" 2:255.\tx"_s << u""_s << 0;
        QTest::newRow("five digits") << u"12345:1.\tx"_s << u""_s << 0;
        QTest::newRow("verse 0") << u"2:0.\tx"_s << u""_s << 0;
        QTest::newRow("heading of four digits") << u"1234.\tx"_s << u""_s << 0;
        QTest::newRow("a number in a sentence") << u"7 herë.\tx"_s << u""_s << 0;
    }
    void keys() {
        QFETCH(QString, line);
        QFETCH(QString, verse);
        QFETCH(int, heading);
        const Verse v = text::verseOfLine(line);
        QCOMPARE(v.isValid() ? v.text() : QString(), verse);
        QCOMPARE(text::surahOfHeading(line), heading);
    }
    void storedKeys() {
        QCOMPARE(Verse::fromText(u" 36:12 "_s), Verse({36, 12}));
        for (const QString& bad : {u"36"_s, u":12"_s, u"36:"_s, u"36:1x"_s, u"0:1"_s, u"36:12:1"_s, u"12345:1"_s})
            QVERIFY2(!Verse::fromText(bad).isValid(), qPrintable(bad));
    }
    // The whole text's index: positions count a line break as one, as the document filled from it does; the title
    // and other lines hold no verse; a verse's line holds its break; headings by surah and by line.
    void wholeText() {
        const QString lines = u"Titulli\n1.\tFatiha\n1:1.\tNë emër\n1:2.\tFalënderimi\n\n2.\tBekare\n2:1.\tElif"_s;
        const text::VerseIndex index = indexOfPlain(lines);
        QCOMPARE(index.size(), 3);
        QCOMPARE(index.startOf({1, 2}), lines.indexOf(u"1:2"_s));
        QCOMPARE(index.startOf({2, 1}), lines.indexOf(u"2:1"_s));
        QCOMPARE(index.startOf({2, 2}), -1);
        QCOMPARE(index.headingOf(2), lines.indexOf(u"\n2.\t"_s) + 1);
        QCOMPARE(index.headingAt(int(lines.indexOf(u"1.\t"_s))), 1);
        QCOMPARE(index.headingAt(0), 0);
        const int end = int(lines.indexOf(u"\n\n"_s));
        QCOMPARE(index.at(end), Verse({1, 2})); // the break ends the verse's line
        QCOMPARE(index.at(end + 1), Verse());   // the empty line
        QCOMPARE(index.at(end - 1), Verse({1, 2}));
        QCOMPARE(index.at(int(lines.indexOf(u"1:2"_s)) - 1), Verse({1, 1}));
        QCOMPARE(index.at(3), Verse());                       // the title
        QCOMPARE(index.at(int(lines.size())), Verse({2, 1})); // the end of the text
        QCOMPARE(index.firstFrom(0, int(lines.size())), Verse({1, 1}));
        QCOMPARE(index.firstFrom(0, int(lines.indexOf(u"1:1"_s))), Verse()); // it starts at the limit: not before
        QCOMPARE(index.firstFrom(int(lines.indexOf(u"1:2"_s)), 1000), Verse({1, 2}));
    }
    // A text that lacks a verse of the database, or holds them out of order, is told by the first verse missing.
    void missingVerses_data() {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("missing");
        QTest::newRow("all, in order, with other lines") << u"T\n1.\tF\n1:1.\ta\n1:2.\tb\n2:1.\tc"_s << QString();
        QTest::newRow("one missing") << u"1:1.\ta\n2:1.\tc"_s << u"1:2"_s;
        QTest::newRow("out of order") << u"1:2.\tb\n1:1.\ta\n2:1.\tc"_s << u"1:2"_s;
        QTest::newRow("key inside a line") << u"1:1.\ta 1:2.\tb\n2:1.\tc"_s << u"1:2"_s;
        QTest::newRow("a longer key") << u"1:1.\ta\n11:2.\tb\n2:1.\tc"_s << u"1:2"_s;
        QTest::newRow("the last missing") << u"1:1.\ta\n1:2.\tb"_s << u"2:1"_s;
        QTest::newRow("empty text") << QString() << u"1:1"_s;
    }
    void missingVerses() {
        QFETCH(QString, lines);
        QFETCH(QString, missing);
        const Verse v = text::firstMissingVerse(indexOfPlain(lines), {{1, 1}, {1, 2}, {2, 1}});
        QCOMPARE(v.isValid() ? v.text() : QString(), missing);
    }
    // Matches as the view's find finds them: case and apostrophe kinds aside, each search after the previous match,
    // ë as e only when loose.
    void matches_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<bool>("loose");
        QTest::addColumn<QString>("found");
        QTest::newRow("case and apostrophes")
            << u"S’ka, s'ka, SKA"_s << QStringList{u"s'ka"_s} << false << u"0+4 6+4"_s;
        QTest::newRow("next after the match") << u"aaaa"_s << QStringList{u"aa"_s} << false << u"0+2 2+2"_s;
        QTest::newRow("word after word") << u"ab ba"_s << QStringList{u"b"_s, u"a"_s} << false << u"1+1 3+1 0+1 4+1"_s;
        QTest::newRow("exact: ë is not e") << u"Zotë zote"_s << QStringList{u"zote"_s} << false << u"5+4"_s;
        QTest::newRow("loose: ë is e") << u"Zotë zote çel"_s << QStringList{u"zote"_s, u"cel"_s} << true
                                       << u"0+4 5+4 10+3"_s;
        QTest::newRow("an empty word finds nothing") << u"abc"_s << QStringList{QString()} << false << QString();
    }
    void matches() {
        QFETCH(QString, text);
        QFETCH(QStringList, words);
        QFETCH(bool, loose);
        QFETCH(QString, found);
        QStringList got;
        for (const auto& [at, length] : text::matchesIn(text, words, loose))
            got.append(u"%1+%2"_s.arg(at).arg(length));
        QCOMPARE(got.join(u' '), found);
    }
    // The texts beside the verses of a composed text: the Arabic above a key line (not twice), a translation under
    // the block after its short name; the blocks, key lines, marks and lines beside where the new text has them.
    void beside() {
        text::Composer c;
        c.line(u"Titulli"_s);
        c.verse({1, 1}, u"një"_s, {{0, 3}});
        c.verse({1, 2}, u"dy"_s, {}, {{u"عين"_s, true, {{1, 1}}}});
        const text::ShownText arabic{QString(), true, {{{1, 1}, u"أ"_s}, {{1, 2}, u"ب"_s}}};
        const text::ShownText other{text::shortName(u"sq.mehdiu"_s), false, {{{1, 1}, u"one"_s}, {{1, 2}, u"two"_s}}};
        const text::Composed out = text::withBeside(c.take(), {arabic, other});
        QCOMPARE(out.text, u"Titulli\nأ\n1:1.\tnjë\nMehdiu:\tone\nعين\n1:2.\tdy\nMehdiu:\ttwo\n"_s);
        const auto mid = [&out](int from, int to) { return out.text.mid(from, to - from); };
        const text::VerseIndex::Span *first = out.index.spanOf({1, 1}), *second = out.index.spanOf({1, 2});
        QCOMPARE(mid(first->start, first->end), u"أ\n1:1.\tnjë\nMehdiu:\tone"_s);
        QCOMPARE(mid(first->key, first->keyEnd), u"1:1.\tnjë"_s);
        QCOMPARE(mid(second->start, second->end), u"عين\n1:2.\tdy\nMehdiu:\ttwo"_s);
        QCOMPARE(mid(second->key, second->keyEnd), u"1:2.\tdy"_s);
        QStringList marked, lines;
        for (const text::Mark& m : out.marks)
            marked << out.text.mid(m.start, m.length);
        for (const text::BesideLine& b : out.beside)
            lines << out.text.mid(b.start, b.length) + (b.arabic ? u" ←"_s : QString());
        QCOMPARE(marked, (QStringList{u"një"_s, u"ي"_s}));
        QCOMPARE(lines, (QStringList{u"أ ←"_s, u"Mehdiu:\tone"_s, u"عين ←"_s, u"Mehdiu:\ttwo"_s}));
        QCOMPARE(out.index.at(first->start), (Verse{1, 1})); // the Arabic line is the verse's
    }
    // A copied verse names its surah, its key and its translator in the genitive.
    void references() {
        QCOMPARE(text::reference(u"Jasin"_s, {36, 12}, u"Sherif Ahmeti"_s),
                 u"(Jasin 36:12, përkthimi i Sherif Ahmetit)"_s);
        QCOMPARE(text::reference(u"Fatiha"_s, {1, 1}, QString()), u"(Fatiha 1:1)"_s);
        QCOMPARE((QStringList{text::genitive(u"Feti Mehdiu"_s), text::genitive(u"Hasan Nahi"_s),
                              text::genitive(u"Muhamed"_s), text::genitive(u"Mustafa"_s)}),
                 (QStringList{u"Feti Mehdiut"_s, u"Hasan Nahit"_s, u"Muhamedit"_s, u"Mustafës"_s}));
        const text::Copied copied = text::copiedVerse(u"ب\r\n2:3.\tTë <cilët>"_s, {2, 3}, u"(Bekare 2:3)"_s);
        QCOMPARE(copied.plain, u"ب\r\nTë <cilët> (Bekare 2:3)"_s);
        QCOMPARE(copied.html, u"<p dir=\"rtl\">ب</p><p>Të &lt;cilët&gt; (Bekare 2:3)</p>"_s);
    }
};

QTEST_GUILESS_MAIN(TestText)
#include "test_text.moc"
