#include "search/PathText.h"

#include <gtest/gtest.h>
#include <random>
#include <unicode/ustring.h>

using namespace qb;

TEST(PathText, DecodingReplacesEachIllFormedSubsequence) {
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"ascii", "abc", u"abc"},
        {"two bytes", "\xC3\xA9", u"\u00E9"},
        {"astral", "\xF0\x9F\x98\x80", u"\U0001F600"},
        {"lone continuation", "a\x80z", u"a\uFFFDz"},
        {"truncated three-byte", "\xE2\x82z", u"\uFFFDz"},
        {"overlong", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"surrogate bytes", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"latin-1", "caf\xE9", u"caf\uFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(toUtf16(c.bytes), c.text);
        EXPECT_EQ(utf16Length(c.bytes), c.text.size());
    }
    EXPECT_EQ(toValidUtf8("caf\xE9"), "caf\xEF\xBF\xBD");
}

TEST(PathText, Components) {
    EXPECT_EQ(lastComponent("/a/b.txt"), "b.txt");
    EXPECT_EQ(lastComponent("/a/b/"), "b");
    EXPECT_EQ(lastComponent("/"), "");
    EXPECT_EQ(parentOf("/a/b"), "/a");
    EXPECT_EQ(parentOf("/a"), "/");
    EXPECT_EQ(joinPath("/", "x"), "/x");
    EXPECT_EQ(joinPath("/a/", "x"), "/a/x");
    EXPECT_EQ(standardisePath("/a/./b/../c//d/"), "/a/c/d");
    EXPECT_EQ(standardisePath("/../.."), "/");
}

TEST(PathText, FileUrlsCarryPercentEncodedBytes) {
    const std::string path = "/tmp/a b/100%/caf\xE9#?+";
    std::string url = fileUrlFromPath(path);
    EXPECT_EQ(url, "file:///tmp/a%20b/100%25/caf%E9%23%3F+");
    EXPECT_EQ(pathFromFileUrl(url), path);
    EXPECT_EQ(pathFromFileUrl("http://example.com/x"), std::nullopt);
    EXPECT_EQ(pathFromFileUrl("file://elsewhere/x"), std::nullopt);
    EXPECT_EQ(pathFromFileUrl("not a url"), std::nullopt);
}

// ICU's own converter replaces ill-formed sequences the same way; random bytes, weighted
// towards UTF-8 lead and continuation bytes, must decode identically.
TEST(PathText, DecodingAgreesWithIcuOnRandomBytes) {
    std::mt19937 rng(42);
    const unsigned char interesting[] = {0x00, 0x41, 0x7F, 0x80, 0xBF, 0xC0, 0xC2, 0xDF, 0xE0,
                                         0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF, 0xA0, 0x90, 0x8F};
    for (int round = 0; round < 20000; ++round) {
        std::string bytes(rng() % 12, '\0');
        for (char& c : bytes)
            c = static_cast<char>(rng() % 3 ? interesting[rng() % sizeof interesting]
                                            : rng() % 256);
        std::u16string expected(bytes.size() * 2 + 1, u'\0');
        int32_t length = 0;
        UErrorCode status = U_ZERO_ERROR;
        u_strFromUTF8WithSub(reinterpret_cast<UChar*>(expected.data()), int32_t(expected.size()),
                             &length, bytes.data(), int32_t(bytes.size()), 0xFFFD, nullptr,
                             &status);
        ASSERT_TRUE(U_SUCCESS(status));
        expected.resize(size_t(length));
        ASSERT_EQ(toUtf16(bytes), expected) << "round " << round;
    }
}
