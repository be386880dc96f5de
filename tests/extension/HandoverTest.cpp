#include "Fakes.h"
#include "TempTree.h"
#include "model/SearchModel.h"
#include "quillbrook-handover.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace qbtest;

namespace {

std::string choose(const char* targeted, std::vector<const char*> selected) {
    gchar* folder = qb_handover_choose_folder(targeted, selected.data(), selected.size(),
                                              qb_handover_is_folder, nullptr);
    std::string out = folder ? folder : "(none)";
    g_free(folder);
    return out;
}

} // namespace

TEST(Handover, TheFolderIsTheSelectedItemItsFolderOrTheWindows) {
    TempTree tree;
    const std::string docs = tree.dir("Docs");
    const std::string reports = tree.dir("Docs/Reports");
    const std::string file = tree.file("Docs/notes.txt");
    struct Case {
        const char* name;
        std::string targeted;
        std::vector<std::string> selected;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"one file", docs, {file}, docs},
        {"one folder", docs, {reports}, reports},
        {"two items", docs, {file, reports}, docs},
        {"the background", docs, {}, docs},
        {"the background with a trailing slash", docs + "/", {}, docs},
        {"the root", "/", {}, "/"},
        {"a vanished item", docs, {docs + "/gone.txt"}, docs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<const char*> selected;
        for (const auto& s : c.selected)
            selected.push_back(s.c_str());
        EXPECT_EQ(choose(c.targeted.c_str(), selected), c.expected);
    }
    EXPECT_EQ(choose(nullptr, {}), "(none)");
}

TEST(Handover, EveryFolderSurvivesTheLaunchUrlByteForByte) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name};
    QCoreApplication app(argc, argv);
    TempTree tree;
    FakeDesktop desktop;
    MemoryPreferences prefs;
    ::setenv("XDG_DATA_HOME", tree.path("data").c_str(), 1);
    qb::SearchModel model(prefs, desktop);
    const char* names[] = {
        "with space", "Café ünïcode",    "a+b",       "c#d", "50%", "x&folder=/etc",
        "e=f",        "latin1-\xE9\xFF", "tab\there", "?q"};
    for (const char* n : names) {
        SCOPED_TRACE(n);
        const std::string folder = tree.dir(n);
        gchar* url = qb_handover_launch_url(folder.c_str());
        EXPECT_EQ(std::string(url).find_first_of(" #&+"), std::string::npos) << url;
        model.receive(QString::fromLatin1(url));
        g_free(url);
        EXPECT_EQ(model.folder(), folder);
    }
    gchar* root = qb_handover_launch_url("/");
    EXPECT_STREQ(root, "quillbrook://search?folder=/");
    g_free(root);
    gchar* trailing = qb_handover_launch_url("/srv/data/");
    EXPECT_STREQ(trailing, "quillbrook://search?folder=/srv/data");
    g_free(trailing);
    gchar* bare = qb_handover_launch_url(nullptr);
    EXPECT_STREQ(bare, "quillbrook://search");
    g_free(bare);
    ::unsetenv("XDG_DATA_HOME");
}

TEST(Handover, ReadingRefusesNulBytesAndOverlongUrls) {
    using namespace std::string_literals;
    const std::string prefix = "quillbrook://search?folder=";
    const std::string longest = "/" + std::string((1 << 20) - prefix.size() - 1, 'x');
    struct Case {
        const char* name;
        std::string url;
        bool ours;
        std::optional<std::string> folder;
    };
    const Case cases[] = {
        {"NUL in the value", prefix + "/a\0b"s, true, std::nullopt},
        {"1 MiB", prefix + longest, true, longest},
        {"over 1 MiB", prefix + longest + "x", false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gchar* folder = nullptr;
        EXPECT_EQ(bool(qb_handover_read_launch_url(c.url.data(), c.url.size(), &folder)), c.ours);
        EXPECT_EQ(folder ? std::optional<std::string>(folder) : std::nullopt, c.folder);
        g_free(folder);
    }
}
