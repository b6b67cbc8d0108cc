#include "platform/ViewQuery.h"

#include "platform/UILabel.h"
#include "platform/UITableViewCell.h"
#include "platform/UIWindow.h"

#include <functional>

namespace {

// Every view under `root` in drawing order (back to front).
void collect(const std::shared_ptr<UIView>& root, std::vector<std::shared_ptr<UIView>>& views) {
    views.push_back(root);
    for (const auto& subview : root->subviews()) collect(subview, views);
}

std::vector<std::shared_ptr<UIView>> visibleViews(const std::shared_ptr<UIView>& root) {
    std::vector<std::shared_ptr<UIView>> all;
    collect(root, all);
    std::erase_if(all, [](const auto& view) { return !ViewQuery::isVisible(*view); });
    return all;
}

// Views behind a modal sheet are not for the user to reach.
bool isCoveredByPresentation(const UIView& view, const std::shared_ptr<UIView>& root) {
    auto window = std::dynamic_pointer_cast<UIWindow>(root);
    if (!window || !window->hasPresentedViews()) return false;
    for (const UIView* current = &view; current; current = current->superview().get()) {
        if (current == window->topmostPresentedView().get()) return false;
    }
    return true;
}

} // namespace

std::string ViewQuery::textOf(const UIView& view) {
    if (auto label = dynamic_cast<const UILabel*>(&view)) return label->text();
    return {};
}

bool ViewQuery::isVisible(const UIView& view) {
    for (const UIView* current = &view; current; current = current->superview().get()) {
        if (current->isHidden() || current->alpha() <= 0.0) return false;
    }
    CGRect inWindow = view.convertRectToAncestor(view.bounds(), nullptr);
    auto top = &view;
    while (auto parent = top->superview()) top = parent.get();
    return inWindow.intersects(top->bounds()) || (inWindow.size.width == 0 && inWindow.size.height == 0 &&
                                                  top->bounds().contains(inWindow.origin));
}

std::shared_ptr<UIView> ViewQuery::findByText(const std::shared_ptr<UIView>& root, const std::string& text) {
    auto views = visibleViews(root);
    for (auto it = views.rbegin(); it != views.rend(); ++it) {
        const auto& view = *it;
        if (isCoveredByPresentation(*view, root)) continue;
        if (textOf(*view) == text || view->accessibilityLabel() == text) return view;
    }
    return nullptr;
}

std::shared_ptr<UISwitch> ViewQuery::switchInRowTitled(const std::shared_ptr<UIView>& root, const std::string& title) {
    for (const auto& view : visibleViews(root)) {
        auto cell = std::dynamic_pointer_cast<UITableViewCell>(view);
        if (!cell || cell->textLabel()->text() != title || isCoveredByPresentation(*cell, root)) continue;
        if (auto control = std::dynamic_pointer_cast<UISwitch>(cell->accessoryView())) return control;
    }
    return nullptr;
}

std::vector<std::shared_ptr<UIView>> ViewQuery::viewsInRowTitled(const std::shared_ptr<UIView>& root,
                                                                 const std::string& title) {
    std::vector<std::shared_ptr<UIView>> views;
    for (const auto& view : visibleViews(root)) {
        auto cell = std::dynamic_pointer_cast<UITableViewCell>(view);
        if (!cell || cell->textLabel()->text() != title || isCoveredByPresentation(*cell, root)) continue;
        collect(cell, views);
        return views;
    }
    return views;
}

std::vector<std::string> ViewQuery::visibleTexts(const std::shared_ptr<UIView>& root) {
    std::vector<std::string> texts;
    for (const auto& view : visibleViews(root)) {
        std::string text = textOf(*view);
        if (!text.empty()) texts.push_back(text);
    }
    return texts;
}

CGPoint ViewQuery::centerInWindow(const UIView& view) {
    CGRect inWindow = view.convertRectToAncestor(view.bounds(), nullptr);
    return CGPointMake(inWindow.origin.x + inWindow.size.width / 2, inWindow.origin.y + inWindow.size.height / 2);
}
