#pragma once

#include "platform/UISwitch.h"
#include "platform/UIView.h"

#include <memory>
#include <string>
#include <vector>

// Finds views the way a person sees them: by the text they show or the words
// they are read as, among the views that are on screen.
class ViewQuery {
public:
    // What a view shows as text: a label's text, else nothing.
    static std::string textOf(const UIView& view);
    // A view is visible when it and its ancestors are shown, not transparent,
    // and it lies at least partly inside the window.
    static bool isVisible(const UIView& view);

    // The first visible view, front to back in drawing order reversed (the
    // topmost wins), whose text or accessibility label is exactly `text`.
    static std::shared_ptr<UIView> findByText(const std::shared_ptr<UIView>& root, const std::string& text);
    // The switch of the visible row whose title is exactly `title`.
    static std::shared_ptr<UISwitch> switchInRowTitled(const std::shared_ptr<UIView>& root, const std::string& title);
    // The first control of kind `Control` in the visible row whose title is
    // exactly `title`, or the one under `point` (window coordinates).
    template <typename Control>
    static std::shared_ptr<Control> controlInRowTitled(const std::shared_ptr<UIView>& root, const std::string& title) {
        for (const auto& view : viewsInRowTitled(root, title)) {
            if (auto control = std::dynamic_pointer_cast<Control>(view)) return control;
        }
        return nullptr;
    }
    template <typename Control>
    static std::shared_ptr<Control> controlAt(const std::shared_ptr<UIView>& window, CGPoint point) {
        for (auto view = window->hitTest(point); view; view = view->superview()) {
            if (auto control = std::dynamic_pointer_cast<Control>(view)) return control;
        }
        return nullptr;
    }
    // Every visible text, in drawing order.
    static std::vector<std::string> visibleTexts(const std::shared_ptr<UIView>& root);
    // The views of the visible row whose title is exactly `title`, in drawing order.
    static std::vector<std::shared_ptr<UIView>> viewsInRowTitled(const std::shared_ptr<UIView>& root,
                                                               const std::string& title);
    // The centre of a view in window coordinates.
    static CGPoint centerInWindow(const UIView& view);
};
