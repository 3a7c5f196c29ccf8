#pragma once

// The mushaf's entries in View: the script of the Arabic text and the
// verse-end ornaments.
namespace MushafCommandId {
enum : int {
    ScriptPopup = 450,
    Uthmani = 451,
    Simple = 452,
    VerseEndMarks = 453,
};
}
