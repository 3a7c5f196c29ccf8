#include "StoredZoom.h"

#include "AppLog.h"
#include "PageZoom.h"
#include "Settings.h"
#include "ZoomSteps.h"

namespace StoredZoom {

int read(const Settings& settings) {
    const QString stored = settings.text(Setting::Zoom);
    if (const auto percent = ZoomSteps::fromText(stored))
        return *percent;
    qCInfo(lcApp) << "stored zoom is no zoom level, read as 100:" << stored;
    return ZoomSteps::kNormal;
}

PageZoom* attach(QWebEngineView* view, Settings& settings) {
    auto* zoom = new PageZoom(view);
    zoom->setPercent(read(settings));
    QObject::connect(zoom, &PageZoom::zoomed, zoom, [&settings](int percent) {
        settings.save(Setting::Zoom, QString::number(percent));
    });
    // One zoom for every page: a change made in another window shows here
    // at once, not only after the next start.
    QObject::connect(&settings, &Settings::valueChanged, zoom,
                     [zoom, &settings](const QString& section, const QString& valueName) {
                         if (!Settings::isKey(Setting::Zoom, section, valueName))
                             return;
                         const auto percent = ZoomSteps::fromText(settings.text(Setting::Zoom));
                         if (percent && *percent != zoom->percent())
                             zoom->setPercent(*percent);
                     });
    return zoom;
}

} // namespace StoredZoom
