#pragma once
// Opens and reads, on a second thread, folders that a walk will enter later, so that the walk
// finds them ready while it reads others itself. The walk asks for a folder by its parent's
// descriptor and its name; each request holds one of a few slots until the walk takes it or
// withdraws it, which bounds the descriptors and listings held ahead. The thread reads the
// pending request the walk will reach first (the one with the highest priority).

#include "FolderListing.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

namespace qb {

class FolderPrefetcher {
public:
    static constexpr int kSlots = 16;

    explicit FolderPrefetcher(bool includeHidden);
    // Stops the thread and closes the folders it opened that were never taken.
    ~FolderPrefetcher();
    FolderPrefetcher(const FolderPrefetcher&) = delete;
    FolderPrefetcher& operator=(const FolderPrefetcher&) = delete;

    // False when no thread could be started.
    bool start();

    // The calls below come from the walking thread only.
    // A slot free for a request, or -1.
    int freeSlot() const;
    // parentFd must stay open until the slot is taken, withdrawn or discarded.
    void request(int slot, int parentFd, std::string_view name, uint64_t priority);
    // Takes back a request the thread has not begun (true); otherwise it will be completed.
    bool withdraw(int slot);
    // Waits until the thread is done with a request it began. Its parent's descriptor may
    // be closed afterwards.
    void waitUntilDone(int slot);

    struct Result {
        int fd = -1;      // the folder, opened; -1 when opening it failed
        bool read = true; // false when reading it failed
    };
    // Waits for a request the thread began and hands over the folder: its listing is
    // swapped into listing, and the slot is free again.
    Result take(int slot, FolderListing& listing);
    // Frees a slot whatever became of its request, closing a folder opened for it.
    void discard(int slot);

private:
    enum State : uint32_t { kFree, kPending, kReading, kDone };
    struct Slot {
        std::atomic<uint32_t> state{kFree};
        std::atomic<uint64_t> priority{0}; // read by the thread while choosing
        int parentFd = -1;
        std::string name;
        Result result;
        FolderListing listing;
    };

    void run();

    const bool m_includeHidden;
    std::array<Slot, kSlots> m_slots;
    std::atomic<uint32_t> m_work{0}; // bumped for each request and for stopping
    std::atomic<uint32_t> m_done{0}; // bumped for each finished request
    std::atomic<bool> m_stopping{false};
    std::unique_ptr<char[]> m_buffer;
    std::thread m_thread;
};

} // namespace qb
