#include "AppContext.h"
#include "ColourSwatch.h"
#include "frmLangSettings.h"
#include "OleColor.h"
#include "RegSetting.h"
#include "StoreFolders.h"
#include "ucGradContainer.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

const QString App = QStringLiteral("Miravel");

QString stored(const QString& name) {
    return RegSetting::GetValue(App, QStringLiteral("Settings"), name, QStringLiteral("<missing>"));
}

QStringList captionsOf(const QListWidget* list) {
    QStringList captions;
    for (int i = 0; i < list->count(); ++i)
        captions << list->item(i)->text();
    return captions;
}

// Answers the colour dialog once it shows: chooses `colour`, or cancels
// after moving to it when `accept` is false.  `opened` receives the colour
// the dialog showed first.
void answerColourDialog(QColorDialog* dialog, QColor colour, bool accept, QColor* opened) {
    QTimer::singleShot(0, dialog, [=] {
        if (!dialog->isVisible()) {
            answerColourDialog(dialog, colour, accept, opened);
            return;
        }
        *opened = dialog->currentColor();
        dialog->setCurrentColor(colour);
        accept ? dialog->accept() : dialog->reject();
    });
}

} // namespace

// The settings window against a store of the test's own, without the page.
class TestLangSettings : public QObject {
    Q_OBJECT

    std::unique_ptr<StoreFolders> store_;
    std::unique_ptr<AppContext> context_;

    std::unique_ptr<frmLangSettings> openWindow() {
        auto window = std::make_unique<frmLangSettings>(*context_);
        window->show();
        return window;
    }

    static void select(QListWidget* list, int row) { list->setCurrentRow(row); }

private slots:
    void init() {
        store_ = std::make_unique<StoreFolders>();
        context_ = std::make_unique<AppContext>();
        context_->strings().setText(224, QStringLiteral("English"));
        context_->strings().setText(210, QStringLiteral("Add Bookmark"));
    }
    void cleanup() {
        context_.reset();
        store_.reset();
    }

    void listsShowTheStoredOrder_data();
    void listsShowTheStoredOrder();
    void removingDownToOneLibrary();
    void addingTheTransliteration();
    void firstColour_data();
    void firstColour();
    void colourDialogKeepsItsColour();
    void skinResetsSwatchesAndSlider();
    void angleSlider_data();
    void angleSlider();
    void captionsAndNames();
    void continueOption();
};

void TestLangSettings::listsShowTheStoredOrder_data() {
    QTest::addColumn<QString>("order");
    QTest::addColumn<QStringList>("displayed");
    QTest::addColumn<QStringList>("available");
    QTest::addColumn<QString>("storedOnOk");
    QTest::newRow("translation before Arabic")
        << "2/1" << QStringList{"English", "Arabic"} << QStringList{"Transliteration"} << "2/1";
    QTest::newRow("Arabic twice") << "1/1" << QStringList{"Arabic", "Arabic"}
                                  << QStringList{"English", "Transliteration"} << "1/1";
    QTest::newRow("damaged parts dropped on OK")
        << "3/x/1" << QStringList{"Transliteration", "Arabic"} << QStringList{"English"} << "3/1";
}

void TestLangSettings::listsShowTheStoredOrder() {
    QFETCH(QString, order);
    QVERIFY(context_->settings().save(Setting::OrderString, order));
    auto window = openWindow();
    QTEST(captionsOf(window->lstOnline), "displayed");
    QTEST(captionsOf(window->lstOffLine), "available");
    QVERIFY(window->cmdOK->isEnabled());

    QSignalSpy confirmed(window.get(), &frmLangSettings::confirmed);
    QTest::mouseClick(window->cmdOK, Qt::LeftButton);
    QTEST(stored("OrderString"), "storedOnOk");
    QTEST(context_->settings().values().OrderString, "storedOnOk");
    QCOMPARE(confirmed.count(), 1);
    // Hidden, not gone, and showing what was stored.
    QVERIFY(window->isHidden());
    QTEST(captionsOf(window->lstOnline), "displayed");
}

void TestLangSettings::removingDownToOneLibrary() {
    QVERIFY(context_->settings().save(Setting::OrderString, QStringLiteral("1/2/3")));
    auto window = openWindow();
    select(window->lstOnline, 0);
    QTest::mouseClick(window->cmdRemove, Qt::LeftButton);
    QCOMPARE(captionsOf(window->lstOnline), (QStringList{"English", "Transliteration"}));
    QCOMPARE(window->lstOnline->currentRow(), 1); // the last entry
    QTest::mouseClick(window->cmdRemove, Qt::LeftButton);
    QCOMPARE(captionsOf(window->lstOnline), QStringList{"English"});
    QCOMPARE(captionsOf(window->lstOffLine), (QStringList{"Arabic", "Transliteration"}));

    // The last one stays, however often "<" is pressed.
    QCOMPARE(window->lstOnline->currentRow(), 0);
    QTest::mouseClick(window->cmdRemove, Qt::LeftButton);
    QCOMPARE(captionsOf(window->lstOnline), QStringList{"English"});
    QCOMPARE(captionsOf(window->lstOffLine), (QStringList{"Arabic", "Transliteration"}));
    QVERIFY(window->cmdOK->isEnabled());
    QTest::mouseClick(window->cmdOK, Qt::LeftButton);
    QCOMPARE(stored("OrderString"), QString("2"));
}

