// SPDX-License-Identifier: GPL-3.0-or-later
#include "themes/themeindex.h"

#include "data/library.h"
#include "platform/listcontrols.h"
#include "platform/treeview.h"
#include "themes/passage.h"

#include <QToolButton>

namespace themes {

QString ThemeIndex::themeOfNodeText(const QString& nodeText) {
    const qsizetype dot = nodeText.indexOf(u'.');
    return dot < 0 ? nodeText : nodeText.mid(dot + 2);
}

void ThemeIndex::fillGroups(platform::ListBox* list, const QString& theme) {
    // The rows are read before the list changes, so that a failing statement leaves it as it was.
    const QStringList items = m_library.groupsOfTheme(theme);
    list->Clear();
    for (const QString& item : items)
        list->AddItem(item);
}

void ThemeIndex::cmbKlasifikimTematik_Click() {
    fillGroups(m.LstAjetetPrejCmbTema, m.cmbKlasifikimTematik->Text());
}

void ThemeIndex::MbushePemenMeTema() {
    if (blnPemaEMbushur)
        return;
    int row = 0;
    QString previousChapter;
    bool haveChapter = false;
    QString previousTheme;
    for (const data::ChapterTheme& rs : m_library.chaptersAndThemes()) {
        ++row;
        const QString& chapter = rs.chapter;
        if (!haveChapter || chapter != previousChapter) {
            haveChapter = true;
            previousChapter = chapter;
            // A chapter that comes back after another keeps its first node.
            if (!m.TreeView1->nodeByKey(chapter))
                m.TreeView1->Add(QString(), 0, chapter,
                                 QString::number(rs.chapterNumber) + QStringLiteral(". ") + chapter, 1);
        }
        const QString& theme = rs.theme;
        if (theme != previousTheme) {
            previousTheme = theme;
            QString key = theme + QString::number(row);
            if (m.TreeView1->nodeByKey(key)) // "X1" at row 1 and "X" at row 11 would meet
                key += u'#' + QString::number(row);
            m.TreeView1->Add(previousChapter, platform::TreeView::tvwChild, key,
                             QString::number(rs.themeNumber) + QStringLiteral(". ") + theme, 2);
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
    for (int i = 1; i <= m.TreeView1->NodesCount(); ++i)
        m.TreeView1->Nodes(i)->setExpanded(true);
}

void ThemeIndex::CmdCollapseAll_Click() {
    m.cmdExpandAll->setVisible(true);
    m.CmdCollapseAll->setVisible(false);
    for (int i = 1; i <= m.TreeView1->NodesCount(); ++i)
        m.TreeView1->Nodes(i)->setExpanded(false);
}

void ThemeIndex::showPassage(const QString& themeText, const QString& itemText) {
    // Composed before anything changes: a statement that fails leaves the view as it was.
    Q_EMIT passageChosen(std::make_shared<const text::Composed>(composePassage(m_library, themeText, itemText)));
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
