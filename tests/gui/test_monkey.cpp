#include "about/frmrrethprog.h"
#include "app/module1.h"
#include "testsupport.h"
#include "mainwindow/frmkryesore.h"
#include "platform/msgbox.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

// A long random session of reader actions on the real window, from a fixed seed: after every action
// the program still answers and the database file keeps its bytes. LIBREZI_MONKEY_ACTIONS sets the
// length (200 when unset), LIBREZI_MONKEY_SEED the seed.
class TestMonkey : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    frmKryesore* w = nullptr;
    QRandomGenerator rng;
    int yesToExit = 0;

    int below(int n) { return n <= 0 ? 0 : int(rng.bounded(quint32(n))); }

    // Words a reader types, a few of them hostile.
    QString someText() {
        static const QStringList words = {
            QStringLiteral("All-llahu"), QStringLiteral("Musa"), QStringLiteral("Musa&Harun"), QStringLiteral("2"),
            QStringLiteral("114"),       QStringLiteral("999"),  QStringLiteral("Fatiha"),     QStringLiteral("Bek"),
            QStringLiteral("7"),         QStringLiteral(""),     QStringLiteral("   "),        QStringLiteral("%"),
            QStringLiteral("_"),         QStringLiteral("'"),    QStringLiteral("\"x\""),      QStringLiteral("&&"),
            QStringLiteral("xhenet"),    QStringLiteral("-1"),   QStringLiteral("1:1"),        QStringLiteral("ë"),
        };
        if (below(8) == 0) {
            QString s;
            for (int i = below(20); i > 0; --i)
                s += QChar(char16_t(32 + below(0x250)));
            return s;
        }
        return words.at(below(int(words.size())));
    }

    template <typename List> void pick(List* list) {
        if (list->ListCount() > 0)
            list->setListIndex(below(list->ListCount()));
    }

    // One action; returns its name.
    QString act(platform::MsgBoxScript& boxes) {
        switch (below(16)) {
        case 0:
            pick(w->CmbNrSure);
            return QStringLiteral("surah by number");
        case 1:
            pick(w->CmbEmrSure);
            return QStringLiteral("surah by name");
        case 2:
            pick(w->CmbNrAjeti);
            return QStringLiteral("verse");
        case 3:
            pick(w->CmbTotalAjete);
            return QStringLiteral("surah by verse count");
        case 4: {
            const QList<QWidget*> boxesToType = {w->CmbNrSure,     w->CmbEmrSure,           w->CmbNrAjeti,
                                                 w->CmbTotalAjete, w->cmbKlasifikimTematik, w->CmbNrFonti};
            QWidget* box = boxesToType.at(below(int(boxesToType.size())));
            testsupport::typeInto(box, someText());
            testsupport::pressEnter(box);
            return QStringLiteral("typed with Enter in ") + box->objectName();
        }
        case 5:
            w->ChkKerkoSure->setChecked(below(3) == 0);
            testsupport::typeInto(w->CmbKerkoKrejt, someText());
            if (below(2))
                testsupport::pressEnter(w->CmbKerkoKrejt);
            else
                w->cmdKerkoAll->click();
            return QStringLiteral("search");
        case 6:
            pick(w->CmbKerkoKrejt);
            return QStringLiteral("search history");
        case 7:
            testsupport::typeInto(w->txtKerkim, someText());
            if (below(3) == 0)
                testsupport::pressEnter(w->txtKerkim);
            else
                (below(2) ? w->cmdKerkim : w->cmdKerkimPrapa)->click();
            return QStringLiteral("find in text");
        case 8:
            pick(w->cmbKlasifikimTematik);
            pick(w->LstAjetetPrejCmbTema);
            return QStringLiteral("passage from the theme list");
        case 9: {
            const int n = w->TreeView1->NodesCount();
            if (QTreeWidgetItem* node = w->TreeView1->Nodes(1 + below(n))) {
                w->TreeView1->setCurrentItem(node);
                Q_EMIT w->TreeView1->NodeClick(node);
            }
            pick(w->lstAjetKlasifikim);
            return QStringLiteral("passage from the tree");
        }
        case 10:
            if (w->inPassageMode())
                w->cmdKtheLibrezin->click();
            return QStringLiteral("return");
        case 11:
            pick(below(2) ? w->CmbFontNames : w->CmbNrFonti);
            return QStringLiteral("font");
        case 12: {
            std::unique_ptr<frmRrethProg> about = createAbout(w);
            about->SSTab1->setCurrentIndex(below(4));
            return QStringLiteral("About window");
        }
        case 13:
            (below(2) ? w->cmdExpandAll : w->CmdCollapseAll)->click();
            w->CmdRefreshKeshille->click();
            return QStringLiteral("tree and tip");
        case 14:
            switch (below(3)) {
            case 0:
                w->mnuSelektojeAjetin->trigger();
                break;
            case 1:
                w->mnuSelektoKrejtTekstin->trigger();
                break;
            default:
                w->Rtf1->setSelStart(below(w->Rtf1->TextLength() + 1));
            }
            w->cmdCopy->click();
            return QStringLiteral("select and copy");
        default: {
            const bool yes = below(2) == 1;
            boxes.answer(yes ? platform::Answer::Yes : platform::Answer::No);
            yesToExit += yes ? 1 : 0;
            w->cmdFund->click();
            return QStringLiteral("exit button");
        }
        }
    }

private Q_SLOTS:
    void randomSession() {
        bool ok = false;
        int actions = qEnvironmentVariableIntValue("LIBREZI_MONKEY_ACTIONS", &ok);
        if (!ok || actions <= 0)
            actions = 200;
        const quint32 seed = quint32(qEnvironmentVariableIntValue("LIBREZI_MONKEY_SEED", &ok));
        const quint32 used = ok ? seed : 20240917u;
        rng.seed(used);

        w = testsupport::startProgram(dir);
        int ends = 0;
        w->endProgram = [&ends] { ++ends; };
        const QString db = dir.filePath(QStringLiteral("librezi.db"));
        const QByteArray checksum = testsupport::fileChecksum(db);
        platform::MsgBoxScript boxes;
        int survived = 0;
        // With LIBREZI_MONKEY_TRACE set, each action is named on stderr before it runs: a crash then
        // names the action that caused it.
        const bool trace = qEnvironmentVariableIsSet("LIBREZI_MONKEY_TRACE");
        for (int i = 0; i < actions; ++i) {
            boxes.clear();
            if (trace)
                std::fprintf(stderr, "monkey %d\n", i + 1);
            const QString what = act(boxes);
            if (trace)
                std::fprintf(stderr, "monkey %d: %s\n", i + 1, qPrintable(what));
            QCoreApplication::processEvents();
            QString why;
            QVERIFY2(testsupport::stillAnswers(w, &why),
                     qPrintable(QStringLiteral("action %1 (%2): %3").arg(i + 1).arg(what, why)));
            QVERIFY2(testsupport::fileChecksum(db) == checksum,
                     qPrintable(QStringLiteral("action %1 (%2) changed the database").arg(i + 1).arg(what)));
            QVERIFY2(boxes.pending() == 0, qPrintable(what + QStringLiteral(": the exit question was not asked")));
            ++survived;
        }
        qInfo("monkey: %d actions survived (seed %u)", survived, used);
        QCOMPARE(survived, actions);
        QCOMPARE(ends, yesToExit); // the exit button ends the program exactly when the reader says Yes
        Module1::unloadMainWindow();
        Module1::cnLidhja.Close();
    }
};

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
