#include "platform/NSObject.h"
#include "platform/Value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>

namespace {

TEST(ValueTest, IntValueReadsTextAsNSStringDoes) {
    struct Case { Value value; int expected; };
    const Case cases[] = {{Value("3"), 3},     {Value(" 4"), 4},   {Value("3abc"), 3},  {Value("-1"), -1},
                          {Value("+7"), 7},    {Value("abc"), 0},  {Value(""), 0},      {Value("\t\n12"), 12},
                          {Value(3), 3},       {Value(3.9), 3},    {Value(true), 1},    {Value(), 0},
                          {Value("99999999999"), 2147483647},      {Value("-99999999999"), -2147483647 - 1},
                          {Value::dictionary(), 0}};
    for (const auto& [value, expected] : cases) EXPECT_EQ(value.intValue(), expected) << value.description();
}

TEST(ValueTest, BoolValueFollowsFoundation) {
    const std::pair<Value, bool> cases[] = {
        {Value("NO"), false},   {Value("YES"), true},   {Value("  y"), true},  {Value("true"), true},
        {Value("T"), true},     {Value("false"), false}, {Value("0"), false},  {Value("007"), true},
        {Value("-1"), true},    {Value("+0009"), true}, {Value("\t\n 1"), true}, {Value("+-1"), false},
        {Value("0 1"), false},  {Value("0x1"), false},  {Value(" "), false},   {Value(""), false},
        {Value(0), false},      {Value(2), true},       {Value(0.0), false},   {Value(0.25), true},
        {Value(), false},       {Value(std::shared_ptr<NSObject>()), false},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(value.boolValue(), expected) << value.description();
}

TEST(ValueTest, NumbersCompareByValueWhateverTheirKind) {
    struct Case { Value left, right; bool equal; };
    const Case cases[] = {
        {Value(60), Value(60.0), true},   {Value(60.0), Value(60), true},  {Value(-3), Value(-3.0), true},
        {Value(60), Value(60.5), false},  {Value(0.5), Value(0.5), true},  {Value("60"), Value(60), false},
        {Value(true), Value(1.0), false}, {Value(0), Value(std::nan("")), false},
        {Value(std::nan("")), Value(std::nan("")), false},
        {Value(std::int64_t{9007199254740993}), Value(9007199254740992.0), false},
        {Value(std::uint64_t{1} << 63), Value(9223372036854775808.0), true},
        {Value(std::int64_t{1} << 62), Value(4611686018427387904.0), true},
        {Value(std::int64_t{INT64_MAX}), Value(9223372036854775808.0), false},
        {Value::array({1, 2.0}), Value::array({1.0, 2}), true},
    };
    for (const auto& [left, right, equal] : cases) {
        EXPECT_EQ(left == right, equal) << left.description() << " and " << right.description();
    }
}

TEST(ValueTest, FiniteConversionsRefuseWhatWouldBecomeInfinite) {
    struct Case { Value value; std::optional<double> asDouble; std::optional<float> asFloat; };
    const Case cases[] = {
        {Value(1e39), 1e39, std::nullopt},   {Value(-1e39), -1e39, std::nullopt},  {Value(3.4e38), 3.4e38, 3.4e38f},
        {Value(60), 60.0, 60.0f},            {Value("2.5"), 2.5, 2.5f},            {Value(true), 1.0, 1.0f},
        {Value("1e999"), std::nullopt, std::nullopt},  {Value(HUGE_VAL), std::nullopt, std::nullopt},
        {Value(std::nan("")), std::nullopt, std::nullopt},  {Value(), std::nullopt, std::nullopt},
        {Value::array(), std::nullopt, std::nullopt},
    };
    for (const auto& [value, asDouble, asFloat] : cases) {
        EXPECT_EQ(value.finiteDoubleValue(), asDouble) << value.description();
        EXPECT_EQ(value.finiteFloatValue(), asFloat) << value.description();
    }
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
