// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader meets in the main window: every control that takes input is announced by a name.
#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "resources/resources.h"
#include "testsupport.h"

#include <QAccessible>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

class TestAccessible : public QObject {
    Q_OBJECT

    // The controls a reader can give input to, found in the accessibility tree, and those without a name.
    static void walk(QAccessibleInterface* node, int* inputs, QStringList* nameless) {
        static const QList<QAccessible::Role> input{
            QAccessible::ComboBox,   QAccessible::EditableText, QAccessible::List,    QAccessible::Tree,
            QAccessible::PushButton, QAccessible::CheckBox,     QAccessible::SpinBox, QAccessible::Slider,
            QAccessible::PageTab,    QAccessible::Link};
        if (!node || node->state().invisible)
            return;
        if (input.contains(node->role())) {
            ++*inputs;
            if (node->text(QAccessible::Name).trimmed().isEmpty())
                *nameless << (node->object()
                                  ? node->object()->objectName() + u'/' + node->object()->metaObject()->className()
                                  : QString::number(node->role()));
        }
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i), inputs, nameless);
    }

private Q_SLOTS:
    void everyInputHasAName() {
        QTemporaryDir dir;
        frmKryesore* w = testsupport::startProgram(dir);
        w->show();
        int inputs = 0;
        QStringList nameless;
        for (int page = 0; page < 4; ++page) { // each page of the left column in its turn
            testsupport::Controls(w).C1Tab1->setCurrentIndex(page);
            walk(QAccessible::queryAccessibleInterface(w), &inputs, &nameless);
        }
        QVERIFY2(inputs > 40, qPrintable(QString::number(inputs)));
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u", ")));
        // The reciter lists say what they are for.
        QVERIFY(!QAccessible::queryAccessibleInterface(testsupport::Controls(w).CmbLexuesAjete)
                     ->text(QAccessible::Description)
                     .isEmpty());
        // Qt's own texts are Albanian too: the input boxes' context menus, the spin boxes', the scroll bars', the
        // file dialog's and the standard buttons.
        initTranslations();
        for (QLineEdit* box : w->findChildren<QLineEdit*>()) {
            std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
            for (QAction* a : menu->actions())
                QVERIFY2(a->isSeparator() ||
                             !QStringList({"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"})
                                  .contains(a->text().remove(u'&').section(u'\t', 0, 0)),
                         qPrintable(a->text()));
        }
        const std::pair<const char*, const char*> qtTexts[] = {
            {"QAbstractSpinBox", "&Step up"}, {"QScrollBar", "Scroll here"}, {"QScrollBar", "Page down"},
            {"QFileDialog", "Look in:"},      {"QFileDialog", "&Open"},      {"QFileSystemModel", "Date Modified"},
            {"QPlatformTheme", "Cancel"},     {"QTabBar", "Scroll Left"}};
        for (const auto& [context, text] : qtTexts)
            QVERIFY2(QCoreApplication::translate(context, text) != QLatin1String(text), text);
        Module1::unloadMainWindow();
    }
};

QTEST_MAIN(TestAccessible)
#include "test_accessible.moc"
