#pragma once

#include "AppContext.h"
#include "BrowserView.h"
#include "CommandBars.h"
#include "FreshSettings.h"
#include "frmMain.h"
#include "SettingsModel.h"
#include "StateWait.h"
#include "SuraTree.h"

#include <QObject>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>
#include <QVariant>

#include <memory>
#include <optional>

// The real main window with the real engine, as a reader meets it: every
// test starts from a fresh store, a default context and a new window (the
// test classes call openWindow from init, closeWindow from cleanup).  Links
// and help addresses handed to the desktop are kept in `opened_` instead;
// `shellOpens_` and `openerInstalled_` say how the desktop answers.
class MainWindowFixture : public QObject {
protected:
    std::unique_ptr<FreshSettings> settings_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<frmMain> w_;
    QStringList opened_;
    bool shellOpens_ = true;
    bool openerInstalled_ = true;

    void openWindow() {
        settings_ = std::make_unique<FreshSettings>();
        context_ = std::make_unique<AppContext>();
        opened_.clear();
        shellOpens_ = true;
        openerInstalled_ = true;
        context_->openExternal = [this](const QString& address) {
            opened_.append(address);
            return shellOpens_;
        };
        context_->shellOpenerInstalled = [this] { return openerInstalled_; };
        w_ = std::make_unique<frmMain>(*context_);
        w_->show();
        w_->Form_Load();
        QVERIFY(w_->browser()->waitForLoad(StateWait::kLimitMs));
    }

    void closeWindow() {
        w_.reset();
        context_.reset();
        settings_.reset();
    }

    const AppSettings& values() const { return context_->settings().values(); }
    void setOrder(const QString& order) { context_->settings().setOrderString(order); }
    // The translation library of the chosen culture (the first).
    void setTranslation(const QString& file) {
        context_->settings().save(Setting::CultureTranslationLibrary, file, 1);
    }

    static QStringList labels(const QString& markup) {
        static const QRegularExpression label(
            QStringLiteral("<p class=\"A1\">([0-9]+ : [0-9]+)</p>"));
        QStringList found;
        for (const auto& match : label.globalMatch(markup))
            found.append(match.captured(1));
        return found;
    }

    static QStringList expectedLabels(int sura, int verses) {
        QStringList list;
        for (int v = 1; v <= verses; ++v)
            list.append(QStringLiteral("%1 : %2").arg(sura).arg(v));
        return list;
    }

    // A script's answer from the page, however long the engine takes to
    // give it; nothing for a script that fails.
    std::optional<QVariant> ask(const QString& script) {
        return w_->browser()->runScript(script, StateWait::kLimitMs);
    }
    // The page's body as the engine writes it out.
    QString body() {
        return ask(QStringLiteral("document.body ? document.body.innerHTML : ''"))
            .value_or(QString())
            .toString();
    }

    CommandBarControl* menuItem(int id) {
        return w_->commandBars()->ActiveMenuBar()->FindControl(id);
    }
    CommandBarControl* button(int id) {
        return w_->standardBar()->Controls()->Find(ControlKind::Button, id);
    }

    void clickNode(int index) { w_->lst_NodeClick(w_->tree()->node(index)); }
};
