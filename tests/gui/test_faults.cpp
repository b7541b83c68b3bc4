#include "app/module1.h"
#include "data/queryhelpers.h"
#include "testsupport.h"
#include "mainwindow/frmkryesore.h"
#include "platform/mediaplayer.h"
#include "platform/msgbox.h"
#include "search/history.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using testsupport::overwrite;
using Module1::cnLidhja;

namespace {

QString dbPath(const QTemporaryDir& dir) {
    return dir.filePath(QStringLiteral("librezi.db"));
}
QString textPath(const QTemporaryDir& dir) {
    return dir.filePath(QStringLiteral("LIB'REZI.rtf"));
}

// The reciters marked default, "verses|surahs" by IDLok.
QString marks() {
    return vbText(MerrVleren(QStringLiteral("select group_concat(IDLok) from Lokacioni_i_zerit where Default=-1 and "
                                            "Ajete=-1"))) +
           u'|' +
           vbText(MerrVleren(
               QStringLiteral("select group_concat(IDLok) from Lokacioni_i_zerit where Default=-1 and Ajete=0")));
}

int indexOfText(platform::ComboBox* list, const QString& text) {
    for (int i = 0; i < list->ListCount(); ++i)
        if (list->List(i) == text)
            return i;
    return -1;
}

// How a file is broken: removed, emptied, cut in half, or replaced by something that is not its kind.
enum class Damage { Missing, Empty, Truncated, Garbage };

void damage(const QString& path, Damage how) {
    QFile f(path);
    switch (how) {
    case Damage::Missing:
        QVERIFY(QFile::remove(path));
        break;
    case Damage::Empty:
        QVERIFY(overwrite(path, QByteArray()));
        break;
    case Damage::Truncated:
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.resize(f.size() / 2));
        break;
    case Damage::Garbage: {
        QByteArray junk;
        for (int i = 0; i < 64 * 1024; ++i)
            junk += char((i * 131 + 7) % 251);
        QVERIFY(overwrite(path, "PK\x03\x04" + junk));
        break;
    }
    }
}

} // namespace

Q_DECLARE_METATYPE(Damage)

