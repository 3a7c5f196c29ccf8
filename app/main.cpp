// Miravel: a reader for the Qur'an.
#include "ResScheme.h"
#include "StartUp.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    prepareBrowserEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Miravel"));
    QApplication::setOrganizationName(QStringLiteral("Talvesk"));
    StartUp startUp;
    startUp.begin();
    return QApplication::exec();
}
