#include "tests/select/SelectionDriver.h"

#include "platform/Device.h"
#include "platform/PropertyList.h"
#include "platform/UIImageView.h"
#include "platform/ViewQuery.h"
#include "tests/support/TemporaryDevice.h"

#include <stdexcept>

namespace {

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

SelectionDriver::SelectionDriver() : _session("VimbleSelectController") {}

std::shared_ptr<VimbleSelectController> SelectionDriver::page() const {
    return _session.topPageAs<VimbleSelectController>();
}

std::shared_ptr<UITableView> SelectionDriver::table() const { return page()->tableView(); }

std::shared_ptr<UITableViewCell> SelectionDriver::showRow(long section, long row) {
    auto indexPath = NSIndexPath::indexPathForRow_inSection(row, section);
    CGRect rowRect = table()->rectForRowAtIndexPath(indexPath);
    CGRect inView = table()->bounds();
    if (rowRect.minY() >= inView.minY() && rowRect.maxY() <= inView.maxY()) {
        return table()->cellForRowAtIndexPath(indexPath);
    }
    table()->scrollToRowAtIndexPath(indexPath);
    _session.window()->layoutIfNeeded();
    return table()->cellForRowAtIndexPath(indexPath);
}

bool SelectionDriver::tapShownRow(long section, long row) {
    auto cell = table()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(row, section));
    return cell && _session.tapPoint(ViewQuery::centerInWindow(*cell));
}

bool SelectionDriver::tapRow(long section, long row) { return showRow(section, row) && tapShownRow(section, row); }

std::string markOfRow(const UITableView& table, long section, long row) {
    auto cell = table.cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(row, section));
    auto mark = cell ? std::dynamic_pointer_cast<UIImageView>(cell->accessoryView()) : nullptr;
    if (!mark) return "none";
    std::string picture = mark->image() ? mark->image()->path() : "";
    if (mark->tag() == 222 && endsWith(picture, "/Radio - Active.png")) return "222";
    if (mark->tag() == 111 && endsWith(picture, "/Radio - InActive.png")) return "111";
    return "mixed";
}

void writeFavorites(const std::vector<std::string>& emoji) {
    ValueArray elements(emoji.begin(), emoji.end());
    if (!PropertyList::write(Value::array(std::move(elements)), TemporaryDevice::favoritesFile())) {
        throw std::runtime_error("cannot write the favourites file");
    }
}

std::string favoritesAsJson() {
    return readWithPlistlib(Device::shared().hostPath(TemporaryDevice::favoritesFile()));
}

std::string asJson(const std::vector<std::string>& emoji) {
    std::string json = "[";
    for (const auto& text : emoji) json += (json.size() > 1 ? ", \"" : "\"") + text + "\"";
    return json + "]";
}
