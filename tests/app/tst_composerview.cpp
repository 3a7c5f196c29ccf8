#include "BrowserComposerView.h"
#include "BrowserProfile.h"
#include "BrowserView.h"
#include "GuiTestMain.h"
#include "PageScript.h"
#include "StateWait.h"
#include "SuraPageComposer.h"

#include <QTest>

#include <memory>

// The composer's view over the real engine.
class tst_ComposerView : public QObject {
    Q_OBJECT

    QMap<QString, QByteArray> pages_;
    BrowserProfile profile_{[this](const QString& name) -> std::optional<QByteArray> {
        for (auto it = pages_.cbegin(); it != pages_.cend(); ++it)
            if (it.key().compare(name, Qt::CaseInsensitive) == 0)
                return it.value();
        return std::nullopt;
    }};
    std::unique_ptr<BrowserView> view_;
    int opened_ = 0;

    // A page of its own for each call, so that each is loaded afresh.
    BrowserView& openPage(const QString& body) {
        const QString name = QStringLiteral("P%1.HTML").arg(++opened_);
        pages_[name] = QStringLiteral("<html><head><title>t</title></head><body>%1</body></html>")
                           .arg(body)
                           .toUtf8();
        if (!view_) {
            view_ = std::make_unique<BrowserView>(nullptr, &profile_);
            view_->resize(640, 480);
            view_->show();
        }
        view_->Navigate(QStringLiteral("res://C:\\Miravel\\miravel.EXE/HTML/") + name);
        if (!view_->waitForLoad(StateWait::kLimitMs))
            qWarning("page did not finish loading");
        return *view_;
    }

private slots:
    void cleanupTestCase() { view_.reset(); }

    // The title is filled after every portion, so the page view skips
    // writing the body out where it can tell the text is not there; what it
    // finds and replaces is still every occurrence in the body as written
    // out, compared without regard to case.
    void replacesAsInTheWrittenOutBody_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("find");
        QTest::addColumn<bool>("found");
        const QString slot = SuraPageComposer::kTitleSlot;
        QTest::newRow("the template's slot")
            << "<div class='WHITE' align='center'>|</div>" << slot << true;
        QTest::newRow("the slot in other letter case")
            << "<DIV CLASS=white ALIGN=CENTER>|</DIV>" << slot << true;
        QTest::newRow("a filled title and \"|\" in a verse")
            << "<div class='WHITE' align='center'>Title</div><p>a | b</p>" << slot << false;
        QTest::newRow("no \"|\" anywhere")
            << "<p class='main'>verse</p><p class='A1'>2 : 1</p>" << slot << false;
        QTest::newRow("the slot in a comment")
            << "<!--class=\"WHITE\" align=\"center\">|--><p>v</p>" << slot << true;
        QTest::newRow("the slot in literal text")
            << "<xmp>class=\"WHITE\" align=\"center\">|</xmp>" << slot << true;
        QTest::newRow("the slot in a template")
            << "<template><div class='WHITE' align='center'>|</div></template>" << slot << true;
        QTest::newRow("the character in an attribute's value") << "<p title='>|'>v</p>"
                                                               << "title=\">|" << true;
    }
    void replacesAsInTheWrittenOutBody() {
        QFETCH(QString, body);
        QFETCH(QString, find);
        QFETCH(bool, found);
        const QString replacement = QStringLiteral("class=style3 align=center>002 : The cow");
        // What the whole body written out, searched and written back gives.
        BrowserView& view = openPage(body);
        const bool wholeBodyFound =
            view.runScript(QStringLiteral(
                               "(function(find, replacement) {"
                               "  var pattern = new RegExp(find.replace(/[.*+?^${}()|[\\]\\\\]/g, "
                               "'\\\\$&'), 'gi');"
                               "  var markup = document.body.innerHTML;"
                               "  if (!pattern.test(markup)) return false;"
                               "  document.body.innerHTML = markup.replace(pattern, function() {"
                               "      return replacement; });"
                               "  return true;"
                               "})(%1, %2)")
                               .arg(PageScript::literal(find), PageScript::literal(replacement)))
                .value_or(false)
                .toBool();
        const QString expected = view.bodyInnerHtml();
        QCOMPARE(wholeBodyFound, found);

        openPage(body);
        BrowserComposerView composerView(&view);
        composerView.replaceInBody(find, replacement);
        QCOMPARE(view.bodyInnerHtml(), expected);
    }
};

MIRAVEL_GUI_TEST_MAIN(tst_ComposerView)
#include "tst_composerview.moc"
