#pragma once

#include "platform/Value.h"

#include <cstddef>
#include <optional>

// A series of favourites lists that name their own place in the series and
// differ in length from one to the next (from one entry to a few thousand),
// so that a file holding a mix of two writes, or a cut-off one, is told from
// every state of the series.
class WriteSeries {
public:
    static Value state(std::size_t index);
    // The index a list names, when it is exactly that state of the series.
    static std::optional<std::size_t> indexOf(const Value& contents);
};
