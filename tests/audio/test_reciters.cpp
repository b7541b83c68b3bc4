// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/module1.h"
#include "audio/reciters.h"
#include "platform/database.h"
#include "platform/listcontrols.h"
#include "platform/msgbox.h"
#include "testsupport.h"

#include <QtTest>

#include <cstdio>

#include <unistd.h>

using Module1::cnLidhja;

// The two reciter lists of the main window on a real database: verse reciters 1 and 2, surah reciters 3 and 4.
class TestReciters : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    platform::ComboBox ajete{nullptr, false}, sure{nullptr, false};
    audio::ReciterChoice choice{Module1::library, &ajete, &sure};
    // The marked reciters, the two folders and the reciters the lists show, e.g. "1,3 C:\A E:\S 1 3".
    QString state() const {
        return QStringList{
            cnLidhja.value("SELECT group_concat(IDLok) FROM Lokacioni_i_zerit WHERE [Default]").toString(),
            Module1::strLokacioniAjeteve, Module1::strLokacioniSureve,
            QString::number(ajete.ItemData(ajete.ListIndex())), QString::number(sure.ItemData(sure.ListIndex()))}
            .join(' ');
    }
    void choose(platform::ComboBox& list, int id) { list.setListIndex(list.findData(id)); }

private Q_SLOTS:
    void initTestCase() {
        connect(&ajete, &platform::ComboBox::Click, &choice, &audio::ReciterChoice::CmbLexuesAjete_Click);
        connect(&sure, &platform::ComboBox::Click, &choice, &audio::ReciterChoice::CmbLexuesSure_Click);
        testsupport::createEmptyDatabase(dir.filePath("librezi.db"));
        cnLidhja.exec("INSERT INTO Lokacioni_i_zerit VALUES (1, 'Alafasy', 'C:\\A', -1, -1), (2, 'Basit', 'D:\\B', -1, "
                      "0), (3, 'Sudais', 'E:\\S', 0, -1), (4, 'Husary', 'zeri/sure', 0, 0)");
        choice.fill(); // each list shows its kind's default; writes nothing
        QCOMPARE(state(), QStringLiteral("1,3   1 3"));
        QCOMPARE(sure.List(0) + ajete.List(1), QStringLiteral("HusaryBasit")); // each kind, by name
        Module1::strLokacioniAjeteve = "C:\\A";
        Module1::strLokacioniSureve = "E:\\S";
    }
    void choosing() {
        platform::MsgBoxScript boxes;
        ajete.selectQuietly(ajete.findData(2));
        sure.selectQuietly(sure.findData(4));
        QCOMPARE(state(), QStringLiteral("1,3 C:\\A E:\\S 2 4"));
        // A choice marks the reciter alone of its kind and takes its folder; none unmarks the kind, keeping the folder.
        choose(ajete, 2);
        QCOMPARE(state(), QStringLiteral("2,3 D:\\B E:\\S 2 4"));
        choose(sure, 4);
        QCOMPARE(state(), QStringLiteral("2,4 D:\\B zeri/sure 2 4"));
        choose(ajete, 0);
        QCOMPARE(state(), QStringLiteral("4 D:\\B zeri/sure 0 4"));
        QVERIFY(boxes.asked().isEmpty());
        // A mark that cannot be written after the old one was cleared: neither is kept; the list shows it again.
        cnLidhja.exec("CREATE TRIGGER refuse BEFORE UPDATE ON Lokacioni_i_zerit WHEN NEW.[Default] = -1 BEGIN SELECT "
                      "RAISE(ABORT, 'disk I/O error'); END");
        QString asked;
        boxes.onAsk([&](const platform::AskedMessage& m) { asked = m.text.left(33) + state(); });
        choose(sure, 3);
        QCOMPARE(asked, QStringLiteral("Zgjedhja e lexuesit nuk u ruajt: 4 D:\\B zeri/sure 0 3"));
        QCOMPARE(state(), QStringLiteral("4 D:\\B zeri/sure 0 4"));
    }
    // The database replaced under the running program by an import: the choice says so, not "read-only".
    void databaseReplacedMeanwhile() {
        cnLidhja.exec("DROP TRIGGER refuse");
        const QString other = dir.filePath("other.db");
        QVERIFY(QFile::copy(dir.filePath("librezi.db"), other));
        QVERIFY(std::rename(QFile::encodeName(other).constData(), QFile::encodeName(dir.filePath("librezi.db"))) == 0);
        platform::MsgBoxScript boxes;
        choose(ajete, 1);
        QCOMPARE(boxes.asked().value(0).text, QStringLiteral("Zgjedhja e lexuesit nuk u ruajt: baza e të dhënave u "
                                                             "zëvendësua nga një import i ri; rinisni programin"));
    }
    // A folder whose list of files cannot be read is said to be unreadable, with the cause, not to hold no
    // recordings; nothing is added.
    void unreadableFolder_data() {
        QTest::addColumn<bool>("denied"); // no leave to read it; otherwise it is gone
        QTest::addColumn<QString>("cause");
        QTest::newRow("no leave") << true << "nuk ka leje për ta lexuar.\n(";
        QTest::newRow("gone") << false << "dosja nuk ekziston.\n(";
    }
    void unreadableFolder() {
        QFETCH(bool, denied);
        QFETCH(QString, cause);
        const QString folder = dir.filePath(denied ? "mbyllur" : "larguar");
        QVERIFY(QDir().mkpath(folder) && testsupport::overwrite(folder + "/001001.mp3", "ID3"));
        choice.chooseFolder = [folder] { return folder; };
        choice.askName = [](const QString&) { return QStringLiteral("Emri"); };
        const QVariant before = cnLidhja.value("SELECT count(*) FROM Lokacioni_i_zerit");
        platform::MsgBoxScript boxes;
        if (denied) {
            QVERIFY(QFile::setPermissions(folder, {}));
            const bool root = ::geteuid() == 0; // root reads every folder: the leave is asked as another user
            QVERIFY(!root || ::seteuid(65534) == 0);
            choice.addReciter(audio::ReciterKind::Verses);
            QVERIFY(!root || ::seteuid(0) == 0);
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        } else {
            QVERIFY(QDir(folder).removeRecursively());
            choice.addReciter(audio::ReciterKind::Verses);
        }
        QCOMPARE(boxes.asked().size(), 1);
        const QString said = boxes.asked().first().text;
        QVERIFY2(said.startsWith(QStringLiteral("Dosja %1 nuk mund të lexohet: ").arg(folder) + cause),
                 qPrintable(said));
        QCOMPARE(cnLidhja.value("SELECT count(*) FROM Lokacioni_i_zerit"), before);
    }
};

QTEST_MAIN(TestReciters)
#include "test_reciters.moc"
