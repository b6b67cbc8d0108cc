#pragma once

#include "platform/UILabel.h"
#include "platform/Value.h"

// Preferences keeps alignments as NSTextAlignment's numbers: 1 centre, 2 right;
// anything else is the natural alignment, which is left for the languages the
// phone shows here.
inline NSTextAlignment PSTextAlignmentFromValue(const Value& value) {
    switch (value.intValue()) {
    case 1:
        return NSTextAlignment::Center;
    case 2:
        return NSTextAlignment::Right;
    default:
        return NSTextAlignment::Left;
    }
}
