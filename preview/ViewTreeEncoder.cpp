#include "preview/ViewTreeEncoder.h"

#include "host/PSItemKind.h"
#include "host/PSTableCell.h"
#include "platform/UIImageView.h"
#include "platform/UIPasteboard.h"
#include "platform/UILabel.h"
#include "platform/UISegmentedControl.h"
#include "platform/UISlider.h"
#include "platform/UISwitch.h"
#include "platform/UITextField.h"
#include "platform/UITableView.h"
#include "platform/UIWindow.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

std::string identifierOf(const UIView& view) {
    char text[24];
    std::snprintf(text, sizeof text, "v%jx", static_cast<std::uintmax_t>(reinterpret_cast<std::uintptr_t>(&view)));
    return text;
}

nlohmann::json rectJson(const CGRect& rect) {
    return nlohmann::json::array({rect.origin.x, rect.origin.y, rect.size.width, rect.size.height});
}

nlohmann::json rowChangeJson(const UITableView::RowChange& change) {
    auto rows = nlohmann::json::array();
    for (const auto& [section, row] : change.rows) rows.push_back({section, row});
    return {{"inserted", change.inserted},
            {"rows", rows},
            {"animation", static_cast<int>(change.animation)},
            {"start", change.time}};
}

// The names the tree gives the traits, in the order a reader says them.
constexpr std::pair<UIAccessibilityTraits, const char*> kTraitNames[] = {
    {UIAccessibilityTraitHeader, "header"},         {UIAccessibilityTraitButton, "button"},
    {UIAccessibilityTraitToggleButton, "toggle"},   {UIAccessibilityTraitLink, "link"},
    {UIAccessibilityTraitAdjustable, "adjustable"}, {UIAccessibilityTraitImage, "image"},
    {UIAccessibilityTraitStaticText, "text"},       {UIAccessibilityTraitSelected, "selected"},
    {UIAccessibilityTraitNotEnabled, "notEnabled"},
};

nlohmann::json traitsJson(UIAccessibilityTraits traits) {
    auto names = nlohmann::json::array();
    for (const auto& [trait, name] : kTraitNames) {
        if (traits & trait) names.push_back(name);
    }
    return names;
}

const char* alignmentName(NSTextAlignment alignment) {
    switch (alignment) {
    case NSTextAlignment::Center:
        return "center";
    case NSTextAlignment::Right:
        return "right";
    case NSTextAlignment::Left:
        break;
    }
    return "left";
}

constexpr const char* kKeyboardNames[] = {"default", "ascii",  "numbersAndPunctuation", "url",    "numberPad",
                                          "phonePad", "namePhonePad", "email",           "decimalPad"};
constexpr const char* kCapitalizationNames[] = {"none", "words", "sentences", "all"};

// A secure field's text is drawn as one dot a character, as the phone draws it.
nlohmann::json fieldJson(const UITextField& field) {
    std::string text = field.text();
    if (field.isSecureTextEntry()) {
        std::string dots;
        for (unsigned char byte : text) {
            if ((byte & 0xC0) != 0x80) dots += "\u2022";
        }
        text = dots;
    }
    nlohmann::json json = {{"text", text},
                           {"placeholder", field.placeholder()},
                           {"keyboard", kKeyboardNames[static_cast<int>(field.keyboardType())]},
                           {"capitalization", kCapitalizationNames[static_cast<int>(field.autocapitalizationType())]}};
    if (field.isSecureTextEntry()) json["secure"] = true;
    if (field.autocorrectionType() == UITextAutocorrectionType::No) json["autocorrect"] = false;
    return json;
}

} // namespace

nlohmann::json ViewTreeEncoder::encode(const UIView& root) {
    auto tree = encodeView(root);
    addPasteboard(tree);
    return tree;
}

nlohmann::json ViewTreeEncoder::encodeView(const UIView& view) {
    nlohmann::json node = {{"id", identifierOf(view)},
                           {"class", view.className()},
                           {"kind", view.viewKind()},
                           {"frame", rectJson(view.convertRectToAncestor(view.bounds(), nullptr))},
                           {"alpha", view.alpha()},
                           {"hidden", view.isHidden()}};
    if (view.tag() != 0) node["tag"] = view.tag();
    addAccessibility(view, node);
    if (auto background = view.backgroundColor()) node["background"] = background->cssString();
    if (view.cornerRadius() > 0) node["cornerRadius"] = view.cornerRadius();
    if (auto animation = view.lastAnimation()) {
        node["animation"] = {{"serial", animation->serial}, {"duration", animation->duration}, {"start", animation->startTime}};
    }
    addLabel(view, node);
    addImage(view, node);
    addControl(view, node);
    addScrolling(view, node);
    if (view.isHidden()) return node;
    addChildren(view, node);
    return node;
}

