#pragma once

#include <QString>
#include <QVariant>

#include <optional>

class QWebEnginePage;

// Runs script in the application's own script world of a page, which works
// while the page's own JavaScript is off, and waits for the answer in a local
// event loop.  Nothing when the page gives no answer within the time limit,
// or goes away or loses its renderer meanwhile.
namespace PageScript {

inline constexpr int kDefaultTimeoutMs = 10000;

std::optional<QVariant> run(QWebEnginePage* page, const QString& script,
                            int timeoutMs = kDefaultTimeoutMs);

// `text` as a JavaScript string literal, quotes included: markup reaches the
// page as data, never as script.
QString literal(const QString& text);

} // namespace PageScript
