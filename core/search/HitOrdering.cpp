#include "HitOrdering.h"

#include "PathText.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numeric>
#include <unicode/ucol.h>
#include <unordered_map>

namespace qb {
namespace {

std::string environmentLocale() {
    for (const char* var : {"LC_ALL", "LC_COLLATE", "LANG"}) {
        const char* v = std::getenv(var);
        if (v && *v) {
            std::string s(v);
            s = s.substr(0, s.find_first_of(".@"));
            return s == "C" || s == "POSIX" ? std::string()
                                            : s; // the root collation, not byte order
        }
    }
    return "";
}

struct CollatorDeleter {
    void operator()(UCollator* c) const { ucol_close(c); }
};

// One collator per thread: ICU collators must not be shared between threads without care.
UCollator* collator() {
    thread_local std::unique_ptr<UCollator, CollatorDeleter> instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::string locale = environmentLocale();
        UCollator* c = ucol_open(locale.c_str(), &status);
        if (U_FAILURE(status)) {
            status = U_ZERO_ERROR;
            c = ucol_open("", &status);
        }
        ucol_setAttribute(c, UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
        ucol_setStrength(c, UCOL_SECONDARY);
        return std::unique_ptr<UCollator, CollatorDeleter>(c);
    }();
    return instance.get();
}

std::string sortKeyOf(std::string_view text) {
    std::u16string wide = toUtf16(text);
    UCollator* c = collator();
    std::string key(wide.size() * 2 + 16, '\0');
    for (;;) {
        int32_t n = ucol_getSortKey(
            c, reinterpret_cast<const UChar*>(wide.data()), static_cast<int32_t>(wide.size()),
            reinterpret_cast<uint8_t*>(key.data()), static_cast<int32_t>(key.size()));
        if (n <= static_cast<int32_t>(key.size())) {
            key.resize(n > 0 ? n - 1 : 0); // drop the terminating zero
            return key;
        }
        key.resize(n);
    }
}

std::string_view textOf(const SearchHit& hit, SortKey key) {
    switch (key) {
    case SortKey::name:
        return hit.name();
    case SortKey::kind:
        return hit.kind;
    case SortKey::parentPath:
        return hit.parentPath();
    case SortKey::byteCount:
        break;
    }
    return {};
}

} // namespace

std::string collationKey(std::string_view text) {
    return sortKeyOf(text);
}

int compareNames(std::string_view a, std::string_view b) {
    int c = sortKeyOf(a).compare(sortKeyOf(b));
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

void sortHits(std::vector<const SearchHit*>& hits, const SortOrder& order) {
    mergeHits(hits, 0, order);
}

void mergeHits(std::vector<const SearchHit*>& hits, size_t sortedPrefix, const SortOrder& order,
               std::vector<uint32_t>* alongside, std::vector<uint32_t>* added) {
    if (added) {
        added->clear();
        if (order.empty() || hits.size() < 2) // nothing moves: the newcomers stay at the end
            for (size_t i = sortedPrefix; i < hits.size(); ++i)
                added->push_back(uint32_t(i));
    }
    if (order.empty() || hits.size() < 2 || sortedPrefix >= hits.size())
        return;
    // Sort keys once per hit and key; kinds and folders repeat, so those are shared.
    const size_t n = hits.size();
    std::vector<std::vector<const std::string*>> keys(order.size());
    // The first eight key bytes as a number settle most comparisons without touching the
    // strings, which lie scattered in memory.
    std::vector<std::vector<uint64_t>> prefixes(order.size());
    std::vector<std::unordered_map<std::string_view, std::string>> shared(order.size());
    std::vector<std::vector<std::string>> own(order.size());
    for (size_t k = 0; k < order.size(); ++k) {
        SortKey key = order[k].key;
        if (key == SortKey::byteCount)
            continue;
        keys[k].resize(n);
        if (key == SortKey::name) {
            own[k].resize(n);
            for (size_t i = 0; i < n; ++i) {
                if (!hits[i]->nameKey.empty()) {
                    keys[k][i] = &hits[i]->nameKey;
                    continue;
                }
                own[k][i] = sortKeyOf(textOf(*hits[i], key));
                keys[k][i] = &own[k][i];
            }
        } else {
            for (size_t i = 0; i < n; ++i) {
                std::string_view text = textOf(*hits[i], key);
                auto it = shared[k].find(text);
                if (it == shared[k].end())
                    it = shared[k].emplace(text, sortKeyOf(text)).first;
                keys[k][i] = &it->second;
            }
        }
    }
    for (size_t k = 0; k < order.size(); ++k) {
        if (keys[k].empty())
            continue;
        prefixes[k].resize(n);
        for (size_t i = 0; i < n; ++i) {
            const std::string& key = *keys[k][i];
            uint64_t p = 0;
            for (size_t b = 0; b < 8; ++b)
                p = (p << 8) | (b < key.size() ? static_cast<unsigned char>(key[b]) : 0u);
            prefixes[k][i] = p;
        }
    }
    std::vector<uint32_t> index(n);
    std::iota(index.begin(), index.end(), 0);
    auto precedes = [&](uint32_t a, uint32_t b) {
        for (size_t k = 0; k < order.size(); ++k) {
            int c;
            if (order[k].key == SortKey::byteCount) {
                int64_t x = hits[a]->byteCount, y = hits[b]->byteCount;
                c = x < y ? -1 : x > y ? 1 : 0;
            } else if (prefixes[k][a] != prefixes[k][b]) {
                c = prefixes[k][a] < prefixes[k][b] ? -1 : 1;
            } else {
                c = keys[k][a]->compare(*keys[k][b]);
            }
            if (c != 0)
                return order[k].ascending ? c < 0 : c > 0;
        }
        return false;
    };
    // Sorting the new tail and merging it after the sorted prefix gives exactly the stable
    // sort of the whole: ties keep the prefix's items first, in their order.
    const auto middle = index.begin() + std::ptrdiff_t(std::min(sortedPrefix, n));
    std::stable_sort(middle, index.end(), precedes);
    if (sortedPrefix > 0)
        std::inplace_merge(index.begin(), middle, index.end(), precedes);
    std::vector<const SearchHit*> sorted(n);
    for (size_t i = 0; i < n; ++i) {
        sorted[i] = hits[index[i]];
        if (added && index[i] >= sortedPrefix)
            added->push_back(uint32_t(i));
    }
    hits.swap(sorted);
    if (alongside) {
        std::vector<uint32_t> moved(n);
        for (size_t i = 0; i < n; ++i)
            moved[i] = (*alongside)[index[i]];
        alongside->swap(moved);
    }
}

} // namespace qb
