#include "tests/select/SelectionDriver.h"

#include "platform/Device.h"
#include "platform/PropertyList.h"
#include "platform/ViewQuery.h"
#include "tests/support/IndependentReaders.h"
#include "tests/support/Marks.h"

#include <stdexcept>

namespace {

const char* const kFavoritesFile = "/var/mobile/Library/Preferences/com.korvent.vimble.plist";

std::shared_ptr<NSIndexPath> path(long section, long row) { return NSIndexPath::indexPathForRow_inSection(row, section); }

} // namespace

std::shared_ptr<UITableViewCell> SelectionDriver::showRow(long section, long row) {
    CGRect rowRect = table()->rectForRowAtIndexPath(path(section, row));
    CGRect inView = table()->bounds();
    if (rowRect.minY() < inView.minY() || rowRect.maxY() > inView.maxY()) {
        table()->scrollToRowAtIndexPath(path(section, row));
        _session.window()->layoutIfNeeded();
    }
    return table()->cellForRowAtIndexPath(path(section, row));
}

bool SelectionDriver::tapShownRow(long section, long row) {
    auto cell = table()->cellForRowAtIndexPath(path(section, row));
    return cell && _session.tapPoint(ViewQuery::centerInWindow(*cell));
}

std::string SelectionDriver::markOf(long section, long row) const {
    return ::markOf(table()->cellForRowAtIndexPath(path(section, row)));
}

void writeFavorites(const std::vector<std::string>& emoji) {
    if (!PropertyList::write(Value::array(ValueArray(emoji.begin(), emoji.end())), kFavoritesFile)) {
        throw std::runtime_error("cannot write the favourites file");
    }
}

std::string favoritesAsJson() { return readWithPlistlib(Device::shared().hostPath(kFavoritesFile)); }

std::string asJson(const std::vector<std::string>& emoji) {
    std::string json = "[";
    for (const auto& text : emoji) json += (json.size() > 1 ? ", \"" : "\"") + text + "\"";
    return json + "]";
}
