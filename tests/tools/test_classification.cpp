#include "platform/database.h"
#include "testsupport.h"
#include "themes/passage.h"
#include "tools/databuilder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using databuilder::BuildError;

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QList<QStringList> rows(platform::Connection& db, const QString& sql) {
    return testsupport::queryRows(db, sql);
}

// The rows of a fact file, read here without the builder.
QList<QStringList> facts(const QString& name) {
    QList<QStringList> out;
    for (const QByteArray& line : readBytes(testsupport::factsFolder() + u'/' + name).split('\n'))
        if (!line.isEmpty() && !line.startsWith('#'))
            out.append(QString::fromUtf8(line).split(u'\t'));
    return out;
}

// A theme's groups as the program reads them: surah, verse list, in ID order.
QList<QStringList> groups(platform::Connection& db, const QString& theme) {
    return rows(db, QStringLiteral("select nrsure, ajetet from klasifikim where tema = '") + theme +
                        QStringLiteral("' order by ID"));
}

// The verses the program fetches for a verse list.
QList<int> versesRead(const QString& list) {
    const themes::VerseFetches f = themes::scanVerseList(list);
    if (f.singleStatement)
        return {list.toInt()};
    QList<int> out;
    for (const QString& v : f.verses)
        out.append(v.toInt());
    return out;
}

// A small classification of a reader's own, with comments, an empty line and a CR LF line.
const QByteArray kOwnFile = "# kreu\tKreu\ttema\tTema\tsureja\tajetet\n"
                            "1\tLutja\t1\tFillimi\t1\t1-7\n"
                            "\n"
                            "1\tLutja\t1\tFillimi\t2\t1-5,255\r\n"
                            "1\tLutja\t2\tDurimi\t2\t153\n"
                            "2\tMëshira\t3\tRrahmani\t55\t1-4,13\n";
constexpr int kOwnFileLines = 6;

} // namespace

class TestClassification : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir; // the bundled classification
    platform::Connection m_db;

