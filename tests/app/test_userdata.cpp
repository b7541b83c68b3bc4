#include "app/module1.h"
#include "audio/playback.h"
#include "mainwindow/frmkryesore.h"
#include "platform/msgbox.h"
#include "testsupport.h"
#include "tools/reciters.h"

#include <QDir>
#include <QProcess>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

// The reader's own copy of the data, for a program folder that cannot be written (an installed program):
// made on the first start, used afterwards, and never made for a writable build folder.
class TestUserData : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_program, m_home; // the program folder and XDG_DATA_HOME

    QString own(const QString& name) const { return m_home->filePath(u"librezi/"_s + name); }
    QString bundled(const QString& name) const { return m_program->filePath(name); }
    // Starts on the program folder: "" when it started without a message, else what it said.
    QString start() {
        Module1::unloadMainWindow();
        Module1::setProgramFolder(m_program->path());
        platform::MsgBoxScript script;
        const int rc = Module1::Main();
        return rc == 0 && script.asked().isEmpty() ? QString() : script.asked().value(0).text + u" (refused)"_s;
    }
    static QString shownText() { return testsupport::Controls(Module1::mainWindow()).Rtf1->Text(); }
    static int builder(const QStringList& args) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(testsupport::buildFolder() + u"/tools/librezi-builder"_s, args);
        return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

