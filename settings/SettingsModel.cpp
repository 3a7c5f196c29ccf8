#include "SettingsModel.h"

#include "AppSettings.h"
#include "NumberText.h"
#include "RegSetting.h"
#include "UniCode.h"

#include <QStringList>

#include <cmath>

namespace {

const QString App = QStringLiteral("Miravel");
const QString SettingsSection = QStringLiteral("Settings");
const QString DefaultOrder = QStringLiteral("1/2");

// The dialog's colour defaults; start-up has its own (see ReadAppSettings).
constexpr qint32 DialogColour1 = 16443612;
constexpr qint32 DialogColour2 = 16577775;

QString setting(const QString& name, const QString& defaultText) {
    return RegSetting::GetValue(App, SettingsSection, name, defaultText);
}

QString cultureSection(int number) {
    return QStringLiteral("Cultures\\") + QString::number(number);
}

// "Culture", "BK1" and "BK2" must be numbers; anything else reads as the default.
qint32 strictSetting(const QString& name, qint32 defaultValue) {
    return NumberText::StrictInt32(setting(name, QString::number(defaultValue)))
        .value_or(defaultValue);
}

void fillCultureList(ItemList& list) {
    list.clear();
    for (int n = 1;; ++n) {
        const QString name =
            RegSetting::GetValue(App, cultureSection(n), QStringLiteral("Name"), {});
        if (name.isEmpty())
            break;
        list.addItem(name, n);
    }
    if (list.count() == 0)
        list.addItem(QStringLiteral("English"), 1);
}

void readLibraryFiles(int culture) {
    const QString section = cultureSection(culture);
    AppSettings& app = appSettings();
    app.ArabicLibraryFile =
        RegSetting::GetValue(App, section, QStringLiteral("dll"), DefaultArabicLibraryFile());
    app.TranslationLibraryFile =
        RegSetting::GetValue(App, section, QStringLiteral("dll2"), QStringLiteral("Etx2.dll"));
    app.TransliterationLibraryFile =
        RegSetting::GetValue(App, section, QStringLiteral("dll3"), QStringLiteral("Etx3.dll"));
}

} // namespace

SettingsModel::SettingsModel() : m_captions(libraryCaptions()) {
    Skins.addItem(QStringLiteral("Blue "), 2);
    Skins.addItem(QStringLiteral("Sliver "), 3);
    Skins.addItem(QStringLiteral("Gray "), 1);
}

void SettingsModel::FillDisplayLists(const QString& orderString) {
    OffLine.clear();
    OnLine.clear();
    m_captions.resetSharedCaptions();
    const QStringList parts = orderString.split(QLatin1Char('/'));
    for (int code = 1; code <= 3; ++code)
        OffLine.addItem(m_captions.captionOf(code), code);
    for (const QString& part : parts) {
        if (part != QLatin1String("1") && part != QLatin1String("2") && part != QLatin1String("3"))
            continue;
        const int code = part.toInt();
        OnLine.addItem(m_captions.captionOf(code), code);
        Removeitem(code);
    }
}

void SettingsModel::Removeitem(int libraryCode) {
    for (int i = OffLine.count() - 1; i >= 0; --i) {
        if (OffLine.itemData(i) == libraryCode)
            OffLine.removeItem(i);
    }
}

bool SettingsModel::AddSelected() {
    const int selected = OffLine.currentIndex();
    if (selected < 0)
        return false;
    const ItemList::Entry entry = OffLine.entries().at(selected);
    OnLine.addItem(entry.caption, entry.itemData);
    OffLine.removeItem(selected);
    OffLine.setCurrentIndex(OffLine.count() - 1);
    return true;
}

bool SettingsModel::RemoveSelected() {
    const int selected = OnLine.currentIndex();
    if (selected < 0 || OnLine.count() < 2)
        return false;
    const ItemList::Entry entry = OnLine.entries().at(selected);
    OffLine.addItem(entry.caption, entry.itemData);
    OnLine.removeItem(selected);
    OnLine.setCurrentIndex(OnLine.count() - 1);
    return true;
}

