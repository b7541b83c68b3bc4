// SPDX-License-Identifier: GPL-3.0-or-later
#include "themes/themeindex.h"

#include "app/module1.h"
#include "data/queryhelpers.h"
#include "platform/listcontrols.h"
#include "platform/richtextview.h"
#include "platform/treeview.h"
#include "themes/passage.h"

#include <QCoreApplication>
#include <QToolButton>

namespace themes {

QString ThemeIndex::themeOfNodeText(const QString& nodeText) {
    const qsizetype dot = nodeText.indexOf(u'.');
    return dot < 0 ? nodeText : nodeText.mid(dot + 2);
}

void ThemeIndex::fillGroups(platform::ListBox* list, const QString& theme) {
    // The rows are read before the list changes, so that a failing statement leaves it as it was.
    QStringList items;
    for (platform::Statement groups = Module1::cnLidhja.query(
             QStringLiteral("SELECT nrsure, emrsure, ajetet FROM klasifikim WHERE tema = ?"), {theme.trimmed()});
         groups.next();)
        items.append(groups.text(0) + QStringLiteral(" (") + groups.text(1) + QStringLiteral("): ") + groups.text(2));
    list->Clear();
    for (const QString& item : items)
        list->AddItem(item);
}

void ThemeIndex::cmbKlasifikimTematik_Click() {
    fillGroups(m.LstAjetetPrejCmbTema, m.cmbKlasifikimTematik->Text());
}

void ThemeIndex::MbushePemenMeTema() {
    QCoreApplication::processEvents();
    if (blnPemaEMbushur)
        return;
    int row = 0;
    QString previousChapter;
    bool haveChapter = false;
    QString previousTheme;
    for (platform::Statement rs =
             Module1::cnLidhja.query(QStringLiteral("SELECT NrKreu, Kreu, NrTema, Tema FROM KreuMeTema"));
         rs.next();) {
        ++row;
        const QString chapter = rs.text(1);
        if (!haveChapter || chapter != previousChapter) {
            haveChapter = true;
            previousChapter = chapter;
            // A chapter that comes back after another keeps its first node.
            if (!m.TreeView1->nodeByKey(chapter))
                m.TreeView1->Add(QString(), 0, chapter, rs.text(0) + QStringLiteral(". ") + chapter, 1);
        }
        const QString theme = rs.text(3);
        if (theme != previousTheme) {
            previousTheme = theme;
            QString key = theme + QString::number(row);
            if (m.TreeView1->nodeByKey(key)) // "X1" at row 1 and "X" at row 11 would meet
                key += u'#' + QString::number(row);
            m.TreeView1->Add(previousChapter, platform::TreeView::tvwChild, key,
                             rs.text(2) + QStringLiteral(". ") + theme, 2);
        }
    }
    blnPemaEMbushur = true;
}

void ThemeIndex::TreeView1_NodeClick() {
    QTreeWidgetItem* node = m.TreeView1->SelectedItem();
    if (!node || node->childCount() > 0)
        return;
    fillGroups(m.lstAjetKlasifikim, themeOfNodeText(node->text(0)));
    if (m.lstAjetKlasifikim->ListCount() == 0)
        return;                           // a theme without groups leaves the text as it is
    m.lstAjetKlasifikim->setListIndex(0); // its click shows the first group's passage
}

void ThemeIndex::cmdExpandAll_Click() {
    m.cmdExpandAll->setVisible(false);
    m.CmdCollapseAll->setVisible(true);
    QCoreApplication::processEvents();
    for (int i = 1; i <= m.TreeView1->NodesCount(); ++i)
        m.TreeView1->Nodes(i)->setExpanded(true);
}

void ThemeIndex::CmdCollapseAll_Click() {
    m.cmdExpandAll->setVisible(true);
    m.CmdCollapseAll->setVisible(false);
    QCoreApplication::processEvents();
    for (int i = 1; i <= m.TreeView1->NodesCount(); ++i)
        m.TreeView1->Nodes(i)->setExpanded(false);
}

void ThemeIndex::showPassage(const QString& themeText, const QString& itemText) {
    const QString passage = composePassage(themeText, itemText); // throws before the view changes
    m.enterPassageMode(); // while the whole text still shows: the way back leads to where it was
    m.Rtf1->setText(passage);
}

void ThemeIndex::LstAjetetPrejCmbTema_Click() {
    if (m.LstAjetetPrejCmbTema->ListIndex() < 0)
        return;
    showPassage(m.cmbKlasifikimTematik->Text(), m.LstAjetetPrejCmbTema->Text());
}

void ThemeIndex::lstAjetKlasifikim_Click() {
    QTreeWidgetItem* node = m.TreeView1->SelectedItem();
    if (m.lstAjetKlasifikim->ListIndex() < 0 || !node)
        return;
    showPassage(node->text(0), m.lstAjetKlasifikim->Text());
}

} // namespace themes
