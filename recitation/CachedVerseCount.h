#pragma once

#include <array>
#include <functional>
#include <memory>

// Each sura's verse count, asked of the source once.  The reader looks the
// count up in the text library every time it is asked, which is too slow
// for a walk over the whole Qur'an (skipping a folder of files that do not
// play, counting a folder's files).  Copies share what was learnt.
class CachedVerseCount {
public:
    explicit CachedVerseCount(std::function<int(int sura)> count)
        : count_(std::move(count)), counts_(std::make_shared<std::array<int, kSuras + 1>>()) {}

    int operator()(int sura) const {
        if (sura < 1 || sura > kSuras)
            return count_(sura);
        int& known = (*counts_)[std::size_t(sura)];
        // Nothing is kept while the text cannot tell (a count of 0).
        if (known <= 0)
            known = count_(sura);
        return known;
    }

private:
    static constexpr int kSuras = 114;
    std::function<int(int sura)> count_;
    std::shared_ptr<std::array<int, kSuras + 1>> counts_;
};
