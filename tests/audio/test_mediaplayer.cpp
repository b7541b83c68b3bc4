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
    // A spoken sample of the bundled ones queued after the first half second of another: it takes over when that
    // one ends, plays to its end, and the end comes once, after it. What a series of verses rests on.
    void queuedVerseHeardToItsEnd() {
        if (qEnvironmentVariableIsSet("LIBREZI_NO_BACKEND") || !platform::MediaPlayer::playbackAvailable())
            QSKIP("no multimedia backend here");
        QTemporaryDir dir;
        QFile sample(testsupport::buildFolder() + "/zeri/ajete/001001.mp3");
        QVERIFY(sample.open(QIODevice::ReadOnly) &&
                testsupport::overwrite(dir.filePath("001001.mp3"), sample.read(2000)));
        const QString verse = testsupport::buildFolder() + "/zeri/ajete/001002.mp3";
        platform::MediaPlayer p;
        QSignalSpy ended(&p, &platform::MediaPlayer::EndOfStream), next(&p, &platform::MediaPlayer::nextStarted);
        p.setURL(dir.filePath("001001.mp3"));
        p.queue(verse);
        QVERIFY(ended.wait(30000));
        QTRY_COMPARE_WITH_TIMEOUT(p.playState(), platform::MediaPlayer::State::Stopped, 30000);
        QCOMPARE(next, QList<QVariantList>{{verse}});
        QCOMPARE(ended, QList<QVariantList>{{0}});
        QCOMPARE(p.URL() + p.queued() + p.statusText(), verse);
    }
};

QTEST_MAIN(TestMediaPlayer)
#include "test_mediaplayer.moc"
