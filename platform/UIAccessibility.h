#pragma once

#include <cstdint>

// What assistive technology is told a view is and what state it is in, as
// UIKit's accessibilityTraits bits. Views set their own (a button is a
// button, a chosen segment is selected); an app adds what only it knows, as
// a page marking its chosen rows Selected.
using UIAccessibilityTraits = std::uint64_t;

inline constexpr UIAccessibilityTraits UIAccessibilityTraitNone = 0;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitButton = 1 << 0;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitLink = 1 << 1;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitImage = 1 << 2;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitSelected = 1 << 3;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitStaticText = 1 << 6;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitNotEnabled = 1 << 8;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitAdjustable = 1 << 12;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitHeader = 1 << 16;
// One of a set of choices the person turns on and off; Selected says which
// are on.
inline constexpr UIAccessibilityTraits UIAccessibilityTraitToggleButton = 1ull << 53;
