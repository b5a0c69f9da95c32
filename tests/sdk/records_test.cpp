// The bounded copy that puts text into record fields.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "norq/records.h"
#include "sdk/textcopy.h"

namespace {

TEST(TextCopy, CutsToTheFieldLessOneAndTerminates) {
    struct Case {
        const char* text;
        size_t length;
        std::string stored;
    } cases[] = {
        {"123456789012345678901234567890", static_cast<size_t>(-1), "1234567890123456789"},
        {"1234567890123456789", static_cast<size_t>(-1), "1234567890123456789"},
        {"12345678901234567890", static_cast<size_t>(-1), "1234567890123456789"},
        {"short", static_cast<size_t>(-1), "short"},
        {"", static_cast<size_t>(-1), ""},
        {nullptr, static_cast<size_t>(-1), ""},
        {"abcdef", 3, "abc"},
        {"账户号码", static_cast<size_t>(-1), "账户号码"},
    };
    for (const Case& c : cases) {
        Norq::Order order;
        std::memset(&order, 0x5a, sizeof order);
        Norq::copyText(order.fund_account, c.text, c.length);
        EXPECT_EQ(std::string(order.fund_account), c.stored) << (c.text ? c.text : "(null)");
        for (size_t i = c.stored.size(); i < sizeof order.fund_account; ++i) {
            ASSERT_EQ(order.fund_account[i], '\0') << "byte " << i << " of " << (c.text ? c.text : "(null)");
        }
        EXPECT_EQ(static_cast<unsigned char>(order.security_exchange[0]), 0x5a) << "wrote past the field";
    }
}

}  // namespace
