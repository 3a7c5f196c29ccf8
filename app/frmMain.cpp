#include "frmMain.h"

#include "AppSettings.h"
#include "BrowserComposerView.h"
#include "BrowserView.h"
#include "CommandBars.h"
#include "CommandIds.h"
#include "DisplayOrder.h"
#include "frmAbout.h"
#include "GuiStrings.h"
#include "HelpFile.h"
#include "LibraryCaptions.h"
#include "RegSetting.h"
#include "ResReader.h"
#include "SettingsModel.h"
#include "SuraTree.h"
#include "xpFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QUrl>

namespace {

constexpr float kTwipsPerPixel = 15;
constexpr int kStatusPanelTwips = 2540;
const QString kApplication = QStringLiteral("Miravel");
const QString kTitle = QStringLiteral("Miravel");
// Where the "Main Site" node leads; the project has no site of its own yet.
const QString kNetworkAddress = QStringLiteral("https://orvina.example.org/");

int px(float twips) {
    return qRound(twips / kTwipsPerPixel);
}

void yieldToEvents() {
    QCoreApplication::processEvents();
}

QString g(int id) {
    return guiStrings().text(id);
}

// Names of the desktop icon theme for the toolbar pictures; the bundled
// pictures stand in where the theme has none.
const QMap<int, QString>& themeIconNames() {
    static const QMap<int, QString> names{
        {202, QStringLiteral("document-print")}, {212, QStringLiteral("preferences-system")},
        {57635, QStringLiteral("edit-cut")},     {57637, QStringLiteral("edit-paste")},
        {221, QStringLiteral("go-home")},        {222, QStringLiteral("go-previous")},
        {223, QStringLiteral("go-next")},        {224, QStringLiteral("dialog-information")},
        {225, QStringLiteral("go-jump")},        {1111, QStringLiteral("emblem-favorite")},
        {205, QStringLiteral("edit-find")},      {160, QStringLiteral("go-up")},
        {161, QStringLiteral("go-down")},        {219, QStringLiteral("help-contents")}};
    return names;
}

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(kTitle);
    openExternal = [](const QString& address) {
        return QDesktopServices::openUrl(QUrl::fromUserInput(address));
    };
    Form_Initialize();
    buildWindow();
}

void frmMain::Form_Initialize() {
    // The shell library and the common controls need no set-up here: Qt
    // styles its controls and opens addresses itself.
}

frmMain::~frmMain() = default;

QString frmMain::pageAddress(const QString& name) {
    return QStringLiteral("res://") + ResReader::programDirectory() +
           QStringLiteral("\\miravel.EXE/HTML/") + name;
}

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

    QSize size(1100, 780);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 0.95);
    resize(size);
}

void frmMain::Form_Load() {
    TopOffset = QStringLiteral("990");
    ReadAppSettings([this](int style) { CBar->setAppearanceStyle(style); });
    FillEnvironment();
    PreparToolBar();
    LoadList();
    if (QTreeWidgetItem* root = lst->node(2)) {
        root->setExpanded(true);
        lst->selectNode(root);
    }
    QString start = pageAddress(QStringLiteral("MIRAVEL.HTML"));
    WebBrowser1->Navigate2(start);
    yieldToEvents();
    ResReader names;
    names.LoadLibrary(appSettings().ArabicLibraryFile);
    SuraNames = splitVerses(names.LoadHtml(330, QString()).value_or(QString()));
    WebBrowser1->setSilent(true);
    WebBrowser1->setOffline(true);
    Form_Resize();
}

void frmMain::Form_Unload() {
    // Ends the program at once, whatever other window is open.
    CancelDisplay = true;
    QCoreApplication::exit(0);
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_Unload();
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
    try {
        ResReader reader;
        reader.LoadLibrary(appSettings().TranslationLibraryFile);
        guiStrings().load(reader);
        LibraryCaptions& captions = libraryCaptions();
        captions.translationCaption = [] { return guiStrings().text(224); };
        captions.setSharedCaption = [](int code, const QString& caption) {
            guiStrings().setText(code == 1 ? 223 : 225, caption);
        };
    } catch (...) {
        QMessageBox::critical(this, kTitle, QStringLiteral("error loading default dll "));
        QCoreApplication::exit(1);
    }
}

void frmMain::loadToolbarIcons() {
    const auto& names = themeIconNames();
    for (auto it = names.cbegin(); it != names.cend(); ++it) {
        const QIcon bundled(QStringLiteral(":/ui/icon-%1.png").arg(it.key()));
        imlToolbarIcons.insert(it.key(), QIcon::fromTheme(it.value(), bundled));
    }
}

