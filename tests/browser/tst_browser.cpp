#include "BrowserProfile.h"
#include "BrowserView.h"
#include "PageScript.h"
#include "PageZoom.h"
#include "ResAddress.h"
#include "ResScheme.h"
#include "StateWait.h"

#include <QApplication>
#include <QBuffer>
#include <QDateTime>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLoggingCategory>
#include <QMap>
#include <QPointer>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>
#include <QWebEngineHttpRequest>
#include <QWebEnginePage>
#include <QWheelEvent>

#include <signal.h>

namespace {

QByteArray imageBytes(const char* format) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// One white pixel: Qt writes no GIF of its own.
const QByteArray kGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
                      "!\xf9\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00"
                      "\x02\x02"
                      "D\x01\x00;",
                      43);

QString page(const QString& body) {
    return QStringLiteral("<html><head><title>t</title></head><body>%1</body></html>").arg(body);
}

} // namespace

// Views over pages the test puts into its own page source.
class tst_Browser : public QObject {
    Q_OBJECT

private slots:
    void addressIsValidAndRoundTrips_data();
    void addressIsValidAndRoundTrips();
    void resourceNameOfReferences_data();
    void resourceNameOfReferences();
    void contentTypeFromBytesThenName_data();
    void contentTypeFromBytesThenName();

    void pageAndImagesLoad();
    void missingPageLoadsNothing();
    void pageScriptOffButViewScriptsRun();
    void bodyMarkupWrittenAndReadBack_data();
    void bodyMarkupWrittenAndReadBack();
    void appendAddsToTheBody();
    void referencesMakeTheSamePage_data();
    void referencesMakeTheSamePage();
    void waitUntilShownFollowsTheFrames();
    void keptBodyIsPutBack();
    void textRangeFindsInOrderAndSelects();
    void textRangeDoesNotJoinParagraphs();
    void offlineBlocksRemoteRequests();
    void offlineRefusesRemoteNavigation_data();
    void offlineRefusesRemoteNavigation();
    void webRtcSendsNothing();
    void printsToPdfAsText();
    void linkClickIsReportedNotFollowed_data();
    void linkClickIsReportedNotFollowed();
    void ownNavigationIsNoLinkClick();
    void scriptAnswerThatNeverComes();
    void onlyGetRequestsAreServed_data();
    void onlyGetRequestsAreServed();
    void lostRendererLeavesNothingPending_data();
    void lostRendererLeavesNothingPending();
    void zoomedViewGoesWithItsWindow();

    void cleanup();

private:
    BrowserView& openView(const QString& name);

    QMap<QString, QByteArray> pages_;
    QStringList asked_; // every name the res scheme was asked for
    BrowserProfile profile_{[this](const QString& name) -> std::optional<QByteArray> {
        asked_ << name;
        for (auto it = pages_.cbegin(); it != pages_.cend(); ++it)
            if (it.key().compare(name, Qt::CaseInsensitive) == 0)
                return it.value();
        return std::nullopt;
    }};
    std::unique_ptr<BrowserView> view_;
};

BrowserView& tst_Browser::openView(const QString& name) {
    view_ = std::make_unique<BrowserView>(nullptr, &profile_);
    view_->resize(640, 480);
    view_->show();
    view_->Navigate(QStringLiteral("res://C:\\Miravel\\miravel.EXE/HTML/") + name);
    if (!view_->waitForLoad(StateWait::kLimitMs))
        qWarning("page did not finish loading");
    return *view_;
}

void tst_Browser::cleanup() {
    view_.reset();
    pages_.clear();
    asked_.clear();
}

void tst_Browser::addressIsValidAndRoundTrips_data() {
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("name");
    QTest::newRow("unix") << "/opt/miravel"
                          << "QURAN.HTML";
    QTest::newRow("unix trailing slash") << "/opt/miravel/"
                                         << "loading.HTML";
    QTest::newRow("windows") << "C:\\Program Files\\Miravel"
                             << "MIRAVEL.HTML";
    QTest::newRow("odd characters") << "/tmp/a b#c%41?d"
                                    << "INFO.HTML";
}

