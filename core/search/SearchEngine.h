#pragma once
// One search: compiles the pattern, walks the folder, matches each name (or path) under a
// per-item time budget, and reports cumulative progress through a blocking callback.

#include "SearchRecords.h"

#include <chrono>
#include <functional>
#include <stop_token>
#include <string>

namespace qb {

struct SearchError {
    std::string domain;
    int code = 0;
    std::string description;
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

using Publish = std::function<void(const SearchUpdate&)>;

// Runs on the calling thread; publish is called on it too, and the walk waits for it.
SearchOutcome run(const SearchOptions& options, const Publish& publish, std::stop_token stop = {});

} // namespace SearchEngine
} // namespace qb
