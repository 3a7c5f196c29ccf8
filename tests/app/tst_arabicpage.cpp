#include "AppContext.h"
#include "BrowserView.h"
#include "frmMain.h"
#include "GuiTestMain.h"
#include "PageZoom.h"
#include "QuranReader.h"
#include "ReadingView.h"
#include "ResScheme.h"
#include "StateWait.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>

#include <memory>

namespace {

// The page's own functions for the checks below, defined once per page in
// the application's script world.  A verse is found by its label: its
// first text paragraph is the one of display position 0.
const char* const kHelpers = R"(
(function() {
  if (window.arabicPage) return true;
  var page = {};
  page.label = function(text) {
    var labels = document.querySelectorAll('p.A1');
    for (var i = 0; i < labels.length; ++i)
      if (labels[i].textContent === text) return labels[i];
    return null;
  };
  page.isText = function(p) {
    return p.tagName === 'P' && (p.classList.contains('main') || p.classList.contains('Trans')) &&
           p.textContent.trim() !== '';
  };
  // The text paragraphs of the verse with `label`, in display order.
  page.texts = function(label) {
    var texts = [];
    for (var p = page.label(label).previousElementSibling; p && !p.classList.contains('A1');
         p = p.previousElementSibling)
      if (page.isText(p)) texts.unshift(p);
    return texts;
  };
  page.rect = function(r) {
    return {left: r.left, right: r.right, top: r.top, bottom: r.bottom};
  };
  // The text node and the offset in it of character `at` of the paragraph's
  // text, which spans (a word kept with its pause marks) divide in parts.
  page.place = function(p, at) {
    var walker = document.createTreeWalker(p, NodeFilter.SHOW_TEXT);
    var last = null;
    for (var node = walker.nextNode(); node; node = walker.nextNode()) {
      if (at <= node.data.length) return [node, at];
      at -= node.data.length;
      last = node;
    }
    return [last, last ? last.data.length : 0];
  };
  // The box of characters [from, to) of the paragraph's text.
  page.box = function(p, from, to) {
    p.normalize();
    var range = document.createRange();
    var start = page.place(p, from);
    var end = page.place(p, to);
    range.setStart(start[0], start[1]);
    range.setEnd(end[0], end[1]);
    return page.rect(range.getBoundingClientRect());
  };
  // The line boxes of a paragraph: its text's boxes joined by their top.
  page.lines = function(p) {
    var range = document.createRange();
    range.selectNodeContents(p);
    var lines = [];
    Array.prototype.forEach.call(range.getClientRects(), function(r) {
      if (r.width === 0) return;
      var line = lines.find(function(l) { return Math.abs(l.top - r.top) < 4; });
      if (!line) lines.push(page.rect(r));
      else {
        line.left = Math.min(line.left, r.left);
        line.right = Math.max(line.right, r.right);
      }
    });
    return lines.sort(function(a, b) { return a.top - b.top; });
  };
  // The word of `text` (a run without spaces) that ends right before the
  // spaces before `at`, or starts right after the spaces after it.
  page.wordBefore = function(text, at) {
    var end = at;
    while (end > 0 && text[end - 1] === ' ') --end;
    var start = end;
    while (start > 0 && text[start - 1] !== ' ') --start;
    return [start, end];
  };
  page.wordAfter = function(text, at) {
    var start = at + 1;
    while (start < text.length && text[start] === ' ') ++start;
    var end = start;
    while (end < text.length && text[end] !== ' ') ++end;
    return [start, end];
  };
  window.arabicPage = page;
  return true;
})()
)";

// The pause marks and the prostration sign.
const char* const kSigns = "\u06d6\u06d7\u06d8\u06d9\u06da\u06db\u06dc\u06e9";

struct Box {
    double left = 0;
    double right = 0;
    double top = 0;
    double bottom = 0;
    static Box from(const QJsonValue& value) {
        const QJsonObject o = value.toObject();
        return {
            o.value(QLatin1String("left")).toDouble(), o.value(QLatin1String("right")).toDouble(),
            o.value(QLatin1String("top")).toDouble(), o.value(QLatin1String("bottom")).toDouble()};
    }
};

// The pixels in which two pictures of the same place differ.
QList<QPoint> differenceOf(const QImage& a, const QImage& b) {
    QList<QPoint> changed;
    const int width = std::min(a.width(), b.width());
    const int height = std::min(a.height(), b.height());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                changed.append({x, y});
        }
    }
    return changed;
}

