#include "InstallDivisions.h"

#include "AppContext.h"
#include "BrowserView.h"
#include "CommandBars.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "DivisionCommandIds.h"
#include "DivisionMarks.h"
#include "DivisionTable.h"
#include "frmGoToPage.h"
#include "QuranReader.h"
#include "ReadingView.h"
#include "SubsystemHost.h"
#include "TopVerseWatch.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QStatusBar>

namespace {

using namespace DivisionCommandId;
using C = CommandCaption;

// After "Go to Verse" (4), before "Settings" (5), which stays last: rows
// of one place keep the order they were added in, and the go-to row is
// added before these.
constexpr int kMenuPlace = 4;

void addDivisionRows(CommandTable& table) {
    CommandRow parts = CommandRow::popup(PartPopup, C::text(QStringLiteral("&Part")), kMenuPlace);
    parts.menuParent = CommandId::GoPopup;
    parts.menuGroup = true;
    table.addRow(parts);
    for (int part = 1; part <= DivisionTable::kParts; ++part)
        table.addRow(CommandRow::item(PartPopup, part, PartPopup + part,
                                      C::text(DivisionNames::part(part))));
    CommandRow quarters =
        CommandRow::popup(QuarterPopup, C::text(QStringLiteral("Hizb &Quarter")), kMenuPlace);
    quarters.menuParent = CommandId::GoPopup;
    table.addRow(quarters);
    for (int k = 1; k <= 8; ++k)
        table.addRow(CommandRow::item(QuarterPopup, k, QuarterPopup + k,
                                      C::text(DivisionNames::quarter(k))));
    table.addRow(CommandRow::item(CommandId::GoPopup, kMenuPlace, GoToPage,
                                  C::text(QStringLiteral("Pag&e..."))));
    table.addRow(CommandRow::item(CommandId::GoPopup, kMenuPlace, NextPart,
                                  C::text(QStringLiteral("&Next Part")), true,
                                  QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_PageDown)));
    table.addRow(CommandRow::item(CommandId::GoPopup, kMenuPlace, PreviousPart,
                                  C::text(QStringLiteral("P&revious Part")), false,
                                  QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_PageUp)));
    table.addRow(CommandRow::item(CommandId::GoPopup, kMenuPlace, NextPage,
                                  C::text(QStringLiteral("Ne&xt Page")), false,
                                  QKeySequence(Qt::ALT | Qt::Key_PageDown)));
    table.addRow(CommandRow::item(CommandId::GoPopup, kMenuPlace, PreviousPage,
                                  C::text(QStringLiteral("Previo&us Page")), false,
                                  QKeySequence(Qt::ALT | Qt::Key_PageUp)));
}

// The divisions of one main window: its entries' handlers, the panel and
// the marks.
class Divisions : public QObject {
public:
    Divisions(SubsystemHost& host, DivisionSource source)
        : QObject(host.mainWindow), context_(host.context), reader_(host.reader), view_(host.view),
          owner_(host.mainWindow), source_(std::move(source)) {
        CommandTable& commands = context_.commands();
        addDivisionRows(commands);
        for (int part = 1; part <= DivisionTable::kParts; ++part)
            commands.setHandler(
                PartPopup + part, guarded([this, part] {
                    goTo([part](const DivisionTable& t) { return t.partStart(part); });
                }));
        for (int k = 1; k <= 8; ++k)
            commands.setHandler(
                QuarterPopup + k, guarded([this, k] {
                    const int quarter = (partOnScreen() - 1) * 8 + k;
                    goTo([quarter](const DivisionTable& t) { return t.quarterStart(quarter); });
                }));
        commands.setHandler(GoToPage, guarded([this] { askPage(); }));
        commands.setHandler(NextPart, guarded([this] { stepPart(+1); }));
        commands.setHandler(PreviousPart, guarded([this] { stepPart(-1); }));
        commands.setHandler(NextPage, guarded([this] { stepPage(+1); }));
        commands.setHandler(PreviousPage, guarded([this] { stepPage(-1); }));
        commands.addMenuExtender([self = QPointer<Divisions>(this)](CommandBars* bars) {
            if (self)
                self->bars_ = bars;
        });

        if (auto* window = qobject_cast<QMainWindow*>(owner_))
            addPanel(window->statusBar());
        watch_ = new TopVerseWatch(reader_.view(), this);
        connect(watch_, &TopVerseWatch::topLabelChanged, this, &Divisions::showTop);
        connect(&reader_, &QuranReader::suraShown, this, [this](int sura) {
            if (const DivisionTable* t = table())
                reader_.view()->postScript(DivisionMarks::placeScript(sura, t->marksOfSura(sura)));
            watch_->refresh();
        });
        connect(&reader_, &QuranReader::startPageShown, this, [this] { showTop(QString()); });
    }

private:
    // The command table outlives the window (a test opens another on the
    // same context): a handler of a window that is gone does nothing.
    CommandTable::Handler guarded(std::function<void()> act) {
        return [self = QPointer<QObject>(this), act = std::move(act)](CommandBarControl*) {
            if (self)
                act();
        };
    }

