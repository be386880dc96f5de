#include "TempTree.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using qbtest::TempTree;

namespace {

struct Result {
    int status;
    std::string out;
    std::string summary; // standard error without the elapsed time
};

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

Result find(const std::string& args, bool quiet = true) {
    char errors[] = "/tmp/qbtest-stderr-XXXXXX";
    int fd = ::mkstemp(errors);
    ::close(fd);
    std::string cmd =
        std::string(QB_FIND_BINARY) + (quiet ? " --quiet " : " ") + args + " 2>" + quote(errors);
    Result r{};
    FILE* p = ::popen(cmd.c_str(), "r");
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    int status = ::pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.summary = TempTree::read(errors);
    r.summary = r.summary.substr(0, r.summary.find(", elapsed"));
    ::unlink(errors);
    return r;
}

} // namespace

TEST(FindTool, ExitStatusAndOutputForms) {
    TempTree t;
    std::string odd = t.file("odd\xFF\nname.txt");
    std::string dash = t.file("-n.txt");
    std::string root = quote(t.root());

    Result r = find("-0 'txt$' " + root);
    EXPECT_EQ(r.status, 0);
    std::string a = dash + '\0' + odd + '\0', b = odd + '\0' + dash + '\0';
    EXPECT_TRUE(r.out == a || r.out == b) << "paths are printed as their exact bytes";

    r = find("--json '^-n' " + root);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"ranges\":[[0,2]]"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"kind\":\"file\""), std::string::npos);

    r = find("--json 'odd' " + root);
    EXPECT_NE(r.out.find("odd\xEF\xBF\xBD\\nname.txt"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"pathBytes\""), std::string::npos);

    // A name the pattern runs out of time on: listed after the hits, its path escaped alike in
    // both forms; the summary line stays as it was.
    const std::string slow = t.file(std::string(60, 'a') + "b\xFF");
    const std::string shown = slow.substr(0, slow.size() - 1) + "\xEF\xBF\xBD";
    std::string bytes;
    for (unsigned char c : slow) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", c);
        bytes += hex;
    }
    r = find("--json '^-n|(a+)+$' " + root);
    EXPECT_EQ(r.out.substr(0, 9), "{\"path\":\"") << "hits come first";
    EXPECT_EQ(r.out.substr(r.out.find('\n') + 1), "{\"skipped\":\"" + shown +
                                                      "\",\"pathBytes\":\"" + bytes +
                                                      "\",\"reason\":\"pattern took too long\"}\n");
    r = find("--verbose '(a+)+$' " + root, false);
    EXPECT_EQ(r.summary,
              "skipped \"" + shown + "\": pattern took too long\nscanned 3, skipped 1, limited no");
    EXPECT_EQ(find("'(a+)+$' " + root, false).summary, "scanned 3, skipped 1, limited no");

    EXPECT_EQ(find("'nothing-matches-this' " + root).status, 1);
    EXPECT_EQ(find("'(' " + root).status, 2);
    EXPECT_EQ(find("x " + quote(odd)).status, 2);
    EXPECT_EQ(find("--bogus x").status, 2);
    EXPECT_EQ(find("--threads 0 x").status, 2);
    EXPECT_EQ(find("--item-budget x x").status, 2);
    EXPECT_EQ(find("--help").status, 0);
}

