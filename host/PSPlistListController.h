#pragma once

#include "host/PSListController.h"

// A list page whose rows a property list of a bundle holds, for bundles
// whose code is not loaded here and for the child pages their links open: a
// `<name>.plist` of the bundle, a link's own `items`, or only a message where
// only the bundle's code knows the page. Rows are read on first request and
// their texts come from the bundle's strings table. A page that cannot be
// read says so on the page; `specifierLoadError` tells the caller.
class PSPlistListController : public PSListController {
public:
    OBJC_CLASS_NAME(PSPlistListController)

    std::shared_ptr<PSPlistListController> init();

    void showPlistNamed(std::shared_ptr<NSBundle> bundle, const std::string& name);
    // `page` holds `title` and `items`; texts come from `table` of `bundle`.
    void showPage(std::shared_ptr<NSBundle> bundle, const std::string& table, ValueDictionary page);
    void showMessage(const std::string& title, const std::string& message);

    std::shared_ptr<NSBundle> bundle() override { return _bundle; }
    // The strings table the page's texts come from.
    const std::string& table() const { return _table; }
    std::shared_ptr<const SpecifierList> specifiers() override;

private:
    SpecifierList messageRows(const std::string& message) const;

    std::shared_ptr<NSBundle> _bundle;
    std::string _table;
    std::string _plistName;
    std::shared_ptr<ValueDictionary> _page;
    std::string _message;
};
