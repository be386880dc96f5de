#include "TempTree.h"
#include "search/PathText.h"
#include "search/SearchEngine.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace qb;
using qbtest::TempTree;

namespace {

struct SearchRun {
    SearchOutcome outcome;
    std::vector<SearchUpdate> updates;

    const SearchUpdate& last() const { return updates.back(); }
    std::map<std::string, SearchHit> hitsByName() const {
        std::map<std::string, SearchHit> out;
        for (const auto& h : last().hits)
            out.emplace(std::string(h.name()), h);
        return out;
    }
    std::vector<std::string> relativePaths(const std::string& root) const {
        std::vector<std::string> out;
        for (const auto& h : last().hits)
            out.push_back(h.url.substr(root.size() + 1));
        std::sort(out.begin(), out.end());
        return out;
    }
};

SearchOptions options(const std::string& folder, std::string pattern) {
    SearchOptions o;
    o.folder = folder;
    o.pattern = std::move(pattern);
    return o;
}

SearchRun search(const SearchOptions& o, std::function<void(const SearchUpdate&)> onUpdate = {},
                 std::stop_token stop = {}, const SearchEngine::RunTuning& tuning = {}) {
    SearchRun run;
    run.outcome = SearchEngine::run(
        o,
        [&](const SearchUpdate& u) {
            run.updates.push_back(u);
            if (onUpdate)
                onUpdate(u);
        },
        stop, tuning);
    return run;
}

using Names = std::vector<std::string>;

} // namespace

