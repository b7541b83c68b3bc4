// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QIcon>
#include <QList>
#include <QTreeWidget>

#include <stdexcept>

namespace platform {

// A tree of nodes added by key, below a relative node named by its key.
class TreeView : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int tvwChild = 4;

    explicit TreeView(QWidget* parent = nullptr);

    // The images nodes name by 1-based index.
    void setImageList(const QList<QIcon>& images) { m_images = images; }

    // Adds a node at the root (no relative) or as a child of the node whose key is `relative`.
    // Keys are unique: a key already used throws std::invalid_argument.
    QTreeWidgetItem* Add(const QString& relative, int relationship, const QString& key, const QString& text, int image);
    int NodesCount() const { return int(m_nodes.size()); }
    // The i-th node in the order of adding, from 1.
    QTreeWidgetItem* Nodes(int i) const { return i >= 1 && i <= m_nodes.size() ? m_nodes.at(i - 1) : nullptr; }
    QTreeWidgetItem* nodeByKey(const QString& key) const { return m_byKey.value(key); }
    QTreeWidgetItem* SelectedItem() const { return currentItem(); }

Q_SIGNALS:
    // A node was chosen by the mouse or with Enter.
    void NodeClick(QTreeWidgetItem* node);

private:
    QList<QIcon> m_images;
    QList<QTreeWidgetItem*> m_nodes;
    QHash<QString, QTreeWidgetItem*> m_byKey;
};

} // namespace platform
