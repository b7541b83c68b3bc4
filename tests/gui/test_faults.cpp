#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "platform/look.h"
#include "platform/mediaplayer.h"
#include "platform/msgbox.h"
#include "testsupport.h"
#include "tools/reciters.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

// How a file is broken: removed, emptied, cut in half, or replaced by something that is not its kind.
enum class Damage { Missing, Empty, Truncated, Garbage };
Q_DECLARE_METATYPE(Damage)

// The real main window against broken files and a database that refuses to be written: each ends with an
// Albanian message or a quiet fallback, nothing lost.
class TestFaults : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<platform::MsgBoxScript> boxes;

    QString file(const QString& name) const { return dir->filePath(name); }
    QString said() const { // every message shown, one a line
        QString all;
        for (const platform::AskedMessage& m : boxes->asked())
            all += m.text + u'\n';
        return all;
    }
    void damage(const QString& name, Damage how) {
        QFile f(file(name));
        QVERIFY(how == Damage::Missing ? f.remove()
                : how == Damage::Empty ? testsupport::overwrite(f.fileName(), QByteArray())
                : how == Damage::Truncated
                    ? f.open(QIODevice::ReadWrite) && f.resize(f.size() / 2)
                    : testsupport::overwrite(f.fileName(), "PK\x03\x04" + QByteArray(65536, 'z')));
    }
    static void search(const testsupport::Controls& c) { // the result is shown in passage mode
        testsupport::typeInto(c.CmbKerkoKrejt, u"Musa"_s);
        c.cmdKerkoAll->click();
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
        search(c);
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
        testsupport::Controls c(testsupport::startOnFolder(*dir));
        search(c);
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
    // Reciters whose folder is missing or holds a file that is not audio: the player strip says what is
    // wrong and no box opens. A choice the database cannot save is refused and shows the marked reciter.
    void brokenReciters() {
        QVERIFY(QDir(dir->path()).mkpath(u"jo"_s) && QDir(dir->path()).mkpath(u"mungon"_s));
        QVERIFY(testsupport::overwrite(file(u"jo/001001.mp3"_s), "this is a text file, not a recitation\n"));
        QVERIFY(testsupport::overwrite(file(u"jo/001.mp3"_s), QByteArray(4096, '\0')));
        for (const QString& folder : {u"mungon"_s, u"jo"_s})
            for (bool verses : {true, false})
                databuilder::addReciter({file(u"librezi.db"_s), folder, folder, QString(), verses, false});
        QVERIFY(QDir(file(u"mungon"_s)).removeRecursively());
        testsupport::Controls c(testsupport::startOnFolder(*dir));
        // clang-format off
        const struct { const char* folder; bool surahs; const char* status; } rows[] = {
            {"mungon", false, "Skedari nuk u gjet: 001001.mp3"}, {"jo", false, "Skedari nuk mund të luhet: 001001.mp3"},
            {"jo", true, "Skedari nuk mund të luhet: 001.mp3"}};
        // clang-format on
        for (const auto& [folder, surahs, status] : rows) {
            platform::ComboBox* list = surahs ? c.CmbLexuesSure : c.CmbLexuesAjete;
            list->setListIndex(list->findText(QLatin1String(folder)));
            (surahs ? c.CmdPlaySure : c.CmdPlayAjet)->click();
            const QString expected = platform::MediaPlayer::playbackAvailable()
                                         ? QString::fromUtf8(status)
                                         : platform::MediaPlayer::notPossibleText();
            QTRY_COMPARE_WITH_TIMEOUT(c.WindowsMediaPlayer1->statusText(), expected, 10000);
            QVERIFY(c.WindowsMediaPlayer1->playState() != platform::MediaPlayer::State::Playing && said().isEmpty());
        }
        Module1::cnLidhja.exec(u"PRAGMA query_only = ON"_s);
        const QString folder = Module1::strLokacioniAjeteve, shown = c.CmbLexuesAjete->Text();
        c.CmbLexuesAjete->setListIndex(c.CmbLexuesAjete->findText(u"mungon"_s));
        QVERIFY2(said().startsWith(u"Zgjedhja e lexuesit nuk u ruajt"_s) && boxes->asked().size() == 1,
                 qPrintable(said()));
        QVERIFY(Module1::strLokacioniAjeteve == folder && c.CmbLexuesAjete->Text() == shown);
    }
};

QTEST_MAIN(TestFaults)
#include "test_faults.moc"
