#include <QApplication>
#include <QComboBox>
#include <QtTest>

#include <memory>

#include "AppSettings.h"
#include "NumberText.h"
#include "RegSetting.h"
#include "Settings.h"
#include "SettingsModel.h"
#include "StoreFolders.h"
#include "UniCode.h"

namespace {

const QString App = QStringLiteral("Miravel");

QList<int> codesOf(const ItemList& list) {
    QList<int> codes;
    for (const ItemList::Entry& entry : list.entries())
        codes << entry.itemData;
    return codes;
}

QString stored(const QString& name) {
    return RegSetting::GetValue(App, "Settings", name, "<missing>");
}

} // namespace

class TestSettingsModel : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_store = std::make_unique<StoreFolders>();
        m_settings = std::make_unique<Settings>();
        m_captions = LibraryCaptions();
    }
    void cleanup() {
        m_settings.reset();
        m_store.reset();
    }

    void emptyStoreGivesDefaults();
    void cultures_data();
    void cultures();
    void dialogFieldsFromStore_data();
    void dialogFieldsFromStore();
    void startupGradients_data();
    void startupGradients();
    void storedOrder_data();
    void storedOrder();
    void displayLists_data();
    void displayLists();
    void libraryCaptionsComeFromTheirSource();
    void saveWritesDialogState();
    void numberReading_data();
    void numberReading();
    void selectByItemData_data();
    void selectByItemData();

private:
    const AppSettings& appSettings() const { return m_settings->values(); }

    std::unique_ptr<StoreFolders> m_store;
    std::unique_ptr<Settings> m_settings;
    LibraryCaptions m_captions;
};

void TestSettingsModel::emptyStoreGivesDefaults() {
    QList<int> styles;
    ReadAppSettings(*m_settings, [&](int style) { styles << style; });
    QCOMPARE(styles, QList<int>{3});
    const AppSettings& app = appSettings();
    QCOMPARE(app.ArabicLibraryFile, QString("tst_settingsmodel.exe"));
    QCOMPARE(app.TranslationLibraryFile, QString("Etx2.dll"));
    QCOMPARE(app.TransliterationLibraryFile, QString("Etx3.dll"));
    QCOMPARE(app.OrderString, QString("1/2"));
    QCOMPARE(app.GradientColor1, 16694942);
    QCOMPARE(app.GradientColor2, 16440004);
    QCOMPARE(app.GradientAngle, 90);

    SettingsModel model{m_captions};
    LoadSetting(model, *m_settings);
    QCOMPARE(model.GUILang.entries(), (QList<ItemList::Entry>{{"English", 1}}));
    QCOMPARE(model.GUILang.currentIndex(), 0);
    QCOMPARE(model.Skins.currentData(), 2);
    QCOMPARE(model.Angle, 90);
    QCOMPARE(model.BK1, 16443612);
    QCOMPARE(model.BK2, 16577775);
    QCOMPARE(codesOf(model.OnLine), (QList<int>{1, 2}));
    QCOMPARE(codesOf(model.OffLine), QList<int>{3});
    QVERIFY(QDir(m_store->userFolder()).isEmpty()); // reading stored nothing
}

void TestSettingsModel::cultures_data() {
    QTest::addColumn<QByteArray>("systemFile");
    QTest::addColumn<QString>("culture");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("libraries"); // "<exe>" is the program file

    const QByteArray two = "[Cultures\\1]\nName=English\ndll=a.exe\ndll2=en2.dll\ndll3=en3.dll\n"
                           "[Cultures\\2]\nName=Deutsch\n";
    QTest::newRow("gap ends the list")
        << QByteArray("[Cultures\\1]\nName=English\n[Cultures\\3]\nName=Fr\n") << "1"
        << QStringList{"English"} << 0 << QStringList{"<exe>", "Etx2.dll", "Etx3.dll"};
    QTest::newRow("culture with only a name") << two << "2" << QStringList{"English", "Deutsch"}
                                              << 1 << QStringList{"<exe>", "Etx2.dll", "Etx3.dll"};
    QTest::newRow("first culture's libraries") << two << "1" << QStringList{"English", "Deutsch"}
                                               << 0 << QStringList{"a.exe", "en2.dll", "en3.dll"};
    QTest::newRow("culture without a section")
        << two << "5" << QStringList{"English", "Deutsch"} << -1
        << QStringList{"<exe>", "Etx2.dll", "Etx3.dll"};
    QTest::newRow("culture not a number reads as 1")
        << two << "two" << QStringList{"English", "Deutsch"} << 0
        << QStringList{"a.exe", "en2.dll", "en3.dll"};
    QTest::newRow("empty first name")
        << QByteArray("[Cultures\\1]\nName=\n[Cultures\\2]\nName=X\n") << "1"
        << QStringList{"English"} << 0 << QStringList{"<exe>", "Etx2.dll", "Etx3.dll"};
}

