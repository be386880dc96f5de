#include "TempTree.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

using qbtest::TempTree;

namespace {

struct Result {
    int status;
    std::string out;
};

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

Result find(const std::string& args) {
    std::string cmd = std::string(QB_FIND_BINARY) + " --quiet " + args;
    Result r{};
    FILE* p = ::popen(cmd.c_str(), "r");
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    int status = ::pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

    EXPECT_EQ(find("'nothing-matches-this' " + root).status, 1);
    EXPECT_EQ(find("'(' " + root + " 2>/dev/null").status, 2);
    EXPECT_EQ(find("x " + quote(odd) + " 2>/dev/null").status, 2);
    EXPECT_EQ(find("--bogus x 2>/dev/null").status, 2);
    EXPECT_EQ(find("--help").status, 0);
}
