#include "host/PSPlistListController.h"

#include "host/PSPlistSpecifiers.h"
#include "platform/NSLog.h"
#include "platform/ObjCClass.h"

namespace {
const auto registration =
    ClassRegistration<PSPlistListController, PSListController>().initializer<&PSPlistListController::init>("init");
} // namespace

std::shared_ptr<PSPlistListController> PSPlistListController::init() {
    PSListController::init();
    return self<PSPlistListController>();
}

void PSPlistListController::showPlistNamed(std::shared_ptr<NSBundle> bundle, const std::string& name) {
    _bundle = std::move(bundle);
    _table = name;
    _plistName = name;
}

void PSPlistListController::showPage(std::shared_ptr<NSBundle> bundle, const std::string& table, ValueDictionary page) {
    _bundle = std::move(bundle);
    _table = table;
    _page = std::make_shared<ValueDictionary>(std::move(page));
}

void PSPlistListController::showMessage(const std::string& title, const std::string& message) {
    setTitle(title);
    _message = message;
}

std::shared_ptr<const SpecifierList> PSPlistListController::specifiers() {
    if (_specifiers) return _specifiers;
    SpecifierList rows;
    if (!_message.empty()) {
        rows = messageRows(_message);
    } else if (!_plistName.empty()) {
        rows = loadSpecifiersFromPlistName_target(_plistName, self<NSObject>());
        if (!specifierLoadError().empty()) rows = messageRows(specifierLoadError());
    } else if (_page) {
        auto read = PSPlistSpecifiers::read(*_page, self<NSObject>(), PSPlistLocalizer(_bundle, _table), _bundle);
        if (read && !read.value().title.empty()) setTitle(read.value().title);
        rows = read ? std::move(read).value().specifiers : messageRows(read.error());
    }
    _specifiers = std::make_shared<const SpecifierList>(std::move(rows));
    return _specifiers;
}

// One group whose footer says what the page cannot show.
SpecifierList PSPlistListController::messageRows(const std::string& message) const {
    auto group = PSSpecifier::emptyGroupSpecifier();
    group->setProperty_forKey(Value(message), PSFooterTextGroupKey);
    return {group};
}
