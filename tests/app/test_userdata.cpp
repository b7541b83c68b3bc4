#include "app/module1.h"
#include "audio/playback.h"
#include "mainwindow/frmkryesore.h"
#include "platform/msgbox.h"
#include "testsupport.h"
#include "tools/reciters.h"

#include <QDir>
#include <QTest>

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
        Module1::setProgramFolder(m_program->path());
        platform::MsgBoxScript script;
        const int rc = Module1::Main();
        return rc == 0 && script.asked().isEmpty() ? QString() : script.asked().value(0).text + u" (refused)"_s;
    }
    static QString shownText() { return testsupport::Controls(Module1::mainWindow()).Rtf1->Text(); }

private Q_SLOTS:
    void init() {
        m_program = std::make_unique<QTemporaryDir>();
        m_home = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->path()));
        testsupport::copyBundledData(*m_program);
        testsupport::useSettingsIn(*m_program);
    }
    void cleanup() {
        Module1::unloadMainWindow();
        Module1::cnLidhja.Close();
        Module1::setProgramFolderWritable(std::nullopt);
    }
    void readOnlyFolderGetsACopyThatKeepsTheReadersChoices() {
        QVERIFY(QDir(m_program->path()).mkpath(u"zeri/tjeter"_s)); // a second verse reciter to choose
        databuilder::addReciter({bundled(u"librezi.db"_s), u"Tjetri"_s, u"zeri/tjeter"_s, QString(), true, false});
        const QByteArray sum = testsupport::fileChecksum(bundled(u"librezi.db"_s));
        Module1::setProgramFolderWritable(false);
        QCOMPARE(start(), QString());
        QCOMPARE(Module1::cnLidhja.path(), own(u"librezi.db"_s));
        QVERIFY(shownText().contains(u"2:255.\t"_s)); // the bundled text: the reader imported none
        platform::ComboBox* reciters = testsupport::Controls(Module1::mainWindow()).CmbLexuesAjete;
        reciters->setListIndex(reciters->findText(u"Tjetri"_s));
        // The second start takes the copy as it was left, and the text and reciter folders the reader has.
        QVERIFY(QDir().mkpath(own(u"zeri/sure"_s)));
        QVERIFY(testsupport::overwrite(own(u"lib'rezi.RTF"_s), "{\\rtf1 Teksti i importuar.\\par}"));
        QCOMPARE(start(), QString());
        QCOMPARE(testsupport::Controls(Module1::mainWindow()).CmbLexuesAjete->Text(), u"Tjetri"_s);
        QVERIFY(Module1::strLokacioniAjeteve == "zeri/tjeter"_L1 && shownText().contains(u"Teksti i importuar"_s));
        QCOMPARE(audio::surahAudioPath(u"zeri/sure"_s, u"1"_s), own(u"zeri/sure/001.mp3"_s));
        QCOMPARE(audio::surahAudioPath(u"zeri/ajete"_s, u"1"_s), bundled(u"zeri/ajete/001.mp3"_s));
        QCOMPARE(testsupport::fileChecksum(bundled(u"librezi.db"_s)), sum);
        QCOMPARE(QDir(own(QString())).entryList(QDir::Files | QDir::Hidden).join(u'|'), u"lib'rezi.RTF|librezi.db"_s);
        QVERIFY(QFile::remove(bundled(u"librezi.db"_s))); // the copy is there: the bundled one is not needed
        QCOMPARE(start(), QString());
        QVERIFY(QFile::remove(own(u"librezi.db"_s))); // neither is there: the start is refused, nothing made
        QVERIFY(start().contains(u"librezi.db\nShkaku: skedari mungon"_s) && !QFile::exists(own(u"librezi.db"_s)));
    }
    void writableFolderIgnoresThePerUserFolderUnlessMarkedInstalled() {
        QCOMPARE(start(), QString());
        QVERIFY(!QFileInfo::exists(own(QString())));
        // A per-user copy from an installed program, with its own text and reciter folder, stays unused.
        QVERIFY(QDir().mkpath(own(u"zeri/ajete"_s)) && QFile::copy(bundled(u"librezi.db"_s), own(u"librezi.db"_s)));
        QVERIFY(testsupport::overwrite(own(u"LIB'REZI.rtf"_s), "{\\rtf1 Teksti i importuar.\\par}"));
        QCOMPARE(start(), QString());
        QVERIFY(!Module1::usesUserData() && Module1::cnLidhja.path() == bundled(u"librezi.db"_s));
        QVERIFY(!shownText().contains(u"Teksti i importuar"_s));
        QCOMPARE(Module1::reciterFolder(u"zeri/ajete"_s), bundled(u"zeri/ajete"_s));
        // Root may write into any folder: the mark of an installed folder decides without asking.
        QVERIFY(QFile::remove(own(u"librezi.db"_s)));
        QVERIFY(testsupport::overwrite(bundled(QString::fromLatin1(Module1::kInstalledMarker)), "installed\n"));
        QCOMPARE(start(), QString());
        QVERIFY(Module1::cnLidhja.path() == own(u"librezi.db"_s) && QFileInfo(own(u"librezi.db"_s)).isWritable());
    }
};

QTEST_MAIN(TestUserData)
#include "test_userdata.moc"
