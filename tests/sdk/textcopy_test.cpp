// The bounded copy that puts text into fixed-width record fields: the edges
// that the order tests do not reach.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "norq/records.h"
#include "sdk/textcopy.h"

namespace {

TEST(TextCopy, CutsToTheFieldLessOneZeroFillsAndStaysInside) {
    constexpr size_t all = static_cast<size_t>(-1);
    struct Case {
        const char* text;
        size_t length;
        std::string stored;
    } cases[] = {
        {"12345678901234567890", all, "1234567890123456789"},
        {"1234567890123456789", all, "1234567890123456789"},
        {nullptr, all, ""},
        {"abcdef", 3, "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        Norq::Order order;
        std::memset(&order, 0x5a, sizeof order);
        Norq::copyText(order.fund_account, c.text, c.length);
        EXPECT_EQ(std::string(order.fund_account), c.stored);
        for (size_t i = c.stored.size(); i < sizeof order.fund_account; ++i)
            ASSERT_EQ(order.fund_account[i], '\0') << i;
        EXPECT_EQ(static_cast<unsigned char>(order.security_exchange[0]), 0x5a) << "wrote past the field";
    }
}

}  // namespace
