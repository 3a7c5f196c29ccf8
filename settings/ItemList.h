#pragma once

#include <QList>
#include <QString>

// The contents of a list or drop-down list of the settings dialog: captions
// with an integer item value each, and the selected entry (-1 for none). Its
// member names follow QComboBox so that code such as UniCode::SelectByItemData
// serves both.
class ItemList {
public:
    struct Entry {
        QString caption;
        int itemData = 0;
        bool operator==(const Entry&) const = default;
    };

    int count() const { return int(m_entries.size()); }
    QString itemText(int index) const { return m_entries.at(index).caption; }
    int itemData(int index) const { return m_entries.at(index).itemData; }
    const QList<Entry>& entries() const { return m_entries; }

    int currentIndex() const { return m_current; }
    // Out-of-range indexes select nothing.
    void setCurrentIndex(int index) { m_current = (index >= 0 && index < count()) ? index : -1; }
    int currentData() const { return m_current >= 0 ? itemData(m_current) : 0; }

    void addItem(const QString& caption, int itemData) { m_entries.append({caption, itemData}); }
    void removeItem(int index) {
        if (index < 0 || index >= count())
            return;
        m_entries.removeAt(index);
        if (m_current == index)
            m_current = -1;
        else if (m_current > index)
            --m_current;
    }
    void clear() {
        m_entries.clear();
        m_current = -1;
    }

private:
    QList<Entry> m_entries;
    int m_current = -1;
};
