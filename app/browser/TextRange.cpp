#include "TextRange.h"

#include "BrowserView.h"
#include "OffscreenLayout.h"
#include "PageScript.h"

namespace {

// Collects the body's text nodes in document order into one string with the
// node offsets; a character that never occurs in text separates blocks.
const char kTextWalk[] = R"JS(
var body = document.body;
if (!body) return null;
var inlineTags = /^(A|ABBR|B|BDI|BDO|BIG|CITE|CODE|DFN|EM|FONT|I|KBD|LABEL|MARK|NOBR|Q|S|SAMP|SMALL|SPAN|STRIKE|STRONG|SUB|SUP|TT|U|VAR)$/;
var skipped = /^(SCRIPT|STYLE|NOSCRIPT|TEMPLATE)$/;
function blockOf(node) {
    var e = node.parentNode;
    while (e && e !== body && inlineTags.test(e.nodeName)) e = e.parentNode;
    return e;
}
var walker = document.createTreeWalker(body, NodeFilter.SHOW_TEXT, {
    acceptNode: function (n) {
        return skipped.test(n.parentNode.nodeName) ? NodeFilter.FILTER_REJECT : NodeFilter.FILTER_ACCEPT;
    }
});
var nodes = [], starts = [], text = '', lastBlock = null, node;
while ((node = walker.nextNode())) {
    var block = blockOf(node);
    if (nodes.length && block !== lastBlock) text += '\uFFFF';
    lastBlock = block;
    nodes.push(node);
    starts.push(text.length);
    text += node.data;
}
)JS";

const char kFind[] = R"JS(
var parts = needle.trim().split(/\s+/).map(function (p) { return p.replace(/[.*+?^${}()|[\]\\]/g, '\\$&'); });
var pattern = new RegExp(whole ? '(?<![\\p{L}\\p{N}])' + parts.join('\\s+') + '(?![\\p{L}\\p{N}])'
                               : parts.join('\\s+'), whole ? 'giu' : 'gi');
pattern.lastIndex = from;
var hit = pattern.exec(text);
if (!hit || hit[0].length === 0) return null;
return [hit.index, hit.index + hit[0].length];
)JS";

const char kSelect[] = R"JS(
if (to < 0) to = text.length;
function place(offset, atEnd) {
    for (var i = 0; i < nodes.length; ++i) {
        var s = starts[i], e = s + nodes[i].data.length;
        if (atEnd ? (offset > s && offset <= e) : (offset >= s && offset < e))
            return [nodes[i], offset - s];
    }
    return null;
}
var a = place(from, false), b = place(to, true);
if (!a || !b) return false;
var range = document.createRange();
range.setStart(a[0], a[1]);
range.setEnd(b[0], b[1]);
var selection = window.getSelection();
selection.removeAllRanges();
selection.addRange(range);
try { layOutAround(a[0]); } catch (e) {}
var box = range.getBoundingClientRect();
if (box.top < 0 || box.bottom > window.innerHeight)
    window.scrollBy(0, box.top - window.innerHeight / 3);
return true;
)JS";

QString wrap(const QString& declarations, const char* body) {
    return QStringLiteral("(function () {\n%1\n%2\n%3\n%4\n})()")
        .arg(declarations, QLatin1String(kTextWalk), QLatin1String(OffscreenLayout::kLayOutAround),
             QLatin1String(body));
}

} // namespace

bool TextRange::findText(const QString& text) {
    return find(text, false);
}

bool TextRange::findWholeText(const QString& text) {
    return find(text, true);
}

bool TextRange::find(const QString& text, bool whole) {
    if (!view_ || text.trimmed().isEmpty())
        return false;
    const QString declarations = QStringLiteral("var needle = %1, from = %2, whole = %3;")
                                     .arg(PageScript::literal(text))
                                     .arg(start_)
                                     .arg(whole ? QStringLiteral("true") : QStringLiteral("false"));
    const auto answer = view_->runScript(wrap(declarations, kFind));
    if (!answer)
        return false;
    const QVariantList bounds = answer->toList();
    if (bounds.size() != 2)
        return false;
    start_ = bounds.at(0).toLongLong();
    end_ = bounds.at(1).toLongLong();
    return true;
}

void TextRange::Select() {
    if (!view_)
        return;
    const QString declarations = QStringLiteral("var from = %1, to = %2;").arg(start_).arg(end_);
    view_->runScript(wrap(declarations, kSelect));
}

void TextRange::Collapse(bool start) {
    if (start) {
        end_ = start_;
        return;
    }
    if (end_ >= 0) {
        start_ = end_;
        return;
    }
    // A range over the whole body collapses past its last character.
    if (view_) {
        const auto length = view_->runScript(wrap(QString(), "return text.length;"));
        if (length)
            start_ = end_ = length->toLongLong();
    }
}