void ViewTreeEncoder::addAccessibility(const UIView& view, nlohmann::json& node) {
    if (!view.accessibilityLabel().empty()) node["label"] = view.accessibilityLabel();
    if (auto traits = view.accessibilityTraits()) node["traits"] = traitsJson(traits);
    if (view.accessibilityViewIsModal()) node["modal"] = true;
}

// Children come in reading order; where that is not their drawing order,
// `z` gives each one's place in the latter.
void ViewTreeEncoder::addChildren(const UIView& view, nlohmann::json& node) {
    const auto& drawn = view.subviews();
    if (drawn.empty()) return;
    auto read = view.subviewsInReadingOrder();
    bool reordered = read != drawn;
    auto children = nlohmann::json::array();
    for (const auto& subview : read) {
        auto child = encodeView(*subview);
        if (reordered) child["z"] = std::find(drawn.begin(), drawn.end(), subview) - drawn.begin();
        children.push_back(std::move(child));
    }
    node["children"] = std::move(children);
}

// What Copy put on the phone's pasteboard, so the browser can put it on the
// computer's clipboard too; absent until something was copied.
void ViewTreeEncoder::addPasteboard(nlohmann::json& node) {
    auto pasteboard = UIPasteboard::generalPasteboard();
    if (pasteboard->changeCount() == 0) return;
    node["pasteboard"] = {{"changeCount", pasteboard->changeCount()}, {"string", pasteboard->string()}};
}

void ViewTreeEncoder::addLabel(const UIView& view, nlohmann::json& node) {
    auto label = dynamic_cast<const UILabel*>(&view);
    if (!label) return;
    node["text"] = label->text();
    // A label without its own colour (a button's title) is drawn in the tint.
    auto color = label->textColor() ? label->textColor() : label->tintColor();
    node["textColor"] = color->cssString();
    node["font"] = {{"size", label->fontSize()}, {"bold", label->isBold()}};
    node["align"] = alignmentName(label->textAlignment());
    node["lines"] = label->numberOfLines();
}

void ViewTreeEncoder::addImage(const UIView& view, nlohmann::json& node) {
    auto imageView = dynamic_cast<const UIImageView*>(&view);
    if (!imageView) return;
    node["contentMode"] = static_cast<int>(imageView->contentMode());
    auto image = imageView->image();
    if (!image) return;
    node["image"] = image->path();
    node["imageSize"] = {image->size().width, image->size().height};
}

void ViewTreeEncoder::addControl(const UIView& view, nlohmann::json& node) {
    if (dynamic_cast<const UIWindow*>(&view)) node["tint"] = view.tintColor()->cssString();
    auto control = dynamic_cast<const UIControl*>(&view);
    if (!control) return;
    node["tint"] = view.tintColor()->cssString();
    node["enabled"] = control->isEnabled();
    if (auto toggle = dynamic_cast<const UISwitch*>(&view)) {
        node["on"] = toggle->isOn();
        if (auto onTint = toggle->onTintColor()) node["onTint"] = onTint->cssString();
    }
    if (auto field = dynamic_cast<const UITextField*>(&view)) {
        node["field"] = fieldJson(*field);
    }
    if (auto slider = dynamic_cast<const UISlider*>(&view)) {
        node["slider"] = {{"value", slider->value()}, {"min", slider->minimumValue()}, {"max", slider->maximumValue()}};
    }
    if (auto segments = dynamic_cast<const UISegmentedControl*>(&view)) {
        node["segments"] = {{"selected", segments->selectedSegmentIndex()}};
    }
}

// The kind of row a settings page's item is ("PSButtonCell", "HBTwitterCell"),
// as its property list names it.
void ViewTreeEncoder::addRowKind(const UITableViewCell& cell, nlohmann::json& node) {
    auto row = dynamic_cast<const PSTableCell*>(&cell);
    Value kind = row && row->specifier() ? row->specifier()->propertyForKey(PSCellKindKey) : Value();
    if (kind.isString()) node["rowKind"] = kind.asString();
}

void ViewTreeEncoder::addScrolling(const UIView& view, nlohmann::json& node) {
    if (auto cell = dynamic_cast<const UITableViewCell*>(&view)) {
        node["selected"] = cell->isSelected();
        if (!cell->isUserInteractionEnabled()) node["interactive"] = false;
        addRowKind(*cell, node);
    }
    auto scrollView = dynamic_cast<const UIScrollView*>(&view);
    if (!scrollView) return;
    node["contentOffset"] = {scrollView->contentOffset().x, scrollView->contentOffset().y};
    node["contentSize"] = {scrollView->contentSize().width, scrollView->contentSize().height};
    auto table = dynamic_cast<const UITableView*>(&view);
    if (!table) return;
    node["style"] = table->style() == UITableViewStyle::Grouped ? "grouped" : "plain";
    if (auto change = table->lastRowChange()) node["rowChange"] = rowChangeJson(*change);
}
