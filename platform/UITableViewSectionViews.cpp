#include "platform/UITableViewSectionViews.h"

#include "platform/UITableView.h"
#include "platform/UITableViewHeaderFooterView.h"

void UITableViewSectionViews::layout(UITableView& table, const UITableViewGeometry& geometry, const CGRect& visible) {
    std::map<Key, std::shared_ptr<UIView>> stillVisible;
    CGFloat width = table.frame().width();
    for (long section = 0; section < geometry.numberOfSections(); ++section) {
        const auto& measured = *geometry.section(section);
        CGRect headerFrame = CGRectMake(0, measured.top, width, measured.headerHeight);
        CGRect footerFrame = CGRectMake(0, measured.footerTop, width, measured.footerHeight);
        for (auto [isHeader, viewFrame] : {std::pair{true, headerFrame}, std::pair{false, footerFrame}}) {
            if (viewFrame.height() <= 0 || !viewFrame.intersects(visible)) continue;
            Key key{section, isHeader};
            auto existing = _visible.find(key);
            std::shared_ptr<UIView> view = existing != _visible.end()
                                               ? existing->second
                                               : makeView(table, section, isHeader,
                                                          isHeader ? measured.headerTitle : measured.footerTitle);
            if (!view) continue;
            if (view->superview().get() != &table) table.insertSubview_atIndex(view, 0);
            view->setFrame(viewFrame);
            stillVisible[key] = view;
            _visible.erase(key);
        }
    }
    removeAll();
    _visible = std::move(stillVisible);
}

void UITableViewSectionViews::removeAll() {
    for (auto& [key, view] : _visible) view->removeFromSuperview();
    _visible.clear();
}

std::shared_ptr<UIView> UITableViewSectionViews::makeView(UITableView& table, long section, bool header,
                                                          const std::optional<std::string>& title) {
    auto self = table.self<UITableView>();
    if (auto handler = table.delegate()) {
        auto view = header ? handler->tableView_viewForHeaderInSection(self, section)
                           : handler->tableView_viewForFooterInSection(self, section);
        if (view) return view;
    }
    if (!title) return nullptr;
    using Kind = UITableViewHeaderFooterView::Kind;
    if (header) return alloc<UITableViewHeaderFooterView>()->initWithTitle(*title, Kind::Header);
    auto source = table.dataSource();
    auto alignment = source ? source->tableView_titleAlignmentForFooterInSection(self, section) : NSTextAlignment::Left;
    return alloc<UITableViewHeaderFooterView>()->initWithTitle(*title, Kind::Footer, alignment);
}
