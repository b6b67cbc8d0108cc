#pragma once

#include "host/PSPlistLocalizer.h"
#include "host/PSSpecifier.h"
#include "platform/Result.h"

#include <string>

// The property of a row that holds the device path of its `icon` picture.
inline const std::string PSIconPathKey = "iconPath";

// Turns a page written as a property list into specifiers: a top-level
// `title` and `items`, each item a dictionary naming its `cell` kind (or a
// `cellClass`) and `label`; every other field of an item becomes a property of
// its row. The phone degrades one row at a time: an item it does not
// understand is a plain row with its label and a log line, an item that is no
// dictionary is left out with a log line, and an item whose `pl_filter` or
// `requiredCapabilities` the phone does not match is left out. Only a file
// whose `items` is no list is no page at all.
struct PSPlistPage {
    SpecifierList specifiers;
    std::string title;
};

class PSPlistSpecifiers {
public:
    // The rows hold `target` weakly; they have no getter or setter, so the
    // page that shows them reads and stores their values. Texts come through
    // `localizer`, pictures from its bundle. Fails when the file is no page.
    static Result<PSPlistPage> read(const ValueDictionary& plist, const std::shared_ptr<NSObject>& target,
                                    const PSPlistLocalizer& localizer = PSPlistLocalizer(nullptr, {}),
                                    const std::shared_ptr<NSBundle>& bundle = nullptr);

private:
    static std::shared_ptr<PSSpecifier> rowFor(const ValueDictionary& item, const std::shared_ptr<NSObject>& target);
    static void noteGroupViewClasses(const PSSpecifier& group);
    static void findIcon(PSSpecifier& row, const std::shared_ptr<NSBundle>& bundle);
};
