#pragma once

#include "platform/UITableViewGeometry.h"
#include "platform/UIView.h"

#include <map>
#include <memory>

class UITableView;

// The header and footer views of a table's sections that are on screen: the
// delegate's own views, or a title view for a section with a title. A view
// that scrolls out leaves the table; one that stays is kept.
class UITableViewSectionViews {
public:
    void layout(UITableView& table, const UITableViewGeometry& geometry, const CGRect& visible);
    void removeAll();

private:
    using Key = std::pair<long, bool>; // section, whether the header
    static std::shared_ptr<UIView> makeView(UITableView& table, long section, bool header,
                                            const std::optional<std::string>& title);

    std::map<Key, std::shared_ptr<UIView>> _visible;
};