// Whether a pixel is ink: anything clearly darker than the white page.
bool isInk(QRgb pixel) {
    return qGray(pixel) < 200;
}

} // namespace

// How the Arabic is set on the real page in the real engine: right to left
// and right-aligned, its marks where the face puts them, nothing painted
// over it, and the basmala above the suras that have one.  Measured on the
// laid-out page and on pictures of it, not read from the style sheet.
class TestArabicPage : public QObject {
    Q_OBJECT

    std::unique_ptr<AppContext> context_;
    std::unique_ptr<frmMain> w_;

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
        QVERIFY(w_->browser()
                    ->runScript(QString::fromLatin1(kHelpers), StateWait::kLimitMs)
                    .value_or(false)
                    .toBool());
    }

    // The answer of a script that returns JSON.
    QJsonValue ask(const QString& script) {
        const auto answer = w_->browser()->runScript(script, StateWait::kLimitMs);
        if (!answer)
            return {};
        return QJsonDocument::fromJson(answer->toString().toUtf8())
            .object()
            .value(QLatin1String("v"));
    }

    // A picture of the page as it is now, every change made to it painted,
    // in the page's pixels times the zoom.
    QImage grabPage() {
        QWidget* widget = w_->browser()->focusProxy() ? w_->browser()->focusProxy() : w_->browser();
        return StateWait::paintedPicture(w_->browser(), widget);
    }

    // Scrolls the verse's paragraph at display position 0 to the middle of
    // the window.
    void bringToView(const QString& label) {
        QVERIFY(w_->browser()
                    ->runScript(QStringLiteral("arabicPage.texts(%1)[0].scrollIntoView({block: "
                                               "'center'}); true")
                                    .arg(PageScript::literal(label)))
                    .value_or(false)
                    .toBool());
        // Laid out once the engine has begun two more frames.
        QVERIFY(StateWait::framesBegun(w_->browser()));
    }

