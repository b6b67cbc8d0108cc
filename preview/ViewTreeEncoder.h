#pragma once

#include "platform/UIView.h"

#include <nlohmann/json.hpp>

// The key window's views as JSON, for the automation interface and the
// browser's renderer. Every node carries `id` (stable while the view lives),
// `class`, `kind` (what the view says it is), `frame` ([x, y, w, h] in screen
// points), `alpha` and `hidden`; the rest only where it applies: text and its
// looks for labels, `label`, `traits` and `modal` (what assistive
// technology is told), `image` with its size and content mode, `tag`, `on`
// and tints for switches, colours, scroll offsets, and the running animation
// and last row change for the renderer to play. Children come in reading
// order, each with `z`, its place in drawing order, where the two differ. The root carries the
// pasteboard once something was copied. Hidden views are listed without their
// subviews. Times are on the run loop's clock, so the tree does not change
// while nothing on screen does.
class UITableViewCell;

class ViewTreeEncoder {
public:
    static nlohmann::json encode(const UIView& root);

private:
    static nlohmann::json encodeView(const UIView& view);
    static void addLabel(const UIView& view, nlohmann::json& node);
    static void addImage(const UIView& view, nlohmann::json& node);
    static void addControl(const UIView& view, nlohmann::json& node);
    static void addScrolling(const UIView& view, nlohmann::json& node);
    static void addRowKind(const UITableViewCell& cell, nlohmann::json& node);
    static void addAccessibility(const UIView& view, nlohmann::json& node);
    static void addChildren(const UIView& view, nlohmann::json& node);
    static void addPasteboard(nlohmann::json& node);
};