void tst_Browser::addressIsValidAndRoundTrips() {
    QFETCH(QString, directory);
    QFETCH(QString, name);
    const QUrl url = ResAddress::build(directory, name);
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("res"));
    QVERIFY(url.host().isEmpty());
    QCOMPARE(ResAddress::resourceName(url), name);
    QCOMPARE(QUrl(url.toString(QUrl::FullyEncoded)), url);
    // The address as the program writes it: directory, backslash, program file.
    const QString written =
        QStringLiteral("res://") + directory + QStringLiteral("\\miravel.EXE/HTML/") + name;
    QCOMPARE(ResAddress::fromAddress(written), url);
}

void tst_Browser::resourceNameOfReferences_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("name");
    QTest::newRow("image beside page") << "res:///opt/miravel.EXE/HTML/w.jpg"
                                       << "w.jpg";
    QTest::newRow("folder in any case") << "res:///C:/x/miravel.EXE/html/BAND.jpg"
                                        << "BAND.jpg";
    QTest::newRow("no extension") << "res:///x/miravel.EXE/HTML/q"
                                  << "q";
    QTest::newRow("last html folder") << "res:///html/y/HTML/left.gif"
                                      << "left.gif";
    QTest::newRow("no html folder") << "res:///somewhere/else/title.gif"
                                    << "title.gif";
}

void tst_Browser::resourceNameOfReferences() {
    QFETCH(QString, address);
    QFETCH(QString, name);
    QCOMPARE(ResAddress::resourceName(QUrl(address)), name);
}

void tst_Browser::contentTypeFromBytesThenName_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("type");
    QTest::newRow("gif without extension") << kGif << "q" << QByteArray("image/gif");
    QTest::newRow("png") << imageBytes("PNG") << "miravelimage_gif" << QByteArray("image/png");
    QTest::newRow("jpeg named gif") << imageBytes("JPEG") << "x.gif" << QByteArray("image/jpeg");
    QTest::newRow("by extension") << QByteArray("??") << "BAND.JPG" << QByteArray("image/jpeg");
    QTest::newRow("html") << QByteArray("<html>") << "QURAN.HTML" << QByteArray("text/html");
    QTest::newRow("empty") << QByteArray() << "q" << QByteArray("text/html");
}

void tst_Browser::contentTypeFromBytesThenName() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(QByteArray, type);
    QCOMPARE(contentTypeOf(bytes, name), type);
}

void tst_Browser::pageAndImagesLoad() {
    pages_["PAGE.HTML"] = page("<img id='a' src='dot.gif'><img id='b' src='q'>").toUtf8();
    pages_["dot.gif"] = kGif;
    pages_["q"] = imageBytes("PNG");
    BrowserView& view = openView("page.html");
    const auto widths = view.runScript(
        "[document.getElementById('a').naturalWidth, document.getElementById('b').naturalWidth]");
    QVERIFY(widths);
    QCOMPARE(widths->toList(), QVariantList({1, 3}));
}

void tst_Browser::missingPageLoadsNothing() {
    BrowserView& view = openView("NOSUCH.HTML");
    QVERIFY(!view.isLoadPending());
    QCOMPARE(view.bodyInnerHtml(), QString());
}

void tst_Browser::pageScriptOffButViewScriptsRun() {
    pages_["S.HTML"] =
        page("<p id='p'>x</p><script>document.getElementById('p').textContent = 'ran';</script>")
            .toUtf8();
    BrowserView& view = openView("S.HTML");
    const auto text = view.runScript("document.getElementById('p').textContent");
    QVERIFY(text);
    QCOMPARE(text->toString(), QStringLiteral("x"));
}

