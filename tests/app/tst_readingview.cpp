#include "AppContext.h"
#include "BrowserView.h"
#include "FreshSettings.h"
#include "frmInfo.h"
#include "frmMain.h"
#include "GuiTestMain.h"
#include "PageZoom.h"
#include "QuranReader.h"
#include "ReadingView.h"
#include "ResScheme.h"
#include "ShownVerse.h"
#include "StartUp.h"
#include "StateWait.h"
#include "SuraTree.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <memory>

// The page zoom and "Continue where I left off" in the real main window and
// information window, with the real engine.  Every test starts from a fresh
// store and a new window.
class TestReadingView : public QObject {
    Q_OBJECT

    std::unique_ptr<FreshSettings> settings_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<frmMain> w_;

    // A new run: a context and a main window, loaded as at start-up, over
    // the settings stored so far.
    void openWindow() {
        w_.reset();
        context_ = std::make_unique<AppContext>();
        w_ = std::make_unique<frmMain>(*context_);
        w_->show();
        w_->Form_Load();
        QVERIFY(w_->browser()->waitForLoad(StateWait::kLimitMs));
    }

    void store(const SettingKey& key, const QString& text) {
        QVERIFY(context_->settings().save(key, text));
    }
    QString stored(const SettingKey& key) {
        return context_->settings().text(key, QStringLiteral("<missing>"), 0);
    }

    static void activate(QWidget* window) {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window, StateWait::kLimitMs));
    }

    // Where the reader types and turns the wheel: the engine's widget.
    static QWidget* pageWidget(BrowserView* view) {
        return view->focusProxy() ? view->focusProxy() : view;
    }

    static void turnWheel(QWidget* target, int delta, Qt::KeyboardModifiers modifiers) {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent turn(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                         modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &turn);
    }

    // "+", "=", "-", "0": Ctrl with that key; "w<delta>": Ctrl and the
    // wheel; "s<delta>": the wheel alone.
    static void act(QWidget* target, const QString& action) {
        const QChar kind = action.at(0);
        if (kind == QLatin1Char('w') || kind == QLatin1Char('s')) {
            turnWheel(target, action.mid(1).toInt(),
                      kind == QLatin1Char('w') ? Qt::ControlModifier : Qt::NoModifier);
            return;
        }
        static const QMap<QChar, Qt::Key> keys{{QLatin1Char('+'), Qt::Key_Plus},
                                               {QLatin1Char('='), Qt::Key_Equal},
                                               {QLatin1Char('-'), Qt::Key_Minus},
                                               {QLatin1Char('0'), Qt::Key_0}};
        QTest::keyClick(target, keys.value(kind), Qt::ControlModifier);
    }

    // The zoom the page itself is laid out with, in percent.
    static int pageZoomOf(BrowserView* view) {
        return view->runScript(QStringLiteral("Math.round(window.devicePixelRatio * 100)"))
            .value_or(QVariant(-1))
            .toInt();
    }

    std::optional<QString> labelAtTop() {
        const auto place = w_->reader().placeOnScreen();
        return place ? std::optional<QString>(place->label()) : std::nullopt;
    }

    bool onStartPage() {
        return w_->browser()->bodyInnerHtml().contains(QStringLiteral("miravelimage_gif"));
    }

    // Prints sura 36 to a PDF at `percent` and counts its pages; through
    // the program's print path, or the engine's picture print.
    int printedPages(int percent, bool asPictures) {
        w_->readingView().zoom()->setPercent(percent);
        QTemporaryDir dir;
        QPrinter printer(asPictures ? QPrinter::ScreenResolution : QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("sura.pdf")));
        if (asPictures) {
            QSignalSpy done(w_->browser(), &QWebEngineView::printFinished);
            w_->browser()->QWebEngineView::print(&printer);
            if (!done.wait(StateWait::kLimitMs))
                return -1;
        } else {
            QSignalSpy done(w_->browser()->page(), &QWebEnginePage::pdfPrintingFinished);
            w_->browser()->printTo(&printer);
            if (!done.wait(StateWait::kLimitMs))
                return -1;
        }
        QFile pdf(printer.outputFileName());
        if (!pdf.open(QIODevice::ReadOnly))
            return -1;
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
        return int(QString::fromLatin1(pdf.readAll()).count(page));
    }

