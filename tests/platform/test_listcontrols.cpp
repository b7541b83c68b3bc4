#include "platform/listcontrols.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

// The list controls behave as the program's handlers expect: a put of ListIndex raises Click at
// once, a put of Text raises nothing, Enter is a key the list itself leaves alone.
class TestListControls : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addingSelectsNothingAndKeepsText() {
        platform::ComboBox c;
        c.setText(QStringLiteral("Musliman"));
        QSignalSpy clicks(&c, &platform::ComboBox::Click);
        c.AddItem(QStringLiteral("a"));
        c.AddItem(QStringLiteral("b"));
        QCOMPARE(c.ListIndex(), -1);
        QCOMPARE(c.Text(), QStringLiteral("Musliman"));
        QCOMPARE(clicks.count(), 0);
    }

    void listIndexPutRaisesClickBeforeReturning() {
        platform::ComboBox c;
        c.AddItem(QStringLiteral("a"), 10);
        c.AddItem(QStringLiteral("b"), 20);
        int seenIndex = -2;
        QString seenText;
        connect(&c, &platform::ComboBox::Click, [&] {
            seenIndex = c.ListIndex();
            seenText = c.Text();
        });
        c.setListIndex(1);
        QCOMPARE(seenIndex, 1);
        QCOMPARE(seenText, QStringLiteral("b"));
        QCOMPARE(c.ItemData(c.ListIndex()), 20);
        c.setListIndex(-1);
        QCOMPARE(seenIndex, -1);
    }

    void textPutRaisesNothing() {
        platform::ComboBox c;
        c.AddItem(QStringLiteral("1"));
        QSignalSpy clicks(&c, &platform::ComboBox::Click);
        c.setText(QStringLiteral("1"));
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(c.Text(), QStringLiteral("1"));
    }

    void sortedInsertKeepsData() {
        platform::ComboBox c;
        c.setSorted(true);
        c.AddItem(QStringLiteral("Nisa"), 4);
        c.AddItem(QStringLiteral("bekare"), 2);
        c.AddItem(QStringLiteral("Fatiha"), 1);
        c.setListIndex(1);                         // Fatiha
        c.AddItem(QStringLiteral("Ali Imran"), 3); // before the selected item: the selection moves with it
        QCOMPARE(c.List(0), QStringLiteral("Ali Imran"));
        QCOMPARE(c.List(1), QStringLiteral("bekare"));
        QCOMPARE(c.ItemData(1), 2);
        QCOMPARE(c.List(c.ListIndex()), QStringLiteral("Fatiha"));
        QCOMPARE(c.ItemData(3), 4);
    }

    void removeItemKeepsSelectionOnItsItem() {
        platform::ComboBox c;
        for (const char* t : {"a", "b", "c"})
            c.AddItem(QLatin1String(t));
        c.setListIndex(2);
        c.setText(QStringLiteral("typed"));
        c.RemoveItem(0);
        QCOMPARE(c.ListCount(), 2);
        QCOMPARE(c.List(c.ListIndex()), QStringLiteral("c"));
        QCOMPARE(c.Text(), QStringLiteral("typed"));
        c.RemoveItem(1);
        QCOMPARE(c.ListIndex(), -1);
        c.RemoveItem(7); // out of range: nothing
        QCOMPARE(c.ListCount(), 1);
    }

    void enterIsAKeyPressNotAChoice() {
        platform::ComboBox c;
        c.AddItem(QStringLiteral("abc"));
        c.show();
        QSignalSpy clicks(&c, &platform::ComboBox::Click);
        QSignalSpy keys(&c, &platform::ComboBox::KeyPress);
        QSignalSpy downs(&c, &platform::ComboBox::KeyDown);
        c.lineEdit()->setFocus();
        QTest::keyClicks(c.lineEdit(), QStringLiteral("abc"));
        QTest::keyClick(c.lineEdit(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(keys.count(), 4);
        QCOMPARE(keys.last().at(0).toInt(), 13);
        QCOMPARE(downs.last().at(0).toInt(), 13);
        QCOMPARE(downs.last().at(1).toInt(), 1);
        QCOMPARE(c.ListCount(), 1); // nothing inserted by Enter
    }

    void leavingTheFieldIsNoChoice() {
        // A typed text that names an item is not chosen by moving the focus away.
        QWidget window;
        platform::ComboBox c(&window);
        QLineEdit other(&window);
        c.AddItem(QStringLiteral("Zot"));
        window.show();
        QApplication::setActiveWindow(&window);
        QSignalSpy clicks(&c, &platform::ComboBox::Click);
        c.lineEdit()->setFocus();
        QTest::keyClicks(c.lineEdit(), QStringLiteral("zot"));
        other.setFocus();
        QTRY_VERIFY(other.hasFocus());
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(c.ListIndex(), -1);
        QCOMPARE(c.Text(), QStringLiteral("zot"));
    }

    void readerChoiceRaisesClick() {
        platform::ComboBox c;
        c.AddItem(QStringLiteral("a"));
        c.AddItem(QStringLiteral("b"));
        QSignalSpy clicks(&c, &platform::ComboBox::Click);
        Q_EMIT c.activated(1);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(c.ListIndex(), 1);
    }

    void listBox() {
        platform::ListBox l;
        QSignalSpy clicks(&l, &platform::ListBox::Click);
        l.AddItem(QStringLiteral("x"), 5);
        l.AddItem(QStringLiteral("y"), 6);
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(l.ListIndex(), -1);
        QCOMPARE(l.Text(), QString());
        l.setListIndex(1);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(l.Text(), QStringLiteral("y"));
        QCOMPARE(l.ItemData(1), 6);
        l.Clear();
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(l.ListCount(), 0);
        QCOMPARE(l.Text(), QString());
    }
};

QTEST_MAIN(TestListControls)
#include "test_listcontrols.moc"
