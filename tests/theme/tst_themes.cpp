#include "app/FreshSettings.h"
#include "AppContext.h"
#include "BrowserView.h"
#include "ChapterInfoPage.h"
#include "CommandBars.h"
#include "DivisionCommandIds.h"
#include "frmInfo.h"
#include "frmLangSettings.h"
#include "frmMain.h"
#include "GuiTestMain.h"
#include "QuranReader.h"
#include "ReadingTheme.h"
#include "ResultMarkup.h"
#include "ThemeCommandIds.h"

#include <QComboBox>
#include <QDir>
#include <QHash>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

// Every run of text on screen: its colour and the box of its text, in the
// page's pixels.
const char kTexts[] = R"JS(
(function () {
  var found = [];
  var walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  for (var node = walker.nextNode(); node; node = walker.nextNode()) {
    if (node.data.trim() === '') continue;
    var element = node.parentElement;
    var style = getComputedStyle(element);
    if (style.visibility !== 'visible' || style.display === 'none') continue;
    var range = document.createRange();
    range.selectNodeContents(node);
    var box = range.getClientRects()[0];
    if (!box || box.width < 4 || box.height < 4 || box.bottom <= 0 || box.top >= innerHeight ||
        box.right <= 0 || box.left >= innerWidth) continue;
    found.push([element.tagName + '.' + element.className + ' "' + node.data.trim().slice(0, 16) + '"',
                style.color, box.left, box.top, box.width, box.height]);
  }
  return found;
})()
)JS";

double luminance(const QColor& c) {
    const auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor cssColour(const QString& css) {
    // "rgb(r, g, b)" as the engine computes it.
    const QStringList parts = QString(css)
                                  .remove(QLatin1String("rgba("))
                                  .remove(QLatin1String("rgb("))
                                  .remove(QLatin1Char(')'))
                                  .split(QLatin1Char(','));
    return parts.size() >= 3 ? QColor(parts[0].trimmed().toInt(), parts[1].trimmed().toInt(),
                                      parts[2].trimmed().toInt())
                             : QColor();
}

// The background under a run of text as painted: the commonest colour of
// its box (the letters cover the lesser part of it).
QColor backgroundIn(const QImage& image, QRect box) {
    box = box.intersected(image.rect());
    QHash<QRgb, int> counts;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            ++counts[image.pixel(x, y) & 0xF8F8F8];
    QRgb best = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    return QColor(best);
}

// What falls short of 7:1 on the page in view; empty when nothing does.
// The engine paints on its own time, so the page is grabbed until two
// grabs agree.
QStringList shortOfContrast(BrowserView* view, int* measured) {
    QTest::qWait(200);
    QImage image = view->grab().toImage();
    for (int i = 0; i < 20; ++i) {
        QTest::qWait(150);
        const QImage again = view->grab().toImage();
        if (again == image)
            break;
        image = again;
    }
    image = image.convertToFormat(QImage::Format_RGB32);
    const auto answer = view->runScript(QString::fromLatin1(kTexts));
    QStringList faults;
    if (!answer)
        return {QStringLiteral("no answer from the page")};
    const double zoom = view->zoomFactor();
    *measured = 0;
    for (const QVariant& entry : answer->toList()) {
        const QVariantList v = entry.toList();
        const QRect box(qRound(v[2].toDouble() * zoom), qRound(v[3].toDouble() * zoom),
                        qRound(v[4].toDouble() * zoom), qRound(v[5].toDouble() * zoom));
        const QColor text = cssColour(v[1].toString());
        const QColor background = backgroundIn(image, box);
        const double ratio = contrast(text, background);
        ++*measured;
        // The background is read off the painted page, to 3 bits less per channel.
        if (ratio < 6.9)
            faults << QStringLiteral("%1: %2 on %3 is %4:1")
                          .arg(v[0].toString(), text.name(), background.name())
                          .arg(ratio, 0, 'f', 2);
    }
    return faults;
}

} // namespace

// The reading themes on the real pages with the real engine.
class TestThemes : public QObject {
    Q_OBJECT

    std::unique_ptr<FreshSettings> settings_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<frmMain> w_;

