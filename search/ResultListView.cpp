#include "ResultListView.h"

#include <QApplication>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QPainter>

QString ResultEntryDelegate::fitted(const QStringList& parts, const QFontMetrics& metrics,
                                    int width) {
    if (parts.size() != 4)
        return parts.join(QString());
    const QString& lead = parts.at(0);
    const QString& name = parts.at(1);
    const QString& tail = parts.at(2);
    const QString full = lead + name + tail;
    if (metrics.horizontalAdvance(full) <= width)
        return full;
    const int forName = width - metrics.horizontalAdvance(lead) - metrics.horizontalAdvance(tail);
    const QString ellipsis(QChar(0x2026));
    if (forName >= metrics.horizontalAdvance(ellipsis))
        return lead + metrics.elidedText(name, Qt::ElideRight, forName) + tail;
    return parts.at(3);
}

void ResultEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QWidget* widget = item.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    item.text = fitted(index.data(ResultList::kPartsRole).toStringList(), item.fontMetrics,
                       textRect.width() - 2 * margin);
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
}

ResultListView::ResultListView(QWidget* parent)
    : QListView(parent), entries_(new ResultList(this)), delegate_(new ResultEntryDelegate(this)) {
    setModel(entries_);
    setItemDelegate(delegate_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Entries are one line each: the list need not measure them, however
    // many thousands a search adds.
    setUniformItemSizes(true);
}

std::optional<int> ResultListView::selectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return std::nullopt;
    return selected.first().row();
}

void ResultListView::selectRow(int row) {
    setCurrentIndex(entries_->index(row));
}
