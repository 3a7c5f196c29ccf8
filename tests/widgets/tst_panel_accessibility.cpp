#include <QAccessible>
#include <QtTest>

#include <functional>
#include <memory>

#include "PropertyBag.h"
#include "ucGradContainer.h"
#include "xpFrame.h"

// The two own panels paint their captions, so a screen reader knows them only
// by what they tell the accessibility layer: a grouping named by the caption,
// whichever way the caption arrives and however often it changes.
class TestPanelAccessibility : public QObject {
    Q_OBJECT

    enum Panel { GradientPanel, TreePaneFrame };
    enum Way { Property, StoredForm };

    static std::unique_ptr<QWidget> make(Panel panel, QWidget* host) {
        if (panel == GradientPanel)
            return std::make_unique<ucGradContainer>(host);
        return std::make_unique<xpFrame>(host, QStringLiteral("xplst"));
    }

    static void giveCaption(QWidget* widget, Way way, const QString& caption) {
        auto* grad = qobject_cast<ucGradContainer*>(widget);
        auto* frame = qobject_cast<xpFrame*>(widget);
        if (way == Property) {
            if (grad)
                grad->setCaption(caption);
            else
                frame->setHeaderText(caption);
            return;
        }
        MemoryPropertyBag bag;
        bag.set(grad ? QStringLiteral("caption") : QStringLiteral("headertext"), caption);
        if (grad)
            grad->ReadProperties(bag);
        else
            frame->ReadProperties(bag);
    }

    static QString accessibleName(QWidget* widget) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        return face ? face->text(QAccessible::Name) : QString();
    }

private slots:
    void newPanelIsANamedGrouping_data() {
        QTest::addColumn<int>("panel");
        QTest::addColumn<QString>("name");
        QTest::newRow("gradient panel") << int(GradientPanel) << "MorphContainer";
        QTest::newRow("tree pane frame") << int(TreePaneFrame) << "xplst";
    }
    void newPanelIsANamedGrouping() {
        QFETCH(int, panel);
        QFETCH(QString, name);
        QWidget host;
        auto widget = make(Panel(panel), &host);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget.get());
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::Grouping);
        QCOMPARE(face->text(QAccessible::Name), name);
    }

    void nameFollowsCaption_data() {
        QTest::addColumn<int>("panel");
        QTest::addColumn<int>("way");
        QTest::addColumn<QString>("caption");
        QTest::newRow("gradient panel, property") << int(GradientPanel) << int(Property) << "Search";
        QTest::newRow("gradient panel, stored form")
            << int(GradientPanel) << int(StoredForm) << "Bookmarks";
        QTest::newRow("frame, property") << int(TreePaneFrame) << int(Property) << "Miravel";
        QTest::newRow("frame, stored form") << int(TreePaneFrame) << int(StoredForm) << "Suras";
        QTest::newRow("non-ASCII caption")
            << int(GradientPanel) << int(Property) << QStringLiteral("-\u00fb- \u0627\u0644\u0641");
    }
    void nameFollowsCaption() {
        QFETCH(int, panel);
        QFETCH(int, way);
        QFETCH(QString, caption);
        QWidget host;
        auto widget = make(Panel(panel), &host);
        (void)accessibleName(widget.get()); // the interface exists before the change
        giveCaption(widget.get(), Way(way), caption);
        QCOMPARE(accessibleName(widget.get()), caption);
        giveCaption(widget.get(), Property, QStringLiteral("Changed"));
        QCOMPARE(accessibleName(widget.get()), QStringLiteral("Changed"));
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestPanelAccessibility test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_panel_accessibility.moc"
