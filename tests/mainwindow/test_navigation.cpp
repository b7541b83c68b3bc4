#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "testsupport.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Going to surahs and verses on the real main window over the bundled data.
class TestNavigation : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<testsupport::Controls> c;
    static void typeEnter(platform::ComboBox* box, const QString& text) {
        testsupport::typeInto(box, text);
        testsupport::pressEnter(box);
    }
    // The text from the character before the selection to its end, when it ends at the end of its line.
    QString selection() const {
        const QString text = c->Rtf1->Text();
        const int from = qMax(0, c->Rtf1->SelStart() - 1), end = c->Rtf1->SelStart() + c->Rtf1->SelLength();
        const bool toTheEnd = (end == text.size() || text.at(end) == u'\r') && !c->Rtf1->SelText().contains(u'\r');
        return toTheEnd ? text.mid(from, end - from) : u"(not one line) "_s + c->Rtf1->SelText();
    }
private Q_SLOTS:
    void initTestCase() {
        c = std::make_unique<testsupport::Controls>(testsupport::startProgram(dir));
        c->w->show();
    }
    void cleanupTestCase() { Module1::unloadMainWindow(); }
    // A surah chosen from a list, or typed with Enter: the lists agree and its first verse is selected.
    void surah_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");  // chosen from the list, or typed when it ends in Enter
        QTest::addColumn<QString>("lists"); // surah, name and verse count shown
        QTest::newRow("name Fatiha: surah 1, not 10") << u"CmbEmrSure"_s << u"Fatiha"_s << u"1 Fatiha 7"_s;
        QTest::newRow("number 114") << u"CmbNrSure"_s << u"114"_s << u"114 Nas 6"_s;
        QTest::newRow("count 286") << u"CmbTotalAjete"_s << u"286"_s << u"2 Bekare 286"_s;
        QTest::newRow("count 6: the first surah of six") << u"CmbTotalAjete"_s << u"6"_s << u"109 Kafirun 6"_s;
        QTest::newRow("number typed") << u"CmbNrSure"_s << u"36\r"_s << u"36 Jasin 83"_s;
        QTest::newRow("name typed by its start") << u"CmbEmrSure"_s << u"bek\r"_s << u"2 Bekare 286"_s;
        QTest::newRow("count typed") << u"CmbTotalAjete"_s << u"7\r"_s << u"1 Fatiha 7"_s;
    }
    void surah() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, lists);
        auto* list = c->w->findChild<platform::ComboBox*>(box);
        c->CmbNrAjeti->setText(u"5"_s);
        if (text.endsWith(u'\r'))
            typeEnter(list, text.chopped(1));
        else
            list->setListIndex(list->findText(text));
        QCOMPARE(QStringList({c->CmbNrSure->Text(), c->CmbEmrSure->Text(), c->CmbTotalAjete->Text()}).join(u' '),
                 lists);
        QCOMPARE(c->CmbNrAjeti->Text() + u' ' + c->CmbNrAjeti->List(c->CmbNrAjeti->ListCount() - 1),
                 u"1 "_s + lists.section(u' ', 2));
        QVERIFY2(selection().startsWith(u'\n' + lists.section(u' ', 0, 0) + u":1.\t"_s), qPrintable(selection()));
    }
    // A verse typed with Enter selects its line (surah, verse, and the selection with the character before it).
    // A key found inside a longer one is selected there; one found nowhere selects the first line.
    void verse() {
        for (const QString& row : {u"2|255|\n2:255.\t"_s, u"1|8|11:8.\t"_s, u"3||\n3:1.\t"_s, u"1|9999|"_s}) {
            const QStringList r = row.split(u'|');
            c->CmbNrSure->setListIndex(c->CmbNrSure->findText(r[0]));
            typeEnter(c->CmbNrAjeti, r[1]);
            QCOMPARE(c->CmbNrAjeti->Text(), r[1].isEmpty() ? u"1"_s : r[1]); // an empty verse box means verse 1
            const QString text = c->Rtf1->Text();
            QVERIFY2(r[2].isEmpty() ? selection() == text.left(text.indexOf(u'\r')) : selection().startsWith(r[2]),
                     qPrintable(row + u" selected "_s + selection()));
        }
    }
    void typedTextThatNamesNothingChangesNothing() {
        c->CmbNrSure->setListIndex(4);
        const QString before = selection();
        for (auto* box : {c->CmbNrSure, c->CmbEmrSure, c->CmbTotalAjete}) {
            typeEnter(box, box == c->CmbTotalAjete ? u"1"_s : u"999x"_s); // no surah has one verse
            QVERIFY(selection() == before && c->CmbNrAjeti->ListCount() == 120);
        }
    }
};

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
