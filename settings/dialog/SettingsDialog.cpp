#include "SettingsDialog.h"

#include "AppContext.h"
#include "CommandBars.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "frmLangSettings.h"
#include "QuranReader.h"
#include "SettingsCommandIds.h"
#include "SubsystemHost.h"

#include <QPointer>

#include <memory>

namespace {

// The last item of the popup "Go", and a button of the toolbar.
void addSettingsRow(CommandTable& table) {
    CommandRow settings = CommandRow::item(CommandId::GoPopup, 5, SettingsCommandId::Settings,
                                           CommandCaption::gui(217));
    table.addRow(settings.onToolbar(7, {}).withIcon(QStringLiteral("preferences-system")));
}

} // namespace

void installSettingsDialog(SubsystemHost& host) {
    AppContext& context = host.context;
    addSettingsRow(context.commands());
    QuranReader& reader = host.reader;
    QWidget* owner = host.mainWindow;
    // The one window; it goes when closed without OK and stays, hidden,
    // after OK.
    auto window = std::make_shared<QPointer<frmLangSettings>>();
    context.commands().setHandler(
        SettingsCommandId::Settings, [&context, &reader, owner, window](CommandBarControl*) {
            frmLangSettings* dialog = *window;
            if (!dialog) {
                dialog = new frmLangSettings(context, owner);
                dialog->setAttribute(Qt::WA_DeleteOnClose);
                QObject::connect(dialog, &frmLangSettings::confirmed, &reader,
                                 [&reader] { showConfirmedSettings(reader); });
                *window = dialog;
            } else if (dialog->isHidden()) {
                // Kept from an earlier OK: the toolbar may have changed the
                // display order since.
                dialog->reload();
            }
            dialog->show();
            dialog->raise();
            dialog->activateWindow();
        });
}

void showConfirmedSettings(QuranReader& reader) {
    if (const int sura = reader.selectedSura(); sura > 0) {
        reader.CancelDisplay() = false;
        reader.showSura(sura);
    }
}
