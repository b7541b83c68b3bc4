// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/look.h"
#include "themes/passage.h"
#include "windowtest.h"

// The theme list and the tree on one real main window over the bundled classification, whose verse texts say
// which verse they are; the verse lists read and the passages composed from them.
class TestThemeIndex : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    frmKryesore* w = nullptr;
    std::unique_ptr<testsupport::Controls> c;
    void clickNode(const QString& text) {
        c->TreeView1->setCurrentItem(c->TreeView1->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0));
        Q_EMIT c->TreeView1->NodeClick(c->TreeView1->currentItem());
    }
    void chooseTheme(const QString& text) {
        c->cmbKlasifikimTematik->setText(text);
        Q_EMIT c->cmbKlasifikimTematik->Click();
    }

private Q_SLOTS:
    void initTestCase() {
        w = testsupport::startProgram(dir);
        c = std::make_unique<testsupport::Controls>(w);
        w->show();
        // At start the first theme's groups are listed, but no passage is composed.
        QCOMPARE(c->LstAjetetPrejCmbTema->List(1), "2 (Bekare): 1-141");
        QVERIFY(!w->inPassageMode());
        // Four chapters, the 34 themes below them.
        QTRY_COMPARE(c->TreeView1->topLevelItemCount(), 4); // filled once the window shows
        QCOMPARE(c->TreeView1->topLevelItem(0)->text(0) + u'/' + QString::number(c->TreeView1->NodesCount()),
                 "1. Xhuzet/38");
        const QString insert = "INSERT INTO klasifikim (tema, nrsure, emrsure, ajetet) VALUES (?, ?, 'x', ?)";
        Module1::cnLidhja.exec(insert, {"Tema \"me thonjëza\"", 2, 255});
        Module1::cnLidhja.exec(insert, {"Tema s'ka", 3, 1});
        Module1::cnLidhja.exec("UPDATE librezi SET Perkthimi = 'ajeti ' || NrSure || ':' || NrAjet");
        QCOMPARE(themes::passageHeader("31. Ajetet e sexhdes", "7 (A'raf): 206").join("\r\n"),
                 "\r\nAjete nga tema \"31. Ajetet e sexhdes\":\r\nzgjodhët ajetin (ajetet): 7 (A'raf): 206\r\n" +
                     QString(58, u'*') + "\r\n");
        QCOMPARE(themes::scanVerseList("998-99999").verses.size(), 2); // no surah is longer than 999 verses
    }
    void cleanupTestCase() { Module1::unloadMainWindow(); }
    void themeFromTheCombo_data() {
        QTest::addColumn<QStringList>("themeAndGroups"); // the groups: the first and the last
        QTest::newRow("blanks around the name")
            << QStringList{"  Suret medinase ", "2 (Bekare): 1-286", "110 (Nasr): 1-3"};
        QTest::newRow("a double quote in the name") << QStringList{"Tema \"me thonjëza\"", "2 (x): 255", "2 (x): 255"};
        QTest::newRow("an apostrophe in the name") << QStringList{"Tema s'ka", "3 (x): 1", "3 (x): 1"};
    }
    void themeFromTheCombo() {
        QFETCH(QStringList, themeAndGroups);
        chooseTheme(themeAndGroups.takeFirst());
        const int last = c->LstAjetetPrejCmbTema->ListCount() - 1;
        QCOMPARE((QStringList{c->LstAjetetPrejCmbTema->List(0), c->LstAjetetPrejCmbTema->List(last)}), themeAndGroups);
    }
    void aGroupShowsItsPassage() {
        Module1::cnLidhja.exec("UPDATE librezi SET Perkthimi = '' WHERE NrSure = 114 AND NrAjet = 3");
        chooseTheme("Xhuzi 30");
        c->LstAjetetPrejCmbTema->setListIndex(c->LstAjetetPrejCmbTema->ListCount() - 1);
        QVERIFY(c->Rtf1->Text().startsWith(themes::passageHeader("Xhuzi 30", "114 (Nas): 1-6").join("\r\n")));
        QCOMPARE(c->Rtf1->Text().count("\r\n114:"), 6);
        // A verse without text says so, in grey, between the verses around it.
        const QString note = "(ky përkthim nuk ka tekst për këtë ajet)";
        const qsizetype empty = c->Rtf1->Text().indexOf("\r\n114:2.\tajeti 114:2\r\n114:3.\t" + note + "\r\n114:4.\t");
        QVERIFY(empty > 0);
        const auto colourAt = [&](qsizetype at) { return testsupport::colourAt(*c->Rtf1, at); };
        const qsizetype from = empty + 29, to = from + note.size(); // the note, after "114:3." and a TAB
        QCOMPARE(colourAt(from), platform::colour(text::Role::Note));
        QCOMPARE(colourAt(to - 1), platform::colour(text::Role::Note));
        QCOMPARE(colourAt(to + 12), platform::colour(text::Role::Text)); // 114:4's text
        Module1::cnLidhja.exec("UPDATE librezi SET Perkthimi = 'ajeti 114:3' WHERE NrSure = 114 AND NrAjet = 3");
        QVERIFY(w->inPassageMode());
        // A theme node lists its groups and shows the first, the header naming the whole node text.
        clickNode("31. Ajetet e sexhdes");
        QCOMPARE(c->lstAjetKlasifikim->ListCount(), 15);
        QCOMPARE(c->lstAjetKlasifikim->ListIndex(), 0);
        QVERIFY(
            c->Rtf1->Text().startsWith(themes::passageHeader("31. Ajetet e sexhdes", "7 (A'raf): 206").join("\r\n")));
        QVERIFY(c->Rtf1->Text().contains("\r\n7:206.\t"));
        QVERIFY(!c->Rtf1->Text().contains("114:"));
        c->cmdExpandAll->click(); // it gives way to the collapse button and opens every node
        QVERIFY(c->cmdExpandAll->isHidden() && !c->CmdCollapseAll->isHidden() &&
                c->TreeView1->topLevelItem(3)->isExpanded());
    }
    // The verse list of the item (after its first ": ") and the verses shown, in order, for surah 2.
    void compose_data() {
        QTest::addColumn<QStringList>("listAndVerses");
        QTest::newRow("worked example") << QStringList{"4-6,9", "4 5 6 9"};
        QTest::newRow("range alone, no extra fetch at the end") << QStringList{"10-12", "10 11 12"};
        QTest::newRow("the character closing a range is consumed") << QStringList{"1-3-5,1-2 7", "1 2 3 5 1 2 7"};
        QTest::newRow("a blank after a comma drops the rest") << QStringList{"1, 5", "1"};
        QTest::newRow("a backwards range gives nothing") << QStringList{"3-1,2", "2"};
        QTest::newRow("entries without digits skipped") << QStringList{"-3,,4,", "4"};
        QTest::newRow("a verse missing from the table skipped") << QStringList{"285-289,1", "285 286 1"};
        QTest::newRow("a hundred digits without a stop fetch nothing")
            << QStringList{"1-" + QString(100, u'7') + "9", "9"};
        for (const char* v : {"5", " 5 ", "+5", "5.0"})
            QTest::addRow("one verse written '%s'", v) << QStringList{v, "5"};
        QTest::newRow("a huge digit string alone") << QStringList{QString(40, u'9'), ""};
        QTest::newRow("letters") << QStringList{"abc", ""};
    }
    void compose() {
        QFETCH(QStringList, listAndVerses);
        const QString list = listAndVerses[0], verses = listAndVerses[1];
        QString body;
        for (const QString& v : verses.split(u' ', Qt::SkipEmptyParts))
            body += "2:" + v + ".\tajeti 2:" + v + "\r\n";
        const QString item = "2 (Bekare): " + list;
        QCOMPARE(themes::splitGroupItem(item).verseList, list);
        const text::Composed passage = themes::composePassage(Module1::library, "Tema", item);
        QCOMPARE(passage.crlf(), themes::passageHeader("Tema", item).join("\r\n") + "\r\n" + body);
        for (const QString& v : verses.split(u' ', Qt::SkipEmptyParts)) // each verse where it stands
            QCOMPARE(passage.index.startOf({2, v.toInt()}), passage.text.indexOf("\n2:" + v + ".\t") + 1);
    }
};

QTEST_MAIN(TestThemeIndex)
#include "test_themeindex.moc"