void TestLangSettings::addingTheTransliteration() {
    auto window = openWindow(); // nothing stored: 1/2
    QCOMPARE(captionsOf(window->lstOffLine), QStringList{"Transliteration"});
    QTest::mouseClick(window->cmdAdd, Qt::LeftButton); // nothing selected: nothing moves
    QCOMPARE(window->lstOffLine->count(), 1);
    select(window->lstOffLine, 0);
    QTest::mouseClick(window->cmdAdd, Qt::LeftButton);
    QCOMPARE(captionsOf(window->lstOnline), (QStringList{"Arabic", "English", "Transliteration"}));
    QCOMPARE(window->lstOffLine->count(), 0);
    QTest::mouseClick(window->cmdOK, Qt::LeftButton);
    QCOMPARE(stored("OrderString"), QString("1/2/3"));
    QCOMPARE(context_->settings().values().OrderString, QString("1/2/3"));
}

void TestLangSettings::firstColour_data() {
    QTest::addColumn<bool>("accept");
    QTest::addColumn<qint32>("expected");
    QTest::newRow("chosen") << true << qint32(rgbColour(10, 20, 30));
    QTest::newRow("cancelled keeps the swatch") << false << qint32(16443612);
}

void TestLangSettings::firstColour() {
    QFETCH(bool, accept);
    QFETCH(qint32, expected);
    auto window = openWindow();
    QCOMPARE(window->ucGradContainer2->BackColor1(), OleColor(16443612));
    QColor opened;
    answerColourDialog(window->CommonDialog1, QColor(10, 20, 30), accept, &opened);
    QTest::mouseClick(window->BK1, Qt::LeftButton);
    QCOMPARE(opened, QColor(220, 232, 250)); // first use: the swatch's colour
    QCOMPARE(window->BK1->colour(), expected);
    QCOMPARE(window->ucGradContainer2->BackColor1(), OleColor(expected)); // at once
    QCOMPARE(window->ucGradContainer2->BackColor2(), OleColor(16577775));
    QTest::mouseClick(window->cmdOK, Qt::LeftButton);
    QCOMPARE(stored("BK1"), QString::number(expected));
    QCOMPARE(stored("BK2"), QString("16577775"));
}

void TestLangSettings::colourDialogKeepsItsColour() {
    auto window = openWindow();
    QColor opened;
    answerColourDialog(window->CommonDialog1, QColor(1, 2, 3), true, &opened);
    QTest::mouseClick(window->BK1, Qt::LeftButton);
    answerColourDialog(window->CommonDialog1, QColor(200, 100, 50), false, &opened);
    QTest::mouseClick(window->BK2, Qt::LeftButton);
    QCOMPARE(opened, QColor(1, 2, 3));
    QCOMPARE(window->BK2->colour(), 16577775);
    // A cancelled browse does not become the colour kept.
    answerColourDialog(window->CommonDialog1, QColor(4, 5, 6), true, &opened);
    QTest::mouseClick(window->BK2, Qt::LeftButton);
    QCOMPARE(opened, QColor(1, 2, 3));
    QCOMPARE(window->BK2->colour(), qint32(rgbColour(4, 5, 6)));
    QCOMPARE(window->ucGradContainer2->BackColor2(), rgbColour(4, 5, 6));
}

void TestLangSettings::skinResetsSwatchesAndSlider() {
    QVERIFY(context_->settings().save(Setting::BK1, QStringLiteral("255")));
    QVERIFY(context_->settings().save(Setting::Angle, QStringLiteral("30")));
    auto window = openWindow();
    QCOMPARE(window->BK1->colour(), 255);
    QCOMPARE(window->BKColorAngle->value(), 30);
    QCOMPARE(window->ucGradContainer2->BackColor1(), OleColor(255)); // preview as stored
    QCOMPARE(window->cmbSkin->currentText(), QString("Blue "));

    window->ucGradContainer2->setBackColor1(rgbColour(1, 1, 1));
    window->ucGradContainer2->setBackColor2(rgbColour(2, 2, 2));
    window->ucGradContainer2->setBackAngle(44.5f);
    window->cmbSkin->setFocus();
    QTest::keyClick(window->cmbSkin, Qt::Key_Down); // the user chooses "Sliver "
    QCOMPARE(window->cmbSkin->currentText(), QString("Sliver "));
    QCOMPARE(window->BK1->colour(), qint32(rgbColour(1, 1, 1)));
    QCOMPARE(window->BK2->colour(), qint32(rgbColour(2, 2, 2)));
    QCOMPARE(window->BKColorAngle->value(), 44); // half to even
    QCOMPARE(window->ucGradContainer2->BackAngle(), 44.5f);

    QTest::mouseClick(window->cmdOK, Qt::LeftButton);
    QCOMPARE(stored("Skin"), QString("3"));
    QCOMPARE(stored("BK1"), QString::number(rgbColour(1, 1, 1)));
    QCOMPARE(stored("Angle"), QString("44"));
}

