// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowtest.h"
#include <QRandomGenerator>
#include <cstdio>
using namespace Qt::StringLiterals;

// A seeded random session of reader actions: after each the program answers and the database keeps its bytes.
// LIBREZI_MONKEY_ACTIONS (200) and LIBREZI_MONKEY_SEED set it; LIBREZI_MONKEY_TRACE names each action first.
class TestMonkey : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QRandomGenerator rng;
    int below(qsizetype n) { return n <= 0 ? 0 : int(rng.bounded(quint32(n))); }
    QString someText() { // words a reader types, a few of them hostile, now and then with random characters
        QString s =
            u"All-llahu|Musa|Musa&Harun|2|114|999|Fatiha|Bek|7||   |%|_|'|\"x\"|&&|xhenet|-1|1:1|ë"_s.split(u'|').at(
                below(20));
        for (int i = below(8) ? 0 : below(20); i > 0; --i)
            s += QChar(char16_t(32 + below(0x250)));
        return s;
    }
    template <typename List> void pick(List* list) {
        if (list->ListCount() > 0)
            list->setListIndex(below(list->ListCount()));
    }
    // What a reader does with a control: types with Enter, chooses, clicks; moves the caret or uses the popup.
    void act(const testsupport::Controls& c, QWidget* x) {
        auto* list = qobject_cast<platform::ComboBox*>(x);
        if (qobject_cast<QLineEdit*>(x) || (list && below(2))) {
            windowtest::enter(x, someText());
        } else if (list)
            pick(list);
        else if (auto* box = qobject_cast<platform::ListBox*>(x))
            pick(box);
        else if (QTreeWidgetItem* node =
                     x == c.TreeView1 ? c.TreeView1->Nodes(1 + below(c.TreeView1->NodesCount())) : nullptr) {
            c.TreeView1->setCurrentItem(node);
            Q_EMIT c.TreeView1->NodeClick(node);
        } else if (auto* b = qobject_cast<QAbstractButton*>(x); b && !b->isHidden())
            b->click();
        else if (x == c.Rtf1 && below(2))
            c.Rtf1->setSelStart(below(c.Rtf1->TextLength() + 1));
        else if (x == c.Rtf1)
            QList<QAction*>{c.mnuSelektojeAjetin, c.mnuSelektoKrejtTekstin, c.mnuKopjim}.at(below(3))->trigger();
    }
private Q_SLOTS:
    void randomSession() {
        bool ok = false;
        const int asked = qEnvironmentVariableIntValue("LIBREZI_MONKEY_ACTIONS", &ok),
                  count = ok && asked > 0 ? asked : 200;
        const quint32 seed = quint32(qEnvironmentVariableIntValue("LIBREZI_MONKEY_SEED", &ok)),
                      used = ok ? seed : 20240917u;
        rng.seed(used);
        testsupport::Controls c(testsupport::startProgram(dir));
        int ends = 0, yesToExit = 0;
        c.w->endProgram = [&ends] { ++ends; };
        const QByteArray checksum = testsupport::fileChecksum(dir.filePath(u"librezi.db"_s));
        // Every control of the reader but those that play recitations or mark a reciter in the database.
        const QStringList controls =
            u"CmbNrSure CmbEmrSure CmbNrAjeti CmbTotalAjete CmbKerkoKrejt CmbFontNames CmbNrFonti "
            u"cmbKlasifikimTematik LstAjetetPrejCmbTema lstAjetKlasifikim TreeView1 txtKerkim "
            u"ChkKerkoSure cmdFund cmdCopy cmdKerkimPrapa cmdKerkim cmdKtheLibrezin cmdKerkoAll "
            u"CmdRefreshKeshille CmdCollapseAll cmdExpandAll Rtf1"_s.split(u' ');
        for (int i = 1; i <= count; ++i) {
            auto* x = testsupport::child<QWidget>(c.w, qPrintable(controls.at(below(controls.size()))));
            platform::MsgBoxScript boxes;
            const bool yes = below(2) == 1; // the answer to the exit question, should it come
            boxes.answer(yes ? platform::Answer::Yes : platform::Answer::No);
            yesToExit += x == c.cmdFund && yes ? 1 : 0;
            if (qEnvironmentVariableIsSet("LIBREZI_MONKEY_TRACE"))
                std::fprintf(stderr, "monkey %d: %s\n", i, qPrintable(x->objectName()));
            act(c, x);
            QCoreApplication::processEvents();
            const QString at = u"action %1 (%2)"_s.arg(i).arg(x->objectName());
            QString why = u"the database changed"_s;
            QVERIFY2(testsupport::stillAnswers(c.w, &why) &&
                         testsupport::fileChecksum(dir.filePath(u"librezi.db"_s)) == checksum,
                     qPrintable(at + u": "_s + why));
            QVERIFY2(x != c.cmdFund || boxes.pending() == 0, qPrintable(at + u": the exit question"_s));
        }
        qInfo("monkey: %d actions survived (seed %u)", count, used);
        QCOMPARE(ends, yesToExit); // the exit button ends the program exactly when the reader says Yes
        Module1::unloadMainWindow();
    }
};

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
