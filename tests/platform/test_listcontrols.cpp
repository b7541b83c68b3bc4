// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/listcontrols.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

// A put of ListIndex raises Click before it returns, a put of Text raises nothing.
class TestListControls : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void comboPutsAndItems() {
        platform::ComboBox c;
        c.setSorted(true);
        QStringList clicks; // ListIndex and Text as each Click saw them
        connect(&c, &platform::ComboBox::Click, [&] { clicks += QString::number(c.ListIndex()) + c.Text(); });
        c.setText(u"typed"_s);
        int n = 0;
        for (const QString& s : {u"Nisa"_s, u"bekare"_s, u"Fatiha"_s})
            c.AddItem(s, ++n); // adding selects nothing and keeps the typed text
        c.setListIndex(1);
        c.setText(u"typed"_s);
        c.AddItem(u"Ali Imran"_s, 9); // before the selection, which moves with its item
        QCOMPARE(QList<int>({c.ItemData(0), c.ItemData(1), c.ItemData(2), c.ItemData(3), c.ListIndex()}),
                 QList<int>({9, 2, 3, 1, 2}));
        c.RemoveItem(0);
        QCOMPARE(c.List(c.ListIndex()) + c.Text(), u"Fatihatyped"_s);
        c.RemoveItem(1);
        QCOMPARE(c.ListIndex(), -1);
        c.selectQuietly(1);
        Q_EMIT c.activated(0); // the reader's choice
        QCOMPARE(c.ListIndex(), 0);
        c.setListIndex(-1);
        QCOMPARE(clicks.first() + clicks.last() + QString::number(clicks.size()), u"1Fatiha-13"_s);
        c.setText(u"typed"_s);
        c.Clear();
        QCOMPARE(c.Text() + QString::number(c.ListCount()), u"typed0"_s);
    }

    // The combo of the platform does nothing of its own with Enter, nor when the field loses the focus.
    void enterAndLeavingAreNoChoice() {
        QWidget window;
        platform::ComboBox c(&window);
        QLineEdit other(&window);
        c.AddItem(u"zot"_s);
        window.show();
        QApplication::setActiveWindow(&window);
        QSignalSpy clicks(&c, &platform::ComboBox::Click);
        c.lineEdit()->setFocus();
        QTest::keyClicks(c.lineEdit(), u"zot"_s);
        QTest::keyClick(c.lineEdit(), Qt::Key_Return);
        other.setFocus();
        QTRY_VERIFY(other.hasFocus());
        QCOMPARE(QPoint(clicks.count(), c.ListCount()), QPoint(0, 1)); // nothing chosen, nothing inserted
        QCOMPARE(c.Text(), u"zot"_s);
    }
};

QTEST_MAIN(TestListControls)
#include "test_listcontrols.moc"
