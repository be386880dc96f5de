#include "search/ResultFilters.h"

#include <gtest/gtest.h>

using namespace qb;
using namespace std::chrono;

namespace {

SearchHit hit(std::string name, bool dir = false, int64_t bytes = 0, std::string type = "",
              Timestamp modified = Timestamp(seconds(1700000000))) {
    SearchHit h;
    h.url = "/data/" + name;
    h.isDirectory = dir;
    h.byteCount = bytes;
    h.modified = modified;
    h.contentTypeIdentifier = type.empty() ? (dir ? "inode/directory" : "public.data") : type;
    return h;
}

} // namespace

TEST(Filters, SizeThresholdsAreDecimalAndInclusive) {
    struct Case {
        int64_t bytes;
        bool dir;
        bool small, medium, large;
    };
    const Case cases[] = {
        {0, false, true, false, false},           {999'999, false, true, false, false},
        {1'000'000, false, false, true, false},   {100'000'000, false, false, true, false},
        {100'000'001, false, false, false, true}, {5, true, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        SearchHit h = hit("f", c.dir, c.bytes);
        auto passes = [&](FileSizeFilter s) {
            return ResultFilters{{}, s, {}}.matches(h, Clock::now());
        };
        EXPECT_TRUE(passes(FileSizeFilter::any));
        EXPECT_EQ(passes(FileSizeFilter::small), c.small);
        EXPECT_EQ(passes(FileSizeFilter::medium), c.medium);
        EXPECT_EQ(passes(FileSizeFilter::large), c.large);
    }
}

TEST(Filters, KindsUseTheContentTypeWithFallbacks) {
    struct Case {
        const char* name;
        SearchHit hit;
        FileKindFilter kind;
        bool passes;
    };
    const Case cases[] = {
        {"png", hit("a.png", false, 1, "image/png"), FileKindFilter::images, true},
        {"jpeg", hit("a.jpg", false, 1, "image/jpeg"), FileKindFilter::images, true},
        {"folder named like an image", hit("Photos.png", true), FileKindFilter::images, false},
        {"folder", hit("Photos.png", true), FileKindFilter::folders, true},
        {"folder is not a file", hit("Photos", true), FileKindFilter::files, false},
        {"unknown identifier, image extension", hit("b.png", false, 1, "com.example.weird"),
         FileKindFilter::images, true},
        {"generic data", hit("README"), FileKindFilter::files, true},
        {"generic data is no text", hit("README"), FileKindFilter::text, false},
        {"source code is text", hit("main.c", false, 1, "text/x-csrc"), FileKindFilter::text, true},
        {"pdf", hit("p.pdf", false, 1, "application/pdf"), FileKindFilter::pdf, true},
        {"mp4", hit("m.mp4", false, 1, "video/mp4"), FileKindFilter::video, true},
        {"mp3", hit("s.mp3", false, 1, "audio/mpeg"), FileKindFilter::audio, true},
        {"zip", hit("z.zip", false, 1, "application/zip"), FileKindFilter::archives, true},
        {"tar.gz", hit("z.tar.gz", false, 1, "application/x-compressed-tar"),
         FileKindFilter::archives, true},
        {"png is no archive", hit("a.png", false, 1, "image/png"), FileKindFilter::archives, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResultFilters f{c.kind, {}, {}};
        EXPECT_EQ(f.matches(c.hit, Clock::now()), c.passes);
    }
}

TEST(Filters, DatesCompareWithTheReferenceTime) {
    Timestamp now = Clock::now();
    Timestamp midnight = startOfDay(now);
    struct Case {
        const char* name;
        Timestamp modified;
        ModifiedFilter filter;
        bool passes;
    };
    const Case cases[] = {
        {"midnight today", midnight, ModifiedFilter::today, true},
        {"a second before midnight", midnight - seconds(1), ModifiedFilter::today, false},
        {"exactly seven days", now - seconds(604'800), ModifiedFilter::week, true},
        {"just over seven days", now - seconds(604'801), ModifiedFilter::week, false},
        {"exactly thirty days", now - seconds(2'592'000), ModifiedFilter::month, true},
        {"future", now + hours(48), ModifiedFilter::today, true},
        {"no date", kDistantPast, ModifiedFilter::month, false},
        {"no date, any", kDistantPast, ModifiedFilter::any, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResultFilters f{{}, {}, c.filter};
        EXPECT_EQ(f.matches(hit("x", false, 1, "", c.modified), now), c.passes);
    }
    time_t t = system_clock::to_time_t(system_clock::time_point(
        duration_cast<system_clock::duration>(midnight.time_since_epoch())));
    struct tm local {};
    localtime_r(&t, &local);
    EXPECT_EQ(local.tm_hour, 0);
    EXPECT_EQ(local.tm_min, 0);
}

TEST(Filters, LabelsAndActive) {
    EXPECT_EQ(label(FileSizeFilter::medium), "1\u2013100 MB");
    EXPECT_EQ(label(FileKindFilter::any), "Any Kind");
    EXPECT_EQ(label(ModifiedFilter::week), "Last 7 Days");
    EXPECT_FALSE(ResultFilters{}.active());
    EXPECT_TRUE((ResultFilters{{}, {}, ModifiedFilter::today}.active()));
}
