#include "SearchEngine.h"

#include "CoarseClock.h"
#include "DirectoryWalker.h"
#include "HitAttributes.h"
#include "HitOrdering.h"
#include "LiteralPrefilter.h"
#include "PathText.h"
#include "RegexMatcher.h"

#include <algorithm>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace qb::SearchEngine {
namespace {

SearchOutcome failure(int code, const char* text) {
    return {SearchOutcome::Status::failed, {kErrorDomain, code, text}};
}

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

SearchOutcome walkAndMatch(DirectoryWalker& walker, const SearchOptions& options,
                           RegexMatcher& matcher, std::optional<LiteralPrefilter>& prefilter,
                           const RunTuning& tuning, const Publish& publish,
                           const std::stop_token& stop) {
    using Steady = CoarseClock;
    auto lastPublish = Steady::now();
    HitListBuilder hits;
    size_t found = 0;
    int64_t scanned = 0;
    int64_t interrupted = 0;
    bool limited = false;

    std::u16string text;
    std::u16string folderText; // decoded parent path, reused while the folder stays the same
    uint64_t folderGeneration = ~uint64_t(0);
    std::vector<RawRange> raw;

    while (walker.next()) {
        if (stop.stop_requested())
            return {SearchOutcome::Status::cancelled, {}};
        // Links are matched but never entered: the walker descends into real folders only.
        ++scanned;

        // A name without the pattern's literal text cannot match: it is not decoded at all.
        bool candidate =
            !prefilter ||
            (options.fullPath ? prefilter->mayMatchPath(walker.path(), walker.nameOffset(),
                                                        walker.directoryGeneration())
                              : prefilter->mayMatch(walker.name()));
        if (candidate) {
            text.clear();
            int64_t offset = 0;
            if (options.fullPath) {
                if (walker.directoryGeneration() != folderGeneration) {
                    folderGeneration = walker.directoryGeneration();
                    folderText.clear();
                    appendUtf16(std::string_view(walker.path()).substr(0, walker.nameOffset()),
                                folderText);
                }
                text = folderText;
                offset = static_cast<int64_t>(text.size());
            }
            appendUtf16(walker.name(), text);

            raw.clear();
            auto result = matcher.match(text, raw, kItemBudget, stop);
            if (result.interrupted)
                ++interrupted;
            if (result.matched) {
                SearchHit hit;
                hit.url = walker.path();
                hit.isDirectory = walker.type() == DirectoryWalker::ItemType::directory;
                if (tuning.attributes)
                    readHitAttributes(walker.directoryFd(), walker.name(), hit);
                nameRanges(raw, offset, static_cast<int64_t>(text.size()) - offset,
                           hit.matchedNameRanges);
                if (tuning.nameKeys)
                    hit.nameKey = collationKey(walker.name());
                if (tuning.onHit)
                    tuning.onHit(hit);
                ++found;
                if (tuning.keepHits)
                    hits.append(std::move(hit));
            }
        }
        if (found >= kHitLimit) {
            limited = true;
            break;
        }
        if (Steady::now() - lastPublish > kPublishInterval) {
            publish({hits.snapshot(), scanned, walker.errors() + interrupted, false});
            lastPublish = Steady::now();
        }
    }
    if (stop.stop_requested())
        return {SearchOutcome::Status::cancelled, {}};
    publish({hits.snapshot(), scanned, walker.errors() + interrupted, limited});
    return {};
}

} // namespace

SearchOutcome run(const SearchOptions& options, const Publish& publish, std::stop_token stop,
                  const RunTuning& tuning) {
    RegexMatcher matcher(options.pattern, options.caseSensitive);
    if (!matcher.valid())
        return {SearchOutcome::Status::failed, {"ICU", 1, matcher.error()}};

    struct stat st {};
    if (::stat(options.folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
        ::access(options.folder.c_str(), R_OK | X_OK) != 0)
        return failure(1, kUnreadableFolder);

    DirectoryWalker walker(options.folder, options.recursive, options.includeHidden,
                           tuning.threads > 1);
    if (!walker.open())
        return failure(2, kCannotEnumerate);

    std::optional<LiteralPrefilter> prefilter;
    if (tuning.literalPrefilter)
        prefilter = LiteralPrefilter::fromPattern(options.pattern, options.caseSensitive);

    return walkAndMatch(walker, options, matcher, prefilter, tuning, publish, stop);
}

} // namespace qb::SearchEngine
