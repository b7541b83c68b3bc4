// SPDX-License-Identifier: GPL-3.0-or-later
// The search as data, without a window: the phrase split into words, the verses found (the same whichever
// statement finds them), each with the places of its words, and the text that shows them.
#include "platform/database.h"
#include "platform/textfold.h"
#include "search/dbsearch.h"
#include "search/report.h"
#include "search/wordlist.h"
#include "tools/databuilder.h"
#include "tools/parallel.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSearchData : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    platform::Connection db;
    // The verses SQLite's LIKE (the program's own, folding case and apostrophes) finds for a phrase.
    QStringList byLike(const QString& phrase, bool loose, bool column = true) {
        const SearchQuery q = search::statementFor(phrase, 0,
                                                   !loose   ? search::Matching::Exact
                                                   : column ? search::Matching::Loose
                                                            : search::Matching::LooseWithoutColumn);
        QStringList keys;
        for (platform::Statement st = db.query(q.sql, q.values); st.next();)
            keys.append(st.text(0) + u':' + st.text(1));
        return keys;
    }
    static QStringList keysOf(const search::Outcome& o) {
        QStringList keys;
        for (const search::Result& r : o.results)
            keys.append(r.verse.text());
        return keys;
    }

private Q_SLOTS:
    // The real translation when the shared material is here; otherwise verses written for the case.
    void initTestCase() {
        QString translation = qEnvironmentVariable("LIBREZI_SHARED") + u"/testdata/sq.ahmeti.txt"_s;
        if (!QFile::exists(translation)) {
            translation = dir.filePath(u"sq.txt"_s);
            QFile f(translation);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const QStringList kinds{u"S’ka Zot tjetër, është Ai"_s, u"s'KA dyshim, ËSHTË e vërtetë"_s,
                                    u"Musa dhe Harun, ëngjëjt"_s, u"zote, Cka, çka 100%"_s, u"a_b ab"_s};
            for (const databuilder::Surah& s : databuilder::readSurahs(qEnvironmentVariable("LIBREZI_FACTS")))
                for (int v = 1; v <= s.verses; ++v)
                    f.write(u"%1|%2|%3\n"_s.arg(s.number).arg(v).arg(kinds[(s.number + v) % kinds.size()]).toUtf8());
        }
        databuilder::Options o;
        o.factsFolder = qEnvironmentVariable("LIBREZI_FACTS");
        o.outFolder = dir.path();
        o.translationFile = translation;
        databuilder::build(o);
        db.Open(dir.filePath(u"librezi.db"_s));
    }
    // A phrase split at "&" into words, and the values the statement binds for them.
    void splitting_data() {
        QTest::addColumn<QStringList>("phraseAndWords");
        QTest::newRow("no separator: the whole phrase") << QStringList{"Zoti i botëve", "Zoti i botëve"};
        QTest::newRow("two separators together") << QStringList{"a&&b", "a", "", "b"};
        QTest::newRow("separator first and last") << QStringList{"&a&", "", "a", ""};
        QTest::newRow("blanks next to the separator stay") << QStringList{"a & b", "a ", " b"};
        QTest::newRow("one character dropped per separator") << QStringList{"ab&cd&ef", "ab", "cd", "ef"};
    }
    void splitting() {
        QFETCH(QStringList, phraseAndWords);
        QString stringu = phraseAndWords.takeFirst();
        FjalKerkim list;
        list.Add("left from an earlier phrase");
        QCOMPARE(NumerojiFjalet(stringu, "&", list), int(phraseAndWords.size()));
        QCOMPARE(stringu, phraseAndWords.last()); // the caller's variable keeps the last word
        // The words in order, each bound as "%word%" to a "?" of its own.
        const SearchQuery q = FormojeSQLStringunMeAndLike(list);
        QCOMPARE(int(q.sql.count(u'?')), list.Count());
        for (int n = 1; n <= list.Count(); ++n) {
            QCOMPARE(list.Item(n).Text(), phraseAndWords.value(n - 1));
            QCOMPARE(q.values.value(n - 1), QVariant(QString(u'%' + phraseAndWords.value(n - 1) + u'%')));
        }
    }
    // Whether the folded copy narrows the search or the LIKE statement runs, the verses found are the ones LIKE finds.
    void sameVerses_data() {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<bool>("loose");
        for (const QString& p : {u"është"_s, u"s'ka"_s, u"S’KA"_s, u"Musa&Harun"_s, u"Zot&&Ai"_s, u"ËNGJËJ"_s, u"çka"_s,
                                 u"a_b"_s, u"100%"_s, u"zote"_s, u"xyzzy"_s})
            for (bool loose : {false, true})
                QTest::addRow("%s%s", qPrintable(p), loose ? ", ë as e" : "") << p << loose;
    }
    void sameVerses() {
        QFETCH(QString, phrase);
        QFETCH(bool, loose);
        const search::Outcome o = search::run(db, {phrase, 0, QString(), loose});
        QCOMPARE(keysOf(o), byLike(phrase, loose));
        // Every verse found shows each word of the phrase (a wildcard word aside) where its marks say.
        const QStringList words = search::markedWords(phrase);
        for (const search::Result& r : o.results)
            for (const QString& w : words)
                if (!w.isEmpty() && !w.contains(u'%') && !w.contains(u'_'))
                    QVERIFY2(std::any_of(r.matches.cbegin(), r.matches.cend(),
                                         [&](const auto& m) {
                                             return platform::foldText(r.text.mid(m.first, m.second), loose) ==
                                                    platform::foldText(w, loose);
                                         }),
                             qPrintable(r.verse.text() + u' ' + w));
    }
    // One surah only; a search called off before its first row finds nothing.
    void limitsAndCalledOff() {
        const search::Outcome one = search::run(db, {u"a"_s, 2, u"Bekare"_s, false});
        QVERIFY(!one.results.isEmpty());
        QVERIFY(
            std::all_of(one.results.cbegin(), one.results.cend(), [](const auto& r) { return r.verse.surah == 2; }));
        const std::atomic<bool> off{true};
        QVERIFY(search::run(db, {u"a"_s, 0, QString(), false}, &off).results.isEmpty());
    }
    // A database whose folded copy is missing for some verses is searched by LIKE alone, and finds them.
    void withoutFoldedCopy() {
        db.exec(u"UPDATE librezi SET Kerkimi = '' WHERE NrSure = 2"_s);
        for (bool loose : {false, true}) {
            const QStringList keys = keysOf(search::run(db, {u"a"_s, 2, QString(), loose}));
            QVERIFY(!keys.isEmpty());
            QCOMPARE(keys.size(), byLike(u"a"_s, loose, false).filter(QRegularExpression(u"^2:"_s)).size());
        }
    }
    // What a search shows: the report and its rule, then a verse a line, each where the index says, and the words
    // marked in the verses and in the report.
    void composed() {
        search::Outcome o;
        o.request = {u"zot&ai"_s, 2, u"Bekare"_s, false};
        o.results = {{{2, 5}, u"Zoti, Ai"_s, {{0, 3}, {6, 2}}}, {{2, 9}, u"ai zot"_s, {{3, 3}, {0, 2}}}};
        const text::Composed c = search::compose(o);
        const QString report = search::reportLine(2, u"zot&ai"_s, true, u"Bekare"_s);
        QCOMPARE(c.crlf(), u"\r\n"_s + report + u"\r\n"_s + search::reportRule() +
                               u"\r\n\r\n2:5.\tZoti, Ai\r\n2:9.\tai zot\r\n"_s);
        QCOMPARE(c.index.startOf({2, 9}), c.text.indexOf(u"2:9."_s));
        QStringList marked;
        for (const text::Mark& m : c.marks)
            marked.append(c.text.mid(m.start, m.length));
        QCOMPARE(marked, QStringList({u"zot"_s, u"ai"_s, u"Zot"_s, u"Ai"_s, u"zot"_s, u"ai"_s}));
    }
    // A phrase typed in Arabic finds the verses of the Arabic text, each with the reader's translation of it and the
    // places of the phrase in its Arabic, shown above its key line.
    void arabicBesideTranslation() {
        QByteArray arabic;
        const QStringList own{u"2:3"_s, u"2:100"_s, u"55:13"_s};
        for (const databuilder::Surah& s : databuilder::readSurahs(qEnvironmentVariable("LIBREZI_FACTS")))
            for (int v = 1; v <= s.verses; ++v)
                arabic += u"%1|%2|نص %3\n"_s.arg(s.number)
                              .arg(v)
                              .arg(own.contains(u"%1:%2"_s.arg(s.number).arg(v)) ? u"ٱلرَّحۡمَـٰنِ"_s : u"كتاب"_s)
                              .toUtf8();
        const QString store = dir.filePath(u"tekstet.db"_s);
        const qint64 id =
            databuilder::importParallel(store, u"arabisht.txt"_s, arabic, databuilder::TextKind::Arabic, u"ar"_s,
                                        databuilder::readSurahs(qEnvironmentVariable("LIBREZI_FACTS")))
                .id;
        search::Request r{u"الرحمن"_s, 0, QString(), false, store, id};
        const search::Outcome all = search::run(db, r);
        QCOMPARE(keysOf(all), own);
        for (const search::Result& hit : all.results) {
            QCOMPARE(hit.text, db.value(u"SELECT Perkthimi FROM librezi WHERE NrSure = ? AND NrAjet = ?"_s,
                                        {hit.verse.surah, hit.verse.verse})
                                   .toString());
            QCOMPARE(hit.arabic.mid(hit.arabicMatches.value(0).first, hit.arabicMatches.value(0).second), u"ٱلرَّحۡمَـٰنِ"_s);
        }
        r.surah = 55;
        QCOMPARE(keysOf(search::run(db, r)), QStringList{u"55:13"_s});
        const text::Composed c = search::compose(all);
        const int key = c.index.spanOf({2, 100})->key;
        QCOMPARE(c.text.mid(c.index.startOf({2, 100}), key - c.index.startOf({2, 100})), u"نص ٱلرَّحۡمَـٰنِ\n"_s);
        QVERIFY(c.text.mid(key).startsWith(u"2:100.\t"_s + all.results[1].text));
        QVERIFY(std::any_of(c.marks.cbegin(), c.marks.cend(), [&](const text::Mark& m) {
            return c.text.mid(m.start, m.length) == u"ٱلرَّحۡمَـٰنِ"_s && m.start < key;
        }));
    }
    void refusals() {
        using search::Refusal;
        QCOMPARE(search::refusalOf(QString(), false, 0), Refusal::Empty);
        QCOMPARE(search::refusalOf(u"a&"_s.repeated(49) + u"a"_s, false, 0), Refusal::None); // 50 words
        QCOMPARE(search::refusalOf(u"a&"_s.repeated(50) + u"a"_s, false, 0), Refusal::TooManyWords);
        QCOMPARE(search::refusalOf(u"a"_s, true, 0), Refusal::NoSurah);
        QCOMPARE(search::refusalOf(u"a"_s, true, 114), Refusal::None);
        QCOMPARE(search::refusalOf(u"الرحمن"_s, false, 0, false), Refusal::NoArabic); // no Arabic text to search
        QCOMPARE(search::refusalOf(u"الرحمن"_s, false, 0, true), Refusal::None);
        QCOMPARE(search::refusalOf(u"Rahman"_s, false, 0, false), Refusal::None);
        QCOMPARE(QList<int>({search::currentSurah(u" 114 "_s), search::currentSurah(u"115"_s),
                             search::currentSurah(u"2.0"_s), search::currentSurah(u"+2"_s)}),
                 QList<int>({114, 0, 0, 0}));
    }
};

QTEST_GUILESS_MAIN(TestSearchData)
#include "test_searchdata.moc"
