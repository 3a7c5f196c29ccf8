#pragma once

// Script shared by the page's go-to and its reading place.
namespace OffscreenLayout {

// Defines layOutAround(node).  The page template leaves blocks far from the
// window unrendered (content-visibility) with a guessed height until they
// come near it, so a scroll computed from those heights lands wrong once the
// blocks that come into the window take their real height.  layOutAround
// lays out the body's blocks around `node`, a window's height either way,
// through one rule of the page's style sheet (the markup stays as it is);
// the rule of the previous call goes.
inline constexpr char kLayOutAround[] = R"JS(
function layOutAround(node) {
    var body = document.body, sheet = document.styleSheets[0];
    if (!body || !sheet) return;
    var marker = 'body > :nth-child', rules = sheet.cssRules;
    for (var r = rules.length - 1; r >= 0; --r)
        if (rules[r].selectorText && rules[r].selectorText.indexOf(marker) === 0) sheet.deleteRule(r);
    var block = node;
    while (block.parentNode && block.parentNode !== body) block = block.parentNode;
    if (block.nodeType !== 1) block = block.previousElementSibling || block.nextElementSibling;
    var blocks = body.children, at = Array.prototype.indexOf.call(blocks, block);
    if (at < 0) return;
    var height = window.innerHeight, lastIndex = blocks.length - 1;
    for (var reach = 32; ; reach *= 2) {
        var first = Math.max(0, at - reach), last = Math.min(lastIndex, at + reach);
        var rule = sheet.insertRule(marker + '(n+' + (first + 1) + '):nth-child(-n+' + (last + 1) +
                                    ') { content-visibility: visible; }', rules.length);
        var box = block.getBoundingClientRect();
        var above = box.top - blocks[first].getBoundingClientRect().top;
        var below = blocks[last].getBoundingClientRect().bottom - box.bottom;
        if ((first === 0 || above >= height) && (last === lastIndex || below >= height)) return;
        sheet.deleteRule(rule);
    }
}
)JS";

} // namespace OffscreenLayout
