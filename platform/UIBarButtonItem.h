#pragma once

#include "platform/NSObject.h"
#include "platform/Selector.h"

#include <optional>
#include <string>

enum class UIBarButtonItemStyle { Plain = 0, Bordered = 1, Done = 2 };

enum class UIBarButtonSystemItem {
    Done = 0, Cancel = 1, Edit = 2, Save = 3, Add = 4, FlexibleSpace = 5, FixedSpace = 6, Compose = 7,
    Reply = 8, Action = 9, Organize = 10, Bookmarks = 11, Search = 12, Refresh = 13, Stop = 14, Camera = 15,
    Trash = 16, Play = 17, Pause = 18, Rewind = 19, FastForward = 20, Undo = 21, Redo = 22
};

// A button of a navigation bar: a title, or one of the system's items drawn
// as a symbol. The target is weak.
class UIBarButtonItem : public NSObject {
public:
    OBJC_CLASS_NAME(UIBarButtonItem)

    std::shared_ptr<UIBarButtonItem> initWithTitle_style_target_action(const std::string& title, UIBarButtonItemStyle style,
                                                                       const std::shared_ptr<NSObject>& target,
                                                                       Selector action);
    std::shared_ptr<UIBarButtonItem> initWithBarButtonSystemItem_target_action(UIBarButtonSystemItem systemItem,
                                                                               const std::shared_ptr<NSObject>& target,
                                                                               Selector action);

    const std::string& title() const { return _title; }
    UIBarButtonItemStyle style() const { return _style; }
    std::optional<UIBarButtonSystemItem> systemItem() const { return _systemItem; }
    // The words a system item is read as ("Share", "Trash"); its title for a
    // system item drawn as text ("Done", "Cancel").
    std::string accessibilityLabel() const;
    bool isSymbol() const;
    std::shared_ptr<NSObject> target() const { return _targetAction.target.lock(); }
    const Selector& action() const { return _targetAction.action; }

    // What a tap on the item does: the action, sent with the item as sender.
    void sendAction();

private:
    std::string _title;
    UIBarButtonItemStyle _style = UIBarButtonItemStyle::Plain;
    std::optional<UIBarButtonSystemItem> _systemItem;
    TargetAction _targetAction;
};
