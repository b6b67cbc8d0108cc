#pragma once

#include "platform/UIImageView.h"
#include "platform/UILabel.h"
#include "platform/UIView.h"

#include <string>

class UITableView;

enum class UITableViewCellStyle { Default = 0, Value1 = 1, Value2 = 2, Subtitle = 3 };
enum class UITableViewCellSelectionStyle { None = 0, Blue = 1, Gray = 2, Default = 3 };
enum class UITableViewCellAccessoryType { None = 0, DisclosureIndicator = 1, DetailDisclosureButton = 2, Checkmark = 3 };

// One row of a table: a content view with an image, a title and a detail
// label laid out by the cell's style, and an accessory at the trailing end.
class UITableViewCell : public UIView {
public:
    OBJC_CLASS_NAME(UITableViewCell)
    const char* viewKind() const override { return "cell"; }
    // A row that acts by itself when tapped is a button; a ticked row is selected.
    UIAccessibilityTraits accessibilityTraits() const override;
    bool isAccessibilityElement() const override { return true; }

    static constexpr CGFloat kMargin = 15;

    std::shared_ptr<UITableViewCell> initWithStyle_reuseIdentifier(UITableViewCellStyle style,
                                                                   const std::string& reuseIdentifier);

    UITableViewCellStyle style() const { return _style; }
    const std::string& reuseIdentifier() const { return _reuseIdentifier; }

    const std::shared_ptr<UIView>& contentView() const { return _contentView; }
    const std::shared_ptr<UILabel>& textLabel() const { return _textLabel; }
    // nullptr for the default style, which has no detail label.
    const std::shared_ptr<UILabel>& detailTextLabel() const { return _detailTextLabel; }
    const std::shared_ptr<UIImageView>& imageView() const { return _imageView; }

    const std::shared_ptr<UIView>& accessoryView() const { return _accessoryView; }
    void setAccessoryView(std::shared_ptr<UIView> view);
    UITableViewCellAccessoryType accessoryType() const { return _accessoryType; }
    void setAccessoryType(UITableViewCellAccessoryType type);

    UITableViewCellSelectionStyle selectionStyle() const { return _selectionStyle; }
    void setSelectionStyle(UITableViewCellSelectionStyle style) { _selectionStyle = style; }
    bool isSelected() const { return _selected; }
    void setSelected_animated(bool selected, bool animated);

    // Called by the table when the cell goes back to its reuse queue.
    virtual void prepareForReuse() { _selected = false; }

    void layoutSubviews() override;
    bool handleTap(CGPoint point) override;

private:
    void layoutLabels(CGFloat left, CGFloat right);
    double shareOfTitle(CGFloat height) const;

    UITableViewCellStyle _style = UITableViewCellStyle::Default;
    std::string _reuseIdentifier;
    std::shared_ptr<UIView> _contentView;
    std::shared_ptr<UILabel> _textLabel;
    std::shared_ptr<UILabel> _detailTextLabel;
    std::shared_ptr<UIImageView> _imageView;
    std::shared_ptr<UIView> _accessoryView;
    std::shared_ptr<UIView> _accessoryTypeView;
    UITableViewCellAccessoryType _accessoryType = UITableViewCellAccessoryType::None;
    UITableViewCellSelectionStyle _selectionStyle = UITableViewCellSelectionStyle::Default;
    bool _selected = false;
};
