#include "FolderPrefetcher.h"

#include <cerrno>
#include <system_error>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace qb {
namespace {

constexpr size_t kBufferBytes = 256 * 1024;
// Rounds of polling before the walk sleeps on a folder being read: reading one takes some
// microseconds, less than going to sleep and being woken.
constexpr int kSpins = 1000;

void relax() {
#if defined(__x86_64__) || defined(__i386__)
    _mm_pause();
#endif
}

} // namespace

FolderPrefetcher::FolderPrefetcher(bool includeHidden)
    : m_includeHidden(includeHidden), m_buffer(new char[kBufferBytes]) {}

FolderPrefetcher::~FolderPrefetcher() {
    if (m_thread.joinable()) {
        m_stopping.store(true, std::memory_order_release);
        m_work.fetch_add(1, std::memory_order_release);
        m_work.notify_all();
        m_thread.join();
    }
    for (Slot& s : m_slots)
        if (s.state.load(std::memory_order_acquire) == kDone && s.result.fd >= 0)
            ::close(s.result.fd);
}

bool FolderPrefetcher::start() {
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

int FolderPrefetcher::freeSlot() const {
    for (int i = 0; i < kSlots; ++i)
        if (m_slots[size_t(i)].state.load(std::memory_order_relaxed) == kFree)
            return i;
    return -1;
}

void FolderPrefetcher::request(int slot, int parentFd, std::string_view name, uint64_t priority) {
    Slot& s = m_slots[size_t(slot)];
    s.parentFd = parentFd;
    s.name.assign(name);
    s.priority.store(priority, std::memory_order_relaxed);
    s.state.store(kPending, std::memory_order_release);
    m_work.fetch_add(1, std::memory_order_release);
    m_work.notify_one();
}

bool FolderPrefetcher::withdraw(int slot) {
    uint32_t expected = kPending;
    return m_slots[size_t(slot)].state.compare_exchange_strong(expected, kFree,
                                                               std::memory_order_acq_rel);
}

void FolderPrefetcher::waitUntilDone(int slot) {
    Slot& s = m_slots[size_t(slot)];
    for (int spin = 0;; ++spin) {
        uint32_t seen = m_done.load(std::memory_order_acquire);
        if (s.state.load(std::memory_order_acquire) == kDone)
            return;
        if (spin < kSpins)
            relax();
        else
            m_done.wait(seen, std::memory_order_acquire);
    }
}

FolderPrefetcher::Result FolderPrefetcher::take(int slot, FolderListing& listing) {
    waitUntilDone(slot);
    Slot& s = m_slots[size_t(slot)];
    listing.swap(s.listing);
    Result r = s.result;
    s.state.store(kFree, std::memory_order_relaxed);
    return r;
}

void FolderPrefetcher::discard(int slot) {
    if (withdraw(slot))
        return;
    waitUntilDone(slot);
    Slot& s = m_slots[size_t(slot)];
    if (s.result.fd >= 0)
        ::close(s.result.fd);
    s.state.store(kFree, std::memory_order_relaxed);
}

void FolderPrefetcher::run() {
    while (!m_stopping.load(std::memory_order_acquire)) {
        uint32_t seen = m_work.load(std::memory_order_acquire);
        Slot* best = nullptr;
        uint64_t bestPriority = 0;
        for (Slot& s : m_slots) {
            if (s.state.load(std::memory_order_acquire) != kPending)
                continue;
            uint64_t p = s.priority.load(std::memory_order_relaxed);
            if (!best || p > bestPriority) {
                best = &s;
                bestPriority = p;
            }
        }
        if (!best) {
            m_work.wait(seen, std::memory_order_acquire);
            continue;
        }
        uint32_t expected = kPending;
        if (!best->state.compare_exchange_strong(expected, kReading, std::memory_order_acq_rel))
            continue; // the walk took it back meanwhile
        Result r;
        r.fd = ::openat(best->parentFd, best->name.c_str(), kFolderOpenFlags);
        if (r.fd >= 0)
            r.read = readFolder(r.fd, m_buffer.get(), kBufferBytes, m_includeHidden, best->listing);
        best->result = r;
        best->state.store(kDone, std::memory_order_release);
        m_done.fetch_add(1, std::memory_order_release);
        m_done.notify_one();
    }
}

} // namespace qb