void tst_Browser::bodyMarkupWrittenAndReadBack_data() {
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("text");
    QTest::newRow("composer markup") << "<p class='A1'>2 : 255</p>"
                                     << "2 : 255";
    QTest::newRow("quotes and backslashes") << "<p>a\"b'c\\d</p>"
                                            << "a\"b'c\\d";
    QTest::newRow("script-breaking text") << "<p>'); document.body.innerHTML = ''; ('</p>"
                                          << "'); document.body.innerHTML = ''; ('";
    QTest::newRow("line breaks") << "<p>one\r\ntwo\u2028three</p>"
                                 << "one\ntwo\u2028three";
    QTest::newRow("arabic") << QString::fromUtf8("<p>بِسْمِ اللَّهِ</p>")
                            << QString::fromUtf8("بِسْمِ اللَّهِ");
}

void tst_Browser::bodyMarkupWrittenAndReadBack() {
    QFETCH(QString, markup);
    QFETCH(QString, text);
    pages_["T.HTML"] = page("<p>template</p>").toUtf8();
    BrowserView& view = openView("T.HTML");
    QVERIFY(view.bodyInnerHtml().contains("template"));
    view.setBodyInnerHtml(markup);
    const QString body = view.bodyInnerHtml();
    QVERIFY(!body.contains("template"));
    const auto shown = view.runScript("document.body.textContent");
    QVERIFY(shown);
    QCOMPARE(shown->toString(), text);
    // What is read back can be written again unchanged.
    view.setBodyInnerHtml(body);
    QCOMPARE(view.bodyInnerHtml(), body);
}

void tst_Browser::appendAddsToTheBody() {
    pages_["T.HTML"] =
        page("<table><tbody><tr><td class='WHITE'>|</td></tr></tbody></table>").toUtf8();
    BrowserView& view = openView("T.HTML");
    const QString portion =
        "<p class='main'>v1</p>.<p class='tE'><img src='w.jpg'  /></p><p class='A1'>1 : 1</p>";
    const QString before = view.bodyInnerHtml();
    view.appendBodyHtml(portion);
    view.appendBodyHtml(portion);
    const QString appended = view.bodyInnerHtml();
    view.setBodyInnerHtml(before + portion + portion);
    QCOMPARE(appended, view.bodyInnerHtml());
    QCOMPARE(appended.count("1 : 1"), 2);

    // A whole sura's worth of markup goes through in one piece.
    QString large;
    for (int verse = 1; large.size() < 1'100'000; ++verse)
        large += QStringLiteral("<p class='main'>%1</p><p class='A1'>2 : %2</p>")
                     .arg(QString(400, QChar(0x628)))
                     .arg(verse);
    view.appendBodyHtml(large);
    QVERIFY(view.bodyInnerHtml().size() > 1'100'000);
    TextRange range = view.createTextRange();
    QVERIFY(range.findText("2 : 286"));
}

// Markup reaches the page with its references in text written as
// characters: the page is the one the markup as written makes.
void tst_Browser::referencesMakeTheSamePage_data() {
    QTest::addColumn<QString>("markup");
    QTest::newRow("a verse") << "<p class='main' lang='ar' dir='rtl'> &#1576;&#1616;&#1587;"
                                "&#1618;&#1605;&#1616; </p><p class='Trans'>L&#257;m</p>";
    QTest::newRow("markup and mapped characters") << "<p>&#60;b&#62; &#38;amp; &#150; &#x80;</p>";
    QTest::newRow("attributes") << "<p title=\"a>&#1575;\" data-x=&#1575;>&#1575;</p>";
    QTest::newRow("comments") << "<!-- &#1575; --><!-->&#1576;<!-- x --!>&#1576;";
    QTest::newRow("literal texts") << "<textarea><!--</textarea><style>&#1575;-->&#1576;</style>"
                                      "<title>&#1575;</title><xmp>&#1575;</xmp>&#1577;";
    QTest::newRow("comment in a script") << "<script><!--<script>&#1575;</script>&#1576;-->"
                                            "</script>&#1577;";
    QTest::newRow("embedded picture") << "<svg><style>&#1575;</style><![CDATA[&#1575;]]></svg>"
                                         "&#1576;";
}

