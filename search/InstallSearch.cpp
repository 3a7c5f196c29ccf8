#include "InstallSearch.h"

#include "AppContext.h"
#include "CommandBars.h"
#include "frmFind.h"
#include "GuiStrings.h"
#include "SearchCommandIds.h"
#include "SubsystemHost.h"

#include <QPointer>

namespace {

void addSearchRows(CommandTable& table) {
    using C = CommandCaption;
    table.addRow(CommandRow::popup(SearchCommandId::SearchPopup, C::gui(204), 2));
    CommandRow search = CommandRow::item(SearchCommandId::SearchPopup, 1, SearchCommandId::Search,
                                         C::gui(205), false, QKeySequence::Find);
    table.addRow(search.onToolbar(4, C::text(QStringLiteral("&Search")), true)
                     .withIcon(QStringLiteral("edit-find")));
}

} // namespace

void installSearch(SubsystemHost& host) {
    AppContext& context = host.context;
    addSearchRows(context.commands());
    QuranReader& reader = host.reader;
    QPointer<QWidget> mainWindow = host.mainWindow;
    auto window = std::make_shared<QPointer<frmFind>>();
    context.commands().setHandler(SearchCommandId::Search,
                                  [&context, &reader, mainWindow, window](CommandBarControl*) {
                                      if (!*window) {
                                          *window = new frmFind(context, reader, mainWindow);
                                          (*window)->setAttribute(Qt::WA_DeleteOnClose);
                                      }
                                      frmFind* find = *window;
                                      find->showNormal();
                                      find->raise();
                                      find->activateWindow();
                                  });
}
