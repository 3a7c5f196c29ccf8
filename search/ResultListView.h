#pragma once

#include "ResultList.h"

#include <QListView>
#include <QStyledItemDelegate>

#include <optional>

class QFontMetrics;

// Draws a result entry so that its sura and verse numbers stay in view at
// any width: the sura's name gives way first, then the entry is shown as
// its verse label.  The full text is the entry's tooltip.
class ResultEntryDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The entry's text fitted into `width` pixels; `parts` as ResultList
    // gives them (lead, name, tail, label).
    static QString fitted(const QStringList& parts, const QFontMetrics& metrics, int width);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

// The result list of the search window: single selection, one line per
// entry, entries drawn by ResultEntryDelegate.
class ResultListView : public QListView {
    Q_OBJECT
public:
    explicit ResultListView(QWidget* parent = nullptr);

    ResultList& entries() { return *entries_; }
    const ResultList& entries() const { return *entries_; }
    // The entries shown.
    int count() const { return entries_->count(); }
    std::optional<int> selectedRow() const;
    void selectRow(int row);

private:
    ResultList* entries_; // both owned as children
    ResultEntryDelegate* delegate_;
};
