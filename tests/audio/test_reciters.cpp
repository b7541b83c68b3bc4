#include "app/module1.h"
#include "audio/reciters.h"
#include "data/queryhelpers.h"
#include "platform/listcontrols.h"
#include "platform/msgbox.h"
#include "testsupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Module1::cnLidhja;

// Choosing reciters in the two lists, on a real database file.
class TestReciters : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    platform::ComboBox* ajete = nullptr;
    platform::ComboBox* sure = nullptr;
    audio::ReciterChoice* choice = nullptr;
    QStringList log;

    // The reciters marked default: "verses|surahs" by IDLok, e.g. "2|3".
    static QString marks() {
        auto ids = [](const char* kind) {
            QStringList out;
            platform::Recordset rs = cnLidhja.Execute(
                QString(QStringLiteral("select IDLok from Lokacioni_i_zerit where Default=-1 and Ajete=") +
                        QLatin1String(kind) + QStringLiteral(" order by IDLok")));
            for (; !rs.Eof(); rs.MoveNext())
                out << vbText(rs.Fields(0));
            return out.join(u',');
        };
        return QString(ids("-1") + u'|' + ids("0"));
    }

    static int indexOfId(platform::ComboBox* list, int id) {
        for (int i = 0; i < list->ListCount(); ++i)
            if (list->ItemData(i) == id)
                return i;
        return -1;
    }