// One and several threads print the same bytes in the same order, and the same summary, on a
// tree with unreadable folders, links, hidden items and more hits than the limit.
TEST(FindTool, AnyNumberOfThreadsPrintsTheSame) {
    TempTree t;
    const char* words[] = {"zebra", "\u212Aey", ".dot", "report", "bad\xFF"};
    for (int i = 0; i < 30; ++i) {
        std::string d = t.path("d" + std::to_string(i));
        ::mkdir(d.c_str(), 0755);
        int fd = ::open(d.c_str(), O_RDONLY | O_DIRECTORY);
        for (int k = 0; k < 700; ++k) {
            std::string name = std::string(words[(i + k) % 5]) + "_" + std::to_string(k);
            ::close(::openat(fd, name.c_str(), O_CREAT | O_WRONLY, 0644));
        }
        ::close(fd);
    }
    t.file(".hidden/zebra");
    t.file("closed/zebra");
    t.file("d4/closed/zebra");
    ::chmod(t.path("closed").c_str(), 0700); // owned by root: nobody cannot enter them
    ::chmod(t.path("d4/closed").c_str(), 0700);
    t.link("d5/toD6", "../d6");
    t.link("zebra-dangling", "nowhere");

    const std::string root = quote(t.root());
    const std::string forms[] = {
        "-0 zebra",        "--hidden --json 'ey|bad'", "--full-path 'd1\\d/.*_7$'",
        "--hidden _",      "--case-sensitive ZEBRA",   "--no-recursive d",
        "--verbose zebra",
    };
    int code = qbtest::runAsNobody([&] {
        int failures = 0;
        for (const auto& form : forms) {
            // A long budget: a process held off its core must not cut a match short.
            const std::string budget = "--item-budget 60000 ";
            Result one = find(budget + "--threads 1 " + form + " " + root, false);
            for (const char* threads : {"2", "4", "8"}) {
                Result many = find(
                    budget + "--threads " + std::string(threads) + " " + form + " " + root, false);
                bool same = one.out == many.out && one.summary == many.summary &&
                            one.status == many.status && !one.summary.empty();
                if (!same)
                    std::fprintf(stderr, "differs on %s threads: %s\n  %s\n  %s\n", threads,
                                 form.c_str(), one.summary.c_str(), many.summary.c_str());
                failures += !same;
            }
        }
        Result listed = find("--json --verbose zebra " + root, false);
        for (const char* closed : {"closed", "d4/closed"}) {
            const std::string path = t.path(closed);
            if (listed.out.find("{\"skipped\":\"" + path +
                                "\",\"reason\":\"Permission denied\"}\n") == std::string::npos ||
                listed.summary.find("skipped \"" + path + "\": Permission denied\n") ==
                    std::string::npos) {
                std::fprintf(stderr, "%s not listed:\n%s\n", closed, listed.summary.c_str());
                ++failures;
            }
        }
        Result limited = find("--hidden _ " + root, false);
        if (limited.summary.find("limited yes") == std::string::npos ||
            limited.summary.find("skipped 2") == std::string::npos) {
            std::fprintf(stderr, "unexpected summary: %s\n", limited.summary.c_str());
            ++failures;
        }
        return failures ? 1 : 0;
    });
    if (code < 0)
        GTEST_SKIP() << "cannot switch to the user nobody";
    EXPECT_EQ(code, 0);
}

// A hit is printed when it is found, not when the walk ends: the first item matches, and
// every item after it costs the whole matching budget.
TEST(FindTool, PrintsEachHitAsItIsFound) {
    TempTree t;
    for (int i = 0; i < 100; ++i)
        t.file("first/" + std::string(60, 'a') + "b" + std::to_string(i));
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    std::fflush(nullptr);
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        ::execl(QB_FIND_BINARY, QB_FIND_BINARY, "--quiet", "^first$|(a+)+$", t.root().c_str(),
                nullptr);
        ::_exit(127);
    }
    ::close(out[1]);
    std::string line;
    char c;
    while (::read(out[0], &c, 1) == 1 && c != '\n')
        line += c;
    EXPECT_EQ(line, t.path("first"));
    EXPECT_EQ(::waitpid(pid, nullptr, WNOHANG), 0) << "the walk had already ended";
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ::close(out[0]);
}

TEST(FindTool, RenamePlansAndAppliesWithoutReplacing) {
    TempTree t;
    t.file("w/a.1", "A");
    t.file("w/1.a", "B");
    t.file("w/caf\xE9-3.txt", "C");
    t.file("w/keep", "K");
    const std::string w = t.path("w");
    const std::string root = quote(w);
    const std::string swap = "--rename '$2.$1' '^(\\w)\\.(\\w)$' " + root;

    Result r = find(swap);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(w + "/a.1 → " + w + "/1.a\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(w + "/1.a → " + w + "/a.1\n"), std::string::npos) << r.out;
    // A name that is not UTF-8 keeps its bytes outside the match.
    r = find("-0 --rename 'x$1' -- '-(\\d)' " + root);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, w + "/caf\xE9-3.txt" + '\0' + w + "/caf\xE9x3.txt" + '\0');
    EXPECT_TRUE(TempTree::exists(t.path("w/caf\xE9-3.txt"))) << "a plan changes nothing";

    // A problem anywhere renames nothing; nothing to change is status 1.
    r = find("--apply --rename 'keep' '^a\\.1$' " + root);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.summary.find("already exists"), std::string::npos);
    EXPECT_EQ(TempTree::read(t.path("w/a.1")), "A");
    EXPECT_EQ(find("--rename 'x' 'nothing-here' " + root).status, 1);
    EXPECT_EQ(find("--rename '$9' 'a' " + root).status, 2);

    r = find("--apply " + swap);
    EXPECT_EQ(r.status, 0) << r.summary;
    EXPECT_EQ(TempTree::read(t.path("w/a.1")), "B");
    EXPECT_EQ(TempTree::read(t.path("w/1.a")), "A");
    EXPECT_EQ(TempTree::list(w).size(), 4u);
}
