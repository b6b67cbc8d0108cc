#pragma once

#include "platform/UILabel.h"
#include "platform/UIView.h"

// The view a table makes for a section's header or footer title.
class UITableViewHeaderFooterView : public UIView {
public:
    OBJC_CLASS_NAME(UITableViewHeaderFooterView)
    const char* viewKind() const override { return _kind == Kind::Header ? "header" : "footer"; }

    enum class Kind { Header, Footer };

    std::shared_ptr<UITableViewHeaderFooterView> initWithTitle(const std::string& title, Kind kind,
                                                               NSTextAlignment alignment = NSTextAlignment::Left);
    const std::shared_ptr<UILabel>& textLabel() const { return _textLabel; }

    void layoutSubviews() override;

private:
    Kind _kind = Kind::Header;
    std::shared_ptr<UILabel> _textLabel;
};
