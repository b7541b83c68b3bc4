#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "platform/msgbox.h"
#include "testsupport.h"
#include "themes/passage.h"

#include <QTemporaryDir>
#include <QTest>

// The theme list and the tree on the real main window over the bundled classification.
class TestThemeIndex : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    frmKryesore* w = nullptr;

    QTreeWidgetItem* node(const QString& text) {
        for (int i = 1; i <= w->TreeView1->NodesCount(); ++i)
            if (w->TreeView1->Nodes(i)->text(0) == text)
                return w->TreeView1->Nodes(i);
        return nullptr;
    }
    void clickNode(QTreeWidgetItem* n) {
        w->TreeView1->setCurrentItem(n);
        Q_EMIT w->TreeView1->NodeClick(n);
    }

private Q_SLOTS:
    void init() {
        w = testsupport::startProgram(dir);
        w->show();
    }
    void cleanup() { Module1::unloadMainWindow(); }

    void startUpFillsListAndTreeOnce() {
        QCOMPARE(w->cmbKlasifikimTematik->ListCount(), 34);
        QCOMPARE(w->cmbKlasifikimTematik->ListIndex(), 0);
        QCOMPARE(w->cmbKlasifikimTematik->Text(), QStringLiteral("Xhuzi 1"));
        // The first theme's groups are listed, but no passage is composed at start.
        QCOMPARE(w->LstAjetetPrejCmbTema->ListCount(), 2);
        QCOMPARE(w->LstAjetetPrejCmbTema->List(0), QStringLiteral("1 (Fatiha): 1-7"));
        QCOMPARE(w->LstAjetetPrejCmbTema->List(1), QStringLiteral("2 (Bekare): 1-141"));
        QVERIFY(!w->inPassageMode());
        QCOMPARE(w->TreeView1->topLevelItemCount(), 4);
        QCOMPARE(w->TreeView1->NodesCount(), 4 + 34);
        QCOMPARE(w->TreeView1->topLevelItem(0)->text(0), QStringLiteral("1. Xhuzet"));
        QCOMPARE(w->TreeView1->topLevelItem(0)->childCount(), 30);
        QVERIFY(w->themeIndex().treeFilled());
        w->themeIndex().MbushePemenMeTema(); // a second fill returns at once
        QCOMPARE(w->TreeView1->NodesCount(), 38);
    }

    void themeChosenInTheListOnlyListsGroups() {
        w->cmbKlasifikimTematik->setText(QStringLiteral("  Suret medinase "));
        Q_EMIT w->cmbKlasifikimTematik->Click();
        QCOMPARE(w->LstAjetetPrejCmbTema->ListCount(), 28);
        QVERIFY(!w->inPassageMode());
        // A text that names no theme leaves the list empty.
        w->cmbKlasifikimTematik->setText(QStringLiteral("Nuk ka"));
        Q_EMIT w->cmbKlasifikimTematik->Click();
        QCOMPARE(w->LstAjetetPrejCmbTema->ListCount(), 0);
    }

    void groupFromTheListShowsItsPassage() {
        w->cmbKlasifikimTematik->setText(QStringLiteral("Xhuzi 30"));
        Q_EMIT w->cmbKlasifikimTematik->Click();
        const int last = w->LstAjetetPrejCmbTema->ListCount() - 1;
        QCOMPARE(w->LstAjetetPrejCmbTema->List(last), QStringLiteral("114 (Nas): 1-6"));
        w->LstAjetetPrejCmbTema->setListIndex(last);
        const QString text = w->Rtf1->Text();
        QVERIFY(text.startsWith(
            QStringLiteral("\r\nAjete nga tema \"Xhuzi 30\":\r\nzgjodhët ajetin (ajetet): 114 (Nas): 1-6\r\n")));
        QCOMPARE(text.count(QStringLiteral("\r\n114:")), 6);
        QVERIFY(w->inPassageMode());
        QCOMPARE(w->CmbKerkoKrejt->width(), twips(1455));
        // A second composition replaces the first.
        w->LstAjetetPrejCmbTema->setListIndex(0);
        QVERIFY(!w->Rtf1->Text().contains(QStringLiteral("114:6.")));
        QVERIFY(w->inPassageMode());
    }

    void themeNodeListsGroupsAndShowsTheFirst() {
        QTreeWidgetItem* sexhde = node(QStringLiteral("31. Ajetet e sexhdes"));
        QVERIFY(sexhde);
        clickNode(sexhde);
        QCOMPARE(w->lstAjetKlasifikim->ListCount(), 15);
        QCOMPARE(w->lstAjetKlasifikim->ListIndex(), 0);
        // The header names the theme by the whole node text.
        QVERIFY(w->Rtf1->Text().startsWith(
            themes::passageHeader(QStringLiteral("31. Ajetet e sexhdes"), QStringLiteral("7 (A'raf): 206"))));
        QVERIFY(w->Rtf1->Text().contains(QStringLiteral("\r\n7:206.\t")));
        QVERIFY(w->inPassageMode());
    }

    void chapterNodeChangesNothing() {
        clickNode(node(QStringLiteral("32. Suret që nisin me shkronja të ndara")));
        QCOMPARE(w->lstAjetKlasifikim->ListCount(), 29);
        const int groups = w->lstAjetKlasifikim->ListCount();
        const QString shown = w->Rtf1->Text();
        clickNode(w->TreeView1->topLevelItem(1));
        QCOMPARE(w->lstAjetKlasifikim->ListCount(), groups);
        QCOMPARE(w->Rtf1->Text(), shown);
    }

    void themeWithoutGroupsLeavesTheView() {
        Module1::cnLidhja.Execute(QStringLiteral("delete from klasifikim where tema = 'Suret mekase'"));
        const QString shown = w->Rtf1->Text();
        QTreeWidgetItem* mekase = nullptr;
        for (int i = 1; i <= w->TreeView1->NodesCount(); ++i)
            if (w->TreeView1->Nodes(i)->text(0).endsWith(QStringLiteral("Suret mekase")))
                mekase = w->TreeView1->Nodes(i);
        QVERIFY(mekase);
        clickNode(mekase);
        QCOMPARE(w->lstAjetKlasifikim->ListCount(), 0);
        QCOMPARE(w->Rtf1->Text(), shown);
        QVERIFY(!w->inPassageMode());
    }

    void failingStatementKeepsTheView() {
        const QString shown = w->Rtf1->Text();
        Module1::cnLidhja.Execute(QStringLiteral("drop table librezi"));
        platform::MsgBoxScript script;
        w->cmbKlasifikimTematik->setText(QStringLiteral("Xhuzi 2"));
        Q_EMIT w->cmbKlasifikimTematik->Click();
        w->LstAjetetPrejCmbTema->setListIndex(0);
        QCOMPARE(script.asked().size(), 1);
        QVERIFY(script.asked().first().text.contains(QStringLiteral("librezi")));
        QCOMPARE(w->Rtf1->Text(), shown);
        QVERIFY(!w->inPassageMode());
    }

    void themeNameWithADoubleQuoteFindsItsOwnGroups() {
        Module1::cnLidhja.Execute(QStringLiteral("insert into klasifikim (tema, nrsure, emrsure, ajetet) "
                                                 "values ('Tema \"me thonjëza\"', 2, 'Bekare', '255')"));
        Module1::cnLidhja.Execute(QStringLiteral("insert into klasifikim (tema, nrsure, emrsure, ajetet) "
                                                 "values ('Tema ', 3, 'Ali Imran', '1')"));
        w->cmbKlasifikimTematik->setText(QStringLiteral("Tema \"me thonjëza\""));
        Q_EMIT w->cmbKlasifikimTematik->Click();
        QCOMPARE(w->LstAjetetPrejCmbTema->ListCount(), 1);
        QCOMPARE(w->LstAjetetPrejCmbTema->List(0), QStringLiteral("2 (Bekare): 255"));
    }

    void nodeTextCut() {
        QCOMPARE(themes::ThemeIndex::themeOfNodeText(QStringLiteral("12. Xhuzi 12")), QStringLiteral("Xhuzi 12"));
        // The cut falls at the first ".", even inside a number.
        QCOMPARE(themes::ThemeIndex::themeOfNodeText(QStringLiteral("1.2. Tema")), QStringLiteral(". Tema"));
    }

    void expandAndCollapseSwapTheButtons() {
        QVERIFY(!w->CmdCollapseAll->isVisible());
        w->C1Tab1->setCurrentIndex(1);
        QVERIFY(w->cmdExpandAll->isVisible());
        w->cmdExpandAll->click();
        QVERIFY(w->CmdCollapseAll->isVisible());
        QVERIFY(!w->cmdExpandAll->isVisible());
        QVERIFY(w->TreeView1->topLevelItem(0)->isExpanded());
        QVERIFY(w->TreeView1->topLevelItem(3)->isExpanded());
        w->CmdCollapseAll->click();
        QVERIFY(w->cmdExpandAll->isVisible());
        QVERIFY(!w->CmdCollapseAll->isVisible());
        QVERIFY(!w->TreeView1->topLevelItem(0)->isExpanded());
    }
};

QTEST_MAIN(TestThemeIndex)
#include "test_themeindex.moc"
