#pragma once
// The background tasks a search model keeps; shared by its source files.

#include "SearchModel.h"

#include <atomic>
#include <stop_token>
#include <thread>

namespace qb {

struct SearchModel::SearchTask {
    std::stop_source stop;
    std::atomic<int> handoff{0}; // 1 once the GUI thread applied an update, or on stop
    std::atomic<bool> finished{false};
    std::thread thread;
};

struct SearchModel::FileTask {
    std::atomic<bool> done{false};
};

} // namespace qb
