// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "testsupport.h"
#include <QTest>
using namespace Qt::StringLiterals;

// Going to surahs and verses on the real main window over the bundled data, one step after another.
class TestNavigation : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<testsupport::Controls> c;
private Q_SLOTS:
    void stepByStep() {
        c = std::make_unique<testsupport::Controls>(testsupport::startProgram(dir));
        c->w->show();
        // A list and its choice (typed with Enter: "↵"); the lists' texts and verse count; the selection.
        // clang-format off
        const char* steps[][4] = {
            {"CmbEmrSure", "Fatiha", "1 Fatiha 7 1 7", "\n1:1.\t"}, // 1, not 10
            {"CmbNrSure", "114", "114 Nas 6 1 6", "\n114:1.\t"},
            {"CmbTotalAjete", "286", "2 Bekare 286 1 286", "\n2:1.\t"},
            {"CmbNrAjeti", "255↵", "2 Bekare 286 255 286", "\n2:255.\t"},
            {"CmbTotalAjete", "6", "109 Kafirun 6 1 6", "\n109:1.\t"}, // the first surah of six verses
            {"CmbNrSure", "36↵", "36 Jasin 83 1 83", "\n36:1.\t"},
            {"CmbEmrSure", "bek↵", "2 Bekare 286 1 286", "\n2:1.\t"}, // a name by its start
            {"CmbNrSure", "999x↵", "999x Bekare 286 1 286", "\n2:1.\t"}, // a text that names nothing
            {"CmbTotalAjete", "1↵", "999x Bekare 1 1 286", "\n2:1.\t"}, // no surah has one verse
            {"CmbTotalAjete", "7↵", "1 Fatiha 7 1 7", "\n1:1.\t"},
            {"CmbNrAjeti", "8↵", "1 Fatiha 7 8 7", "\n1:1.\t"}, // beyond the surah: said, the view stays
            {"CmbNrAjeti", "↵", "1 Fatiha 7 1 7", "\n1:1.\t"}, // an empty verse list means verse 1
            {"CmbNrAjeti", "9999↵", "1 Fatiha 7 9999 7", "\n1:1.\t"},
            {"CmbEmrSure", "imran↵", "1 imran 7 9999 7", "\n1:1.\t"}}; // inside a name is not its start
        // clang-format on
        for (const auto& [box, choice, lists, from] : steps) {
            auto* list = c->w->findChild<platform::ComboBox*>(QLatin1String(box));
            const QString text = QString::fromUtf8(choice);
            if (text.endsWith(u'↵')) {
                testsupport::typeInto(list, text.chopped(1));
                testsupport::pressEnter(list);
            } else
                list->setListIndex(list->findText(text));
            const QString step = QLatin1String(box) + u' ' + text + u": "_s;
            const QString shown = QStringList({c->CmbNrSure->Text(), c->CmbEmrSure->Text(), c->CmbTotalAjete->Text(),
                                               c->CmbNrAjeti->Text(), QString::number(c->CmbNrAjeti->ListCount())})
                                      .join(u' ');
            QVERIFY2(shown == QLatin1String(lists), qPrintable(step + shown));
            // The selection with the characters before and after it: one whole line.
            const int at = c->Rtf1->SelStart();
            const QString seen = c->Rtf1->Text().mid(qMax(0, at - 1), c->Rtf1->SelLength() + (at > 0 ? 2 : 1));
            QVERIFY2((*from ? seen.startsWith(QLatin1String(from)) : at == 0) && seen.indexOf(u'\r') == seen.size() - 1,
                     qPrintable(step + seen));
        }
        Module1::unloadMainWindow();
    }
};

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
