#include "about/frmrrethprog.h"
#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "platform/msgbox.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QTest>

#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

// A long random session of reader actions on the real window, from a fixed seed: after every action the
// program still answers and the database file keeps its bytes. LIBREZI_MONKEY_ACTIONS sets the length (200
// when unset), LIBREZI_MONKEY_SEED the seed; with LIBREZI_MONKEY_TRACE set each action is named on stderr
// before it runs, so that a crash names the action that caused it.
class TestMonkey : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QRandomGenerator rng;
    int below(qsizetype n) { return n <= 0 ? 0 : int(rng.bounded(quint32(n))); }
    template <typename T> T* oneOf(const QList<T*>& items) { return items.at(below(items.size())); }
    void typeEnter(QWidget* box) {
        testsupport::typeInto(box, someText());
        testsupport::pressEnter(box);
    }
    template <typename List> void pick(List* list) {
        if (list->ListCount() > 0)
            list->setListIndex(below(list->ListCount()));
    }
    // Words a reader types, a few of them hostile, and now and then random characters.
    QString someText() {
        const QStringList words =
            u"All-llahu|Musa|Musa&Harun|2|114|999|Fatiha|Bek|7||   |%|_|'|\"x\"|&&|xhenet|-1|1:1|ë"_s.split(u'|');
        QString s = below(8) > 0 ? words.at(below(words.size())) : QString();
        for (int i = s.isEmpty() ? below(20) : 0; i > 0; --i)
            s += QChar(char16_t(32 + below(0x250)));
        return s;
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
        const QString db = dir.filePath(u"librezi.db"_s);
        const QByteArray checksum = testsupport::fileChecksum(db);
        platform::MsgBoxScript boxes;
        const QList<platform::ComboBox*> lists = {
            c.CmbNrSure,     c.CmbEmrSure,   c.CmbNrAjeti,           c.CmbTotalAjete,
            c.CmbKerkoKrejt, c.CmbFontNames, c.cmbKlasifikimTematik, c.CmbNrFonti};
        const QList<platform::ListBox*> verseLists = {c.LstAjetetPrejCmbTema, c.lstAjetKlasifikim};
        const QList<QAbstractButton*> buttons = {c.cmdKerkoAll,        c.cmdKerkim,    c.cmdKerkimPrapa,
                                                 c.cmdKtheLibrezin,    c.cmdExpandAll, c.CmdCollapseAll,
                                                 c.CmdRefreshKeshille, c.cmdCopy,      c.ChkKerkoSure};
        const QList<QAction*> commands = {c.mnuSelektojeAjetin, c.mnuSelektoKrejtTekstin, c.mnuKopjim};
        const QList<QPair<const char*, std::function<void()>>> actions = {
            {"a choice from a list", [&] { pick(oneOf(lists)); }},
            {"a verse of a theme", [&] { pick(oneOf(verseLists)); }},
            {"typed with Enter", [&] { typeEnter(below(4) ? static_cast<QWidget*>(oneOf(lists)) : c.txtKerkim); }},
            {"typed in the search box", [&] { testsupport::typeInto(c.CmbKerkoKrejt, someText()); }},
            {"a button in sight",
             [&] {
                 if (QAbstractButton* b = oneOf(buttons); !b->isHidden())
                     b->click();
             }},
            {"a popup command", [&] { oneOf(commands)->trigger(); }},
            {"the caret moved", [&] { c.Rtf1->setSelStart(below(c.Rtf1->TextLength() + 1)); }},
            {"a node of the tree",
             [&] {
                 if (QTreeWidgetItem* node = c.TreeView1->Nodes(1 + below(c.TreeView1->NodesCount()))) {
                     c.TreeView1->setCurrentItem(node);
                     Q_EMIT c.TreeView1->NodeClick(node);
                 }
             }},
            {"About window", [&] { createAbout(c.w)->SSTab1->setCurrentIndex(below(4)); }},
            {"exit button", [&] {
                 const bool yes = below(2) == 1;
                 yesToExit += yes ? 1 : 0;
                 boxes.answer(yes ? platform::Answer::Yes : platform::Answer::No);
                 c.cmdFund->click();
             }}};
        for (int i = 1; i <= count; ++i) {
            boxes.clear();
            const auto& [what, act] = actions.at(below(actions.size()));
            if (qEnvironmentVariableIsSet("LIBREZI_MONKEY_TRACE"))
                std::fprintf(stderr, "monkey %d: %s\n", i, what);
            act();
            QCoreApplication::processEvents();
            QString why;
            const QString at = u"action %1 (%2)"_s.arg(i).arg(QLatin1String(what));
            QVERIFY2(testsupport::stillAnswers(c.w, &why), qPrintable(at + u": "_s + why));
            QVERIFY2(testsupport::fileChecksum(db) == checksum, qPrintable(at + u" changed the database"_s));
            QVERIFY2(boxes.pending() == 0, qPrintable(at + u": the exit question was not asked"_s));
        }
        qInfo("monkey: %d actions survived (seed %u)", count, used);
        QCOMPARE(ends, yesToExit); // the exit button ends the program exactly when the reader says Yes
        Module1::unloadMainWindow();
    }
};

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
