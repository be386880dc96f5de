#include "TempTree.h"
#include "fileops/FileActions.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>

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
    ASSERT_TRUE(r.failures.empty()) << englishText(r.failures[0]);
    EXPECT_EQ(r.created, (Paths{archive}));
    ASSERT_EQ(r.undo.size(), 1u);

    EXPECT_EQ(run("unzip -tq '" + archive + "'").rfind("No errors", 0), 0u);
    std::string listing = run("unzip -Z1 '" + archive + "' | sort");
    EXPECT_EQ(listing, "-rf.txt\ndata\ndata 2\nfolder/\nfolder/inner.txt\nfolder/link\n");
    EXPECT_EQ(run("unzip -p '" + archive + "' 'data 2'"), "second");
    std::string details = run("unzip -Z '" + archive + "' folder/link");
    EXPECT_EQ(details.rfind("l", 0), 0u) << "links stay links: " << details;
}

TEST(Zip, TheStagingFolderIsPrivateAndAlwaysRemoved) {
    TempTree t;
    const struct passwd* nobody = ::getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    t.file("item/locked/inner.txt", "x"); // copied read-only into the staging folder
    std::string recorder =
        t.file("record-zip", "#!/bin/sh\nstat -c %a .. >\"" + t.path("out/mode") +
                                 "\"\nexec /usr/bin/zip \"$@\"\n");
    std::string failing =
        t.file("fake-zip", "#!/bin/sh\necho 'zip error: out of paper' >&2\nexit 3\n");
    for (const auto& p : {t.path("item"), t.path("item/locked"), t.path("item/locked/inner.txt"),
                          t.dir("tmp"), t.dir("out")})
        ::chown(p.c_str(), nobody->pw_uid, nobody->pw_gid);
    ::chmod(t.path("item/locked").c_str(), 0555);
    ::chmod(recorder.c_str(), 0755);
    ::chmod(failing.c_str(), 0755);

    // As an ordinary user, who cannot remove what a read-only folder holds without help.
    int failed = qbtest::runAsNobody([&] {
        ::setenv("TMPDIR", t.path("tmp").c_str(), 1);
        auto ok = FileActions::compress({t.path("item")}, t.path("out/item.zip"), recorder.c_str());
        auto bad =
            FileActions::compress({t.path("item")}, t.path("out/item 2.zip"), failing.c_str());
        const Paths message = {std::string(FileActions::kArchiveFailed) +
                               "zip error: out of paper\n"};
        return (ok.failures.empty() ? 0 : 1) | (englishTexts(bad.failures) == message ? 0 : 2) |
               (bad.created.empty() && bad.undo.empty() ? 0 : 4);
    });
    EXPECT_EQ(failed, 0);
    EXPECT_TRUE(TempTree::list(t.path("tmp")).empty()) << "the staging folder is removed";
    EXPECT_EQ(TempTree::read(t.path("out/mode")), "700\n") << "and private while it exists";
    EXPECT_EQ(TempTree::list(t.path("out")), (Paths{"item.zip", "mode"}));
}
