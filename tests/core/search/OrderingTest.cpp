#include "search/HitOrdering.h"

#include <gtest/gtest.h>

using namespace qb;

namespace {

SearchHit hit(std::string path, int64_t bytes = 0, std::string kind = "File") {
    SearchHit h;
    h.url = std::move(path);
    h.byteCount = bytes;
    h.kind = std::move(kind);
    return h;
}

std::vector<std::string> order(const std::vector<SearchHit>& hits, const SortOrder& by) {
    std::vector<const SearchHit*> ptrs;
    for (const auto& h : hits)
        ptrs.push_back(&h);
    sortHits(ptrs, by);
    std::vector<std::string> out;
    for (auto* p : ptrs)
        out.push_back(p->url);
    return out;
}

using Paths = std::vector<std::string>;

} // namespace

TEST(Ordering, NamesIgnoreCaseAndCompareDigitsByValue) {
    std::vector<SearchHit> hits{hit("/x/file10"), hit("/x/Beta"), hit("/x/file9"), hit("/x/alpha"),
                                hit("/x/file2")};
    EXPECT_EQ(order(hits, {{SortKey::name, true}}),
              (Paths{"/x/alpha", "/x/Beta", "/x/file2", "/x/file9", "/x/file10"}));
    EXPECT_EQ(order(hits, {{SortKey::name, false}}),
              (Paths{"/x/file10", "/x/file9", "/x/file2", "/x/Beta", "/x/alpha"}));
}

TEST(Ordering, EqualKeysKeepWalkOrderAndLaterComparatorsBreakTies) {
    std::vector<SearchHit> hits{hit("/a/z", 5), hit("/b/y", 1), hit("/c/x", 5), hit("/d/w", 1)};
    EXPECT_EQ(order(hits, {{SortKey::byteCount, true}}), (Paths{"/b/y", "/d/w", "/a/z", "/c/x"}));
    EXPECT_EQ(order(hits, {{SortKey::byteCount, false}, {SortKey::name, true}}),
              (Paths{"/c/x", "/a/z", "/d/w", "/b/y"}));

    std::vector<SearchHit> same{hit("/q/Same"), hit("/r/same"), hit("/p/SAME")};
    EXPECT_EQ(order(same, {{SortKey::name, true}}), (Paths{"/q/Same", "/r/same", "/p/SAME"}));
    EXPECT_EQ(order(same, {{SortKey::parentPath, true}}), (Paths{"/p/SAME", "/q/Same", "/r/same"}));
}

TEST(Ordering, KindAndInvalidUtf8) {
    std::vector<SearchHit> hits{hit("/x/\xFF", 0, "PNG image"), hit("/x/b", 0, "folder"),
                                hit("/x/a", 0, "PDF document")};
    EXPECT_EQ(order(hits, {{SortKey::kind, true}}), (Paths{"/x/b", "/x/a", "/x/\xFF"}));
    EXPECT_LT(compareNames("a", "\xFF"), 0);
}
