#include "frmMain.h"

#include "AppContext.h"
#include "BrowserView.h"
#include "CommandBars.h"
#include "CommandIds.h"
#include "DisplayOrder.h"
#include "frmAbout.h"
#include "HelpFile.h"
#include "InstallBookmarks.h"
#include "InstallDivisions.h"
#include "InstallMushaf.h"
#include "InstallRecitation.h"
#include "InstallSearch.h"
#include "InstallThemes.h"
#include "InstallTranslations.h"
#include "MainCommands.h"
#include "PageRecovery.h"
#include "QuranReader.h"
#include "ReadingView.h"
#include "SettingsDialog.h"
#include "SettingsModel.h"
#include "ShowInfo.h"
#include "SubsystemHost.h"
#include "SuraTree.h"
#include "Twips.h"
#include "xpFrame.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QUrl>

namespace {

constexpr int kStatusPanelTwips = 2540;
constexpr int kToggleMessageMs = 3000;
const QString kTitle = QStringLiteral("Miravel");
// Where the "Main Site" node leads; the project has no site of its own yet.
const QString kNetworkAddress = QStringLiteral("https://orvina.example.org/");

int px(float twips) {
    return Twips::toNearestPixels(qRound(twips));
}

void yieldToEvents() {
    QCoreApplication::processEvents();
}

} // namespace

frmMain::frmMain(AppContext& context, QWidget* parent) : QMainWindow(parent), context_(context) {
    setWindowTitle(kTitle);
    Form_Initialize();
    buildWindow();
    reader_ = new QuranReader(context_, WebBrowser1, lst, this);
    readingView_ = new ReadingView(context_, *reader_, StatusBar1, this);
    new PageRecovery(*readingView_, StatusBar1, this);
    connect(reader_, &QuranReader::pageShown, this, &frmMain::pageShown);
    connect(reader_, &QuranReader::suraShown, this,
            [this](int, const QString& treeText) { statusPanels[0]->setText(treeText); });
    connect(&context_.settings(), &Settings::valueChanged, this,
            [this](const QString& section, const QString& name) {
                if (Settings::isKey(Setting::OrderString, section, name))
                    showToggleStates();
            });
    registerCommands();
}

void frmMain::Form_Initialize() {
    // The shell library and the common controls need no set-up here: Qt
    // styles its controls and opens addresses itself.
}

frmMain::~frmMain() = default;

void frmMain::buildWindow() {
    client_ = new QWidget(this);
    setCentralWidget(client_);

    Image1 = new QLabel(client_);
    Image1->setPixmap(QPixmap(QStringLiteral(":/ui/background.png")));
    Image1->setScaledContents(true);

    xplst = new xpFrame(client_, QStringLiteral("xplst"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSizeF(8.25);
    xplst->setHeaderTextFont(arial);
    xplst->setFooterTextFont(arial);
    xplst->setContainerTextFont(arial);
    xplst->setFooterText(QString());
    xplst->setFooterBackColor(0x80FF);
    xplst->setHeaderFadeColor(0xFFC0FF);
    xplst->setAppearence(4);
    xplst->setClassicXPStyle(false);
    xplst->setZOrderOnFocus(false);
    xplst->resize(px(2865), 400);
    lst = new SuraTree(xplst);
    connect(lst, &SuraTree::NodeClick, this, &frmMain::lst_NodeClick);

    Frame1 = new QFrame(client_);
    Frame1->setFrameShape(QFrame::NoFrame);
    WebBrowser1 = new BrowserView(Frame1);
    WebBrowser1->setOffline(true); // no request leaves the machine, from the first page on

    StatusBar1 = statusBar();
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(StatusBar1);
        panel->setFixedWidth(px(kStatusPanelTwips));
        StatusBar1->addWidget(panel);
        statusPanels.append(panel);
    }
    clock_ = new QTimer(this);
    connect(clock_, &QTimer::timeout, this, &frmMain::updateClock);
    clock_->start(1000);
    updateClock();

    CBar = new CommandBars(this);
    connect(CBar, &CommandBars::CommandInvoked, this, &frmMain::CBar_CommandInvoked);
    connect(CBar, &CommandBars::BarsLayoutChanged, this, [this] { CBar_BarsLayoutChanged(); });

    // The panes are placed from where the central widget stands, which the
    // window settles only after the bars have changed (a toolbar hidden
    // through its context menu tells of it before); so they follow it.
    client_->installEventFilter(this);

    QSize size(1100, 780);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 0.95);
    resize(size);
}

