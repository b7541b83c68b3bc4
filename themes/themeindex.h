// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QToolButton;
namespace platform {
class ComboBox;
class ListBox;
class RichTextView;
class TreeView;
} // namespace platform

namespace themes {

// The theme index: the theme list and the tree of chapters and themes, each leading to a list of
// verse groups whose click shows the group's passage.
class ThemeIndex {
public:
    struct Controls {
        platform::ComboBox* cmbKlasifikimTematik;
        platform::ListBox* LstAjetetPrejCmbTema;
        platform::TreeView* TreeView1;
        platform::ListBox* lstAjetKlasifikim;
        QToolButton* cmdExpandAll;
        QToolButton* CmdCollapseAll;
        platform::RichTextView* Rtf1;
        std::function<void()> enterPassageMode;
    };
    explicit ThemeIndex(Controls c) : m(std::move(c)) {}

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

private:
    void fillGroups(platform::ListBox* list, const QString& theme);
    void showPassage(const QString& themeText, const QString& itemText);
    Controls m;
    bool blnPemaEMbushur = false;
};

} // namespace themes
