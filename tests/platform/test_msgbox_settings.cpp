#include "platform/msgbox.h"
#include "platform/settings.h"
#include "testsupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestMsgBoxSettings : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase() { testsupport::useSettingsIn(dir); }

    void scriptAnswersAndRecords() {
        platform::MsgBoxScript script;
        script.answer(platform::Answer::No);
        QCOMPARE(platform::MsgBox(QStringLiteral("Pyetje?"), platform::Buttons::YesNo), platform::Answer::No);
        QCOMPARE(script.asked().size(), 1);
        QCOMPARE(script.asked().first().title, QStringLiteral("Lib'rezi Drites"));
        QCOMPARE(script.asked().first().buttons, platform::Buttons::YesNo);
        QCOMPARE(script.unscripted(), 0);
        platform::MsgBox(QStringLiteral("x"));
        QCOMPARE(script.unscripted(), 1);
    }

    void settingsRoundTripWithAlbanianNames() {
        const QString app = QStringLiteral("Lib'rezi Drites");
        const QString section = QStringLiteral("Lista e fjalëve të kërkuara");
        QCOMPARE(platform::GetSetting(app, section, QStringLiteral("Fjala 0")), QString());
        QVERIFY(platform::GetAllSettings(app, section).isEmpty());
        QVERIFY(platform::SaveSetting(app, section, QStringLiteral("Fjala 0"), QStringLiteral("s'ka & “zot”")));
        QVERIFY(platform::SaveSetting(app, section, QStringLiteral("Fjala 1"), QStringLiteral("ë/Ë = [x]; %")));
        QCOMPARE(platform::GetSetting(app, section, QStringLiteral("Fjala 0")), QStringLiteral("s'ka & “zot”"));
        QCOMPARE(platform::GetSetting(app, section, QStringLiteral("Fjala 1")), QStringLiteral("ë/Ë = [x]; %"));
        QCOMPARE(platform::GetAllSettings(app, section).size(), 2);
        // Another section is another section.
        QVERIFY(platform::GetAllSettings(app, QStringLiteral("Tjetër")).isEmpty());
    }
};

QTEST_MAIN(TestMsgBoxSettings)
#include "test_msgbox_settings.moc"
