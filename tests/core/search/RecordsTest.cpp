#include "search/RegexMatcher.h"
#include "search/SearchRecords.h"

#include <gtest/gtest.h>

using namespace qb;

TEST(Records, CriteriaEquality) {
    SearchCriteria a{"/home/u", "caf\u00E9", true, false, false, false};
    SearchCriteria b = a;
    EXPECT_EQ(a, b);
    b.pattern = "cafe\u0301"; // canonically equivalent
    EXPECT_EQ(a, b);
    b = a;
    b.folder = "/home/u/";
    EXPECT_NE(a, b);
    b = a;
    b.fullPath = true;
    EXPECT_NE(a, b);
}

TEST(Records, HitListSnapshotsAreImmutableAndShareChunks) {
    HitListBuilder builder;
    auto make = [](size_t i) {
        SearchHit h;
        h.url = "/x/" + std::to_string(i);
        return h;
    };
    for (size_t i = 0; i < HitList::kChunkSize + 3; ++i)
        builder.append(make(i));
    HitList first = builder.snapshot();
    for (size_t i = HitList::kChunkSize + 3; i < 3 * HitList::kChunkSize; ++i)
        builder.append(make(i));
    HitList second = builder.snapshot();
    ASSERT_EQ(first.size(), HitList::kChunkSize + 3);
    EXPECT_EQ(first[HitList::kChunkSize + 2].url, "/x/" + std::to_string(HitList::kChunkSize + 2));
    EXPECT_EQ(second.size(), 3 * HitList::kChunkSize);
    EXPECT_EQ(&first[0], &second[0]) << "full chunks are shared, not copied";
    size_t n = 0;
    for (const auto& h : second)
        EXPECT_EQ(h.url, "/x/" + std::to_string(n++));
    EXPECT_EQ(HitList::fromVector(second.toVector()), second);
}

TEST(Records, HitEqualityAndHashCoverRanges) {
    SearchHit a;
    a.url = "/x/y";
    a.matchedNameRanges = {{0, 1}};
    SearchHit b = a;
    EXPECT_EQ(a, b);
    EXPECT_EQ(hashValue(a), hashValue(b));
    b.matchedNameRanges = {{0, 2}};
    EXPECT_NE(a, b);
    EXPECT_NE(hashValue(a), hashValue(b));
}

TEST(Records, PatternErrorsArePlainWords) {
    EXPECT_EQ(englishText(*RegexMatcher::compileError("a(b")),
              "Unbalanced parenthesis at position 3");
    EXPECT_EQ(englishText(*RegexMatcher::compileError("[z-a]")),
              "Invalid character range at position 4");
    EXPECT_EQ(RegexMatcher::compileError("\\.pdf$"), std::nullopt);
}
