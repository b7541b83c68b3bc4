// SPDX-License-Identifier: GPL-3.0-or-later
// The reading session without a window: where the reader goes, what the view is asked to show, and the way back.
#include "data/library.h"
#include "data/schema.h"
#include "reading/session.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using reading::Screen;
using text::Verse;

class TestSession : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    platform::Connection db;
    data::Library lib{db};
    static std::shared_ptr<const text::Composed> composed(const QString& line) {
        text::Composer c;
        c.line(line);
        return std::make_shared<const text::Composed>(c.take());
    }
    // What the view would say of the screen left: here a place made of a counter, so that each capture is seen.
    int m_capture = 0;
    void watch(reading::Session& s) {
        s.setPlaceOfView([this](Screen& left) {
            ++m_capture;
            left.verse = {36, m_capture};
            left.caret = 100 + m_capture;
        });
    }

private Q_SLOTS:
    void initTestCase() {
        db.Open(dir.filePath(u"s.db"_s), platform::Connection::Mode::Create);
        for (const QString& s : schema::createStatements())
            db.exec(s);
        db.exec(u"INSERT INTO Suret VALUES (1, 'Fatiha', 7, ''), (36, 'Jasin', 83, '')"_s);
    }
    // A verse the database has is gone to and heard of once; a surah or verse it lacks is told and nothing moves.
    void goingTo_data() {
        QTest::addColumn<Verse>("verse");
        QTest::addColumn<QString>("told");
        QTest::newRow("a verse") << Verse{36, 12} << QString();
        QTest::newRow("the last verse") << Verse{36, 83} << QString();
        QTest::newRow("one beyond the last") << Verse{36, 84} << u"Sureja Jasin ka 83 ajete"_s;
        QTest::newRow("verse 0") << Verse{1, 0} << u"Sureja Fatiha ka 7 ajete"_s;
        QTest::newRow("no such surah") << Verse{2, 1} << u"Nuk ka sure me numrin 2"_s;
    }
    void goingTo() {
        QFETCH(Verse, verse);
        QFETCH(QString, told);
        reading::Session s(lib);
        s.goTo({1, 3});
        QSignalSpy chosen(&s, &reading::Session::verseChosen), tell(&s, &reading::Session::told);
        QCOMPARE(s.goTo(verse, reading::Origin::Recitation), told.isEmpty());
        QCOMPARE(tell.value(0).value(0).toString(), told);
        QCOMPARE(s.verse(), told.isEmpty() ? verse : Verse({1, 3}));
        QCOMPARE(chosen.size(), told.isEmpty() ? 1 : 0);
        if (told.isEmpty())
            QCOMPARE(chosen[0][1].value<reading::Origin>(), reading::Origin::Recitation);
    }
    // Results over the whole text, a verse opened from them, then back twice: the results at the line left, then
    // the whole text at the verse left; each screen left is asked of the view once. Where the reader is in the whole
    // text: its top verse while it shows, else the place the way back leads to.
    void wayBack() {
        reading::Session s(lib);
        watch(s);
        m_capture = 0;
        QSignalSpy shown(&s, &reading::Session::screenChanged);
        const auto results = composed(u"results"_s);
        s.show(Screen::Results, results);
        QVERIFY(s.showsComposed() && s.canGoBack());
        QCOMPARE(s.screen().text, results);
        QCOMPARE(s.wholeTextPlace(), Verse({36, 1})); // not asked of the view while the results show
        QVERIFY(s.openInWholeText({36, 12}));
        QVERIFY(!s.showsComposed());
        QCOMPARE(s.verse(), Verse({36, 12}));
        QCOMPARE(s.wayBack().size(), 2);
        QCOMPARE(m_capture, 2);
        QVERIFY(s.goBack());
        QCOMPARE(s.screen().kind, Screen::Results);
        QCOMPARE(s.screen().caret, 102); // where the reader left the results
        QCOMPARE(s.screen().text, results);
        QVERIFY(s.goBack());
        QCOMPARE(s.screen().kind, Screen::WholeText);
        QCOMPARE(s.screen().verse, Verse({36, 1})); // where the reader left the whole text
        QVERIFY(!s.goBack() && !s.canGoBack());
        QCOMPARE(shown.size(), 4);
        QCOMPARE(s.wholeTextPlace(), Verse({36, 3}));
    }
    // A composed text replaces a composed text: one way back leads to the whole text however many passages were
    // read; a failed search brings back what was there, whole text or passage.
    void replacingAndUndoing() {
        reading::Session s(lib);
        watch(s);
        const auto one = composed(u"one"_s), two = composed(u"two"_s), note = composed(u"note"_s);
        s.show(Screen::Passage, one);
        s.show(Screen::Passage, two);
        QCOMPARE(s.wayBack().size(), 1);
        s.show(Screen::Note, note);
        s.undoShow();
        QCOMPARE(s.screen().text, two);
        s.undoShow(); // once only
        QCOMPARE(s.screen().text, two);
        QVERIFY(s.goBack());
        s.show(Screen::Note, note);
        s.undoShow();
        QVERIFY(!s.showsComposed() && !s.canGoBack()); // the whole text, and no way back left behind
    }
    // The way back keeps a bounded number of screens.
    void bounded() {
        reading::Session s(lib);
        for (int i = 0; i < reading::Session::kMaxBack + 5; ++i) {
            s.show(Screen::Results, composed(u"r"_s));
            s.openInWholeText({1, 1});
        }
        QCOMPARE(s.wayBack().size(), reading::Session::kMaxBack);
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "test_session.moc"
