#pragma once

#include <string>

// Words and addresses of the panel that more than one page shows.
namespace VimbleTexts {

inline constexpr const char* kRightsNotice = "\u00A9 2026 Korvent Labs. All rights reserved.";

inline constexpr const char* kPlea =
    "Support all creatives & stand againest piracy. These brilliant individuals put an immense amount of hard work "
    "into their craft. Buy official releases, say no to piracy";

// The plea and the rights notice: the footer of the root page and of the creators page.
inline const std::string kPleaFooter = std::string(kPlea) + "\n\n" + kRightsNotice;

inline constexpr const char* kSupportAddress = "support@korventlabs.com";
// The maker's site, on the same domain as the support address.
inline constexpr const char* kWebsite = "https://korventlabs.com";
inline constexpr const char* kHelpMailSubject = "Vimble Assistance";
inline constexpr const char* kShareText = "😊😛- #Vimble- Set Favorite Emojis by @KorventTeam";

} // namespace VimbleTexts
