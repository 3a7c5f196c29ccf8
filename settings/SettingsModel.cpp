#include "SettingsModel.h"

#include "NumberText.h"
#include "Settings.h"
#include "SettingsLog.h"
#include "UniCode.h"

#include <QStringList>

#include <cmath>

namespace {

// "Culture", "BK1" and "BK2" must be numbers; anything else reads as the default.
qint32 strictSetting(const Settings& settings, const SettingKey& key) {
    const qint32 fallback = QString::fromLatin1(key.defaultText).toInt();
    return settings.strictNumber(key).value_or(fallback);
}

void fillCultureList(const Settings& settings, ItemList& list) {
    list.clear();
    for (int n = 1;; ++n) {
        const QString name = settings.text(Setting::CultureName, n);
        if (name.isEmpty())
            break;
        list.addItem(name, n);
    }
    if (list.count() == 0)
        list.addItem(QStringLiteral("English"), 1);
}

} // namespace

SettingsModel::SettingsModel(const LibraryCaptions& captions) : m_captions(captions) {
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
        if (!Settings::isLibraryCode(part))
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

void LoadSetting(SettingsModel& model, const Settings& settings) {
    UniCode::SelectByItemData(model.Skins, settings.leadingNumber(Setting::Skin, 0));
    model.Angle = settings.leadingNumber(Setting::Angle, 0);
    model.BK1 = strictSetting(settings, Setting::BK1);
    model.BK2 = strictSetting(settings, Setting::BK2);
    model.FillDisplayLists(settings.displayOrder());
    const int culture = strictSetting(settings, Setting::Culture);
    fillCultureList(settings, model.GUILang);
    UniCode::SelectByItemData(model.GUILang, culture);
    model.ContinueReading = settings.leadingNumber(Setting::ContinueReading, 0) != 0;
}

void SaveSettings(const SettingsModel& model, Settings& settings) {
    // A list without a selection keeps what is stored.
    if (model.Skins.currentIndex() >= 0)
        settings.save(Setting::Skin, QString::number(model.Skins.currentData()));
    settings.save(Setting::Angle, QString::number(model.Angle));
    settings.save(Setting::BK1, QString::number(model.BK1));
    settings.save(Setting::BK2, QString::number(model.BK2));
    // The page needs at least one library; an empty list stores the default order.
    const QString order = model.GetOrderString();
    settings.save(Setting::OrderString,
                  order.isEmpty() ? QString::fromLatin1(Setting::OrderString.defaultText) : order);
    if (model.GUILang.currentIndex() >= 0)
        settings.save(Setting::Culture, QString::number(model.GUILang.currentData()));
    settings.save(Setting::ContinueReading,
                  model.ContinueReading ? QStringLiteral("1") : QStringLiteral("0"));
}

void ReadAppSettings(const Settings& settings, const std::function<void(int)>& setCommandBarStyle) {
    SettingsModel model{LibraryCaptions()};
    LoadSetting(model, settings);
    if (setCommandBarStyle)
        setCommandBarStyle(3);
}