void tst_Browser::referencesMakeTheSamePage() {
    QFETCH(QString, markup);
    pages_["T.HTML"] = page(QString()).toUtf8();
    BrowserView& view = openView("T.HTML");
    view.runScript(
        QStringLiteral("document.body.innerHTML = %1; true").arg(PageScript::literal(markup)));
    const QString asWritten = view.bodyInnerHtml();
    view.runScript(QStringLiteral("document.body.innerHTML = ''; true"));
    view.appendBodyHtml(markup);
    QCOMPARE(view.bodyInnerHtml(), asWritten);
    view.setBodyInnerHtml(markup);
    QCOMPARE(view.bodyInnerHtml(), asWritten);
}

// The page says when what was appended is on screen; a view that is not on
// screen says so at once rather than keep the caller waiting.
void tst_Browser::waitUntilShownFollowsTheFrames() {
    pages_["T.HTML"] = page("<p>template</p>").toUtf8();
    BrowserView& view = openView("T.HTML");
    QVERIFY(view.waitUntilShown(StateWait::kLimitMs)); // nothing appended: nothing to wait for
    view.appendBodyHtml(QStringLiteral("<p>verse</p>").repeated(2000));
    QVERIFY(view.waitUntilShown(StateWait::kLimitMs));
    QVERIFY(view.runScript("window.shownAfterAppend").value_or(false).toBool());

    view.hide();
    view.appendBodyHtml(QStringLiteral("<p>more</p>"));
    // A hidden view paints no frames: the answer comes before the limit,
    // never from it.
    QElapsedTimer waited;
    waited.start();
    QVERIFY(!view.waitUntilShown(StateWait::kLimitMs));
    QVERIFY(waited.elapsed() < StateWait::kLimitMs);
}

// A page put back to its kept body reads and stands as it was loaded, so
// the next sura needs no new load; the copy never outlives its page.
void tst_Browser::keptBodyIsPutBack() {
    pages_["K.HTML"] = page("<div class='WHITE' align='center'>|</div>"
                            "<p id='opening' class='style2'>In the name</p>")
                           .toUtf8();
    pages_["OTHER.HTML"] = page("<p>other</p>").toUtf8();
    BrowserView& view = openView("K.HTML");
    QVERIFY(!view.keepsBody());
    QCOMPARE(view.runScript(BrowserView::restoreBodyScript()).value_or(QVariant()),
             QVariant(false));
    const QString loaded = view.bodyInnerHtml();
    view.keepBody();
    QVERIFY(view.keepsBody());

    // What a sura page does to the template: title, opening, many verses,
    // a marked verse, and the reader scrolled down.
    view.runScript("document.getElementById('opening').hidden = true;"
                   "document.body.firstChild.textContent = 'Title'; true");
    view.appendBodyHtml(QStringLiteral("<p class='A1' aria-current='true'>2 : 1</p>"
                                       "<div style='height:5000px'>verses</div>"));
    view.runScript("window.scrollTo(0, 3000); true");
    QVERIFY(view.runScript("window.scrollY").value_or(0).toInt() > 0);

    QCOMPARE(view.runScript(BrowserView::restoreBodyScript()).value_or(QVariant()), QVariant(true));
    QCOMPARE(view.bodyInnerHtml(), loaded);
    QCOMPARE(view.runScript("window.scrollY").value_or(-1).toInt(), 0);
    // Put back twice: the copy itself was not handed out.
    view.appendBodyHtml(QStringLiteral("<p>more</p>"));
    QCOMPARE(view.runScript(BrowserView::restoreBodyScript()).value_or(QVariant()), QVariant(true));
    QCOMPARE(view.bodyInnerHtml(), loaded);
    QVERIFY(view.keepsBody());

    // Another page, and the same page loaded again, keep nothing.
    view.Navigate(QStringLiteral("res://C:\\Miravel\\miravel.EXE/HTML/OTHER.HTML"));
    QVERIFY(!view.keepsBody());
    QVERIFY(view.waitForLoad(StateWait::kLimitMs));
    QVERIFY(!view.keepsBody());
    QCOMPARE(view.runScript(BrowserView::restoreBodyScript()).value_or(QVariant()),
             QVariant(false));
    QVERIFY(view.bodyInnerHtml().contains(QStringLiteral("other")));
    view.Navigate(QStringLiteral("res://C:\\Miravel\\miravel.EXE/HTML/K.HTML"));
    QVERIFY(view.waitForLoad(StateWait::kLimitMs));
    QVERIFY(!view.keepsBody());
}

