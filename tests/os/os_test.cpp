// The library's operating-system seam on this system.
#include <gtest/gtest.h>

#include <filesystem>

#include "os/os.h"

namespace {

using namespace zq::os;

TEST(OsSeam, AbsolutePathNormalisesWithoutTouchingTheFileSystem) {
    const std::string here = std::filesystem::current_path().string();
    // clang-format off
    const struct { const char* in; std::string out; } cases[] = {
        {"/a/b/c.so", "/a/b/c.so"}, {"/a/./b//c.so", "/a/b/c.so"}, {"/a/b/../c.so", "/a/c.so"}, {"/../../a", "/a"},
        {"/a/b/", "/a/b"}, {"/", "/"}, {"/no/such/dir/x.so", "/no/such/dir/x.so"}, {"x.so", here + "/x.so"},
        {"./d/../x.so", here + "/x.so"}, {"策略/测试.so", here + "/策略/测试.so"}, {"", ""},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(absolutePath(c.in), c.out) << c.in;
}

TEST(OsSeam, FileExistsAndExecutableDir) {
    const std::string dir = executableDir();
    ASSERT_EQ(dir.substr(0, 1), "/");
    EXPECT_TRUE(fileExists(dir + "/zq_internal_tests"));
    EXPECT_FALSE(fileExists(dir + "/no-such-file"));
    EXPECT_FALSE(fileExists(""));
}

TEST(OsSeam, LoadingFailuresDescribeThemselves) {
    EXPECT_EQ(loadLibrary("/no/such/lib.so"), nullptr);
    EXPECT_NE(lastErrorText().find("/no/such/lib.so"), std::string::npos) << lastErrorText();
    EXPECT_EQ(loadLibrary(""), nullptr);
    EXPECT_FALSE(lastErrorText().empty());

    ModuleHandle module = loadLibrary(std::string(TEST_LIB_DIR) + "/libzqloglib.so");
    ASSERT_NE(module, nullptr);
    EXPECT_NE(findSymbol(module, "_ZN8ZqLogLib11GetInstanceEv"), nullptr);
    EXPECT_EQ(findSymbol(module, "noSuchExport"), nullptr);
    EXPECT_NE(lastErrorText().find("noSuchExport"), std::string::npos) << lastErrorText();
    freeLibrary(module);
    freeLibrary(nullptr);
}

}  // namespace
