#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
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
        QTest::newRow("gradient panel, property")
            << int(GradientPanel) << int(Property) << "Search";
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

    // A dialog's controls stand on a panel: the keys they leave go on to the
    // dialog through it, so Escape cancels and Enter presses the default
    // button, and the panel still tells its host of them.
    void keysGoOnToTheWindow_data() {
        QTest::addColumn<int>("panel");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("gradient panel, Escape")
            << int(GradientPanel) << int(Qt::Key_Escape) << int(QDialog::Rejected);
        QTest::newRow("gradient panel, Enter")
            << int(GradientPanel) << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("frame, Escape")
            << int(TreePaneFrame) << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }
    void keysGoOnToTheWindow() {
        QFETCH(int, panel);
        QFETCH(int, key);
        QFETCH(int, result);
        QDialog dialog;
        auto widget = make(Panel(panel), &dialog);
        widget->setGeometry(0, 0, 300, 200);
        auto* list = new QComboBox(widget.get());
        list->addItem(QStringLiteral("1 : 1"));
        auto* ok = new QPushButton(QStringLiteral("OK"), widget.get());
        ok->move(0, 60);
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        int told = 0;
        if (auto* grad = qobject_cast<ucGradContainer*>(widget.get()))
            connect(grad, &ucGradContainer::KeyDown, this, [&told](qint16&, qint16&) { ++told; });
        else
            connect(qobject_cast<xpFrame*>(widget.get()), &xpFrame::KeyDown, this,
                    [&told](qint16&, qint16&) { ++told; });
        dialog.setResult(-1);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        list->setFocus();
        QTest::keyClick(list, Qt::Key(key));
        QCOMPARE(dialog.result(), result);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(told, 1);
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
