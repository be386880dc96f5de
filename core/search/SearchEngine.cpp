#include "SearchEngine.h"

#include "CoarseClock.h"
#include "DirectoryWalker.h"
#include "ItemMatcher.h"
#include "SubtreeWorkers.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qb::SearchEngine {
namespace {

SearchOutcome failure(SearchError::Kind kind, int code, const std::string& folder, int errnum) {
    return {SearchOutcome::Status::failed, {kind, kErrorDomain, code, {}, folder, errnum}};
}

// The walk on the calling thread, with the subtrees handed off to workers spliced in where
// the walk meets them: hits, skipped items, counts, the limit and the publishing come out as
// if the calling thread had walked every subtree itself. A walk handed back by a worker is
// carried on here, above the one that met its subtree, until it ends.
class Walk {
public:
    Walk(DirectoryWalker& root, ItemMatcher& matcher, SubtreeWorkers* workers,
         const RunTuning& tuning, const Publish& publish, const std::stop_token& stop)
        : m_matcher(matcher), m_workers(workers), m_tuning(tuning), m_publish(publish),
          m_stop(stop) {
        m_levels.push_back({&root, nullptr, 0});
    }

    SearchOutcome run() {
        for (;;) {
            DirectoryWalker& walker = *m_levels.back().walker;
            if (!walker.next()) {
                if (m_levels.size() == 1)
                    break;
                takeSkips();
                m_skippedBefore += walker.skips().counts() - m_levels.back().skippedBefore;
                m_levels.pop_back();
                continue;
            }
            if (m_stop.stop_requested())
                return {SearchOutcome::Status::cancelled, {}};
            // Links are matched but never entered: the walker descends into real folders only.
            ++m_scanned;
            ItemMatcher::Result r = m_matcher.match(walker, m_stop);
            if (r.interrupted)
                walker.skips().add(SkipReason::timedOut, walker.path());
            if (r.matched)
                addHit(m_matcher.makeHit(walker));
            if (m_found >= kHitLimit) {
                m_limited = true;
                break;
            }
            if (publishDue())
                publish(m_scanned, skipped());
            if (int subtree = walker.handedOff(); subtree >= 0) {
                takeSkips(); // those before the subtree
                if (!splice(subtree))
                    break;
            } else if (m_workers) {
                handOff();
            }
        }
        if (m_stop.stop_requested())
            return {SearchOutcome::Status::cancelled, {}};
        takeSkips();
        SkipCounts counts = skipped();
        m_publish(
            {m_hits.snapshot(), m_scanned, counts.total(), m_limited, m_skips.snapshot(counts)});
        return {};
    }

private:
    struct Level {
        DirectoryWalker* walker;
        std::unique_ptr<DirectoryWalker> owned; // a walk handed back
        SkipCounts skippedBefore;               // its skips counted by the worker already
    };

    SkipCounts skipped() const {
        SkipCounts n = m_skippedBefore;
        for (const Level& level : m_levels)
            n += level.walker->skips().counts() - level.skippedBefore;
        return n;
    }
    // Lists the skipped items the walks logged since last asked. Only the top walk moves,
    // and the ones below it were asked before it began, so this keeps the walk's order.
    void takeSkips() {
        for (Level& level : m_levels)
            if (level.walker->skips().hasPending())
                m_skips.append(level.walker->skips().takePending());
    }

    void addHit(SearchHit hit) {
        if (m_tuning.onHit)
            m_tuning.onHit(hit);
        ++m_found;
        if (m_tuning.keepHits)
            m_hits.append(std::move(hit));
    }

    bool publishDue() const { return CoarseClock::now() - m_lastPublish > kPublishInterval; }
    void publish(int64_t scanned, const SkipCounts& skippedNow) {
        takeSkips();
        m_publish(
            {m_hits.snapshot(), scanned, skippedNow.total(), false, m_skips.snapshot(skippedNow)});
        m_lastPublish = CoarseClock::now();
    }

    // Gives an idle worker the largest piece of the walk still ahead: the walks lower in the
    // stack are reached last, and within one, the shallowest folders hold the most.
    void handOff() {
        int subtree = m_workers->freeSubtree();
        if (subtree < 0)
            return;
        int fd = -1;
        std::string path;
        for (Level& level : m_levels) {
            if (level.walker->handOff(subtree, fd, path)) {
                m_workers->give(subtree, fd, std::move(path));
                return;
            }
        }
    }

