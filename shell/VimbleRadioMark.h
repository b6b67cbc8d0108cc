#pragma once

#include "platform/UIImageView.h"
#include "platform/UITableViewCell.h"

#include <memory>

// The radio mark at the trailing end of a choosable row, on the emoji
// selection page and in the skin-tone picker: a 25-point image view installed
// as the row cell's accessory view. Its tag is the only record of the row's
// state that a tap reads, so a mark is always made with picture and tag
// matching. The pictures are loaded from the bundle for every mark made.
class VimbleRadioMark {
public:
    enum class State { Inactive, Active };

    static constexpr long kActiveTag = 222;
    static constexpr long kInactiveTag = 111;
    static constexpr CGFloat kSide = 25;
    static constexpr const char* kActiveImageFormat = "%@Radio - Active.png";
    static constexpr const char* kInactiveImageFormat = "%@Radio - InActive.png";

    static long tagFor(State state) { return state == State::Active ? kActiveTag : kInactiveTag; }
    // A choosable row is a toggle for assistive technology, selected while chosen.
    static UIAccessibilityTraits rowTraitsFor(State state) {
        return UIAccessibilityTraitToggleButton | (state == State::Active ? UIAccessibilityTraitSelected : 0);
    }
    // The state's picture, read from its file; nullptr when the file is missing.
    static std::shared_ptr<UIImage> imageFor(State state);

    // A new image view of the state's picture, scaled to fit 25 by 25 points
    // at its own origin; untagged.
    static std::shared_ptr<UIImageView> makeView(State state);
    // A new mark made the cell's accessory view, then tagged, and the cell's
    // traits set to match; a nil cell takes nothing, as a message to nil would.
    static std::shared_ptr<UIImageView> install(const std::shared_ptr<UITableViewCell>& cell, State state);
    // Whether the cell's accessory carries the active tag.
    static bool isActive(const std::shared_ptr<UITableViewCell>& cell);
};