void tst_Browser::textRangeFindsInOrderAndSelects() {
    pages_["V.HTML"] = page("<p class='A1' id='a'>2 : 24</p><p class='A1' id='b'>2 : 25</p>"
                            "<div style='height:3000px'>verses</div>"
                            "<p class='A1' id='c'>2 : 250</p>")
                           .toUtf8();
    BrowserView& view = openView("V.HTML");
    const QString selectedIn =
        "(function(){var s = window.getSelection();"
        " return s.rangeCount ? s.anchorNode.parentNode.id + '|' + s.toString() : ''})()";

    TextRange range = view.createTextRange();
    QVERIFY(range.findText("2 : 25"));
    range.Select();
    QCOMPARE(view.runScript(selectedIn)->toString(), QStringLiteral("b|2 : 25"));
    QCOMPARE(view.runScript("window.scrollY")->toInt(), 0);

    // Finding again without collapsing stays on the same hit.
    QVERIFY(range.findText("2 : 25"));
    range.Select();
    QCOMPARE(view.runScript(selectedIn)->toString(), QStringLiteral("b|2 : 25"));

    range.Collapse(false);
    QVERIFY(range.findText("2 : 25"));
    range.Select();
    QCOMPARE(view.runScript(selectedIn)->toString(), QStringLiteral("c|2 : 25"));
    QVERIFY(view.runScript("window.scrollY")->toInt() > 0);

    range.Collapse(false);
    QVERIFY(!range.findText("2 : 25"));
    QVERIFY(!view.createTextRange().findText("2 : 26"));
}

void tst_Browser::textRangeDoesNotJoinParagraphs() {
    pages_["J.HTML"] = page("<p>2 : 2</p><p>5 words</p><p>2 :\n <b>25</b></p>").toUtf8();
    BrowserView& view = openView("J.HTML");
    TextRange range = view.createTextRange();
    QVERIFY(range.findText("2 : 25"));
    range.Select();
    const auto selected = view.runScript("window.getSelection().toString()");
    QVERIFY(selected);
    QCOMPARE(selected->toString().simplified(), QStringLiteral("2 : 25"));
    QCOMPARE(view.runScript("window.getSelection().anchorNode.parentNode.nodeName")->toString(),
             QStringLiteral("P"));
    QVERIFY(view.runScript(
                    "window.getSelection().anchorNode.parentNode.previousElementSibling !== null")
                ->toBool());
}

void tst_Browser::offlineBlocksRemoteRequests() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const QString remote = QStringLiteral("http://127.0.0.1:%1/pic.gif").arg(server.serverPort());
    pages_["O.HTML"] = page("<img id='r' src='" + remote + "'><p>local</p>").toUtf8();
    view_ = std::make_unique<BrowserView>(nullptr, &profile_);
    view_->setSilent(true);
    view_->setOffline(true);
    QSignalSpy connections(&server, &QTcpServer::newConnection);
    view_->Navigate("res:///x/miravel.EXE/HTML/O.HTML");
    QVERIFY(view_->waitForLoad(StateWait::kLimitMs));
    QVERIFY(view_->bodyInnerHtml().contains("local"));
    // The page's load waited for the picture's request to end: a connection
    // made for it waits in the server's queue by now.
    QVERIFY(!server.waitForNewConnection(0));
    QCOMPARE(connections.count(), 0);
    QCOMPARE(view_->runScript("document.getElementById('r').naturalWidth")->toInt(), 0);
}

void tst_Browser::offlineRefusesRemoteNavigation_data() {
    QTest::addColumn<bool>("offline");
    QTest::newRow("offline") << true;
    QTest::newRow("online") << false;
}

