#pragma once

#include "MainLayout.h"

#include <QCoreApplication>
#include <QIcon>
#include <QMainWindow>
#include <QMap>
#include <QString>

#include <functional>

class AppContext;
class BrowserView;
class CommandBar;
class CommandBarControl;
class CommandBars;
class QFrame;
class QLabel;
class QStatusBar;
class QTimer;
class QTreeWidgetItem;
class QuranReader;
class ReadingView;
class SuraTree;
class xpFrame;

// The main window: the sura tree in its pane beside the page, under the
// menu bar and the toolbar, over a background picture.  It builds and lays
// out the window; the reader shows the pages, and every command runs through
// the context's command table, where each subsystem registers its handlers.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(AppContext& context, QWidget* parent = nullptr);
    ~frmMain() override;

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

    // Parts of the window, for the reader's and the tests' eyes.
    QuranReader& reader() const { return *reader_; }
    AppContext& context() const { return context_; }
    BrowserView* browser() const { return WebBrowser1; }
    ReadingView& readingView() const { return *readingView_; }
    SuraTree* tree() const { return lst; }
    xpFrame* treePane() const { return xplst; }
    CommandBars* commandBars() const { return CBar; }
    CommandBar* standardBar() const { return StandardBar; }
    QLabel* statusPanel(int index) const { return statusPanels.value(index); }
    int statusPanelCount() const { return int(statusPanels.size()); }
    const QString& topOffset() const { return TopOffset; }
    const MainLayoutState& layoutState() const { return layout_; }

    // What closing the window (or Exit) does last: it ends the program.
    // Tests, which run no event loop of the program, put their own here.
    std::function<void()> endProgram = [] { QCoreApplication::exit(0); };

signals:
    // A sura page (or the start page) has been fully placed.
    void pageShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Unload();
    void buildWindow();
    void registerCommands();
    void placeInClient(QWidget* widget, const TwipsRect& rect);
    void updateClock();
    void stepTree(CommandBarControl* control, int step);
    void showToggleStates();
    // Tells which library a toggle switched and whether it is on.
    void tellToggle(const QString& text);
    void openHelp();

    AppContext& context_;
    CommandBars* CBar = nullptr;
    CommandBar* StandardBar = nullptr;
    xpFrame* xplst = nullptr;
    SuraTree* lst = nullptr;
    QFrame* Frame1 = nullptr;
    BrowserView* WebBrowser1 = nullptr;
    QLabel* Image1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QList<QLabel*> statusPanels; // text, date, time
    QString TopOffset = QStringLiteral("990");
    QuranReader* reader_ = nullptr;
    ReadingView* readingView_ = nullptr;
    MainLayoutState layout_;
    QTimer* clock_ = nullptr;
    QWidget* client_ = nullptr;
};
