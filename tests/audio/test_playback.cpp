#include "app/module1.h"
#include "audio/playback.h"
#include "mainwindow/frmkryesore.h"
#include "platform/mediaplayer.h"
#include "platform/msgbox.h"
#include "platform/richtextview.h"
#include "testsupport.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

using audio::surahAudioPath;
using audio::threeDigits;
using audio::verseAudioPath;

// The audio file names and the recitation commands, on the real main window's lists and text.
class TestPlayback : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    void numbersWithThreeDigits() {
        QCOMPARE(threeDigits(QStringLiteral("7")), QStringLiteral("007"));
        QCOMPARE(threeDigits(QStringLiteral("255")), QStringLiteral("255"));
        QCOMPARE(threeDigits(QStringLiteral("1234")), QStringLiteral("1234"));
        QCOMPARE(threeDigits(QStringLiteral("abc")), QStringLiteral("abc"));
        QCOMPARE(threeDigits(QString()), QString());
        QCOMPARE(threeDigits(threeDigits(QStringLiteral("7"))), QStringLiteral("007"));
    }

    void verseAndSurahFiles() {
        const QString expected = QStringLiteral("C:\\Audio\\R\\002255.mp3");
        QCOMPARE(verseAudioPath(QStringLiteral("C:\\Audio\\R"), QStringLiteral("2"), QStringLiteral("255")), expected);
        QCOMPARE(verseAudioPath(QStringLiteral("C:\\Audio\\R\\"), QStringLiteral("2"), QStringLiteral("255")),
                 expected);
        QCOMPARE(verseAudioPath(QStringLiteral("C:\\Audio\\R"), QStringLiteral("002"), QStringLiteral("255")),
                 expected);
        QCOMPARE(verseAudioPath(QStringLiteral("C:\\Audio\\R"), QStringLiteral("1"), QStringLiteral("7")),
                 QStringLiteral("C:\\Audio\\R\\001007.mp3"));
        // Three backslashes: the first pair collapses, the third stays.
        QCOMPARE(verseAudioPath(QStringLiteral("C:\\A\\\\"), QStringLiteral("2"), QStringLiteral("1")),
                 QStringLiteral("C:\\A\\\\002001.mp3"));

        QCOMPARE(surahAudioPath(QStringLiteral("D:\\Sure"), QStringLiteral("9")), QStringLiteral("D:\\Sure/009.mp3"));
        QCOMPARE(surahAudioPath(QStringLiteral("D:\\Sure"), QStringLiteral("009")), QStringLiteral("D:\\Sure/009.mp3"));
        QCOMPARE(surahAudioPath(QStringLiteral("D:\\Sure\\"), QStringLiteral("114")),
                 QStringLiteral("D:\\Sure\\/114.mp3"));
    }

    void networkFolderKeepsItsPrefix() {
        QCOMPARE(verseAudioPath(QStringLiteral("\\\\server\\zeri\\"), QStringLiteral("2"), QStringLiteral("255")),
                 QStringLiteral("\\\\server\\zeri\\002255.mp3"));
        QCOMPARE(platform::MediaPlayer::localPath(QStringLiteral("\\\\server\\zeri\\002255.mp3")),
                 QStringLiteral("//server/zeri/002255.mp3"));
    }

    void relativeFolderIsInTheProgramFolder() {
        Module1::setProgramFolder(dir.path());
        QCOMPARE(verseAudioPath(QStringLiteral("zeri/ajete"), QStringLiteral("112"), QStringLiteral("1")),
                 QString(dir.path() + QStringLiteral("/zeri/ajete\\112001.mp3")));
        QCOMPARE(surahAudioPath(QStringLiteral("zeri\\sure"), QStringLiteral("1")),
                 QString(dir.path() + QStringLiteral("/zeri\\sure/001.mp3")));
        QCOMPARE(platform::MediaPlayer::localPath(
                     verseAudioPath(QStringLiteral("zeri/ajete"), QStringLiteral("112"), QStringLiteral("1"))),
                 QString(dir.path() + QStringLiteral("/zeri/ajete/112001.mp3")));
    }

    // The commands of the window: the lists name the verse, the line under the caret names the
    // verse or the surah. The files are not there, so the strip names the file it looked for.
    void commandsPlayTheChosenVerseOrSurah() {
        platform::MsgBoxScript boxes;
        frmKryesore* w = testsupport::startProgram(dir);
        platform::MediaPlayer player;
        audio::Playback playback(&player, w->CmbNrSure, w->CmbNrAjeti);
        const QString verses = QString(dir.path() + QStringLiteral("/zeri/ajete\\"));
        const QString surahs = QString(dir.path() + QStringLiteral("/zeri/sure/"));

        w->CmbNrSure->setText(QStringLiteral("2"));
        w->CmbNrAjeti->setText(QStringLiteral("255"));
        playback.CmdPlayAjet_Click();
        QCOMPARE(player.URL(), QString(verses + QStringLiteral("002255.mp3")));
        if (platform::MediaPlayer::playbackAvailable())
            QCOMPARE(player.statusText(), QStringLiteral("Skedari nuk u gjet: 002255.mp3"));
        playback.CmdPlaySure_Click();
        QCOMPARE(player.URL(), QString(surahs + QStringLiteral("002.mp3")));

        const QString text = w->Rtf1->Text();
        w->Rtf1->setSelStart(int(text.indexOf(QStringLiteral("\r\n112:3.\t"))) + 5);
        playback.mnuLshoAjetin_Click(w->Rtf1);
        QCOMPARE(player.URL(), QString(verses + QStringLiteral("112003.mp3")));
        QVERIFY(w->Rtf1->SelText().startsWith(QStringLiteral("112:3.\t")));
        w->Rtf1->setSelStart(int(text.indexOf(QStringLiteral("\r\n9.\t"))) + 3);
        playback.mnuLshoAjetin_Click(w->Rtf1);
        QCOMPARE(player.URL(), QString(surahs + QStringLiteral("009.mp3")));
        QVERIFY(boxes.asked().isEmpty());
        Module1::unloadMainWindow();
    }

    void noDefaultReciterPlaysNothing() {
        platform::MsgBoxScript boxes;
        platform::MediaPlayer player;
        audio::Playback playback(&player, nullptr, nullptr);
        Module1::strLokacioniAjeteve = QStringLiteral("False");
        Module1::strLokacioniSureve = QString();
        playback.FuncPlayAjet(QStringLiteral("1"), QStringLiteral("1"));
        QCOMPARE(player.statusText(), QStringLiteral("Nuk është zgjedhur asnjë lexues"));
        QCOMPARE(player.URL(), QString());
        player.showStatus(QString());
        playback.FuncPlaySure(QStringLiteral("1"));
        QCOMPARE(player.statusText(), QStringLiteral("Nuk është zgjedhur asnjë lexues"));
        QCOMPARE(player.URL(), QString());
        QVERIFY(boxes.asked().isEmpty());
    }

    // The sample recitations spoken at build time sit where the bundled reciters point, and play.
    void bundledSampleRecitationsPlay() {
        const QDir build(testsupport::buildFolder());
        for (const auto& [surah, verses] : {std::pair{1, 7}, {112, 4}, {113, 5}, {114, 6}}) {
            const QString s = threeDigits(QString::number(surah));
            QVERIFY2(build.exists(QStringLiteral("zeri/sure/") + s + QStringLiteral(".mp3")), qPrintable(s));
            for (int v = 1; v <= verses + 1; ++v)
                QCOMPARE(build.exists(QStringLiteral("zeri/ajete/") + s + threeDigits(QString::number(v)) +
                                      QStringLiteral(".mp3")),
                         v <= verses);
        }
        if (!platform::MediaPlayer::playbackAvailable())
            QSKIP("no multimedia backend here");

        platform::MsgBoxScript boxes;
        Module1::setProgramFolder(build.path());
        Module1::strLokacioniAjeteve = QStringLiteral("zeri/ajete");
        platform::MediaPlayer player;
        audio::Playback playback(&player, nullptr, nullptr);
        playback.FuncPlayAjet(QStringLiteral("114"), QStringLiteral("6"));
        QCOMPARE(player.statusText(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(boxes.asked().size(), 1, 10000);
        QCOMPARE(boxes.asked()[0].text, QStringLiteral("Fund    0"));
        QCOMPARE(boxes.asked()[0].buttons, platform::Buttons::OK);
        QCOMPARE(boxes.asked()[0].title, platform::applicationTitle());
    }
};

QTEST_MAIN(TestPlayback)
#include "test_playback.moc"
