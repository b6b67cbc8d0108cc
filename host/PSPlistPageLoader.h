#pragma once

#include "host/PSPlistSpecifiers.h"
#include "platform/NSBundle.h"

#include <memory>
#include <string>

// Finds a page's property list in its bundle and reads its rows, as
// loadSpecifiersFromPlistName:target: does. A failure is logged with its reason.
class PSPlistPageLoader {
public:
    // The rows and title of `<name>.plist` in `bundle`; no rows and an error
    // saying why when the bundle has no such readable file or the file is no page.
    static PSPlistSpecifiers::Result load(const std::shared_ptr<NSBundle>& bundle, const std::string& name,
                                          const std::shared_ptr<NSObject>& target);
};