void tst_Browser::offlineRefusesRemoteNavigation() {
    QFETCH(bool, offline);
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    pages_["HOME.HTML"] = page("<p>home</p>").toUtf8();
    BrowserView& view = openView("HOME.HTML");
    view.setOffline(offline);
    QCOMPARE(view.Offline(), offline);
    QSignalSpy connections(&server, &QTcpServer::newConnection);
    QSignalSpy finished(view.page(), &QWebEnginePage::loadFinished);
    view.Navigate(QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort()));
    if (!offline) {
        // The control case: the same address does reach the server when online.
        QVERIFY(connections.wait(StateWait::kLimitMs));
        return;
    }
    QVERIFY(view.waitForLoad(StateWait::kLimitMs));
    QVERIFY(view.bodyInnerHtml().contains("home"));
    // Once the engine is done with the refused navigation, a connection made
    // for it waits in the server's queue.
    WAIT_VERIFY(!finished.isEmpty());
    QVERIFY(!server.waitForNewConnection(0));
    QCOMPARE(connections.count(), 0);
}

void tst_Browser::webRtcSendsNothing() {
    // A STUN server on the loopback: ICE gathering would send it a binding
    // request over UDP as soon as an offer is set.
    QUdpSocket stun;
    QVERIFY(stun.bind(QHostAddress::LocalHost, 0));
    pages_["RTC.HTML"] = page("<p>rtc</p>").toUtf8();
    BrowserView& view = openView("RTC.HTML");
    const QString script = QStringLiteral("(function() {"
                                          "  const pc = new RTCPeerConnection("
                                          "      {iceServers: [{urls: 'stun:127.0.0.1:%1'}]});"
                                          "  pc.createDataChannel('d');"
                                          "  pc.createOffer().then(o => pc.setLocalDescription(o));"
                                          "  window.keptConnection = pc;"
                                          "  return typeof pc;"
                                          "})()")
                               .arg(stun.localPort());
    const auto made = view.runScript(script);
    QVERIFY(made);
    QCOMPARE(made->toString(), QStringLiteral("object"));
    // Gathering sends its STUN requests before it reports "complete", and a
    // datagram sent over the loopback is in the socket at once.
    const QString state = QStringLiteral("window.keptConnection.iceGatheringState");
    WAIT_VERIFY(stun.hasPendingDatagrams() ||
                view.runScript(state, StateWait::kLimitMs).value_or(QVariant()).toString() ==
                    QLatin1String("complete"));
    QVERIFY(!stun.hasPendingDatagrams());
    QCOMPARE(stun.pendingDatagramSize(), qint64(-1));
}

void tst_Browser::printsToPdfAsText() {
    pages_["P.HTML"] = page("<p>Printed verse text</p>").toUtf8();
    BrowserView& view = openView("P.HTML");
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("page.pdf"));
    QSignalSpy done(view.page(), &QWebEnginePage::pdfPrintingFinished);
    view.printTo(&printer);
    QVERIFY(done.wait(StateWait::kLimitMs));
    QFile pdf(dir.filePath("page.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.contains("/Font")); // text stays text, not a picture of it
}

void tst_Browser::linkClickIsReportedNotFollowed_data() {
    QTest::addColumn<QString>("href");
    QTest::addColumn<bool>("offline");
    QTest::addColumn<QUrl>("reported");
    QTest::newRow("res link") << "OTHER.HTML" << false
                              << ResAddress::build("C:\\Miravel", "OTHER.HTML");
    QTest::newRow("https link, offline view")
        << "https://example.invalid/source" << true << QUrl("https://example.invalid/source");
}

void tst_Browser::linkClickIsReportedNotFollowed() {
    QFETCH(QString, href);
    QFETCH(bool, offline);
    QFETCH(QUrl, reported);
    pages_["L.HTML"] = page("<p>home</p><a id='a' href='" + href + "'>the link</a>").toUtf8();
    pages_["OTHER.HTML"] = page("<p>other</p>").toUtf8();
    BrowserView& view = openView("L.HTML");
    view.setOffline(offline);
    QVERIFY(QTest::qWaitForWindowExposed(&view, StateWait::kLimitMs));
    const QUrl home = view.page()->url();
    const auto centre =
        view.runScript("(function () {"
                       " var r = document.getElementById('a').getBoundingClientRect();"
                       " return [r.left + r.width / 2, r.top + r.height / 2]; })()");
    QVERIFY(centre);
    const QVariantList xy = centre->toList();
    QCOMPARE(xy.size(), 2);
    QSignalSpy clicked(&view, &BrowserView::linkClicked);
    QSignalSpy finished(view.page(), &QWebEnginePage::loadFinished);
    QWidget* surface = view.focusProxy() ? view.focusProxy() : &view;
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(xy[0].toInt(), xy[1].toInt()));
    QVERIFY(clicked.wait(StateWait::kLimitMs));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toUrl(), reported);
    // The page stays: once the engine is done with the link's navigation,
    // nothing else was fetched and the view is not loading.
    WAIT_VERIFY(!finished.isEmpty());
    QVERIFY(!asked_.contains("OTHER.HTML"));
    QVERIFY(!view.isLoadPending());
    QCOMPARE(view.page()->url(), home);
    QVERIFY(view.bodyInnerHtml().contains("home"));
}