    // The table, read when first needed; without one, the entries are
    // disabled.
    const DivisionTable* table() {
        if (!loaded_) {
            loaded_ = true;
            table_ = source_ ? source_() : nullptr;
            if (!table_)
                disableEntries();
        }
        return table_;
    }

    void disableEntries() {
        if (!bars_)
            return;
        for (const int id : std::initializer_list<int>{PartPopup, QuarterPopup, GoToPage, NextPart,
                                                       PreviousPart, NextPage, PreviousPage}) {
            if (CommandBarControl* control = bars_->ActiveMenuBar()->FindControl(id))
                control->setEnabled(false);
        }
    }

    void addPanel(QStatusBar* bar) {
        panel_ = new QLabel(bar);
        panel_->setObjectName(QStringLiteral("divisionPanel"));
        panel_->setMinimumWidth(panel_->fontMetrics().horizontalAdvance(
            DivisionNames::whereAmI({30, 240, 7, 556, 604, false}) + QStringLiteral("  ")));
        bar->addWidget(panel_);
    }

    // The verse the reader is at: the one at the top of the view, else the
    // current verse; nothing on a page without verses.
    std::optional<DivisionVerse> whereReaderIs() const {
        std::optional<VersePlace> place = reader_.placeOnScreen();
        if (!place)
            place = view_.currentVerse();
        if (!place)
            return std::nullopt;
        return DivisionVerse{place->sura, place->verse};
    }

    std::optional<VerseDivisions> divisionsHere() {
        const DivisionTable* t = table();
        const auto here = whereReaderIs();
        return t && here ? t->at(*here) : std::nullopt;
    }

    int partOnScreen() const { return top_ ? top_->part : 1; }

    void goTo(const std::function<std::optional<DivisionVerse>(const DivisionTable&)>& find) {
        const DivisionTable* t = table();
        if (!t)
            return;
        if (const auto verse = find(*t))
            view_.goToVerse(VersePlace{verse->sura, verse->verse});
    }

    // From the start page, the next part or page is the first.
    void stepPart(int step) {
        const auto here = divisionsHere();
        const int part = here ? here->part + step : (step > 0 ? 1 : 0);
        goTo([part](const DivisionTable& t) { return t.partStart(part); });
    }

    void stepPage(int step) {
        const auto here = divisionsHere();
        const int page = here ? here->page + step : (step > 0 ? 1 : 0);
        goTo([page](const DivisionTable& t) { return t.pageStart(page); });
    }

    void askPage() {
        if (!table())
            return;
        const auto here = divisionsHere();
        frmGoToPage dialog(here ? here->page : 1, owner_);
        if (dialog.exec() != QDialog::Accepted)
            return;
        const int page = dialog.page();
        goTo([page](const DivisionTable& t) { return t.pageStart(page); });
    }

    void showTop(const QString& label) {
        const auto place = VersePlace::fromLabel(label);
        const DivisionTable* t = place ? table() : nullptr;
        top_ = t ? t->at({place->sura, place->verse}) : std::nullopt;
        const QString text = top_ ? DivisionNames::whereAmI(*top_) : QString();
        if (panel_) {
            panel_->setText(text);
            panel_->setAccessibleName(text);
        }
        nameQuarters();
    }

    // The quarter entries name the quarters of the part on screen.
    void nameQuarters() {
        if (!bars_)
            return;
        const int part = partOnScreen();
        if (part == namedPart_)
            return;
        namedPart_ = part;
        for (int k = 1; k <= 8; ++k) {
            if (CommandBarControl* control = bars_->ActiveMenuBar()->FindControl(QuarterPopup + k))
                control->setCaption(DivisionNames::quarter((part - 1) * 8 + k));
        }
    }

    AppContext& context_;
    QuranReader& reader_;
    ReadingView& view_;
    QWidget* owner_;
    DivisionSource source_;
    const DivisionTable* table_ = nullptr;
    bool loaded_ = false;
    QPointer<CommandBars> bars_;
    QPointer<QLabel> panel_;
    TopVerseWatch* watch_ = nullptr;
    std::optional<VerseDivisions> top_;
    int namedPart_ = 1;
};

} // namespace

void installDivisions(SubsystemHost& host, DivisionSource source) {
    new Divisions(host, std::move(source));
}

void installDivisions(SubsystemHost& host) {
    installDivisions(host, &DivisionTable::shared);
}
