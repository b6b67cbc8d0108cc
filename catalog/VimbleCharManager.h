#pragma once

#include "platform/NSObject.h"
#include "platform/Value.h"

#include <memory>
#include <string>
#include <vector>

// The process-wide emoji catalog: the fixed emoji lists of the selection page,
// the skin-tone variants of the emoji that take a tone, and the user's
// favourites as last read from the favourites file.
//
// An emoji is an exact string: variation selectors, joiners and skin-tone
// modifiers belong to it, because these strings are what the favourites file
// stores and is compared against.
class VimbleCharManager : public NSObject {
public:
    OBJC_CLASS_NAME(VimbleCharManager)

    // Made on the first call, once even when callers race, and never released.
    static std::shared_ptr<VimbleCharManager> sharedInstance();

    // Loads the favourites.
    std::shared_ptr<VimbleCharManager> init();

    // The favourites, oldest first. Everybody gets the same array and edits it
    // in place; only getEmoji and setEmoji put another one in its place, so a
    // caller that kept the old array holds a stale copy.
    std::shared_ptr<ValueArray> emoji() const { return _emoji; }
    void setEmoji(std::shared_ptr<ValueArray> emoji) { _emoji = std::move(emoji); }

    // Replaces the favourites with a new array read from the favourites file;
    // a missing, unreadable or non-array file gives a new empty array. The
    // elements are taken as the file holds them.
    void getEmoji();

    // Emoji that take a skin tone, plain and in each of the five tones. Element
    // i of a toned list is element i of yellowVariant with its presentation
    // selector dropped and the tone's modifier appended.
    std::vector<std::string> yellowVariant() const;
    std::vector<std::string> paleVariant() const;
    std::vector<std::string> creamWhiteVariant() const;
    std::vector<std::string> moderateBrownVariant() const;
    std::vector<std::string> darkBrownVariant() const;
    std::vector<std::string> blackVariant() const;

    // The selection page's sections, in display order. Every call returns a new
    // list; nothing is cached.
    std::vector<std::string> peopleEmoji() const;
    std::vector<std::string> natureEmoji() const;
    std::vector<std::string> foodAndDrinkEmoji() const;
    std::vector<std::string> activityEmoji() const;
    std::vector<std::string> travelAndPlacesEmoji() const;
    std::vector<std::string> objectsEmoji() const;
    std::vector<std::string> symbolsEmoji() const;
    std::vector<std::string> flagsEmoji() const;

private:
    std::shared_ptr<ValueArray> _emoji;
};
