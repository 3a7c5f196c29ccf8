#include "AppContext.h"
#include "BrowserView.h"
#include "CommandBars.h"
#include "frmFind.h"
#include "frmInfo.h"
#include "GuiStrings.h"
#include "GuiTestMain.h"
#include "InfoCommandIds.h"
#include "InstallSearch.h"
#include "QuranReader.h"
#include "ReadingView.h"
#include "ResReader.h"
#include "ResScheme.h"
#include "ResultItem.h"
#include "ResultListView.h"
#include "SearchCommandIds.h"
#include "SearchEngine.h"
#include "ShowInfo.h"
#include "SubsystemHost.h"
#include "SuraTree.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

namespace {

struct Message {
    QMessageBox::Icon icon;
    QString title;
    QString text;
};

// Runs `read` on the information window once it is shown modally, then
// closes it.
void whenInfoShown(std::function<void(frmInfo&)> read) {
    QTimer::singleShot(20, [read] {
        auto* window = qobject_cast<frmInfo*>(QApplication::activeModalWidget());
        if (!window) {
            whenInfoShown(read);
            return;
        }
        read(*window);
        window->close();
    });
}

int occurrences(const QString& text, const QString& part) {
    return int(text.count(part));
}

// Waits until the view's engine has shown two more frames, so that what was
// changed is painted; then a picture of the page.
QImage paintedPage(BrowserView& view) {
    view.runScript(
        QStringLiteral("window.testFrames = 0; requestAnimationFrame(function() {"
                       "  requestAnimationFrame(function() { window.testFrames = 2; }); }); true"));
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 10000 &&
           !view.runScript(QStringLiteral("window.testFrames === 2")).value_or(false).toBool())
        QTest::qWait(10);
    // Under load the engine's frame can reach the widget a little later:
    // the picture counts once two grabs in a row agree.
    QWidget* engine = view.focusProxy() ? view.focusProxy() : &view;
    QImage painted = engine->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int settled = 0; settled < 50; ++settled) {
        QTest::qWait(50);
        const QImage again = engine->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (again == painted)
            break;
        painted = again;
    }
    return painted;
}

} // namespace

// The search window, its result pages and the information window with the
// real libraries and the real engine.
class TestSearchPages : public QObject {
    Q_OBJECT

    std::unique_ptr<AppContext> context_;
    std::unique_ptr<SuraTree> tree_;
    std::unique_ptr<BrowserView> view_;
    std::unique_ptr<QuranReader> reader_;
    QList<Message> messages_;
    QMessageBox::StandardButton answer_ = QMessageBox::Ok;

    std::unique_ptr<frmFind> newWindow() {
        auto find = std::make_unique<frmFind>(*context_, *reader_);
        messages_.clear();
        find->messageBox = [this](QMessageBox::Icon icon, const QString& title, const QString& text,
                                  QMessageBox::StandardButtons) {
            messages_.append({icon, title, text});
            return answer_;
        };
        return find;
    }

    // Searches the translation for `keyword` in sura `sura` (0: all).
    static void searchTranslation(frmFind& find, const QString& keyword, int sura) {
        find.cmbWhat->setEditText(keyword);
        find.cmb_selected_Section->setCurrentIndex(1);
        find.chkIncludeAllChapters->setChecked(sura == 0);
        find.cmbChapters->setCurrentIndex(sura);
        find.cmdFindNow_Click();
    }

    // The row of the entry with this item value, or -1.
    static int entryOf(frmFind& find, qint32 itemData) {
        for (int row = 0; row < find.lstRes->count(); ++row) {
            if (find.lstRes->entries().itemAt(row).itemData() == itemData)
                return row;
        }
        return -1;
    }

    static void addItems(frmFind& find, const QList<qint32>& itemData) {
        for (const qint32 value : itemData)
            find.lstRes->entries().add(*ResultItem::fromItemData(value));
        find.lstRes->entries().showAdded();
    }

    static void addEntries(frmFind& find, int count) {
        QList<qint32> items;
        for (int n = 1; n <= count; ++n)
            items << ResultItem{102, n}.itemData();
        addItems(find, items);
    }

