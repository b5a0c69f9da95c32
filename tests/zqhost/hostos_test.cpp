// The local host's own operating-system helpers on this system.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include "hostos.h"

namespace {

using namespace zqhost::os;

std::string cwd() {
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? buffer : "";
}

TEST(HostOs, AbsolutePathNormalisesWithoutTouchingTheFileSystem) {
    const std::string here = cwd();
    // clang-format off
    struct Case {
        const char* in;
        std::string out;
    } cases[] = {
        {"/a/b/c.so", "/a/b/c.so"}, {"/a/./b//c.so", "/a/b/c.so"}, {"/a/b/../c.so", "/a/c.so"}, {"/../../a", "/a"},
        {"/a/b/", "/a/b"}, {"/", "/"}, {"/no/such/dir/x.so", "/no/such/dir/x.so"}, {"x.so", here + "/x.so"},
        {"./d/../x.so", here + "/x.so"}, {"策略/测试.so", here + "/策略/测试.so"}, {"", ""},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(absolutePath(c.in), c.out) << c.in;
}

TEST(HostOs, EnvironmentDefaultsDoNotOverrideWhatIsSet) {
    setEnvironmentDefault("ZQ_PLATFORM_TEST_VARIABLE", "first");
    setEnvironmentDefault("ZQ_PLATFORM_TEST_VARIABLE", "second");
    const char* value = getenv("ZQ_PLATFORM_TEST_VARIABLE");
    ASSERT_NE(value, nullptr);
    EXPECT_STREQ(value, "first");
}

TEST(HostOs, LoadingFailuresDescribeThemselves) {
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
