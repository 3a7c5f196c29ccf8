#pragma once

#include <QtGlobal>

// Checks that a buffer is a complete rcc resource file: its header, every
// tree node, name and data block lie inside the buffer and the directory
// tree has no cycles.  Qt maps a registered file without such checks, so a
// truncated or damaged library must be refused before it is registered.
bool isWellFormedRcc(const uchar* data, qint64 size);