    // The selected text and the class of the paragraph it stands in.
    QString selection() {
        return view_
            ->runScript(QStringLiteral("(function(){var s = window.getSelection();"
                                       "return s.rangeCount ? s.getRangeAt(0).toString() + '|' +"
                                       " s.anchorNode.parentNode.className : '';})()"))
            .value_or(QVariant())
            .toString();
    }

private slots:
    void initTestCase() {
        context_ = std::make_unique<AppContext>();
        context_->readGuiStrings();
        context_->readCatalogue();
        tree_ = std::make_unique<SuraTree>();
        ResReader names;
        names.LoadLibrary(context_->settings().values().TranslationLibraryFile);
        tree_->addNode(nullptr, QStringLiteral("Main"), QStringLiteral("Main Site"), 5);
        QTreeWidgetItem* root =
            tree_->addNode(nullptr, QStringLiteral("English"), QStringLiteral("Miravel"), 5);
        for (int n = 1; n <= 114; ++n)
            tree_->addNode(
                root, QStringLiteral("c%1").arg(n),
                QStringLiteral("%1- %2").arg(n, 3, 10, QLatin1Char('0')).arg(names.LoadSTvar(n)),
                16);
        view_ = std::make_unique<BrowserView>();
        view_->resize(800, 600);
        view_->show();
        reader_ = std::make_unique<QuranReader>(*context_, view_.get(), tree_.get());
    }

    void setUpFillsTheLists() {
        const auto find = newWindow();
        QCOMPARE(find->cmbChapters->count(), 115);
        QCOMPARE(find->cmbChapters->itemText(0), QStringLiteral("Miravel "));
        QCOMPARE(find->cmbChapters->itemText(2), QStringLiteral("002- Al-Baqara (The Cow)"));
        QCOMPARE(find->cmbChapters->itemData(114).toInt(), 114);
        QCOMPARE(find->ChapterCaptions.value(2), QStringLiteral("002- Al-Baqara (The Cow)"));
        QCOMPARE(find->cmb_selected_Section->itemText(0), QStringLiteral("Transliteration"));
        QCOMPARE(find->cmb_selected_Section->itemText(1), context_->strings().text(224));
        QCOMPARE(find->cmb_selected_Section->itemText(2), QStringLiteral("Arabic"));
        QCOMPARE(find->cmb_selected_Section->count(), 3);
        QCOMPARE(find->lblSearchType->text(), QStringLiteral("Search in"));
        // The shared captions of the Arabic and transliteration libraries.
        QCOMPARE(context_->strings().text(223), QStringLiteral("Arabic"));
        QCOMPARE(context_->strings().text(225), QStringLiteral("Transliteration"));
        // Checked at first, while the chapter box is still enabled.
        QVERIFY(find->chkIncludeAllChapters->isChecked());
        QVERIFY(find->cmbChapters->isEnabled());
        QVERIFY(!find->cmdViewResults->isEnabled());
        QVERIFY(!find->cmdGoto->isEnabled());
        QVERIFY(!find->cmdReport->isEnabled());
    }

