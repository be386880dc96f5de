#include "ReadAheadWalker.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <system_error>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace qb {
namespace {

// Ring records, 4-byte aligned, never split at the ring's end:
//   item:   kind, type, name length (u16), name bytes
//   folder: kind, 0, suffix length (u16), kept length (u32), descriptor (i32), suffix bytes
//           (the folder's path is the previous one cut to the kept length, plus the suffix)
//   errors: kind, 0, 0, 0, count (i64)
//   end, wrap (the rest of the ring is unused): kind, 0, 0, 0
enum RecordKind : unsigned char { kItem = 1, kFolder, kErrors, kEnd, kWrap };

constexpr size_t kFolderChunk = 4096;
constexpr unsigned kCommitEvery = 64;
constexpr size_t kReleaseEvery = ReadAheadWalker::kRingBytes / 8;
// Rounds of polling before a side sleeps: a folder takes the reader some microseconds, and
// sleeping and waking for each costs more than that.
constexpr int kSpins = 2000;

size_t aligned(size_t n) {
    return (n + 3) & ~size_t(3);
}

// Eight bytes at a time: folder paths are long and change only at their ends.
size_t commonPrefix(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t x, y;
        std::memcpy(&x, a.data() + i, 8);
        std::memcpy(&y, b.data() + i, 8);
        if (x != y) {
            uint64_t d = x ^ y;
            int bit = std::endian::native == std::endian::little ? __builtin_ctzll(d)
                                                                 : __builtin_clzll(d);
            return i + size_t(bit) / 8;
        }
    }
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

void relax() {
#if defined(__x86_64__) || defined(__i386__)
    _mm_pause();
#endif
}

} // namespace

void ReadAheadWalker::Wake::operator()() const noexcept {
    self->m_dataSignal.fetch_add(1, std::memory_order_release);
    self->m_dataSignal.notify_all();
    self->m_spaceSignal.fetch_add(1, std::memory_order_release);
    self->m_spaceSignal.notify_all();
}

ReadAheadWalker::ReadAheadWalker(DirectoryWalker& walker, bool shareDescriptors,
                                 std::stop_token stop)
    : m_walker(walker), m_shareDescriptors(shareDescriptors), m_stop(std::move(stop)),
      m_ring(new unsigned char[kRingBytes]), m_onStop(m_stop, Wake{this}) {}

ReadAheadWalker::~ReadAheadWalker() {
    if (m_thread.joinable()) {
        m_cancel.store(true, std::memory_order_release);
        m_spaceSignal.fetch_add(1, std::memory_order_release);
        m_spaceSignal.notify_all();
        m_thread.join();
    }
    for (const HeldBack& h : m_heldBack)
        ::close(h.fd);
    m_walker.setCloser({});
}

bool ReadAheadWalker::start() {
    if (m_shareDescriptors)
        m_walker.setCloser([this](int fd) { holdBack(fd); });
    try {
        m_thread = std::thread([this] { read(); });
    } catch (const std::system_error&) {
        m_walker.setCloser({});
        return false;
    }
    return true;
}

bool ReadAheadWalker::cancelled() const {
    return m_cancel.load(std::memory_order_acquire) || m_stop.stop_requested();
}

void ReadAheadWalker::read() {
    while (!cancelled()) {
        bool more = m_walker.next();
        int64_t errorCount = m_walker.errors();
        if (errorCount != m_lastErrors) {
            unsigned char* r = reserve(12);
            if (!r)
                return;
            r[0] = kErrors;
            std::memcpy(r + 4, &errorCount, 8);
            m_lastErrors = errorCount;
        }
        if (!more) {
            unsigned char* r = reserve(4);
            if (!r)
                return;
            r[0] = kEnd;
            commit();
            return;
        }
        if (m_walker.directoryGeneration() != m_lastGeneration) {
            m_lastGeneration = m_walker.directoryGeneration();
            std::string_view path = m_walker.path();
            if (!writeFolder(path.substr(0, m_walker.nameOffset()), m_walker.directoryFd()))
                return;
        }
        std::string_view name = m_walker.name();
        unsigned char* r = reserve(4 + name.size());
        if (!r)
            return;
        r[0] = kItem;
        r[1] = static_cast<unsigned char>(m_walker.type());
        auto length = static_cast<uint16_t>(name.size());
        std::memcpy(r + 2, &length, 2);
        std::memcpy(r + 4, name.data(), name.size());
        // Hand over what there is before the walker goes to the disk again.
        if (++m_uncommitted >= kCommitEvery || m_walker.nextMayWait())
            commit();
    }
}

bool ReadAheadWalker::writeFolder(std::string_view path, int fd) {
    size_t keep = commonPrefix(path, m_lastFolder);
    m_lastFolder.assign(path);
    if (m_shareDescriptors && fd >= 0) {
        if (size_t(fd) >= m_shared.size())
            m_shared.resize(size_t(fd) + 1);
        m_shared[size_t(fd)] = true;
    }
    int sent = m_shareDescriptors ? fd : -1;
    // A root's path can be longer than one record may be: it then takes several.
    do {
        std::string_view suffix = path.substr(keep, kFolderChunk);
        unsigned char* r = reserve(12 + suffix.size());
        if (!r)
            return false;
        r[0] = kFolder;
        r[1] = 0;
        auto length = static_cast<uint16_t>(suffix.size());
        auto kept = static_cast<uint32_t>(keep);
        std::memcpy(r + 2, &length, 2);
        std::memcpy(r + 4, &kept, 4);
        std::memcpy(r + 8, &sent, 4);
        std::memcpy(r + 12, suffix.data(), suffix.size());
        keep += suffix.size();
    } while (keep < path.size());
    return true;
}

