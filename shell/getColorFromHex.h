#pragma once

#include "platform/UIColor.h"

#include <memory>
#include <string>

// "#RRGGBB" to an opaque colour, read the way NSScanner's scanHexInt: reads
// from the second character on: the first character is skipped whatever it
// is, then white space and an optional "0x"; the hexadecimal digits that
// follow (either case) make the value, whose low 24 bits are red, green and
// blue. Nothing readable gives black; more digits than 32 bits hold saturate
// to 0xFFFFFFFF, as the scanner does, and so give white.
std::shared_ptr<UIColor> getColorFromHex(const std::string& hexString);
