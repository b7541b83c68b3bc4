#include "platform/mediaplayer.h"

#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

// The recitation player on the real multimedia backend, headless (GStreamer falls back to a fake
// audio sink without a sound card).
class TestMediaPlayer : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    static bool withoutBackendRun() { return qEnvironmentVariableIsSet("LIBREZI_NO_BACKEND"); }

    // A short spoken MP3, made with the same tools as the bundled sample; "" when they are missing.
    QString spokenMp3() {
        const QString mp3 = dir.filePath(QStringLiteral("112001.mp3"));
        if (QFile::exists(mp3))
            return mp3;
        if (QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("lame")).isEmpty())
            return QString();
        const QString wav = dir.filePath(QStringLiteral("speech.wav"));
        if (QProcess::execute(QStringLiteral("espeak-ng"),
                              {QStringLiteral("-v"), QStringLiteral("sq"), QStringLiteral("-w"), wav,
                               QStringLiteral("Sureja 112, ajeti 1.")}) != 0 ||
            QProcess::execute(QStringLiteral("lame"), {QStringLiteral("--quiet"), wav, mp3}) != 0)
            return QString();
        return mp3;
    }

    QToolButton* button(platform::MediaPlayer& p, const QString& name) {
        for (QToolButton* b : p.findChildren<QToolButton*>())
            if (b->accessibleName() == name && b->toolTip() == name)
                return b;
        qFatal("no button %s", qPrintable(name));
    }

private Q_SLOTS:
    void init() {
        if (withoutBackendRun() && QByteArray(QTest::currentTestFunction()) != "withoutBackend")
            QSKIP("this run checks the player without a backend only");
    }

    void stripAtStart() {
        platform::MediaPlayer p;
        QCOMPARE(p.volume(), 50);
        QCOMPARE(p.playState(), platform::MediaPlayer::State::Stopped);
        button(p, QStringLiteral("Luaj"));
        button(p, QStringLiteral("Ndalo"));
        QVERIFY(!button(p, QStringLiteral("Pauzë"))->isEnabled());
        QVERIFY(platform::MediaPlayer::playbackAvailable());
        QCOMPARE(p.statusText(), QString());
        QCOMPARE(platform::minutesSeconds(65'400), QStringLiteral("1:05"));
    }

    void playsToTheEndWithPauseAndPlay() {
        const QString mp3 = spokenMp3();
        if (mp3.isEmpty())
            QSKIP("espeak-ng or lame is not installed");
        platform::MediaPlayer p;
        p.show();
        QSignalSpy ended(&p, &platform::MediaPlayer::EndOfStream);
        // Given with backslashes, as the reciter folders may be written.
        QString url = mp3;
        url.replace(u'/', u'\\');
        p.setURL(url);
        QCOMPARE(p.URL(), url);
        QTRY_COMPARE_WITH_TIMEOUT(p.playState(), platform::MediaPlayer::State::Playing, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(p.findChild<QLabel*>(QStringLiteral("lblGjithsej"))->text() != u"0:00", 10000);

        QTest::mouseClick(button(p, QStringLiteral("Pauzë")), Qt::LeftButton);
        QCOMPARE(p.playState(), platform::MediaPlayer::State::Paused);
        QTest::qWait(1500);
        QCOMPARE(ended.count(), 0);
        QCOMPARE(p.playState(), platform::MediaPlayer::State::Paused);

        p.controls_play();
        QCOMPARE(p.playState(), platform::MediaPlayer::State::Playing);
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 10000);
        QCOMPARE(ended[0][0].toInt(), 0);
        QCOMPARE(p.statusText(), QString());

        // A new file replaces the one playing.
        p.setURL(mp3);
        QTRY_COMPARE_WITH_TIMEOUT(p.playState(), platform::MediaPlayer::State::Playing, 10000);
        p.controls_stop();
        QCOMPARE(p.playState(), platform::MediaPlayer::State::Stopped);
    }

    void missingOrBrokenFileIsSaidOnTheStrip() {
        platform::MediaPlayer p;
        QSignalSpy ended(&p, &platform::MediaPlayer::EndOfStream);
        p.setURL(dir.filePath(QStringLiteral("002255.mp3")));
        QCOMPARE(p.statusText(), QStringLiteral("Skedari nuk u gjet: 002255.mp3"));
        QCOMPARE(p.playState(), platform::MediaPlayer::State::Stopped);

        const QString broken = dir.filePath(QStringLiteral("001001.mp3"));
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        p.setURL(broken);
        QTRY_COMPARE_WITH_TIMEOUT(p.statusText(), QStringLiteral("Skedari nuk mund të luhet: 001001.mp3"), 10000);
        QTest::qWait(300);
        QCOMPARE(ended.count(), 0);
    }

    // Run with QT_MEDIA_BACKEND naming no backend (test_mediaplayer_nobackend).
    void withoutBackend() {
        if (!withoutBackendRun())
            QSKIP("run by test_mediaplayer_nobackend");
        platform::MediaPlayer p;
        QSignalSpy ended(&p, &platform::MediaPlayer::EndOfStream);
        QVERIFY(!platform::MediaPlayer::playbackAvailable());
        QCOMPARE(p.statusText(), platform::MediaPlayer::notPossibleText());
        p.showStatus(QString());
        p.setURL(QCoreApplication::applicationFilePath());
        QCOMPARE(p.statusText(), QStringLiteral("Leximi nuk është i mundur në këtë kompjuter"));
        p.controls_play();
        p.controls_pause();
        QCOMPARE(ended.count(), 0);
    }
};

QTEST_MAIN(TestMediaPlayer)
#include "test_mediaplayer.moc"