private Q_SLOTS:
    void initTestCase() {
        databuilder::build({testsupport::factsFolder(), m_dir.path(), QString(), QString()});
        m_db.Open(m_dir.filePath(QStringLiteral("librezi.db")));
    }

    void everyGroupReadsAsExistingVerses() {
        static const QRegularExpression grammar(QStringLiteral("^\\d+(-\\d+)?(,\\d+(-\\d+)?)*$"));
        const QList<QStringList> all = rows(
            m_db, QStringLiteral("select k.tema, k.nrsure, k.ajetet, s.NrAjete, k.emrsure = s.Emri from klasifikim k "
                                 "left join Suret s on s.IDSureja = k.nrsure order by k.ID"));
        QVERIFY(all.size() > 114);
        for (const QStringList& g : all) {
            const QString where = g[0] + QStringLiteral(", sureja ") + g[1] + QStringLiteral(": ") + g[2];
            QVERIFY2(grammar.match(g[2]).hasMatch(), qPrintable(where));
            QVERIFY2(g[4] == QStringLiteral("1"), qPrintable(where)); // the surah exists, under its name
            const QList<int> verses = versesRead(g[2]);
            QVERIFY2(!verses.isEmpty(), qPrintable(where));
            for (int v : verses)
                QVERIFY2(v >= 1 && v <= g[3].toInt(), qPrintable(where));
        }
    }

    void partsCoverEveryVerseOnceInOrder() {
        const QList<QStringList> starts = facts(QStringLiteral("xhuzet.tsv"));
        QCOMPARE(starts.size(), 30);
        QList<int> verseCount{0}; // by surah number
        for (const QStringList& r : rows(m_db, QStringLiteral("select NrAjete from Suret order by IDSureja")))
            verseCount.append(r[0].toInt());
        int surah = 1, verse = 0, read = 0; // the last verse read
        for (int p = 1; p <= 30; ++p) {
            const QList<QStringList> g = groups(m_db, QStringLiteral("Xhuzi %1").arg(p));
            QVERIFY(!g.isEmpty());
            QCOMPARE(g[0][0], starts[p - 1][1]);
            QCOMPARE(versesRead(g[0][1]).value(0), starts[p - 1][2].toInt());
            for (const QStringList& group : g)
                for (int v : versesRead(group[1])) {
                    const int s = group[0].toInt();
                    // The next verse of the text, or the first of the next surah.
                    const bool next =
                        (s == surah && v == verse + 1) || (s == surah + 1 && v == 1 && verse == verseCount[surah]);
                    QVERIFY2(
                        next,
                        qPrintable(
                            QStringLiteral("Xhuzi %1: %2:%3 after %4:%5").arg(p).arg(s).arg(v).arg(surah).arg(verse)));
                    surah = s;
                    verse = v;
                    ++read;
                }
        }
        QCOMPARE(read, databuilder::kVerseCount);
        QCOMPARE(QStringLiteral("%1:%2").arg(surah).arg(verse), QStringLiteral("114:6"));
        QCOMPARE(groups(m_db, QStringLiteral("Xhuzi 2")),
                 (QList<QStringList>{{QStringLiteral("2"), QStringLiteral("142-252")}}));
    }

    void factChaptersFollowTheirFiles() {
        QList<QStringList> prostration = facts(QStringLiteral("sexhdet.tsv"));
        QCOMPARE(prostration.size(), 15);
        QCOMPARE(groups(m_db, QStringLiteral("Ajetet e sexhdes")), prostration);
        const QList<QStringList> letters = facts(QStringLiteral("mukataat.tsv"));
        QCOMPARE(letters.size(), 29);
        QCOMPARE(groups(m_db, QStringLiteral("Suret që nisin me shkronja të ndara")), letters);
    }

    void placeOfRevelationCoversEverySurahWhole() {
        QSet<QString> seen;
        for (const QString& place : {QStringLiteral("Mekë"), QStringLiteral("Medinë")}) {
            const QString theme = place == u"Mekë" ? QStringLiteral("Suret mekase") : QStringLiteral("Suret medinase");
            const QList<QStringList> expected =
                rows(m_db, QStringLiteral("select IDSureja, '1-' || NrAjete from Suret where Vendi = '") + place +
                               QStringLiteral("' order by IDSureja"));
            QCOMPARE(groups(m_db, theme), expected);
            for (const QStringList& g : expected)
                seen.insert(g[0]);
        }
        QCOMPARE(seen.size(), databuilder::kSurahCount);
    }

    void themesAndChaptersInNumberOrder() {
        const QList<QStringList> themes = rows(m_db, QStringLiteral("select NrTema, Tema from VetemTemat"));
        QCOMPARE(themes.size(), 34);
        for (int i = 0; i < 34; ++i)
            QCOMPARE(themes[i][0].toInt(), i + 1);
        QCOMPARE(themes[29][1], QStringLiteral("Xhuzi 30"));
        QCOMPARE(themes[33][1], QStringLiteral("Suret medinase"));
        QStringList chapterOrder;
        for (const QStringList& r : rows(m_db, QStringLiteral("select NrKreu, NrTema from KreuMeTema")))
            if (chapterOrder.isEmpty() || chapterOrder.last() != r[0])
                chapterOrder.append(r[0]);
        QCOMPARE(chapterOrder,
                 (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
    }

    void ownFileReplacesTheBundledOne() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("temat.tsv"));
        writeBytes(file, kOwnFile);
        QProcess p;
        p.start(testsupport::buildFolder() + QStringLiteral("/tools/librezi-builder"),
                {QStringLiteral("--facts"), testsupport::factsFolder(), QStringLiteral("--out"), dir.path(),
                 QStringLiteral("--classification"), file});
        QVERIFY(p.waitForFinished());
        QCOMPARE(p.exitCode(), 0);
        platform::Connection db;
        db.Open(dir.filePath(QStringLiteral("librezi.db")));
        QCOMPARE(rows(db, QStringLiteral("select NrKreu, Kreu, NrTema, Tema from KreuMeTema")),
                 (QList<QStringList>{{"1", "Lutja", "1", "Fillimi"},
                                     {"1", "Lutja", "2", "Durimi"},
                                     {"2", "Mëshira", "3", "Rrahmani"}}));
        QCOMPARE(rows(db, QStringLiteral("select tema, nrsure, emrsure, ajetet from klasifikim order by ID")),
                 (QList<QStringList>{{"Fillimi", "1", "Fatiha", "1-7"},
                                     {"Fillimi", "2", "Bekare", "1-5,255"},
                                     {"Durimi", "2", "Bekare", "153"},
                                     {"Rrahmani", "55", "Rrahman", "1-4,13"}}));
    }

    void refusedFile_data() {
        QTest::addColumn<QByteArray>("line"); // added after the good file
        QTest::addColumn<QString>("cause");
        const QByteArray head = "2\tMëshira\t3\tRrahmani\t";
        QTest::newRow("open range") << head + "55\t1-" << QStringLiteral("„1-”");
        QTest::newRow("empty entry") << head + "55\t1,,2" << QStringLiteral("„”");
        QTest::newRow("backwards") << head + "55\t3-1" << QStringLiteral("mbrapsht");
        QTest::newRow("blank") << head + "55\t1 2" << QStringLiteral("„1 2”");
        QTest::newRow("trailing blank") << head + "55\t1-3 " << QStringLiteral("„1-3 ”");
        QTest::newRow("letters") << head + "55\tnjë" << QStringLiteral("„një”");
        QTest::newRow("empty list") << head + "55\t" << QStringLiteral("bosh");
        QTest::newRow("surah 0") << head + "0\t1" << QStringLiteral("sureja 0 nuk ekziston");
        QTest::newRow("surah 115") << head + "115\t1" << QStringLiteral("sureja 115 nuk ekziston");
        QTest::newRow("verse 0") << head + "1\t0-2" << QStringLiteral("ajeti 0 nuk");
        QTest::newRow("verse beyond") << head + "1\t2,5-8" << QStringLiteral("ajeti 8 nuk");
        QTest::newRow("five fields") << QByteArray("2\tMëshira\t3\tRrahmani\t55") << QStringLiteral("gjashtë fusha");
        QTest::newRow("chapter returns") << QByteArray("1\tLutja\t1\tFillimi\t3\t1") << QStringLiteral("rikthehet");
        QTest::newRow("chapter renamed") << QByteArray("2\tDashuria\t3\tRrahmani\t55\t1") << QStringLiteral("kreu 2");
        QTest::newRow("theme number reused")
            << QByteArray("2\tMëshira\t3\tFalja\t55\t1") << QStringLiteral("tema 3 quhet „Rrahmani”");
        QTest::newRow("theme title reused")
            << QByteArray("2\tMëshira\t4\tRrahmani\t55\t1") << QStringLiteral("ka numrin 3");
        QTest::newRow("theme in two chapters")
            << QByteArray("2\tMëshira\t2\tDurimi\t55\t1") << QStringLiteral("në kreun 1");
        QTest::newRow("invalid UTF-8") << head + "55\t1\xFF" << QStringLiteral("UTF-8");
    }

    void refusedFile() {
        QFETCH(QByteArray, line);
        QFETCH(QString, cause);
        QTemporaryDir input;
        const QString file = input.filePath(QStringLiteral("temat.tsv"));
        writeBytes(file, kOwnFile + line + '\n');

        const QString db = m_dir.filePath(QStringLiteral("librezi.db"));
        const QString rtf = m_dir.filePath(QStringLiteral("LIB'REZI.rtf"));
        const QByteArray dbBefore = readBytes(db);
        const QByteArray rtfBefore = readBytes(rtf);
        QString message;
        try {
            databuilder::build({testsupport::factsFolder(), m_dir.path(), QString(), file});
        } catch (const BuildError& e) {
            message = e.message();
        }
        QVERIFY2(message.contains(QStringLiteral("Rreshti %1:").arg(kOwnFileLines + 1)), qPrintable(message));
        QVERIFY2(message.contains(cause), qPrintable(message));
        QCOMPARE(readBytes(db), dbBefore);
        QCOMPARE(readBytes(rtf), rtfBefore);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{QStringLiteral("LIB'REZI.rtf"), QStringLiteral("librezi.db")}));
    }
};

QTEST_GUILESS_MAIN(TestClassification)
#include "test_classification.moc"
