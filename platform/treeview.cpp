// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/treeview.h"

namespace platform {

TreeView::TreeView(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { Q_EMIT NodeClick(item); });
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { Q_EMIT NodeClick(item); });
}

QTreeWidgetItem* TreeView::Add(const QString& relative, int relationship, const QString& key, const QString& text,
                               int image) {
    if (m_byKey.contains(key))
        throw std::invalid_argument("a tree key is not unique");
    QTreeWidgetItem* parent = nullptr;
    if (!relative.isEmpty()) {
        parent = m_byKey.value(relative);
        if (!parent)
            throw std::invalid_argument("no tree node has the relative key");
    }
    auto* node = new QTreeWidgetItem(QStringList{text});
    if (parent && relationship == tvwChild)
        parent->addChild(node);
    else if (parent && parent->parent())
        parent->parent()->addChild(node);
    else
        addTopLevelItem(node);
    if (image >= 1 && image <= m_images.size())
        node->setIcon(0, m_images.at(image - 1));
    m_nodes.append(node);
    m_byKey.insert(key, node);
    return node;
}

} // namespace platform
