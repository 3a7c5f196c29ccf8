#pragma once

#include "ResultItem.h"

#include <QAbstractListModel>
#include <QList>
#include <QStringList>

// The entries of the result list, one per matching verse in search order.
// A search adds its matches as it finds them and shows them in batches, one
// insertion each: inserting thousands of rows one by one costs far more
// than finding them.  An entry's text is made when it is asked for.
class ResultList : public QAbstractListModel {
    Q_OBJECT
public:
    // The entry's item value (ResultItem::itemData).
    static constexpr int kItemDataRole = Qt::UserRole;
    // The entry's text as a list: before the sura's name, the name, after
    // it, and the verse label ("2 : 255").
    static constexpr int kPartsRole = Qt::UserRole + 1;

    using QAbstractListModel::QAbstractListModel;

    // The sura captions by sura number (element 0 unused).
    void setChapterCaptions(const QStringList& captions) { captions_ = captions; }

    // Kept apart until showAdded().
    void add(const ResultItem& item) { entries_.append(item); }
    // Shows the entries added since the last call, in one insertion.
    void showAdded();
    void clear();

    // The entries shown.
    int count() const { return shown_; }
    ResultItem itemAt(int row) const { return entries_.value(row); }
    QString textAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QList<ResultItem> entries_; // shown, then added
    int shown_ = 0;
    QStringList captions_;
};