TEST(Engine, OptionsChooseWhatIsScannedAndMatched) {
    TempTree t;
    t.file("Report.pdf");
    t.file("notes.txt");
    t.file("sub/deep/Paper.PDF");
    t.file(".hidden/secret.pdf");
    t.file("sub/.dot.pdf");

    struct Case {
        const char* name;
        std::string pattern;
        bool recursive, caseSensitive, includeHidden, fullPath;
        Names expected;
        int64_t scanned;
    };
    const Case cases[] = {
        {"default", "\\.pdf$", true, false, false, false, {"Report.pdf", "sub/deep/Paper.PDF"}, 5},
        {"case sensitive", "\\.pdf$", true, true, false, false, {"Report.pdf"}, 5},
        {"not recursive", "\\.pdf$", false, false, false, false, {"Report.pdf"}, 3},
        {"hidden",
         "\\.pdf$",
         true,
         false,
         true,
         false,
         {".hidden/secret.pdf", "Report.pdf", "sub/.dot.pdf", "sub/deep/Paper.PDF"},
         8},
        {"name mode ignores folders", "^sub", true, false, false, false, {"sub"}, 5},
        {"full path", "/sub/.*pdf$", true, false, false, true, {"sub/deep/Paper.PDF"}, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto o = options(t.root(), c.pattern);
        o.recursive = c.recursive;
        o.caseSensitive = c.caseSensitive;
        o.includeHidden = c.includeHidden;
        o.fullPath = c.fullPath;
        SearchRun r = search(o);
        ASSERT_EQ(r.outcome.status, SearchOutcome::Status::finished);
        EXPECT_EQ(r.relativePaths(t.root()), c.expected);
        EXPECT_EQ(r.last().scanned, c.scanned);
        EXPECT_EQ(r.last().skipped, 0) << "hidden items are neither scanned nor skipped";
        EXPECT_FALSE(r.last().limited);
    }
}

TEST(Engine, EmptyMatchesMakeHitsWithoutRanges) {
    TempTree t;
    t.file("xylophone");
    t.file("banana");
    SearchRun r = search(options(t.root(), "x*"));
    auto hits = r.hitsByName();
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_TRUE(hits["banana"].matchedNameRanges.empty());
    EXPECT_EQ(hits["xylophone"].matchedNameRanges, (std::vector<NameRange>{{0, 1}}));
}

TEST(Engine, RangesCountUtf16UnitsAndStayInsideTheName) {
    TempTree t;
    t.file("\xF0\x9F\x98\x80 smile.txt"); // U+1F600 is two UTF-16 units
    t.file("abcabc");
    t.file("xdir/plain");
    SearchRun r = search(options(t.root(), "smile|b"));
    auto hits = r.hitsByName();
    EXPECT_EQ(hits["\xF0\x9F\x98\x80 smile.txt"].matchedNameRanges,
              (std::vector<NameRange>{{3, 5}}));
    EXPECT_EQ(hits["abcabc"].matchedNameRanges, (std::vector<NameRange>{{1, 1}, {4, 1}}));

    // A match across the separator is clipped to the name; one wholly in the folder leaves none.
    auto o = options(t.root(), "xdir/pl|xdir");
    o.fullPath = true;
    hits = search(o).hitsByName();
    EXPECT_EQ(hits["plain"].matchedNameRanges, (std::vector<NameRange>{{0, 2}}));
    EXPECT_EQ(hits["xdir"].matchedNameRanges, (std::vector<NameRange>{{0, 4}}));

    o.pattern = "qbtest";
    hits = search(o).hitsByName();
    ASSERT_TRUE(hits.count("plain"));
    EXPECT_TRUE(hits["plain"].matchedNameRanges.empty());
}

TEST(Engine, HitsCarryAttributesAndFallbacks) {
    TempTree t;
    t.file("photo.png", "12345");
    t.dir("Folder.png");
    t.file("zzqq");
    SearchRun r = search(options(t.root(), "."));
    auto hits = r.hitsByName();
    const SearchHit& png = hits["photo.png"];
    EXPECT_EQ(png.url, t.path("photo.png"));
    EXPECT_EQ(png.parentPath(), t.root());
    EXPECT_FALSE(png.isDirectory);
    EXPECT_EQ(png.byteCount, 5);
    EXPECT_EQ(png.contentTypeIdentifier, "image/png");
    EXPECT_FALSE(png.kind.empty());
    EXPECT_GT(png.modified, Timestamp(std::chrono::seconds(1600000000)));

    EXPECT_TRUE(hits["Folder.png"].isDirectory);
    EXPECT_EQ(hits["Folder.png"].contentTypeIdentifier, "inode/directory");
    EXPECT_EQ(hits["Folder.png"].kind, "Folder"); // GIO says "folder"
    EXPECT_EQ(hits["zzqq"].contentTypeIdentifier, "public.data");
    EXPECT_EQ(hits["zzqq"].kind, "File");
}

TEST(Engine, LinksAreMatchedButNeverWalked) {
    TempTree t;
    t.file("real/inside.txt");
    t.link("toReal", "real");
    t.link("loop", "loop");
    t.link("root", "/");
    t.link("dangling", "nowhere");
    SearchRun r = search(options(t.root(), "."));
    EXPECT_EQ(r.relativePaths(t.root()),
              (Names{"dangling", "loop", "real", "real/inside.txt", "root", "toReal"}));
    EXPECT_EQ(r.last().skipped, 0);
    auto hits = r.hitsByName();
    EXPECT_FALSE(hits["toReal"].isDirectory);
}

TEST(Engine, OddNamesAreFoundByteExact) {
    TempTree t;
    const std::string invalid = "caf\xE9-\xFF.txt"; // Latin-1 bytes, not UTF-8
    t.file(invalid);
    t.file("two\nlines.txt");
    t.file("-rf");
    SearchRun r = search(options(t.root(), "caf\\x{FFFD}-\\x{FFFD}|lines|^-"));
    EXPECT_EQ(r.relativePaths(t.root()), (Names{"-rf", invalid, "two\nlines.txt"}));
    auto hits = r.hitsByName();
    EXPECT_EQ(hits[invalid].matchedNameRanges, (std::vector<NameRange>{{0, 6}}));
}

TEST(Engine, FailuresBeforeTheWalk) {
    TempTree t;
    std::string file = t.file("plain.txt");
    struct Case {
        const char* name;
        std::string folder, pattern;
        int code;
        std::string description;
    };
    const Case cases[] = {
        {"regular file", file, "x", 1, SearchEngine::kUnreadableFolder},
        {"missing folder", t.path("missing"), "x", 1, SearchEngine::kUnreadableFolder},
        {"pattern before folder", t.path("missing"), "(", 1,
         "Unbalanced parenthesis at position 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SearchRun r = search(options(c.folder, c.pattern));
        EXPECT_EQ(r.outcome.status, SearchOutcome::Status::failed);
        EXPECT_EQ(r.outcome.error.code, c.code);
        EXPECT_EQ(SearchEngine::englishText(r.outcome.error), c.description);
        EXPECT_TRUE(r.updates.empty());
    }
}

TEST(Engine, StopsAtTheHitLimit) {
    TempTree t;
    int dfd = ::open(t.root().c_str(), O_RDONLY | O_DIRECTORY);
    for (size_t i = 0; i < SearchEngine::kHitLimit + 50; ++i) {
        int fd = ::openat(dfd, ("f" + std::to_string(i)).c_str(), O_CREAT | O_WRONLY, 0644);
        ::close(fd);
    }
    ::close(dfd);
    SearchRun r = search(options(t.root(), "f"));
    ASSERT_EQ(r.outcome.status, SearchOutcome::Status::finished);
    EXPECT_TRUE(r.last().limited);
    EXPECT_EQ(r.last().hits.size(), SearchEngine::kHitLimit);
    EXPECT_EQ(r.last().scanned, int64_t(SearchEngine::kHitLimit));
    for (size_t i = 0; i + 1 < r.updates.size(); ++i)
        EXPECT_FALSE(r.updates[i].limited);
}

TEST(Engine, FastWalkPublishesOnce) {
    TempTree t;
    for (int i = 0; i < 50; ++i)
        t.file("d" + std::to_string(i % 5) + "/f" + std::to_string(i));
    SearchRun r = search(options(t.root(), "f1"));
    ASSERT_EQ(r.updates.size(), 1u);
    EXPECT_FALSE(r.last().limited);
    EXPECT_EQ(r.last().scanned, 55);
}

// Every name below costs the whole budget with this pattern, so the walk takes long enough
// to publish intermediate updates.
std::string slowName(int i) {
    return std::string(60, 'a') + "b" + std::to_string(i);
}

TEST(Engine, BudgetCutsOffBacktrackingAndCountsSkipped) {
    TempTree t;
    for (int i = 0; i < 5; ++i)
        t.file(slowName(i));
    t.file("quick");
    auto o = options(t.root(), "(a+)+$|quick");
    SearchRun r = search(o);
    ASSERT_EQ(r.outcome.status, SearchOutcome::Status::finished);
    EXPECT_EQ(r.last().skipped, 5);
    EXPECT_EQ(r.relativePaths(t.root()), (Names{"quick"}));
    const SkippedItems& skipped = r.last().skippedItems;
    EXPECT_EQ(skipped.counts(), (SkipCounts{0, 5, 0}));
    Names listed;
    for (const SkippedItem& item : skipped.items()) {
        listed.push_back(item.path.substr(t.root().size() + 1));
        EXPECT_EQ(reasonText(item), "pattern took too long");
    }
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (Names{slowName(0), slowName(1), slowName(2), slowName(3), slowName(4)}));

    // Whole paths longer than the short-text limit are matched with both callbacks on.
    TempTree deep;
    std::string folder = std::string(200, 'x') + "/" + std::string(200, 'x');
    for (int i = 0; i < 3; ++i)
        deep.file(folder + "/" + slowName(i));
    o = options(deep.root(), "(a+)+$");
    o.fullPath = true;
    r = search(o);
    ASSERT_EQ(r.outcome.status, SearchOutcome::Status::finished);
    EXPECT_EQ(r.last().skipped, 3);
}

TEST(Engine, CancelStopsWithoutAFinalUpdate) {
    TempTree t;
    for (int i = 0; i < 40; ++i)
        t.file(slowName(i));
    std::stop_source stop;
    SearchRun r = search(
        options(t.root(), "(a+)+$"), [&](const SearchUpdate&) { stop.request_stop(); },
        stop.get_token());
    EXPECT_EQ(r.outcome.status, SearchOutcome::Status::cancelled);
    ASSERT_EQ(r.updates.size(), 1u) << "only the intermediate update before the cancel";
    EXPECT_LT(r.updates[0].scanned, 40);
}

TEST(Engine, EarlierSnapshotsAreNotAlteredByLaterHits) {
    TempTree t;
    for (int i = 0; i < 12; ++i)
        t.file(slowName(i));
    for (int i = 0; i < 1200; ++i)
        t.file("z" + std::to_string(i));
    // Each slow item runs out of budget, so it is skipped but never a hit; z-files hit.
    // What each snapshot held when it was published is recorded then, and compared with the
    // snapshot after the walk has gone on appending.
    std::vector<std::vector<std::string>> published;
    SearchRun r = search(options(t.root(), "(a+)+$|^z"), [&](const SearchUpdate& u) {
        published.emplace_back();
        for (const auto& h : u.hits)
            published.back().push_back(h.url);
    });
    ASSERT_GE(r.updates.size(), 2u);
    ASSERT_EQ(published.size(), r.updates.size());
    for (size_t i = 0; i < r.updates.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(r.updates[i].hits.size(), published[i].size());
        for (size_t j = 0; j < published[i].size(); ++j) {
            EXPECT_EQ(r.updates[i].hits[j].url, published[i][j]);
            EXPECT_EQ(r.last().hits[j].url, published[i][j]) << "later lists extend earlier ones";
        }
    }
    EXPECT_EQ(r.last().hits.size(), 1200u);
}

TEST(Engine, WalksTreesDeeperThanPathMax) {
    TempTree t;
    const std::string component(40, 'd');
    int fd = ::open(t.root().c_str(), O_RDONLY | O_DIRECTORY);
    const int depth = 200; // about 8,200 bytes of path, four times the descriptor budget
    for (int i = 0; i < depth; ++i) {
        ASSERT_EQ(::mkdirat(fd, component.c_str(), 0755), 0);
        int child = ::openat(fd, component.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = child;
        if (i % 50 == 49)
            ::close(::openat(fd, ("leaf" + std::to_string(i)).c_str(), O_CREAT | O_WRONLY, 0644));
    }
    ::close(fd);
    SearchRun r = search(options(t.root(), "^leaf"));
    ASSERT_EQ(r.outcome.status, SearchOutcome::Status::finished);
    EXPECT_EQ(r.last().scanned, depth + 4);
    EXPECT_EQ(r.last().skipped, 0);
    ASSERT_EQ(r.last().hits.size(), 4u);
    for (const auto& h : r.last().hits) {
        EXPECT_GT(h.url.size(), 4096u / 2);
        EXPECT_GT(h.modified, kDistantPast) << "attributes of deep hits are read too";
    }
    // Items after the deep branch are still reached once the walk climbs back out.
    t.file("zz-after");
    r = search(options(t.root(), "^zz|^leaf199"));
    EXPECT_EQ(r.last().hits.size(), 2u);
    qbtest::removeTree(t.path(component)); // faster than the generic clean-up path
}

TEST(Engine, UnreadableFolderIsSkippedAndTheWalkGoesOn) {
    TempTree t;
    t.file("open/a.txt");
    t.file("closed/b.txt");
    t.file("z.txt");
    ::chmod(t.path("closed").c_str(), 0700); // owned by root: nobody cannot enter it
    int code = qbtest::runAsNobody([&] {
        SearchRun r = search(options(t.root(), "txt$|closed"));
        const auto& skipped = r.last().skippedItems.items();
        bool ok = r.outcome.status == SearchOutcome::Status::finished && r.last().skipped == 1 &&
                  r.relativePaths(t.root()) == Names{"closed", "open/a.txt", "z.txt"} &&
                  skipped == std::vector<SkippedItem>{{t.path("closed"), SkipReason::unreadable,
                                                       EACCES}} &&
                  reasonText(skipped[0]) == "Permission denied";
        return ok ? 0 : 1;
    });
    if (code < 0)
        GTEST_SKIP() << "cannot switch to the user nobody";
    EXPECT_EQ(code, 0);
}

TEST(Engine, ItemsRemovedDuringTheWalk) {
    TempTree t;
    for (int i = 0; i < 6; ++i)
        t.file("a/" + slowName(i));
    for (int i = 0; i < 20; ++i)
        t.file("a/victim" + std::to_string(i));
    t.file("a/gone/inner");
    bool removed = false;
    size_t seenBefore = 0;
    // On one thread: other threads may read a subtree's items before the walk publishes
    // what precedes them, so on several an item can be read before it is removed.
    SearchEngine::RunTuning oneThread;
    oneThread.threads = 1;
    SearchRun r = search(
        options(t.root(), "(a+)+$|victim|inner"),
        [&](const SearchUpdate& u) {
            if (removed)
                return;
            removed = true;
            seenBefore = u.hits.size();
            for (int i = 0; i < 20; ++i)
                ::unlink(t.path("a/victim" + std::to_string(i)).c_str());
            qbtest::removeTree(t.path("a/gone"));
        },
        {}, oneThread);
    ASSERT_EQ(r.outcome.status, SearchOutcome::Status::finished);
    ASSERT_TRUE(removed);
    for (size_t i = seenBefore; i < r.last().hits.size(); ++i) {
        const SearchHit& h = r.last().hits[i];
        EXPECT_EQ(h.kind, "File") << h.url;
        EXPECT_EQ(h.byteCount, 0);
        EXPECT_EQ(h.modified, kDistantPast);
    }
}

TEST(Engine, SpecialFilesAreMatchedByNameOnly) {
    TempTree t;
    ASSERT_EQ(::mkfifo(t.path("pipe").c_str(), 0644), 0);
    SearchRun r = search(options(t.root(), "pipe"));
    auto hits = r.hitsByName();
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits["pipe"].contentTypeIdentifier, "inode/fifo");
}

TEST(Engine, DeepTreesNeedFewDescriptors) {
    TempTree t;
    int fd = ::open(t.root().c_str(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < 150; ++i) {
        ::mkdirat(fd, "d", 0755);
        int child = ::openat(fd, "d", O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = child;
    }
    ::close(::openat(fd, "bottom", O_CREAT | O_WRONLY, 0644));
    ::close(fd);
    // In a child limited to 80 descriptors, far fewer than the tree's depth.
    std::fflush(nullptr);
    pid_t pid = ::fork();
    if (pid == 0) {
        struct rlimit limit {
            80, 80
        };
        ::setrlimit(RLIMIT_NOFILE, &limit);
        SearchRun r = search(options(t.root(), "^bottom$"));
        bool ok = r.outcome.status == SearchOutcome::Status::finished && r.last().skipped == 0 &&
                  r.last().hits.size() == 1;
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
