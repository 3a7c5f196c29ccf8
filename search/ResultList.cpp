#include "ResultList.h"

void ResultList::showAdded() {
    const int total = int(entries_.size());
    if (total == shown_)
        return;
    beginInsertRows(QModelIndex(), shown_, total - 1);
    shown_ = total;
    endInsertRows();
}

void ResultList::clear() {
    beginResetModel();
    entries_.clear();
    shown_ = 0;
    endResetModel();
}

QString ResultList::textAt(int row) const {
    const ResultItem item = itemAt(row);
    return item.text(captions_.value(item.sura()));
}

int ResultList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

QVariant ResultList::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shown_)
        return {};
    const ResultItem& item = entries_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return item.text(captions_.value(item.sura()));
    case kItemDataRole:
        return item.itemData();
    case kPartsRole: {
        const ResultItem::TextParts parts = item.textParts(captions_.value(item.sura()));
        return QStringList{parts.lead, parts.name, parts.tail, item.label()};
    }
    default:
        return {};
    }
}