void TestLangSettings::angleSlider_data() {
    QTest::addColumn<QString>("string207"); // empty: not in the translation library
    QTest::addColumn<QString>("caption");
    QTest::newRow("from the translation") << "Winkel"
                                          << "Winkel";
    QTest::newRow("the program's own text") << ""
                                            << "Gradient angle";
}

void TestLangSettings::angleSlider() {
    QFETCH(QString, string207);
    if (!string207.isEmpty())
        context_->strings().setText(207, string207);
    auto window = openWindow();
    QTEST(window->lblAngle->text(), "caption");
    QCOMPARE(window->BKColorAngle->accessibleName(), window->lblAngle->text());
    QCOMPARE(window->BKColorAngle->minimum(), 0);
    QCOMPARE(window->BKColorAngle->maximum(), 360);
    QCOMPARE(window->BKColorAngle->value(), 90);
    window->BKColorAngle->setFocus();
    QTest::keyClick(window->BKColorAngle, Qt::Key_End);
    QCOMPARE(window->ucGradContainer2->BackAngle(), 360.0f);
    QTest::mouseClick(window->cmdOK, Qt::LeftButton);
    QCOMPARE(stored("Angle"), QString("360"));
}

void TestLangSettings::captionsAndNames() {
    GuiStrings& strings = context_->strings();
    for (int n : {226, 227, 228, 229, 231, 233})
        strings.setText(n, QStringLiteral("s%1").arg(n));
    store_->writeSystemFile("[Cultures\\1]\nName=English\n[Cultures\\2]\nName=Deutsch\n");
    auto window = openWindow();
    QCOMPARE(window->windowTitle(), QString("s231"));
    QCOMPARE(window->picLangs->Caption(), QString("s231"));
    QCOMPARE(window->picLangs->Theme(), 3);
    QCOMPARE(window->picLangs->geometry(), window->rect());
    QCOMPARE(window->lblGUILang->text(), QString("s226"));
    QCOMPARE(window->lblSkin->text(), QString("s227"));
    QCOMPARE(window->lblBK1->text(), QString("s228"));
    QCOMPARE(window->lblBK2->text(), QString("s229"));
    QCOMPARE(window->cmdOK->text(), QString("s233"));
    QCOMPARE(window->lblOffLine->text(), QString("Available Languages"));
    QCOMPARE(window->lblOnLine->text(), QString("Add to display"));
    for (QWidget* control :
         QList<QWidget*>{window->lstOffLine, window->lstOnline, window->cmbGUILang, window->cmbSkin,
                         window->BK1, window->BK2, window->BKColorAngle})
        QVERIFY2(!control->accessibleName().isEmpty(), control->metaObject()->className());
    QCOMPARE(window->cmbSkin->count(), 3);
    QCOMPARE(window->cmbSkin->itemData(2).toInt(), 1); // "Gray "

    // Both cultures offered; the second one chosen is stored by number.
    QCOMPARE(window->cmbGUILang->count(), 2);
    QCOMPARE(window->cmbGUILang->itemText(1), QString("Deutsch"));
    window->cmbGUILang->setCurrentIndex(1);
    QTest::mouseClick(window->cmdOK, Qt::LeftButton);
    QCOMPARE(stored("Culture"), QString("2"));
}

void TestLangSettings::continueOption() {
    auto window = openWindow();
    QVERIFY(!window->chkContinue->isChecked()); // off unless the reader asks for it
    QCOMPARE(window->chkContinue->text(), QString("Continue where I left off"));
    QCOMPARE(window->chkContinue->accessibleName(), window->chkContinue->text());
    window->chkContinue->click();
    QTest::mouseClick(window->cmdOK, Qt::LeftButton);
    QCOMPARE(stored("ContinueReading"), QString("1"));
    QVERIFY(window->chkContinue->isChecked()); // kept, hidden, as stored

    auto again = openWindow();
    QVERIFY(again->chkContinue->isChecked());
    again->chkContinue->click();
    QTest::mouseClick(again->cmdOK, Qt::LeftButton);
    QCOMPARE(stored("ContinueReading"), QString("0"));
}

// Widgets need a GUI application; without a display it runs offscreen.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestLangSettings test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_langsettings.moc"
