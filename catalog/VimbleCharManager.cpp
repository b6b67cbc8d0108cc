#include "catalog/VimbleCharManager.h"

#include "platform/DispatchOnce.h"
#include "platform/NSPathUtilities.h"
#include "platform/PropertyList.h"
#include "shell/VimbleFiles.h"

namespace {

// Every list below is one text with its elements separated by single spaces;
// the accessors split it afresh on each call. Invisible code points are
// written as escapes so that a reader sees where they stand: U+FE0F asks for
// emoji presentation, U+200D joins a sequence, U+20E3 closes a keycap.
constexpr const char* kElementSeparator = " ";

constexpr const char* kYellowVariant =
    "👦 👧 👨 👩 👮 👰 👱 👲 👳 👴 👵 👶 👷 👸 💂 👼 "
    "🎅 🙇 💁 🙅 🙆 🙋 🙎 🙍 💆 💇 💅 👂 👃 👋 👍 👎 "
    "☝\uFE0F 👆 👇 👈 👉 👌 ✌\uFE0F 👊 ✊ ✋ 💪 👐 🙌 👏 🙏 🖕 "
    "🤘 🖖 ✍\uFE0F 🖐 🚶 🏃 💃 🕵 🚣 🛀 🏄 🏊 ⛹ 🏋 🚴 🚵";

constexpr const char* kPaleVariant =
    "👦🏻 👧🏻 👨🏻 👩🏻 👮🏻 👰🏻 👱🏻 👲🏻 👳🏻 👴🏻 👵🏻 👶🏻 👷🏻 👸🏻 💂🏻 👼🏻 "
    "🎅🏻 🙇🏻 💁🏻 🙅🏻 🙆🏻 🙋🏻 🙎🏻 🙍🏻 💆🏻 💇🏻 💅🏻 👂🏻 👃🏻 👋🏻 👍🏻 👎🏻 "
    "☝🏻 👆🏻 👇🏻 👈🏻 👉🏻 👌🏻 ✌🏻 👊🏻 ✊🏻 ✋🏻 💪🏻 👐🏻 🙌🏻 👏🏻 🙏🏻 🖕🏻 "
    "🤘🏻 🖖🏻 ✍🏻 🖐🏻 🚶🏻 🏃🏻 💃🏻 🕵🏻 🚣🏻 🛀🏻 🏄🏻 🏊🏻 ⛹🏻 🏋🏻 🚴🏻 🚵🏻";

constexpr const char* kCreamWhiteVariant =
    "👦🏼 👧🏼 👨🏼 👩🏼 👮🏼 👰🏼 👱🏼 👲🏼 👳🏼 👴🏼 👵🏼 👶🏼 👷🏼 👸🏼 💂🏼 👼🏼 "
    "🎅🏼 🙇🏼 💁🏼 🙅🏼 🙆🏼 🙋🏼 🙎🏼 🙍🏼 💆🏼 💇🏼 💅🏼 👂🏼 👃🏼 👋🏼 👍🏼 👎🏼 "
    "☝🏼 👆🏼 👇🏼 👈🏼 👉🏼 👌🏼 ✌🏼 👊🏼 ✊🏼 ✋🏼 💪🏼 👐🏼 🙌🏼 👏🏼 🙏🏼 🖕🏼 "
    "🤘🏼 🖖🏼 ✍🏼 🖐🏼 🚶🏼 🏃🏼 💃🏼 🕵🏼 🚣🏼 🛀🏼 🏄🏼 🏊🏼 ⛹🏼 🏋🏼 🚴🏼 🚵🏼";

constexpr const char* kModerateBrownVariant =
    "👦🏽 👧🏽 👨🏽 👩🏽 👮🏽 👰🏽 👱🏽 👲🏽 👳🏽 👴🏽 👵🏽 👶🏽 👷🏽 👸🏽 💂🏽 👼🏽 "
    "🎅🏽 🙇🏽 💁🏽 🙅🏽 🙆🏽 🙋🏽 🙎🏽 🙍🏽 💆🏽 💇🏽 💅🏽 👂🏽 👃🏽 👋🏽 👍🏽 👎🏽 "
    "☝🏽 👆🏽 👇🏽 👈🏽 👉🏽 👌🏽 ✌🏽 👊🏽 ✊🏽 ✋🏽 💪🏽 👐🏽 🙌🏽 👏🏽 🙏🏽 🖕🏽 "
    "🤘🏽 🖖🏽 ✍🏽 🖐🏽 🚶🏽 🏃🏽 💃🏽 🕵🏽 🚣🏽 🛀🏽 🏄🏽 🏊🏽 ⛹🏽 🏋🏽 🚴🏽 🚵🏽";

constexpr const char* kDarkBrownVariant =
    "👦🏾 👧🏾 👨🏾 👩🏾 👮🏾 👰🏾 👱🏾 👲🏾 👳🏾 👴🏾 👵🏾 👶🏾 👷🏾 👸🏾 💂🏾 👼🏾 "
    "🎅🏾 🙇🏾 💁🏾 🙅🏾 🙆🏾 🙋🏾 🙎🏾 🙍🏾 💆🏾 💇🏾 💅🏾 👂🏾 👃🏾 👋🏾 👍🏾 👎🏾 "
    "☝🏾 👆🏾 👇🏾 👈🏾 👉🏾 👌🏾 ✌🏾 👊🏾 ✊🏾 ✋🏾 💪🏾 👐🏾 🙌🏾 👏🏾 🙏🏾 🖕🏾 "
    "🤘🏾 🖖🏾 ✍🏾 🖐🏾 🚶🏾 🏃🏾 💃🏾 🕵🏾 🚣🏾 🛀🏾 🏄🏾 🏊🏾 ⛹🏾 🏋🏾 🚴🏾 🚵🏾";

constexpr const char* kBlackVariant =
    "👦🏿 👧🏿 👨🏿 👩🏿 👮🏿 👰🏿 👱🏿 👲🏿 👳🏿 👴🏿 👵🏿 👶🏿 👷🏿 👸🏿 💂🏿 👼🏿 "
    "🎅🏿 🙇🏿 💁🏿 🙅🏿 🙆🏿 🙋🏿 🙎🏿 🙍🏿 💆🏿 💇🏿 💅🏿 👂🏿 👃🏿 👋🏿 👍🏿 👎🏿 "
    "☝🏿 👆🏿 👇🏿 👈🏿 👉🏿 👌🏿 ✌🏿 👊🏿 ✊🏿 ✋🏿 💪🏿 👐🏿 🙌🏿 👏🏿 🙏🏿 🖕🏿 "
    "🤘🏿 🖖🏿 ✍🏿 🖐🏿 🚶🏿 🏃🏿 💃🏿 🕵🏿 🚣🏿 🛀🏿 🏄🏿 🏊🏿 ⛹🏿 🏋🏿 🚴🏿 🚵🏿";

constexpr const char* kPeopleEmoji =
    "😀 😬 😁 😂 😃 😄 😅 😆 😇 😉 😊 🙂 🙃 ☺\uFE0F 😋 😌 "
    "😍 😘 😗 😙 😚 😜 😝 😛 🤑 🤓 😎 🤗 😏 😶 😐 😑 "
    "😒 🙄 🤔 😳 😞 😟 😠 😡 😔 😕 🙁 ☹\uFE0F 😣 😖 😫 😩 "
    "😤 😮 😱 😨 😰 😯 😦 😧 😢 😥 😪 😓 😭 😵 😲 🤐 "
    "😷 🤒 🤕 😴 💤 💩 😈 👿 👹 👺 💀 👻 👽 🤖 😺 😸 "
    "😹 😻 😼 😽 🙀 😿 😾 🙌 👏 👋 👍 👊 ✊ ✌\uFE0F 👌 ✋ "
    "💪 🙏 ☝\uFE0F 👆 👇 👈 👉 🖕 🤘 🖖 ✍\uFE0F 💅 👄 👅 👂 👃 "
    "👁 👀 👤 🗣 👶 👦 👧 👨 👩 👱 👴 👵 👲 👳 👮 👷 "
    "💂 🕵 🎅 👼 👸 👰 🚶 🏃 💃 👯 👫 👬 👭 🙇 💁 🙅 "
    "🙆 🙋 🙎 🙍 💇 💆 💑 👩\u200D❤\uFE0F\u200D👩 👨\u200D❤\uFE0F\u200D👨 💏 👩\u200D❤\uFE0F\u200D💋\u200D👩 👨\u200D❤\uFE0F\u200D💋\u200D👨 👪 👨\u200D👩\u200D👧 👨\u200D👩\u200D👧\u200D👦 👨\u200D👩\u200D👦\u200D👦 "
    "👨\u200D👩\u200D👧\u200D👧 👩\u200D👩\u200D👦 👩\u200D👩\u200D👧 👩\u200D👩\u200D👧\u200D👦 👩\u200D👩\u200D👦\u200D👦 👩\u200D👩\u200D👧\u200D👧 👨\u200D👨\u200D👦 👨\u200D👨\u200D👧 👨\u200D👨\u200D👧\u200D👦 👨\u200D👨\u200D👦\u200D👦 👨\u200D👨\u200D👧\u200D👧 👚 👕 👖 👔 👗 "
    "👙 👘 💄 💋 👣 👠 👡 👢 👞 👟 👒 🎩 ⛑ 🎓 👑 🎒 "
    "👝 👛 👜 💼 👓 🕶 💍 🌂";

constexpr const char* kNatureEmoji =
    "🐶 🐱 🐭 🐹 🐰 🐻 🐼 🐨 🐯 🦁 🐮 🐷 🐽 🐸 🐙 🐵 "
    "🙈 🙉 🙊 🐒 🐔 🐧 🐦 🐤 🐣 🐥 🐺 🐗 🐴 🦄 🐝 🐛 "
    "🐌 🐞 🐜 🕷 🦂 🦀 🐍 🐢 🐠 🐟 🐡 🐬 🐳 🐋 🐊 🐆 "
    "🐅 🐃 🐂 🐄 🐪 🐫 🐘 🐐 🐏 🐑 🐎 🐖 🐀 🐁 🐓 🦃 "
    "🕊 🐕 🐩 🐈 🐇 🐿 🐾 🐉 🐲 🌵 🎄 🌲 🌳 🌴 🌱 🌿 "
    "☘ 🍀 🎍 🎋 🍃 🍂 🍁 🌾 🌺 🌻 🌹 🌷 🌼 🌸 💐 🍄 "
    "🌰 🎃 🐚 🕸 🌎 🌍 🌏 🌕 🌖 🌗 🌘 🌑 🌒 🌓 🌔 🌚 "
    "🌝 🌛 🌜 🌞 🌙 ⭐\uFE0F 🌟 💫 ✨ ☄ ☀\uFE0F 🌤 ⛅\uFE0F 🌥 🌦 ☁\uFE0F "
    "🌧 ⛈ 🌩 ⚡\uFE0F 🔥 💥 ❄\uFE0F 🌨 🔥 💥 ❄\uFE0F 🌨 ☃\uFE0F ⛄\uFE0F 🌬 💨 "
    "🌪 🌫 ☂\uFE0F ☔\uFE0F 💧 💦 🌊";

constexpr const char* kFoodAndDrinkEmoji =
    "🍏 🍎 🍐 🍊 🍋 🍌 🍉 🍇 🍓 🍈 🍒 🍑 🍍 🍅 🍆 🌶 "
    "🌽 🍠 🍯 🍞 🧀 🍗 🍖 🍤 🍳 🍔 🍟 🌭 🍕 🍝 🌮 🌯 "
    "🍜 🍲 🍥 🍣 🍱 🍛 🍙 🍚 🍘 🍢 🍡 🍧 🍨 🍦 🍰 🎂 "
    "🍮 🍬 🍭 🍫 🍿 🍩 🍪 🍺 🍻 🍷 🍸 🍹 🍾 🍶 🍵 ☕\uFE0F "
    "🍼 🍴 🍽";

constexpr const char* kActivityEmoji =
    "⚽\uFE0F 🏀 🏈 ⚾\uFE0F 🎾 🏐 🏉 🎱 ⛳\uFE0F 🏌 🏓 🏸 🏒 🏑 🏏 🎿 "
    "⛷ 🏂 ⛸ 🏹 🎣 🚣 🏊 🏄 🛀 ⛹ 🏋 🚴 🚵 🏇 🕴 🏆 "
    "🎽 🏅 🎖 🎗 🏵 🎫 🎟 🎭 🎨 🎪 🎤 🎧 🎼 🎹 🎷 🎺 "
    "🎸 🎻 🎬 🎮 👾 🎯 🎲 🎰 🎳";

constexpr const char* kTravelAndPlacesEmoji =
    "🚗 🚕 🚙 🚌 🚎 🏎 🚓 🚑 🚒 🚐 🚚 🚛 🚜 🏍 🚲 🚨 "
    "🚔 🚍 🚘 🚖 🚡 🚠 🚟 🚃 🚋 🚝 🚄 🚅 🚈 🚞 🚂 🚆 "
    "🚇 🚊 🚉 🚁 🛩 ✈\uFE0F 🛫 🛬 ⛵\uFE0F 🛥 🚤 ⛴ 🛳 🚀 🛰 💺 "
    "⚓\uFE0F 🚧 ⛽\uFE0F 🚏 🚦 🚥 🏁 🚢 🎡 🎢 🎠 🏗 🌁 🗼 🏭 ⛲\uFE0F "
    "🎑 ⛰ 🏔 🗻 🌋 🗾 🏕 ⛺\uFE0F 🏞 🛣 🛤 🌅 🌄 🏜 🏖 🏝 "
    "🌇 🌆 🏙 🌃 🌉 🌌 🌠 🎇 🎆 🌈 🏘 🏰 🏯 🏟 🗽 🏠 "
    "🏡 🏚 🏢 🏬 🏣 🏤 🏥 🏦 🏨 🏪 🏫 🏩 💒 🏛 ⛪\uFE0F 🕌 "
    "🕍 🕋 ⛩";

constexpr const char* kObjectsEmoji =
    "⌚\uFE0F 📱 📲 💻 ⌨ 🖥 🖨 🖱 🖲 🕹 🗜 💽 💾 💿 📀 📼 "
    "📷 📸 📹 🎥 📽 🎞 📞 ☎\uFE0F 📟 📠 📺 📻 🎙 🎚 🎛 ⏱ "
    "⏲ ⏰ 🕰 ⏳ ⌛\uFE0F 📡 🔋 🔌 💡 🔦 🕯 🗑 🛢 💸 💵 💴 "
    "💶 💷 💰 💳 💎 ⚖ 🔧 🔨 ⚒ 🛠 ⛏ 🔩 ⚙ ⛓ 🔫 💣 "
    "🔪 🗡 ⚔ 🛡 🚬 ☠ ⚰ ⚱ 🏺 🔮 📿 💈 ⚗ 🔭 🔬 🕳 "
    "💊 💉 🌡 🏷 🔖 🚽 🚿 🛁 🔑 🗝 🛋 🛌 🛏 🚪 🛎 🖼 "
    "🗺 ⛱ 🗿 🛍 🎈 🎏 🎀 🎁 🎊 🎉 🎎 🎐 🎌 🏮 ✉\uFE0F 📩 "
    "📨 📧 💌 📮 📪 📫 📬 📭 📦 📯 📥 📤 📜 📃 📑 📊 "
    "📈 📉 📄 📅 📆 🗓 📇 🗃 🗳 🗄 📋 🗒 📁 📂 🗂 🗞 "
    "📰 📓 📕 📗 📘 📙 📔 📒 📚 📖 🔗 📎 🖇 ✂\uFE0F 📐 📏 "
    "📌 📍 🚩 🏳 🏴 🔐 🔒 🔓 🔏 🖊 🖊 🖋 ✒\uFE0F 📝 ✏\uFE0F 🖍 "
    "🖌 🔍 🔎";

constexpr const char* kSymbolsEmoji =
    "❤\uFE0F 💛 💙 💜 💔 ❣\uFE0F 💕 💞 💓 💗 💖 💘 💝 💟 ☮ ✝\uFE0F "
    "☪ 🕉 ☸ ✡\uFE0F 🔯 🕎 ☯\uFE0F ☦ 🛐 ⛎ ♈\uFE0F ♉\uFE0F ♊\uFE0F ♋\uFE0F ♌\uFE0F ♍\uFE0F "
    "♎\uFE0F ♏\uFE0F ♐\uFE0F ♑\uFE0F ♒\uFE0F ♓\uFE0F 🆔 ⚛ 🈳 🈹 ☢ ☣ 📴 📳 🈶 🈚\uFE0F "
    "🈸 🈺 🈷\uFE0F ✴\uFE0F 🆚 🉑 💮 🉐 ㊙\uFE0F ㊗\uFE0F 🈴 🈵 🈲 🅰\uFE0F 🅱\uFE0F 🆎 "
    "🆑 🅾\uFE0F 🆘 ⛔\uFE0F 📛 🚫 ❌ ⭕\uFE0F 💢 ♨\uFE0F 🚷 🚯 🚳 🚱 🔞 📵 "
    "❗\uFE0F ❕ ❓ ❔ ‼\uFE0F ⁉\uFE0F 💯 🔅 🔆 🔱 ⚜ 〽\uFE0F ⚠\uFE0F 🚸 🔰 ♻\uFE0F "
    "🈯\uFE0F 💹 ❇\uFE0F ✳\uFE0F ❎ ✅ 💠 🌀 ➿ 🌐 Ⓜ\uFE0F 🏧 🈂\uFE0F 🛂 🛃 🛄 "
    "🛅 ♿\uFE0F 🚭 🚾 🅿\uFE0F 🚰 🚹 🚺 🚼 🚻 🚮 🎦 📶 🈁 🆖 🆗 "
    "🆙 🆒 🆕 🆓 0\uFE0F\u20E3 1\uFE0F\u20E3 2\uFE0F\u20E3 3\uFE0F\u20E3 4\uFE0F\u20E3 5\uFE0F\u20E3 6\uFE0F\u20E3 7\uFE0F\u20E3 8\uFE0F\u20E3 9\uFE0F\u20E3 🔟 🔢 "
    "▶\uFE0F ⏸ ⏯ ⏹ ⏺ ⏭ ⏮ ⏩ ⏪ 🔀 🔁 🔂 ◀\uFE0F 🔼 🔽 ⏫ "
    "⏬ ➡\uFE0F ⬅\uFE0F ⬆\uFE0F ⬇\uFE0F ↗\uFE0F ↘\uFE0F ↙\uFE0F ↖\uFE0F ↕\uFE0F ↔\uFE0F 🔄 ↪\uFE0F ↩\uFE0F ⤴\uFE0F ⤵\uFE0F "
    "#\uFE0F\u20E3 *\uFE0F\u20E3 ℹ\uFE0F 🔤 🔡 🔠 🔣 🎵 🎶 〰\uFE0F ➰ ✔\uFE0F 🔃 ➕ ➖ ➗ "
    "✖\uFE0F 💲 💱 ©\uFE0F ®\uFE0F ™\uFE0F 🔚 🔙 🔛 🔝 🔜 ☑\uFE0F 🔘 ⚪\uFE0F ⚫\uFE0F 🔴 "
    "🔵 🔸 🔹 🔶 🔷 🔺 ▪\uFE0F ▫\uFE0F ⬛\uFE0F ⬜\uFE0F 🔻 ◼\uFE0F ◻\uFE0F ◾\uFE0F ◽\uFE0F 🔲 "
    "🔳 🔈 🔉 🔊 🔇 📣 📢 🔔 🔕 🃏 🀄\uFE0F ♠\uFE0F ♣\uFE0F ♥\uFE0F ♦\uFE0F 🎴 "
    "👁\u200D🗨 💭 🗯 💬 🕐 🕑 🕒 🕓 🕔 🕕 🕖 🕗 🕘 🕙 🕚 🕛 "
    "🕜 🕝 🕞 🕟 🕠 🕡 🕢 🕣 🕤 🕥 🕦 🕧";

constexpr const char* kFlagsEmoji =
    "🇦🇫 🇦🇽 🇦🇱 🇩🇿 🇦🇸 🇦🇩 🇦🇴 🇦🇮 🇦🇶 🇦🇬 🇦🇷 🇦🇲 🇦🇼 🇦🇺 🇦🇹 🇦🇿 "
    "🇧🇸 🇧🇭 🇧🇩 🇧🇧 🇧🇾 🇧🇪 🇧🇿 🇧🇯 🇧🇲 🇧🇹 🇧🇴 🇧🇶 🇧🇦 🇧🇼 🇧🇷 🇮🇴 "
    "🇻🇬 🇧🇳 🇧🇬 🇧🇫 🇧🇮 🇨🇻 🇰🇭 🇨🇲 🇨🇦 🇮🇨 🇰🇾 🇨🇫 🇹🇩 🇨🇱 🇨🇳 🇨🇽 "
    "🇨🇨 🇨🇴 🇰🇲 🇨🇬 🇨🇩 🇨🇰 🇨🇷 🇭🇷 🇨🇺 🇨🇼 🇨🇾 🇨🇿 🇩🇰 🇩🇯 🇩🇲 🇩🇴 "
    "🇪🇨 🇪🇬 🇸🇻 🇬🇶 🇪🇷 🇪🇪 🇪🇹 🇪🇺 🇫🇰 🇫🇴 🇫🇯 🇫🇮 🇫🇷 🇬🇫 🇵🇫 🇹🇫 "
    "🇬🇦 🇬🇲 🇬🇪 🇩🇪 🇬🇭 🇬🇮 🇬🇷 🇬🇱 🇬🇩 🇬🇵 🇬🇺 🇬🇹 🇬🇬 🇬🇳 🇬🇼 🇬🇾 "
    "🇭🇹 🇭🇳 🇭🇰 🇭🇺 🇮🇸 🇮🇳 🇮🇩 🇮🇷 🇮🇶 🇮🇪 🇮🇲 🇮🇱 🇮🇹 🇨🇮 🇯🇲 🇯🇵 "
    "🇯🇪 🇯🇴 🇰🇿 🇰🇪 🇰🇮 🇽🇰 🇰🇼 🇰🇬 🇱🇦 🇱🇻 🇱🇧 🇱🇸 🇱🇷 🇱🇾 🇱🇮 🇱🇹 "
    "🇱🇺 🇲🇴 🇲🇰 🇲🇬 🇲🇼 🇲🇾 🇲🇻 🇲🇱 🇲🇹 🇲🇭 🇲🇶 🇲🇷 🇲🇺 🇾🇹 🇲🇽 🇫🇲 "
    "🇲🇩 🇲🇨 🇲🇳 🇲🇪 🇲🇸 🇲🇦 🇲🇿 🇲🇲 🇳🇦 🇳🇷 🇳🇵 🇳🇱 🇳🇨 🇳🇿 🇳🇮 🇳🇪 "
    "🇳🇬 🇳🇺 🇳🇫 🇲🇵 🇰🇵 🇳🇴 🇴🇲 🇵🇰 🇵🇼 🇵🇸 🇵🇦 🇵🇬 🇵🇾 🇵🇪 🇵🇭 🇵🇳 "
    "🇵🇱 🇵🇹 🇵🇷 🇶🇦 🇷🇪 🇷🇴 🇷🇺 🇷🇼 🇧🇱 🇸🇭 🇰🇳 🇱🇨 🇵🇲 🇻🇨 🇼🇸 🇸🇲 "
    "🇸🇹 🇸🇦 🇸🇳 🇷🇸 🇸🇨 🇸🇱 🇸🇬 🇸🇽 🇸🇰 🇸🇮 🇸🇧 🇸🇴 🇿🇦 🇬🇸 🇰🇷 🇸🇸 "
    "🇪🇸 🇱🇰 🇸🇩 🇸🇷 🇸🇿 🇸🇪 🇨🇭 🇸🇾 🇹🇼 🇹🇯 🇹🇿 🇹🇭 🇹🇱 🇹🇬 🇹🇰 🇹🇴 "
    "🇹🇹 🇹🇳 🇹🇷 🇹🇲 🇹🇨 🇹🇻 🇺🇬 🇺🇦 🇦🇪 🇬🇧 🇺🇸 🇻🇮 🇺🇾 🇺🇿 🇻🇺 🇻🇦 "
    "🇻🇪 🇻🇳 🇼🇫 🇪🇭 🇾🇪 🇿🇲 🇿🇼";

std::vector<std::string> elementsOf(const char* list) { return componentsSeparatedByString(list, kElementSeparator); }

} // namespace