// The commands the main window itself carries out; the other windows'
// subsystems register theirs.
void frmMain::registerCommands() {
    using namespace CommandId;
    CommandTable& table = context_.commands();
    addMainCommandRows(table);
    table.setHandler(Print, [this](CommandBarControl*) { WebBrowser1->ExecWB(6, 0); });
    table.setHandler(Exit, [this](CommandBarControl*) { Form_Unload(); });
    table.setHandler(Help, [this](CommandBarControl*) { openHelp(); });
    table.setHandler(About, [this](CommandBarControl*) {
        frmAbout about(this);
        about.setAttribute(Qt::WA_DeleteOnClose, false);
        about.exec();
    });
    table.setHandler(StartPage, [this](CommandBarControl*) { reader_->showStartPage(); });
    table.setHandler(PreviousEntry, [this](CommandBarControl* c) { stepTree(c, -1); });
    table.setHandler(NextEntry, [this](CommandBarControl* c) { stepTree(c, +1); });
    for (const int toggle : {ToggleLibrary1, ToggleLibrary2, ToggleLibrary3}) {
        table.setHandler(toggle, [this](CommandBarControl* control) {
            control->setChecked(!control->Checked());
            LayoutMe(control);
        });
    }
    SubsystemHost host{context_, *reader_, *readingView_, this};
    installBookmarks(host);
    installSettingsDialog(host);
    installSearch(host);
    installChapterInformation(host);
    installTranslations(host);
    installRecitation(host);
    installDivisions(host);
    installThemes(host);
    installMushaf(host);
}

