#include "CommandBars.h"
#include "CommandTable.h"
#include "InstallRecitation.h"
#include "RecitationCommandIds.h"

#include <QAccessible>
#include <QAction>
#include <QIcon>
#include <QImage>
#include <QMainWindow>
#include <QTest>
#include <QToolBar>

// The recitation's toolbar buttons on a desktop whose icon theme has none of
// their pictures (some themes name them only with "-symbolic"): each still
// shows a picture of its own and is named by its caption.
class TestRecitationToolbar : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QIcon::setThemeSearchPaths({});
        QIcon::setFallbackThemeName(QStringLiteral("miravel-no-such-theme"));
        QIcon::setThemeName(QStringLiteral("miravel-no-such-theme"));
    }

    void buttonsShowPictureAndCaption_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("caption");
        using namespace RecitationCommandId;
        QTest::newRow("play") << int(Play) << "Play";
        QTest::newRow("pause") << int(Pause) << "Pause";
        QTest::newRow("stop") << int(Stop) << "Stop";
        QTest::newRow("previous") << int(PreviousVerse) << "Previous verse";
        QTest::newRow("next") << int(NextVerse) << "Next verse";
    }
    void buttonsShowPictureAndCaption() {
        QFETCH(int, id);
        QFETCH(QString, caption);
        QMainWindow window;
        CommandTable table;
        addRecitationCommands(table);
        CommandBars bars(&window);
        CommandBar* bar =
            table.buildToolBar(&bars, QStringLiteral("Standard"), [](int) { return QString(); });
        bars.setIcons(table.icons());
        window.show();

        CommandBarControl* control = bar->FindControl(id);
        QVERIFY(control);
        const QIcon icon = control->action()->icon();
        QVERIFY(!icon.isNull());
        const QImage picture = icon.pixmap(16, 16).toImage();
        QVERIFY(!picture.isNull());
        int inked = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                inked += qAlpha(picture.pixel(x, y)) > 128 ? 1 : 0;
        QVERIFY2(inked >= 16, qPrintable(QString::number(inked)));

        QCOMPARE(control->action()->text(), caption);
        auto* toolBar = qobject_cast<QToolBar*>(bar->widget());
        QVERIFY(toolBar);
        QWidget* button = toolBar->widgetForAction(control->action());
        QVERIFY(button);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(button);
        QVERIFY(face);
        QCOMPARE(face->text(QAccessible::Name), caption);
    }
};

QTEST_MAIN(TestRecitationToolbar)
#include "tst_recitationtoolbar.moc"
