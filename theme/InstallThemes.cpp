#include "InstallThemes.h"

#include "AppContext.h"
#include "BrowserProfile.h"
#include "CommandBars.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "PageThemes.h"
#include "QuranReader.h"
#include "SubsystemHost.h"
#include "ThemeCommandIds.h"

#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineProfile>

namespace {

int idOf(ReadingTheme::Kind kind) {
    return ThemeCommandId::Day + int(kind);
}

// After the library toggles in View.
constexpr int kMenuPlace = 10;

void addThemeRows(CommandTable& table) {
    CommandRow popup =
        CommandRow::popup(ThemeCommandId::ThemePopup,
                          CommandCaption::text(QStringLiteral("Reading &Theme")), kMenuPlace);
    popup.menuParent = CommandId::ViewPopup;
    popup.menuGroup = true;
    table.addRow(popup);
    int place = 1;
    for (const ReadingTheme::Kind kind : ReadingTheme::all()) {
        CommandRow row =
            CommandRow::item(ThemeCommandId::ThemePopup, place++, idOf(kind),
                             CommandCaption::text(QLatin1Char('&') + ReadingTheme::name(kind)));
        table.addRow(row.asToggle());
    }
}

// The theme of the main window: stored, shown in View, put on the pages.
class Themes : public QObject {
public:
    explicit Themes(SubsystemHost& host)
        : QObject(host.mainWindow), settings_(host.context.settings()), window_(host.mainWindow),
          profile_(host.reader.view()->page()->profile()) {
        CommandTable& commands = host.context.commands();
        addThemeRows(commands);
        for (const ReadingTheme::Kind kind : ReadingTheme::all()) {
            // The command table outlives the window (a test opens another
            // on the same context): the handler of a window gone does nothing.
            commands.setHandler(idOf(kind),
                                [self = QPointer<Themes>(this), kind](CommandBarControl*) {
                                    if (!self)
                                        return;
                                    self->settings_.save(Setting::Theme, ReadingTheme::name(kind));
                                    self->showChecks(); // also when the store could not write it
                                });
        }
        commands.addMenuExtender([self = QPointer<Themes>(this)](CommandBars* bars) {
            if (!self)
                return;
            self->bars_ = bars;
            self->showChecks();
        });
        connect(&settings_, &Settings::valueChanged, this,
                [this](const QString& section, const QString& name) {
                    if (Settings::isKey(Setting::Theme, section, name))
                        apply(true);
                });
        apply(false);
    }

private:
    ReadingTheme::Kind stored() const {
        return ReadingTheme::fromName(settings_.text(Setting::Theme));
    }

    void apply(bool restyleShownPages) {
        const ReadingTheme::Kind kind = stored();
        PageThemes::apply(kind, profile_, restyleShownPages);
        PageThemes::colourPanels(kind, window_);
        showChecks();
    }

    void showChecks() {
        if (!bars_)
            return;
        const ReadingTheme::Kind current = stored();
        for (const ReadingTheme::Kind kind : ReadingTheme::all()) {
            if (CommandBarControl* item = bars_->ActiveMenuBar()->FindControl(idOf(kind)))
                item->setChecked(kind == current);
        }
    }

    Settings& settings_;
    QPointer<QWidget> window_;
    QPointer<QWebEngineProfile> profile_;
    QPointer<CommandBars> bars_;
};

} // namespace

void installThemes(SubsystemHost& host) {
    new Themes(host);
}
