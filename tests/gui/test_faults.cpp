#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "platform/look.h"
#include "platform/mediaplayer.h"
#include "platform/msgbox.h"
#include "search/history.h"
#include "testsupport.h"
#include "tools/reciters.h"
#include <QDir>
#include <QSettings>
#include <QTest>
using namespace Qt::StringLiterals;

// How a file is broken: removed, emptied, cut in half, or replaced by something that is not its kind.
enum class Damage { Missing, Empty, Truncated, Garbage };
Q_DECLARE_METATYPE(Damage)

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
    // Starts the window and shows the result of a search: a passage, in passage mode.
    testsupport::Controls startAndSearch() {
        testsupport::Controls c(testsupport::startOnFolder(*dir));
        testsupport::typeInto(c.CmbKerkoKrejt, u"Musa"_s);
        c.cmdKerkoAll->click();
        return c;
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
    // The database broken under the running program: a surah, a search and a theme fail with a message and
    // the view keeps what it shows. A removed file is no fault while the program runs: its handle keeps it.
    void databaseBrokenWhileRunning_data() {
        QTest::addColumn<Damage>("how");
        QTest::newRow("removed: reading goes on") << Damage::Missing;
        QTest::newRow("emptied: refused") << Damage::Empty;
        QTest::newRow("overwritten with garbage: refused") << Damage::Garbage;
    }
    void databaseBrokenWhileRunning() {
        QFETCH(Damage, how);
        testsupport::Controls c(testsupport::startOnFolder(*dir));
        const QString text = c.Rtf1->Text();
        damage(u"librezi.db"_s, how);
        c.CmbNrSure->setListIndex(2);
        testsupport::typeInto(c.CmbKerkoKrejt, u"Musa"_s);
        c.cmdKerkoAll->click();
        c.cmbKlasifikimTematik->setListIndex(1);
        const bool refused = how != Damage::Missing;
        const qsizetype failed = said().count(u"Veprimi nuk u krye"_s);
        QVERIFY2(refused ? failed >= 2 && failed == boxes->asked().size() : said().isEmpty(), qPrintable(said()));
        QCOMPARE(c.CmbEmrSure->Text(), refused ? u"Fatiha"_s : u"Ali Imran"_s);
        QVERIFY(refused ? c.Rtf1->Text() == text && !c.w->inPassageMode() : c.w->inPassageMode());
    }
    // The whole text broken while a passage is shown: the return button says so, and the passage and the way
    // back stay; the next start is refused, naming the file. A truncated file is shown as far as it goes.
    void wholeTextBroken_data() {
        QTest::addColumn<Damage>("how");
        QTest::addColumn<QString>("atReturn");
        QTest::newRow("missing") << Damage::Missing << u"Teksti i plotë nuk mund të hapet: skedari „LIB'REZI.rtf”"_s;
        QTest::newRow("empty") << Damage::Empty << u"Teksti i plotë nuk mund të lexohet."_s;
        QTest::newRow("not RTF") << Damage::Garbage << u"Teksti i plotë nuk mund të lexohet."_s;
        QTest::newRow("truncated: what is there") << Damage::Truncated << QString();
    }
    void wholeTextBroken() {
        QFETCH(Damage, how);
        QFETCH(QString, atReturn);
        testsupport::Controls c = startAndSearch();
        const QString passage = c.Rtf1->Text();
        const bool refused = !atReturn.isEmpty();
        damage(u"LIB'REZI.rtf"_s, how);
        c.cmdKtheLibrezin->click();
        QVERIFY2(refused ? said().startsWith(atReturn) && boxes->asked().size() == 1 : said().isEmpty(),
                 qPrintable(said()));
        QCOMPARE(c.w->inPassageMode(), refused);
        QCOMPARE(c.CmbKerkoKrejt->maximumWidth(), platform::twips(refused ? 1455 : 1935));
        QVERIFY(refused ? c.Rtf1->Text() == passage : c.Rtf1->Text().contains(u"\r\n1:1.\t"_s));
        boxes->clear();
        QCOMPARE(testsupport::startOnFolder(*dir) == nullptr, refused);
        QCOMPARE(said().startsWith(u"Programi nuk mund të niset."_s) && said().contains(u"LIB'REZI.rtf"_s), refused);
    }
    // Reciters whose folder is missing or holds a file that is not audio: the player strip says so and stops.
    // A reciter chosen while the database takes no writes, and a settings store that cannot be written at
    // closing: a message, or nothing lost, and the window still closes.
    void brokenSurroundings() {
        QVERIFY(QDir(dir->path()).mkpath(u"jo"_s) && QDir(dir->path()).mkpath(u"mungon"_s));
        QVERIFY(testsupport::overwrite(dir->filePath(u"jo/001001.mp3"_s), "this is a text file, not a recitation\n"));
        for (const QString& folder : {u"mungon"_s, u"jo"_s})
            databuilder::addReciter({dir->filePath(u"librezi.db"_s), folder, folder, QString(), true, false});
        QVERIFY(QDir(dir->filePath(u"mungon"_s)).removeRecursively());
        testsupport::Controls c(testsupport::startOnFolder(*dir));
        for (const QString& folder : {u"mungon"_s, u"jo"_s}) {
            c.CmbLexuesAjete->setListIndex(c.CmbLexuesAjete->findText(folder));
            c.CmdPlayAjet->click();
            const QString status =
                folder == "jo"_L1 ? u"Skedari nuk mund të luhet: 001001.mp3"_s : u"Skedari nuk u gjet: 001001.mp3"_s;
            QTRY_COMPARE_WITH_TIMEOUT(
                c.WindowsMediaPlayer1->statusText(),
                platform::MediaPlayer::playbackAvailable() ? status : platform::MediaPlayer::notPossibleText(), 10000);
            QVERIFY(c.WindowsMediaPlayer1->playState() != platform::MediaPlayer::State::Playing && said().isEmpty());
        }
        Module1::cnLidhja.exec(u"PRAGMA query_only = ON"_s);
        c.CmbLexuesAjete->setListIndex(c.CmbLexuesAjete->findText(u"mungon"_s));
        QVERIFY2(said().startsWith(u"Zgjedhja e lexuesit nuk u ruajt"_s), qPrintable(said()));
        QVERIFY(c.CmbLexuesAjete->Text() == "jo"_L1 && Module1::strLokacioniAjeteve == "jo"_L1);
        const QString store =
            QSettings(QSettings::IniFormat, QSettings::UserScope, history::appName(), history::appName()).fileName();
        QVERIFY(store.startsWith(dir->path()) && QDir().mkpath(store) && c.w->close() && !c.w->isVisible());
        QCOMPARE(boxes->asked().size(), 1); // closing said nothing
    }
};

QTEST_MAIN(TestFaults)
#include "test_faults.moc"
