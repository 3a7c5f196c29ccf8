// Miravel: a reader for the Qur'an.
#include "ResScheme.h"
#include "StartUp.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    prepareBrowserEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Miravel"));
    QApplication::setOrganizationName(QStringLiteral("Talvesk"));
    // The installed desktop entry and icon carry the same name.
    QApplication::setDesktopFileName(QStringLiteral("org.talvesk.Miravel"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.talvesk.Miravel")));
    StartUp startUp;
    startUp.begin();
    return QApplication::exec();
}
