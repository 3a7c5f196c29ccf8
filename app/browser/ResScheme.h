#pragma once

#include <QByteArray>
#include <QString>
#include <QWebEngineUrlSchemeHandler>

#include <functional>
#include <optional>

// Where the res scheme finds a resource by name; nothing when it has none.
using PageSource = std::function<std::optional<QByteArray>(const QString& name)>;

// The named HTML resources of the program's own text library.
PageSource ownLibraryPages();

// Registers the res scheme with the web engine.  Must run before the
// QApplication is constructed; later calls do nothing.
void registerResScheme();

// Everything the web engine needs before the QApplication exists: the res
// scheme, shared GL contexts, the WebRTC restriction and page content open
// to screen readers.
void prepareBrowserEngine();

// The MIME type of a resource: GIF, PNG and JPEG are recognised by their
// first bytes (several images carry no extension), then by the name's
// extension; anything else is served as HTML.
QByteArray contentTypeOf(const QByteArray& bytes, const QString& name);

// Serves res addresses from a page source.  Only reads are answered.
class ResSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    explicit ResSchemeHandler(PageSource source, QObject* parent = nullptr);
    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    PageSource source_;
};
