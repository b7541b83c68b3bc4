// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/database.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using platform::DbError;

// The connection on a real SQLite file: bound values, one statement at a time, errors, transactions, LIKE.
class TestDatabase : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    platform::Connection db;
    qint64 count() { return db.value(u"select count(*) from t"_s).toLongLong(); }

private Q_SLOTS:
    void initTestCase() {
        db.Open(dir.filePath(u"t.db"_s), platform::Connection::Mode::Create);
        db.exec(u"create table t (id integer, v)"_s);
    }
    void init() { db.exec(u"delete from t"_s); }
    // A bound value is stored and matched as data, whatever quotes or keywords it holds.
    void boundValuesAreData_data() {
        QTest::addColumn<QVariant>("in");
        QTest::addColumn<QString>("out"); // the type and text read back
        for (const QString& s : {u"x' or 1=1; drop table t; --"_s, u"\"v\"\" ; delete from t; --\""_s, u"s’ka ëË"_s})
            QTest::newRow(qPrintable(s)) << QVariant(s) << u"QString "_s + s;
        QTest::newRow("int") << QVariant(7) << u"qlonglong 7"_s;
        QTest::newRow("beyond 32 bits") << QVariant(1LL << 40) << u"qlonglong 1099511627776"_s;
        QTest::newRow("double") << QVariant(2.5) << u"double 2.5"_s;
        QTest::newRow("null") << QVariant() << u" "_s;
    }
    void boundValuesAreData() {
        QFETCH(QVariant, in);
        QFETCH(QString, out);
        platform::Statement insert = db.query(u"insert into t values (?, ?)"_s); // prepared once, run per item
        insert.run({1, in});
        insert.run({2}); // a value not given again is NULL, not that of the run before
        platform::Statement st = db.query(u"select v, id from t where v is ? and id = 1"_s, {in});
        QVERIFY(st.next());
        QCOMPARE(QString::fromLatin1(st.value(0).typeName()) + u' ' + st.text(0), out);
        QCOMPARE(QPoint(st.integer(st.column(u"ID"_s)), count()), QPoint(1, 2));
        QVERIFY(!st.next() && !db.value(u"select v from t where id = 2"_s).isValid());
    }
    // A file that is not a database is refused at the open, and the connection is left closed.
    void openRefusesWhatIsNoDatabase() {
        QFile f(dir.filePath(u"x.db"_s));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(QByteArray(4096, 'x')) == 4096);
        f.close();
        platform::Connection other;
        QVERIFY_THROWS_EXCEPTION(DbError, other.Open(f.fileName()));
        QVERIFY(!other.isOpen());
    }
    void transactionRollsBackWhenItsWorkThrows() {
        const auto insert = [&] { db.exec(u"insert into t values (1, 'x')"_s); };
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 db.transaction([&] { insert(), db.exec(u"insert into mungon values (1)"_s); }));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, db.transaction([&] { insert(), throw std::runtime_error("x"); }));
        QCOMPARE(count(), 0);
        db.transaction(insert); // a transaction opens after one rolled back
        QCOMPARE(count(), 1);
    }
    void failingStatementNamesItself_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("cause");
        QTest::newRow("table") << u"select * from X"_s << u"no such table: X"_s << u"mungon tabela „X”"_s;
        QTest::newRow("\"x\" names a column")
            << u"select * from t where v=\"x\""_s << u"no such column: x"_s << u"mungon kolona „x”"_s;
        QTest::newRow("syntax") << u"selec 1"_s << u"syntax error"_s
                                << u"urdhri drejtuar bazës së të dhënave nuk është i saktë"_s;
        QTest::newRow("a second statement") << u"select 1; delete from t"_s << u"more than one statement"_s
                                            << u"baza e të dhënave nuk e kreu urdhrin"_s;
    }
    void failingStatementNamesItself() {
        QFETCH(QString, sql);
        QFETCH(QString, message);
        QFETCH(QString, cause);
        db.exec(u"insert into t values (1, 'x')"_s);
        try {
            db.exec(sql);
            QFAIL("no error");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
            QCOMPARE(e.statement() + u" → "_s + platform::albanianCause(e), sql + u" → "_s + cause);
        }
        QCOMPARE(db.value(u"select \"v\" from t ; ;\n"_s), QVariant(u"x"_s)); // nothing deleted
    }
    // LIKE ignores the case of every letter and takes ' ’ ‘ as one character, in SQL as in likeMatch.
    void like_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("yes");
        QTest::addColumn<QString>("no");
        QTest::newRow("case of ë and ç, apostrophes")
            << u"%ËNGJ%Ç'Ë%s'ka"_s << u"ëngjëjt ç’është s‘KA"_s << u"ç’eshte"_s;
        QTest::newRow("ends") << u"ab%ba"_s << u"abba"_s << u"aba"_s;
        QTest::newRow("middles") << u"a%zot%tha%a"_s << u"a zot tha a"_s << u"a tha zot a"_s;
        QTest::newRow("a middle needs its own characters") << u"a%a%a"_s << u"aaa"_s << u"aa"_s;
        QTest::newRow("_ takes any one character") << u"%z_t%"_s << u"a zËt"_s << u"a zt"_s;
    }
    void like() {
        QFETCH(QString, pattern);
        QFETCH(QString, yes);
        QFETCH(QString, no);
        for (const QString& text : {yes, no}) {
            QCOMPARE(platform::likeMatch(pattern, text), text == yes);
            QCOMPARE(db.value(u"select ? like ?"_s, {text, pattern}).toBool(), text == yes);
        }
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"
