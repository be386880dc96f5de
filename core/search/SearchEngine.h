#pragma once
// One search: compiles the pattern, walks the folder, matches each name (or path) under a
// per-item time budget, and reports cumulative progress through a blocking callback.

#include "PatternError.h"
#include "SearchRecords.h"

#include <chrono>
#include <functional>
#include <stop_token>
#include <string>

namespace qb {

// Why a search could not start: a kind and its facts, for the interface to word in the
// user's language.
struct SearchError {
    enum class Kind { pattern, unreadableFolder, cannotEnumerate };
    Kind kind = Kind::pattern;
    std::string domain; // "ICU" for the pattern, kErrorDomain for the folder
    int code = 0;       // 1 for the pattern and an unreadable folder, 2 when it can't be listed
    PatternError pattern;
    std::string folder; // the folder kinds: the folder searched
    int errnum = 0;     // the folder kinds: the system's reason, when it gave one
};

struct SearchOutcome {
    enum class Status { finished, failed, cancelled };
    Status status = Status::finished;
    SearchError error; // when failed
};

namespace SearchEngine {

inline constexpr size_t kHitLimit = 20000;
inline constexpr auto kItemBudget = std::chrono::milliseconds(50);
inline constexpr auto kPublishInterval = std::chrono::milliseconds(150);
inline constexpr const char* kErrorDomain = "Quillbrook";
inline constexpr const char* kUnreadableFolder =
    "This folder cannot be read. Choose an accessible folder.";
inline constexpr const char* kCannotEnumerate = "Could not enumerate this folder.";

// The error in English, as the command-line finder prints it.
std::string englishText(const SearchError& error);

using Publish = std::function<void(const SearchUpdate&)>;

// How a run does its work; none of it changes which hits are found, nor their order or counts.
struct RunTuning {
    // 1 walks and matches on the calling thread; more also hands whole subtrees to other
    // threads, which walk and match them while this one goes on; 0 picks defaultThreads().
    unsigned threads = 0;
    // Which derived fields hits get: the descriptive attributes (kind, size, date, type) and
    // the name's collation key. Those left out keep their defaults.
    bool attributes = true;
    bool nameKeys = true;
    // Rejects names lacking the pattern's literal text before they are decoded and matched.
    // Such a name cannot match; it can no longer run out of matching time either, so with a
    // pathological pattern fewer items may count as skipped.
    bool literalPrefilter = true;
    // Called on the calling thread with each hit as soon as it is found.
    std::function<void(const SearchHit&)> onHit;
    // Matching time per item. Only comparisons change it (tests, quillbrook-find's
    // --item-budget): a longer budget keeps a thread that is held off its core from cutting a
    // match short, so runs can be compared exactly.
    std::chrono::steady_clock::duration itemBudget = kItemBudget;
    // False: hits reach only onHit, and updates carry the counts with an empty hit list
    // (for callers that print hits as they come and would only pay for holding them).
    bool keepHits = true;
    // Called with each subfolder's path just before the walk opens it, on whichever thread
    // walks it (so it must be safe to call from several at once). For tests that change the
    // tree at a known point of the walk.
    std::function<void(const std::string& path)> beforeOpeningFolder;
};

// Threads a run uses when not told: the cores this process may run on, at most
// kMaxDefaultThreads. On two cores, a second thread made a warm walk a quarter faster with
// the other core busy, and a cold one a third faster; four threads on two cores halved the
// cold walk again, since reading folders from disk overlaps. Beyond four is unmeasured.
inline constexpr unsigned kMaxDefaultThreads = 4;
unsigned defaultThreads();

// Runs on the calling thread; publish is called on it too, and the walk waits for it.
SearchOutcome run(const SearchOptions& options, const Publish& publish, std::stop_token stop = {},
                  const RunTuning& tuning = {});

} // namespace SearchEngine
} // namespace qb