std::shared_ptr<VimbleCharManager> VimbleCharManager::sharedInstance() {
    static dispatch_once_t onceToken;
    static std::shared_ptr<VimbleCharManager> sharedManager;
    dispatch_once(onceToken, [] {
        auto manager = alloc<VimbleCharManager>();
        sharedManager = manager->init();
    });
    return sharedManager;
}

std::shared_ptr<VimbleCharManager> VimbleCharManager::init() {
    getEmoji();
    return self<VimbleCharManager>();
}

void VimbleCharManager::getEmoji() {
    _emoji = PropertyList::readArray(VimbleFiles::favoritesFilePath());
    if (!_emoji) _emoji = std::make_shared<ValueArray>();
}

std::vector<std::string> VimbleCharManager::yellowVariant() const { return elementsOf(kYellowVariant); }
std::vector<std::string> VimbleCharManager::paleVariant() const { return elementsOf(kPaleVariant); }
std::vector<std::string> VimbleCharManager::creamWhiteVariant() const { return elementsOf(kCreamWhiteVariant); }
std::vector<std::string> VimbleCharManager::moderateBrownVariant() const { return elementsOf(kModerateBrownVariant); }
std::vector<std::string> VimbleCharManager::darkBrownVariant() const { return elementsOf(kDarkBrownVariant); }
std::vector<std::string> VimbleCharManager::blackVariant() const { return elementsOf(kBlackVariant); }

std::vector<std::string> VimbleCharManager::peopleEmoji() const { return elementsOf(kPeopleEmoji); }
std::vector<std::string> VimbleCharManager::natureEmoji() const { return elementsOf(kNatureEmoji); }
std::vector<std::string> VimbleCharManager::foodAndDrinkEmoji() const { return elementsOf(kFoodAndDrinkEmoji); }
std::vector<std::string> VimbleCharManager::activityEmoji() const { return elementsOf(kActivityEmoji); }
std::vector<std::string> VimbleCharManager::travelAndPlacesEmoji() const { return elementsOf(kTravelAndPlacesEmoji); }
std::vector<std::string> VimbleCharManager::objectsEmoji() const { return elementsOf(kObjectsEmoji); }
std::vector<std::string> VimbleCharManager::symbolsEmoji() const { return elementsOf(kSymbolsEmoji); }
std::vector<std::string> VimbleCharManager::flagsEmoji() const { return elementsOf(kFlagsEmoji); }
