#pragma once

#include <functional>
#include <mutex>

// libdispatch's once-only guard: the block runs once per token, even when
// several threads arrive together.
using dispatch_once_t = std::once_flag;

inline void dispatch_once(dispatch_once_t& token, const std::function<void()>& block) {
    std::call_once(token, block);
}