private Q_SLOTS:
    void init() {
        const QString path = dir.filePath(QStringLiteral("librezi.db"));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        testsupport::createEmptyDatabase(path);
        for (const char* row : {"1, 'Alafasy', 'C:\\A', -1, -1", "2, 'Basit', 'D:\\B', -1, 0",
                                "3, 'Sudais', 'E:\\S', 0, -1", "4, 'Husary', 'zeri/sure', 0, 0"})
            cnLidhja.Execute(
                QString(QStringLiteral("insert into Lokacioni_i_zerit values (") + QLatin1String(row) + u')'));
        Module1::strLokacioniAjeteve = QStringLiteral("C:\\A");
        Module1::strLokacioniSureve = QStringLiteral("E:\\S");

        ajete = new platform::ComboBox(nullptr, false);
        sure = new platform::ComboBox(nullptr, false);
        MbusheListen(QStringLiteral("select * from Lokacioni_i_zerit where Ajete=-1 order by Lexuesi"),
                     QStringLiteral("IDLok"), QStringLiteral("Lexuesi"), ajete);
        MbusheListen(QStringLiteral("select * from Lokacioni_i_zerit where Ajete=0 order by Lexuesi"),
                     QStringLiteral("IDLok"), QStringLiteral("Lexuesi"), sure);
        choice = new audio::ReciterChoice(ajete, sure);
        connect(ajete, &platform::ComboBox::Click, choice, &audio::ReciterChoice::CmbLexuesAjete_Click);
        connect(sure, &platform::ComboBox::Click, choice, &audio::ReciterChoice::CmbLexuesSure_Click);
        log.clear();
        choice->setStatementLog([this](const QString& s) { log << s; });
        QCOMPARE(marks(), QStringLiteral("1|3"));
    }

    void cleanup() {
        delete choice;
        delete ajete;
        delete sure;
        cnLidhja.Close();
    }

    void choosingAReciterMovesTheMarkAndTheFolder() {
        platform::MsgBoxScript boxes;
        ajete->setListIndex(indexOfId(ajete, 2));
        QCOMPARE(log,
                 (QStringList{
                     QStringLiteral("BEGIN"),
                     QStringLiteral("UPDATE Lokacioni_i_zerit SET Lokacioni_i_zerit.[Default] = 0 where Ajete=-1"),
                     QStringLiteral("update Lokacioni_i_zerit set Lokacioni_i_zerit.[Default] = -1 where IDLok =2"),
                     QStringLiteral("COMMIT"),
                     QStringLiteral("select Lokacioni from Lokacioni_i_zerit where default=-1 and Ajete=-1"),
                 }));
        QCOMPARE(marks(), QStringLiteral("2|3"));
        QCOMPARE(Module1::strLokacioniAjeteve, QStringLiteral("D:\\B"));
        QCOMPARE(Module1::strLokacioniSureve, QStringLiteral("E:\\S"));

        // The same reciter again leaves one mark.
        ajete->setListIndex(indexOfId(ajete, 2));
        QCOMPARE(marks(), QStringLiteral("2|3"));

        log.clear();
        sure->setListIndex(indexOfId(sure, 4));
        QCOMPARE(log.value(1),
                 QStringLiteral("UPDATE Lokacioni_i_zerit SET Lokacioni_i_zerit.[Default] = 0 where Ajete=0"));
        QCOMPARE(log.value(2),
                 QStringLiteral("update Lokacioni_i_zerit set Lokacioni_i_zerit.[Default] = -1 where IDLok =4"));
        QCOMPARE(log.value(4), QStringLiteral("select Lokacioni from Lokacioni_i_zerit where default=-1 and Ajete=0"));
        QCOMPARE(marks(), QStringLiteral("2|4"));
        QCOMPARE(Module1::strLokacioniSureve, QStringLiteral("zeri/sure"));
        QCOMPARE(Module1::strLokacioniAjeteve, QStringLiteral("D:\\B"));
        QVERIFY(boxes.asked().isEmpty());
    }

    void startUpSelectionWritesNothing() {
        ZgjidhSipasTekstit(ajete, QStringLiteral("Basit"));
        ZgjidhSipasTekstit(sure, QStringLiteral("Husary"));
        QCOMPARE(ajete->ListIndex(), indexOfId(ajete, 2));
        QCOMPARE(sure->ListIndex(), indexOfId(sure, 4));
        QCOMPARE(log, QStringList());
        QCOMPARE(marks(), QStringLiteral("1|3"));
        QCOMPARE(Module1::strLokacioniAjeteve, QStringLiteral("C:\\A"));
        // The guard is down again afterwards.
        ajete->setListIndex(indexOfId(ajete, 2));
        QCOMPARE(marks(), QStringLiteral("2|3"));
    }

    void noSelectionClearsTheMarksAndKeepsTheFolder() {
        ajete->setListIndex(-1);
        QCOMPARE(log, (QStringList{
                          QStringLiteral("BEGIN"),
                          QStringLiteral("UPDATE Lokacioni_i_zerit SET Lokacioni_i_zerit.[Default] = 0 where Ajete=-1"),
                          QStringLiteral("COMMIT"),
                      }));
        QCOMPARE(marks(), QStringLiteral("|3"));
        QCOMPARE(Module1::strLokacioniAjeteve, QStringLiteral("C:\\A"));
    }

    // Tests run as root, where file permissions do not stop writes: the connection itself is made
    // read-only (PRAGMA query_only) besides the file.
    void readOnlyDatabaseKeepsEverythingAsItWas() {
        QVERIFY(QFile::setPermissions(cnLidhja.path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        cnLidhja.Execute(QStringLiteral("PRAGMA query_only = ON"));
        platform::MsgBoxScript boxes;
        QString markedWhileAsked;
        boxes.onAsk([&](const platform::AskedMessage&) { markedWhileAsked = marks(); });

        ajete->setListIndex(indexOfId(ajete, 2));
        QCOMPARE(boxes.asked().size(), 1);
        QVERIFY2(boxes.asked()[0].text.startsWith(QStringLiteral("Zgjedhja e lexuesit nuk u ruajt: ")),
                 qPrintable(boxes.asked()[0].text));
        QCOMPARE(boxes.asked()[0].buttons, platform::Buttons::OK);
        QCOMPARE(markedWhileAsked, QStringLiteral("1|3"));
        QCOMPARE(marks(), QStringLiteral("1|3"));
        QCOMPARE(Module1::strLokacioniAjeteve, QStringLiteral("C:\\A"));
        // The list shows again the reciter still in use.
        QCOMPARE(ajete->ListIndex(), indexOfId(ajete, 1));

        // A clear to no reciter fails the same way.
        boxes.clear();
        sure->setListIndex(-1);
        QCOMPARE(boxes.asked().size(), 1);
        QCOMPARE(marks(), QStringLiteral("1|3"));
        QCOMPARE(sure->ListIndex(), indexOfId(sure, 3));
    }
};

QTEST_MAIN(TestReciters)
#include "test_reciters.moc"
