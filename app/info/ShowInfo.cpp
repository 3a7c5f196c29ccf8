#include "ShowInfo.h"

#include "AppContext.h"
#include "BrowserView.h"
#include "ChapterInfoPage.h"
#include "CommandBars.h"
#include "CommandTable.h"
#include "frmInfo.h"
#include "GuiStrings.h"
#include "InfoCommandIds.h"
#include "QuranReader.h"
#include "SubsystemHost.h"
#include "ucGradContainer.h"
#include "UserLibraries.h"

#include <QPointer>

bool ShowInfo(AppContext& context, const QString& argument, QWidget* parent) {
    auto body = ChapterInfoPage::bodyFor(context.library(1), argument);
    if (!body)
        return false;
    // A translation the reader added brings its translator's terms along.
    if (ChapterInfoPage::isIntroduction(argument)) {
        for (const int code : {2, 3}) {
            if (UserLibraries::isUserLibrary(context.libraryFile(code)))
                *body += ChapterInfoPage::addedTranslationNotice(context.library(code));
        }
    }
    frmInfo info(context, parent);
    info.showPage(QStringLiteral("INFO.HTML"), *body);
    info.ucGradContainer1->setCaption(GuiStrings::information());
    info.exec();
    return true;
}

namespace {

void addInformationRows(CommandTable& table) {
    using C = CommandCaption;
    table.addRow(CommandRow::popup(InfoCommandId::InformationPopup, C::gui(206), 3));
    CommandRow information =
        CommandRow::item(InfoCommandId::InformationPopup, 1, InfoCommandId::Information,
                         C::text(GuiStrings::information()));
    table.addRow(information.onToolbar(5, {}).withIcon(QStringLiteral("dialog-information")));
}

} // namespace

void installChapterInformation(SubsystemHost& host) {
    AppContext& context = host.context;
    addInformationRows(context.commands());
    QuranReader& reader = host.reader;
    QPointer<QWidget> mainWindow = host.mainWindow;
    context.commands().setHandler(
        InfoCommandId::Information, [&context, &reader, mainWindow](CommandBarControl*) {
            // The site node ("Main") and no selection name no chapter.
            ShowInfo(context, reader.selectedEntryKey().mid(1), mainWindow);
        });
}
