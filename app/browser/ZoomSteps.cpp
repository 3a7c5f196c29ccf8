#include "ZoomSteps.h"

#include <algorithm>

namespace ZoomSteps {

const QList<int>& levels() {
    static const QList<int> all{25,  33,  50,  67,  75,  80,  90,  100, 110,
                                125, 150, 175, 200, 250, 300, 400, 500};
    return all;
}

bool isLevel(int percent) {
    return levels().contains(percent);
}

int larger(int percent) {
    const auto& all = levels();
    const auto next = std::upper_bound(all.cbegin(), all.cend(), percent);
    return next == all.cend() ? all.back() : *next;
}

int smaller(int percent) {
    const auto& all = levels();
    const auto atOrAbove = std::lower_bound(all.cbegin(), all.cend(), percent);
    return atOrAbove == all.cbegin() ? all.front() : *(atOrAbove - 1);
}

std::optional<int> fromText(const QString& text) {
    bool ok = false;
    const int percent = text.trimmed().toInt(&ok);
    if (!ok || !isLevel(percent))
        return std::nullopt;
    return percent;
}

} // namespace ZoomSteps
