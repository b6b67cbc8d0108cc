#pragma once

#include "platform/NSObject.h"
#include "platform/Selector.h"

#include <functional>

// A target whose action runs a function: lets platform views that build
// their own buttons hand them plain functions. Controls hold targets weakly,
// so whoever makes the button keeps the BlockTarget alive.
class BlockTarget : public NSObject {
public:
    OBJC_CLASS_NAME(BlockTarget)

    explicit BlockTarget(std::function<void()> block) : _block(std::move(block)) {}
    void run() {
        if (_block) _block();
    }
    static Selector action() { return Selector::of<&BlockTarget::run>("run"); }

private:
    std::function<void()> _block;
};
