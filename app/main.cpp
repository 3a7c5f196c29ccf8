// Miravel: a reader for the Qur'an.
#include "ResScheme.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[]) {
    prepareBrowserEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Miravel"));
    QApplication::setOrganizationName(QStringLiteral("Talvesk"));

    // The main window lives for the whole run; it is not deleted on close,
    // since closing may happen while one of its pages is being composed.
    std::unique_ptr<frmMain> main;
    auto* splash = new frmSplash;
    QObject::connect(splash, &frmSplash::closed, [&main] {
        main = std::make_unique<frmMain>();
        main->show();
        main->Form_Load();
    });
    splash->show();
    return QApplication::exec();
}
