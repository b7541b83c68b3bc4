#include "app/module1.h"
#include "audio/playback.h"
#include "mainwindow/frmkryesore.h"
#include "platform/listcontrols.h"
#include "platform/msgbox.h"
#include "platform/richtextview.h"
#include "testsupport.h"
#include "tools/databuilder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QByteArray digest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

int indexOf(platform::ComboBox* list, const QString& text) {
    for (int i = 0; i < list->ListCount(); ++i)
        if (list->List(i) == text)
            return i;
    return -1;
}

} // namespace

// The reader's own copy of the data, for a program folder that cannot be written (an installed
// program): made on the first start, used afterwards, and never made for a writable build folder.
class TestUserData : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_program; // the program folder
    std::unique_ptr<QTemporaryDir> m_home;    // XDG_DATA_HOME

    QString userFile(const QString& name) const { return m_home->filePath(QStringLiteral("librezi/") + name); }
    QString programFile(const QString& name) const { return m_program->filePath(name); }

    // Starts the program on the program folder as it is; fails the test when it does not start
    // cleanly (without a message).
    frmKryesore* start() {
        Module1::unloadMainWindow();
        Module1::cnLidhja.Close();
        Module1::setProgramFolder(m_program->path());
        platform::MsgBoxScript script;
        const int rc = Module1::Main();
        if (rc != 0 || !Module1::mainWindow() || !script.asked().isEmpty())
            qFatal("the program did not start cleanly (%d)", rc);
        return Module1::mainWindow();
    }

    QString runBuilder(const QStringList& args, int* exitCode) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_home->path());
        p.setProcessEnvironment(env);
        p.start(testsupport::buildFolder() + QStringLiteral("/tools/librezi-builder"), args);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
            qFatal("the builder did not finish");
        *exitCode = p.exitCode();
        return QString::fromUtf8(p.readAllStandardError());
    }

