// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/look.h"
#include "platform/mediaplayer.h"
#include "tools/reciters.h"
#include "windowtest.h"
using namespace Qt::StringLiterals;

// How a file is broken: removed, emptied, cut in half, or replaced by something that is not its kind.
enum class Damage { Missing, Empty, Truncated, Garbage };

// The real main window against broken files: each ends with an Albanian message or a quiet fallback.
class TestFaults : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<platform::MsgBoxScript> boxes;
    QString said() const { // every message shown, one a line
        QString all;
        for (const platform::AskedMessage& m : boxes->asked())
            all += m.text + u'\n';
        return all;
    }
    void damage(const QString& name, Damage how) {
        QFile f(dir->filePath(name));
        QVERIFY(how == Damage::Missing     ? f.remove()
                : how == Damage::Empty     ? testsupport::overwrite(f.fileName(), QByteArray())
                : how == Damage::Truncated ? f.open(QIODevice::ReadWrite) && f.resize(f.size() / 2)
                                           : testsupport::overwrite(f.fileName(), QByteArray(65536, 'z')));
    }
private Q_SLOTS:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        testsupport::copyBundledData(*dir);
        boxes = std::make_unique<platform::MsgBoxScript>();
    }
    void cleanup() {
        Module1::unloadMainWindow();
        Module1::cnLidhja.Close();
        boxes.reset();
    }
    // The database broken under the running program: choosing a surah and a search fail with a message.
    void databaseBrokenWhileRunning_data() {
        QTest::addColumn<Damage>("how");
        QTest::newRow("emptied") << Damage::Empty;
        QTest::newRow("overwritten with garbage") << Damage::Garbage;
    }
    void databaseBrokenWhileRunning() {
        QFETCH(Damage, how);
        testsupport::Controls c(testsupport::startOnFolder(*dir));
        const QString text = c.Rtf1->Text();
        damage(u"librezi.db"_s, how);
        c.CmbNrSure->setListIndex(2);
        testsupport::typeInto(c.CmbKerkoKrejt, u"Musa"_s);
        QVERIFY(testsupport::search(c));
        const qsizetype failed = said().count(u"Veprimi nuk u krye"_s);
        QVERIFY2(failed >= 2 && failed == boxes->asked().size(), qPrintable(said()));
        QVERIFY(c.CmbEmrSure->Text() == "Fatiha"_L1 && c.Rtf1->Text() == text && !c.w->inPassageMode());
    }
    // The whole text broken under a passage: the return button and the next start refuse it, a message each.
    void wholeTextBroken_data() {
        QTest::addColumn<Damage>("how");
        QTest::addColumn<QString>("atReturn");
        const QString unreadable =
            u"Teksti i plotë nuk mund të hapet: teksti i plotë mungon ose nuk mund të lexohet."_s;
        QTest::newRow("missing") << Damage::Missing << unreadable;
        QTest::newRow("empty") << Damage::Empty << unreadable;
        QTest::newRow("not RTF") << Damage::Garbage << unreadable;
        QTest::newRow("truncated") << Damage::Truncated
                                   << u"Teksti i plotë nuk mund të hapet: teksti i plotë është i paplotë"_s;
    }
    void wholeTextBroken() {
        QFETCH(Damage, how);
        QFETCH(QString, atReturn);
        testsupport::Controls c(testsupport::startOnFolder(*dir));
        testsupport::typeInto(c.CmbKerkoKrejt, u"Musa"_s);
        QVERIFY(testsupport::search(c)); // its result is shown as a passage
        const QString passage = c.Rtf1->Text();
        const bool refused = !atReturn.isEmpty();
        damage(u"LIB'REZI.rtf"_s, how);
        c.cmdKtheLibrezin->click();
        QVERIFY2(refused ? said().startsWith(atReturn) && said().count(u'\n') == 1 : said().isEmpty(),
                 qPrintable(said()));
        QVERIFY(c.w->inPassageMode() == refused &&
                c.CmbKerkoKrejt->maximumWidth() == platform::twips(refused ? 1455 : 1935));
        QVERIFY(refused ? c.Rtf1->Text() == passage : c.Rtf1->Text().contains(u"\r\n1:1.\t"_s));
        boxes->clear();
        const bool started = testsupport::startOnFolder(*dir);
        QVERIFY(refused ? !started && said().contains(u"niset.\n\nSkedari: "_s + dir->filePath(u"LIB'REZI.rtf"_s))
                        : started);
    }
    // A recitation file that is not audio, and one that is not there: the player strip says so and stops.
    void brokenRecitations() {
        QVERIFY(QDir(dir->path()).mkpath(u"jo"_s) &&
                testsupport::overwrite(dir->filePath(u"jo/001001.mp3"_s), "a text file, not a recitation\n"));
        databuilder::addReciter({dir->filePath(u"librezi.db"_s), u"Jo"_s, u"jo"_s, QString(), true, true});
        testsupport::Controls c(testsupport::startOnFolder(*dir));
        // The missing one after the broken one: the strip names the reciter and the folder, not the error before.
        const QString missing = u"Ajeti 1:2 nuk ka regjistrim te lexuesi „Jo” (dosja %1)."_s.arg(
            QDir::toNativeSeparators(dir->filePath(u"jo"_s)));
        for (const auto& [verse, text] :
             {std::pair{u"1"_s, u"Skedari nuk mund të luhet: 001001.mp3"_s}, std::pair{u"2"_s, missing}}) {
            c.CmbNrAjeti->setText(verse);
            c.CmdPlayAjet->click();
            const QString expected =
                platform::MediaPlayer::playbackAvailable() ? text : platform::MediaPlayer::notPossibleText();
            QTRY_COMPARE_WITH_TIMEOUT(c.WindowsMediaPlayer1->statusText(), expected, 10000);
            QTest::qWait(500); // what the backend reports late must not overwrite it
            QCOMPARE(c.WindowsMediaPlayer1->statusText(), expected);
            QVERIFY(c.WindowsMediaPlayer1->playState() != platform::MediaPlayer::State::Playing && said().isEmpty());
        }
    }
};

QTEST_MAIN(TestFaults)
#include "test_faults.moc"