void tst_Browser::ownNavigationIsNoLinkClick() {
    pages_["A.HTML"] = page("<p>first</p>").toUtf8();
    pages_["B.HTML"] = page("<p>second</p>").toUtf8();
    BrowserView& view = openView("A.HTML");
    QSignalSpy clicked(&view, &BrowserView::linkClicked);
    // From one res page to another the view sends the page on by script.
    view.Navigate("res://C:\\Miravel\\miravel.EXE/HTML/B.HTML");
    QVERIFY(view.waitForLoad(StateWait::kLimitMs));
    QVERIFY(view.bodyInnerHtml().contains("second"));
    view.Navigate("res://C:\\Miravel\\miravel.EXE/HTML/A.HTML");
    QVERIFY(view.waitForLoad(StateWait::kLimitMs));
    QVERIFY(view.bodyInnerHtml().contains("first"));
    QCOMPARE(clicked.count(), 0);
}

void tst_Browser::scriptAnswerThatNeverComes() {
    pages_["W.HTML"] = page("<p>x</p>").toUtf8();
    BrowserView& view = openView("W.HTML");
    // The page is busy far longer than the wait: the wait gives up with
    // nothing while the page is still busy.
    const auto answer = view.runScript(
        "window.busyUntil = Date.now() + 3000; while (Date.now() < window.busyUntil) {} 'late'",
        200);
    const qint64 gaveUp = QDateTime::currentMSecsSinceEpoch();
    QVERIFY(!answer);
    // The late answer lands nowhere, and the view answers again afterwards.
    const auto busyUntil = view.runScript("window.busyUntil", StateWait::kLimitMs);
    QVERIFY(busyUntil);
    QVERIFY(gaveUp < busyUntil->toLongLong());
    const auto next = view.runScript("1 + 1", StateWait::kLimitMs);
    QVERIFY(next);
    QCOMPARE(next->toInt(), 2);
}

void tst_Browser::onlyGetRequestsAreServed_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("served");
    QTest::newRow("form get (control)") << "form get" << true;
    QTest::newRow("form post") << "form post" << false;
    QTest::newRow("request post") << "request post" << false;
}

