#include "ResScheme.h"

#include "BrowserLog.h"
#include "BrowserProfile.h"
#include "PageAccessibility.h"
#include "ResAddress.h"
#include "ResourceLibrary.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

PageSource ownLibraryPages() {
    return [](const QString& name) { return ResourceLibrary::own().html(name); };
}

void registerResScheme() {
    const QByteArray name(ResAddress::kScheme);
    if (!QWebEngineUrlScheme::schemeByName(name).name().isEmpty())
        return;
    QWebEngineUrlScheme scheme(name);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void prepareBrowserEngine() {
    allowPageAccessibility();
    registerResScheme();
    BrowserProfile::restrictWebRtc();
    BrowserProfile::keepHiddenPagesAtFullPriority();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

QByteArray contentTypeOf(const QByteArray& bytes, const QString& name) {
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return "image/gif";
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return "image/png";
    if (bytes.startsWith("\xff\xd8\xff"))
        return "image/jpeg";
    const QString extension = QFileInfo(name).suffix().toLower();
    if (extension == QLatin1String("gif"))
        return "image/gif";
    if (extension == QLatin1String("png"))
        return "image/png";
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
        return "image/jpeg";
    if (extension == QLatin1String("css"))
        return "text/css";
    return "text/html";
}

ResSchemeHandler::ResSchemeHandler(PageSource source, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), source_(std::move(source)) {}

void ResSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    if (job->requestMethod() != "GET") {
        qCInfo(lcBrowser) << "res request refused: method" << job->requestMethod();
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QString name = ResAddress::resourceName(job->requestUrl());
    std::optional<QByteArray> bytes;
    if (!name.isEmpty() && source_)
        bytes = source_(name);
    if (!bytes) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto* buffer = new QBuffer(job);
    buffer->setData(*bytes);
    buffer->open(QIODevice::ReadOnly);
    job->reply(contentTypeOf(*bytes, name), buffer);
}
