#pragma once
// Threads that each walk and match whole subtrees handed off by a walk, into buffers of their
// own, which the walking thread splices in where the subtree belongs: the results keep the
// one-thread walk's order. When the walking thread reaches a subtree still being walked, the
// worker stops after its current item and hands back the rest of its walk, which the walking
// thread carries on itself instead of waiting for all of it. Each subtree's buffer holds a
// bounded number of records (a worker waits when its buffer is full), a bounded number of
// subtrees is out at once, and each worker keeps a bounded number of descriptors open.
//
// Waiting, both ways, is on atomics (C++20 wait/notify): no mutex.

#include "DirectoryWalker.h"
#include "ItemMatcher.h"
#include "SearchRecords.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

namespace qb {

class SubtreeWorkers {
public:
    // One record per hit, and one without a hit now and then for the counts.
    struct Record {
        SearchHit hit;
        bool hasHit = false;
        // The subtree's counts up to and including this record's item.
        int64_t scanned = 0;
        SkipCounts skipped;
        // The items skipped since the previous record, as far as the subtree lists them.
        std::vector<SkippedItem> skips;
    };
    struct Totals {
        int64_t scanned = 0;
        SkipCounts skipped;
        std::vector<SkippedItem> skips; // since the last record
    };

    static constexpr size_t kRecordsPerSubtree = 512;
    static constexpr size_t kSubtreesPerWorker = 8;
    // Descriptors one worker keeps open at most: the subtree's folders it is inside.
    static constexpr size_t kOpenDirectoriesPerWorker = 16;
    // Items a worker walks without a hit before it reports its counts.
    static constexpr int64_t kItemsPerCountRecord = 2048;

    // stop ends the workers' walks too. The pattern must compile. beforeOpening, when given,
    // goes to every walk (DirectoryWalker::setBeforeOpening).
    SubtreeWorkers(const SearchOptions& options, const ItemMatchSettings& settings,
                   unsigned workers, std::stop_token stop,
                   const DirectoryWalker::BeforeOpening* beforeOpening = nullptr);
    // Stops the workers, waits for them and closes what they held.
    ~SubtreeWorkers();
    SubtreeWorkers(const SubtreeWorkers&) = delete;
    SubtreeWorkers& operator=(const SubtreeWorkers&) = delete;

    unsigned workers() const { return static_cast<unsigned>(m_threads.size()); }

    // The calls below come from the walking thread only.
    // A subtree slot to tag a hand-off with when a worker is idle to take it, else -1.
    int freeSubtree() const;
    // Hands the subtree open as fd (taken over) at path to an idle worker.
    void give(int subtree, int fd, std::string path);
    // Asks the worker to stop after its current item and hand back the rest of its walk.
    void handBack(int subtree);
    // Moves the subtree's next record into out, waiting for it; false when the worker is done
    // with the subtree and every record is taken, or the walk was stopped.
    bool take(int subtree, Record& out);
    // After take() said false: the counts of the records, and the rest of the walk when the
    // worker handed it back (positioned after the last record's item). The slot is free again.
    Totals finish(int subtree, std::unique_ptr<DirectoryWalker>& rest);

    // Walks handed back that the walking thread may hold at once; beyond that it waits for
    // a subtree to be walked to its end instead.
    static constexpr size_t kWalksHandedBack = 3;
    // Descriptors a walk with this many workers may hold beyond its own walker's: the
    // workers' and those of the walks handed back (one more each while entering a folder).
    static size_t descriptorsFor(unsigned workers) {
        return workers ? (workers + kWalksHandedBack) * (kOpenDirectoriesPerWorker + 1) : 0;
    }
    // How many of the wanted workers the process's descriptor limit leaves room for.
    static unsigned affordable(unsigned wanted);

private:
    struct Subtree {
        // Written by the walking thread before the hand-off, read by the worker.
        int fd = -1;
        std::string path;
        std::unique_ptr<Record[]> ring;
        std::atomic<uint32_t> produced{0}; // records written (the worker's count)
        std::atomic<uint32_t> consumed{0}; // records taken (the walking thread's count)
        std::atomic<uint32_t> finished{0};
        std::atomic<uint32_t> signal{0}; // bumped after every record and at the end
        std::atomic<uint32_t> room{0};   // bumped after every take, and to stop a wait
        std::atomic<uint32_t> handBack{0};
        Totals totals;                         // valid once finished
        std::unique_ptr<DirectoryWalker> rest; // valid once finished
        bool busy = false;                     // the walking thread's own bookkeeping
    };
    struct Worker {
        std::atomic<int32_t> subtree{kIdle};
    };
    static constexpr int32_t kIdle = -1;
    static constexpr int32_t kQuit = -2;

    void run(Worker& self);
    void walk(Subtree& s, ItemMatcher& matcher, const std::stop_token& stop);
    bool put(Subtree& s, Record&& record, const std::stop_token& stop);
    void stopWalks();

    SearchOptions m_options;
    ItemMatchSettings m_settings;
    const DirectoryWalker::BeforeOpening* m_beforeOpening;
    std::stop_source m_stopSource;
    std::unique_ptr<Subtree[]> m_subtrees;
    size_t m_subtreeCount = 0;
    size_t m_busySubtrees = 0;
    std::unique_ptr<Worker[]> m_workers;
    std::atomic<uint32_t> m_idle{0};
    std::vector<std::thread> m_threads;
    std::optional<std::stop_callback<std::function<void()>>> m_forwardStop;
};

} // namespace qb
