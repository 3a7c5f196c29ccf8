#include "AppContext.h"
#include "BrowserView.h"
#include "frmMain.h"
#include "GuiTestMain.h"
#include "QuranReader.h"
#include "ResScheme.h"
#include "StateWait.h"
#include "SuraTree.h"
#include "TextRange.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QXmlStreamReader>

#include <memory>

namespace {

// For every verse label of the page: the gap in pixels from the verse's last
// text paragraph down to the label, and from the label down to the paragraph
// that opens the next verse (-1 after the last verse).  The rule paragraph
// and the empty paragraphs between texts are not text.
const char* const kLabelGaps = R"(
(function() {
  function isText(p) {
    return p.tagName === 'P' && (p.className === 'main' || p.className === 'Trans') &&
           p.textContent.trim() !== '';
  }
  var gaps = [];
  document.querySelectorAll('p.A1').forEach(function(label) {
    var box = label.getBoundingClientRect();
    var own = label.previousElementSibling;
    while (own && !isText(own))
      own = own.previousElementSibling;
    var next = label.nextElementSibling;
    while (next && !isText(next))
      next = next.nextElementSibling;
    gaps.push({label: label.textContent,
               own: own ? box.top - own.getBoundingClientRect().bottom : -1,
               next: next ? next.getBoundingClientRect().top - box.bottom : -1});
  });
  return JSON.stringify(gaps);
})()
)";

// One line of text of a printed page, as pdftotext places it (points).
struct PrintedLine {
    int page = 0;
    double top = 0;
    double bottom = 0;
    QString text;
};

// The words of `pdfPath` joined into lines by their page and top edge.
QList<PrintedLine> printedLines(const QString& pdfPath, QString* error) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(StateWait::kLimitMs) || pdftotext.exitCode() != 0) {
        *error = QStringLiteral("pdftotext (Debian poppler-utils) did not run: ") +
                 pdftotext.errorString();
        return {};
    }
    QList<PrintedLine> lines;
    QXmlStreamReader xml(pdftotext.readAllStandardOutput());
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page"))
            ++page;
        if (xml.name() != QLatin1String("word"))
            continue;
        const auto a = xml.attributes();
        const double top = a.value(QLatin1String("yMin")).toDouble();
        const double bottom = a.value(QLatin1String("yMax")).toDouble();
        const QString word = xml.readElementText();
        if (!lines.isEmpty() && lines.last().page == page && qAbs(lines.last().top - top) < 1.0) {
            lines.last().text += QLatin1Char(' ') + word;
            lines.last().bottom = std::max(lines.last().bottom, bottom);
        } else {
            lines.append({page, top, bottom, word});
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return lines;
}

// Where the page's selection lies: its text, the class of the paragraph that
// holds it, and whether its box is inside the window, as "text|class|shown".
const char* const kSelectionPlace = R"(
(function() {
  var s = window.getSelection();
  if (!s.rangeCount) return '';
  var range = s.getRangeAt(0);
  var box = range.getBoundingClientRect();
  var holder = range.startContainer.parentNode;
  var shown = box.height > 0 && box.top >= 0 && box.bottom <= window.innerHeight;
  return range.toString() + '|' + holder.className + '|' + shown;
})()
)";

// The label of the verse whose text holds the selection: the first label
// after it.
const char* const kLabelAfterSelection = R"(
(function() {
  var s = window.getSelection();
  if (!s.rangeCount) return '';
  var e = s.getRangeAt(0).startContainer.parentNode;
  while (e && !(e.tagName === 'P' && e.className === 'A1')) e = e.nextElementSibling;
  return e ? e.textContent : '';
})()
)";

} // namespace

// The verse labels of the real page in the real engine: each label must read
// as the foot of its own verse, never as the heading of the next one.
class TestVerseLabels : public QObject {
    Q_OBJECT

    std::unique_ptr<AppContext> context_;
    std::unique_ptr<frmMain> w_;

    // Shows the sura with the display order and waits for its pictures, which
    // take their room only once loaded.
    void show(int sura, const QString& order) {
        context_->settings().setOrderString(order);
        w_->reader().showSura(sura);
        WAIT_VERIFY(
            w_->browser()
                ->runScript(QStringLiteral("Array.from(document.images).every(function(i){return "
                                           "i.complete})"),
                            StateWait::kLimitMs)
                .value_or(false)
                .toBool());
    }

    QString selectionPlace() {
        return w_->browser()
            ->runScript(QString::fromLatin1(kSelectionPlace), StateWait::kLimitMs)
            .value_or(QVariant())
            .toString();
    }

    // Prints the page to a PDF in `dir` and returns its file name.
    QString printToPdf(const QTemporaryDir& dir) {
        const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QSignalSpy done(w_->browser()->page(), &QWebEnginePage::pdfPrintingFinished);
        w_->browser()->printTo(&printer);
        if (!done.wait(StateWait::kLimitMs) || !done.first().at(1).toBool())
            return {};
        return pdf;
    }

