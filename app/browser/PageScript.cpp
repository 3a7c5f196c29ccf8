#include "PageScript.h"

#include "BrowserLog.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <memory>

namespace PageScript {

namespace {

// Shared with the callback, which may arrive after the wait has given up.
struct Answer {
    std::optional<QVariant> value;
    QPointer<QEventLoop> loop;
};

} // namespace

std::optional<QVariant> run(QWebEnginePage* page, const QString& script, int timeoutMs) {
    if (!page)
        return std::nullopt;
    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    answer->loop = &loop;
    page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [answer](const QVariant& v) {
        answer->value = v;
        if (answer->loop)
            answer->loop->quit();
    });
    bool rendererEnded = false;
    if (!answer->value) {
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        QObject::connect(page, &QObject::destroyed, &loop, &QEventLoop::quit);
        // A renderer that ends answers nothing more.
        QObject::connect(page, &QWebEnginePage::renderProcessTerminated, &loop, [&] {
            rendererEnded = true;
            loop.quit();
        });
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    answer->loop = nullptr;
    if (!answer->value && rendererEnded)
        qCInfo(lcBrowser) << "no answer from the page's script: its renderer ended";
    else if (!answer->value)
        qCInfo(lcBrowser) << "no answer from the page's script within" << timeoutMs << "ms";
    return answer->value;
}

QString literal(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 8 + 2);
    out += QLatin1Char('"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case 0x2028:
        case 0x2029:
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

} // namespace PageScript
