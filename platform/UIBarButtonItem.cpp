#include "platform/UIBarButtonItem.h"

#include <array>

namespace {

// The names the system reads out for its items, by item number.
constexpr std::array<const char*, 23> kSystemItemNames{
    "Done", "Cancel", "Edit", "Save", "Add", "", "", "Compose", "Reply", "Share", "Organize", "Bookmarks",
    "Search", "Refresh", "Stop", "Camera", "Trash", "Play", "Pause", "Rewind", "Fast Forward", "Undo", "Redo"};

} // namespace

std::shared_ptr<UIBarButtonItem> UIBarButtonItem::initWithTitle_style_target_action(
    const std::string& title, UIBarButtonItemStyle style, const std::shared_ptr<NSObject>& target, Selector action) {
    _title = title;
    _style = style;
    _targetAction = TargetAction{target, std::move(action)};
    return self<UIBarButtonItem>();
}

std::shared_ptr<UIBarButtonItem> UIBarButtonItem::initWithBarButtonSystemItem_target_action(
    UIBarButtonSystemItem systemItem, const std::shared_ptr<NSObject>& target, Selector action) {
    _systemItem = systemItem;
    _targetAction = TargetAction{target, std::move(action)};
    if (!isSymbol()) _title = accessibilityLabel();
    return self<UIBarButtonItem>();
}

std::string UIBarButtonItem::accessibilityLabel() const {
    if (!_systemItem) return _title;
    auto index = static_cast<std::size_t>(*_systemItem);
    return index < kSystemItemNames.size() ? kSystemItemNames[index] : "";
}

bool UIBarButtonItem::isSymbol() const {
    if (!_systemItem) return false;
    auto item = *_systemItem;
    return item != UIBarButtonSystemItem::Done && item != UIBarButtonSystemItem::Cancel &&
           item != UIBarButtonSystemItem::Edit && item != UIBarButtonSystemItem::Save &&
           item != UIBarButtonSystemItem::Undo && item != UIBarButtonSystemItem::Redo;
}

void UIBarButtonItem::sendAction() { _targetAction.send(Value(self<UIBarButtonItem>())); }