    // Prints the page and reads its lines back into `lines`.
    void printAndRead(QList<PrintedLine>& lines) {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString pdf = printToPdf(dir);
        QVERIFY(!pdf.isEmpty());
        QString error;
        lines = printedLines(pdf, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

private slots:
    void initTestCase() {
        context_ = std::make_unique<AppContext>();
        w_ = std::make_unique<frmMain>(*context_);
        w_->show();
        w_->Form_Load();
        QVERIFY(w_->browser()->waitForLoad(StateWait::kLimitMs));
    }

    void labelIsNearerItsOwnVerse_data() {
        QTest::addColumn<int>("sura");
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("verses");
        const std::pair<int, int> suras[]{{1, 7}, {2, 286}, {114, 6}}; // sura, verses
        for (const auto& [sura, verses] : suras)
            for (const char* order : {"1/2", "1/2/3"})
                QTest::addRow("sura %d, %s", sura, order)
                    << sura << QString::fromLatin1(order) << verses;
    }

    void labelIsNearerItsOwnVerse() {
        QFETCH(int, sura);
        QFETCH(QString, order);
        QFETCH(int, verses);
        show(sura, order);
        const auto answer =
            w_->browser()->runScript(QString::fromLatin1(kLabelGaps), StateWait::kLimitMs);
        QVERIFY(answer);
        const QJsonArray gaps = QJsonDocument::fromJson(answer->toString().toUtf8()).array();
        QCOMPARE(gaps.size(), verses);
        for (int i = 0; i < gaps.size(); ++i) {
            const QJsonObject gap = gaps.at(i).toObject();
            const QString label = gap.value(QLatin1String("label")).toString();
            QCOMPARE(label, QStringLiteral("%1 : %2").arg(sura).arg(i + 1));
            const double own = gap.value(QLatin1String("own")).toDouble();
            const double next = gap.value(QLatin1String("next")).toDouble();
            QVERIFY2(own >= 0, qPrintable(label));
            if (i + 1 == gaps.size()) {
                QCOMPARE(next, -1.0); // nothing follows the last verse
                continue;
            }
            QVERIFY2(own + 12 <= next, qPrintable(QStringLiteral("%1: %2 px to its verse, %3 px "
                                                                 "to the next")
                                                      .arg(label)
                                                      .arg(own)
                                                      .arg(next)));
        }
    }

    void printedLabelIsNearerItsOwnVerse() {
        show(1, QStringLiteral("1/2"));
        QList<PrintedLine> lines;
        printAndRead(lines);
        if (QTest::currentTestFailed())
            return;
        static const QRegularExpression labelText(QStringLiteral("^1 : [1-7]$"));
        // The "." that ends a verse's texts stands on a line of its own.
        const auto isVerseText = [](const PrintedLine& line) {
            return !labelText.match(line.text).hasMatch() && line.text != QLatin1String(".");
        };
        int labels = 0;
        int compared = 0;
        for (int i = 0; i < lines.size(); ++i) {
            if (!labelText.match(lines[i].text).hasMatch())
                continue;
            ++labels;
            int own = i - 1;
            while (own >= 0 && !isVerseText(lines[own]))
                --own;
            int next = i + 1;
            while (next < lines.size() && !isVerseText(lines[next]))
                ++next;
            // Only neighbours on the label's own page have a distance to it.
            if (own < 0 || next >= lines.size() || lines[own].page != lines[i].page ||
                lines[next].page != lines[i].page)
                continue;
            ++compared;
            const double ownGap = lines[i].top - lines[own].bottom;
            const double nextGap = lines[next].top - lines[i].bottom;
            QVERIFY2(ownGap < nextGap,
                     qPrintable(QStringLiteral("%1: %2 pt to its verse, %3 pt to the next")
                                    .arg(lines[i].text)
                                    .arg(ownGap)
                                    .arg(nextGap)));
        }
        QCOMPARE(labels, 7);
        QVERIFY2(compared >= 5, "too few labels with both neighbours on their page");
    }

    // A page break never parts a verse from its end: no printed page after
    // the first opens with a label or with the "." that ends a verse's texts.
    // The page on screen is the same before and after the print.
    void printedPageNeverOpensWithAVerseEnd_data() {
        QTest::addColumn<QString>("order");
        for (const char* order : {"1/2/3", "2/1", "1/2"})
            QTest::newRow(order) << QString::fromLatin1(order);
    }

    void printedPageNeverOpensWithAVerseEnd() {
        QFETCH(QString, order);
        show(2, order);
        const QString before = w_->browser()->bodyInnerHtml();
        QList<PrintedLine> lines;
        printAndRead(lines);
        if (QTest::currentTestFailed())
            return;
        static const QRegularExpression labelText(QStringLiteral("^2 : [0-9]+$"));
        QStringList labels;
        QStringList pageOpenings;
        for (int i = 0; i < lines.size(); ++i) {
            if (labelText.match(lines[i].text).hasMatch())
                labels.append(lines[i].text);
            if (i == 0 || lines[i].page == lines[i - 1].page)
                continue;
            const QString& opening = lines[i].text;
            if (opening == QLatin1String(".") || labelText.match(opening).hasMatch())
                pageOpenings.append(QStringLiteral("page %1: %2").arg(lines[i].page).arg(opening));
        }
        QVERIFY2(pageOpenings.isEmpty(), qPrintable(pageOpenings.join(QStringLiteral(", "))));
        QCOMPARE(labels.size(), 286);
        QCOMPARE(w_->browser()->bodyInnerHtml(), before);
    }

    // Verses far below the window are not laid out until they come near it;
    // going to one must still select its label and leave it on screen.
    void goToSelectsAndShowsALabelFarDown_data() {
        QTest::addColumn<int>("verse");
        QTest::addColumn<QString>("order");
        for (const int verse : {255, 286, 150})
            for (const char* order : {"1/2/3", "2/1"})
                QTest::addRow("2 : %d, %s", verse, order) << verse << QString::fromLatin1(order);
    }

    void goToSelectsAndShowsALabelFarDown() {
        QFETCH(int, verse);
        QFETCH(QString, order);
        context_->settings().setOrderString(order);
        QVERIFY(w_->reader().goToVerse(2, verse));
        const QString label = QStringLiteral("2 : %1").arg(verse);
        QCOMPARE(selectionPlace(), label + QStringLiteral("|A1|true"));
        // Still on screen once the verses around it have been laid out and
        // painted, two frames on.
        QVERIFY(StateWait::framesBegun(w_->browser()));
        QCOMPARE(selectionPlace(), label + QStringLiteral("|A1|true"));
    }

    void findInPageReachesAVerseFarDown() {
        show(2, QStringLiteral("1/2/3"));
        TextRange range = w_->browser()->createTextRange();
        QVERIFY(range.findText(QStringLiteral("Condemn us not")));
        range.Select();
        QVERIFY(StateWait::framesBegun(w_->browser()));
        QCOMPARE(selectionPlace(), QStringLiteral("Condemn us not|Trans|true"));
        QCOMPARE(w_->browser()
                     ->runScript(QString::fromLatin1(kLabelAfterSelection), StateWait::kLimitMs)
                     .value_or(QVariant())
                     .toString(),
                 QStringLiteral("2 : 286"));
        // The engine's own search finds it as well.
        QSignalSpy found(w_->browser()->page(), &QWebEnginePage::findTextFinished);
        w_->browser()->page()->findText(QStringLiteral("Condemn us not"));
        QVERIFY(found.wait(StateWait::kLimitMs));
        QCOMPARE(found.first().at(0).value<QWebEngineFindTextResult>().numberOfMatches(), 1);
        w_->browser()->page()->findText(QString());
    }

    // Printing lays out every verse, also those never shown on screen.
    void printedPageHoldsEveryVerse_data() {
        QTest::addColumn<int>("sura");
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("verses");
        QTest::addColumn<QString>("lastWords"); // of the last verse's translation
        QTest::newRow("sura 114, 1/2")
            << 114 << QStringLiteral("1/2") << 6 << QStringLiteral("Of the jinn and of mankind.");
        QTest::newRow("sura 2, 1/2/3")
            << 2 << QStringLiteral("1/2/3") << 286
            << QStringLiteral("give us victory over the disbelieving folk.");
    }

    void printedPageHoldsEveryVerse() {
        QFETCH(int, sura);
        QFETCH(QString, order);
        QFETCH(int, verses);
        QFETCH(QString, lastWords);
        show(sura, order);
        QList<PrintedLine> lines;
        printAndRead(lines);
        if (QTest::currentTestFailed())
            return;
        static const QRegularExpression labelText(QStringLiteral("^([0-9]+) : ([0-9]+)$"));
        QStringList labels;
        QString text;
        for (const PrintedLine& line : lines) {
            if (labelText.match(line.text).hasMatch())
                labels.append(line.text);
            text += line.text + QLatin1Char(' ');
        }
        QStringList expected;
        for (int v = 1; v <= verses; ++v)
            expected.append(QStringLiteral("%1 : %2").arg(sura).arg(v));
        QCOMPARE(labels, expected);
        QVERIFY2(text.contains(lastWords), qPrintable(text.right(400)));
    }
};

MIRAVEL_GUI_TEST_MAIN(TestVerseLabels)

#include "tst_verselabels.moc"
