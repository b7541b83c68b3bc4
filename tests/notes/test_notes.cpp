// SPDX-License-Identifier: GPL-3.0-or-later
// The reader's notes on verses, in a store of their own: a note kept and read back whole, the notes in book order,
// an empty text removing one, the filter, the notes moved through a JSON file and back, and a refused file or a
// store that cannot be written changing nothing.
#include "notes/notes.h"
#include "tools/textinput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using text::Verse;

class TestNotes : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    int n = 0;
    QString store;

    static QList<Verse> verses(const QList<notes::Note>& list) {
        QList<Verse> v;
        for (const notes::Note& note : list)
            v << note.verse;
        return v;
    }
    QString file(const QByteArray& content) {
        const QString path = dir.filePath(u"shenime%1.json"_s.arg(++n));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private Q_SLOTS:
    void init() { store = dir.filePath(u"data%1/shenimet.db"_s.arg(++n)); } // a fresh store in a folder not yet made

    void roundTripAndBookOrder() {
        QCOMPARE(notes::note(store, {36, 12}), QString()); // no store yet
        QVERIFY(notes::all(store).isEmpty());
        QVERIFY(QDir().mkpath(QFileInfo(store).path()));
        QVERIFY(QFile(store).open(QIODevice::WriteOnly)); // an empty file: a store in which no note was kept yet
        QCOMPARE(notes::note(store, {36, 12}), QString());
        QVERIFY(notes::all(store).isEmpty());
        const QString text = u"Çdo gjë e shënuar.\nRreshti i dytë — ëË"_s;
        notes::save(store, {36, 12}, text);
        notes::save(store, {2, 255}, u"Ajeti i Kursisë"_s);
        notes::save(store, {36, 9}, u"nëntë"_s);
        notes::save(store, {114, 1}, u"fundi"_s);
        notes::save(store, {36, 12}, text); // saved again: still one note
        QCOMPARE(notes::note(store, {36, 12}), text);
        QCOMPARE(notes::note(store, {12, 36}), QString()); // surah and verse not swapped
        QCOMPARE(verses(notes::all(store)), (QList<Verse>{{2, 255}, {36, 9}, {36, 12}, {114, 1}}));
        QVERIFY(notes::all(store)[2].changed.isValid());
    }

    void emptyRemoves_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("blank") << u" \n\t"_s;
    }
    void emptyRemoves() {
        QFETCH(QString, text);
        notes::save(store, {1, 1}, u"një"_s);
        notes::save(store, {1, 2}, u"dy"_s);
        notes::save(store, {1, 1}, text);
        QCOMPARE(notes::note(store, {1, 1}), QString());
        QCOMPARE(verses(notes::all(store)), (QList<Verse>{Verse{1, 2}})); // the other stays
    }

    void filter_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QList<Verse>>("found");
        QTest::newRow("all") << QString() << QList<Verse>{{2, 3}, {18, 10}, {36, 12}};
        QTest::newRow("case") << u"DURIM"_s << QList<Verse>{{2, 3}, {18, 10}};
        QTest::newRow("ë as e") << u"shpetim"_s << QList<Verse>{{2, 3}, {18, 10}};
        QTest::newRow("ë typed") << u"SHPËTIM"_s << QList<Verse>{{2, 3}, {18, 10}};
        QTest::newRow("ç as c") << u"CDO"_s << QList<Verse>{{36, 12}};
        QTest::newRow("key") << u"18:10"_s << QList<Verse>{{18, 10}};
        QTest::newRow("none") << u"xyz"_s << QList<Verse>{};
    }
    void filter() {
        QFETCH(QString, filter);
        QFETCH(QList<Verse>, found);
        notes::save(store, {36, 12}, u"Çdo gjë"_s);
        notes::save(store, {18, 10}, u"Durimi dhe shpëtimi"_s);
        notes::save(store, {2, 3}, u"durim, shpetim"_s); // typed without ë
        QCOMPARE(verses(notes::search(notes::all(store), filter)), found);
    }

    // Exported and imported into an empty store: the same notes, letters and lines kept; into a store that has a
    // different note on a verse: both kept; imported twice: nothing more.
    void exportImport() {
        const QString text = u"Rreshti një: ë ç Ë Ç\nRreshti dy: \"thonjëza\" \\ e fund"_s;
        notes::save(store, {36, 12}, text);
        notes::save(store, {1, 7}, u"hyrja"_s);
        const QString json = dir.filePath(u"eksport.json"_s);
        QCOMPARE(notes::exportTo(store, json), 2);
        QFile f(json);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(f.readAll()).contains(u"\"ajeti\": \"36:12\""_s)); // readable: the key as such

        const QString other = dir.filePath(u"tjeter/shenimet.db"_s);
        QCOMPARE(notes::importFrom(other, json), 2);
        QCOMPARE(verses(notes::all(other)), (QList<Verse>{{1, 7}, {36, 12}}));
        QCOMPARE(notes::note(other, {36, 12}), text);
        QCOMPARE(notes::importFrom(other, json), 0); // already there

        const QString third = dir.filePath(u"trete.db"_s);
        notes::save(third, {1, 7}, u"e imja"_s);
        QCOMPARE(notes::importFrom(third, json), 2);
        QCOMPARE(notes::note(third, {1, 7}), u"e imja\n\nhyrja"_s);
    }

    void refusedFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not JSON") << QByteArray("36:12 shënim\n");
        QTest::newRow("an object") << QByteArray(R"({"ajeti":"36:12","shenimi":"a"})");
        QTest::newRow("bad key") << QByteArray(R"([{"ajeti":"1:1","shenimi":"a"},{"ajeti":"36-12","shenimi":"b"}])");
        QTest::newRow("no surah 115") << QByteArray(
            R"([{"ajeti":"1:1","shenimi":"a"},{"ajeti":"115:1","shenimi":"b"}])");
        QTest::newRow("note not text") << QByteArray(R"([{"ajeti":"1:1","shenimi":"a"},{"ajeti":"2:1","shenimi":7}])");
    }
    void refusedFile() {
        QFETCH(QByteArray, content);
        notes::save(store, {36, 12}, u"e imja"_s);
        const QList<notes::Note> before = notes::all(store);
        QVERIFY_THROWS_EXCEPTION(databuilder::BuildError, notes::importFrom(store, file(content)));
        QCOMPARE(notes::all(store), before);
    }

    // A store that cannot be written: the error says so in Albanian, naming the file.
    void unwritableStore() {
        const QString blocker = dir.filePath(u"skedar"_s);
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const QString bad = blocker + u"/shenimet.db"_s; // a folder that is a file
        try {
            notes::save(bad, {1, 1}, u"a"_s);
            QFAIL("saved into a store that cannot be made");
        } catch (const databuilder::BuildError& e) {
            QVERIFY2(e.message().startsWith(u"Baza e të dhënave"_s), qPrintable(e.message()));
            QVERIFY(e.message().contains(u"shenimet.db"_s));
        }
    }
};

QTEST_GUILESS_MAIN(TestNotes)
#include "test_notes.moc"
