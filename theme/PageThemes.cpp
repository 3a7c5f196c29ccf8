#include "PageThemes.h"

#include "BrowserView.h"

#include <QApplication>
#include <QPalette>
#include <QSet>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWidget>

namespace {

const QString kScriptName = QStringLiteral("miravel-reading-theme");

// The script runs once the document is parsed, before it is shown, in the
// application's world (the pages' own script is off); the body's markup
// may be replaced afterwards, the sheet in the head stays.
void install(QWebEngineProfile* profile, ReadingTheme::Kind kind) {
    QWebEngineScriptCollection* scripts = profile->scripts();
    for (const QWebEngineScript& old : scripts->find(kScriptName))
        scripts->remove(old);
    QWebEngineScript script;
    script.setName(kScriptName);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentReady);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(ReadingTheme::applyScript(kind));
    scripts->insert(script);
}

QColor backgroundOf(ReadingTheme::Kind kind) {
    switch (kind) {
    case ReadingTheme::Kind::Sepia:
        return QColor(0xF4, 0xEC, 0xD8);
    case ReadingTheme::Kind::Night:
        return QColor(0x12, 0x12, 0x12);
    case ReadingTheme::Kind::Day:
        break;
    }
    return Qt::white;
}

} // namespace

namespace PageThemes {

void apply(ReadingTheme::Kind kind, QWebEngineProfile* profile, bool restyleShownPages) {
    QSet<QWebEngineProfile*> profiles;
    if (profile)
        profiles.insert(profile);
    const QList<QWidget*> widgets = QApplication::allWidgets();
    for (QWidget* widget : widgets) {
        auto* view = qobject_cast<BrowserView*>(widget);
        if (!view || !view->page())
            continue;
        profiles.insert(view->page()->profile());
        // Before a page is drawn, the view shows this colour: no white
        // flash between the pages of a night.
        view->page()->setBackgroundColor(backgroundOf(kind));
        if (restyleShownPages)
            view->page()->runJavaScript(ReadingTheme::applyScript(kind),
                                        QWebEngineScript::ApplicationWorld);
    }
    for (QWebEngineProfile* each : profiles)
        install(each, kind);
}

void colourPanels(ReadingTheme::Kind kind, QWidget* window) {
    if (!window)
        return;
    if (kind == ReadingTheme::Kind::Day) {
        window->setPalette(QPalette());
        return;
    }
    const ReadingTheme::PanelColours colours = ReadingTheme::panelColours(kind);
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Base, colours.base);
    palette.setColor(QPalette::AlternateBase, colours.window);
    palette.setColor(QPalette::Text, colours.text);
    palette.setColor(QPalette::Window, colours.window);
    palette.setColor(QPalette::WindowText, colours.windowText);
    palette.setColor(QPalette::Button, colours.window);
    palette.setColor(QPalette::ButtonText, colours.windowText);
    window->setPalette(palette);
}

} // namespace PageThemes
