#pragma once
// The walk of a DirectoryWalker with its folders opened and read on a second thread, ahead of
// the thread that consumes the items. Items arrive exactly as the walker yields them (same
// items, order and error counts) through a bounded ring; the consumer never waits for the
// disk while the ring holds items.

#include "DirectoryWalker.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace qb {

class ReadAheadWalker {
public:
    using ItemType = DirectoryWalker::ItemType;

    // walker must be open and outlive this object; nothing else may use it meanwhile. With
    // shareDescriptors, directoryFd() is the item's folder, held open until the consumer has
    // moved past it; otherwise it is -1. A stop request ends the walk early.
    ReadAheadWalker(DirectoryWalker& walker, bool shareDescriptors, std::stop_token stop);
    // Ends the reader thread and closes every descriptor it still held back.
    ~ReadAheadWalker();
    ReadAheadWalker(const ReadAheadWalker&) = delete;
    ReadAheadWalker& operator=(const ReadAheadWalker&) = delete;

    // Starts the reader thread; false (walker untouched) when no thread could be started.
    bool start();

    // As DirectoryWalker::next(); also false once a stop was requested.
    bool next();
    std::string_view name() const {
        return {m_path.data() + m_nameOffset, m_path.size() - m_nameOffset};
    }
    const std::string& path() const { return m_path; }
    size_t nameOffset() const { return m_nameOffset; }
    ItemType type() const { return m_type; }
    int directoryFd() const { return m_fd; }
    uint64_t directoryGeneration() const { return m_generation; }
    int64_t errors() const { return m_errors; }

    static constexpr size_t kRingBytes = 256 * 1024;
    // Folders whose descriptors are kept open for the consumer, beyond the walker's own.
    static constexpr size_t kMaxHeldBack = 16;

private:
    struct HeldBack {
        int fd;
        uint64_t until; // closed once the consumer has passed this ring position
    };
    struct Wake {
        ReadAheadWalker* self;
        void operator()() const noexcept;
    };

    // Reader thread.
    void read();
    unsigned char* reserve(size_t bytes);
    bool waitForRoom(size_t bytes);
    bool waitForTail(uint64_t position);
    void commit();
    void closeHeldBack(uint64_t tail);
    void holdBack(int fd);
    bool writeFolder(std::string_view folder, int fd);
    bool cancelled() const;

    // Consumer thread.
    bool waitForData();
    void release();

    DirectoryWalker& m_walker;
    const bool m_shareDescriptors;
    std::stop_token m_stop;
    std::unique_ptr<unsigned char[]> m_ring;
    std::thread m_thread;

    alignas(64) std::atomic<uint64_t> m_head{0}; // written up to here (by the reader)
    std::atomic<uint32_t> m_dataSignal{0};
    alignas(64) std::atomic<uint64_t> m_tail{0}; // consumed up to here (by the consumer)
    std::atomic<uint32_t> m_spaceSignal{0};
    std::atomic<bool> m_cancel{false};

    // Reader's own state.
    alignas(64) uint64_t m_writePos = 0;
    uint64_t m_tailSeen = 0;
    unsigned m_uncommitted = 0;
    std::string m_lastFolder;
    uint64_t m_lastGeneration = ~uint64_t(0);
    int64_t m_lastErrors = 0;
    std::vector<HeldBack> m_heldBack;
    std::vector<bool> m_shared; // by descriptor: named in a folder record

    // Consumer's own state.
    alignas(64) uint64_t m_readPos = 0;
    uint64_t m_headSeen = 0;
    uint64_t m_released = 0;
    bool m_finished = false;
    std::string m_path;
    size_t m_folderLength = 0;
    size_t m_nameOffset = 0;
    ItemType m_type = ItemType::other;
    int m_fd = -1;
    uint64_t m_generation = 0;
    int64_t m_errors = 0;

    std::stop_callback<Wake> m_onStop;
};

} // namespace qb
