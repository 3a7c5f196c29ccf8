#include "StartUp.h"

#include "AppContext.h"
#include "ArabicScripts.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QTimer>

StartUp::StartUp() = default;
StartUp::~StartUp() = default;

void StartUp::begin() {
    auto* splash = new frmSplash;
    splash_ = splash;
    connect(splash, &frmSplash::closed, this, [this] {
        splashClosed_ = true;
        load(); // a key pressed at once may close the splash before loading began
        showMainWindow();
    });
    splash->show();
    QTimer::singleShot(0, this, &StartUp::load);
}

void StartUp::load() {
    if (main_)
        return;
    context_ = std::make_unique<AppContext>();
    ArabicScripts::settleForNewReader(context_->settings());
    main_ = std::make_unique<frmMain>(*context_);
    emit mainWindowCreated(main_.get());
    // The window lets the engine work while it loads; the splash's time may
    // run out meanwhile, but the splash stays until the window can follow.
    if (splash_)
        splash_->Timer1.blockSignals(true);
    main_->Form_Load();
    loaded_ = true;
    if (splash_) {
        splash_->Timer1.blockSignals(false);
        if (!splash_->Timer1.isActive())
            splash_->close(); // its time ran out while the window loaded
    }
    if (splashClosed_)
        showMainWindow(); // the splash closed while the window loaded
}

// Only a loaded window shows: the splash may close while the window loads,
// since loading lets the engine work in between.
void StartUp::showMainWindow() {
    if (!loaded_ || shown_)
        return;
    shown_ = true;
    main_->show();
    emit mainWindowShown(main_.get());
}