    void labelTogglesTheCheckBox_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
    }

    void labelTogglesTheCheckBox() {
        QFETCH(Qt::MouseButton, button);
        const auto find = newWindow();
        find->show();
        QTest::mousePress(find->Label1, button);
        QVERIFY(!find->chkIncludeAllChapters->isChecked());
        QVERIFY(find->cmbChapters->isEnabled());
        find->cmbChapters->setCurrentIndex(5);
        QTest::mousePress(find->Label1, button);
        QVERIFY(find->chkIncludeAllChapters->isChecked());
        QVERIFY(!find->cmbChapters->isEnabled());
        QCOMPARE(find->cmbChapters->currentIndex(), 0);
    }

    void emptyKeywordAsksForOne() {
        const auto find = newWindow();
        addEntries(*find, 2);
        find->cmdFindNow_Click();
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(messages_.first().text, QStringLiteral("Please enter search keyword "));
        QCOMPARE(messages_.first().icon, QMessageBox::Information);
        QCOMPARE(find->lstRes->count(), 2);
        QCOMPARE(find->lblStatus->text(), QString());
    }

    void searchEndsWithCountAndButtons() {
        const auto find = newWindow();
        searchTranslation(*find, QStringLiteral("throne"), 0);
        QVERIFY(find->lstRes->count() > 10);
        QVERIFY(messages_.isEmpty());
        QCOMPARE(find->lblStatus->text(),
                 QStringLiteral(" Done .... <%1> Results").arg(find->lstRes->count()));
        QVERIFY(find->cmdFindNow->isEnabled());
        QVERIFY(find->cmdReport->isEnabled());
        QVERIFY(!find->cmdGoto->isEnabled());
        const int row = entryOf(*find, 102255);
        QVERIFY(row >= 0);
        QCOMPARE(find->lstRes->entries().textAt(row),
                 QStringLiteral("Chapter /Sura 002 - 002- Al-Baqara (The Cow).Ayat/Verse :255"));

        searchTranslation(*find, QStringLiteral("no such word anywhere"), 0);
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(messages_.first().text, QStringLiteral("Your Search   has zero  results !!!!"));
        QCOMPARE(messages_.first().icon, QMessageBox::Warning);
        QCOMPARE(find->lblStatus->text(), QStringLiteral(" Done .... <0> Results"));
        QVERIFY(!find->cmdReport->isEnabled());
    }

    void translationHitsNumberedAsThePageShows() {
        const auto find = newWindow();
        // Sura 58 of the translation holds two elements before verse 1.
        searchTranslation(*find, QStringLiteral("disputeth with thee"), 58);
        QCOMPARE(find->lstRes->count(), 1);
        QCOMPARE(find->lstRes->entries().itemAt(0).itemData(), 1581);
        QVERIFY(find->foundVerses().at(158, 1).contains(QStringLiteral("disputeth")));
    }

    void cancelThenYesKeepsWhatWasFound() {
        const auto find = newWindow();
        answer_ = QMessageBox::Yes;
        find->cmdCancel_Click(); // pressed before the search: asked at its first match
        searchTranslation(*find, QStringLiteral("throne"), 0);
        answer_ = QMessageBox::Ok;
        QCOMPARE(find->lstRes->count(), 1);
        QCOMPARE(messages_.size(), 1); // the question only, no zero-results message
        QCOMPARE(messages_.first().text, QStringLiteral("Do you want to cancel your search ??"));
        QCOMPARE(find->lblStatus->text(), QStringLiteral(" Done .... <1> Results"));
        QVERIFY(!find->CancelSearch);
    }

    void resultPageShowsHeadingAndHighlight_data() {
        QTest::addColumn<QString>("keyword");
        QTest::newRow("as found") << "throne";
        QTest::newRow("upper case") << "THRONE";
    }

    void resultPageShowsHeadingAndHighlight() {
        QFETCH(QString, keyword);
        const auto find = newWindow();
        searchTranslation(*find, keyword, 2);
        const int entry = entryOf(*find, 102255);
        QVERIFY(entry >= 0);
        find->lstRes->selectRow(entry);
        QVERIFY(find->cmdViewResults->isEnabled());
        QString body;
        find->presentInfo = [&body](frmInfo& window) {
            body = window.WebBrowser1->bodyInnerHtml();
        };
        find->cmdViewResults_Click();
        QVERIFY2(body.startsWith(QStringLiteral("<p class=\"top\"><strong> Search Text : ") +
                                 keyword + QStringLiteral("<br>") +
                                 find->lstRes->entries().textAt(entry) +
                                 QStringLiteral("</strong><br></p>")),
                 qPrintable(body.left(300)));
        QVERIFY(body.contains(QStringLiteral("English Translation (Miravel)<br><img "
                                             "src=\"splitter.gif\"><br></p>")));
        // The keyword as typed, in every place the verse has it.
        QCOMPARE(occurrences(body, QStringLiteral("<span class=\"Hilight\">") + keyword +
                                       QStringLiteral("</span>")),
                 1);
    }

    // The Arabic text is searched by its letters, and the page shows the
    // verse's own vowelled word highlighted.
    void arabicSearchHighlightsTheVowelledWord() {
        const auto find = newWindow();
        find->cmbWhat->setEditText(QStringLiteral("الرحمن"));
        find->cmb_selected_Section->setCurrentIndex(2);
        find->chkIncludeAllChapters->setChecked(false);
        find->cmbChapters->setCurrentIndex(1);
        find->cmdFindNow_Click();
        QVERIFY(messages_.isEmpty());
        QCOMPARE(find->lstRes->count(), 2);
        const int entry = entryOf(*find, 1013);
        QVERIFY(entry >= 0);
        find->lstRes->selectRow(entry);
        QString body;
        find->presentInfo = [&body](frmInfo& window) {
            body = window.WebBrowser1->bodyInnerHtml();
        };
        find->cmdViewResults_Click();
        // 1:3 as stored: shadda before fatha, tatweel before the superscript alef.
        const QString word = QStringLiteral(
            "\u0627\u0644\u0631\u0651\u064E\u062D\u0652\u0645\u064E\u0640\u0670\u0646\u0650");
        const QString next =
            QStringLiteral("\u0627\u0644\u0631\u0651\u064E\u062D\u0650\u064A\u0645\u0650");
        QVERIFY2(body.contains(QStringLiteral("<span class=\"Hilight\">") + word +
                               QStringLiteral("</span> ") + next + QStringLiteral(" </p>")),
                 qPrintable(body));
        // Set right to left in the Arabic face, as on the sura page.
        QVERIFY2(body.contains(QStringLiteral("<p class=\"Trans\" lang=\"ar\" dir=\"rtl\">")),
                 qPrintable(body));

        find->cmdReport_Click();
        QCOMPARE(occurrences(body, QStringLiteral("<span class=\"Hilight\">")), 2);
    }

    // The transliteration, the first "Search in" item, is searched by its
    // letters: what a reader types finds the verses the stored form holds.
    void transliterationFindsWhatIsTyped_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("storedForm");
        QTest::newRow("plain letters") << "rahman"
                                       << "ra&#7717;m&#257;n";
        QTest::newRow("with a macron and a capital") << "Rahmān"
                                                     << "ra&#7717;m&#257;n";
        QTest::newRow("with the article") << "ar-rahman"
                                          << "r-ra&#7717;m&#257;n";
        QTest::newRow("ayn left out") << "l-alamin"
                                      << "l-`&#257;lam&#299;n";
    }

    void transliterationFindsWhatIsTyped() {
        QFETCH(QString, keyword);
        QFETCH(QString, storedForm);
        // The verses whose stored text holds the form, by the engine.
        ResReader library;
        library.LoadLibrary(context_->settings().values().TransliterationLibraryFile);
        FoundVerses stored;
        bool cancel = false;
        const int expected = SearchEngine(library, false)
                                 .run(storedForm, SearchRange::wholeQuran(), {}, stored, cancel, {})
                                 .matches;
        QVERIFY(expected > 10);

        const auto find = newWindow();
        find->cmbWhat->setEditText(keyword);
        QCOMPARE(find->cmb_selected_Section->currentIndex(), 0);
        find->cmdFindNow_Click();
        QVERIFY(messages_.isEmpty());
        QCOMPARE(find->lstRes->count(), expected);
        QCOMPARE(find->foundVerses().size(), stored.size());
    }

    void transliterationHighlightsTheStoredWord() {
        const auto find = newWindow();
        find->cmbWhat->setEditText(QStringLiteral("rahman"));
        find->chkIncludeAllChapters->setChecked(false);
        find->cmbChapters->setCurrentIndex(1);
        find->cmdFindNow_Click();
        const int entry = entryOf(*find, 1011);
        QVERIFY(entry >= 0);
        find->lstRes->selectRow(entry);
        QString body;
        find->presentInfo = [&body](frmInfo& window) {
            body = window.WebBrowser1->bodyInnerHtml();
        };
        find->cmdViewResults_Click();
        QVERIFY2(body.contains(QStringLiteral("<span class=\"Hilight\">r-raḥmāni</span>")),
                 qPrintable(body));
    }

    // However narrow the list, an entry keeps its sura and verse numbers;
    // the full text is its tooltip.
    void entriesKeepTheirVerseInView_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("shown"); // "full", "name elided" or "label"
        QTest::newRow("wide") << 2000 << "full";
        QTest::newRow("narrow") << 0 << "name elided"; // just room for the numbers
        QTest::newRow("narrower than the numbers") << 60 << "label";
    }

    void entriesKeepTheirVerseInView() {
        QFETCH(int, width);
        QFETCH(QString, shown);
        const auto find = newWindow();
        addItems(*find, {102255});
        const QModelIndex index = find->lstRes->entries().index(0);
        const QString full =
            QStringLiteral("Chapter /Sura 002 - 002- Al-Baqara (The Cow).Ayat/Verse :255");
        QCOMPARE(index.data(Qt::ToolTipRole).toString(), full);
        QCOMPARE(index.data(Qt::DisplayRole).toString(), full);

        const QStringList parts = index.data(ResultList::kPartsRole).toStringList();
        const QFontMetrics metrics(find->lstRes->font());
        const QString numbers = QStringLiteral("Chapter /Sura 002 - \u2026.Ayat/Verse :255");
        if (width == 0)
            width = metrics.horizontalAdvance(numbers) + 4;
        const QString text = ResultEntryDelegate::fitted(parts, metrics, width);
        QVERIFY2(metrics.horizontalAdvance(text) <= width, qPrintable(text));
        if (shown == QLatin1String("full")) {
            QCOMPARE(text, full);
        } else if (shown == QLatin1String("name elided")) {
            QVERIFY2(text.startsWith(QStringLiteral("Chapter /Sura 002 - ")), qPrintable(text));
            QVERIFY2(text.endsWith(QStringLiteral("\u2026.Ayat/Verse :255")), qPrintable(text));
        } else {
            QCOMPARE(text, QStringLiteral("2 : 255"));
        }
    }

    void reportListsEveryEntry() {
        const auto find = newWindow();
        searchTranslation(*find, QStringLiteral("throne"), 0);
        const int entries = find->lstRes->count();
        QString body;
        find->presentInfo = [&body](frmInfo& window) {
            body = window.WebBrowser1->bodyInnerHtml();
        };
        find->cmdReport_Click();
        QVERIFY(body.contains(QStringLiteral("Total Found %1</strong>").arg(entries)));
        QCOMPARE(occurrences(body, QStringLiteral("<p class=\"Trans\">")), entries);
        QCOMPARE(occurrences(body, QStringLiteral("splitter.gif")), entries);
        QVERIFY(messages_.isEmpty());
    }

    void longReportAsksFirst_data() {
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("asks");
        QTest::newRow("1000") << 1000 << false;
        QTest::newRow("1001") << 1001 << true;
    }

    void longReportAsksFirst() {
        QFETCH(int, entries);
        QFETCH(bool, asks);
        const auto find = newWindow();
        addEntries(*find, entries);
        answer_ = QMessageBox::No;
        int shown = 0;
        find->presentInfo = [&shown](frmInfo&) { ++shown; };
        find->cmdReport_Click();
        answer_ = QMessageBox::Ok;
        QCOMPARE(messages_.size(), asks ? 1 : 0);
        QCOMPARE(shown, asks ? 0 : 1);
        if (asks) {
            QCOMPARE(messages_.first().title, QStringLiteral("Confirm"));
            QCOMPARE(messages_.first().text, GuiStrings::longReportQuestion());
            QCOMPARE(find->lstRes->count(), entries);
        }
    }

    // Found verses of the Arabic text keep their ink, the marks above the
    // letters included, inside their own paragraph: none reaches into the
    // entry's heading above.  Measured on pictures of the report with each
    // verse shown and hidden.
    void arabicVersesPaintInsideTheirParagraphs() {
        const auto find = newWindow();
        find->cmbWhat->setEditText(QStringLiteral("\u0645\u062D\u0645\u062F")); // Muhammad
        find->cmb_selected_Section->setCurrentIndex(2);
        find->chkIncludeAllChapters->setChecked(true);
        find->cmdFindNow_Click();
        QCOMPARE(find->lstRes->count(), 4); // 3:144, 33:40, 47:2, 48:29
        QStringList outside;
        int verses = 0;
        find->presentInfo = [&](frmInfo& window) {
            window.resize(800, 600);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            BrowserView& view = *window.WebBrowser1;
            verses = view.runScript(QStringLiteral("document.querySelectorAll("
                                                   "'p[dir=rtl]').length"))
                         .value_or(0)
                         .toInt();
            for (int i = 0; i < verses; ++i) {
                const QString verse =
                    QStringLiteral("document.querySelectorAll('p[dir=rtl]')[%1]").arg(i);
                view.runScript(verse + QStringLiteral(".scrollIntoView({block: 'center'}); true"));
                const QVariantList r =
                    view.runScript(QStringLiteral("(function(r) { return [r.left, r.top, "
                                                  "r.right, r.bottom]; })(%1."
                                                  "getBoundingClientRect())")
                                       .arg(verse))
                        .value_or(QVariant())
                        .toList();
                QCOMPARE(int(r.size()), 4);
                const QImage shown = paintedPage(view);
                view.runScript(verse + QStringLiteral(".style.visibility = 'hidden'; true"));
                const QImage hidden = paintedPage(view);
                view.runScript(verse + QStringLiteral(".style.visibility = ''; true"));
                for (int y = 0; y < std::min(shown.height(), hidden.height()); ++y) {
                    for (int x = 0; x < std::min(shown.width(), hidden.width()); ++x) {
                        if (shown.pixel(x, y) == hidden.pixel(x, y))
                            continue;
                        if (x < r[0].toDouble() - 1 || x > r[2].toDouble() + 1 ||
                            y < r[1].toDouble() - 1 || y > r[3].toDouble() + 1) {
                            outside.append(QStringLiteral("verse %1: ink at %2, %3 (its box "
                                                          "%4, %5 to %6, %7)")
                                               .arg(i + 1)
                                               .arg(x)
                                               .arg(y)
                                               .arg(r[0].toDouble())
                                               .arg(r[1].toDouble())
                                               .arg(r[2].toDouble())
                                               .arg(r[3].toDouble()));
                            break;
                        }
                    }
                }
            }
        };
        find->cmdReport_Click();
        QCOMPARE(verses, 4);
        QVERIFY2(outside.isEmpty(), qPrintable(outside.mid(0, 8).join(QLatin1Char('\n'))));
    }

    void goToSelectsTheVerseLabel_data() {
        QTest::addColumn<qint32>("itemData");
        QTest::addColumn<QString>("label");
        QTest::newRow("2:25 is not 2:250") << 10225 << "2 : 25";
        QTest::newRow("2:250") << 102250 << "2 : 250";
    }

    void goToSelectsTheVerseLabel() {
        QFETCH(qint32, itemData);
        QFETCH(QString, label);
        const auto find = newWindow();
        find->show();
        addItems(*find, {itemData});
        find->lstRes->selectRow(0);
        find->cmdGoto_Click();
        QCOMPARE(selection(), label + QStringLiteral("|A1"));
        QVERIFY(find->isMinimized());
        QVERIFY(find->cmdGoto->isEnabled());
        QVERIFY(messages_.isEmpty());
    }

    void goToMissingVerseSaysSo() {
        const auto find = newWindow();
        addItems(*find, {10199});
        find->lstRes->selectRow(0);
        find->cmdGoto_Click();
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(messages_.first().text, QStringLiteral(" found"));
        QCOMPARE(messages_.first().icon, QMessageBox::NoIcon);
        QVERIFY(find->cmdGoto->isEnabled());
    }

    void generalIntroductionShowsCredits() {
        QString body;
        QString caption;
        whenInfoShown([&](frmInfo& window) {
            body = window.WebBrowser1->bodyInnerHtml();
            caption = window.windowTitle();
        });
        QVERIFY(ShowInfo(*context_, QStringLiteral("nglish"), nullptr));
        QCOMPARE(caption, QStringLiteral("Results"));
        const auto at = [&body](const QString& part) { return body.indexOf(part); };
        const qsizetype translationHeading = at(QStringLiteral("<br>Miravel<br>"));
        const qsizetype translationCredit = at(QStringLiteral("English translation: "));
        const qsizetype makerHeading = at(QStringLiteral("<br>About Talvesk<br>"));
        const qsizetype makerCredit = at(QStringLiteral("made by Talvesk"));
        const qsizetype introduction = at(QStringLiteral("<br>Introduction<br>"));
        QVERIFY2(translationHeading >= 0 && translationHeading < translationCredit &&
                     translationCredit < makerHeading && makerHeading < makerCredit &&
                     makerCredit < introduction,
                 qPrintable(body.left(1500)));
        QVERIFY(!body.contains(QStringLiteral("Chapter Information By")));
        QVERIFY(!body.contains(QStringLiteral("written by the Miravel Team")));
    }

    // Long unbroken rows, such as the "=====" rules of the Tanzil notice,
    // wrap inside the window instead of widening the page.
    void generalIntroductionFitsItsView() {
        std::optional<QVariant> widths;
        int viewWidth = 0;
        whenInfoShown([&](frmInfo& window) {
            viewWidth = window.WebBrowser1->width();
            widths = window.WebBrowser1->runScript(QStringLiteral(
                "[document.documentElement.scrollWidth, document.documentElement.clientWidth,"
                " document.body.innerText.indexOf('=====') >= 0]"));
        });
        QVERIFY(ShowInfo(*context_, QStringLiteral("nglish"), nullptr));
        QVERIFY(widths);
        const QVariantList list = widths->toList();
        QCOMPARE(list.size(), 3);
        QVERIFY(list[2].toBool()); // the notice keeps its rules
        QVERIFY2(list[0].toInt() <= list[1].toInt(),
                 qPrintable(QStringLiteral("page %1 px wide in a view of %2 px (window view %3)")
                                .arg(list[0].toInt())
                                .arg(list[1].toInt())
                                .arg(viewWidth)));
    }

    void suraInformationHasItsHeadings() {
        QString body;
        whenInfoShown([&](frmInfo& window) { body = window.WebBrowser1->bodyInnerHtml(); });
        QVERIFY(ShowInfo(*context_, QStringLiteral("1"), nullptr));
        QVERIFY(body.contains(QStringLiteral("<p class=\"style6\"> <br>Name<br><img "
                                             "src=\"break.gif\"></p>")));
        QVERIFY(!body.contains(QStringLiteral("#Name#")));
    }

    void commandsOpenTheirWindows() {
        QMainWindow main;
        CommandBars bars(&main);
        ReadingView view(*context_, *reader_, nullptr);
        SubsystemHost host{*context_, *reader_, view, &main};
        installSearch(host);
        installChapterInformation(host);
        CommandBarControls* menu = bars.ActiveMenuBar()->Controls();
        CommandBarControl* search =
            menu->Add(ControlKind::Button, SearchCommandId::Search, "Search");
        CommandBarControl* information =
            menu->Add(ControlKind::Button, InfoCommandId::Information, "Information");

        // One search window at a time.
        context_->commands().dispatch(search);
        context_->commands().dispatch(search);
        QCOMPARE(main.findChildren<frmFind*>().size(), 1);
        frmFind* find = main.findChildren<frmFind*>().first();
        QVERIFY(find->isVisible());
        find->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(main.findChildren<frmFind*>().size(), 0);
        context_->commands().dispatch(search);
        QCOMPARE(main.findChildren<frmFind*>().size(), 1);

        // The site node names no chapter: nothing is shown.
        tree_->selectNode(tree_->node(1));
        context_->commands().dispatch(information);
        QVERIFY(!QApplication::activeModalWidget());

        // A sura node shows that sura's information.
        QString body;
        whenInfoShown([&](frmInfo& window) { body = window.WebBrowser1->bodyInnerHtml(); });
        tree_->selectNode(tree_->nodeByKey(QStringLiteral("c2")));
        context_->commands().dispatch(information);
        QVERIFY2(body.contains(QStringLiteral("Al-Baqara")), qPrintable(body.left(600)));
    }

    void siteNodeShowsNothing() {
        QVERIFY(!ShowInfo(*context_, QStringLiteral("ain"), nullptr));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

MIRAVEL_GUI_TEST_MAIN(TestSearchPages)
#include "tst_searchpages.moc"
