#include "PagePlace.h"

#include "BrowserView.h"
#include "OffscreenLayout.h"
#include "PageScript.h"

namespace {

const char kFirstFromTop[] = R"JS(
(function (selector) {
    var markers = document.querySelectorAll(selector);
    for (var i = 0; i < markers.length; ++i) {
        var box = markers[i].getBoundingClientRect();
        if (box.height > 0 && box.top >= 0)
            return markers[i].textContent;
    }
    // Scrolled past the last marker: its block is the nearest.
    return markers.length ? markers[markers.length - 1].textContent : null;
})(%1)
)JS";

const char kBlockToTop[] = R"JS(
(function (selector, text) {
    var markers = document.querySelectorAll(selector);
    for (var i = 0; i < markers.length; ++i) {
        if (markers[i].textContent.trim() !== text)
            continue;
        try { layOutAround(markers[i]); } catch (e) {}
        if (i === 0) {
            window.scrollTo(window.scrollX, 0);
        } else {
            // Whole pixels: the marker before must end at or above the top.
            var before = markers[i - 1].getBoundingClientRect();
            window.scrollTo(window.scrollX, Math.ceil(window.scrollY + before.bottom));
        }
        return true;
    }
    return false;
})(%1, %2)
)JS";

} // namespace

namespace PagePlace {

std::optional<QString> firstMarkerFromTop(BrowserView& view, const QString& selector) {
    const auto answer =
        view.runScript(QString::fromLatin1(kFirstFromTop).arg(PageScript::literal(selector)));
    if (!answer || answer->isNull() || !answer->isValid())
        return std::nullopt;
    return answer->toString();
}

bool scrollBlockToTop(BrowserView& view, const QString& selector, const QString& markerText) {
    const auto answer = view.runScript(
        (QLatin1String(OffscreenLayout::kLayOutAround) + QLatin1String(kBlockToTop))
            .arg(PageScript::literal(selector), PageScript::literal(markerText.trimmed())));
    return answer && answer->toBool();
}

} // namespace PagePlace
