// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/dbsearch.h"

#include "app/module1.h"
#include "data/queryhelpers.h"
#include "platform/listcontrols.h"
#include "platform/msgbox.h"
#include "platform/richtextview.h"
#include "search/history.h"
#include "search/report.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>

namespace search {
namespace {

// Lets the window repaint and answer while a long search runs, at most once a frame.
class EventPump {
public:
    EventPump() { m_timer.start(); }
    void maybeRun() {
        if (m_timer.elapsed() >= 16) {
            QCoreApplication::processEvents();
            m_timer.restart();
        }
    }

private:
    QElapsedTimer m_timer;
};

} // namespace

int DatabaseSearch::currentSurah(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= 114 && text.trimmed() == QString::number(n) ? n : 0;
}

void DatabaseSearch::run() {
    if (m_running)
        return; // a second search while one runs is ignored
    const QString snapshot = m.CmbKerkoKrejt->Text();
    if (snapshot.isEmpty()) {
        platform::MsgBox(QStringLiteral("Shëno diçka për kërkim!"));
        m.CmbKerkoKrejt->setFocus();
        return;
    }
    if (snapshot.count(u'&') + 1 > kMaxWords) {
        platform::MsgBox(QStringLiteral("Kërkimi pranon deri në %1 fjalë të ndara me „&”.").arg(kMaxWords));
        m.CmbKerkoKrejt->setFocus();
        return;
    }
    const bool restricted = m.ChkKerkoSure->isChecked();
    const int surah = restricted ? currentSurah(m.CmbNrSure->Text()) : 0;
    if (restricted && surah == 0) {
        platform::MsgBox(QStringLiteral("Zgjidhni një sure (numrin e saj) për të kërkuar vetëm në suren aktuale."));
        m.CmbNrSure->setFocus();
        return;
    }
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(m_running);

    Matching matching = Matching::Exact;
    if (m.ChkPaDallim->isChecked())
        matching =
            Module1::cnLidhja.value(QStringLiteral("SELECT 1 FROM pragma_table_info('librezi') WHERE name = 'Kerkimi'"))
                    .isValid()
                ? Matching::Loose
                : Matching::LooseWithoutColumn;
    const SearchQuery statement = statementFor(snapshot, surah, matching);
    QString copy = snapshot;
    NumerojiFjalet(copy, QStringLiteral("&"), FjalKerkim_);

    // The statement runs before anything changes, so that a refused one leaves the view as it was.
    platform::Statement rows = Module1::cnLidhja.query(statement.sql, statement.values);
    bool more = rows.next();
    const bool wasPassage = m.inPassageMode();
    const QString passage = wasPassage ? m.Rtf1->Text() : QString();
    m.enterPassageMode();
    m.Rtf1->setText(QStringLiteral("Keni durim...\r\n...kërkimi është në rrjedhë..."));

    QString results;
    int count = 0;
    try {
        EventPump pump;
        for (; more; more = rows.next()) {
            results += verseLine(rows.text(0), rows.text(1), rows.text(2));
            ++count;
            pump.maybeRun();
            if (!m.inPassageMode())
                return; // the reader went back to the whole text meanwhile: it stays, the search ends
        }
    } catch (...) {
        m.restoreView(wasPassage, passage);
        throw;
    }

    const QString phrase = m.CmbKerkoKrejt->Text();
    const bool restrictedNow = m.ChkKerkoSure->isChecked();
    const QString report = reportLine(count, phrase, restrictedNow, m.CmbEmrSure->Text()) + reportRule();
    // The verses and their red words go into the view in one edit (see setTextColoured).
    QStringList red;
    if (snapshot.contains(u'&')) {
        for (int i = 1; i <= FjalKerkim_.Count(); ++i)
            red.append(FjalKerkim_.Item(i).Text());
    } else {
        red.append(snapshot);
    }
    m.Rtf1->setTextColoured(report + results, red, QColor(255, 0, 0));
    m.Rtf1->setSelStart(0);
    m.Rtf1->SetFocus();

    history::addSearched(m.CmbKerkoKrejt, m.CmbKerkoKrejt->Text());
}

} // namespace search
