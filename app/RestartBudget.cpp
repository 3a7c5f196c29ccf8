#include "RestartBudget.h"

bool RestartBudget::take(qint64 nowMs) {
    while (!taken_.isEmpty() && taken_.first() <= nowMs - spanMs_)
        taken_.removeFirst();
    if (taken_.size() >= restarts_)
        return false;
    taken_.append(nowMs);
    return true;
}