    // Replays a subtree's records item by item, then carries on its walk if the worker handed
    // it back; false when the walk ends in it (the limit was reached, or a stop).
    bool splice(int subtree) {
        if (m_levels.size() <= SubtreeWorkers::kWalksHandedBack)
            m_workers->handBack(subtree);
        const int64_t scannedBefore = m_scanned;
        const SkipCounts skippedBefore = skipped();
        SubtreeWorkers::Record record;
        while (m_workers->take(subtree, record)) {
            if (m_stop.stop_requested())
                return false;
            if (!record.skips.empty())
                m_skips.append(std::move(record.skips));
            if (record.hasHit)
                addHit(std::move(record.hit));
            if (m_found >= kHitLimit) {
                m_scanned = scannedBefore + record.scanned;
                m_skippedBefore += record.skipped;
                m_limited = true;
                return false;
            }
            if (publishDue())
                publish(scannedBefore + record.scanned, skippedBefore + record.skipped);
        }
        if (m_stop.stop_requested())
            return false;
        std::unique_ptr<DirectoryWalker> rest;
        SubtreeWorkers::Totals totals = m_workers->finish(subtree, rest);
        m_scanned += totals.scanned;
        m_skippedBefore += totals.skipped;
        m_skips.append(std::move(totals.skips));
        if (rest) {
            DirectoryWalker* walker = rest.get();
            m_levels.push_back({walker, std::move(rest), walker->skips().counts()});
        }
        return true;
    }

    ItemMatcher& m_matcher;
    SubtreeWorkers* m_workers;
    const RunTuning& m_tuning;
    const Publish& m_publish;
    const std::stop_token& m_stop;
    std::vector<Level> m_levels; // the root's walk first, then walks handed back
    CoarseClock::time_point m_lastPublish = CoarseClock::now();
    HitListBuilder m_hits;
    size_t m_found = 0;
    int64_t m_scanned = 0;
    SkipCounts m_skippedBefore; // counted in subtrees and in walks since ended
    SkippedItemsBuilder m_skips;
    bool m_limited = false;
};

} // namespace

unsigned defaultThreads() {
    cpu_set_t set;
    CPU_ZERO(&set);
    unsigned cores = ::sched_getaffinity(0, sizeof set, &set) == 0
                         ? static_cast<unsigned>(CPU_COUNT(&set))
                         : static_cast<unsigned>(std::max(1L, ::sysconf(_SC_NPROCESSORS_ONLN)));
    return std::clamp(cores, 1u, kMaxDefaultThreads);
}

SearchOutcome run(const SearchOptions& options, const Publish& publish, std::stop_token stop,
                  const RunTuning& tuning) {
    ItemMatchSettings settings;
    settings.fullPath = options.fullPath;
    settings.caseSensitive = options.caseSensitive;
    settings.attributes = tuning.attributes;
    settings.nameKeys = tuning.nameKeys;
    settings.literalPrefilter = tuning.literalPrefilter;
    settings.itemBudget = tuning.itemBudget;
    ItemMatcher matcher(options.pattern, settings);
    if (!matcher.valid())
        return {SearchOutcome::Status::failed,
                {SearchError::Kind::pattern, "ICU", 1, matcher.error(), {}, 0}};

    struct stat st {};
    int unreadable = 0;
    if (::stat(options.folder.c_str(), &st) != 0)
        unreadable = errno;
    else if (!S_ISDIR(st.st_mode))
        unreadable = ENOTDIR;
    else if (::access(options.folder.c_str(), R_OK | X_OK) != 0)
        unreadable = errno;
    if (unreadable)
        return failure(SearchError::Kind::unreadableFolder, 1, options.folder, unreadable);

    DirectoryWalker walker(options.folder, options.recursive, options.includeHidden);
    if (!walker.open())
        return failure(SearchError::Kind::cannotEnumerate, 2, options.folder, errno);
    const DirectoryWalker::BeforeOpening* beforeOpening =
        tuning.beforeOpeningFolder ? &tuning.beforeOpeningFolder : nullptr;
    walker.setBeforeOpening(beforeOpening);

    std::optional<SubtreeWorkers> workers;
    unsigned threads = tuning.threads ? tuning.threads : defaultThreads();
    if (options.recursive && threads > 1) {
        if (unsigned n = SubtreeWorkers::affordable(threads - 1))
            workers.emplace(options, settings, n, stop, beforeOpening);
    }
    Walk walk(walker, matcher, workers && workers->workers() ? &*workers : nullptr, tuning, publish,
              stop);
    return walk.run();
}

std::string englishText(const SearchError& error) {
    switch (error.kind) {
    case SearchError::Kind::pattern:
        break;
    case SearchError::Kind::unreadableFolder:
        return kUnreadableFolder;
    case SearchError::Kind::cannotEnumerate:
        return kCannotEnumerate;
    }
    return qb::englishText(error.pattern);
}

} // namespace qb::SearchEngine
