#pragma once

#include "host/PSListController.h"
#include "shell/VimblePageAppearance.h"

// The second-level settings page, reached from the root page's "Configure"
// row: the way to the emoji selection page, the "Set Default Skin Tone"
// switch, and the skin-tone picker as the footer of the last group.
//
// The switch lives only in the settings file under "Skintone"; the page keeps
// no copy. The picker keeps its own file, so the two never meet.
class VimbleConfigureController : public VimblePageAppearance<PSListController> {
public:
    OBJC_CLASS_NAME(VimbleConfigureController)

    static constexpr const char* kSkintoneKey = "Skintone";
    static constexpr const char* kSkintoneChangedNotification = "com.korvent.vimble.skintoneChanged";

    // Built on the host's first request and kept for the page's life.
    std::shared_ptr<const SpecifierList> specifiers() override;
    // The stored "Skintone", else the row's default. The key is fixed: the
    // row's "key" property is for the host, not for this getter.
    Value readPreferenceValue(const std::shared_ptr<PSSpecifier>& specifier) override;
    // Stores the new value under "Skintone" as it comes, keeping every other key.
    void setPreferenceValue_specifier(const Value& value, const std::shared_ptr<PSSpecifier>& specifier) override;


private:
    std::shared_ptr<PSSpecifier> makeSelectEmojiRow();
    std::shared_ptr<PSSpecifier> makeSkintoneSwitchRow();
};
