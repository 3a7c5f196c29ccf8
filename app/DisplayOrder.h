#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The display order of the text libraries ("1/2", "3/1/2", ...) and the
// edits the three library toggles make to it.
namespace DisplayOrder {

// The codes in display order.
QStringList displayList(const QString& orderString);

// Whether the toggle of library `code` starts checked: whether one of the
// "/"-separated parts is that code ("12/3" shows 3 only).
bool isShown(const QString& orderString, int code);

// The order after the toggle of library `code` (1..3) was set to `checked`:
// switched on, it is appended (once); switched off, its part is removed.
// Nothing when the change is refused: unchecking the only library shown.
std::optional<QString> toggled(const QString& orderString, int code, bool checked);

} // namespace DisplayOrder
