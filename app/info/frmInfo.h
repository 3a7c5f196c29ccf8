#pragma once

#include <QDialog>

class AppContext;
class BrowserView;
class GuiStrings;
class PageZoom;
class QFrame;
class QPushButton;
class ucGradContainer;

// The information window: one of the program's own pages (the chapter
// information, a search result, the search report) in a browser view on a
// gradient panel, with Close and Print.  Shown modally by its callers.  The
// reader zooms its page as the main window's, from the stored zoom on.
class frmInfo : public QDialog {
    Q_OBJECT
public:
    explicit frmInfo(AppContext& context, QWidget* parent = nullptr);

    ucGradContainer* ucGradContainer1 = nullptr;
    QFrame* Frame1 = nullptr;
    BrowserView* WebBrowser1 = nullptr;
    QPushButton* cmdClose = nullptr;
    QPushButton* cmdPrint = nullptr;
    PageZoom* zoom = nullptr;

    // Loads the program's page `pageName` and makes `markup` its body.
    void showPage(const QString& pageName, const QString& markup);

    void cmdClose_Click();
    void cmdPrint_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load(const GuiStrings& strings);
    void placeControls();
};
