#include "SubtreeWorkers.h"

#include <dirent.h>
#include <sys/resource.h>
#include <system_error>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace qb {
namespace {

// Rounds of polling before the walking thread sleeps on a subtree's next record: a record
// often follows within microseconds, sooner than going to sleep and being woken.
constexpr int kSpins = 1000;

void relax() {
#if defined(__x86_64__) || defined(__i386__)
    _mm_pause();
#endif
}

size_t openDescriptors() {
    size_t n = 0;
    if (DIR* d = ::opendir("/proc/self/fd")) {
        while (dirent* e = ::readdir(d))
            n += e->d_name[0] != '.';
        ::closedir(d);
        return n;
    }
    return 64; // a guess on the safe side where /proc is missing
}

} // namespace

SubtreeWorkers::SubtreeWorkers(const SearchOptions& options, const ItemMatchSettings& settings,
                               unsigned workers, std::stop_token stop,
                               const DirectoryWalker::BeforeOpening* beforeOpening)
    : m_options(options), m_settings(settings), m_beforeOpening(beforeOpening) {
    m_subtreeCount = workers * kSubtreesPerWorker;
    m_subtrees.reset(new Subtree[m_subtreeCount]);
    m_workers.reset(new Worker[workers]);
    for (unsigned i = 0; i < workers; ++i) {
        try {
            m_threads.emplace_back([this, i] { run(m_workers[i]); });
        } catch (const std::system_error&) {
            break; // fewer workers, the same results
        }
        m_idle.fetch_add(1, std::memory_order_release);
    }
    m_forwardStop.emplace(std::move(stop), [this] { stopWalks(); });
}

SubtreeWorkers::~SubtreeWorkers() {
    m_forwardStop.reset(); // first: it must not run while the rest goes
    stopWalks();
    for (size_t i = 0; i < m_threads.size(); ++i) {
        m_workers[i].subtree.exchange(kQuit, std::memory_order_acq_rel);
        m_workers[i].subtree.notify_one();
    }
    for (std::thread& t : m_threads)
        t.join();
    for (size_t i = 0; i < m_subtreeCount; ++i)
        if (m_subtrees[i].fd >= 0)
            ::close(m_subtrees[i].fd);
}

void SubtreeWorkers::stopWalks() {
    m_stopSource.request_stop();
    for (size_t i = 0; i < m_subtreeCount; ++i) {
        m_subtrees[i].room.fetch_add(1, std::memory_order_release);
        m_subtrees[i].room.notify_all();
    }
}

unsigned SubtreeWorkers::affordable(unsigned wanted) {
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 0;
    if (limit.rlim_cur == RLIM_INFINITY)
        return wanted;
    // Room for the walking thread's own folders and a few the caller may open meanwhile.
    size_t held = openDescriptors() + DirectoryWalker::kMaxOpenDirectories + 1 + 8;
    size_t spare = limit.rlim_cur > held ? limit.rlim_cur - held : 0;
    while (wanted > 0 && descriptorsFor(wanted) > spare)
        --wanted;
    return wanted;
}

int SubtreeWorkers::freeSubtree() const {
    if (m_idle.load(std::memory_order_acquire) == 0 || m_busySubtrees == m_subtreeCount)
        return -1;
    for (size_t i = 0; i < m_subtreeCount; ++i)
        if (!m_subtrees[i].busy)
            return static_cast<int>(i);
    return -1;
}

void SubtreeWorkers::give(int subtree, int fd, std::string path) {
    Subtree& s = m_subtrees[size_t(subtree)];
    s.busy = true;
    ++m_busySubtrees;
    s.fd = fd;
    s.path = std::move(path);
    s.totals = {};
    s.rest.reset();
    s.handBack.store(0, std::memory_order_relaxed);
    s.finished.store(0, std::memory_order_relaxed);
    if (!s.ring)
        s.ring.reset(new Record[kRecordsPerSubtree]);
    // m_idle was seen above zero (acquire): the worker that counted itself idle had set its
    // own state first, so it is found here.
    for (size_t i = 0; i < m_threads.size(); ++i) {
        if (m_workers[i].subtree.load(std::memory_order_acquire) != kIdle)
            continue;
        m_idle.fetch_sub(1, std::memory_order_relaxed);
        m_workers[i].subtree.store(subtree, std::memory_order_release);
        m_workers[i].subtree.notify_one();
        return;
    }
}

