#include "StartUp.h"

#include "AppContext.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QTimer>

StartUp::StartUp() = default;
StartUp::~StartUp() = default;

void StartUp::begin() {
    auto* splash = new frmSplash;
    connect(splash, &frmSplash::closed, this, [this] {
        load(); // a key pressed at once may close the splash before loading began
        main_->show();
        emit mainWindowShown(main_.get());
    });
    splash->show();
    QTimer::singleShot(0, this, &StartUp::load);
}

void StartUp::load() {
    if (main_)
        return;
    context_ = std::make_unique<AppContext>();
    main_ = std::make_unique<frmMain>(*context_);
    emit mainWindowCreated(main_.get());
    main_->Form_Load();
}