unsigned char* ReadAheadWalker::reserve(size_t bytes) {
    bytes = aligned(bytes);
    size_t offset = m_writePos % kRingBytes;
    if (offset + bytes > kRingBytes) {
        if (!waitForRoom(kRingBytes - offset))
            return nullptr;
        m_ring[offset] = kWrap;
        m_writePos += kRingBytes - offset;
        offset = 0;
    }
    if (!waitForRoom(bytes))
        return nullptr;
    unsigned char* r = m_ring.get() + offset;
    m_writePos += bytes;
    return r;
}

bool ReadAheadWalker::waitForRoom(size_t bytes) {
    uint64_t end = m_writePos + bytes;
    return end <= kRingBytes || waitForTail(end - kRingBytes);
}

// Waits until the consumer has moved past position; false when the walk was called off.
bool ReadAheadWalker::waitForTail(uint64_t position) {
    if (m_tailSeen >= position)
        return true;
    commit();
    for (int spin = 0;; ++spin) {
        uint32_t seen = m_spaceSignal.load(std::memory_order_acquire);
        m_tailSeen = m_tail.load(std::memory_order_acquire);
        closeHeldBack(m_tailSeen);
        if (m_tailSeen >= position)
            return true;
        if (cancelled())
            return false;
        if (spin < kSpins)
            relax();
        else
            m_spaceSignal.wait(seen, std::memory_order_acquire);
    }
}

void ReadAheadWalker::commit() {
    m_uncommitted = 0;
    if (m_head.load(std::memory_order_relaxed) != m_writePos) {
        m_head.store(m_writePos, std::memory_order_release);
        m_dataSignal.fetch_add(1, std::memory_order_release);
        m_dataSignal.notify_one();
    }
    if (!m_heldBack.empty()) {
        m_tailSeen = m_tail.load(std::memory_order_acquire);
        closeHeldBack(m_tailSeen);
    }
}

void ReadAheadWalker::closeHeldBack(uint64_t tail) {
    size_t done = 0;
    while (done < m_heldBack.size() && m_heldBack[done].until <= tail)
        ::close(m_heldBack[done++].fd);
    m_heldBack.erase(m_heldBack.begin(), m_heldBack.begin() + std::ptrdiff_t(done));
}

// The walker is done with fd; the consumer may still read attributes through it.
void ReadAheadWalker::holdBack(int fd) {
    if (size_t(fd) >= m_shared.size() || !m_shared[size_t(fd)]) {
        ::close(fd);
        return;
    }
    m_shared[size_t(fd)] = false;
    m_heldBack.push_back({fd, m_writePos});
    if (m_heldBack.size() >= kMaxHeldBack)
        waitForTail(m_heldBack.front().until); // closes it; a cancelled walk closes it later
}

bool ReadAheadWalker::next() {
    // Done with the previous item: its folder may be closed and its bytes reused.
    if (m_readPos - m_released >= kReleaseEvery)
        release();
    for (;;) {
        if (m_finished)
            return false;
        if (m_readPos == m_headSeen && !waitForData())
            return false;
        size_t offset = m_readPos % kRingBytes;
        const unsigned char* r = m_ring.get() + offset;
        switch (r[0]) {
        case kWrap:
            m_readPos += kRingBytes - offset;
            continue;
        case kErrors:
            std::memcpy(&m_errors, r + 4, 8);
            m_readPos += 12;
            continue;
        case kEnd:
            m_finished = true;
            return false;
        case kFolder: {
            uint16_t length;
            uint32_t kept;
            std::memcpy(&length, r + 2, 2);
            std::memcpy(&kept, r + 4, 4);
            std::memcpy(&m_fd, r + 8, 4);
            m_path.resize(kept);
            m_path.append(reinterpret_cast<const char*>(r + 12), length);
            m_folderLength = m_path.size();
            ++m_generation;
            if (m_shareDescriptors && m_readPos != m_released)
                release(); // the items before it are done with: their folders may close
            m_readPos += aligned(12 + length);
            continue;
        }
        default: {
            uint16_t length;
            std::memcpy(&length, r + 2, 2);
            m_type = static_cast<ItemType>(r[1]);
            m_path.resize(m_folderLength);
            m_path.append(reinterpret_cast<const char*>(r + 4), length);
            m_nameOffset = m_folderLength;
            m_readPos += aligned(4 + length);
            return true;
        }
        }
    }
}

bool ReadAheadWalker::waitForData() {
    release();
    for (int spin = 0;; ++spin) {
        uint32_t seen = m_dataSignal.load(std::memory_order_acquire);
        m_headSeen = m_head.load(std::memory_order_acquire);
        if (m_headSeen != m_readPos)
            return true;
        if (m_stop.stop_requested())
            return false;
        if (spin < kSpins)
            relax();
        else
            m_dataSignal.wait(seen, std::memory_order_acquire);
    }
}

void ReadAheadWalker::release() {
    if (m_released == m_readPos)
        return;
    m_released = m_readPos;
    m_tail.store(m_readPos, std::memory_order_release);
    m_spaceSignal.fetch_add(1, std::memory_order_release);
    m_spaceSignal.notify_one();
}

} // namespace qb
