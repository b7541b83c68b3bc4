// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/composed.h"

#include <QObject>
#include <QString>

#include <memory>

class QToolButton;
namespace data {
class Library;
}
namespace platform {
class ComboBox;
class ListBox;
class TreeView;
} // namespace platform

namespace themes {

// The theme index: the theme list and the tree of chapters and themes, each leading to a list of
// verse groups whose click composes the group's passage.
class ThemeIndex : public QObject {
    Q_OBJECT
public:
    struct Controls {
        platform::ComboBox* cmbKlasifikimTematik;
        platform::ListBox* LstAjetetPrejCmbTema;
        platform::TreeView* TreeView1;
        platform::ListBox* lstAjetKlasifikim;
        QToolButton* cmdExpandAll;
        QToolButton* CmdCollapseAll;
    };
    ThemeIndex(const data::Library& library, Controls c, QObject* parent = nullptr)
        : QObject(parent), m_library(library), m(c) {}

    void cmbKlasifikimTematik_Click();
    void MbushePemenMeTema();
    void TreeView1_NodeClick();
    void cmdExpandAll_Click();
    void CmdCollapseAll_Click();
    void LstAjetetPrejCmbTema_Click();
    void lstAjetKlasifikim_Click();

    bool treeFilled() const { return blnPemaEMbushur; }

    // The theme name a tree node's text names: the text after its first "." and the character after it.
    static QString themeOfNodeText(const QString& nodeText);

Q_SIGNALS:
    // A verse group was chosen: its passage, to be shown.
    void passageChosen(std::shared_ptr<const text::Composed> passage);

private:
    void fillGroups(platform::ListBox* list, const QString& theme);
    void showPassage(const QString& themeText, const QString& itemText);
    const data::Library& m_library;
    Controls m;
    bool blnPemaEMbushur = false;
};

} // namespace themes