// The real main window against broken files, a database that refuses to be written and a settings
// store that cannot be written: each ends with an Albanian message or a quiet fallback, nothing lost.
class TestFaults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() {
        Module1::unloadMainWindow();
        cnLidhja.Close();
    }

    // Choosing a reciter when the database accepts no writes: refused with a message, the marks and the
    // folder recitations play from stay as they were, and the list shows the marked reciter again.
    void readOnlyDatabaseRefusesTheReciterChoice() {
        QTemporaryDir dir;
        testsupport::copyBundledData(dir);
        {
            platform::Connection c;
            c.Open(dbPath(dir));
            c.Execute(QStringLiteral(
                "insert into Lokacioni_i_zerit (IDLok, Lexuesi, Lokacioni, Ajete, [Default]) values (7, 'Zë tjetër', "
                "'tjeter', -1, 0)"));
        }
        platform::MsgBoxScript boxes;
        frmKryesore* w = testsupport::startOnFolder(dir);
        QVERIFY(w);
        cnLidhja.Execute(QStringLiteral("PRAGMA query_only=ON"));
        const QString before = marks();
        const QString folder = Module1::strLokacioniAjeteve;
        const QString shown = w->CmbLexuesAjete->Text();
        const QByteArray sum = testsupport::fileChecksum(dbPath(dir));

        w->CmbLexuesAjete->setListIndex(indexOfText(w->CmbLexuesAjete, QStringLiteral("Zë tjetër")));

        QCOMPARE(boxes.asked().size(), 1);
        QVERIFY(boxes.asked().first().text.startsWith(QStringLiteral("Zgjedhja e lexuesit nuk u ruajt")));
        QCOMPARE(marks(), before);
        QCOMPARE(Module1::strLokacioniAjeteve, folder);
        QCOMPARE(w->CmbLexuesAjete->Text(), shown);
        QCOMPARE(testsupport::fileChecksum(dbPath(dir)), sum);
        // Reading goes on.
        w->CmbNrSure->setText(QStringLiteral("2"));
        Q_EMIT w->CmbNrSure->Click();
        QCOMPARE(w->CmbEmrSure->Text(), vbText(MerrVleren(QStringLiteral("select Emri from Suret where IDSureja=2"))));
        QCOMPARE(boxes.asked().size(), 1);
    }

    // The database file broken under the running program: the next statement fails with a message and
    // the text view keeps what it shows. A removed file is no fault while the program runs: the open
    // handle keeps the data, so reading simply goes on.
    void databaseBrokenWhileRunning_data() {
        QTest::addColumn<Damage>("how");
        QTest::addColumn<bool>("fails");
        QTest::newRow("removed: reading goes on") << Damage::Missing << false;
        QTest::newRow("emptied: refused") << Damage::Empty << true;
        QTest::newRow("overwritten with garbage: refused") << Damage::Garbage << true;
    }
    void databaseBrokenWhileRunning() {
        QFETCH(Damage, how);
        QFETCH(bool, fails);
        QTemporaryDir dir;
        platform::MsgBoxScript boxes;
        frmKryesore* w = testsupport::startProgram(dir);
        const QString text = w->Rtf1->Text();
        const QString surah = w->CmbEmrSure->Text();
        damage(dbPath(dir), how);

        // A surah chosen by number, a search and a theme: each runs statements.
        w->CmbNrSure->setText(QStringLiteral("3"));
        Q_EMIT w->CmbNrSure->Click();
        w->CmbKerkoKrejt->setText(QStringLiteral("Musa"));
        w->cmdKerkoAll->click();
        if (w->cmbKlasifikimTematik->ListCount() > 1)
            w->cmbKlasifikimTematik->setListIndex(1);

        if (!fails) {
            QVERIFY(boxes.asked().isEmpty());
            QVERIFY(w->inPassageMode());
            return;
        }
        QVERIFY(boxes.asked().size() >= 2);
        for (const platform::AskedMessage& m : boxes.asked())
            QVERIFY2(m.text.startsWith(QStringLiteral("Veprimi nuk u krye")), qPrintable(m.text));
        QCOMPARE(w->Rtf1->Text(), text);
        QCOMPARE(w->CmbEmrSure->Text(), surah);
        QVERIFY(!w->inPassageMode());
    }

    // The whole text at start-up: missing, empty and not RTF are refused with the start-up message
    // naming the file; a truncated file shows what it holds.
    void wholeTextBrokenAtStartup_data() {
        QTest::addColumn<Damage>("how");
        QTest::addColumn<bool>("starts");
        QTest::newRow("missing: refused") << Damage::Missing << false;
        QTest::newRow("empty: refused") << Damage::Empty << false;
        QTest::newRow("not RTF: refused") << Damage::Garbage << false;
        QTest::newRow("truncated: the part that is there") << Damage::Truncated << true;
    }
    void wholeTextBrokenAtStartup() {
        QFETCH(Damage, how);
        QFETCH(bool, starts);
        QTemporaryDir dir;
        testsupport::copyBundledData(dir);
        damage(textPath(dir), how);
        platform::MsgBoxScript boxes;
        frmKryesore* w = testsupport::startOnFolder(dir);
        QCOMPARE(w != nullptr, starts);
        if (starts) {
            QVERIFY(boxes.asked().isEmpty());
            QVERIFY(w->Rtf1->Text().contains(QStringLiteral("1:1.")));
            return;
        }
        QCOMPARE(boxes.asked().size(), 1);
        QVERIFY(boxes.asked().first().text.startsWith(QStringLiteral("Programi nuk mund të niset.")));
        QVERIFY(boxes.asked().first().text.contains(QStringLiteral("LIB'REZI.rtf")));
    }

    // The whole text broken while a passage is shown: the return button says so and the passage and
    // the way back stay; a truncated file is shown as far as it goes.
    void wholeTextBrokenAtReturn_data() {
        QTest::addColumn<Damage>("how");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << Damage::Missing << QStringLiteral("Teksti i plotë nuk mund të hapet");
        QTest::newRow("empty") << Damage::Empty << QStringLiteral("Teksti i plotë nuk mund të lexohet.");
        QTest::newRow("not RTF") << Damage::Garbage << QStringLiteral("Teksti i plotë nuk mund të lexohet.");
        QTest::newRow("truncated: no message") << Damage::Truncated << QString();
    }
    void wholeTextBrokenAtReturn() {
        QFETCH(Damage, how);
        QFETCH(QString, message);
        QTemporaryDir dir;
        platform::MsgBoxScript boxes;
        frmKryesore* w = testsupport::startProgram(dir);
        w->CmbKerkoKrejt->setText(QStringLiteral("Musa"));
        w->cmdKerkoAll->click();
        QVERIFY(w->inPassageMode());
        const QString passage = w->Rtf1->Text();
        damage(textPath(dir), how);

        w->cmdKtheLibrezin->click();
        if (message.isEmpty()) {
            QVERIFY(boxes.asked().isEmpty());
            QVERIFY(!w->inPassageMode());
            QVERIFY(w->Rtf1->Text().contains(QStringLiteral("1:1.")));
            return;
        }
        QCOMPARE(boxes.asked().size(), 1);
        QVERIFY2(boxes.asked().first().text.startsWith(message), qPrintable(boxes.asked().first().text));
        QVERIFY(w->inPassageMode());
        QCOMPARE(w->Rtf1->Text(), passage);
    }

    // A folder where the settings file should be: closing still closes, by the window's close and by
    // the exit button; the history is lost quietly (a line on stderr) and the stored one is untouched.
    void settingsStoreNotWritableAtClosing_data() {
        QTest::addColumn<bool>("byExitButton");
        QTest::newRow("window closed") << false;
        QTest::newRow("exit button, Yes") << true;
    }
    void settingsStoreNotWritableAtClosing() {
        QFETCH(bool, byExitButton);
        QTemporaryDir dir;
        platform::MsgBoxScript boxes;
        frmKryesore* w = testsupport::startProgram(dir);
        const QString store =
            QSettings(QSettings::IniFormat, QSettings::UserScope, history::appName(), history::appName()).fileName();
        QVERIFY(store.startsWith(dir.path()));
        QFile::remove(store);
        QVERIFY(QDir().mkpath(store));
        w->CmbKerkoKrejt->setText(QStringLiteral("Musa"));
        w->cmdKerkoAll->click();
        QVERIFY(boxes.asked().isEmpty());

        bool ended = false;
        w->endProgram = [&ended] { ended = true; };
        if (byExitButton) {
            boxes.answer(platform::Answer::Yes);
            w->cmdFund->click();
            QVERIFY(ended);
        } else {
            QVERIFY(w->close());
            QVERIFY(!w->isVisible());
        }
        QCOMPARE(boxes.asked().size(), byExitButton ? 1 : 0);
        QVERIFY(QFileInfo(store).isDir());
    }

    // Recitation from a folder that is missing, a folder without the file, and a file that is not
    // audio: the player strip says what is wrong and no box opens.
    void reciterFilesBroken_data() {
        QTest::addColumn<QString>("reciter");
        QTest::addColumn<bool>("surahs");
        QTest::addColumn<QString>("status");
        QTest::newRow("verse folder missing")
            << QStringLiteral("Mungon") << false << QStringLiteral("Skedari nuk u gjet: 001001.mp3");
        QTest::newRow("verse file missing")
            << QStringLiteral("Bosh") << false << QStringLiteral("Skedari nuk u gjet: 001001.mp3");
        QTest::newRow("verse file not audio")
            << QStringLiteral("Jo zë") << false << QStringLiteral("Skedari nuk mund të luhet: 001001.mp3");
        QTest::newRow("surah folder missing")
            << QStringLiteral("Mungon") << true << QStringLiteral("Skedari nuk u gjet: 001.mp3");
        QTest::newRow("surah file not audio")
            << QStringLiteral("Jo zë") << true << QStringLiteral("Skedari nuk mund të luhet: 001.mp3");
    }
    void reciterFilesBroken() {
        QFETCH(QString, reciter);
        QFETCH(bool, surahs);
        QFETCH(QString, status);
        QTemporaryDir dir;
        testsupport::copyBundledData(dir);
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("bosh")));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("jo")));
        QVERIFY(overwrite(dir.filePath(QStringLiteral("jo/001001.mp3")), "this is a text file, not a recitation\n"));
        QVERIFY(overwrite(dir.filePath(QStringLiteral("jo/001.mp3")), QByteArray(4096, '\0')));
        {
            platform::Connection c;
            c.Open(dbPath(dir));
            int id = 50;
            for (const char* kind : {"-1", "0"})
                for (const char* row : {"'Mungon', 'mungon'", "'Bosh', 'bosh'", "'Jo zë', 'jo'"})
                    c.Execute(QStringLiteral("insert into Lokacioni_i_zerit (IDLok, Lexuesi, Lokacioni, Ajete, "
                                             "[Default]) values (") +
                              QString::number(id++) + QStringLiteral(", ") + QString::fromUtf8(row) +
                              QStringLiteral(", ") + QLatin1String(kind) + QStringLiteral(", 0)"));
        }
        platform::MsgBoxScript boxes;
        frmKryesore* w = testsupport::startOnFolder(dir);
        QVERIFY(w);
        platform::ComboBox* list = surahs ? w->CmbLexuesSure : w->CmbLexuesAjete;
        list->setListIndex(indexOfText(list, reciter));
        QVERIFY(boxes.asked().isEmpty());
        (surahs ? w->CmdPlaySure : w->CmdPlayAjet)->click();

        if (!platform::MediaPlayer::playbackAvailable())
            status = platform::MediaPlayer::notPossibleText();
        QTRY_COMPARE_WITH_TIMEOUT(w->WindowsMediaPlayer1->statusText(), status, 10000);
        QVERIFY(w->WindowsMediaPlayer1->playState() != platform::MediaPlayer::State::Playing);
        QVERIFY(boxes.asked().isEmpty());
    }
};

QTEST_MAIN(TestFaults)
#include "test_faults.moc"
