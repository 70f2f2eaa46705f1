#include <gtest/gtest.h>

#include "platform/Value.h"

namespace keepgate {
namespace {

TEST(ValueTest, IntegerValueReadsTheLeadingNumberOfText) {
    const struct {
        Value value;
        long long expected;
    } cases[] = {{"1", 1}, {"2", 2}, {"", 0}, {"abc", 0}, {" 7x", 7}, {Value(1), 1}, {"-3", -3}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.value.integerValue(), c.expected) << c.value.text();
    }
    EXPECT_TRUE(isMarked(Value("1")));
    EXPECT_TRUE(isMarked(Value(1)));
    EXPECT_FALSE(isMarked(Value("0")));
    EXPECT_FALSE(isMarked(std::nullopt));
}

} // namespace
} // namespace keepgate