private slots:
    void init() {
        settings_ = std::make_unique<FreshSettings>();
        openWindow();
    }

    void cleanup() {
        w_.reset();
        context_.reset();
        settings_.reset();
    }

    void zoomFromKeysAndWheel_data() {
        QTest::addColumn<QString>("storedZoom");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<int>("percent");
        QTest::newRow("Ctrl++") << "100" << QStringList{"+"} << 110;
        QTest::newRow("Ctrl+= is the same key") << "100" << QStringList{"="} << 110;
        QTest::newRow("Ctrl+-") << "100" << QStringList{"-"} << 90;
        QTest::newRow("Ctrl+- twice") << "100" << QStringList{"-", "-"} << 80;
        QTest::newRow("Ctrl+0 back to 100") << "200" << QStringList{"0"} << 100;
        QTest::newRow("from the stored zoom") << "150" << QStringList{"+"} << 175;
        QTest::newRow("largest stays") << "500" << QStringList{"+"} << 500;
        QTest::newRow("smallest stays") << "25" << QStringList{"-"} << 25;
        QTest::newRow("wheel up") << "100" << QStringList{"w120"} << 110;
        QTest::newRow("wheel down twice") << "100" << QStringList{"w-120", "w-120"} << 80;
        QTest::newRow("touchpad bits make a notch")
            << "100" << QStringList{"w40", "w40", "w40"} << 110;
        QTest::newRow("less than a notch") << "100" << QStringList{"w40", "w40"} << 100;
        QTest::newRow("wheel without Ctrl scrolls") << "100" << QStringList{"s120", "s-240"} << 100;
    }

    void zoomFromKeysAndWheel() {
        QFETCH(QString, storedZoom);
        QFETCH(QStringList, actions);
        QFETCH(int, percent);
        if (storedZoom != QLatin1String("100")) {
            store(Setting::Zoom, storedZoom);
            openWindow();
        }
        QCOMPARE(w_->readingView().zoom()->percent(), storedZoom.toInt());
        activate(w_.get());
        QWidget* page = pageWidget(w_->browser());
        for (const QString& action : actions)
            act(page, action);
        QCOMPARE(w_->readingView().zoom()->percent(), percent);
        QCOMPARE(w_->browser()->zoomFactor(), percent / 100.0);
        if (percent == storedZoom.toInt())
            return; // nothing changed: nothing shown, nothing stored
        QCOMPARE(stored(Setting::Zoom), QString::number(percent));
        QCOMPARE(w_->readingView().zoomPanel()->text(), QStringLiteral("Zoom %1%").arg(percent));
        QVERIFY(w_->readingView().zoomPanel()->isVisible());
    }

    // The zoom shows beside the sura, date and time panels, which stay in
    // view, and goes again after a while.
    void zoomShowsBesideTheStatusPanels() {
        QVERIFY(!w_->readingView().zoomPanel()->isVisible());
        activate(w_.get());
        act(pageWidget(w_->browser()), QStringLiteral("+"));
        QVERIFY(w_->readingView().zoomPanel()->isVisible());
        for (int i = 0; i < w_->statusPanelCount(); ++i)
            QVERIFY(w_->statusPanel(i)->isVisible());
        WAIT_VERIFY(!w_->readingView().zoomPanel()->isVisible());
        for (int i = 0; i < w_->statusPanelCount(); ++i)
            QVERIFY(w_->statusPanel(i)->isVisible());
    }

    void zoomIsKeptForTheNextStart() {
        activate(w_.get());
        for (int i = 0; i < 3; ++i)
            act(pageWidget(w_->browser()), QStringLiteral("+"));
        QCOMPARE(stored(Setting::Zoom), QStringLiteral("150"));

        openWindow();
        QCOMPARE(w_->readingView().zoom()->percent(), 150);
        WAIT_COMPARE(pageZoomOf(w_->browser()), 150); // the start page
        QVERIFY(w_->reader().showSura(1));
        WAIT_COMPARE(pageZoomOf(w_->browser()), 150); // and a sura page after it
        // The keys zoom the page wherever the focus is in the window.
        activate(w_.get());
        w_->tree()->setFocus();
        act(w_->tree(), QStringLiteral("-"));
        QCOMPARE(w_->readingView().zoom()->percent(), 125);
    }

    void damagedStoredZoomReadsAsNormal_data() {
        QTest::addColumn<QString>("storedZoom");
        QTest::newRow("no level") << "120";
        QTest::newRow("zero") << "0";
        QTest::newRow("negative") << "-100";
        QTest::newRow("junk") << "big";
        QTest::newRow("empty") << "";
    }

    void damagedStoredZoomReadsAsNormal() {
        QFETCH(QString, storedZoom);
        store(Setting::Zoom, storedZoom);
        openWindow();
        QCOMPARE(w_->readingView().zoom()->percent(), 100);
        QCOMPARE(w_->browser()->zoomFactor(), 1.0);
        QCOMPARE(pageZoomOf(w_->browser()), 100);
    }

    void informationWindowZoomsToo() {
        store(Setting::Zoom, QStringLiteral("90"));
        {
            frmInfo info(*context_, w_.get());
            info.showPage(QStringLiteral("INFO.HTML"), QStringLiteral("<p>Theme</p>"));
            info.show();
            QCOMPARE(info.zoom->percent(), 90);
            activate(&info);
            QWidget* page = pageWidget(info.WebBrowser1);
            act(page, QStringLiteral("+"));
            act(page, QStringLiteral("w120"));
            QCOMPARE(info.zoom->percent(), 110);
            QCOMPARE(info.WebBrowser1->zoomFactor(), 1.1);
            QCOMPARE(stored(Setting::Zoom), QStringLiteral("110"));
            act(page, QStringLiteral("0"));
            act(page, QStringLiteral("-"));
            QCOMPARE(stored(Setting::Zoom), QStringLiteral("90"));
            WAIT_COMPARE(pageZoomOf(info.WebBrowser1), 90);
        }
        frmInfo next(*context_, w_.get());
        QCOMPARE(next.zoom->percent(), 90);
    }

    // One zoom for all pages: what the reader sets in one window shows in
    // the other at once, in both directions; the main window shows its zoom
    // panel only for a zoom made in it.
    void zoomFollowsTheOtherWindow() {
        frmInfo info(*context_, w_.get());
        info.showPage(QStringLiteral("INFO.HTML"), QStringLiteral("<p>Theme</p>"));
        info.show();
        activate(&info);
        act(pageWidget(info.WebBrowser1), QStringLiteral("+"));
        QCOMPARE(info.zoom->percent(), 110);
        QCOMPARE(w_->readingView().zoom()->percent(), 110);
        WAIT_COMPARE(pageZoomOf(w_->browser()), 110);
        QVERIFY(!w_->readingView().zoomPanel()->isVisible());

        activate(w_.get());
        act(pageWidget(w_->browser()), QStringLiteral("0"));
        QCOMPARE(w_->readingView().zoom()->percent(), 100);
        QCOMPARE(info.zoom->percent(), 100);
        WAIT_COMPARE(pageZoomOf(info.WebBrowser1), 100);

        // A stored value that is no zoom level leaves the pages as they are.
        store(Setting::Zoom, QStringLiteral("big"));
        QCOMPARE(w_->readingView().zoom()->percent(), 100);
        QCOMPARE(info.zoom->percent(), 100);
    }

    void printingIgnoresTheZoom_data() {
        QTest::addColumn<bool>("asPictures");
        QTest::newRow("PDF, text as text") << false;
        QTest::newRow("pictures of the page") << true;
    }

    void printingIgnoresTheZoom() {
        QFETCH(bool, asPictures);
        w_->resize(900, 700);
        QVERIFY(w_->reader().showSura(36));
        const int normal = printedPages(100, asPictures);
        QVERIFY2(normal > 2, qPrintable(QString::number(normal)));
        QCOMPARE(printedPages(200, asPictures), normal);
        QCOMPARE(printedPages(50, asPictures), normal);
        QCOMPARE(w_->browser()->zoomFactor(), 0.5); // the page on screen keeps its zoom
    }

    void continueWhereILeftOff_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("sura");
        QTest::addColumn<QString>("verse");
        QTest::addColumn<QString>("label"); // at the top; empty: the start page
        QTest::newRow("on") << "1"
                            << "2"
                            << "255"
                            << "2 : 255";
        QTest::newRow("on, a short sura") << "1"
                                          << "114"
                                          << "1"
                                          << "114 : 1";
        QTest::newRow("off") << "0"
                             << "2"
                             << "255"
                             << "";
        QTest::newRow("closed on the start page") << "1"
                                                  << "0"
                                                  << "0"
                                                  << "";
        QTest::newRow("sura out of range") << "1"
                                           << "115"
                                           << "1"
                                           << "";
        QTest::newRow("verse out of range") << "1"
                                            << "1"
                                            << "8"
                                            << "";
        QTest::newRow("junk") << "1"
                              << "2x"
                              << "abc"
                              << "";
    }

    void continueWhereILeftOff() {
        QFETCH(QString, option);
        QFETCH(QString, sura);
        QFETCH(QString, verse);
        QFETCH(QString, label);
        store(Setting::ContinueReading, option);
        store(Setting::LastSura, sura);
        store(Setting::LastVerse, verse);
        openWindow();
        if (label.isEmpty()) {
            WAIT_VERIFY(onStartPage());
            QVERIFY(!labelAtTop());
            QCOMPARE(w_->tree()->selectedIndex(), 2);
            QVERIFY(!w_->readingView().currentVerse());
            return;
        }
        QCOMPARE(labelAtTop(), label);
        // The place moved to is the current verse, shown as a go-to shows it.
        QCOMPARE(w_->readingView().currentVerse()->label(), label);
        const QString fault = ShownVerse::fault(w_->browser(), label);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QCOMPARE(w_->reader().selectedSura(), sura.toInt());
        QCOMPARE(w_->statusPanel(0)->text(), w_->tree()->node(2 + sura.toInt())->text(0));
    }

    void startUpBehindTheSplashContinues() {
        store(Setting::ContinueReading, QStringLiteral("1"));
        store(Setting::LastSura, QStringLiteral("18"));
        store(Setting::LastVerse, QStringLiteral("60"));
        w_.reset();
        StartUp startUp;
        QSignalSpy shown(&startUp, &StartUp::mainWindowShown);
        startUp.begin();
        WAIT_COMPARE(shown.count(), 1);
        // The page may still be composed when the splash gives way.
        QuranReader& reader = startUp.mainWindow()->reader();
        WAIT_COMPARE(reader.placeOnScreen().value_or(VersePlace{}), (VersePlace{18, 60}));
    }

    void closingNotesThePlace_data() {
        QTest::addColumn<bool>("keep");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("verse"); // of sura 2; 0: the start page on screen
        QTest::addColumn<QString>("storedSura");
        QTest::addColumn<QString>("storedVerse");
        QTest::newRow("in a sura") << true << 100 << 100 << "2"
                                   << "100";
        QTest::newRow("zoomed") << true << 175 << 30 << "2"
                                << "30";
        QTest::newRow("first verse") << true << 100 << 1 << "2"
                                     << "1";
        QTest::newRow("on the start page") << true << 100 << 0 << "0"
                                           << "0";
        QTest::newRow("option off") << false << 100 << 100 << "<missing>"
                                    << "<missing>";
    }

    void closingNotesThePlace() {
        QFETCH(bool, keep);
        QFETCH(int, zoom);
        QFETCH(int, verse);
        store(Setting::ContinueReading, keep ? QStringLiteral("1") : QStringLiteral("0"));
        w_->readingView().zoom()->setPercent(zoom);
        if (verse > 0)
            QVERIFY(w_->reader().showPlace(VersePlace{2, verse}));
        bool ended = false;
        w_->endProgram = [&ended] { ended = true; };
        w_->close();
        QVERIFY(ended);
        QTEST(stored(Setting::LastSura), "storedSura");
        QTEST(stored(Setting::LastVerse), "storedVerse");
        if (!keep || verse == 0)
            return;
        // The next start opens where this one was closed.
        store(Setting::Zoom, QString::number(zoom));
        openWindow();
        QCOMPARE(labelAtTop(), (VersePlace{2, verse}.label()));
    }
};

MIRAVEL_GUI_TEST_MAIN(TestReadingView)

#include "tst_readingview.moc"
