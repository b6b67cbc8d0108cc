#include "platform/NSObject.h"
#include "platform/Value.h"

#include <gtest/gtest.h>

namespace {

TEST(ValueTest, IntValueReadsTextAsNSStringDoes) {
    struct Case {
        Value value;
        int expected;
    };
    const Case cases[] = {{Value("3"), 3},     {Value(" 4"), 4},   {Value("3abc"), 3},  {Value("-1"), -1},
                          {Value("+7"), 7},    {Value("abc"), 0},  {Value(""), 0},      {Value("\t\n12"), 12},
                          {Value(3), 3},       {Value(3.9), 3},    {Value(true), 1},    {Value(), 0},
                          {Value("99999999999"), 2147483647},      {Value("-99999999999"), -2147483647 - 1},
                          {Value::dictionary(), 0}};
    for (const auto& [value, expected] : cases) EXPECT_EQ(value.intValue(), expected) << value.description();
}

TEST(ValueTest, BoolValueFollowsFoundation) {
    EXPECT_FALSE(Value("NO").boolValue());
    EXPECT_TRUE(Value("YES").boolValue());
    EXPECT_TRUE(Value("  y").boolValue());
    EXPECT_FALSE(Value("0").boolValue());
    EXPECT_TRUE(Value("007").boolValue());
    EXPECT_FALSE(Value(0).boolValue());
    EXPECT_TRUE(Value(2).boolValue());
    EXPECT_FALSE(Value().boolValue());
    EXPECT_FALSE(Value(std::shared_ptr<NSObject>()).boolValue());
}

TEST(ValueTest, ContainersAreSharedByReferenceAndCompareByContents) {
    Value array = Value::array({"a"});
    Value alias = array;
    alias.asArray()->push_back(Value("b"));
    EXPECT_EQ(array.asArray()->size(), 2u);
    EXPECT_EQ(array, Value::array({"a", "b"}));
    EXPECT_NE(array, Value::array({"b", "a"}));
    EXPECT_NE(Value("1"), Value(1));
    EXPECT_NE(Value(true), Value(1)) << "a boolean is not a number in a property list";
}

} // namespace
