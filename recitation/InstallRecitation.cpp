#include "InstallRecitation.h"

#include "AppContext.h"
#include "CommandBars.h"
#include "ReadingView.h"
#include "RecitationCommandIds.h"
#include "RecitationCommands.h"
#include "SubsystemHost.h"

#include <QPointer>

void addRecitationCommands(CommandTable& table) {
    using namespace RecitationCommandId;
    using C = CommandCaption;
    const auto add = [&table](const CommandRow& row) { table.addRow(row); };
    add(CommandRow::popup(RecitationPopup, C::text(QStringLiteral("&Recitation")), 5));
    struct Entry {
        int id;
        const char* menu;
        const char* button;
        const char* icon;
        Qt::Key key;
    };
    // In the menu in this order; on the toolbar as the media keys stand.
    // The icon themes of some desktops name these pictures only with
    // "-symbolic": the program's own (icons/icon-<id>.png) stand in.
    const Entry entries[] = {
        {Play, "&Play from the current verse", "Play", "media-playback-start", Qt::Key_F5},
        {Pause, "P&ause or resume", "Pause", "media-playback-pause", Qt::Key_F6},
        {Stop, "&Stop", "Stop", "media-playback-stop", Qt::Key_F7},
        {PreviousVerse, "Pre&vious verse", "Previous verse", "media-skip-backward", Qt::Key_F8},
        {NextVerse, "&Next verse", "Next verse", "media-skip-forward", Qt::Key_F9},
    };
    int order = 0;
    for (const Entry& entry : entries) {
        ++order;
        CommandRow row =
            CommandRow::item(RecitationPopup, order, entry.id,
                             C::text(QString::fromLatin1(entry.menu)), false, entry.key);
        add(row.onToolbar(20 + order, C::text(QString::fromLatin1(entry.button)), order == 1)
                .withIcon(QString::fromLatin1(entry.icon)));
    }
    add(CommandRow::item(RecitationPopup, order + 1, RecitationSettings,
                         C::text(QStringLiteral("Recitation se&ttings...")), true));
}

RecitationCommands* installRecitation(SubsystemHost& host) {
    using namespace RecitationCommandId;
    CommandTable& commands = host.context.commands();
    addRecitationCommands(commands);
    QPointer<RecitationCommands> recitation =
        new RecitationCommands(host.context, host.reader, host.view, host.mainWindow);
    const auto handle = [&commands, recitation](int id, auto act) {
        commands.setHandler(id, [recitation, act](CommandBarControl*) {
            if (recitation)
                act(*recitation);
        });
    };
    handle(Play, [](RecitationCommands& r) { r.playFromCurrent(); });
    handle(Pause, [](RecitationCommands& r) { r.togglePause(); });
    handle(Stop, [](RecitationCommands& r) { r.stop(); });
    handle(NextVerse, [](RecitationCommands& r) { r.step(+1); });
    handle(PreviousVerse, [](RecitationCommands& r) { r.step(-1); });
    handle(RecitationSettings, [](RecitationCommands& r) { r.openSettings(); });
    host.view.addVerseAction(QStringLiteral("Play from this verse"),
                             [recitation](const VersePlace& verse) {
                                 if (recitation)
                                     recitation->playFrom(verse);
                             });
    return recitation;
}
