// The walk that hands subtrees to other threads, and the literal prefilter, against the plain
// walk: the same results, bounded descriptors, and nothing left behind when stopped.

#include "TempTree.h"
#include "search/DirectoryWalker.h"
#include "search/PathText.h"
#include "search/SearchEngine.h"
#include "search/SubtreeWorkers.h"

#include <atomic>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace qb;
using qbtest::TempTree;

namespace {

const char* const kWords[] = {
    "report", "zebra",   "\u212Aelvin", "\u017Ftar", "caf\xC3\xA9", "bad\xFF\xFE",
    "Straße", ".hidden", "notes",       "Photo",     "x\u00DFy",    "KEY",
    "o"};
constexpr size_t kWordCount = sizeof kWords / sizeof *kWords;

void makeFiles(const std::string& folder, int count, int seed) {
    ::mkdir(folder.c_str(), 0755);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    for (int k = 0; k < count; ++k) {
        std::string name = std::string(kWords[size_t(seed + k * 7) % kWordCount]) + "_" +
                           std::to_string(k) + (k % 3 ? ".txt" : "");
        ::close(::openat(fd, name.c_str(), O_CREAT | O_WRONLY, 0644));
    }
    ::close(fd);
}

// About 21,500 items: enough for the hit limit, with links, hidden items, odd names, and a
// chain deeper than any walker keeps open whose every level has two more folders to hand off.
class ParallelWalk : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_tree = new TempTree;
        for (int i = 0; i < 30; ++i) {
            std::string d = s_tree->path("d" + std::to_string(i));
            ::mkdir(d.c_str(), 0755);
            for (int j = 0; j < 5; ++j)
                makeFiles(d + "/s" + std::to_string(j), 140, i * 5 + j);
        }
        std::string deep = "deep";
        for (int i = 0; i < 60; ++i) {
            deep += "/d";
            s_tree->dir(deep + "x");
            s_tree->dir(deep + "y");
        }
        s_tree->file(deep + "/bottom_zebra");
        s_tree->file(".cache/zebra.txt");
        s_tree->link("toD0", "d0");
        s_tree->link("dangling", "nowhere");
    }
    static void TearDownTestSuite() {
        delete s_tree;
        s_tree = nullptr;
    }
    static TempTree* s_tree;
};
TempTree* ParallelWalk::s_tree = nullptr;

struct Result {
    SearchOutcome outcome;
    SearchUpdate last;
    int updates = 0;
    // Every update's skipped items added up to its skipped count and listed as many as the
    // cap allows.
    bool skipsAddUp = true;
};

Result search(const SearchOptions& options, const SearchEngine::RunTuning& tuning,
              std::stop_token stop = {}) {
    Result r;
    r.outcome = SearchEngine::run(
        options,
        [&](const SearchUpdate& u) {
            r.last = u;
            ++r.updates;
            const SkippedItems& s = u.skippedItems;
            r.skipsAddUp =
                r.skipsAddUp && s.counts().total() == u.skipped &&
                s.items().size() == std::min<size_t>(size_t(u.skipped), SkippedItems::kListed);
        },
        stop, tuning);
    return r;
}

SearchEngine::RunTuning tuning(unsigned threads, bool prefilter, bool attributes = true) {
    SearchEngine::RunTuning t;
    t.threads = threads;
    t.literalPrefilter = prefilter;
    t.attributes = attributes;
    t.nameKeys = attributes;
    // A thread held off its core past the usual budget would cut a match short, and the runs
    // compared would differ for that reason alone.
    t.itemBudget = std::chrono::seconds(60);
    return t;
}

// Whether two runs found the same hits, in the same order, with the same counts.
testing::AssertionResult same(const Result& a, const Result& b) {
    if (a.outcome.status != b.outcome.status)
        return testing::AssertionFailure() << "outcomes differ";
    if (!a.skipsAddUp || !b.skipsAddUp)
        return testing::AssertionFailure() << "skipped items do not add up to skipped";
    const SearchUpdate &x = a.last, &y = b.last;
    if (x.scanned != y.scanned || x.skipped != y.skipped || x.limited != y.limited)
        return testing::AssertionFailure()
               << "counts " << x.scanned << "/" << x.skipped << "/" << x.limited << " against "
               << y.scanned << "/" << y.skipped << "/" << y.limited;
    if (x.hits.size() != y.hits.size())
        return testing::AssertionFailure() << x.hits.size() << " hits against " << y.hits.size();
    for (size_t i = 0; i < x.hits.size(); ++i)
        if (!(x.hits[i] == y.hits[i]) || x.hits[i].nameKey != y.hits[i].nameKey)
            return testing::AssertionFailure()
                   << "hit " << i << ": " << x.hits[i].url << " against " << y.hits[i].url;
    const auto &sx = x.skippedItems.items(), &sy = y.skippedItems.items();
    for (size_t i = 0; i < std::min(sx.size(), sy.size()); ++i)
        if (!(sx[i] == sy[i]))
            return testing::AssertionFailure()
                   << "skipped item " << i << ": " << sx[i].path << " against " << sy[i].path;
    if (!(x.skippedItems == y.skippedItems))
        return testing::AssertionFailure() << "skipped items differ";
    return testing::AssertionSuccess();
}

