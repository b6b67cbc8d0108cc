#pragma once

#include "host/PSListController.h"

#include <string>

// A page whose rows are the `items` of a property list on the device (an
// entry's own page, or a bundle's Root.plist standing in for code that
// cannot run here), read whenever the rows are built: when the page opens
// and again when its file changes (`reloadSpecifiers`). A file that cannot be
// read or is no page leaves the page empty and `loadError` says why.
class PlistPageController : public PSListController {
public:
    OBJC_CLASS_NAME(PlistPageController)

    // Texts come from the strings table `table` of the file's folder: a
    // bundle's page has its own (`Root` for Root.plist), an entry's page the
    // folder's Localizable table (an empty name).
    std::shared_ptr<PlistPageController> initWithFile_table(std::string devicePath, std::string table);

    const std::string& file() const { return _file; }
    const std::string& loadError() const { return _loadError; }

    std::shared_ptr<const SpecifierList> specifiers() override;
    // The folder the file lies in, where its pictures are.
    std::shared_ptr<NSBundle> bundle() override;

private:
    std::string _file;
    std::string _table;
    std::string _loadError;
};
