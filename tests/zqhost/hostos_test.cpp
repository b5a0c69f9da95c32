// What only the local host needs of the operating system, on this system.
#include <gtest/gtest.h>

#include <stdlib.h>

#include "hostos.h"

namespace {

using namespace zqhost::os;

TEST(HostOs, EnvironmentDefaultsDoNotOverrideWhatIsSet) {
    setEnvironmentDefault("ZQ_PLATFORM_TEST_VARIABLE", "first");
    setEnvironmentDefault("ZQ_PLATFORM_TEST_VARIABLE", "second");
    const char* value = getenv("ZQ_PLATFORM_TEST_VARIABLE");
    ASSERT_NE(value, nullptr);
    EXPECT_STREQ(value, "first");
}

}  // namespace
