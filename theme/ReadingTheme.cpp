#include "ReadingTheme.h"

#include "PageScript.h"

namespace ReadingTheme {

namespace {

// The colours of one theme.  Every text colour stays 7:1 or more against
// the background it stands on.
struct Palette {
    const char* background;
    const char* text;      // the verse texts
    const char* secondary; // translations, the opening line, the basmala
    const char* accent;    // headings of the result and information pages, marks
    const char* highlight; // the words found
    const char* olive;     // the start page's verse
    const char* tab;       // the label under every verse, white on it
    const char* current;   // the label of the current verse, white on it
};

constexpr Palette kDay{"#FFFFFF", "#333333", "#4D4D4D", "#2A4D6E",
                       "#B00000", "#4F5A1F", "#2E4A62", "#1A4FA0"};
constexpr Palette kSepia{"#F4ECD8", "#3B2F1E", "#4A3B28", "#2A4560",
                         "#8B0000", "#3F4A1A", "#4A3B28", "#1A4FA0"};
constexpr Palette kNight{"#121212", "#E6E6E6", "#C8C8C8", "#9FC3E6",
                         "#FF8A80", "#B8C77A", "#2E4A62", "#1A4FA0"};

const Palette& paletteOf(Kind kind) {
    switch (kind) {
    case Kind::Sepia:
        return kSepia;
    case Kind::Night:
        return kNight;
    case Kind::Day:
        break;
    }
    return kDay;
}

// Rules for every page kind; the prefix outweighs the templates' own rules,
// whichever comes first.  The label keeps its tab as a solid block under
// its number (the picture under it would leave white text too faint).
QString rulesFor(const Palette& p) {
    const QString rules = QStringLiteral(R"CSS(
:root[data-reading-theme], :root[data-reading-theme] body { background-color: %1; }
:root[data-reading-theme] body { color: %2; }
:root[data-reading-theme] .main, :root[data-reading-theme] .Trans[dir=rtl] { color: %2; }
:root[data-reading-theme] .Trans, :root[data-reading-theme] .basmala,
:root[data-reading-theme] .style2 { color: %3; }
:root[data-reading-theme] .style6, :root[data-reading-theme] .top,
:root[data-reading-theme] .loading, :root[data-reading-theme] span.division-note { color: %4; }
:root[data-reading-theme] .Hilight { color: %5; }
:root[data-reading-theme] .verse, :root[data-reading-theme] .olive { color: %6; }
:root[data-reading-theme] p.A1 {
  color: #FFFFFF;
  background-image: linear-gradient(to right, %7 0px, %7 72px, transparent 72px);
}
@media screen {
  :root[data-reading-theme] p.A1[aria-current] { background-color: %8; background-image: none; }
}
)CSS");
    return rules.arg(QLatin1String(p.background), QLatin1String(p.text), QLatin1String(p.secondary),
                     QLatin1String(p.accent), QLatin1String(p.highlight), QLatin1String(p.olive),
                     QLatin1String(p.tab), QLatin1String(p.current));
}

const char kApply[] = R"JS(
(function (theme, sheet) {
  var root = document.documentElement;
  if (!root) return false;
  root.setAttribute('data-reading-theme', theme);
  var style = document.getElementById('miravel-reading-theme');
  if (!style) {
    style = document.createElement('style');
    style.id = 'miravel-reading-theme';
    (document.head || root).appendChild(style);
  }
  style.textContent = sheet;
  return true;
})(%1, %2)
)JS";

} // namespace

QList<Kind> all() {
    return {Kind::Day, Kind::Sepia, Kind::Night};
}

QString name(Kind kind) {
    switch (kind) {
    case Kind::Sepia:
        return QStringLiteral("Sepia");
    case Kind::Night:
        return QStringLiteral("Night");
    case Kind::Day:
        break;
    }
    return QStringLiteral("Day");
}

Kind fromName(const QString& text) {
    for (const Kind kind : all()) {
        if (text.trimmed().compare(name(kind), Qt::CaseInsensitive) == 0)
            return kind;
    }
    return Kind::Day;
}

QString styleSheet(Kind kind) {
    // Paper is always Day; the screen shows the theme.
    QString sheet = rulesFor(kDay);
    if (kind != Kind::Day) {
        sheet +=
            QStringLiteral("@media screen {\n") + rulesFor(paletteOf(kind)) + QStringLiteral("}\n");
    }
    // At night the scroll bars are dark too, the dotted separators and the
    // rule between verses (pictures on white) are turned to light on dark.
    if (kind == Kind::Night)
        sheet += QStringLiteral("@media screen {\n"
                                ":root[data-reading-theme] { color-scheme: dark; }\n"
                                // The results' heading stands on its light picture.
                                ":root[data-reading-theme] .top { color: #1F3F5F; }\n"
                                ":root[data-reading-theme] p.Trans img, :root[data-reading-theme] "
                                "p.tE img { filter: invert(1) hue-rotate(180deg); }\n"
                                "}\n");
    return sheet;
}

QString applyScript(Kind kind) {
    return QString::fromLatin1(kApply).arg(PageScript::literal(name(kind)),
                                           PageScript::literal(styleSheet(kind)));
}

PanelColours panelColours(Kind kind) {
    switch (kind) {
    case Kind::Sepia:
        return {QColor(0xF4ECD8), QColor(0x3B2F1E), QColor(0xE8DCC0), QColor(0x3B2F1E)};
    case Kind::Night:
        return {QColor(0x1E1E1E), QColor(0xE6E6E6), QColor(0x2A2A2A), QColor(0xE6E6E6)};
    case Kind::Day:
        break;
    }
    return {};
}

} // namespace ReadingTheme
