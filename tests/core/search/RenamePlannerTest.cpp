#include "search/RenamePlanner.h"

#include "TempTree.h"
#include "search/PathText.h"

#include <gtest/gtest.h>
#include <set>

using namespace qb;

namespace {

RenamePlan plan(const char* pattern, const char* replacement, std::vector<std::string> names,
                bool caseSensitive = true, bool all = true, std::set<std::string> onDisk = {}) {
    std::vector<std::string> items;
    for (auto& n : names)
        items.push_back("/d/" + n);
    auto exists = [&](const std::string& p) { return onDisk.count(p) != 0; };
    return planRenames({pattern, replacement, caseSensitive, all}, items, exists);
}

} // namespace

TEST(RenamePlanner, NewNamesAndStates) {
    using S = RenameState;
    struct Case {
        const char* name;
        const char* pattern;
        const char* replacement;
        std::vector<std::string> names;
        std::vector<std::string> expected;
        std::vector<S> states;
        bool caseSensitive = true;
        bool all = true;
        std::set<std::string> onDisk = {};
    };
    const std::string astral = "\xF0\x9F\x98\x80"; // U+1F600, two UTF-16 units
    const std::string b255(255, 'b'), b256(256, 'b');
    const Case cases[] = {
        {"groups", "(\\w+)-(\\d+)", "$2_$1", {"img-12.png"}, {"12_img.png"}, {S::renamed}},
        {"named group", "(?<n>\\d+)", "#${n}", {"a1b22"}, {"a#1b#22"}, {S::renamed}},
        {"whole match", "\\d+", "[$0]", {"x7"}, {"x[7]"}, {S::renamed}},
        {"escaped dollar", "^", "\\$", {"5"}, {"$5"}, {S::renamed}},
        {"first only", "a", "o", {"banana"}, {"bonana"}, {S::renamed}, true, false},
        {"all", "a", "o", {"banana"}, {"bonono"}, {S::renamed}},
        {"case-insensitive",
         "JPEG",
         "jpg",
         {"a.jpeg", "b.JpEg"},
         {"a.jpg", "b.jpg"},
         {S::renamed, S::renamed},
         false},
        {"case-sensitive misses", "JPEG", "jpg", {"a.jpeg"}, {"a.jpeg"}, {S::unchanged}},
        {"no match and same text", "x", "x", {"x", "y"}, {"x", "y"}, {S::unchanged, S::unchanged}},
        {"outside the BMP", "(.)(.)$", "$2$1", {"a" + astral + "b"}, {"ab" + astral}, {S::renamed}},
        {"astral replaced", astral.c_str(), "_", {astral + astral}, {"__"}, {S::renamed}},
        // Undecodable bytes outside the match survive as themselves; inside it they become
        // the replacement's text.
        {"undecodable kept",
         "old",
         "new",
         {"\xE9t\xE9-old-\xFF"},
         {"\xE9t\xE9-new-\xFF"},
         {S::renamed}},
        {"undecodable replaced", "\\uFFFD", "e", {"caf\xE9"}, {"cafe"}, {S::renamed}},
        {"empty", ".*", "", {"a"}, {""}, {S::empty}},
        {"dot", "^a$", ".", {"a"}, {"."}, {S::dotName}},
        {"dot dot", "^a$", "..", {"a"}, {".."}, {S::dotName}},
        {"slash", "a", "x/y", {"a"}, {"x/y"}, {S::separator}},
        {"nul", "a", "\\u0000", {"a"}, {std::string("\0", 1)}, {S::separator}},
        {"too long", "a", b256.c_str(), {"a"}, {std::string(256, 'b')}, {S::tooLong}},
        {"exactly the limit", "a", b255.c_str(), {"a"}, {std::string(255, 'b')}, {S::renamed}},
        {"exists", "a", "b", {"a"}, {"b"}, {S::exists}, true, true, {"/d/b"}},
        {"unchanged batch member is in the way",
         "a",
         "b",
         {"a", "b"},
         {"b", "b"},
         {S::exists, S::unchanged},
         true,
         true,
         {"/d/a", "/d/b"}},
        {"duplicates",
         "\\d",
         "",
         {"a1", "a2", "c"},
         {"a", "a", "c"},
         {S::duplicate, S::duplicate, S::unchanged}},
        {"chain",
         "^(a+)$",
         "$1a",
         {"a", "aa"},
         {"aa", "aaa"},
         {S::renamed, S::renamed},
         true,
         true,
         {"/d/a", "/d/aa"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RenamePlan p = plan(c.pattern, c.replacement, c.names, c.caseSensitive, c.all, c.onDisk);
        ASSERT_FALSE(p.error) << englishText(*p.error);
        ASSERT_EQ(p.rows.size(), c.expected.size());
        for (size_t i = 0; i < p.rows.size(); ++i) {
            EXPECT_EQ(p.rows[i].newName, c.expected[i]) << i;
            EXPECT_EQ(p.rows[i].state, c.states[i]) << i;
        }
    }
}

TEST(RenamePlanner, SwapsAndCyclesAreNotInTheirOwnWay) {
    // Every target is on disk, but each is renamed away by the same batch.
    const std::set<std::string> onDisk = {"/d/a.b", "/d/b.a", "/d/abc", "/d/bca", "/d/cab"};
    RenamePlan swap = plan("^(\\w)\\.(\\w)$", "$2.$1", {"a.b", "b.a"}, true, true, onDisk);
    EXPECT_TRUE(swap.usable());
    EXPECT_EQ(swap.rows[0].newName, "b.a");
    RenamePlan cycle =
        plan("^(\\w)(\\w)(\\w)$", "$2$3$1", {"abc", "bca", "cab"}, true, true, onDisk);
    EXPECT_TRUE(cycle.usable());
    EXPECT_EQ(cycle.renamed, 3u);
    // Without one member of the cycle, its name is taken by an item that stays.
    RenamePlan broken = plan("^(\\w)(\\w)(\\w)$", "$2$3$1", {"abc", "bca"}, true, true, onDisk);
    EXPECT_EQ(broken.rows[0].state, RenameState::renamed);
    EXPECT_EQ(broken.rows[1].state, RenameState::exists);
    EXPECT_FALSE(broken.usable());
}

TEST(RenamePlanner, EmphasisCountsUtf16UnitsOfTheNewName) {
    const std::string astral = "\xF0\x9F\x98\x80";
    RenamePlan p = plan("x", astral.c_str(), {"\xFFxax"});
    ASSERT_EQ(p.rows.size(), 1u);
    ASSERT_EQ(p.rows[0].changed.size(), 2u);
    EXPECT_EQ(p.rows[0].changed[0].location, 1);
    EXPECT_EQ(p.rows[0].changed[0].length, 2);
    EXPECT_EQ(p.rows[0].changed[1].location, 4);
    EXPECT_EQ(toUtf16(p.rows[0].newName).size(), 6u);
    // A deletion inserts nothing to emphasise.
    EXPECT_TRUE(plan("a", "", {"bab"}).rows[0].changed.empty());
}

TEST(RenamePlanner, FaultsInThePatternOrReplacementStopThePlan) {
    struct Case {
        const char* pattern;
        const char* replacement;
        const char* error;
    };
    const Case cases[] = {
        {"(a", "x", "Unbalanced parenthesis at position 2"},
        {"(a)", "$2", "Reference to a group that does not exist at position 1"},
        {"(?<n>a)", "${m}", "Reference to a group that does not exist at position 1"},
        {"a", "x${n", "Missing closing brace at position 2"},
        {"a", "5$", "Dollar sign without a group (write \\$ for a dollar sign) at position 2"},
        {"a", "$x", "Dollar sign without a group (write \\$ for a dollar sign) at position 1"},
        {"a", "x\\", "Replacement ends with a backslash at position 2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern + std::string(" / ") + c.replacement);
        // Reported even when no name matches.
        RenamePlan p = plan(c.pattern, c.replacement, {"zzz"});
        ASSERT_TRUE(p.error);
        EXPECT_EQ(englishText(*p.error), c.error);
        EXPECT_FALSE(p.usable());
        EXPECT_TRUE(p.rows.empty());
    }
}

TEST(RenamePlanner, RepeatedItemsCountOnceAndAStopEndsThePlan) {
    RenamePlan p = planRenames({"a", "b", true, true}, {"/d/a", "/d/./a", "/d/a"},
                               [](const std::string&) { return false; });
    EXPECT_EQ(p.rows.size(), 1u);
    EXPECT_EQ(p.renamed, 1u);
    std::stop_source stop;
    stop.request_stop();
    p = planRenames({"a", "b", true, true}, {"/d/a"}, {}, stop.get_token());
    EXPECT_TRUE(p.stopped);
    EXPECT_FALSE(p.usable());
    // Catastrophic backtracking on one name marks that name, not the batch.
    p = planRenames({"^(a+)+$", "b", true, true}, {"/d/" + std::string(40, 'a') + "!"},
                    [](const std::string&) { return false; });
    ASSERT_EQ(p.rows.size(), 1u);
    EXPECT_EQ(p.rows[0].state, RenameState::interrupted);
    EXPECT_EQ(p.problems, 1u);
}

// Many new names in one folder are checked against one listing of it, few name by name.
TEST(RenamePlanner, TakenNamesOnDisk) {
    qbtest::TempTree t;
    std::vector<std::string> many;
    for (int i = 0; i < 40; ++i)
        many.push_back(t.file("many/" + std::to_string(i) + ".a"));
    t.file("many/7.b");
    t.link("many/8.b", "/nonexistent"); // a dangling link takes its name too
    t.file("few/1.a");
    t.file("few/1.b");
    for (const auto& items : {many, std::vector<std::string>{t.path("few/1.a")}}) {
        RenamePlan p = planRenames({"\\.a$", ".b", true, true}, items);
        std::vector<std::string> taken;
        for (const auto& row : p.rows)
            if (row.state == RenameState::exists)
                taken.push_back(row.newName);
        const std::vector<std::string> expected = items.size() == 1
                                                      ? std::vector<std::string>{"1.b"}
                                                      : std::vector<std::string>{"7.b", "8.b"};
        EXPECT_EQ(taken, expected);
    }
}
