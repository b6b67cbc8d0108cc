#include "preview/PlistPageController.h"

#include "host/PSPlistSpecifiers.h"
#include "platform/PropertyList.h"

std::shared_ptr<PlistPageController> PlistPageController::initWithFile_table(std::string devicePath, std::string table) {
    PSListController::init();
    _file = std::move(devicePath);
    _table = std::move(table);
    return self<PlistPageController>();
}

std::shared_ptr<const SpecifierList> PlistPageController::specifiers() {
    if (_specifiers) return _specifiers;
    _loadError.clear();
    SpecifierList rows;
    auto file = PropertyList::readDictionary(_file);
    if (!file) _loadError = "The file " + _file + " can no longer be read.";
    if (file) {
        auto folder = bundle();
        auto read = PSPlistSpecifiers::read(*file, self<PlistPageController>(), PSPlistLocalizer(folder, _table), folder);
        if (!read) _loadError = read.error();
        if (read) {
            PSPlistPage page = std::move(read).value();
            rows = std::move(page.specifiers);
            if (!page.title.empty()) setTitle(page.title);
        }
    }
    _specifiers = std::make_shared<const SpecifierList>(std::move(rows));
    return _specifiers;
}

std::shared_ptr<NSBundle> PlistPageController::bundle() {
    return NSBundle::bundleWithPath(_file.substr(0, _file.rfind('/')));
}