private Q_SLOTS:
    void init() {
        m_program = std::make_unique<QTemporaryDir>();
        m_home = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->path()));
        testsupport::copyBundledData(*m_program);
        testsupport::useSettingsIn(*m_program);
        // A second verse reciter, so that there is a choice to remember.
        QVERIFY(QDir(m_program->path()).mkpath(QStringLiteral("zeri/tjeter")));
        databuilder::addReciter({programFile(QStringLiteral("librezi.db")), QStringLiteral("Lexuesi tjetër"),
                                 QStringLiteral("zeri/tjeter"), QString(), true, false});
    }

    void cleanup() {
        Module1::unloadMainWindow();
        Module1::cnLidhja.Close();
        Module1::setProgramFolderWritable(std::nullopt);
    }

    void readOnlyFolderGetsACopyThatKeepsTheReciterChoice() {
        const QByteArray bundled = digest(programFile(QStringLiteral("librezi.db")));
        Module1::setProgramFolderWritable(false);

        frmKryesore* w = start();
        QVERIFY(QFileInfo(userFile(QStringLiteral("librezi.db"))).isFile());
        QCOMPARE(Module1::databasePath(), userFile(QStringLiteral("librezi.db")));
        QVERIFY(Module1::strLidhja.contains(m_home->path()));
        QVERIFY(!Module1::strLidhja.contains(m_program->path()));
        QCOMPARE(Module1::strLokacioniAjeteve, QStringLiteral("zeri/ajete"));
        // The bundled whole text is read from the program folder: the reader imported none.
        QVERIFY(w->Rtf1->Text().contains(QStringLiteral("2:255.\t")));

        const int other = indexOf(w->CmbLexuesAjete, QStringLiteral("Lexuesi tjetër"));
        QVERIFY(other >= 0);
        w->CmbLexuesAjete->setListIndex(other);
        QCOMPARE(Module1::strLokacioniAjeteve, QStringLiteral("zeri/tjeter"));

        // The second start takes the copy as it was left, and copies nothing over it.
        w = start();
        QCOMPARE(Module1::strLokacioniAjeteve, QStringLiteral("zeri/tjeter"));
        QCOMPARE(w->CmbLexuesAjete->Text(), QStringLiteral("Lexuesi tjetër"));
        QCOMPARE(digest(programFile(QStringLiteral("librezi.db"))), bundled);
        QCOMPARE(QDir(m_home->filePath(QStringLiteral("librezi"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("librezi.db")});
    }

    void writableFolderIgnoresThePerUserFolder() {
        // A per-user copy from an installed program is there, with another reciter chosen.
        QVERIFY(QDir().mkpath(m_home->filePath(QStringLiteral("librezi"))));
        QVERIFY(QFile::copy(programFile(QStringLiteral("librezi.db")), userFile(QStringLiteral("librezi.db"))));
        {
            platform::Connection c;
            c.Open(userFile(QStringLiteral("librezi.db")));
            c.Execute(QStringLiteral("update Lokacioni_i_zerit set [Default] = (Lokacioni = 'zeri/tjeter') * -1 "
                                     "where Ajete = -1"));
        }
        writeBytes(userFile(QStringLiteral("LIB'REZI.rtf")), "{\\rtf1 Teksti i importuar.\\par}");
        const QByteArray userCopy = digest(userFile(QStringLiteral("librezi.db")));

        frmKryesore* w = start();
        QVERIFY(!Module1::usesUserData());
        QCOMPARE(Module1::databasePath(), programFile(QStringLiteral("librezi.db")));
        QCOMPARE(Module1::strLokacioniAjeteve, QStringLiteral("zeri/ajete"));
        QVERIFY(!w->Rtf1->Text().contains(QStringLiteral("Teksti i importuar")));
        QCOMPARE(Module1::reciterFolder(QStringLiteral("zeri/ajete")), programFile(QStringLiteral("zeri/ajete")));
        QCOMPARE(digest(userFile(QStringLiteral("librezi.db"))), userCopy);
    }

    void writableFolderMakesNoCopy() {
        start();
        QVERIFY(!QFileInfo::exists(m_home->filePath(QStringLiteral("librezi"))));
    }

    void installedMarkerMeansAPerUserCopy() {
        // Root may write into any folder: the mark of an installed folder decides without asking.
        writeBytes(programFile(QString::fromLatin1(Module1::kInstalledMarker)), "installed\n");
        start();
        QCOMPARE(Module1::databasePath(), userFile(QStringLiteral("librezi.db")));
        QVERIFY(QFileInfo(userFile(QStringLiteral("librezi.db"))).isWritable());
    }

    void importedWholeTextAndReciterFoldersArePreferred() {
        Module1::setProgramFolderWritable(false);
        QVERIFY(QDir().mkpath(m_home->filePath(QStringLiteral("librezi/zeri/sure"))));
        writeBytes(userFile(QStringLiteral("lib'rezi.RTF")), "{\\rtf1 Teksti i importuar.\\par}");

        frmKryesore* w = start();
        QVERIFY(w->Rtf1->Text().contains(QStringLiteral("Teksti i importuar")));
        // A folder the reader has is taken from their folder; the others stay the bundled ones.
        QCOMPARE(audio::surahAudioPath(QStringLiteral("zeri/sure"), QStringLiteral("1")),
                 userFile(QStringLiteral("zeri/sure/001.mp3")));
        QCOMPARE(audio::surahAudioPath(QStringLiteral("zeri/ajete"), QStringLiteral("1")),
                 programFile(QStringLiteral("zeri/ajete/001.mp3")));
    }

    void missingBundledDatabaseIsReported() {
        Module1::setProgramFolderWritable(false);
        QVERIFY(QFile::remove(programFile(QStringLiteral("librezi.db"))));
        Module1::setProgramFolder(m_program->path());
        platform::MsgBoxScript script;
        QVERIFY(Module1::Main() != 0);
        QCOMPARE(script.asked().size(), 1);
        QVERIFY(script.asked().first().text.contains(QStringLiteral("librezi.db")));
        QVERIFY(script.asked().first().text.contains(QStringLiteral("mungon")));
        QVERIFY(!QFileInfo::exists(userFile(QStringLiteral("librezi.db"))));
    }

    // The builder's --user mode writes the reader's folder and keeps their reciters across imports.
    void builderWritesThePerUserFolder() {
        QTemporaryDir input;
        QByteArray translation;
        QFile surahs(testsupport::factsFolder() + QStringLiteral("/suret.tsv"));
        QVERIFY(surahs.open(QIODevice::ReadOnly));
        while (!surahs.atEnd()) {
            const QList<QByteArray> fields = surahs.readLine().trimmed().split('\t');
            if (fields.size() < 2 || fields[0].startsWith('#'))
                continue;
            for (int verse = 1; verse <= fields[1].toInt(); ++verse)
                translation += fields[0] + '|' + QByteArray::number(verse) + "|Ajeti " + fields[0] + ':' +
                               QByteArray::number(verse) + " i importuar\n";
        }
        writeBytes(input.filePath(QStringLiteral("sq.txt")), translation);

        int rc = -1;
        QString err = runBuilder({QStringLiteral("--add-reciter"), QStringLiteral("--user"), QStringLiteral("--name"),
                                  QStringLiteral("Imi"), QStringLiteral("--folder"), input.path(),
                                  QStringLiteral("--kind"), QStringLiteral("ajete"), QStringLiteral("--default")},
                                 &rc);
        // The builder under test has no bundled database beside it to copy.
        QCOMPARE(rc, 1);
        QVERIFY2(err.contains(QStringLiteral("librezi.db")), qPrintable(err));

        err = runBuilder({QStringLiteral("--user"), QStringLiteral("--facts"), testsupport::factsFolder(),
                          QStringLiteral("--translation"), input.filePath(QStringLiteral("sq.txt"))},
                         &rc);
        QVERIFY2(rc == 0, qPrintable(err));
        err = runBuilder({QStringLiteral("--add-reciter"), QStringLiteral("--user"), QStringLiteral("--name"),
                          QStringLiteral("Imi"), QStringLiteral("--folder"), input.path(), QStringLiteral("--kind"),
                          QStringLiteral("ajete"), QStringLiteral("--default")},
                         &rc);
        QVERIFY2(rc == 0, qPrintable(err));
        // A second import keeps the reciter and its mark.
        err = runBuilder({QStringLiteral("--user"), QStringLiteral("--facts"), testsupport::factsFolder(),
                          QStringLiteral("--translation"), input.filePath(QStringLiteral("sq.txt"))},
                         &rc);
        QVERIFY2(rc == 0, qPrintable(err));
        QCOMPARE(runBuilder({QStringLiteral("--user"), QStringLiteral("--out"), input.path()}, &rc).isEmpty(), false);
        QCOMPARE(rc, 2);

        // The program, installed, reads what the builder wrote.
        Module1::setProgramFolderWritable(false);
        frmKryesore* w = start();
        QCOMPARE(Module1::strLokacioniAjeteve, input.path());
        QCOMPARE(w->CmbLexuesAjete->Text(), QStringLiteral("Imi"));
        QVERIFY(w->Rtf1->Text().contains(QStringLiteral("Ajeti 2:255 i importuar")));
    }
};

QTEST_MAIN(TestUserData)
#include "test_userdata.moc"
