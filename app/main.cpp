// Miravel: a reader for the Qur'an.
#include "frmMain.h"
#include "frmSplash.h"
#include "ResScheme.h"

#include <QApplication>
#include <QPointer>

int main(int argc, char* argv[]) {
    prepareBrowserEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Miravel"));
    QApplication::setOrganizationName(QStringLiteral("Talvesk"));

    QPointer<frmMain> main;
    auto* splash = new frmSplash;
    QObject::connect(splash, &frmSplash::closed, [&main] {
        main = new frmMain;
        main->setAttribute(Qt::WA_DeleteOnClose);
        main->show();
        main->Form_Load();
    });
    splash->show();
    return QApplication::exec();
}
