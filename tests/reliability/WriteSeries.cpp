#include "tests/reliability/WriteSeries.h"

#include <charconv>
#include <string>

namespace {

constexpr const char* kPrefix = "state ";
constexpr std::size_t kLengthCycle = 7;
constexpr std::size_t kEntriesPerStep = 600;
const std::string kEmoji[] = {"😀", "👨‍👩‍👧", "☝🏼", "🇫🇷", "#️⃣"};

} // namespace

Value WriteSeries::state(std::size_t index) {
    ValueArray entries{Value(kPrefix + std::to_string(index))};
    std::size_t length = (index % kLengthCycle) * kEntriesPerStep;
    for (std::size_t entry = 0; entry < length; ++entry) {
        entries.push_back(Value(kEmoji[(index + entry) % std::size(kEmoji)]));
    }
    return Value::array(std::move(entries));
}

std::optional<std::size_t> WriteSeries::indexOf(const Value& contents) {
    if (!contents.isArray() || contents.asArray()->empty()) return std::nullopt;
    const Value& name = contents.asArray()->front();
    if (!name.isString() || !name.asString().starts_with(kPrefix)) return std::nullopt;
    const std::string& text = name.asString();
    std::size_t index = 0;
    auto [end, error] = std::from_chars(text.data() + std::char_traits<char>::length(kPrefix), text.data() + text.size(), index);
    if (error != std::errc() || end != text.data() + text.size() || contents != state(index)) return std::nullopt;
    return index;
}