private Q_SLOTS:
    void init() {
        m_program = std::make_unique<QTemporaryDir>();
        m_home = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->path()));
        testsupport::copyBundledData(*m_program);
        testsupport::useSettingsIn(*m_program);
        QVERIFY(QDir(m_program->path()).mkpath(u"zeri/tjeter"_s)); // a second verse reciter to choose
        databuilder::addReciter({bundled(u"librezi.db"_s), u"Tjetri"_s, u"zeri/tjeter"_s, QString(), true, false});
    }
    void cleanup() {
        Module1::unloadMainWindow();
        Module1::cnLidhja.Close();
        Module1::setProgramFolderWritable(std::nullopt);
    }

    void readOnlyFolderGetsACopyThatKeepsTheReadersChoices() {
        const QByteArray sum = testsupport::fileChecksum(bundled(u"librezi.db"_s));
        Module1::setProgramFolderWritable(false);
        QCOMPARE(start(), QString());
        QCOMPARE(Module1::cnLidhja.path(), own(u"librezi.db"_s));
        testsupport::Controls c(Module1::mainWindow());
        QVERIFY(c.Rtf1->Text().contains(u"2:255.\t"_s)); // the bundled text: the reader imported none
        c.CmbLexuesAjete->setListIndex(c.CmbLexuesAjete->findText(u"Tjetri"_s));
        QCOMPARE(Module1::strLokacioniAjeteve, u"zeri/tjeter"_s);

        // The second start takes the copy as it was left, and the text and reciter folders the reader has.
        QVERIFY(QDir().mkpath(own(u"zeri/sure"_s)));
        QVERIFY(testsupport::overwrite(own(u"lib'rezi.RTF"_s), "{\\rtf1 Teksti i importuar.\\par}"));
        QCOMPARE(start(), QString());
        c = testsupport::Controls(Module1::mainWindow());
        QVERIFY(c.CmbLexuesAjete->Text() == "Tjetri"_L1 && Module1::strLokacioniAjeteve == "zeri/tjeter"_L1);
        QVERIFY(c.Rtf1->Text().contains(u"Teksti i importuar"_s));
        QCOMPARE(audio::surahAudioPath(u"zeri/sure"_s, u"1"_s), own(u"zeri/sure/001.mp3"_s));
        QCOMPARE(audio::surahAudioPath(u"zeri/ajete"_s, u"1"_s), bundled(u"zeri/ajete/001.mp3"_s));
        QCOMPARE(testsupport::fileChecksum(bundled(u"librezi.db"_s)), sum);
        QCOMPARE(QDir(own(QString())).entryList(QDir::Files | QDir::Hidden),
                 QStringList({u"lib'rezi.RTF"_s, u"librezi.db"_s}));
    }

    void writableFolderIgnoresThePerUserFolderUnlessMarkedInstalled() {
        QCOMPARE(start(), QString());
        QVERIFY(!QFileInfo::exists(own(QString())));
        // A per-user copy from an installed program, with its own text and reciter folder, stays unused.
        QVERIFY(QDir().mkpath(own(u"zeri/ajete"_s)));
        QVERIFY(QFile::copy(bundled(u"librezi.db"_s), own(u"librezi.db"_s)));
        QVERIFY(testsupport::overwrite(own(u"LIB'REZI.rtf"_s), "{\\rtf1 Teksti i importuar.\\par}"));
        const QByteArray sum = testsupport::fileChecksum(own(u"librezi.db"_s));
        QCOMPARE(start(), QString());
        QVERIFY(!Module1::usesUserData() && Module1::cnLidhja.path() == bundled(u"librezi.db"_s));
        QVERIFY(!shownText().contains(u"Teksti i importuar"_s));
        QCOMPARE(Module1::reciterFolder(u"zeri/ajete"_s), bundled(u"zeri/ajete"_s));
        QCOMPARE(testsupport::fileChecksum(own(u"librezi.db"_s)), sum);
        // Root may write into any folder: the mark of an installed folder decides without asking.
        QVERIFY(QFile::remove(own(u"librezi.db"_s)));
        QVERIFY(testsupport::overwrite(bundled(QString::fromLatin1(Module1::kInstalledMarker)), "installed\n"));
        QCOMPARE(start(), QString());
        QCOMPARE(Module1::cnLidhja.path(), own(u"librezi.db"_s));
        QVERIFY(QFileInfo(own(u"librezi.db"_s)).isWritable());
    }

    void missingBundledDatabaseIsReported() {
        Module1::setProgramFolderWritable(false);
        QVERIFY(QFile::remove(bundled(u"librezi.db"_s)));
        QVERIFY(start().contains(u"librezi.db\nShkaku: skedari mungon"_s));
        QVERIFY(!QFileInfo::exists(own(u"librezi.db"_s)));
    }

    // The builder's --user mode writes the reader's folder and keeps their reciters across imports; the
    // installed program reads both.
    void builderWritesThePerUserFolder() {
        QTemporaryDir input;
        QFile surahs(testsupport::factsFolder() + u"/suret.tsv"_s);
        QVERIFY(surahs.open(QIODevice::ReadOnly));
        QByteArray sq;
        for (QList<QByteArray> f; !surahs.atEnd();)
            if ((f = surahs.readLine().trimmed().split('\t')).size() >= 2 && !f[0].startsWith('#'))
                for (int verse = 1; verse <= f[1].toInt(); ++verse)
                    sq += f[0] + '|' + QByteArray::number(verse) + "|Ajeti " + f[0] + ':' + QByteArray::number(verse) +
                          " i importuar\n";
        QVERIFY(testsupport::overwrite(input.filePath(u"sq.txt"_s), sq));
        const QStringList import = {u"--user"_s, u"--facts"_s, testsupport::factsFolder(), u"--translation"_s,
                                    input.filePath(u"sq.txt"_s)};
        const QStringList reciter = {u"--add-reciter"_s, u"--user"_s, u"--name"_s, u"Imi"_s,      u"--folder"_s,
                                     input.path(),       u"--kind"_s, u"ajete"_s,  u"--default"_s};
        QCOMPARE(builder(reciter), 1); // no per-user database yet, and no bundled one beside the builder
        QCOMPARE(builder(import), 0);
        QCOMPARE(builder(reciter), 0);
        QCOMPARE(builder(import), 0); // a second import keeps the reciter and its mark
        Module1::setProgramFolderWritable(false);
        QCOMPARE(start(), QString());
        QCOMPARE(testsupport::Controls(Module1::mainWindow()).CmbLexuesAjete->Text(), u"Imi"_s);
        QCOMPARE(Module1::strLokacioniAjeteve, input.path());
        QVERIFY(shownText().contains(u"Ajeti 2:255 i importuar"_s));
    }
};

QTEST_MAIN(TestUserData)
#include "test_userdata.moc"
