#include "platform/UIAlertAction.h"

std::shared_ptr<UIAlertAction> UIAlertAction::actionWithTitle_style_handler(const std::string& title,
                                                                            UIAlertActionStyle style, Handler handler) {
    auto action = alloc<UIAlertAction>();
    action->_title = title;
    action->_style = style;
    action->_handler = std::move(handler);
    return action;
}
