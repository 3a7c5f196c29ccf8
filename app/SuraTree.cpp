#include "SuraTree.h"

#include <QAccessible>
#include <QHeaderView>
#include <QKeyEvent>

namespace {
constexpr int kKeyRole = Qt::UserRole;

QIcon imageFor(int image) {
    return QIcon(QStringLiteral(":/ui/tree-%1.png").arg(image));
}
} // namespace

SuraTree::SuraTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { emit NodeClick(item); });
}

void SuraTree::Clear() {
    clear();
    nodes_.clear();
}

QTreeWidgetItem* SuraTree::addNode(QTreeWidgetItem* parent, const QString& key, const QString& text,
                                   int image) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setToolTip(0, text); // the pane is narrow; long names show in full here
    item->setData(0, kKeyRole, key);
    item->setIcon(0, imageFor(image));
    nodes_.push_back(item);
    return item;
}

QTreeWidgetItem* SuraTree::node(int index) const {
    if (index < 1 || index > count())
        return nullptr;
    return nodes_[size_t(index - 1)];
}

QTreeWidgetItem* SuraTree::nodeByKey(const QString& key) const {
    for (QTreeWidgetItem* item : nodes_) {
        if (keyOf(item) == key)
            return item;
    }
    return nullptr;
}

int SuraTree::indexOf(const QTreeWidgetItem* item) const {
    for (size_t i = 0; i < nodes_.size(); ++i) {
        if (nodes_[i] == item)
            return int(i) + 1;
    }
    return 0;
}

QString SuraTree::keyOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kKeyRole).toString() : QString();
}

void SuraTree::selectNode(QTreeWidgetItem* item) {
    if (!item)
        return;
    const QSignalBlocker quiet(this);
    setCurrentItem(item);
    scrollToItem(item);
}

void SuraTree::focusInEvent(QFocusEvent* event) {
    QTreeWidget::focusInEvent(event);
    // A screen reader names the selected sura on arriving, not only the tree.
    if (!QAccessible::isActive() || !currentItem())
        return;
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(this);
    QAccessibleInterface* entry = tree ? tree->focusChild() : nullptr;
    if (!entry)
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(tree->indexOfChild(entry));
    QAccessible::updateAccessibility(&focus);
}

void SuraTree::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        emit NodeClick(currentItem());
        return;
    }
    QTreeWidget::keyPressEvent(event);
}