bool SubtreeWorkers::take(int subtree, Record& out) {
    Subtree& s = m_subtrees[size_t(subtree)];
    for (int spin = 0;; ++spin) {
        uint32_t seen = s.signal.load(std::memory_order_acquire);
        uint32_t taken = s.consumed.load(std::memory_order_relaxed);
        // Read before the record count: a worker that finished wrote its last record first,
        // and a record written between the two reads would otherwise be left behind.
        bool finished = s.finished.load(std::memory_order_acquire);
        if (s.produced.load(std::memory_order_acquire) != taken) {
            out = std::move(s.ring[taken % kRecordsPerSubtree]);
            s.consumed.store(taken + 1, std::memory_order_release);
            s.room.fetch_add(1, std::memory_order_release);
            s.room.notify_one();
            return true;
        }
        if (finished)
            return false;
        if (m_stopSource.stop_requested())
            return false; // the worker may be gone from it; the run is ending
        if (spin < kSpins)
            relax();
        else
            s.signal.wait(seen, std::memory_order_acquire);
    }
}

void SubtreeWorkers::handBack(int subtree) {
    m_subtrees[size_t(subtree)].handBack.store(1, std::memory_order_relaxed);
}

SubtreeWorkers::Totals SubtreeWorkers::finish(int subtree, std::unique_ptr<DirectoryWalker>& rest) {
    Subtree& s = m_subtrees[size_t(subtree)];
    s.busy = false;
    --m_busySubtrees;
    rest = std::move(s.rest);
    return std::move(s.totals);
}

void SubtreeWorkers::run(Worker& self) {
    ItemMatcher matcher(m_options.pattern, m_settings);
    std::stop_token stop = m_stopSource.get_token();
    for (;;) {
        int32_t subtree = self.subtree.load(std::memory_order_acquire);
        if (subtree == kIdle) {
            self.subtree.wait(kIdle, std::memory_order_acquire);
            continue;
        }
        if (subtree == kQuit)
            return;
        walk(m_subtrees[size_t(subtree)], matcher, stop);
        int32_t expected = subtree;
        if (!self.subtree.compare_exchange_strong(expected, kIdle, std::memory_order_acq_rel))
            return; // told to quit meanwhile
        m_idle.fetch_add(1, std::memory_order_release);
    }
}

void SubtreeWorkers::walk(Subtree& s, ItemMatcher& matcher, const std::stop_token& stop) {
    auto walker = std::make_unique<DirectoryWalker>(s.path, true, m_options.includeHidden,
                                                    kOpenDirectoriesPerWorker);
    walker->setBeforeOpening(m_beforeOpening);
    walker->openAt(s.fd);
    s.fd = -1;
    int64_t scanned = 0, quiet = 0;
    bool handedBack = false;
    for (;;) {
        if (s.handBack.load(std::memory_order_relaxed)) {
            handedBack = true;
            break;
        }
        if (!walker->next() || stop.stop_requested())
            break;
        ++scanned;
        ItemMatcher::Result r = matcher.match(*walker, stop);
        if (r.interrupted)
            walker->skips().add(SkipReason::timedOut, walker->path());
        if (!r.matched && ++quiet < kItemsPerCountRecord)
            continue;
        quiet = 0;
        Record record;
        if (r.matched) {
            record.hit = matcher.makeHit(*walker);
            record.hasHit = true;
        }
        record.scanned = scanned;
        record.skipped = walker->skips().counts();
        if (walker->skips().hasPending())
            record.skips = walker->skips().takePending();
        if (!put(s, std::move(record), stop))
            break;
    }
    s.totals = {scanned, walker->skips().counts(), walker->skips().takePending()};
    if (handedBack)
        s.rest = std::move(walker);
    else
        walker.reset(); // its descriptors are closed before the subtree counts as done
    s.finished.store(1, std::memory_order_release);
    s.signal.fetch_add(1, std::memory_order_release);
    s.signal.notify_one();
}

bool SubtreeWorkers::put(Subtree& s, Record&& record, const std::stop_token& stop) {
    for (;;) {
        uint32_t room = s.room.load(std::memory_order_acquire);
        uint32_t written = s.produced.load(std::memory_order_relaxed);
        if (written - s.consumed.load(std::memory_order_acquire) < kRecordsPerSubtree) {
            s.ring[written % kRecordsPerSubtree] = std::move(record);
            s.produced.store(written + 1, std::memory_order_release);
            s.signal.fetch_add(1, std::memory_order_release);
            s.signal.notify_one();
            return true;
        }
        if (stop.stop_requested())
            return false;
        s.room.wait(room, std::memory_order_acquire);
    }
}

} // namespace qb
