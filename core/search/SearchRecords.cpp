#include "SearchRecords.h"

#include "PathText.h"

#include <functional>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

namespace qb {

bool SearchCriteria::operator==(const SearchCriteria& other) const {
    if (folder != other.folder || recursive != other.recursive ||
        caseSensitive != other.caseSensitive || includeHidden != other.includeHidden ||
        fullPath != other.fullPath)
        return false;
    if (pattern == other.pattern)
        return true;
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status))
        return false;
    auto a = nfc->normalize(icu::UnicodeString::fromUTF8(pattern), status);
    auto b = nfc->normalize(icu::UnicodeString::fromUTF8(other.pattern), status);
    return U_SUCCESS(status) && a == b;
}

std::string_view SearchHit::name() const {
    return lastComponent(url);
}
std::string_view SearchHit::parentPath() const {
    return parentOf(url);
}

bool SearchHit::operator==(const SearchHit& o) const {
    return url == o.url && isDirectory == o.isDirectory && kind == o.kind &&
           byteCount == o.byteCount && modified == o.modified &&
           contentTypeIdentifier == o.contentTypeIdentifier &&
           matchedNameRanges == o.matchedNameRanges;
}

size_t hashValue(const SearchHit& hit) {
    size_t h = std::hash<std::string>{}(hit.url);
    auto mix = [&h](size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
    mix(hit.isDirectory);
    mix(std::hash<std::string>{}(hit.kind));
    mix(std::hash<int64_t>{}(hit.byteCount));
    mix(std::hash<int64_t>{}(hit.modified.time_since_epoch().count()));
    mix(std::hash<std::string>{}(hit.contentTypeIdentifier));
    mix(hit.matchedNameRanges.size());
    for (const auto& r : hit.matchedNameRanges) {
        mix(std::hash<int64_t>{}(r.location));
        mix(std::hash<int64_t>{}(r.length));
    }
    return h;
}

HitList HitList::fromVector(std::vector<SearchHit> hits) {
    HitListBuilder builder;
    for (auto& hit : hits)
        builder.append(std::move(hit));
    return builder.snapshot();
}

std::vector<SearchHit> HitList::toVector() const {
    std::vector<SearchHit> out;
    out.reserve(m_size);
    for (const auto& chunk : m_chunks)
        out.insert(out.end(), chunk->begin(), chunk->end());
    return out;
}

bool HitList::operator==(const HitList& other) const {
    if (m_size != other.m_size)
        return false;
    for (size_t i = 0; i < m_size; ++i)
        if (!((*this)[i] == other[i]))
            return false;
    return true;
}

void HitListBuilder::append(SearchHit hit) {
    if (m_tail.empty())
        m_tail.reserve(HitList::kChunkSize);
    m_tail.push_back(std::move(hit));
    if (m_tail.size() == HitList::kChunkSize) {
        m_frozen.push_back(std::make_shared<const HitList::Chunk>(std::move(m_tail)));
        m_tail = {};
    }
}

HitList HitListBuilder::snapshot() const {
    HitList list;
    list.m_chunks = m_frozen;
    if (!m_tail.empty())
        list.m_chunks.push_back(std::make_shared<const HitList::Chunk>(m_tail));
    list.m_size = size();
    return list;
}

} // namespace qb
