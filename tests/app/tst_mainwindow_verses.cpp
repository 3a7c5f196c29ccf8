#include "BrowserView.h"
#include "CommandIds.h"
#include "frmMain.h"
#include "GuiTestMain.h"
#include "LibraryFormat.h"
#include "MainWindowFixture.h"
#include "PageScript.h"
#include "QuranReader.h"
#include "ReadingView.h"
#include "StateWait.h"
#include "VerseContextMenu.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <optional>

// The verses of a sura page in the main window: copied from the verse menu
// and the keyboard, pointed at, and the current verse that follows the
// reader.  "Copy verse" is checked against the source texts.
class TestMainWindowVerses : public MainWindowFixture {
    Q_OBJECT

    // The source text of library `code` (1 Arabic, 2 translation) for a verse.
    static QString sourceVerse(int code, int sura, int verse) {
        static const auto arabic =
            LibraryFormat::readVerseFile(QStringLiteral(MIRAVEL_DATA_DIR "/quran-arabic.tsv"));
        static const auto translation = LibraryFormat::readVerseFile(
            QStringLiteral(MIRAVEL_DATA_DIR "/translation-en-pickthall.tsv"));
        const auto& verses = code == 1 ? arabic : translation;
        return verses ? verses->value(sura).value(verse - 1) : QString();
    }

    // Scrolls a part of the page into view and gives a point on it in the
    // view's coordinates: "label", "arabic" or "translation" of the verse
    // labelled `label`, "above" it (in the room after the verse before), or
    // the "title".  Nothing when the page has no such part.
    std::optional<QPoint> pointOn(const QString& label, const QString& part) {
        const auto point = ask(QStringLiteral(R"((function(label, part) {
  var target = null, y = null;
  if (part === 'title') {
    target = document.querySelector('table');
  } else {
    document.querySelectorAll('p.A1').forEach(function(p) {
      if (p.textContent === label) target = p;
    });
    var text = function(p, cls) {
      while (p && !(p.classList.contains(cls) && p.textContent.trim() !== ''))
        p = p.previousElementSibling;
      return p;
    };
    if (target && part === 'arabic') target = text(target, 'main');
    if (target && part === 'translation') target = text(target, 'Trans');
    if (target && part === 'above') { target = text(target, 'main'); y = -10; }
  }
  if (!target) return null;
  target.scrollIntoView({block: 'center'});
  var box = target.getBoundingClientRect();
  return [box.left + box.width / 2, y === null ? box.top + box.height / 2 : box.top + y];
})(%1, %2))")
                                   .arg(PageScript::literal(label), PageScript::literal(part)));
        if (!point || point->toList().size() != 2)
            return std::nullopt;
        const double zoom = w_->browser()->zoomFactor();
        return QPoint(qRound(point->toList()[0].toDouble() * zoom),
                      qRound(point->toList()[1].toDouble() * zoom));
    }

    VerseContextMenu* verseMenu() { return w_->browser()->findChild<VerseContextMenu*>(); }

