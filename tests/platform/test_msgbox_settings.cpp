// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/msgbox.h"
#include "platform/settings.h"
#include "testsupport.h"

#include <QProcess>
#include <QTest>

using namespace platform;
using namespace Qt::StringLiterals;

class TestMsgBoxSettings : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
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

QTEST_MAIN(TestMsgBoxSettings)
#include "test_msgbox_settings.moc"
