#include "host/PSPlistPageLoader.h"

#include "platform/NSLog.h"
#include "platform/PropertyList.h"

namespace {

Result<PSPlistPage> failure(std::string error) {
    NSLog("Settings: " + error);
    return Result<PSPlistPage>::failure(std::move(error));
}

} // namespace

Result<PSPlistPage> PSPlistPageLoader::load(const std::shared_ptr<NSBundle>& bundle, const std::string& name,
                                            const std::shared_ptr<NSObject>& target) {
    std::string path = bundle ? bundle->pathForResource_ofType(name, "plist") : std::string();
    auto plist = path.empty() ? nullptr : PropertyList::readDictionary(path);
    if (!plist) return failure("The page's bundle has no readable " + name + ".plist.");
    // The page's texts are keys of its own strings table, <name>.strings.
    auto page = PSPlistSpecifiers::read(*plist, target, PSPlistLocalizer(bundle, name), bundle);
    if (!page) return failure(path + ": " + page.error());
    return page;
}
