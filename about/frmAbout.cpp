#include "frmAbout.h"

#include "AboutLinks.h"
#include "LinkLabel.h"
#include "MiravelVersion.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

frmAbout::frmAbout(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(359, 284);

    lblVersion = new QLabel(this);
    lblVersion->move(136, 130);
    lblVersion->setAttribute(Qt::WA_TranslucentBackground);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setGeometry(292, 216, 62, 23);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);

    lblDisclaimer = new QLabel(AboutLinks::kNotice, this);
    lblDisclaimer->setGeometry(136, 148, 206, 17);
    QPalette black = lblDisclaimer->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    lblDisclaimer->setPalette(black);

    Label2 = new LinkLabel(AboutLinks::kNetworkSite, this);
    Label2->setGeometry(140, 168, 189, 17);
    Label3 = new LinkLabel(AboutLinks::kWebSite, this);
    Label3->setGeometry(140, 182, 181, 17);
    Label4 = new LinkLabel(AboutLinks::kContactPage, this);
    Label4->setGeometry(120, 220, 159, 17);

    // Below the buttons, on the white: the credit the Arabic text's licence
    // asks for, linking to its source.
    lblCredits = new LinkLabel(AboutLinks::kCredits, this);
    lblCredits->setTarget(AboutLinks::kCreditsLink);
    lblCredits->setGeometry(108, 240, 248, 20);
    lblCredits->setWordWrap(true);
    QFont small = lblCredits->font();
    small.setPointSizeF(6.5);
    small.setUnderline(false);
    lblCredits->setFont(small);
    lblCredits->setToolTip(AboutLinks::kCreditsLink);
    lblRecitation = new QLabel(AboutLinks::kRecitation, this);
    lblRecitation->setGeometry(108, 260, 248, 22);
    lblRecitation->setWordWrap(true);
    lblRecitation->setFont(small);
    lblRecitation->setPalette(black);

    setTabOrder(cmdOK, Label2);
    setTabOrder(Label2, Label3);
    setTabOrder(Label3, Label4);
    setTabOrder(Label4, lblCredits);
    Form_Load();
}

QString frmAbout::versionText() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(kMiravelVersionMajor)
        .arg(kMiravelVersionMinor)
        .arg(kMiravelVersionPatch);
}

void frmAbout::Form_Load() {
    setWindowTitle(QStringLiteral("About ") + QStringLiteral("Miravel"));
    lblVersion->setText(versionText());
    lblVersion->adjustSize();
}

void frmAbout::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawPixmap(0, 0, QPixmap(QStringLiteral(":/ui/about.png")));
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(106, 202, 362, 202);
}
