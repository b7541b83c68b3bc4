// SPDX-License-Identifier: GPL-3.0-or-later
// Listening on the real window and player, headless, on the bundled spoken samples: a strip that can be read,
// recitation verse after verse that the text follows, repeats, and reciters added and removed in the window.
#include "app/module1.h"
#include "audio/playback.h"
#include "audio/reciters.h"
#include "mainwindow/frmkryesore.h"
#include "platform/listcontrols.h"
#include "platform/look.h"
#include "platform/mediaplayer.h"
#include "platform/msgbox.h"
#include "platform/richtextview.h"
#include "testsupport.h"

#include <QtTest>
#include <QtWidgets>

using State = platform::MediaPlayer::State;

class TestRecitation : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<testsupport::Controls> c;
    audio::Playback* playback = nullptr;
    QStringList heard;    // "112:1" ... as the series announced them
    QStringList followed; // the line selected in the text at each of them

    void start() {
        frmKryesore* w = testsupport::startOnFolder(dir);
        QVERIFY(w);
        w->show();
        c = std::make_unique<testsupport::Controls>(w);
        playback = w->findChild<audio::Playback*>();
        connect(playback, &audio::Playback::reciting, this, [this](int s, int v) {
            heard << QStringLiteral("%1:%2").arg(s).arg(v);
            followed << c->Rtf1->SelText().section(u'.', 0, 0);
        });
    }
    void series(const QString& from) {
        heard.clear();
        followed.clear();
        testsupport::typeInto(c->CmbNrAjeti, from);
        testsupport::pressEnter(c->CmbNrAjeti);
        c->w->findChild<QToolButton*>(QStringLiteral("CmdPlayVazhdim"))->click();
    }

