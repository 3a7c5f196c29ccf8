#include "HelpFile.h"

#include "ResReader.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

QString HelpFile::path() {
    return ResReader::programDirectory() + QStringLiteral("/help.chm");
}

QString HelpFile::open(const Shell& shell, const OpenerInstalled& openerInstalled,
                       const QString& filePath) {
    const QString shown = QDir::toNativeSeparators(filePath);
    // The shell would start a viewer only to fail on a file that is not there.
    if (!QFileInfo(filePath).isFile())
        return QStringLiteral("The help file cannot be found:\n%1\n\n"
                              "Reinstall Miravel to restore it.")
            .arg(shown);
    if (shell(QUrl::fromLocalFile(filePath).toString()))
        return {};
    // Without the opener no viewer is ever asked, however many are installed.
    if (openerInstalled && !openerInstalled())
        return QStringLiteral("The help file cannot be opened, because the program xdg-open, "
                              "which starts the desktop's viewer for it, is not installed:\n%1\n\n"
                              "Install it (Debian package xdg-utils) and press F1 again.")
            .arg(shown);
    return QStringLiteral("The help file cannot be opened, because no program to show "
                          "CHM help files is set up on this computer:\n%1\n\n"
                          "Install a CHM viewer (for example xCHM, Debian package xchm) "
                          "and press F1 again.")
        .arg(shown);
}

void HelpFile::tellReader(QWidget* owner, const QString& problem) {
    if (!problem.isEmpty())
        QMessageBox::warning(owner, QStringLiteral("Miravel"), problem);
}