void frmMain::Form_Load() {
    TopOffset = QStringLiteral("990");
    ReadAppSettings(context_.settings(), [this](int style) { CBar->setAppearanceStyle(style); });
    // Where the reader left off, when the reader keeps it; else the start
    // page, which the engine loads while the menus and the tree are built:
    // the engine serves the page's requests between those steps.
    const auto place = readingView_->placeToOpen();
    const auto letTheEngineWork = [&place] {
        if (!place)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    if (!place) {
        QString start = QuranReader::pageAddress(QStringLiteral("MIRAVEL.HTML"));
        WebBrowser1->Navigate2(start);
    }
    FillEnvironment();
    letTheEngineWork();
    PreparToolBar();
    letTheEngineWork();
    LoadList();
    if (QTreeWidgetItem* root = lst->node(2)) {
        root->setExpanded(true);
        lst->selectNode(root);
    }
    if (!place)
        yieldToEvents();
    WebBrowser1->setSilent(true);
    WebBrowser1->setOffline(true);
    Form_Resize();
    if (place)
        reader_->showPlace(*place);
}

void frmMain::Form_Unload() {
    readingView_->keepPlace();
    // Ends the program at once, whatever other window is open.
    reader_->cancel();
    endProgram();
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_Unload();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMain::updateClock() {
    const QLocale locale;
    statusPanels[1]->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    statusPanels[2]->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
}

// --- Interface captions, menus and toolbar -------------------------------

void frmMain::FillEnvironment() {
    if (!context_.readGuiStrings()) {
        QMessageBox::critical(this, kTitle, QStringLiteral("error loading default dll "));
        QCoreApplication::exit(1);
    }
}

void frmMain::PreparToolBar() {
    const CommandTable& table = context_.commands();
    const auto guiText = [this](int number) { return context_.strings().text(number); };
    CBar->Prepare(true);
    CBar->Prepare();
    table.buildMenus(CBar, guiText);
    CBar->setIcons(table.icons());
    StandardBar = table.buildToolBar(CBar, QStringLiteral("Standard"), guiText);
    showToggleStates();
    table.applyShortcuts(CBar);
}

void frmMain::showToggleStates() {
    if (!StandardBar)
        return;
    const QString& order = context_.settings().values().OrderString;
    for (int code = 1; code <= 3; ++code) {
        const int id = CommandId::ToggleLibrary1 - 1 + code;
        const bool shown = DisplayOrder::isShown(order, code);
        if (CommandBarControl* toggle = StandardBar->Controls()->Find(ControlKind::Button, id))
            toggle->setChecked(shown);
        if (CommandBarControl* item = CBar->ActiveMenuBar()->FindControl(id))
            item->setChecked(shown);
    }
}

void frmMain::openHelp() {
    HelpFile::tellReader(this,
                         HelpFile::open(context_.openExternal, context_.shellOpenerInstalled));
}

// --- The sura tree -------------------------------------------------------

void frmMain::LoadList() {
    lst->Clear();
    context_.readCatalogue();
    lst->addNode(nullptr, QStringLiteral("Main"), QStringLiteral("Main Site"), 5);
    QTreeWidgetItem* root = lst->addNode(nullptr, QStringLiteral("English"), kTitle, 5);
    xplst->setHeaderText(kTitle);
    lst->setAccessibleName(kTitle); // the tree is known by its pane's caption
    const QStringList& suras = context_.catalogue().treeTexts();
    for (int n = 1; n <= int(suras.size()); ++n)
        lst->addNode(root, QStringLiteral("c%1").arg(n), suras.at(n - 1), 16);
}

void frmMain::lst_NodeClick(QTreeWidgetItem* node) {
    reader_->CancelDisplay() = false;
    const int index = lst->indexOf(node);
    if (index == 0)
        return;
    if (index == 1) {
        const auto answer = QMessageBox::information(
            this, kTitle,
            QStringLiteral(
                "You will now be redirected to Orvina network this may take few seconds"),
            QMessageBox::Ok | QMessageBox::Cancel);
        if (answer == QMessageBox::Ok && context_.openExternal)
            context_.openExternal(kNetworkAddress);
        return;
    }
    if (index == 2) {
        reader_->showRootPage();
        return;
    }
    bool ok = false;
    const int n = SuraTree::keyOf(node).mid(1).toInt(&ok);
    if (ok)
        reader_->showSura(n);
}

void frmMain::DispalyHTML(int resourceId) {
    reader_->DispalyHTML(resourceId);
}

// --- Commands ------------------------------------------------------------

void frmMain::CBar_CommandInvoked(CommandBarControl* control) {
    reader_->CancelDisplay() = false;
    context_.commands().dispatch(control);
}

void frmMain::stepTree(CommandBarControl* control, int step) {
    const int i = lst->selectedIndex();
    if (step < 0 && i <= 1)
        return;
    if (step > 0 && i >= lst->count())
        return;
    const QPointer<CommandBarControl> guard(control);
    control->setEnabled(false);
    QTreeWidgetItem* node = lst->node(i + step);
    lst->selectNode(node);
    lst_NodeClick(node);
    if (guard)
        guard->setEnabled(true);
}

// --- Layout --------------------------------------------------------------

void frmMain::CBar_BarsLayoutChanged() {
    const CommandBar* bar = CBar->Bar(1);
    TopOffset = (bar && bar->Visible()) ? QStringLiteral("990") : QStringLiteral("600");
    // The window places its bars lazily; the panes are measured from where
    // the bars end, so that placing must have happened first.
    if (layout())
        layout()->activate();
    Form_Resize();
}

void frmMain::placeInClient(QWidget* widget, const TwipsRect& rect) {
    // The layout measures from the top of the client area, which in this
    // window starts above the central widget (the bars sit in between).
    const int barsHeight = client_->geometry().top();
    widget->setGeometry(px(rect.left), px(rect.top) - barsHeight, px(rect.width), px(rect.height));
}

void frmMain::Form_Resize() {
    if (!xplst)
        return;
    const QRect outer = frameGeometry();
    layout_.treePane.width = xplst->width() * Twips::kPerPixel;
    layout_.tree.left = 30;
    layout_.tree.top = 360;
    layout_.treePaneVisible = xplst->isVisibleTo(this);
    layoutMainWindow(layout_, outer.width() * Twips::kPerPixel, outer.height() * Twips::kPerPixel,
                     TopOffset.toFloat());
    placeInClient(Image1, layout_.background);
    placeInClient(xplst, layout_.treePane);
    placeInClient(Frame1, layout_.frame);
    const TwipsRect& b = layout_.browser;
    WebBrowser1->setGeometry(px(b.left), px(b.top), px(b.width), px(b.height));
    // The tree ends above the pane's footer bar, so that its last row and
    // its scroll bar's down arrow stay in sight.
    const int paneBottom = xplst->FooterVisible() ? xplst->footerHeight() : 1;
    const TwipsRect t = treeWithinPane(layout_, Twips::fromPixels(xplst->height() - paneBottom));
    lst->setGeometry(px(t.left), px(t.top), px(t.width), px(t.height));
    Image1->lower();
    xplst->Refresh();
}

void frmMain::tellToggle(const QString& text) {
    // Said in the status bar, and to a screen reader, whose focus may be on
    // the page or the tree rather than on the toggle.
    StatusBar1->showMessage(text, kToggleMessageMs);
    QAccessibleEvent told(StatusBar1, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&told);
}

void frmMain::LayoutMe(CommandBarControl* control) {
    const int code = control->Id() - 500;
    const auto order =
        DisplayOrder::toggled(context_.settings().values().OrderString, code, control->Checked());
    const QString library = context_.strings().text(222 + code);
    if (!order) {
        control->setChecked(true); // the last library shown stays
        tellToggle(QStringLiteral("%1 stays on: it is the only text shown").arg(library));
        return;
    }
    // The page shows what is stored: an order that cannot be saved is no change.
    if (!context_.settings().setOrderString(*order)) {
        showToggleStates();
        tellToggle(QStringLiteral("%1 stays as it was: the settings cannot be saved").arg(library));
        return;
    }
    tellToggle(QStringLiteral("%1 %2").arg(library, control->Checked() ? QStringLiteral("on")
                                                                       : QStringLiteral("off")));
    lst_NodeClick(lst->selectedNode());
}
