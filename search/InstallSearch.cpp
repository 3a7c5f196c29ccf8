#include "InstallSearch.h"

#include "AppContext.h"
#include "CommandIds.h"
#include "frmFind.h"
#include "SubsystemHost.h"

#include <QPointer>

void installSearch(SubsystemHost& host) {
    AppContext& context = host.context;
    QuranReader& reader = host.reader;
    QPointer<QWidget> mainWindow = host.mainWindow;
    auto window = std::make_shared<QPointer<frmFind>>();
    context.commands().setHandler(CommandId::Search,
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
