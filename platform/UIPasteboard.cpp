#include "platform/UIPasteboard.h"

std::shared_ptr<UIPasteboard> UIPasteboard::generalPasteboard() {
    static const auto general = alloc<UIPasteboard>();
    return general;
}

void UIPasteboard::setString(std::string text) {
    _string = std::move(text);
    ++_changeCount;
}