private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void copyVerseGivesItsTextsInThePagesOrder_data() {
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("sura");
        QTest::addColumn<int>("verse");
        QTest::addColumn<QString>("part");
        QTest::addColumn<double>("zoom");
        QTest::newRow("2:255 order 1/2, on the label") << "1/2" << 2 << 255 << "label" << 1.0;
        QTest::newRow("2:255 order 2/1, on the label") << "2/1" << 2 << 255 << "label" << 1.0;
        QTest::newRow("2:255 order 1/2, on the Arabic") << "1/2" << 2 << 255 << "arabic" << 1.0;
        QTest::newRow("2:255 order 2/1, on the translation")
            << "2/1" << 2 << 255 << "translation" << 1.0;
        QTest::newRow("2:255 order 1/2, in the room above") << "1/2" << 2 << 255 << "above" << 1.0;
        QTest::newRow("2:255 order 1/2, zoomed in") << "1/2" << 2 << 255 << "label" << 1.5;
        // The translation holds a basmala before verse 1 of sura 47, two
        // lead elements before that of sura 58.
        QTest::newRow("47:1 order 1/2, on the Arabic") << "1/2" << 47 << 1 << "arabic" << 1.0;
        QTest::newRow("47:1 order 2/1, on the translation")
            << "2/1" << 47 << 1 << "translation" << 1.0;
        QTest::newRow("58:2 order 2, on the label") << "2" << 58 << 2 << "label" << 1.0;
    }
    void copyVerseGivesItsTextsInThePagesOrder() {
        QFETCH(QString, order);
        QFETCH(int, sura);
        QFETCH(int, verse);
        QFETCH(QString, part);
        QFETCH(double, zoom);
        setOrder(order);
        w_->browser()->setZoomFactor(zoom);
        QVERIFY(w_->reader().goToVerse(sura, verse));
        const QString label = QStringLiteral("%1 : %2").arg(sura).arg(verse);
        const auto point = pointOn(label, part);
        QVERIFY(point);
        QStringList expected;
        for (const QString& code : order.split(QLatin1Char('/')))
            expected << sourceVerse(code.toInt(), sura, verse);
        expected << QStringLiteral("(%1)").arg(label);
        QGuiApplication::clipboard()->clear();
        QVERIFY(verseMenu()->copyVerseAt(*point));
        QCOMPARE(QGuiApplication::clipboard()->text(), expected.join(QLatin1Char('\n')));
    }

    void copyVerseWhereNoVerseIs_data() {
        QTest::addColumn<int>("sura");
        QTest::addColumn<QString>("part");
        QTest::newRow("start page") << 0 << "";
        QTest::newRow("title of sura 2") << 2 << "title";
        QTest::newRow("below the last verse of sura 108") << 108 << "";
    }
    void copyVerseWhereNoVerseIs() {
        QFETCH(int, sura);
        QFETCH(QString, part);
        setOrder(QStringLiteral("1"));
        QPoint point(w_->browser()->width() / 2, w_->browser()->height() - 10);
        if (sura) {
            QVERIFY(w_->reader().showSura(sura));
            if (!part.isEmpty()) {
                const auto on = pointOn(QString(), part);
                QVERIFY(on);
                point = *on;
            }
        }
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        QVERIFY(!verseMenu()->copyVerseAt(point));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
        std::unique_ptr<QMenu> menu(verseMenu()->menuAt(point));
        QCOMPARE(menu->actions().size(), 2); // "Copy verse", "Play from this verse"
        for (const QAction* action : menu->actions())
            QVERIFY(!action->isEnabled());
    }

    // The current verse: gone to, pointed at with the context menu, and
    // cleared by a page of another sura or the start page.  A verse action
    // added through the reading view acts on the verse under the pointer.
    void currentVerseFollowsTheReader() {
        ReadingView& view = w_->readingView();
        QList<VersePlace> acted;
        view.addVerseAction(QStringLiteral("Note verse"),
                            [&](const VersePlace& verse) { acted << verse; });
        QSignalSpy changed(&view, &ReadingView::currentVerseChanged);
        QVERIFY(!view.currentVerse());

        QVERIFY(view.goToVerse(VersePlace{2, 255}));
        QCOMPARE(view.currentVerse(), (VersePlace{2, 255}));
        const auto point = pointOn(QStringLiteral("2 : 5"), QStringLiteral("arabic"));
        QVERIFY(point);
        std::unique_ptr<QMenu> menu(verseMenu()->menuAt(*point));
        QCOMPARE(view.currentVerse(), (VersePlace{2, 5}));
        // After "Copy verse" and the recitation's "Play from this verse".
        QCOMPARE(menu->actions().size(), 3);
        QAction* note = menu->actions().at(2);
        QCOMPARE(note->text(), QStringLiteral("Note verse"));
        QVERIFY(note->isEnabled());
        note->trigger();
        QCOMPARE(acted, (QList<VersePlace>{{2, 5}}));

        const auto title = pointOn(QString(), QStringLiteral("title"));
        QVERIFY(title);
        menu.reset(verseMenu()->menuAt(*title));
        QVERIFY(!menu->actions().at(2)->isEnabled());
        QCOMPARE(view.currentVerse(), (VersePlace{2, 5})); // nothing pointed at

        clickNode(2 + 3);
        QVERIFY(!view.currentVerse());
        QVERIFY(view.goToVerse(VersePlace{3, 7}));
        clickNode(2 + 3); // the same sura again keeps it
        QCOMPARE(view.currentVerse(), (VersePlace{3, 7}));
        w_->CBar_CommandInvoked(button(CommandId::StartPage));
        QVERIFY(!view.currentVerse());
        QCOMPARE(changed.count(), 5);
    }

    // With the page focused: Ctrl+Shift+C copies the current verse, Shift+F10
    // and the context-menu key open its menu; Add Bookmark opens on it.
    void verseActionsFromTheKeyboard() {
        setOrder(QStringLiteral("1/2"));
        QVERIFY(w_->reader().goToVerse(2, 255));
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get(), StateWait::kLimitMs));
        QWidget* page = w_->browser()->focusProxy();
        QVERIFY(page);
        page->setFocus();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(page, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        WAIT_VERIFY(QGuiApplication::clipboard()->text().endsWith(QStringLiteral("(2 : 255)")));
        for (const QKeySequence& key : ReadingView::kVerseMenuKeys) {
            QTest::keySequence(page, key);
            QMenu* menu = nullptr;
            WAIT_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
            QCOMPARE(menu->actions().first()->text(), QStringLiteral("Copy verse"));
            QVERIFY(menu->actions().first()->isEnabled());
            menu->close();
            WAIT_VERIFY(!QApplication::activePopupWidget());
        }
        menuItem(210)->action()->trigger(); // Bookmarks, Add Bookmark
        QDialog* dialog = nullptr;
        WAIT_VERIFY((dialog = w_->findChild<QDialog*>(QStringLiteral("frmBookMarks"))) &&
                    dialog->isVisible());
        QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("cmbBookMarks"))->currentData(),
                 QVariant(102));
        QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("cmbAyat"))->currentData(),
                 QVariant(255));
        dialog->close();
    }

    void rightClickOnAVerseOffersTheVerseMenu() {
        setOrder(QStringLiteral("1/2"));
        QVERIFY(w_->reader().goToVerse(2, 255));
        const auto point = pointOn(QStringLiteral("2 : 255"), QStringLiteral("arabic"));
        QVERIFY(point);
        QWidget* page = w_->browser()->focusProxy();
        QVERIFY(page);
        QTest::mouseClick(page, Qt::RightButton, {}, *point);
        QMenu* menu = nullptr;
        WAIT_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions().at(1)->text(), QStringLiteral("Play from this verse"));
        QVERIFY(menu->actions().at(1)->isEnabled());
        QAction* copy = menu->actions().first();
        QCOMPARE(copy->text(), QStringLiteral("Copy verse"));
        QVERIFY(copy->isEnabled());
        QGuiApplication::clipboard()->clear();
        copy->trigger();
        menu->close();
        QCOMPARE(QGuiApplication::clipboard()->text(), sourceVerse(1, 2, 255) + QLatin1Char('\n') +
                                                           sourceVerse(2, 2, 255) +
                                                           QStringLiteral("\n(2 : 255)"));
        WAIT_VERIFY(!QApplication::activePopupWidget());
    }
};

MIRAVEL_GUI_TEST_MAIN(TestMainWindowVerses)

#include "tst_mainwindow_verses.moc"
