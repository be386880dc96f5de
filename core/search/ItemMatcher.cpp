#include "ItemMatcher.h"

#include "HitAttributes.h"
#include "HitOrdering.h"
#include "PathText.h"

#include <algorithm>

namespace qb {
namespace {

// Clips raw ranges of the matched text to the name, which starts at offset.
void nameRanges(const std::vector<RawRange>& raw, int64_t offset, int64_t nameLength,
                std::vector<NameRange>& out) {
    for (const RawRange& r : raw) {
        int64_t start = std::max<int64_t>(r.location, offset);
        int64_t end = std::min<int64_t>(int64_t(r.location) + r.length, offset + nameLength);
        if (end > start)
            out.push_back({start - offset, end - start});
    }
}

} // namespace

ItemMatcher::ItemMatcher(const std::string& pattern, const ItemMatchSettings& settings)
    : m_settings(settings), m_regex(pattern, settings.caseSensitive) {
    if (settings.literalPrefilter)
        m_prefilter = LiteralPrefilter::fromPattern(pattern, settings.caseSensitive);
}

ItemMatcher::Result ItemMatcher::match(const DirectoryWalker& walker, const std::stop_token& stop) {
    if (m_prefilter &&
        !(m_settings.fullPath ? m_prefilter->mayMatchPath(walker.path(), walker.nameOffset(),
                                                          walker.directoryGeneration())
                              : m_prefilter->mayMatch(walker.name())))
        return {};
    m_text.clear();
    m_offset = 0;
    if (m_settings.fullPath) {
        if (walker.directoryGeneration() != m_folderGeneration) {
            m_folderGeneration = walker.directoryGeneration();
            m_folderText.clear();
            appendUtf16(std::string_view(walker.path()).substr(0, walker.nameOffset()),
                        m_folderText);
        }
        m_text = m_folderText;
        m_offset = static_cast<int64_t>(m_text.size());
    }
    appendUtf16(walker.name(), m_text);
    m_raw.clear();
    auto r = m_regex.match(m_text, m_raw, m_settings.itemBudget, stop);
    return {r.matched, r.interrupted};
}

SearchHit ItemMatcher::makeHit(const DirectoryWalker& walker) const {
    SearchHit hit;
    hit.url = walker.path();
    hit.isDirectory = walker.type() == DirectoryWalker::ItemType::directory;
    if (m_settings.attributes)
        readHitAttributes(walker.directoryFd(), walker.name(), hit);
    nameRanges(m_raw, m_offset, static_cast<int64_t>(m_text.size()) - m_offset,
               hit.matchedNameRanges);
    if (m_settings.nameKeys)
        hit.nameKey = collationKey(walker.name());
    return hit;
}

} // namespace qb
