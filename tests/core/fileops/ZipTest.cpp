#include "TempTree.h"
#include "fileops/FileActions.h"

#include <cstdio>
#include <gtest/gtest.h>

using namespace qb;
using qbtest::TempTree;
using Paths = std::vector<std::string>;

namespace {

std::string run(const std::string& cmd) {
    std::string out;
    FILE* p = ::popen(cmd.c_str(), "r");
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    return ::pclose(p) == 0 ? out : "FAILED:" + out;
}

} // namespace

TEST(Zip, ArchivesHoldTheItemsAtTheTopLevel) {
    TempTree t;
    t.file("one/data", "first");
    t.file("two/data", "second");
    t.file("-rf.txt", "an option-like name");
    t.file("folder/inner.txt", "x");
    t.link("folder/link", "inner.txt");
    std::string archive = t.path("Archive.zip");
    auto r = FileActions::compress(
        {t.path("one/data"), t.path("two/data"), t.path("-rf.txt"), t.path("folder")}, archive);
    ASSERT_TRUE(r.failures.empty()) << r.failures[0];
    EXPECT_EQ(r.created, (Paths{archive}));
    ASSERT_EQ(r.undo.size(), 1u);

    EXPECT_EQ(run("unzip -tq '" + archive + "'").rfind("No errors", 0), 0u);
    std::string listing = run("unzip -Z1 '" + archive + "' | sort");
    EXPECT_EQ(listing, "-rf.txt\ndata\ndata 2\nfolder/\nfolder/inner.txt\nfolder/link\n");
    EXPECT_EQ(run("unzip -p '" + archive + "' 'data 2'"), "second");
    std::string details = run("unzip -Z '" + archive + "' folder/link");
    EXPECT_EQ(details.rfind("l", 0), 0u) << "links stay links: " << details;
}

TEST(Zip, AFailingArchiverLeavesNothingBehind) {
    TempTree t;
    t.file("item", "x");
    std::string script =
        t.file("fake-zip", "#!/bin/sh\necho 'zip error: out of paper' >&2\nexit 3\n");
    ::chmod(script.c_str(), 0755);
    ::setenv("TMPDIR", t.path("tmp").c_str(), 1);
    t.dir("tmp");
    auto r = FileActions::compress({t.path("item")}, t.path("item.zip"), script.c_str());
    ::unsetenv("TMPDIR");
    EXPECT_EQ(r.failures,
              (Paths{std::string(FileActions::kArchiveFailed) + "zip error: out of paper\n"}));
    EXPECT_TRUE(r.created.empty() && r.undo.empty());
    EXPECT_FALSE(TempTree::exists(t.path("item.zip")));
    EXPECT_TRUE(TempTree::list(t.path("tmp")).empty()) << "the staging folder is removed";
}
