#include "app/module1.h"
#include "platform/database.h"
#include "platform/sqldialect.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QTest>

using Module1::cnLidhja;
using platform::DbError;

// The statements reach SQLite in the form the program composes them; these check each form on a real file.
class TestDatabase : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    int count(const QString& sql) {
        platform::Recordset rs = cnLidhja.Execute(sql);
        int n = 0;
        while (!rs.Eof()) {
            ++n;
            rs.MoveNext();
        }
        return n;
    }

private Q_SLOTS:
    void init() {
        testsupport::createEmptyDatabase(dir.filePath(QStringLiteral("t.db")));
        cnLidhja.Execute(QStringLiteral("insert into Lokacioni_i_zerit values (1, 'A', 'a', -1, -1)"));
        cnLidhja.Execute(QStringLiteral("insert into Lokacioni_i_zerit values (2, 'B', 'b', -1, 0)"));
        cnLidhja.Execute(QStringLiteral("insert into Lokacioni_i_zerit values (3, 'C', 'c', 0, -1)"));
        cnLidhja.Execute(QStringLiteral("insert into librezi values (12, 4, 'Ëngjëjt thanë: s’ka zot tjetër')"));
        cnLidhja.Execute(QStringLiteral("insert into librezi values (12, 5, 'Ai tha: “Biri im”')"));
        cnLidhja.Execute(QStringLiteral("insert into librezi values (1, 1, 'ç''është 100%_ e saktë')"));
        cnLidhja.Execute(QStringLiteral("insert into Temat values (1, 'tema', 1)"));
        cnLidhja.Execute(QStringLiteral("insert into klasifikim values (1, 'Sabri', 2, 'Bekare', '45')"));
    }

    void bareDefaultColumn() {
        QCOMPARE(
            cnLidhja.Execute(QStringLiteral("select Lokacioni from Lokacioni_i_zerit where default=-1 and Ajete=-1"))
                .Fields(QStringLiteral("lokacioni"))
                .toString(),
            QStringLiteral("a"));
        QCOMPARE(count(QStringLiteral("Select Lexuesi from Lokacioni_i_zerit where Default=-1 and Ajete=0")), 1);
    }

    void qualifiedBracketColumnInSet() {
        cnLidhja.Execute(QStringLiteral("UPDATE Lokacioni_i_zerit SET Lokacioni_i_zerit.[Default] = 0 where Ajete=-1"));
        QCOMPARE(count(QStringLiteral("select * from Lokacioni_i_zerit where default=-1")), 1);
        cnLidhja.Execute(
            QStringLiteral("update Lokacioni_i_zerit set Lokacioni_i_zerit.[Default] = -1 where IDLok =2"));
        QCOMPARE(cnLidhja.Execute(QStringLiteral("select Lexuesi from Lokacioni_i_zerit where default=-1 and Ajete=-1"))
                     .Fields(0)
                     .toString(),
                 QStringLiteral("B"));
    }

    void numberGluedToKeyword() {
        platform::Recordset rs =
            cnLidhja.Execute(QStringLiteral("select * from librezi where nrsure = 12And nrajet = 4"));
        QVERIFY(!rs.Eof());
        QCOMPARE(rs.Fields(QStringLiteral("NrAjet")).toInt(), 4);
        rs.MoveNext();
        QVERIFY(rs.Eof());
        // A number that is really a number stays whole.
        QCOMPARE(count(QStringLiteral("select * from librezi where nrsure = 12 and nrajet >= 4.0")), 2);
    }

    void doubleQuotedLiteralIsText() {
        // A column named like the literal must not be compared with itself.
        QCOMPARE(count(QStringLiteral("select nrsure, emrsure, ajetet from klasifikim where ((tema = \"tema\"));")), 0);
        QCOMPARE(count(QStringLiteral("select nrsure, emrsure, ajetet from klasifikim where ((tema = \"Sabri\"));")),
                 1);
    }

    void literalsStayData_data() {
        QTest::addColumn<QString>("literal");
        QTest::newRow("apostrophe doubled") << QStringLiteral("'x'' or 1=1 --'");
        QTest::newRow("keywords in double quotes") << QStringLiteral("\"x\"\" ; drop table librezi; --\"");
        QTest::newRow("double quote inside single quotes") << QStringLiteral("'\" or \"\"=\"'");
        QTest::newRow("brackets inside") << QStringLiteral("'[Default] default 12And'");
    }
    void literalsStayData() {
        QFETCH(QString, literal);
        QCOMPARE(count(QStringLiteral("select * from klasifikim where tema = ") + literal), 0);
        QCOMPARE(count(QStringLiteral("select * from librezi")), 3);
    }

    void likeIgnoresCaseOfEveryLetter() {
        QCOMPARE(count(QStringLiteral("SELECT * FROM librezi WHERE Perkthimi LIKE '%ëngjëj%'")), 1);
        QCOMPARE(count(QStringLiteral("SELECT * FROM librezi WHERE Perkthimi LIKE '%ËNGJËJ%'")), 1);
        QCOMPARE(count(QStringLiteral("SELECT * FROM librezi WHERE Perkthimi LIKE '%Ç''ËSHTË%'")), 1);
    }

    void likeTakesTheThreeApostrophesAsOne() {
        QCOMPARE(count(QStringLiteral("SELECT * FROM librezi WHERE Perkthimi LIKE '%s''ka%'")), 1);
        QCOMPARE(count(QStringLiteral("SELECT * FROM librezi WHERE Perkthimi LIKE '%s‘ka%'")), 1);
        QCOMPARE(count(QStringLiteral("SELECT * FROM librezi WHERE Perkthimi LIKE '%ç’është%'")), 1);
    }

    void likeWildcards() {
        QCOMPARE(count(QStringLiteral("SELECT * FROM librezi WHERE Perkthimi LIKE '%%'")), 3);
        QCOMPARE(count(QStringLiteral("SELECT * FROM librezi WHERE Perkthimi LIKE '%z_t%'")), 1);
        QCOMPARE(count(QStringLiteral("SELECT * FROM librezi WHERE Perkthimi LIKE 'ai%im”'")), 1);
        QCOMPARE(count(QStringLiteral("SELECT * FROM librezi WHERE Perkthimi LIKE 'ai%'")), 1);
        QCOMPARE(count(QStringLiteral("SELECT * FROM librezi WHERE Perkthimi LIKE '%100%'")), 1);
        QCOMPARE(
            count(QStringLiteral("SELECT * From Librezi WHERE Perkthimi LIKE '%thanë%' AND Perkthimi LIKE '%zot%'")),
            1);
    }

    void likeMatcher_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("match");
        QTest::newRow("exact") << "abc"
                               << "ABC" << true;
        QTest::newRow("exact shorter") << "ab"
                                       << "abc" << false;
        QTest::newRow("anchored ends overlap") << "ab%ba"
                                               << "aba" << false;
        QTest::newRow("anchored ends") << "ab%ba"
                                       << "abba" << true;
        QTest::newRow("middle after first") << "a%a%a"
                                            << "aa" << false;
        QTest::newRow("middle found") << "a%a%a"
                                      << "aaa" << true;
        QTest::newRow("underscore") << "_"
                                    << "ë" << true;
        QTest::newRow("underscore needs a char") << "a_"
                                                 << "a" << false;
        QTest::newRow("empty pattern") << ""
                                       << "" << true;
        QTest::newRow("empty pattern, text") << ""
                                             << "x" << false;
    }
    void likeMatcher() {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QFETCH(bool, match);
        QCOMPARE(platform::likeMatch(pattern, text), match);
    }

    void failingStatementCarriesItsText() {
        const QString bad = QStringLiteral("select * from NukEkziston");
        try {
            cnLidhja.Execute(bad);
            QFAIL("no error");
        } catch (const DbError& e) {
            QCOMPARE(e.statement(), bad);
            QVERIFY(e.message().contains(QLatin1String("NukEkziston")));
            QCOMPARE(platform::albanianCause(e), QStringLiteral("mungon tabela „NukEkziston”"));
        }
        QVERIFY_THROWS_EXCEPTION(DbError, cnLidhja.Execute(QStringLiteral("select 1; delete from librezi")));
        QCOMPARE(count(QStringLiteral("select * from librezi")), 3);
        QVERIFY_THROWS_EXCEPTION(
            DbError, cnLidhja.Execute(QStringLiteral("select * from librezi")).Fields(QStringLiteral("mungon")));
    }

    void openRefusesWhatIsNoDatabase() {
        platform::Connection c;
        QVERIFY_THROWS_EXCEPTION(DbError, c.Open(dir.filePath(QStringLiteral("mungon.db"))));
        QFile f(dir.filePath(QStringLiteral("tekst.db")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        try {
            c.Open(f.fileName());
            QFAIL("no error");
        } catch (const DbError& e) {
            QCOMPARE(platform::albanianCause(e), QStringLiteral("skedari nuk është bazë të dhënash"));
        }
    }

    void normaliserForms_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("glued") << "nrsure = 12And nrajet = 4"
                               << "nrsure = 12 And nrajet = 4";
        QTest::newRow("default") << "where default=-1"
                                 << "where [default]=-1";
        QTest::newRow("dq") << "tema = \"a'b\""
                            << "tema = 'a''b'";
        QTest::newRow("set") << "UPDATE T SET T.[Default] = 0 where T.x=1"
                             << "UPDATE T SET [Default] = 0 where T.x=1";
        QTest::newRow("exponent kept") << "x = 1e5"
                                       << "x = 1e5";
        QTest::newRow("unterminated") << "x = 'abc"
                                      << "x = 'abc'";
    }
    void normaliserForms() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(platform::normaliseSql(in), out);
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"
