#include "InstallMushaf.h"

#include "AppContext.h"
#include "ArabicScripts.h"
#include "CommandBars.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "MushafCommandIds.h"
#include "QuranReader.h"
#include "ReadingView.h"
#include "SubsystemHost.h"

#include <QPointer>

namespace {

// After the reading themes in View.
constexpr int kMenuPlace = 11;

int idOf(const QString& script) {
    return ArabicScripts::isUthmani(script) ? MushafCommandId::Uthmani : MushafCommandId::Simple;
}

void addRows(CommandTable& table) {
    CommandRow popup =
        CommandRow::popup(MushafCommandId::ScriptPopup,
                          CommandCaption::text(QStringLiteral("Arabic &Script")), kMenuPlace);
    popup.menuParent = CommandId::ViewPopup;
    popup.menuGroup = true;
    table.addRow(popup);
    CommandRow uthmani =
        CommandRow::item(MushafCommandId::ScriptPopup, 1, MushafCommandId::Uthmani,
                         CommandCaption::text(QStringLiteral("&Uthmani (as the printed mushaf)")));
    table.addRow(uthmani.asToggle());
    CommandRow simple = CommandRow::item(MushafCommandId::ScriptPopup, 2, MushafCommandId::Simple,
                                         CommandCaption::text(QStringLiteral("&Simple")));
    table.addRow(simple.asToggle());
    CommandRow marks =
        CommandRow::item(CommandId::ViewPopup, kMenuPlace + 1, MushafCommandId::VerseEndMarks,
                         CommandCaption::text(QStringLiteral("Verse &End Marks")));
    table.addRow(marks.asToggle());
}

class Mushaf : public QObject {
public:
    explicit Mushaf(SubsystemHost& host)
        : QObject(host.mainWindow), settings_(host.context.settings()), reader_(host.reader),
          view_(host.view) {
        CommandTable& commands = host.context.commands();
        addRows(commands);
        // The command table outlives the window (a test opens another on the
        // same context): the handler of a window gone does nothing.
        for (const QString& script : ArabicScripts::all()) {
            commands.setHandler(idOf(script),
                                [self = QPointer<Mushaf>(this), script](CommandBarControl*) {
                                    if (!self)
                                        return;
                                    self->settings_.save(Setting::ArabicScript, script);
                                    self->showChecks(); // also when it could not be stored
                                });
        }
        commands.setHandler(MushafCommandId::VerseEndMarks, [self = QPointer<Mushaf>(this)](
                                                                CommandBarControl*) {
            if (!self)
                return;
            self->settings_.save(Setting::VerseEndMarks,
                                 self->endMarksShown() ? QStringLiteral("0") : QStringLiteral("1"));
            self->showChecks();
        });
        commands.addMenuExtender([self = QPointer<Mushaf>(this)](CommandBars* bars) {
            if (!self)
                return;
            self->bars_ = bars;
            self->showChecks();
        });
        connect(&settings_, &Settings::valueChanged, this,
                [this](const QString& section, const QString& name) {
                    if (Settings::isKey(Setting::ArabicScript, section, name) ||
                        Settings::isKey(Setting::VerseEndMarks, section, name)) {
                        showChecks();
                        showAgain();
                    }
                });
    }

private:
    bool endMarksShown() const {
        return settings_.text(Setting::VerseEndMarks) != QLatin1String("0");
    }

    void showChecks() {
        if (!bars_)
            return;
        const int chosen = idOf(settings_.text(Setting::ArabicScript));
        for (const int id : {int(MushafCommandId::Uthmani), int(MushafCommandId::Simple)}) {
            if (CommandBarControl* item = bars_->ActiveMenuBar()->FindControl(id))
                item->setChecked(id == chosen);
        }
        if (CommandBarControl* item =
                bars_->ActiveMenuBar()->FindControl(MushafCommandId::VerseEndMarks))
            item->setChecked(endMarksShown());
    }

    // The sura on screen, composed again with the verse that was at the top
    // of the view at the top again, and the current verse kept.
    void showAgain() {
        const auto top = reader_.placeOnScreen();
        if (!top)
            return;
        const auto current = view_.currentVerse();
        reader_.CancelDisplay() = false;
        reader_.showPlace(*top);
        if (current && current->sura == top->sura)
            view_.setCurrentVerse(current);
    }

    Settings& settings_;
    QuranReader& reader_;
    ReadingView& view_;
    QPointer<CommandBars> bars_;
};

} // namespace

void installMushaf(SubsystemHost& host) {
    new Mushaf(host);
}
