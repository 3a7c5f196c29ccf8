#pragma once

#include "MainLayout.h"
#include "SuraPageComposer.h"

#include <QIcon>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QStringList>

class BrowserView;
class CommandBar;
class CommandBarControl;
class CommandBars;
class QFrame;
class QLabel;
class QStatusBar;
class QTimer;
class QTreeWidgetItem;
class SuraTree;
class xpFrame;

// The main window: the sura tree in its pane beside the page, under the
// menu bar and the toolbar, over a background picture.  It runs the whole
// start-up, composes the sura pages and dispatches every command.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Parts of the window.
    CommandBars* CBar = nullptr;
    CommandBar* StandardBar = nullptr;
    xpFrame* xplst = nullptr;
    SuraTree* lst = nullptr;
    QFrame* Frame1 = nullptr;
    BrowserView* WebBrowser1 = nullptr;
    QLabel* Image1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QList<QLabel*> statusPanels; // text, date, time
    QMap<int, QIcon> imlToolbarIcons;

    // Window state.
    bool CancelDisplay = false;
    QString TopOffset = QStringLiteral("990");
    QStringList SuraNames;

    void Form_Initialize();
    void Form_Load();
    void Form_Resize();
    void DispalyHTML(int resourceId);
    void LoadList();
    void lst_NodeClick(QTreeWidgetItem* node);
    void LayoutMe(CommandBarControl* control);
    void CBar_CommandInvoked(CommandBarControl* control);
    void CBar_BarsLayoutChanged();
    void FillEnvironment();
    void PreparToolBar();

    // The page address of one of the program's own HTML resources.
    static QString pageAddress(const QString& name);

    const MainLayoutState& layoutState() const { return layout_; }
    const SuraPageComposer& composer() const { return composer_; }

    // Where commands that hand something to the desktop shell go; tests
    // replace it to see the address instead of opening it. False when the
    // shell could not open it.
    std::function<bool(const QString&)> openExternal;

signals:
    // A sura page (or the start page) has been fully placed.
    void pageShown();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Unload();
    void buildWindow();
    void placeInClient(QWidget* widget, const TwipsRect& rect);
    void updateClock();
    void showStartPage();
    void stepTree(CommandBarControl* control, int step);
    void addShortcuts();
    void loadToolbarIcons();

    MainLayoutState layout_;
    SuraPageComposer composer_;
    QTimer* clock_ = nullptr;
    QWidget* client_ = nullptr;
};