void SettingsModel::TakeAppearance(qint32 colour1, qint32 colour2, float angle) {
    BK1 = colour1;
    BK2 = colour2;
    // The default rounding mode takes halves to the even neighbour.
    Angle = std::isfinite(angle) ? int(std::nearbyint(angle)) : 0;
}

QString SettingsModel::GetOrderString() const {
    QStringList codes;
    for (const ItemList::Entry& entry : OnLine.entries())
        codes << QString::number(entry.itemData);
    return codes.join(QLatin1Char('/'));
}

// The stored display order; one that names none of the three libraries
// (empty or damaged) would show pages without text, so it reads as the
// default order.
static QString displayOrderSetting() {
    const QString order = setting(QStringLiteral("OrderString"), DefaultOrder);
    for (const QString& code : order.split(QLatin1Char('/'))) {
        if (code == QLatin1String("1") || code == QLatin1String("2") || code == QLatin1String("3"))
            return order;
    }
    return DefaultOrder;
}

void LoadSetting(SettingsModel& model) {
    UniCode::SelectByItemData(
        model.Skins,
        NumberText::LeadingInt32(setting(QStringLiteral("Skin"), QStringLiteral("2")), 0));
    model.Angle =
        NumberText::LeadingInt32(setting(QStringLiteral("Angle"), QStringLiteral("90")), 0);
    model.BK1 = strictSetting(QStringLiteral("BK1"), DialogColour1);
    model.BK2 = strictSetting(QStringLiteral("BK2"), DialogColour2);
    model.FillDisplayLists(displayOrderSetting());
    const int culture = strictSetting(QStringLiteral("Culture"), 1);
    fillCultureList(model.GUILang);
    readLibraryFiles(culture);
    appSettings().OrderString = displayOrderSetting();
    UniCode::SelectByItemData(model.GUILang, culture);
}

void SaveSettings(const SettingsModel& model) {
    // A list without a selection keeps what is stored.
    if (model.Skins.currentIndex() >= 0)
        RegSetting::SaveValue(App, SettingsSection, QStringLiteral("Skin"),
                              QString::number(model.Skins.currentData()));
    RegSetting::SaveValue(App, SettingsSection, QStringLiteral("Angle"),
                          QString::number(model.Angle));
    RegSetting::SaveValue(App, SettingsSection, QStringLiteral("BK1"), QString::number(model.BK1));
    RegSetting::SaveValue(App, SettingsSection, QStringLiteral("BK2"), QString::number(model.BK2));
    // The page needs at least one library; an empty list stores the default order.
    const QString order = model.GetOrderString();
    RegSetting::SaveValue(App, SettingsSection, QStringLiteral("OrderString"),
                          order.isEmpty() ? DefaultOrder : order);
    if (model.GUILang.currentIndex() >= 0)
        RegSetting::SaveValue(App, SettingsSection, QStringLiteral("Culture"),
                              QString::number(model.GUILang.currentData()));
}

void ReadAppSettings(const std::function<void(int)>& setCommandBarStyle) {
    SettingsModel model;
    LoadSetting(model);
    if (setCommandBarStyle)
        setCommandBarStyle(3);
    AppSettings& app = appSettings();
    // Start-up's own colour defaults, written as hexadecimal literals.
    app.GradientColor1 = NumberText::LeadingInt32(
        setting(QStringLiteral("bk1"), QStringLiteral("&H00FEBE9E&")), 0x00FEBE9E);
    app.GradientColor2 = NumberText::LeadingInt32(
        setting(QStringLiteral("BK2"), QStringLiteral("&H00FADAC4&")), 0x00FADAC4);
    app.GradientAngle =
        NumberText::LeadingInt32(setting(QStringLiteral("Angle"), QStringLiteral("90")), 90);
}