size_t entries(const char* folder) {
    size_t n = 0;
    if (DIR* d = ::opendir(folder)) {
        while (dirent* e = ::readdir(d))
            n += e->d_name[0] != '.';
        ::closedir(d);
    }
    return n;
}

} // namespace

TEST_F(ParallelWalk, ThreadsAndPrefilterChangeNothing) {
    struct Case {
        const char* name;
        const char* pattern;
        bool caseSensitive, includeHidden, fullPath, recursive;
    };
    const Case cases[] = {
        {"literal", "zebra", false, true, false, true},
        {"folding look-alikes", "kelvin|star|ss", false, true, false, true},
        {"case-sensitive", "Stra\u00DFe_1\\d", true, false, false, true},
        {"undecodable bytes", "bad\\x{FFFD}", false, true, false, true},
        {"full path", "s3/.*_1", false, true, true, true},
        {"hit limit", "_", false, true, false, true},
        {"not recursive", "o", false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SearchOptions o;
        o.folder = s_tree->root();
        o.pattern = c.pattern;
        o.caseSensitive = c.caseSensitive;
        o.includeHidden = c.includeHidden;
        o.fullPath = c.fullPath;
        o.recursive = c.recursive;
        Result reference = search(o, tuning(1, false));
        ASSERT_EQ(reference.outcome.status, SearchOutcome::Status::finished);
        EXPECT_GT(reference.last.hits.size(), 0u);
        EXPECT_TRUE(same(reference, search(o, tuning(1, true))));
        EXPECT_TRUE(same(reference, search(o, tuning(2, false))));
        for (unsigned threads : {2u, 4u, 8u, 16u}) {
            SCOPED_TRACE(threads);
            EXPECT_TRUE(same(reference, search(o, tuning(threads, true))));
        }
        // Hits handed out one by one, without attributes and without being kept: the same
        // paths and ranges, the descriptive fields at their defaults, the same counts.
        auto bare = tuning(2, true, false);
        bare.keepHits = false;
        std::vector<SearchHit> streamed;
        bare.onHit = [&](const SearchHit& h) { streamed.push_back(h); };
        Result r = search(o, bare);
        EXPECT_TRUE(r.last.hits.empty());
        EXPECT_EQ(r.last.scanned, reference.last.scanned);
        EXPECT_EQ(r.last.limited, reference.last.limited);
        ASSERT_EQ(streamed.size(), reference.last.hits.size());
        for (size_t i = 0; i < streamed.size(); ++i) {
            ASSERT_EQ(streamed[i].url, reference.last.hits[i].url);
            ASSERT_EQ(streamed[i].matchedNameRanges, reference.last.hits[i].matchedNameRanges);
            ASSERT_EQ(streamed[i].modified, kDistantPast);
        }
    }
}

TEST_F(ParallelWalk, UnreadableFoldersCountTheSameOnManyThreads) {
    for (const char* closed : {"d3/s1", "d7", "d29/s4"})
        ::chmod(s_tree->path(closed).c_str(), 0700);
    int code = qbtest::runAsNobody([&] {
        SearchOptions o;
        o.folder = s_tree->root();
        o.pattern = "zebra|s4";
        Result one = search(o, tuning(1, true));
        bool ok = one.last.skipped == 3;
        for (unsigned threads : {2u, 3u, 8u})
            ok = ok && same(one, search(o, tuning(threads, true)));
        return ok ? 0 : 1;
    });
    for (const char* closed : {"d3/s1", "d7", "d29/s4"})
        ::chmod(s_tree->path(closed).c_str(), 0755);
    if (code < 0)
        GTEST_SKIP() << "cannot switch to the user nobody";
    EXPECT_EQ(code, 0);
}

// Each reason for skipping, in subtrees that other threads walk, and more skipped items than
// are listed: on any number of threads, the list holds the first of them in the order a plain
// walk meets them, with their reasons, and the counts hold them all.
TEST(ParallelWalkSkips, ListedInTheOneThreadOrderWithReasonsAndCap) {
    TempTree t;
    const std::string slow = std::string(60, 'a') + "b"; // "(a+)+$" backtracks on it for ages
    int slowNames = 0;
    for (int i = 0; i < 10; ++i) {
        std::string d = "d" + std::to_string(i) + "/";
        makeFiles(t.dir(d + "sub"), 40, i);
        for (int k = 0; k < 3; ++k) // owned by root: nobody cannot enter them
            ::chmod(t.dir(d + "closed" + std::to_string(k)).c_str(), 0700);
        for (int k = 0; k < (i == 3 ? 1000 : 11); ++k, ++slowNames)
            t.file(d + (k % 2 ? "sub/" : "") + slow + std::to_string(k));
    }
    // Made before each run, and removed by the walk's hook just before the walk opens them.
    const std::string gone[] = {t.path("d1/gone"), t.path("d8/sub/gone")};
    for (const std::string& g : gone)
        ::chmod(std::string(parentOf(g)).c_str(), 0777); // so that nobody may

    int code = qbtest::runAsNobody([&] {
        for (const std::string& g : gone)
            ::mkdir(g.c_str(), 0755);
        // What a plain walk meets, in its order.
        std::vector<SkippedItem> expected;
        DirectoryWalker plain(t.root(), true, false);
        plain.open();
        while (plain.next() && expected.size() < SkippedItems::kListed) {
            std::string_view name = plain.name();
            if (name.starts_with("aaa"))
                expected.push_back({plain.path(), SkipReason::timedOut, 0});
            else if (name.starts_with("closed"))
                expected.push_back({plain.path(), SkipReason::unreadable, EACCES});
            else if (name == "gone")
                expected.push_back({plain.path(), SkipReason::vanished, 0});
        }

        SearchOptions o;
        o.folder = t.root();
        o.pattern = "(a+)+$";
        auto run = [&](unsigned threads) {
            for (const std::string& g : gone)
                ::mkdir(g.c_str(), 0755);
            auto tuned = tuning(threads, true);
            // Spent before matching begins: a slow name is cut off at its first check.
            tuned.itemBudget = -std::chrono::seconds(1);
            tuned.beforeOpeningFolder = [](const std::string& path) {
                if (lastComponent(path) == "gone")
                    ::rmdir(path.c_str());
            };
            return search(o, tuned);
        };
        Result one = run(1);
        const SkippedItems& skipped = one.last.skippedItems;
        const SkipCounts counts{30, slowNames, 2};
        bool ok = one.outcome.status == SearchOutcome::Status::finished && one.skipsAddUp &&
                  one.last.skipped == counts.total() && skipped.counts() == counts &&
                  skipped.items() == expected && expected.size() == SkippedItems::kListed &&
                  reasonText(*std::find_if(expected.begin(), expected.end(), [](auto& item) {
                      return item.reason == SkipReason::vanished;
                  })) == "vanished during the search";
        if (!ok)
            std::fprintf(stderr, "one thread: %lld skipped, %zu listed\n",
                         static_cast<long long>(one.last.skipped), skipped.items().size());
        for (unsigned threads : {2u, 4u}) {
            testing::AssertionResult r = same(one, run(threads));
            if (!r)
                std::fprintf(stderr, "%u threads: %s\n", threads, r.message());
            ok = ok && r;
        }
        return ok ? 0 : 1;
    });
    if (code < 0)
        GTEST_SKIP() << "cannot switch to the user nobody";
    EXPECT_EQ(code, 0);
}

// Workers hold descriptors too, a bounded number each: with barely more descriptors than the
// walkers may hold, or fewer than the workers asked for would need, every item is reached.
TEST_F(ParallelWalk, FitsInATightDescriptorLimit) {
    SearchOptions o;
    o.folder = s_tree->root();
    o.pattern = "bottom|_1";
    Result reference = search(o, tuning(1, false));
    std::fflush(nullptr);
    for (unsigned threads : {2u, 4u, 8u}) {
        pid_t pid = ::fork();
        if (pid == 0) {
            rlim_t open = entries("/proc/self/fd");
            rlim_t most = open + DirectoryWalker::kMaxOpenDirectories + 1 +
                          SubtreeWorkers::descriptorsFor(threads - 1) + 8;
            struct rlimit limit {
                most, most
            };
            ::setrlimit(RLIMIT_NOFILE, &limit);
            bool ok = same(reference, search(o, tuning(threads, true))) &&
                      same(reference, search(o, tuning(threads * 4, true)));
            ::_exit(ok ? 0 : 1);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << threads << " threads";
    }
}

TEST_F(ParallelWalk, StoppingLeavesNoThreadOrDescriptorBehind) {
    SearchOptions o;
    o.folder = s_tree->root();
    o.includeHidden = true;
    o.pattern = "_";

    const size_t descriptors = entries("/proc/self/fd");
    const size_t threads = entries("/proc/self/task");
    auto check = [&](const char* what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(entries("/proc/self/fd"), descriptors);
        EXPECT_EQ(entries("/proc/self/task"), threads);
    };

    // Stopped by the hit limit while workers are inside subtrees, holding folders open.
    for (unsigned threads : {2u, 8u}) {
        Result limited = search(o, tuning(threads, true));
        EXPECT_TRUE(limited.last.limited);
        check("hit limit");
    }

    // Stopped from the matching thread: early, late, and inside the deep chain.
    struct Stop {
        const char* pattern;
        size_t atHit;
    };
    for (Stop at : {Stop{"_", 1}, Stop{"_", 5000}, Stop{"^d$|bottom", 30}}) {
        std::stop_source stop;
        auto t = tuning(4, true);
        size_t seen = 0;
        t.onHit = [&](const SearchHit&) {
            if (++seen == at.atHit)
                stop.request_stop();
        };
        o.pattern = at.pattern;
        Result r = search(o, t, stop.get_token());
        EXPECT_EQ(r.outcome.status, SearchOutcome::Status::cancelled);
        EXPECT_EQ(seen, at.atHit);
        check("stopped on the matching thread");
    }

    // Stopped from another thread, as the window stops a search, while the walking thread is
    // held in its first hit and the workers have filled their buffers.
    std::stop_source stop;
    std::atomic<int> state{0}; // 1: first hit seen, 2: stop requested
    std::thread stopper([&] {
        state.wait(0);
        stop.request_stop();
        state.store(2);
        state.notify_one();
    });
    auto t = tuning(2, true);
    t.onHit = [&](const SearchHit&) {
        if (state.load() != 0)
            return;
        state.store(1);
        state.notify_one();
        state.wait(1);
    };
    o.pattern = "_";
    Result r = search(o, t, stop.get_token());
    stopper.join();
    EXPECT_EQ(r.outcome.status, SearchOutcome::Status::cancelled);
    check("stopped from another thread");
}

namespace {

// A random tree: folders of random width and depth, some deep chains, some wide folders with
// more hits than a worker buffers, hidden items, links to folders and nowhere, and folders
// nobody may read.
void randomTree(TempTree& t, unsigned seed) {
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    std::vector<std::string> folders{""};
    for (int i = 0, n = 20 + pick(60); i < n; ++i) {
        const std::string& parent = folders[size_t(pick(int(folders.size())))];
        std::string d = parent + (pick(8) == 0 ? ".h" : "f") + std::to_string(i) + "/";
        if (pick(10) == 0)
            for (int k = 0, depth = 5 + pick(40); k < depth; ++k)
                d += "c/";
        t.dir(d);
        folders.push_back(d);
    }
    for (const std::string& f : folders) {
        int files = pick(20) == 0 ? 520 + pick(300) : pick(20);
        std::string path = t.path(f);
        int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY);
        for (int k = 0; k < files; ++k) {
            std::string name =
                std::string(kWords[size_t(pick(int(kWordCount)))]) + "_" + std::to_string(k);
            ::close(::openat(fd, name.c_str(), O_CREAT | O_WRONLY, 0644));
        }
        ::close(fd);
        if (pick(6) == 0)
            t.link(f + "ln" + std::to_string(pick(99)), "../" + folders[1]);
        if (pick(9) == 0)
            t.link(f + "dangling", "nowhere");
    }
    for (size_t i = 1; i < folders.size(); ++i)
        if (pick(12) == 0)
            ::chmod(t.path(folders[i]).c_str(), 0700);
}

} // namespace

// Many random trees, several patterns and thread counts: every run matches the one-thread run.
// The trees are made here and walked as the user nobody, for whom the closed folders are
// unreadable (or as this user, when it cannot switch).
TEST(ParallelWalkDifferential, RandomTreesGiveTheOneThreadResults) {
    const char* patterns[] = {"o", "zebra|_1\\d$", "^c$", "f\\d+/c/c/.*_"};
    for (unsigned seed = 1; seed <= 12; ++seed) {
        TempTree t;
        randomTree(t, seed);
        auto compare = [&] {
            int failures = 0;
            for (const char* pattern : patterns) {
                SearchOptions o;
                o.folder = t.root();
                o.pattern = pattern;
                o.includeHidden = seed % 2;
                o.fullPath = pattern[0] == 'f';
                Result one = search(o, tuning(1, true));
                for (unsigned threads : {2u, 3u, 8u}) {
                    testing::AssertionResult r = same(one, search(o, tuning(threads, true)));
                    if (!r) {
                        std::fprintf(stderr, "seed %u, %s, %u threads: %s\n", seed, pattern,
                                     threads, r.message());
                        ++failures;
                    }
                }
            }
            return failures ? 1 : 0;
        };
        int code = qbtest::runAsNobody(compare);
        EXPECT_EQ(code < 0 ? compare() : code, 0) << "seed " << seed;
    }
}
