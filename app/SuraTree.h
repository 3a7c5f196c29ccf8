#pragma once

#include <QTreeWidget>

#include <vector>

// The tree of the suras (`lst`).  Nodes keep the order they were added in:
// that order gives each node its index (from 1), which the Back and Forward
// commands walk.  Each node carries a key ("Main", "English", "c1".."c114").
class SuraTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit SuraTree(QWidget* parent = nullptr);

    void Clear();
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& key, const QString& text,
                             int image);

    int count() const { return int(nodes_.size()); }
    QTreeWidgetItem* node(int index) const; // 1-based; nothing outside 1..count()
    QTreeWidgetItem* nodeByKey(const QString& key) const;
    int indexOf(const QTreeWidgetItem* item) const; // 0 for none
    static QString keyOf(const QTreeWidgetItem* item);

    QTreeWidgetItem* selectedNode() const { return currentItem(); }
    int selectedIndex() const { return indexOf(currentItem()); }
    // Marks a node as selected and shows it, without running its click.
    void selectNode(QTreeWidgetItem* item);

signals:
    // A click with the mouse, or Enter on the selected node.
    void NodeClick(QTreeWidgetItem* item);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    std::vector<QTreeWidgetItem*> nodes_;
};
