#pragma once

#include <QList>
#include <QtGlobal>

// At most a few restarts within any span of time: something that keeps
// failing is restarted a few times, then left alone until its earlier
// restarts are older than the span.
class RestartBudget {
public:
    RestartBudget(int restarts, qint64 spanMs) : restarts_(restarts), spanMs_(spanMs) {}

    // True, and the restart counted, when one more fits at `nowMs` (read
    // from a steady clock); false, and nothing counted, when it does not.
    bool take(qint64 nowMs);

private:
    int restarts_;
    qint64 spanMs_;
    QList<qint64> taken_; // the restarts within the last span, oldest first
};
