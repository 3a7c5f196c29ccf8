#include "ShowInfo.h"

#include "AppContext.h"
#include "BrowserView.h"
#include "ChapterInfoPage.h"
#include "CommandIds.h"
#include "frmInfo.h"
#include "QuranReader.h"
#include "ResReader.h"
#include "SubsystemHost.h"
#include "SuraTree.h"
#include "ucGradContainer.h"

#include <QPointer>

bool ShowInfo(AppContext& context, const QString& argument, QWidget* parent) {
    ResReader reader;
    reader.LoadLibrary(context.settings().values().ArabicLibraryFile);
    const auto body = ChapterInfoPage::bodyFor(reader, argument);
    if (!body)
        return false;
    frmInfo info(context, parent);
    info.showPage(QStringLiteral("INFO.HTML"), *body);
    info.ucGradContainer1->setCaption(GuiStrings::information());
    info.exec();
    return true;
}

void installChapterInformation(SubsystemHost& host) {
    AppContext& context = host.context;
    QuranReader& reader = host.reader;
    QPointer<QWidget> mainWindow = host.mainWindow;
    context.commands().setHandler(
        CommandId::Information, [&context, &reader, mainWindow](CommandBarControl*) {
            const SuraTree* tree = reader.tree();
            const QString key = tree ? SuraTree::keyOf(tree->selectedNode()) : QString();
            // The site node ("Main") and no selection name no chapter.
            ShowInfo(context, key.mid(1), mainWindow);
        });
}
