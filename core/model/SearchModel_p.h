#pragma once
// The background tasks a search model keeps; shared by its source files.

#include "SearchModel.h"

#include <QFuture>
#include <atomic>
#include <functional>
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
    QFuture<FileActionResult> operation;
};

// A folder as the model keeps it: absolute and standardised; nothing for a relative or empty
// path.
std::optional<std::string> standardFolder(std::string_view path);

// Lines joined by line feeds, as one valid UTF-8 text.
QString joinLines(const std::vector<std::string>& lines);

} // namespace qb