void TestSettingsModel::cultures() {
    QFETCH(QByteArray, systemFile);
    QFETCH(QString, culture);
    QFETCH(QStringList, names);
    QFETCH(int, selected);
    QFETCH(QStringList, libraries);
    m_store->writeSystemFile(systemFile);
    QVERIFY(RegSetting::SaveValue(App, "Settings", "Culture", culture));

    SettingsModel model{m_captions};
    LoadSetting(model, *m_settings);
    QStringList shown;
    for (const ItemList::Entry& entry : model.GUILang.entries())
        shown << entry.caption;
    QCOMPARE(shown, names);
    for (int i = 0; i < model.GUILang.count(); ++i)
        QCOMPARE(model.GUILang.itemData(i), i + 1);
    QCOMPARE(model.GUILang.currentIndex(), selected);
    libraries.replaceInStrings("<exe>", DefaultArabicLibraryFile());
    const AppSettings& app = appSettings();
    QCOMPARE((QStringList{app.ArabicLibraryFile, app.TranslationLibraryFile,
                          app.TransliterationLibraryFile}),
             libraries);
}

void TestSettingsModel::dialogFieldsFromStore_data() {
    QTest::addColumn<QString>("skin");
    QTest::addColumn<QString>("angle");
    QTest::addColumn<QString>("bk1");
    QTest::addColumn<int>("skinIndex");
    QTest::addColumn<int>("expectedAngle");
    QTest::addColumn<int>("expectedBK1");
    QTest::newRow("stored values") << "3"
                                   << "45"
                                   << "255" << 1 << 45 << 255;
    QTest::newRow("gray is listed last") << "1"
                                         << "0"
                                         << "&H00FF00" << 2 << 0 << 0xFF00;
    QTest::newRow("not numbers") << "x"
                                 << "x"
                                 << "x" << -1 << 0 << 16443612;
    QTest::newRow("number with trailing text") << "3px"
                                               << "12.5deg"
                                               << "255px" << 1 << 12 << 16443612;
}

void TestSettingsModel::dialogFieldsFromStore() {
    QFETCH(QString, skin);
    QFETCH(QString, angle);
    QFETCH(QString, bk1);
    QFETCH(int, skinIndex);
    QFETCH(int, expectedAngle);
    QFETCH(int, expectedBK1);
    QVERIFY(RegSetting::SaveValue(App, "Settings", "Skin", skin));
    QVERIFY(RegSetting::SaveValue(App, "Settings", "Angle", angle));
    QVERIFY(RegSetting::SaveValue(App, "Settings", "BK1", bk1));
    SettingsModel model{m_captions};
    LoadSetting(model, *m_settings);
    QCOMPARE(model.Skins.currentIndex(), skinIndex);
    QCOMPARE(model.Angle, expectedAngle);
    QCOMPARE(model.BK1, expectedBK1);
}

void TestSettingsModel::startupGradients_data() {
    QTest::addColumn<QString>("bk1");
    QTest::addColumn<QString>("bk2");
    QTest::addColumn<QString>("angle");
    QTest::addColumn<int>("colour1");
    QTest::addColumn<int>("colour2");
    QTest::addColumn<int>("gradientAngle");
    QTest::newRow("decimal and hex") << "16443612"
                                     << "&H10&"
                                     << "45.5" << 16443612 << 16 << 46;
    QTest::newRow("not numbers read as 0") << "zz"
                                           << ""
                                           << "abc" << 0 << 0 << 0;
}

