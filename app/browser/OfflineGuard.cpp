#include "OfflineGuard.h"

#include "ResAddress.h"

#include <QWebEngineUrlRequestInfo>

bool OfflineGuard::isLocal(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String(ResAddress::kScheme) || scheme == QLatin1String("data");
}

void OfflineGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
    if (active_ && !isLocal(info.requestUrl()))
        info.block(true);
}
