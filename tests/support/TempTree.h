#pragma once
// A real temporary folder tree for tests, removed (without following links) at the end.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qbtest {

class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& root() const { return m_root; }
    std::string path(std::string_view relative) const;

    // Each creates missing parent folders and returns the absolute path.
    std::string file(std::string_view relative, std::string_view contents = {});
    std::string dir(std::string_view relative);
    std::string link(std::string_view relative, std::string_view target);

    static std::string read(const std::string& path);
    static bool exists(const std::string& path); // without following a final link
    // Names in a folder, sorted.
    static std::vector<std::string> list(const std::string& folder);

private:
    std::string m_root;
};

// Removes a tree without following symbolic links.
void removeTree(const std::string& path);

// Gives the test process mounts of its own, so that what a test mounts goes away with the
// process even when it crashes. False when that is not possible (mounts are then shared).
bool privateMounts();

// Runs body in a forked child that has switched to the user "nobody"; returns its exit code,
// or -1 when privileges could not be dropped.
int runAsNobody(const std::function<int()>& body);

} // namespace qbtest