void frmMain::PreparToolBar() {
    using namespace CommandId;
    CBar->Prepare(true);
    CBar->Prepare();
    CommandBarControls* menu = CBar->ActiveMenuBar()->Controls();
    const auto item = [](CommandBarControl* popup, int id, const QString& caption,
                         bool group = false) {
        CommandBarControl* control =
            popup->CommandBar()->Controls()->Add(ControlKind::Button, id, caption);
        control->setBeginGroup(group);
        return control;
    };

    CommandBarControl* file = menu->Add(ControlKind::Popup, FilePopup, g(201));
    item(file, ImportFavorites, GuiStrings::importFavorites());
    item(file, ExportFavorites, GuiStrings::exportFavorites());
    item(file, Print, g(202), true);
    item(file, Exit, g(203));

    CommandBarControl* search = menu->Add(ControlKind::Popup, SearchPopup, g(204));
    item(search, Search, g(205));

    CommandBarControl* information = menu->Add(ControlKind::Popup, InformationPopup, g(206));
    item(information, Information, GuiStrings::information());

    CommandBarControl* bookmarks =
        menu->Add(ControlKind::Popup, BookmarksPopup, GuiStrings::bookmarks());
    item(bookmarks, AddBookmark, g(210));
    item(bookmarks, DeleteBookmark, g(211));
    // The stored bookmarks join this popup once the bookmark store exists.

    CommandBarControl* go = menu->Add(ControlKind::Popup, Settings, g(212));
    item(go, StartPage, g(213));
    item(go, PreviousEntry, g(214));
    item(go, NextEntry, g(215));
    item(go, GoToVerse, g(216));
    item(go, Settings, g(217));

    CommandBarControl* help = menu->Add(ControlKind::Popup, HelpPopup, g(218));
    item(help, Help, g(219));
    item(help, About, g(220));

    loadToolbarIcons();
    CBar->setIcons(imlToolbarIcons);

    StandardBar = CBar->AddToolBar(QStringLiteral("Standard"), 0);
    CommandBarControls* buttons = StandardBar->Controls();
    const auto button = [buttons](int id, const QString& caption, bool group = false) {
        CommandBarControl* control = buttons->Add(ControlKind::Button, id, caption);
        control->setBeginGroup(group);
        return control;
    };
    button(StartPage, QStringLiteral("&Home"), true)->setStyle(3);
    button(PreviousEntry, QStringLiteral("&Back"));
    button(NextEntry, QStringLiteral("&Forward"));
    button(Search, QStringLiteral("&Search"), true);
    button(Information, GuiStrings::information());
    button(GoToVerse, g(216));
    button(Settings, g(217));
    button(Print, QStringLiteral("&Print"));
    button(ToggleLibrary1, QStringLiteral("-A-"), true);
    button(ToggleLibrary2, QStringLiteral("-T-"));
    button(ToggleLibrary3, QStringLiteral("-\u00fb-"));
    button(Help, g(219), true);
    button(About, g(220));

    const QString& order = appSettings().OrderString;
    for (int code = 1; code <= 3; ++code) {
        if (CommandBarControl* toggle = buttons->Find(ControlKind::Button, 500 + code))
            toggle->setChecked(DisplayOrder::isShown(order, code));
    }
    addShortcuts();
}

