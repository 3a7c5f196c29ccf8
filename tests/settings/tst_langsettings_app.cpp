#include "AppContext.h"
#include "BrowserView.h"
#include "CommandBars.h"
#include "CommandIds.h"
#include "frmLangSettings.h"
#include "frmMain.h"
#include "GuiTestMain.h"
#include "QuranReader.h"
#include "ResScheme.h"
#include "SettingsCommandIds.h"
#include "SuraTree.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The settings window opened from the real main window, with the real engine:
// what OK does to the page and to the toolbar toggles.
class TestLangSettingsApp : public QObject {
    Q_OBJECT

    std::unique_ptr<AppContext> context_;
    std::unique_ptr<frmMain> w_;

    // The first verse of the page: its first library's text, then the next one's
    // (an Arabic paragraph carries its language and direction too).
    QStringList firstVerse() {
        static const QRegularExpression paragraph(
            QStringLiteral("<p class=\"(main|Trans)\"[^>]*>(.*?)</p>"),
            QRegularExpression::DotMatchesEverythingOption);
        QStringList texts;
        for (const auto& match : paragraph.globalMatch(w_->browser()->bodyInnerHtml())) {
            const QString text = match.captured(2).trimmed();
            if (text.startsWith(QLatin1String("<img"))) // the separator between libraries
                continue;
            texts << match.captured(1) + QLatin1Char(':') + text;
            if (texts.size() == 2)
                break;
        }
        return texts;
    }

    bool toggleChecked(int id) {
        return w_->standardBar()->Controls()->Find(ControlKind::Button, id)->Checked();
    }

    frmLangSettings* openSettings() {
        // The Tools popup and its Settings item share the identifier.
        w_->context().commands().dispatch(
            w_->commandBars()->ActiveMenuBar()->FindControl(SettingsCommandId::Settings));
        return w_->findChild<frmLangSettings*>();
    }

    static void move(QListWidget* from, int row, QPushButton* button) {
        from->setCurrentRow(row);
        QTest::mouseClick(button, Qt::LeftButton);
    }

private slots:
    void initTestCase() {
        context_ = std::make_unique<AppContext>();
        w_ = std::make_unique<frmMain>(*context_);
        w_->show();
        w_->Form_Load();
        QVERIFY(w_->browser()->waitForLoad());
    }

    void okRecomposesTheOpenSuraTranslationFirst() {
        w_->tree()->selectNode(w_->tree()->node(3));
        QVERIFY(w_->reader().showSura(1));
        QVERIFY(firstVerse().value(0).startsWith(QStringLiteral("main:\u0628\u0650\u0633\u0652")));

        frmLangSettings* window = openSettings();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        move(window->lstOnline, 0, window->cmdRemove); // Arabic off: 2
        move(window->lstOffLine, 1, window->cmdAdd);   // and back, last: 2/1
        QTest::mouseClick(window->cmdOK, Qt::LeftButton);

        QCOMPARE(context_->settings().values().OrderString, QStringLiteral("2/1"));
        QTRY_VERIFY(firstVerse().value(0).startsWith(QStringLiteral("main:In the name of Allah")));
        QVERIFY(firstVerse().value(1).startsWith(QStringLiteral("Trans:\u0628\u0650\u0633\u0652")));
        QCOMPARE(w_->tree()->selectedIndex(), 3);
        QVERIFY(toggleChecked(CommandId::ToggleLibrary1));
        QVERIFY(toggleChecked(CommandId::ToggleLibrary2));
        QVERIFY(!toggleChecked(CommandId::ToggleLibrary3));
        QVERIFY(window->isHidden()); // kept, hidden
        QCOMPARE(w_->findChildren<frmLangSettings*>().size(), 1);
    }

    void addingTheTransliterationChecksAllToggles() {
        // The toolbar changes the order while the window is hidden...
        context_->settings().setOrderString(QStringLiteral("1/2"));
        QVERIFY(!toggleChecked(CommandId::ToggleLibrary3));
        frmLangSettings* window = openSettings();
        QCOMPARE(w_->findChildren<frmLangSettings*>().size(), 1);
        // ...and the window shows the order in effect, not the one it kept.
        QCOMPARE(window->lstOnline->count(), 2);
        QCOMPARE(window->lstOnline->item(0)->text(), QStringLiteral("Arabic"));
        move(window->lstOffLine, 0, window->cmdAdd);
        QTest::mouseClick(window->cmdOK, Qt::LeftButton);
        QCOMPARE(context_->settings().values().OrderString, QStringLiteral("1/2/3"));
        QVERIFY(toggleChecked(CommandId::ToggleLibrary1));
        QVERIFY(toggleChecked(CommandId::ToggleLibrary2));
        QVERIFY(toggleChecked(CommandId::ToggleLibrary3));
        QTRY_COMPARE(firstVerse().size(), 2);
        QVERIFY(firstVerse().value(0).startsWith(QStringLiteral("main:\u0628\u0650\u0633\u0652")));
    }

    void closingWithoutOkDiscards() {
        frmLangSettings* window = openSettings();
        move(window->lstOnline, 0, window->cmdRemove);
        window->close();
        QTRY_VERIFY(w_->findChildren<frmLangSettings*>().isEmpty());
        QCOMPARE(context_->settings().values().OrderString, QStringLiteral("1/2/3"));
        window = openSettings();
        QCOMPARE(window->lstOnline->count(), 3);
        window->close();
    }
};

MIRAVEL_GUI_TEST_MAIN(TestLangSettingsApp)
#include "tst_langsettings_app.moc"
