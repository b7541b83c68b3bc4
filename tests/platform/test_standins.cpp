// SPDX-License-Identifier: GPL-3.0-or-later
// The small stand-ins for what the platform gave: the list controls (a put of ListIndex raises Click before it
// returns, a put of Text raises nothing), the scripted message boxes and the settings store; the connection on a
// real SQLite file: bound values, one statement at a time, errors, transactions, LIKE.
#include "platform/database.h"
#include "platform/listcontrols.h"
#include "platform/msgbox.h"
#include "platform/settings.h"
#include "testsupport.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using namespace platform;
using namespace Qt::StringLiterals;

class TestStandIns : public QObject {
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
    void comboPutsAndItems() {
        platform::ComboBox c;
        c.setSorted(true);
        QStringList clicks; // ListIndex and Text as each Click saw them
        connect(&c, &platform::ComboBox::Click, [&] { clicks += QString::number(c.ListIndex()) + c.Text(); });
        c.setText(u"typed"_s);
        int n = 0;
        for (const QString& s : {u"Nisa"_s, u"bekare"_s, u"Fatiha"_s})
            c.AddItem(s, ++n); // adding selects nothing and keeps the typed text
        c.setListIndex(1);
        c.setText(u"typed"_s);
        c.AddItem(u"Ali Imran"_s, 9); // before the selection, which moves with its item
        QCOMPARE(QList<int>({c.ItemData(0), c.ItemData(1), c.ItemData(2), c.ItemData(3), c.ListIndex()}),
                 QList<int>({9, 2, 3, 1, 2}));
        c.RemoveItem(0);
        QCOMPARE(c.List(c.ListIndex()) + c.Text(), u"Fatihatyped"_s);
        c.RemoveItem(1);
        QCOMPARE(c.ListIndex(), -1);
        c.selectQuietly(1);
        Q_EMIT c.activated(0); // the reader's choice
        QCOMPARE(c.ListIndex(), 0);
        c.setListIndex(-1);
        QCOMPARE(clicks.first() + clicks.last() + QString::number(clicks.size()), u"1Fatiha-13"_s);
        c.setText(u"typed"_s);
        c.Clear();
        QCOMPARE(c.Text() + QString::number(c.ListCount()), u"typed0"_s);
    }
    // The combo of the platform does nothing of its own with Enter, nor when the field loses the focus.
    void enterAndLeavingAreNoChoice() {
        QWidget window;
        platform::ComboBox c(&window);
        QLineEdit other(&window);
        c.AddItem(u"zot"_s);
        window.show();
        QApplication::setActiveWindow(&window);
        QSignalSpy clicks(&c, &platform::ComboBox::Click);
        c.lineEdit()->setFocus();
        QTest::keyClicks(c.lineEdit(), u"zot"_s);
        QTest::keyClick(c.lineEdit(), Qt::Key_Return);
        other.setFocus();
        QTRY_VERIFY(other.hasFocus());
        QCOMPARE(QPoint(clicks.count(), c.ListCount()), QPoint(0, 1)); // nothing chosen, nothing inserted
        QCOMPARE(c.Text(), u"zot"_s);
    }
    void scriptedAnswersAndSettings() {
        MsgBoxScript script;
        script.answer(Answer::No);
        QCOMPARE(MsgBox(u"Pyetje?"_s, Buttons::YesNo), Answer::No);
        QCOMPARE(MsgBox(u"x"_s, Buttons::YesNo, u"Titull"_s), Answer::Yes); // unscripted: the first button
        QCOMPARE(script.asked().first().title + QString::number(script.unscripted()), u"Lib'rezi Drites1"_s);
        testsupport::useSettingsIn(dir);
        const QString app = u"Lib'rezi Drites"_s, section = u"Lista e fjalëve të kërkuara"_s, key = u"Fjala 0"_s;
        QVERIFY(SaveSetting(app, section, key, u"s'ka “zot”"_s) && SaveSetting(app, section, u"Fjala 1"_s, u"ë; %"_s));
        QCOMPARE(GetAllSettings(app, section),
                 (QList<QPair<QString, QString>>{{key, u"s'ka “zot”"_s}, {u"Fjala 1"_s, u"ë; %"_s}}));
        QVERIFY(DeleteSetting(app, section, key) && GetSetting(app, section, key, u"mungon"_s) == u"mungon"_s);
        QVERIFY(GetAllSettings(app, u"Tjetër"_s).isEmpty() && GetSetting(u"Tjetër"_s, section, u"Fjala 1"_s).isEmpty());
    }
    // With no screen and no script nobody could answer a box: the run ends at once, saying what it would have
    // asked, instead of waiting for ever (the program started where it has no database).
    void unscriptedBoxWithoutScreenEndsTheRun() {
        QTemporaryDir program;
        const QString exe = program.filePath(u"librezi"_s);
        QVERIFY(QFile::copy(testsupport::buildFolder() + u"/librezi"_s, exe));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"XDG_CONFIG_HOME"_s, program.path());
        p.setProcessEnvironment(env);
        p.start(exe);
        QVERIFY(p.waitForFinished(20000));
        QVERIFY(p.exitStatus() == QProcess::CrashExit || p.exitCode() != 0);
        QVERIFY(p.readAllStandardError().contains("a message box that nobody can answer: Programi nuk mund të niset."));
    }
};

QTEST_MAIN(TestStandIns)
#include "test_standins.moc"
