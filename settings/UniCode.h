#pragma once

#include <QVariant>

namespace UniCode {

namespace Detail {
inline bool sameItemValue(int itemData, int value) {
    return itemData == value;
}
// QComboBox::itemData() gives a QVariant; an entry without an integer matches nothing.
inline bool sameItemValue(const QVariant& itemData, int value) {
    bool isNumber = false;
    const int number = itemData.toInt(&isNumber);
    return isNumber && number == value;
}
} // namespace Detail

// Selects the entry whose item value equals value; with several, the last one
// wins; with none, the selection stays as it was. Works on ItemList and on
// QComboBox (item value in Qt::UserRole).
template <typename List> void SelectByItemData(List& list, int value) {
    int match = -1;
    for (int i = 0; i < list.count(); ++i) {
        if (Detail::sameItemValue(list.itemData(i), value))
            match = i;
    }
    if (match >= 0)
        list.setCurrentIndex(match);
}

} // namespace UniCode
