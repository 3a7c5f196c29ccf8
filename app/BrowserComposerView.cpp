#include "BrowserComposerView.h"

#include "BrowserView.h"
#include "PageScript.h"
#include "ResAddress.h"
#include "TextLanguage.h"

void BrowserComposerView::navigate(const QString& address) {
    // Not waited for here: everything done to the page afterwards waits for
    // it, and the composer goes on reading texts meanwhile.
    holding_ = false;
    held_.clear();
    view_->Navigate(address);
}

bool BrowserComposerView::canReuseTemplate(const QString& address) const {
    return view_->keepsBody() && view_->url() == ResAddress::fromAddress(address);
}

void BrowserComposerView::openTemplate(const QString& address) {
    if (canReuseTemplate(address)) {
        holding_ = true;
        held_ = BrowserView::restoreBodyScript() + QStringLiteral(";\n");
        return;
    }
    navigate(address);
    view_->keepBody(); // waits for the template, before anything fills it
}

void BrowserComposerView::flush() {
    if (!holding_)
        return;
    holding_ = false;
    view_->postScript(held_ + QStringLiteral("true"));
    held_.clear();
}

void BrowserComposerView::appendBody(const QString& markup) {
    if (!holding_) {
        view_->appendBodyHtml(markup);
        return;
    }
    holding_ = false;
    view_->postScript(held_ + BrowserView::appendBodyScript(markup));
    held_.clear();
}

void BrowserComposerView::waitUntilShown(int timeoutMs) {
    if (!holding_)
        view_->waitUntilShown(timeoutMs);
}

void BrowserComposerView::send(const QString& script) {
    if (holding_)
        held_ += script + QStringLiteral(";\n");
    else
        view_->postScript(script);
}

void BrowserComposerView::replaceInBody(const QString& find, const QString& replacement) {
    // Done in the page: the body is read and written back only when the
    // text is there, so a filled title costs one search, not a round trip
    // of the whole page.
    //
    // Writing the body out for that search is itself dear on a long page,
    // and the title is filled again after every portion.  Where `find` ends
    // in ">" and one more character (printable, caseless, written as
    // itself in markup), that character follows a tag, a
    // comment's or a literal text's ">": it stands in the body's text or a
    // comment, or, where the quotes of `find` allow, in an attribute's
    // value (a '"' written after anything but "=" closes a value, and a
    // value never holds one).  A body without it there is not written out.
    const QString script =
        QStringLiteral(
            "(function(find, replacement) {"
            "  var body = document.body; if (!body) return false;"
            "  var tail = find.charAt(find.length - 1);"
            "  var known = find.length >= 2 && find.charAt(find.length - 2) === '>'"
            "      && /^[!-~]$/.test(tail) && !/[A-Za-z&<>\"']/.test(tail)"
            "      && body.getElementsByTagName('template').length === 0;"
            "  if (known) {"
            "    var held = false;"
            "    var walker = document.createTreeWalker(body,"
            "        NodeFilter.SHOW_TEXT | NodeFilter.SHOW_COMMENT);"
            "    for (var node = walker.nextNode(); node && !held; node = walker.nextNode())"
            "      held = node.data.indexOf(tail) >= 0;"
            "    var quote = find.lastIndexOf('\"');"
            "    if (!held && (quote <= 0 || find.charAt(quote - 1) === '=')) {"
            "      var elements = body.getElementsByTagName('*');"
            "      for (var i = 0; i < elements.length && !held; ++i) {"
            "        var attributes = elements[i].attributes;"
            "        for (var k = 0; k < attributes.length && !held; ++k)"
            "          held = attributes[k].value.indexOf(tail) >= 0;"
            "      }"
            "    }"
            "    if (!held) return false;"
            "  }"
            "  var pattern = new RegExp(find.replace(/[.*+?^${}()|[\\]\\\\]/g, '\\\\$&'), 'gi');"
            "  var markup = body.innerHTML;"
            "  if (!pattern.test(markup)) return false;"
            "  body.innerHTML = markup.replace(pattern, function() { return replacement; });"
            "  return true;"
            "})(%1, %2)")
            .arg(PageScript::literal(find), PageScript::literal(replacement));
    send(script);
}

void BrowserComposerView::setOpening(const QString& basmala, bool englishShown) {
    // The template's two opening paragraphs, found by their ids; a page
    // without them is left as it is.
    const QString script =
        QStringLiteral("(function(basmala, englishShown) {"
                       "  var arabic = document.getElementById('basmala');"
                       "  if (arabic) {"
                       "    arabic.innerHTML = basmala;"
                       "    arabic.hidden = basmala === '';"
                       "  }"
                       "  var english = document.getElementById('opening');"
                       "  if (english) english.hidden = !englishShown;"
                       "  return true;"
                       "})(%1, %2)")
            .arg(PageScript::literal(basmala),
                 englishShown ? QStringLiteral("true") : QStringLiteral("false"));
    send(script);
}

void BrowserComposerView::setOpeningLine(const QString& markup, const QString& language) {
    // The template's own line is kept aside the first time, so that a later
    // sura in the built-in translation gets it back.
    const QString script =
        QStringLiteral("(function(markup, language, direction) {"
                       "  var line = document.getElementById('opening');"
                       "  if (!line) return false;"
                       "  if (line.dataset.own === undefined) line.dataset.own = line.innerHTML;"
                       "  line.innerHTML = markup === '' ? line.dataset.own : markup;"
                       "  if (markup === '' || language === '') {"
                       "    line.removeAttribute('lang');"
                       "    line.removeAttribute('dir');"
                       "  } else {"
                       "    line.lang = language;"
                       "    line.dir = direction;"
                       "  }"
                       "  return true;"
                       "})(%1, %2, %3)")
            .arg(PageScript::literal(markup), PageScript::literal(language),
                 PageScript::literal(TextLanguage::isRightToLeft(language)
                                         ? QStringLiteral("rtl")
                                         : QStringLiteral("ltr")));
    send(script);
}
