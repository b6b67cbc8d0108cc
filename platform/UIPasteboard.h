#pragma once

#include "platform/NSObject.h"

#include <cstdint>
#include <memory>
#include <string>

// The system pasteboard: what Copy put there last. The change count goes up
// with every write, so an onlooker (the browser drawing the phone) can tell a
// new copy from the one it has already seen. Main thread only.
class UIPasteboard : public NSObject {
public:
    OBJC_CLASS_NAME(UIPasteboard)

    static std::shared_ptr<UIPasteboard> generalPasteboard();

    const std::string& string() const { return _string; }
    void setString(std::string text);
    std::int64_t changeCount() const { return _changeCount; }

private:
    std::string _string;
    std::int64_t _changeCount = 0;
};
