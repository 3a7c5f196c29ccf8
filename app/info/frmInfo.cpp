#include "frmInfo.h"

#include "AppContext.h"
#include "BrowserView.h"
#include "GuiStrings.h"
#include "QuranReader.h"
#include "StoredZoom.h"
#include "SuraTree.h"
#include "ucGradContainer.h"

#include <QFrame>
#include <QPushButton>
#include <QShortcut>

namespace {

constexpr int kTwipsPerPixel = 15;
// The view sits 30 twips up and left inside its frame, so that its own
// border is clipped.
constexpr int kViewInset = -30;
constexpr int kMargin = 10;
constexpr int kHeaderHeight = 25;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 26;
constexpr int kInfoTheme = 3;

QPushButton* captionedButton(const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setAccessibleName(GuiStrings::spoken(caption));
    return button;
}

} // namespace

frmInfo::frmInfo(AppContext& context, QWidget* parent) : QDialog(parent) {
    resize(720, 560);
    ucGradContainer1 = new ucGradContainer(this);
    Frame1 = new QFrame(ucGradContainer1);
    Frame1->setFrameShape(QFrame::NoFrame);
    WebBrowser1 = new BrowserView(Frame1);
    WebBrowser1->setAccessibleName(QStringLiteral("Information"));
    zoom = StoredZoom::attach(WebBrowser1, context.settings());
    cmdClose = captionedButton(QString(), ucGradContainer1);
    cmdPrint = captionedButton(QString(), ucGradContainer1);
    connect(cmdClose, &QPushButton::clicked, this, &frmInfo::cmdClose_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmInfo::cmdPrint_Click);
    // Tab walks the buttons as they stand, Print left of Close.
    setTabOrder(WebBrowser1, cmdPrint);
    setTabOrder(cmdPrint, cmdClose);
    // The page keeps the keys it is given, Escape among them: as a shortcut
    // Escape closes the window wherever the focus is.
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &QDialog::reject);
    Form_Load(context.strings());
}

void frmInfo::Form_Load(const GuiStrings& strings) {
    ucGradContainer1->setCaption(GuiStrings::information());
    const QString close = strings.text(244);
    const QString print = strings.text(246);
    cmdClose->setText(close);
    cmdClose->setAccessibleName(GuiStrings::spoken(close));
    cmdPrint->setText(print);
    cmdPrint->setAccessibleName(GuiStrings::spoken(print));
    setWindowTitle(QStringLiteral("Results"));
    ucGradContainer1->setTheme(kInfoTheme);
    placeControls();
}

void frmInfo::placeControls() {
    ucGradContainer1->setGeometry(0, 0, width(), height());
    const int buttonTop = height() - kMargin - kButtonHeight;
    const int frameTop = kHeaderHeight + kMargin;
    Frame1->setGeometry(kMargin, frameTop, qMax(0, width() - 2 * kMargin),
                        qMax(0, buttonTop - kMargin - frameTop));
    const int inset = kViewInset / kTwipsPerPixel;
    WebBrowser1->setGeometry(inset, inset, Frame1->width() - 2 * inset,
                             Frame1->height() - 2 * inset);
    cmdClose->setGeometry(width() - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
    cmdPrint->setGeometry(cmdClose->x() - kMargin - kButtonWidth, buttonTop, kButtonWidth,
                          kButtonHeight);
}

void frmInfo::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeControls();
}

void frmInfo::showPage(const QString& pageName, const QString& markup) {
    QuranReader::showOwnPage(WebBrowser1, pageName, markup);
}

void frmInfo::cmdClose_Click() {
    close();
}

void frmInfo::cmdPrint_Click() {
    // The platform's print dialog for the page shown.
    WebBrowser1->ExecWB(6, 0);
}
