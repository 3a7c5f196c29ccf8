#include "InstallTranslations.h"

#include "AppContext.h"
#include "CommandIds.h"
#include "SubsystemHost.h"
#include "TranslationCommands.h"
#include "TranslationsCommandIds.h"

#include <QPointer>

void installTranslations(SubsystemHost& host) {
    using namespace TranslationsCommandId;
    CommandTable& commands = host.context.commands();
    // After the favourites (File, place 2), before Print.
    commands.addRow(CommandRow::item(CommandId::FilePopup, 2, AddTranslation,
                                     CommandCaption::text(QStringLiteral("A&dd translation...")),
                                     true));
    commands.addRow(
        CommandRow::item(CommandId::FilePopup, 2, RemoveTranslation,
                         CommandCaption::text(QStringLiteral("Re&move translation..."))));
    const QPointer<TranslationCommands> translations =
        new TranslationCommands(host.context, host.reader, host.mainWindow);
    commands.setHandler(AddTranslation, [translations](CommandBarControl*) {
        if (translations)
            translations->addTranslation();
    });
    commands.setHandler(RemoveTranslation, [translations](CommandBarControl*) {
        if (translations)
            translations->removeTranslation();
    });
}