private Q_SLOTS:
    void initTestCase() {
        if (!platform::MediaPlayer::playbackAvailable())
            QSKIP("no multimedia backend here");
        testsupport::copyBundledData(dir);
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("zeri/ajete"))));
        for (const QString& f : QDir(testsupport::buildFolder() + QStringLiteral("/zeri/ajete")).entryList(QDir::Files))
            if (f != QLatin1String("112003.mp3")) // a verse without its recording
                QFile::copy(testsupport::buildFolder() + QStringLiteral("/zeri/ajete/") + f,
                            dir.filePath(QStringLiteral("zeri/ajete/")) + f);
        start();
    }
    void cleanupTestCase() { Module1::unloadMainWindow(); }

    // Every control of the strip reads on it (4.5:1) in every state, and is named in Albanian.
    void legibleStrip() {
        const QList<QWidget*> controls = c->WindowsMediaPlayer1->findChildren<QWidget*>();
        QVERIFY(controls.size() >= 8);
        for (QWidget* w : controls) {
            const QPalette p = w->palette();
            for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
                const QColor back = p.color(g, QPalette::Window);
                const QColor fore = p.color(g, qobject_cast<QSlider*>(w)       ? QPalette::Button
                                               : qobject_cast<QToolButton*>(w) ? QPalette::ButtonText
                                                                               : QPalette::WindowText);
                QVERIFY2(platform::contrastRatio(fore, back) >= 4.5, qPrintable(w->objectName()));
                if (auto* b = qobject_cast<QToolButton*>(w)) {
                    // The icon in each mode, on the strip and on the panel a hovered or pressed button shows.
                    for (QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Disabled}) {
                        const QImage icon = b->icon().pixmap(24, 24, mode).toImage();
                        QColor ink(Qt::transparent); // the shape's own colour, where it is solid
                        for (int i = 0; i < icon.width() * icon.height() && ink.alpha() < 255; ++i)
                            ink = icon.pixelColor(i % icon.width(), i / icon.width());
                        QVERIFY2(ink.alpha() == 255 && platform::contrastRatio(ink, back) >= 4.5 &&
                                     platform::contrastRatio(ink, p.color(g, QPalette::Button)) >= 4.5,
                                 qPrintable(b->objectName()));
                    }
                }
                if (qobject_cast<QSlider*>(w))
                    QVERIFY(platform::contrastRatio(p.color(g, QPalette::Highlight), back) >= 4.5);
            }
            if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QSlider*>(w))
                QVERIFY2(!w->accessibleName().isEmpty() && !w->toolTip().isEmpty(), qPrintable(w->objectName()));
        }
    }

    // From the verse under the caret to the surah's end; the text follows each verse; a missing recording is
    // skipped and said; pause and resume act on the series; "Fund" comes once.
    void verseAfterVerse() {
        platform::MsgBoxScript boxes;
        series(QStringLiteral("112:1"));
        QTRY_COMPARE_WITH_TIMEOUT(heard.size(), 2, 10000);
        c->mnuPauzoje->trigger();
        QCOMPARE(c->WindowsMediaPlayer1->playState(), State::Paused);
        QTest::qWait(600);
        QCOMPARE(heard.size(), 2);
        c->mnuVazhdo->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(boxes.asked().size(), 1, 20000);
        QCOMPARE(boxes.asked()[0].text, QStringLiteral("Fund    0"));
        QCOMPARE(heard, (QStringList{"112:1", "112:2", "112:4"}));
        QCOMPARE(followed, heard);
        QVERIFY2(
            c->WindowsMediaPlayer1->statusText().startsWith(QStringLiteral("Ajeti 112:3 nuk ka regjistrim te lexuesi")),
            qPrintable(c->WindowsMediaPlayer1->statusText()));
    }

    // Each verse twice within a looped range; a navigation ends the series; the repeat is kept for the next start.
    void repeatAndRange() {
        platform::MsgBoxScript boxes;
        auto* times = testsupport::child<platform::ComboBox>(c->w, "CmbPerserit");
        times->setListIndex(1); // 2 times
        testsupport::child<QSpinBox>(c->w, "SpnNga")->setValue(2);
        testsupport::child<QSpinBox>(c->w, "SpnDeri")->setValue(3);
        testsupport::child<QCheckBox>(c->w, "ChkVargu")->setChecked(true);
        series(QStringLiteral("113:1")); // outside the range: it starts at the range's first verse
        QTRY_COMPARE_WITH_TIMEOUT(heard.size(), 5, 20000);
        QCOMPARE(heard, (QStringList{"113:2", "113:2", "113:3", "113:3", "113:2"}));
        testsupport::typeInto(c->CmbNrSure, QStringLiteral("1"));
        testsupport::pressEnter(c->CmbNrSure);
        QTRY_COMPARE_WITH_TIMEOUT(boxes.asked().size(), 1, 10000); // the verse heard ends, and with it the series
        QCOMPARE(heard.size(), 5);
        c->w->close();
        start();
        QCOMPARE(testsupport::child<platform::ComboBox>(c->w, "CmbPerserit")->Text(), QStringLiteral("2 herë"));
        QVERIFY(testsupport::child<QCheckBox>(c->w, "ChkVargu")->isChecked());
        QCOMPARE(testsupport::child<QSpinBox>(c->w, "SpnDeri")->value(), 3);
    }

    // A reciter of one's own: a folder without recordings is refused; one with them is added and chosen, and
    // can be removed again; the bundled ones stay.
    void reciterInTheWindow() {
        auto* choice = c->w->findChild<audio::ReciterChoice*>();
        QTemporaryDir empty, mine;
        QVERIFY(QFile::copy(dir.filePath(QStringLiteral("zeri/ajete/001001.mp3")),
                            mine.filePath(QStringLiteral("001001.mp3"))));
        QString folder = empty.path();
        choice->chooseFolder = [&] { return folder; };
        choice->askName = [](const QString&) { return QStringLiteral("Imi"); };
        platform::MsgBoxScript boxes;
        testsupport::child<QToolButton>(c->w, "CmdShtoLexuesAjete")->click();
        QVERIFY(boxes.asked().value(0).text.startsWith(QStringLiteral("Në dosjen ")));
        folder = mine.path();
        testsupport::child<QToolButton>(c->w, "CmdShtoLexuesAjete")->click();
        QCOMPARE(boxes.asked().value(1).text, QStringLiteral("U gjetën 1 regjistrime në dosjen %1.").arg(mine.path()));
        QCOMPARE(c->CmbLexuesAjete->Text(), QStringLiteral("Imi"));
        QCOMPARE(Module1::strLokacioniAjeteve, mine.path());
        boxes.answer(platform::Answer::Yes);
        testsupport::child<QToolButton>(c->w, "CmdHiqLexuesAjete")->click();
        QVERIFY(c->CmbLexuesAjete->findText(QStringLiteral("Imi")) < 0 && c->CmbLexuesAjete->ListIndex() == 0);
        testsupport::child<QToolButton>(c->w, "CmdHiqLexuesAjete")->click();
        QCOMPARE(boxes.asked().last().text, QStringLiteral("Lexuesit e ardhur me programin nuk hiqen."));
    }
};

QTEST_MAIN(TestRecitation)
#include "test_recitation.moc"