void frmMain::addShortcuts() {
    // Keys a desktop reader expects; they run the menu items' commands.
    const QList<QPair<int, QKeySequence>> keys{
        {CommandId::Print, QKeySequence::Print},
        {CommandId::Exit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {CommandId::Help, QKeySequence::HelpContents},
        {CommandId::Search, QKeySequence::Find},
        {CommandId::StartPage, QKeySequence(Qt::ALT | Qt::Key_Home)},
        {CommandId::PreviousEntry, QKeySequence(Qt::ALT | Qt::Key_Left)},
        {CommandId::NextEntry, QKeySequence(Qt::ALT | Qt::Key_Right)}};
    for (const auto& [id, key] : keys) {
        if (CommandBarControl* control = CBar->ActiveMenuBar()->FindControl(id))
            control->action()->setShortcut(key);
    }
}

// --- The sura tree -------------------------------------------------------

void frmMain::LoadList() {
    lst->Clear();
    ResReader reader;
    reader.LoadLibrary(appSettings().TranslationLibraryFile);
    lst->addNode(nullptr, QStringLiteral("Main"), QStringLiteral("Main Site"), 5);
    QTreeWidgetItem* root = lst->addNode(nullptr, QStringLiteral("English"), kTitle, 5);
    xplst->setHeaderText(kTitle);
    for (int n = 1; n <= 114; ++n) {
        lst->addNode(
            root, QStringLiteral("c%1").arg(n),
            QStringLiteral("%1- %2").arg(n, 3, 10, QLatin1Char('0')).arg(reader.LoadSTvar(n)), 16);
    }
}

void frmMain::lst_NodeClick(QTreeWidgetItem* node) {
    CancelDisplay = false;
    const int index = lst->indexOf(node);
    if (index == 0)
        return;
    if (index == 1) {
        const auto answer = QMessageBox::information(
            this, kTitle,
            QStringLiteral(
                "You will now be redirected to Orvina network this may take few seconds"),
            QMessageBox::Ok | QMessageBox::Cancel);
        if (answer == QMessageBox::Ok)
            openExternal(kNetworkAddress);
        return;
    }
    if (index == 2) {
        CancelDisplay = true;
        QString start = pageAddress(QStringLiteral("MIRAVEL.HTML"));
        yieldToEvents();
        WebBrowser1->Navigate2(start);
        yieldToEvents();
        WebBrowser1->Navigate2(start);
        return;
    }
    bool ok = false;
    const int n = SuraTree::keyOf(node).mid(1).toInt(&ok);
    if (!ok)
        return;
    const QString text = node->text(0);
    DispalyHTML(100 + n);
    statusPanels[0]->setText(text);
}

// --- The page ------------------------------------------------------------

void frmMain::DispalyHTML(int resourceId) {
    const AppSettings& settings = appSettings();
    ComposerHost host;
    host.orderString = settings.OrderString;
    host.arabicLibraryFile = settings.ArabicLibraryFile;
    host.translationLibraryFile = settings.TranslationLibraryFile;
    host.transliterationLibraryFile = settings.TransliterationLibraryFile;
    host.pageAddress = &frmMain::pageAddress;
    host.treeNodeText = [this](int sura) {
        QTreeWidgetItem* node = lst->node(sura + 2);
        return node ? node->text(0) : QString();
    };
    host.englishName = [this](int sura) { return SuraNames.value(sura - 1); };
    host.selectSuraNode = [this](int sura) {
        lst->selectNode(lst->nodeByKey(QStringLiteral("c%1").arg(sura)));
    };
    host.focusTree = [this] { lst->setFocus(); };
    host.yield = &yieldToEvents;
    host.cancelDisplay = &CancelDisplay;
    BrowserComposerView view(WebBrowser1);
    composer_.DispalyHTML(resourceId, host, view);
    emit pageShown();
}

// --- Commands ------------------------------------------------------------

void frmMain::CBar_CommandInvoked(CommandBarControl* control) {
    using namespace CommandId;
    CancelDisplay = false;
    const QPointer<CommandBarControl> chosen(control);
    const int id = control->Id();
    switch (id) {
    case Print:
        WebBrowser1->ExecWB(6, 0);
        break;
    case Exit:
        Form_Unload();
        return;
    case Help:
        HelpFile::tellReader(this, HelpFile::open(openExternal));
        break;
    case About: {
        frmAbout about(this);
        about.setAttribute(Qt::WA_DeleteOnClose, false);
        about.exec();
        break;
    }
    case StartPage:
        showStartPage();
        break;
    case PreviousEntry:
        stepTree(control, -1);
        break;
    case NextEntry:
        stepTree(control, +1);
        break;
    case ToggleLibrary1:
    case ToggleLibrary2:
    case ToggleLibrary3:
        control->setChecked(!control->Checked());
        LayoutMe(control);
        break;
    default:
        // The search, bookmark, settings, information and favourites windows
        // join here as they arrive.
        break;
    }
    const QString digits = QString::number(id);
    if (chosen && digits.startsWith(QLatin1String("210")) && digits.size() > 3) {
        // A bookmark entry of the Bookmarks menu: goes to its verse once the
        // bookmark store exists.
    }
}

void frmMain::showStartPage() {
    CancelDisplay = true;
    yieldToEvents();
    WebBrowser1->Navigate(pageAddress(QStringLiteral("MIRAVEL.HTML")));
    yieldToEvents();
    lst->selectNode(lst->node(1));
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
    layout_.treePane.width = xplst->width() * kTwipsPerPixel;
    layout_.tree.left = 30;
    layout_.tree.top = 360;
    layout_.treePaneVisible = xplst->isVisibleTo(this);
    layoutMainWindow(layout_, outer.width() * kTwipsPerPixel, outer.height() * kTwipsPerPixel,
                     TopOffset.toFloat());
    placeInClient(Image1, layout_.background);
    placeInClient(xplst, layout_.treePane);
    placeInClient(Frame1, layout_.frame);
    const TwipsRect& b = layout_.browser;
    WebBrowser1->setGeometry(px(b.left), px(b.top), px(b.width), px(b.height));
    const TwipsRect& t = layout_.tree;
    lst->setGeometry(px(t.left), px(t.top), px(t.width), px(t.height));
    Image1->lower();
    xplst->Refresh();
}

void frmMain::LayoutMe(CommandBarControl* control) {
    const int code = control->Id() - 500;
    const auto order = DisplayOrder::toggled(appSettings().OrderString, code, control->Checked());
    if (!order) {
        control->setChecked(true); // the last library shown stays
        return;
    }
    appSettings().OrderString = *order;
    RegSetting::SaveValue(kApplication, QStringLiteral("Settings"), QStringLiteral("OrderString"),
                          *order);
    lst_NodeClick(lst->selectedNode());
}
