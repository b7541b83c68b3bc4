#include "app/module1.h"
#include "data/queryhelpers.h"
#include "mainwindow/frmkryesore.h"
#include "platform/mediaplayer.h"
#include "platform/msgbox.h"
#include "search/history.h"
#include "testsupport.h"

#include <QDir>
#include <QSettings>
#include <QTest>

using namespace Qt::StringLiterals;

// How a file is broken: removed, emptied, cut in half, or replaced by something that is not its kind.
enum class Damage { Missing, Empty, Truncated, Garbage };
Q_DECLARE_METATYPE(Damage)

// The real main window against broken files, a database that refuses to be written and a settings store
// that cannot be written: each ends with an Albanian message or a quiet fallback, nothing lost.
class TestFaults : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<platform::MsgBoxScript> boxes;

    QString file(const QString& name) const { return dir->filePath(name); }
    QStringList said() const {
        QStringList texts;
        for (const platform::AskedMessage& m : boxes->asked())
            texts.append(m.text);
        return texts;
    }
    void damage(const QString& name, Damage how) {
        QFile f(file(name));
        QByteArray junk("PK\x03\x04");
        for (int i = 0; i < 64 * 1024; ++i)
            junk += char((i * 131 + 7) % 251);
        QVERIFY(how == Damage::Missing     ? f.remove()
                : how == Damage::Empty     ? testsupport::overwrite(f.fileName(), QByteArray())
                : how == Damage::Truncated ? f.open(QIODevice::ReadWrite) && f.resize(f.size() / 2)
                                           : testsupport::overwrite(f.fileName(), junk));
    }
    // Adds reciters (name, folder) of both kinds, not marked default, to the database in the folder.
    void addReciters(const QStringList& namesAndFolders) {
        platform::Connection db;
        db.Open(file(u"librezi.db"_s));
        for (int verses : {-1, 0})
            for (int i = 0; i + 1 < namesAndFolders.size(); i += 2)
                db.exec(u"INSERT INTO Lokacioni_i_zerit (IDLok, Lexuesi, Lokacioni, Ajete, [Default]) "
                        "VALUES ((SELECT max(IDLok) + 1 FROM Lokacioni_i_zerit), ?, ?, ?, 0)"_s,
                        {namesAndFolders[i], namesAndFolders[i + 1], verses});
    }
    static QString defaultMarks() {
        return vbText(MerrVleren(u"SELECT group_concat(IDLok) FROM Lokacioni_i_zerit WHERE [Default] = -1"_s));
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

    // A reciter chosen while the database takes no writes: refused with a message; the marks, the folder
    // recitations play from and the list's choice stay as they were, and reading goes on.
    void readOnlyDatabaseRefusesTheReciterChoice() {
        addReciters({u"Zë tjetër"_s, u"tjeter"_s});
        testsupport::Controls c(testsupport::startOnFolder(*dir));
        Module1::cnLidhja.exec(u"PRAGMA query_only = ON"_s);
        const QString marks = defaultMarks(), folder = Module1::strLokacioniAjeteve, shown = c.CmbLexuesAjete->Text();
        const QByteArray sum = testsupport::fileChecksum(file(u"librezi.db"_s));
        c.CmbLexuesAjete->setListIndex(c.CmbLexuesAjete->findText(u"Zë tjetër"_s));
        QCOMPARE(said().size(), 1);
        QVERIFY(said().first().startsWith(u"Zgjedhja e lexuesit nuk u ruajt"_s));
        QVERIFY(defaultMarks() == marks && Module1::strLokacioniAjeteve == folder && c.CmbLexuesAjete->Text() == shown);
        QCOMPARE(testsupport::fileChecksum(file(u"librezi.db"_s)), sum);
        c.CmbNrSure->setListIndex(1);
        QVERIFY(c.CmbEmrSure->Text() == "Bekare"_L1 && said().size() == 1);
    }

    // The database broken under the running program: a surah, a search and a theme fail with a message and
    // the view keeps what it shows. A removed file is no fault while the program runs: the open handle keeps
    // the data.
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
        const QStringList messages = said();
        QVERIFY2(refused ? messages.size() >= 2 && messages.filter(u"Veprimi nuk u krye"_s) == messages
                         : messages.isEmpty(),
                 qPrintable(messages.join(u'\n')));
        QCOMPARE(c.CmbEmrSure->Text(), refused ? u"Fatiha"_s : u"Ali Imran"_s);
        QVERIFY(refused ? c.Rtf1->Text() == text && !c.w->inPassageMode() : c.w->inPassageMode());
    }

    // The whole text broken while a passage is shown: the return button says so, and the passage and the way
    // back stay; the next start is refused, naming the file. A truncated file is shown as far as it goes.
    void wholeTextBroken_data() {
        QTest::addColumn<Damage>("how");
        QTest::addColumn<QString>("atReturn");
        QTest::newRow("missing") << Damage::Missing << u"Teksti i plotë nuk mund të hapet"_s;
        QTest::newRow("empty") << Damage::Empty << u"Teksti i plotë nuk mund të lexohet."_s;
        QTest::newRow("not RTF") << Damage::Garbage << u"Teksti i plotë nuk mund të lexohet."_s;
        QTest::newRow("truncated: what is there") << Damage::Truncated << QString();
    }
    void wholeTextBroken() {
        QFETCH(Damage, how);
        QFETCH(QString, atReturn);
        testsupport::Controls c(testsupport::startOnFolder(*dir));
        testsupport::typeInto(c.CmbKerkoKrejt, u"Musa"_s);
        c.cmdKerkoAll->click();
        const QString passage = c.Rtf1->Text();
        const bool refused = !atReturn.isEmpty();
        damage(u"LIB'REZI.rtf"_s, how);
        c.cmdKtheLibrezin->click();
        QCOMPARE(said().size(), refused ? 1 : 0);
        QVERIFY(!refused || said().first().startsWith(atReturn));
        QCOMPARE(c.w->inPassageMode(), refused);
        QVERIFY(refused ? c.Rtf1->Text() == passage : c.Rtf1->Text().contains(u"\r\n1:1.\t"_s));

        boxes->clear();
        QCOMPARE(testsupport::startOnFolder(*dir) == nullptr, refused);
        QCOMPARE(said().filter(u"Programi nuk mund të niset."_s).filter(u"LIB'REZI.rtf"_s).size(), refused ? 1 : 0);
    }

    // A folder where the settings file should be: the exit button and the window's close still end the
    // program; the history is lost quietly and the store is left as it is.
    void settingsStoreNotWritableAtClosing() {
        testsupport::Controls c(testsupport::startOnFolder(*dir));
        const QString store =
            QSettings(QSettings::IniFormat, QSettings::UserScope, history::appName(), history::appName()).fileName();
        QVERIFY(store.startsWith(dir->path()) && QDir().mkpath(store));
        testsupport::typeInto(c.CmbKerkoKrejt, u"Musa"_s);
        c.cmdKerkoAll->click();
        int ended = 0;
        c.w->endProgram = [&ended] { ++ended; };
        boxes->answer(platform::Answer::Yes);
        c.cmdFund->click();
        QVERIFY(ended == 1 && c.w->close() && !c.w->isVisible());
        QVERIFY(said().size() == 1 && QFileInfo(store).isDir());
    }

    // Recitation from a folder that is missing, a folder without the file, and a file that is not audio: the
    // player strip says what is wrong and no box opens.
    void reciterFilesBroken_data() {
        QTest::addColumn<QString>("reciter");
        QTest::addColumn<bool>("surahs");
        QTest::addColumn<QString>("status");
        QTest::newRow("verse folder missing") << u"Mungon"_s << false << u"Skedari nuk u gjet: 001001.mp3"_s;
        QTest::newRow("verse file missing") << u"Bosh"_s << false << u"Skedari nuk u gjet: 001001.mp3"_s;
        QTest::newRow("verse file not audio") << u"Jo zë"_s << false << u"Skedari nuk mund të luhet: 001001.mp3"_s;
        QTest::newRow("surah folder missing") << u"Mungon"_s << true << u"Skedari nuk u gjet: 001.mp3"_s;
        QTest::newRow("surah file not audio") << u"Jo zë"_s << true << u"Skedari nuk mund të luhet: 001.mp3"_s;
    }
    void reciterFilesBroken() {
        QFETCH(QString, reciter);
        QFETCH(bool, surahs);
        QFETCH(QString, status);
        QVERIFY(QDir(dir->path()).mkpath(u"bosh"_s) && QDir(dir->path()).mkpath(u"jo"_s));
        QVERIFY(testsupport::overwrite(file(u"jo/001001.mp3"_s), "this is a text file, not a recitation\n"));
        QVERIFY(testsupport::overwrite(file(u"jo/001.mp3"_s), QByteArray(4096, '\0')));
        addReciters({u"Mungon"_s, u"mungon"_s, u"Bosh"_s, u"bosh"_s, u"Jo zë"_s, u"jo"_s});
        testsupport::Controls c(testsupport::startOnFolder(*dir));
        platform::ComboBox* list = surahs ? c.CmbLexuesSure : c.CmbLexuesAjete;
        list->setListIndex(list->findText(reciter));
        (surahs ? c.CmdPlaySure : c.CmdPlayAjet)->click();
        if (!platform::MediaPlayer::playbackAvailable())
            status = platform::MediaPlayer::notPossibleText();
        QTRY_COMPARE_WITH_TIMEOUT(c.WindowsMediaPlayer1->statusText(), status, 10000);
        QVERIFY(c.WindowsMediaPlayer1->playState() != platform::MediaPlayer::State::Playing && said().isEmpty());
    }
};

QTEST_MAIN(TestFaults)
#include "test_faults.moc"
