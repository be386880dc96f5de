#pragma once
// The plain value records a search exchanges: options for one run, the criteria of the last
// executed search, one hit, and the engine's cumulative progress record.

#include "SkippedItems.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qb {

using Clock = std::chrono::system_clock;
using Timestamp = std::chrono::time_point<Clock, std::chrono::nanoseconds>;
// Stands for an unavailable date; sorts before every real one.
inline constexpr Timestamp kDistantPast = Timestamp::min();

// A span of a hit's name, in UTF-16 code units of the decoded name.
struct NameRange {
    int64_t location = 0;
    int64_t length = 0;
    bool operator==(const NameRange&) const = default;
};

// Paths are byte strings, exactly as the file system holds them.
struct SearchOptions {
    std::string folder;
    std::string pattern; // UTF-8
    bool recursive = true;
    bool caseSensitive = false;
    bool includeHidden = false;
    bool fullPath = false;
};

struct SearchCriteria {
    std::string folder;
    std::string pattern;
    bool recursive = true;
    bool caseSensitive = false;
    bool includeHidden = false;
    bool fullPath = false;

    // Folders compare as exact bytes, patterns as canonically equivalent Unicode text.
    bool operator==(const SearchCriteria& other) const;
};

struct SearchHit {
    std::string url; // absolute path; the hit's identity
    bool isDirectory = false;
    std::string kind;
    int64_t byteCount = 0;
    Timestamp modified = kDistantPast;
    std::string contentTypeIdentifier = "public.data";
    std::vector<NameRange> matchedNameRanges;
    // The name's collation key, worked out once on the walking thread so that ordering on
    // the GUI thread is only comparisons. Derived; not part of the hit's identity or equality.
    std::string nameKey;

    std::string_view name() const;
    std::string_view parentPath() const;
    const std::string& id() const { return url; }
    bool operator==(const SearchHit& other) const;
};

size_t hashValue(const SearchHit& hit);

// An immutable, cheaply copied list of hits. Full chunks are shared between snapshots, so
// handing the growing list to another thread never copies more than one partial chunk.
class HitList {
public:
    static constexpr size_t kChunkSize = 512;
    using Chunk = std::vector<SearchHit>;

    HitList() = default;
    static HitList fromVector(std::vector<SearchHit> hits);

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    const SearchHit& operator[](size_t i) const {
        return (*m_chunks[i / kChunkSize])[i % kChunkSize];
    }
    std::vector<SearchHit> toVector() const;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = SearchHit;
        using difference_type = std::ptrdiff_t;
        using pointer = const SearchHit*;
        using reference = const SearchHit&;
        const_iterator(const HitList* list, size_t i) : m_list(list), m_i(i) {}
        reference operator*() const { return (*m_list)[m_i]; }
        pointer operator->() const { return &(*m_list)[m_i]; }
        const_iterator& operator++() {
            ++m_i;
            return *this;
        }
        const_iterator operator++(int) {
            auto old = *this;
            ++m_i;
            return old;
        }
        bool operator==(const const_iterator& o) const { return m_i == o.m_i; }

    private:
        const HitList* m_list;
        size_t m_i;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, m_size}; }

    bool operator==(const HitList& other) const;

private:
    friend class HitListBuilder;
    std::vector<std::shared_ptr<const Chunk>> m_chunks;
    size_t m_size = 0;
};

// Grows a hit list on one thread and hands out snapshots of it.
class HitListBuilder {
public:
    void append(SearchHit hit);
    size_t size() const { return m_frozen.size() * HitList::kChunkSize + m_tail.size(); }
    HitList snapshot() const;

private:
    std::vector<std::shared_ptr<const HitList::Chunk>> m_frozen;
    HitList::Chunk m_tail;
};

struct SearchUpdate {
    HitList hits;
    int64_t scanned = 0;
    int64_t skipped = 0;
    bool limited = false;
    // What was skipped and why, from the same run as skipped: its counts add up to it.
    SkippedItems skippedItems = {};
};

} // namespace qb