void TestSettingsModel::startupGradients() {
    QFETCH(QString, bk1);
    QFETCH(QString, bk2);
    QFETCH(QString, angle);
    QVERIFY(RegSetting::SaveValue(App, "Settings", "BK1", bk1)); // start-up reads it as "bk1"
    QVERIFY(RegSetting::SaveValue(App, "Settings", "BK2", bk2));
    QVERIFY(RegSetting::SaveValue(App, "Settings", "Angle", angle));
    ReadAppSettings(*m_settings);
    QTEST(appSettings().GradientColor1, "colour1");
    QTEST(appSettings().GradientColor2, "colour2");
    QTEST(appSettings().GradientAngle, "gradientAngle");
}

void TestSettingsModel::storedOrder_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("order");
    QTest::newRow("as stored") << "3/1"
                               << "3/1";
    QTest::newRow("one library") << "2"
                                 << "2";
    QTest::newRow("empty reads as the default") << ""
                                                << "1/2";
    QTest::newRow("no library named") << "x/9"
                                      << "1/2";
    QTest::newRow("damaged parts kept beside a library") << "3/x"
                                                         << "3/x";
}

void TestSettingsModel::storedOrder() {
    QFETCH(QString, stored);
    QVERIFY(RegSetting::SaveValue(App, "Settings", "OrderString", stored));
    ReadAppSettings(*m_settings);
    QTEST(appSettings().OrderString, "order");
}

void TestSettingsModel::displayLists_data() {
    QTest::addColumn<QString>("order");
    QTest::addColumn<QList<int>>("displayed");
    QTest::addColumn<QList<int>>("available");
    QTest::addColumn<QString>("writtenBack");
    QTest::newRow("default") << "1/2" << QList<int>{1, 2} << QList<int>{3} << "1/2";
    QTest::newRow("translation first") << "2/1" << QList<int>{2, 1} << QList<int>{3} << "2/1";
    QTest::newRow("arabic twice") << "1/1" << QList<int>{1, 1} << QList<int>{2, 3} << "1/1";
    QTest::newRow("damaged parts skipped")
        << "3/x/9/ 2/1" << QList<int>{3, 1} << QList<int>{2} << "3/1";
    QTest::newRow("all three") << "1/2/3" << QList<int>{1, 2, 3} << QList<int>{} << "1/2/3";
    QTest::newRow("empty") << "" << QList<int>{} << QList<int>{1, 2, 3} << "";
}

void TestSettingsModel::displayLists() {
    QFETCH(QString, order);
    QFETCH(QList<int>, displayed);
    QFETCH(QList<int>, available);
    QFETCH(QString, writtenBack);
    SettingsModel model{m_captions};
    model.FillDisplayLists(order);
    QCOMPARE(codesOf(model.OnLine), displayed);
    QCOMPARE(codesOf(model.OffLine), available);
    QCOMPARE(model.GetOrderString(), writtenBack);
}

void TestSettingsModel::libraryCaptionsComeFromTheirSource() {
    QMap<int, QString> shared{{1, "lib1"}, {3, "lib3"}};
    m_captions.setSharedCaption = [&](int code, const QString& caption) { shared[code] = caption; };
    // An empty translation caption must not take other libraries off the list.
    m_captions.translationCaption = [] { return QString(); };
    SettingsModel model{m_captions};
    model.FillDisplayLists("1/2");
    QCOMPARE(shared, (QMap<int, QString>{{1, "Arabic"}, {3, "Transliteration"}}));
    QCOMPARE(model.OnLine.entries(), (QList<ItemList::Entry>{{"Arabic", 1}, {"", 2}}));
    QCOMPARE(model.OffLine.entries(), (QList<ItemList::Entry>{{"Transliteration", 3}}));
}

