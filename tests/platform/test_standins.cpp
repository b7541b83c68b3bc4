// SPDX-License-Identifier: GPL-3.0-or-later
// The small stand-ins for what the platform gave: the list controls (a put of ListIndex raises Click before it
// returns, a put of Text raises nothing), the scripted message boxes and the settings store.
#include "platform/listcontrols.h"
#include "platform/msgbox.h"
#include "platform/settings.h"
#include "testsupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using namespace platform;
using namespace Qt::StringLiterals;

class TestStandIns : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
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
