#pragma once

#include "platform/Value.h"

#include <string>

inline const std::string PLFilterKey = "pl_filter";
inline const std::string PLFilterCoreFoundationVersionKey = "CoreFoundationVersion";
inline const std::string PSRequiredCapabilitiesKey = "requiredCapabilities";

// Whether an entry of PreferenceLoader or an item of a page is meant for the
// simulated phone, as PreferenceLoader and Preferences decide before they
// show it:
// - `pl_filter` = { CoreFoundationVersion = (min) or (min, max) }: the
//   system's kCFCoreFoundationVersionNumber must be at least min and below
//   max. Bounds may be numbers or numeric text (the old text form has no
//   numbers). A filter of another shape filters nothing.
// - `requiredCapabilities`: an array of capability names the phone must all
//   have, or a dictionary of names to booleans (true: must have, false: must
//   not have), as UIRequiredDeviceCapabilities is written.
class PLFilter {
public:
    static bool environmentPasses(const Value& filter);
    static bool capabilitiesPass(const Value& requiredCapabilities);
    // Both keys of an entry or an item; a missing key passes.
    static bool itemPasses(const ValueDictionary& item);
};