private slots:
    void initTestCase() {
        context_ = std::make_unique<AppContext>();
        w_ = std::make_unique<frmMain>(*context_);
        w_->resize(1000, 760);
        w_->show();
        w_->Form_Load();
        QVERIFY(w_->browser()->waitForLoad(StateWait::kLimitMs));
    }

    void cleanup() { w_->readingView().zoom()->setPercent(100); }

    // Every line of an Arabic paragraph on screen ends at its right edge,
    // clear of the scroll bar, and its first word stands at the right; every
    // other text paragraph is left-aligned, whichever display position the
    // Arabic takes.
    void arabicIsRightAligned_data() {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("place"); // label of the verse brought into view
        for (const char* order : {"1/2", "2/1"})
            for (const char* place : {"2 : 1", "2 : 255"})
                QTest::addRow("%s at %s", order, place)
                    << QString::fromLatin1(order) << QString::fromLatin1(place);
    }

    void arabicIsRightAligned() {
        QFETCH(QString, order);
        QFETCH(QString, place);
        // The Arabic keeps its size in either place: at 80 % two verses of
        // 2:255's length fit on screen.
        w_->readingView().zoom()->setPercent(80);
        show(2, order);
        bringToView(place);
        const QJsonArray paragraphs = ask(QStringLiteral(R"((function() {
  var found = [];
  document.querySelectorAll('p.main, p.Trans').forEach(function(p) {
    var box = p.getBoundingClientRect();
    if (!arabicPage.isText(p) || box.bottom < 0 || box.top > window.innerHeight) return;
    var style = getComputedStyle(p);
    var text = p.textContent;
    var first = text.search(/\S/);
    var firstEnd = text.indexOf(' ', first);
    found.push({arabic: /[\u0600-\u06ff]/.test(text),
                left: box.left + parseFloat(style.paddingLeft),
                right: box.right - parseFloat(style.paddingRight),
                scrollBar: document.documentElement.clientWidth,
                lines: arabicPage.lines(p),
                firstWord: arabicPage.box(p, first, firstEnd < 0 ? text.length : firstEnd)});
  });
  return JSON.stringify({v: found});
})())"))
                                          .toArray();
        int arabic = 0;
        int other = 0;
        for (const QJsonValue& value : paragraphs) {
            const QJsonObject p = value.toObject();
            const double left = p.value(QLatin1String("left")).toDouble();
            const double right = p.value(QLatin1String("right")).toDouble();
            const QJsonArray lines = p.value(QLatin1String("lines")).toArray();
            QVERIFY(!lines.isEmpty());
            if (p.value(QLatin1String("arabic")).toBool()) {
                ++arabic;
                // As far from the scroll bar as the translation keeps.
                QVERIFY(p.value(QLatin1String("scrollBar")).toDouble() - right >= 40);
                for (const QJsonValue& line : lines)
                    QVERIFY2(qAbs(Box::from(line).right - right) <= 2,
                             qPrintable(QStringLiteral("a line ends at %1, the paragraph at %2")
                                            .arg(Box::from(line).right)
                                            .arg(right)));
                const Box firstWord = Box::from(p.value(QLatin1String("firstWord")));
                QVERIFY2(qAbs(firstWord.right - right) <= 2,
                         qPrintable(QStringLiteral("the first word ends at %1, the paragraph at %2")
                                        .arg(firstWord.right)
                                        .arg(right)));
                QVERIFY(qAbs(firstWord.top - Box::from(lines.first()).top) < 4);
            } else {
                ++other;
                for (const QJsonValue& line : lines)
                    QVERIFY(qAbs(Box::from(line).left - left) <= 2);
            }
        }
        QVERIFY2(arabic >= 2 && other >= 2,
                 qPrintable(QStringLiteral("%1 Arabic and %2 other paragraphs on screen")
                                .arg(arabic)
                                .arg(other)));
    }

    // Each pause mark paints its ink over its own place, the gap between its
    // two words, and nowhere else: a picture with the mark made invisible
    // differs from the page only there.
    void pauseMarksInkTheirOwnPlace_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("marks");
        QTest::newRow("2 : 2") << QStringLiteral("2 : 2") << 2;
        QTest::newRow("2 : 255") << QStringLiteral("2 : 255") << 8;
    }

    void pauseMarksInkTheirOwnPlace() {
        QFETCH(QString, label);
        QFETCH(int, marks);
        show(2, QStringLiteral("1/2"));
        bringToView(label);
        const QJsonArray found = ask(QStringLiteral(R"((function(label, signs) {
  var p = arabicPage.texts(label)[0];
  var text = p.textContent;
  var found = [];
  for (var i = 0; i < text.length; ++i) {
    if (signs.indexOf(text[i]) < 0) continue;
    var before = arabicPage.wordBefore(text, i);
    var after = arabicPage.wordAfter(text, i);
    found.push({at: i, box: arabicPage.box(p, i, i + 1),
                before: arabicPage.box(p, before[0], before[1]),
                after: arabicPage.box(p, after[0], after[1])});
  }
  return JSON.stringify({v: found});
})(%1, %2))")
                                         .arg(PageScript::literal(label),
                                              PageScript::literal(QString::fromUtf8(kSigns))))
                                     .toArray();
        QCOMPARE(found.size(), marks);
        for (const QJsonValue& value : found) {
            const QJsonObject mark = value.toObject();
            const int at = mark.value(QLatin1String("at")).toInt();
            const Box box = Box::from(mark.value(QLatin1String("box")));
            const QString where = QStringLiteral("%1, character %2").arg(label).arg(at);
            // The layout puts the mark between its words (those on its line).
            const Box before = Box::from(mark.value(QLatin1String("before")));
            const Box after = Box::from(mark.value(QLatin1String("after")));
            if (qAbs(before.top - box.top) < 4)
                QVERIFY2(box.right <= before.left + 1, qPrintable(where));
            if (qAbs(after.top - box.top) < 4)
                QVERIFY2(box.left >= after.right - 1, qPrintable(where));
            // The mark gets a span of its own first, so that both pictures
            // paint the line in the same pieces and differ only by its ink.
            // The span holds the space before it too: the mark is drawn as
            // part of that space's cluster.
            QVERIFY(w_->browser()
                        ->runScript(QStringLiteral(R"((function(label, at) {
  var p = arabicPage.texts(label)[0];
  p.normalize();
  var from = at;
  while (from > 0 && p.textContent[from - 1] === ' ') --from;
  var start = arabicPage.place(p, from);
  var mark = start[0].splitText(start[1]);
  mark.splitText(at + 1 - from);
  var own = document.createElement('span');
  own.className = 'probe';
  mark.parentNode.replaceChild(own, mark);
  own.appendChild(mark);
  return true;
})(%1, %2))")
                                        .arg(PageScript::literal(label))
                                        .arg(at))
                        .value_or(false)
                        .toBool());
            const QImage shown = grabPage();
            QVERIFY(!shown.isNull());
            const auto markColour = [&](const char* colour) {
                return w_->browser()
                    ->runScript(QStringLiteral("arabicPage.texts(%1)[0].querySelector('span.probe')"
                                               ".style.color = '%2'; true")
                                    .arg(PageScript::literal(label), QLatin1String(colour)))
                    .value_or(false)
                    .toBool();
            };
            QVERIFY(markColour("transparent"));
            const QImage without = grabPage();
            QVERIFY(!without.isNull());
            QVERIFY(markColour(""));
            QVERIFY(w_->browser()
                        ->runScript(QStringLiteral(R"((function(label) {
  var p = arabicPage.texts(label)[0];
  var own = p.querySelector('span.probe');
  own.parentNode.replaceChild(own.firstChild, own);
  p.normalize();
  return true;
})(%1))")
                                        .arg(PageScript::literal(label)))
                        .value_or(false)
                        .toBool());
            const QList<QPoint> ink = differenceOf(shown, without);
            QVERIFY2(!ink.isEmpty(), qPrintable(where + QStringLiteral(": no ink")));
            // The glyph may be a little wider than the gap, but the part
            // beside the gap stays up with the other marks above the words,
            // never below them.
            const double middle = (box.top + box.bottom) / 2;
            for (const QPoint& pixel : ink) {
                const bool inGap = pixel.x() >= box.left - 1 && pixel.x() < box.right + 1;
                const bool beside = pixel.x() >= box.left - 5 && pixel.x() < box.right + 5;
                QVERIFY2(inGap || (beside && pixel.y() < middle),
                         qPrintable(QStringLiteral("%1: ink at %2, %3; its place from %4 to %5, "
                                                   "%6 to %7")
                                        .arg(where)
                                        .arg(pixel.x())
                                        .arg(pixel.y())
                                        .arg(box.left)
                                        .arg(box.right)
                                        .arg(box.top)
                                        .arg(box.bottom)));
            }
        }
    }

    // A sign that ends a verse stands after its last word, to the left of it.
    void verseFinalSignFollowsTheLastWord_data() {
        QTest::addColumn<int>("sura");
        QTest::addColumn<int>("verse");
        QTest::newRow("96 : 19") << 96 << 19;
        QTest::newRow("7 : 206") << 7 << 206;
        QTest::newRow("18 : 1") << 18 << 1;
    }

    void verseFinalSignFollowsTheLastWord() {
        QFETCH(int, sura);
        QFETCH(int, verse);
        show(sura, QStringLiteral("1/2"));
        const QString label = QStringLiteral("%1 : %2").arg(sura).arg(verse);
        bringToView(label);
        const QJsonObject found = ask(QStringLiteral(R"((function(label, signs) {
  var p = arabicPage.texts(label)[0];
  var text = p.textContent.replace(/\s+$/, '');
  var at = text.length - 1;
  if (signs.indexOf(text[at]) < 0) return JSON.stringify({v: {}});
  var word = arabicPage.wordBefore(text, at);
  return JSON.stringify({v: {sign: arabicPage.box(p, at, at + 1),
                             word: arabicPage.box(p, word[0], word[1])}});
})(%1, %2))")
                                          .arg(PageScript::literal(label),
                                               PageScript::literal(QString::fromUtf8(kSigns))))
                                      .toObject();
        QVERIFY2(found.contains(QLatin1String("sign")), "the verse ends without a sign");
        const Box sign = Box::from(found.value(QLatin1String("sign")));
        const Box word = Box::from(found.value(QLatin1String("word")));
        QVERIFY(qAbs(sign.top - word.top) < 4); // on the last word's line
        QVERIFY2(sign.right <= word.left + 1,
                 qPrintable(QStringLiteral("sign from %1 to %2, last word from %3 to %4")
                                .arg(sign.left)
                                .arg(sign.right)
                                .arg(word.left)
                                .arg(word.right)));
    }

    // The rule under the Arabic (the separator before the translation, or
    // the rule of the verse's foot) leaves the lowest marks of its last word
    // in view: with the rule taken away, no ink of the word reaches down to
    // where the rule stands, and none of it is cut off by the paragraph.
    void ruleKeepsClearOfTheLastLine_data() {
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("zoom");
        for (const char* order : {"1/2", "1"})
            for (const int zoom : {100, 300})
                QTest::addRow("%s at %d %%", order, zoom) << QString::fromLatin1(order) << zoom;
    }

    void ruleKeepsClearOfTheLastLine() {
        QFETCH(QString, order);
        QFETCH(int, zoom);
        show(1, order);
        w_->readingView().zoom()->setPercent(zoom);
        bringToView(QStringLiteral("1 : 1"));
        // The word الرَّحِيمِ ends verse 1; the rule is the first picture after
        // the paragraph.
        const QJsonObject found = ask(QStringLiteral(R"((function() {
  var p = arabicPage.texts('1 : 1')[0];
  var text = p.textContent.replace(/\s+$/, '');
  var word = arabicPage.wordBefore(text, text.length);
  var rule = p.nextElementSibling;
  while (rule && !rule.querySelector('img')) rule = rule.nextElementSibling;
  var next = rule.nextElementSibling;
  while (next && !arabicPage.isText(next)) next = next.nextElementSibling;
  rule = rule.querySelector('img');
  rule.style.visibility = 'hidden';
  return JSON.stringify({v: {word: arabicPage.box(p, word[0], word[1]),
                             rule: arabicPage.rect(rule.getBoundingClientRect()),
                             next: arabicPage.rect(next.getBoundingClientRect())}});
})())"))
                                      .toObject();
        const Box word = Box::from(found.value(QLatin1String("word")));
        const Box rule = Box::from(found.value(QLatin1String("rule")));
        const Box next = Box::from(found.value(QLatin1String("next")));
        const double scale = zoom / 100.0;
        // The lowest row of ink in the word's columns, from its top down to
        // a little below the rule, short of the next text.
        const auto lowestInk = [&](const QImage& page) {
            int lowest = -1;
            const int bottom =
                std::min(page.height(), int(std::min(rule.bottom + 8, next.top) * scale));
            for (int y = int(word.top * scale); y < bottom; ++y) {
                for (int x = int(word.left * scale); x < int(word.right * scale); ++x) {
                    if (isInk(page.pixel(x, y)))
                        lowest = y;
                }
            }
            return lowest;
        };
        const QImage paintedPage = grabPage();
        QVERIFY(!paintedPage.isNull());
        const int painted = lowestInk(paintedPage);
        // The same paragraph painted without the containment that skips it
        // off screen, which would clip what reaches out of its box.
        QVERIFY(w_->browser()
                    ->runScript(QStringLiteral("arabicPage.texts('1 : 1')[0].style.contain = "
                                               "'none'; arabicPage.texts('1 : 1')[0].style."
                                               "contentVisibility = 'visible'; true"))
                    .value_or(false)
                    .toBool());
        const QImage wholePage = grabPage();
        QVERIFY(!wholePage.isNull());
        const int whole = lowestInk(wholePage);
        QVERIFY(
            w_->browser()
                ->runScript(QStringLiteral("arabicPage.texts('1 : 1')[0].removeAttribute('style');"
                                           "document.querySelectorAll('img').forEach(function(i) {"
                                           "  i.style.visibility = ''; }); true"))
                .value_or(false)
                .toBool());
        QVERIFY2(whole >= 0, "the word paints no ink");
        QVERIFY2(painted == whole,
                 qPrintable(QStringLiteral("the word's ink is cut at row %1, it reaches row %2")
                                .arg(painted)
                                .arg(whole)));
        QVERIFY2(whole < int(rule.top * scale),
                 qPrintable(QStringLiteral("the word's ink reaches row %1, the rule's top is %2")
                                .arg(whole)
                                .arg(rule.top * scale)));
    }

    // Printed, the Arabic keeps its right edge: the rightmost ink of every
    // line in the verse text's own colour lies in one column.
    void printedArabicEndsAtOneEdge() {
        show(2, QStringLiteral("1/2"));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QSignalSpy done(w_->browser()->page(), &QWebEnginePage::pdfPrintingFinished);
        w_->browser()->printTo(&printer);
        QVERIFY(done.wait(StateWait::kLimitMs));
        QVERIFY(done.first().at(1).toBool());
        QProcess pdftoppm;
        pdftoppm.start(QStringLiteral("pdftoppm"),
                       {QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"),
                        QStringLiteral("2"), QStringLiteral("-r"), QStringLiteral("96"),
                        QStringLiteral("-png"), pdf, dir.filePath(QStringLiteral("page"))});
        QVERIFY2(pdftoppm.waitForFinished(StateWait::kLimitMs) && pdftoppm.exitCode() == 0,
                 "pdftoppm (Debian poppler-utils) did not run");
        const QStringList pictures =
            QDir(dir.path()).entryList({QStringLiteral("page*.png")}, QDir::Files);
        QCOMPARE(pictures.size(), 1);
        const QImage page(dir.filePath(pictures.first()));
        QVERIFY(!page.isNull());
        // The verses are #333333, the translation #666666: a run of rows
        // with ink that dark, as tall as a line of letters, is an Arabic
        // line; its dark ink ends at the line's right edge.
        QList<int> edges;
        int bandRows = 0;
        int bandRight = -1;
        const auto endBand = [&] {
            if (bandRows >= 16)
                edges.append(bandRight);
            bandRows = 0;
            bandRight = -1;
        };
        for (int y = 0; y < page.height(); ++y) {
            int rowRight = -1;
            for (int x = 0; x < page.width(); ++x) {
                if (qGray(page.pixel(x, y)) < 80)
                    rowRight = x;
            }
            if (rowRight < 0) {
                endBand();
                continue;
            }
            ++bandRows;
            bandRight = std::max(bandRight, rowRight);
        }
        endBand();
        QStringList shown;
        for (const int edge : edges)
            shown.append(QString::number(edge));
        QVERIFY2(edges.size() >= 5,
                 qPrintable(QStringLiteral("%1 Arabic lines").arg(edges.size())));
        const auto [low, high] = std::minmax_element(edges.cbegin(), edges.cend());
        QVERIFY2(*high - *low <= 3, qPrintable(QStringLiteral("Arabic lines end at columns ") +
                                               shown.join(QStringLiteral(", "))));
    }

    // Suras 2 to 114 but 9 open with the basmala in Arabic above the English
    // line; sura 9 opens with neither; sura 1, whose first verse it is,
    // shows it once.
    void basmalaOpensTheSura_data() {
        QTest::addColumn<int>("sura");
        QTest::addColumn<bool>("arabicAbove");
        QTest::addColumn<bool>("englishLine");
        // Sura 1's first verse is the basmala, and its translation what the
        // English line would say again.
        QTest::newRow("1") << 1 << false << false;
        QTest::newRow("2") << 2 << true << true;
        QTest::newRow("9") << 9 << false << false;
        QTest::newRow("114") << 114 << true << true;
    }

    void basmalaOpensTheSura() {
        QFETCH(int, sura);
        QFETCH(bool, arabicAbove);
        QFETCH(bool, englishLine);
        show(sura, QStringLiteral("1/2"));
        // As Tanzil writes it above a sura and as verse 1 of sura 1.
        const QString basmala = QString::fromUtf8(
            "\u0628\u0650\u0633\u0652\u0645\u0650 \u0627\u0644\u0644\u0651\u064e\u0647\u0650 "
            "\u0627\u0644\u0631\u0651\u064e\u062d\u0652\u0645\u064e\u0640\u0670\u0646\u0650 "
            "\u0627\u0644\u0631\u0651\u064e\u062d\u0650\u064a\u0645\u0650");
        const QString query = QStringLiteral(R"((function(basmala) {
  var text = document.body.innerText;
  var english = Array.prototype.filter.call(document.querySelectorAll('p'), function(p) {
    return p.getClientRects().length > 0 && !p.classList.contains('main') &&
           !p.classList.contains('Trans') &&
           p.innerText.indexOf('In the name of Allah, the Beneficent') === 0;
  });
  var firstVerse = document.querySelector('p.main');
  var above = null;
  document.querySelectorAll('p').forEach(function(p) {
    if (!above && p.getClientRects().length > 0 && p.innerText.trim() === basmala &&
        p.getBoundingClientRect().bottom <= firstVerse.getBoundingClientRect().top)
      above = p;
  });
  return JSON.stringify({v: {
    times: text.split(basmala).length - 1,
    above: !!above,
    aboveEnglish: !!above && english.length === 1 &&
                  above.getBoundingClientRect().bottom <= english[0].getBoundingClientRect().top,
    english: english.length}});
})(%1))")
                                  .arg(PageScript::literal(basmala));
        // Sura 1 has it as its first verse, once; the page paints its first
        // verses on its own time after the composer has returned.
        const int times = sura == 1 || arabicAbove ? 1 : 0;
        QJsonObject found;
        WAIT_COMPARE((found = ask(query).toObject()).value(QLatin1String("times")).toInt(), times);
        QCOMPARE(found.value(QLatin1String("above")).toBool(), arabicAbove);
        QCOMPARE(found.value(QLatin1String("english")).toInt(), englishLine ? 1 : 0);
        if (arabicAbove)
            QVERIFY(found.value(QLatin1String("aboveEnglish")).toBool());
    }
};

MIRAVEL_GUI_TEST_MAIN(TestArabicPage)

#include "tst_arabicpage.moc"