    void openWindow() {
        w_.reset();
        context_ = std::make_unique<AppContext>();
        w_ = std::make_unique<frmMain>(*context_);
        w_->resize(1100, 780);
        w_->show();
        w_->Form_Load();
        QVERIFY(w_->browser()->waitForLoad());
    }
    CommandBarControl* menuItem(int id) {
        return w_->commandBars()->ActiveMenuBar()->FindControl(id);
    }
    void choose(int id) { w_->CBar_CommandInvoked(menuItem(id)); }
    QString pageTheme(BrowserView* view) {
        const auto answer = view->runScript(
            QStringLiteral("document.documentElement.getAttribute('data-reading-theme')"));
        return answer ? answer->toString() : QString();
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

    void everyPageKeepsItsTextAt7To1_data() {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QString>("page");
        for (const char* theme : {"Day", "Sepia", "Night"}) {
            for (const char* page : {"start", "sura", "information", "results"})
                QTest::newRow(qPrintable(
                    QStringLiteral("%1, %2").arg(QLatin1String(theme), QLatin1String(page))))
                    << QString::fromLatin1(theme) << QString::fromLatin1(page);
        }
    }
    void everyPageKeepsItsTextAt7To1() {
        QFETCH(QString, theme);
        QFETCH(QString, page);
        choose(ThemeCommandId::Day + int(ReadingTheme::fromName(theme)));
        BrowserView* view = w_->browser();
        std::unique_ptr<frmInfo> info;
        if (page == QLatin1String("start")) {
            w_->reader().showStartPage();
            QVERIFY(view->waitForLoad());
        } else if (page == QLatin1String("sura")) {
            // Part 3 begins at 2:253: a mark, the current verse and its neighbours.
            choose(DivisionCommandId::PartPopup + 3);
            QTRY_VERIFY(
                view->runScript(QStringLiteral(
                                    "document.querySelectorAll('span.division-mark').length > 0"))
                    ->toBool());
        } else {
            info = std::make_unique<frmInfo>(*context_, w_.get());
            info->resize(900, 700);
            info->show();
            if (page == QLatin1String("information")) {
                const auto body =
                    ChapterInfoPage::bodyFor(context_->library(1), QStringLiteral("2"));
                QVERIFY(body);
                info->showPage(QStringLiteral("INFO.HTML"), *body);
            } else {
                const QList<ResultMarkup::Result> results{
                    {QStringLiteral("002- Al-Baqara 2 : 255"),
                     QStringLiteral("Allah! There is no God save Him, the Alive, the Eternal.")},
                    {QStringLiteral("003- Aal-i-Imraan 3 : 2"),
                     QStringLiteral("Allah! There is no God save Him, the Alive, the Eternal.")}};
                info->showPage(QStringLiteral("SEARCH.HTML"),
                               ResultMarkup::report(QStringLiteral("eternal"), results));
            }
            view = info->WebBrowser1;
            QVERIFY(view->waitForLoad());
        }
        QTRY_COMPARE(pageTheme(view), theme);
        int measured = 0;
        const QStringList faults = shortOfContrast(view, &measured);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        QVERIFY(measured >= 2);
    }

    void theThemeSurvivesARestart() {
        choose(ThemeCommandId::Night);
        QVERIFY(menuItem(ThemeCommandId::Night)->Checked());
        QVERIFY(!menuItem(ThemeCommandId::Day)->Checked());
        QTRY_COMPARE(pageTheme(w_->browser()), QStringLiteral("Night"));
        openWindow();
        QCOMPARE(context_->settings().text(Setting::Theme), QStringLiteral("Night"));
        QVERIFY(menuItem(ThemeCommandId::Night)->Checked());
        QTRY_COMPARE(pageTheme(w_->browser()), QStringLiteral("Night"));
        QVERIFY(w_->reader().showSura(1));
        QTRY_COMPARE(pageTheme(w_->browser()), QStringLiteral("Night"));
    }

    // Chosen in the settings window, stored on OK, on the page at once.
    void theSettingsWindowChoosesTheTheme() {
        QVERIFY(w_->reader().showSura(2));
        frmLangSettings window(*context_, w_.get());
        QCOMPARE(window.cmbTheme->currentText(), QStringLiteral("Day"));
        QCOMPARE(window.cmbTheme->accessibleName(), QStringLiteral("Reading theme:"));
        window.cmbTheme->setCurrentIndex(window.cmbTheme->findText(QStringLiteral("Sepia")));
        window.cmdOK->click();
        QCOMPARE(context_->settings().text(Setting::Theme), QStringLiteral("Sepia"));
        QTRY_COMPARE(pageTheme(w_->browser()), QStringLiteral("Sepia"));
        QVERIFY(menuItem(ThemeCommandId::Sepia)->Checked());
    }

    // Paper is Day: the sura page printed under Night is light with dark text.
    void aPagePrintedUnderNightIsDay() {
        choose(ThemeCommandId::Night);
        QVERIFY(w_->reader().showSura(112));
        QTRY_COMPARE(pageTheme(w_->browser()), QStringLiteral("Night"));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("night.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QSignalSpy done(w_->browser()->page(), &QWebEnginePage::pdfPrintingFinished);
        w_->browser()->printTo(&printer);
        QVERIFY(done.wait(60000));
        QVERIFY(done.first().at(1).toBool());
        QProcess render;
        render.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                      QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                      QStringLiteral("1"), pdf, dir.filePath(QStringLiteral("page"))});
        if (!render.waitForStarted())
            QSKIP("pdftoppm (poppler-utils) is not installed");
        QVERIFY(render.waitForFinished(60000));
        QImage page;
        for (const QString& name : QDir(dir.path()).entryList({QStringLiteral("page*.png")}))
            page.load(dir.filePath(name));
        QVERIFY(!page.isNull());
        int light = 0, dark = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const int grey = qGray(page.pixel(x, y));
                light += grey > 230 ? 1 : 0;
                dark += grey < 100 ? 1 : 0;
            }
        QVERIFY2(light > page.width() * page.height() * 3 / 4,
                 qPrintable(QStringLiteral("%1 of %2 pixels light")
                                .arg(light)
                                .arg(page.width() * page.height())));
        QVERIFY(dark > 0);
    }
};

MIRAVEL_GUI_TEST_MAIN(TestThemes)
#include "tst_themes.moc"