void tst_Browser::onlyGetRequestsAreServed() {
    QFETCH(QString, how);
    QFETCH(bool, served);
    const QString method = how == "form get" ? "get" : "post";
    pages_["F.HTML"] = page("<p>form</p><form id='f' method='" + method +
                            "' action='TARGET.HTML'><input name='a' value='1'></form>")
                           .toUtf8();
    pages_["TARGET.HTML"] = page("<p>target</p>").toUtf8();
    BrowserView& view = openView("F.HTML");
    asked_.clear();
    QSignalSpy finished(view.page(), &QWebEnginePage::loadFinished);
    // A form's post reaches the res scheme, which refuses it itself; the
    // engine already drops a post the program asks for directly.
    QLoggingCategory::setFilterRules("miravel.browser.info=true");
    if (how == "form post")
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression("res request refused: method.*POST"));
    if (how == "request post")
        view.page()->load(QWebEngineHttpRequest::postRequest(
            ResAddress::build("C:\\Miravel", "TARGET.HTML"), {{"a", "1"}}));
    else
        view.runScript("document.getElementById('f').submit(); true");
    QVERIFY(finished.wait(StateWait::kLimitMs));
    QCOMPARE(asked_.contains("TARGET.HTML"), served);
    QCOMPARE(view.bodyInnerHtml().contains("target"), served);
    QLoggingCategory::setFilterRules(QString());
}

void tst_Browser::lostRendererLeavesNothingPending_data() {
    QTest::addColumn<QString>("next");
    QTest::newRow("another page") << "TWO.HTML";
    QTest::newRow("the same page again") << "ONE.HTML";
}

// A renderer that ends (killed here, as the system or a crash would) takes
// with it the page's kept body and the scripts sent to it; the next page is
// loaded in a new one, not sent on by a script the dead page never runs.
void tst_Browser::lostRendererLeavesNothingPending() {
    QFETCH(QString, next);
    pages_["ONE.HTML"] = page("<p>one</p>").toUtf8();
    pages_["TWO.HTML"] = page("<p>two</p>").toUtf8();
    BrowserView& view = openView("ONE.HTML");
    view.keepBody();
    QVERIFY(view.runScript("true"));
    QVERIFY(view.keepsBody());
    const qint64 pid = view.page()->renderProcessPid();
    QVERIFY(pid > 0);
    QSignalSpy lost(&view, &BrowserView::rendererLost);
    QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
    QVERIFY(lost.wait(StateWait::kLimitMs));
    QVERIFY(view.hasLostRenderer());
    QVERIFY(!view.isLoadPending());
    QVERIFY(!view.keepsBody());
    QVERIFY(!view.runScript("1"));
    QVERIFY(!view.postScript("true"));

    view.Navigate("res://C:\\Miravel\\miravel.EXE/HTML/" + next);
    QVERIFY(view.waitForLoad(StateWait::kLimitMs));
    QVERIFY(!view.hasLostRenderer());
    QVERIFY(view.page()->renderProcessPid() > 0);
    QCOMPARE(view.bodyInnerHtml(), QString(next == "ONE.HTML" ? "<p>one</p>" : "<p>two</p>"));
}

// A zoomed view in a window that is closed and destroyed with its page on
// show, twice, as the information window is.  The zoom's event filter is
// still called while Qt takes the view apart; the sanitizer build (see
// docs/sanitizers.md) fails here if it treats the view as a web view then.
void tst_Browser::zoomedViewGoesWithItsWindow() {
    pages_["PAGE.HTML"] = page("<p>x</p>").toUtf8();
    for (int round = 0; round < 2; ++round) {
        auto window = std::make_unique<QDialog>();
        window->resize(400, 300);
        auto* frame = new QFrame(window.get());
        frame->resize(400, 300);
        auto* view = new BrowserView(frame, &profile_);
        view->resize(400, 300);
        QPointer<PageZoom> zoom(new PageZoom(view));
        window->show();
        view->Navigate("res://C:\\Miravel\\miravel.EXE/HTML/PAGE.HTML");
        QVERIFY(view->waitForLoad(StateWait::kLimitMs));
        // Ctrl with the wheel over the engine's widget zooms: the filter
        // reached the widget the engine put into the view.
        QWidget* engineWidget = view->focusProxy();
        QVERIFY(engineWidget);
        const QPointF at(10, 10);
        QWheelEvent turn(at, engineWidget->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                         Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(engineWidget, &turn);
        QCOMPARE(zoom->percent(), 110);
        window->close();
        window.reset();
        QVERIFY(!zoom);
    }
}

int main(int argc, char** argv) {
    prepareBrowserEngine();
    QApplication app(argc, argv);
    tst_Browser test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_browser.moc"
