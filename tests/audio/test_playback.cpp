// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/module1.h"
#include "audio/playback.h"
#include "mainwindow/frmkryesore.h"
#include "platform/listcontrols.h"
#include "platform/mediaplayer.h"
#include "platform/msgbox.h"
#include "platform/richtextview.h"
#include "testsupport.h"

#include <QtTest>
#include <QtWidgets>

using namespace audio;
using State = platform::MediaPlayer::State;

// The file a recitation names, and the recitation commands of the real main window and its player.
class TestPlayback : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    void verseFile_data() {
        QTest::addColumn<QStringList>("call"); // folder, surah and verse
        QTest::addColumn<QString>("file");
        auto row = [](const char* tag, QStringList call, QString file) { QTest::newRow(tag) << call << file; };
        row("folder ending in \\", {"C:\\Audio\\R\\", "2", "255"}, "C:\\Audio\\R\\002255.mp3");
        row("network folder", {"\\\\server\\zeri\\", "2", "1"}, "\\\\server\\zeri\\002001.mp3");
        row("absolute folder", {"/srv/zeri", "002", "7"}, "/srv/zeri\\002007.mp3");
    }
    void verseFile() {
        QFETCH(QStringList, call);
        QFETCH(QString, file);
        QCOMPARE(verseAudioPath(call[0], call[1], call[2]), file);
    }
    void windowCommands() {
        platform::MsgBoxScript boxes;
        testsupport::Controls c(testsupport::startProgram(dir));
        platform::MediaPlayer* player = c.WindowsMediaPlayer1;
        auto play = [&](QObject* command, const QString& surah = "1", const QString& verse = "1") {
            c.CmbNrSure->setText(surah);
            c.CmbNrAjeti->setText(verse);
            QMetaObject::invokeMethod(command, qobject_cast<QAction*>(command) ? "trigger" : "click");
            return player->URL();
        };
        QCOMPARE(play(c.CmdPlayAjet, "2", "7"), QString(dir.path() + "/zeri/ajete\\002007.mp3"));
        QCOMPARE(play(c.CmdPlaySure, "2", "7"), QString(dir.path() + "/zeri/sure/002.mp3"));
        QVERIFY(!hasFolder(" ") && !hasFolder("") && hasFolder("zeri")); // "False": no reciter of the kind marked
        // What the strip tells reaches the recitation: the queued verse took over (the text follows it), the end.
        Module1::strLokacioniAjeteve = testsupport::buildFolder() + "/zeri/ajete";
        c.w->findChild<Playback*>()->startSeries(1, 1);
        Q_EMIT player->nextStarted(player->queued());
        QVERIFY2(c.Rtf1->SelText().startsWith("1:2."), qPrintable(c.Rtf1->SelText()));
        Q_EMIT player->EndOfStream(0);
        QCOMPARE(boxes.asked().size(), 1);
        QCOMPARE(boxes.asked()[0].text + '|' + boxes.asked()[0].title, "Fund    0|" + platform::applicationTitle());
        // A spoken sample: the menu and the strip pause it, go on, stop it and play it again.
        if (!platform::MediaPlayer::playbackAvailable())
            QSKIP("no multimedia backend here");
        auto strip = [&](const char* name) { return testsupport::child<QObject>(player, name); };
        play(c.CmdPlayAjet, "1", "2");
        QTRY_COMPARE_WITH_TIMEOUT(player->playState(), State::Playing, 10000);
        QList<State> states;
        for (QObject* command : QList<QObject*>{c.mnuPauzoje, strip("cmdLuaj"), strip("cmdPauze"), c.mnuVazhdo,
                                                strip("cmdNdalo"), strip("cmdLuaj")})
            states << (play(command), player->playState());
        QCOMPARE(states, QList<State>({State::Paused, State::Playing, State::Paused, State::Playing, State::Stopped,
                                       State::Playing}));
        Module1::unloadMainWindow();
    }
};

QTEST_MAIN(TestPlayback)
#include "test_playback.moc"
