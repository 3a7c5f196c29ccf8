#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

class AppContext;
class frmMain;
class frmSplash;

// The program's start-up: the splash shows for its tenth of a second while
// the main window loads behind it, and its closing shows the main window,
// whose start page is then already in place.
class StartUp : public QObject {
    Q_OBJECT
public:
    StartUp();
    ~StartUp() override;

    void begin();
    frmMain* mainWindow() const { return main_.get(); }
    AppContext* context() const { return context_.get(); }

signals:
    // Right after the main window is created, before it loads.
    void mainWindowCreated(frmMain* window);
    void mainWindowShown(frmMain* window);

private:
    void load();
    void showMainWindow();

    QPointer<frmSplash> splash_;
    bool splashClosed_ = false;
    bool loaded_ = false;
    bool shown_ = false;

    // The run's context and the main window live for the whole run; the
    // window is not deleted on close, since closing may happen while one of
    // its pages is being composed.
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<frmMain> main_;
};