void TestSettingsModel::saveWritesDialogState() {
    m_store->writeSystemFile("[Cultures\\1]\nName=English\n[Cultures\\2]\nName=Deutsch\n");
    SettingsModel model{m_captions};
    LoadSetting(model, *m_settings);
    model.Skins.setCurrentIndex(2); // "Gray "
    model.Angle = 45;
    model.BK1 = 255;
    model.FillDisplayLists("3/1");
    model.GUILang.setCurrentIndex(1);
    SaveSettings(model, *m_settings);
    QCOMPARE(stored("Skin"), QString("1"));
    QCOMPARE(stored("Angle"), QString("45"));
    QCOMPARE(stored("BK1"), QString("255"));
    QCOMPARE(stored("BK2"), QString("16577775"));
    QCOMPARE(stored("OrderString"), QString("3/1"));
    QCOMPARE(stored("Culture"), QString("2"));

    SettingsModel reread{m_captions};
    LoadSetting(reread, *m_settings);
    QCOMPARE(codesOf(reread.OnLine), (QList<int>{3, 1}));
    QCOMPARE(reread.GUILang.currentIndex(), 1);
    QCOMPARE(appSettings().OrderString, QString("3/1"));

    // Nothing displayed: the page still needs a library, so the default order is stored.
    reread.FillDisplayLists("x");
    SaveSettings(reread, *m_settings);
    QCOMPARE(stored("OrderString"), QString("1/2"));
}

void TestSettingsModel::numberReading_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("leading");
    QTest::addColumn<QVariant>("strict"); // invalid: not a number
    QTest::newRow("decimal") << "90" << 90.0 << QVariant(90);
    QTest::newRow("hex literal with type mark")
        << "&H00FEBE9E&" << 16694942.0 << QVariant(16694942);
    QTest::newRow("lower-case hex") << "&h1f" << 31.0 << QVariant(31);
    QTest::newRow("hex of 32 bits") << "&HFFFFFFFF" << -1.0 << QVariant(-1);
    QTest::newRow("hex too long") << "&H1FFFFFFFF" << 0.0 << QVariant();
    QTest::newRow("trailing text") << "12abc" << 12.0 << QVariant();
    QTest::newRow("blanks around") << "  42 " << 42.0 << QVariant(42);
    QTest::newRow("fraction half to even") << "2.5" << 2.5 << QVariant(2);
    QTest::newRow("fraction rounds up") << "3.5" << 3.5 << QVariant(4);
    QTest::newRow("negative") << "-7" << -7.0 << QVariant(-7);
    QTest::newRow("empty") << "" << 0.0 << QVariant();
    QTest::newRow("no digits after &H") << "&H" << 0.0 << QVariant();
    QTest::newRow("word") << "abc" << 0.0 << QVariant();
    QTest::newRow("too large") << "99999999999" << 99999999999.0 << QVariant();
}

void TestSettingsModel::numberReading() {
    QFETCH(QString, text);
    QFETCH(double, leading);
    QFETCH(QVariant, strict);
    QCOMPARE(NumberText::LeadingValue(text), leading);
    const std::optional<qint32> value = NumberText::StrictInt32(text);
    QCOMPARE(value.has_value(), strict.isValid());
    if (value)
        QCOMPARE(*value, strict.toInt());
}

void TestSettingsModel::selectByItemData_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("selected");
    QTest::newRow("last match wins") << 5 << 2;
    QTest::newRow("single match") << 7 << 1;
    QTest::newRow("no match keeps selection") << 9 << 0;
}

void TestSettingsModel::selectByItemData() {
    QFETCH(int, value);
    QFETCH(int, selected);
    ItemList list;
    QComboBox combo;
    for (int data : {5, 7, 5}) {
        list.addItem(QString::number(data), data);
        combo.addItem(QString::number(data), data);
    }
    list.setCurrentIndex(0);
    combo.setCurrentIndex(0);
    UniCode::SelectByItemData(list, value);
    UniCode::SelectByItemData(combo, value);
    QCOMPARE(list.currentIndex(), selected);
    QCOMPARE(combo.currentIndex(), selected);
}

// The combo box needs a GUI application; without a display it runs offscreen.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestSettingsModel test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_settingsmodel.moc"
