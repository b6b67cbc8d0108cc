#pragma once

#include "platform/NSObject.h"

#include <memory>
#include <string>

// An address with a scheme ("tweetbot:", "https://...").
class NSURL : public NSObject {
public:
    OBJC_CLASS_NAME(NSURL)

    // nullptr when the text is no address: empty, without a scheme, or with
    // spaces or control characters, which an address cannot hold unescaped.
    static std::shared_ptr<NSURL> URLWithString(const std::string& text);

    const std::string& absoluteString() const { return _absoluteString; }
    // Lower case, without the colon.
    const std::string& scheme() const { return _scheme; }

private:
    std::string _absoluteString;
    std::string _scheme;
};
