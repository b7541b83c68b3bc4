// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mediaplayer.h"
#include "testsupport.h"

#include <QtTest>

// The strip says why a file does not play, also where no backend loads (test_mediaplayer_nobackend).
class TestMediaPlayer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void unplayable() {
        QTemporaryDir dir;
        platform::MediaPlayer p;
        QSignalSpy ended(&p, &platform::MediaPlayer::EndOfStream);
        QCOMPARE(p.volume(), 50);
        if (qEnvironmentVariableIsSet("LIBREZI_NO_BACKEND")) {
            QVERIFY(!platform::MediaPlayer::playbackAvailable());
            p.setURL(QCoreApplication::applicationFilePath());
            QCOMPARE(p.statusText(), QStringLiteral("Leximi nuk është i mundur në këtë kompjuter"));
            p.controls_play();
            return;
        }
        p.setURL(dir.path() + "\\002255.mp3");
        QCOMPARE(p.statusText(), QStringLiteral("Skedari nuk u gjet: 002255.mp3"));
        QVERIFY(testsupport::overwrite(dir.filePath("002255.mp3"), QByteArray(4096, 'x')));
        p.setURL(dir.path() + "\\002255.mp3");
        QTRY_COMPARE_WITH_TIMEOUT(p.statusText(), QStringLiteral("Skedari nuk mund të luhet: 002255.mp3"), 10000);
        QTRY_COMPARE(p.playState(), platform::MediaPlayer::State::Stopped);
        QCOMPARE(ended.count(), 0);
    }
};

QTEST_MAIN(TestMediaPlayer)
#include "test_mediaplayer.moc"
