#include "preview/PageReloader.h"

#include "host/PSListController.h"
#include "platform/Device.h"
#include "preview/BundleErrorController.h"
#include "preview/PlistPageController.h"
#include "preview/SettingsListController.h"

#include <algorithm>
#include <filesystem>

namespace {

// Builds the page's rows afresh; what broke, or empty.
std::string rebuild(PSListController& page) {
    page.reloadSpecifiers();
    page.specifiers();
    if (auto* plistPage = dynamic_cast<PlistPageController*>(&page)) return plistPage->loadError();
    return page.specifierLoadError();
}

// A page reads the files of its bundle (an entry's page, those beside its entry).
bool readsFrom(PSListController& page, const std::vector<std::string>& changed) {
    auto bundle = page.bundle();
    if (!bundle || bundle->bundlePath().empty()) return false;
    std::string folder = bundle->bundlePath() + "/";
    return std::any_of(changed.begin(), changed.end(),
                       [&](const std::string& path) { return path.starts_with(folder) || path + "/" == folder; });
}

bool entryFileExists(const std::string& devicePath) {
    std::error_code status;
    return std::filesystem::exists(Device::shared().hostPath(devicePath), status);
}

} // namespace

void PageReloader::reload(const std::vector<std::string>& changed) {
    std::erase_if(_brokenPages, [](const BrokenPage& broken) { return broken.errorPage.expired(); });
    auto navigation = _app.navigation();
    auto stack = navigation->viewControllers();
    auto list = std::dynamic_pointer_cast<SettingsListController>(stack.front());
    if (!list) return;
    // The entry as last read, for an error page when it no longer reads.
    if (const SettingsEntry* opened = list->entryForFile(list->openedEntryFile())) _openedEntry = *opened;
    SettingsEntry before = _openedEntry;
    list->reloadEntries();
    std::vector<std::shared_ptr<UIViewController>> kept{stack.front()};
    for (std::size_t depth = 1; depth < stack.size(); ++depth) {
        const SettingsEntry* entry = list->entryForFile(list->openedEntryFile());
        if (entry) {
            kept.push_back(depth == 1 ? reloadEntryPage(*list, stack[depth], before, changed)
                                      : reloadListPage(stack[depth], *entry, changed));
            continue;
        }
        // An entry file that is gone takes its pages with it; one that no longer reads breaks its page.
        if (!entryFileExists(list->openedEntryFile())) break;
        kept.push_back(depth > 1 ? stack[depth]
                                 : standIn(stack[depth], before,
                                           "The entry " + list->openedEntryFile() + " can no longer be read."));
    }
    navigation->setViewControllers_animated(std::move(kept), /*animated=*/false);
    _app.window()->layoutIfNeeded();
}

std::shared_ptr<UIViewController> PageReloader::reloadEntryPage(SettingsListController& list,
                                                                std::shared_ptr<UIViewController> page,
                                                                const SettingsEntry& before,
                                                                const std::vector<std::string>& changed) {
    const SettingsEntry& entry = *list.entryForFile(list.openedEntryFile());
    // A page that could not be opened when its row was tapped is tried again.
    if (!brokenPageBehind(page) && std::dynamic_pointer_cast<BundleErrorController>(page)) return list.pageFor(entry);
    // A page named after its row follows the row's new label.
    if (page->title() == before.label && entry.label != before.label) page->setTitle(entry.label);
    return reloadListPage(std::move(page), entry, changed);
}

std::shared_ptr<UIViewController> PageReloader::reloadListPage(std::shared_ptr<UIViewController> page,
                                                               const SettingsEntry& entry,
                                                               const std::vector<std::string>& changed) {
    auto broken = brokenPageBehind(page);
    auto original = broken ? broken : page;
    auto listPage = std::dynamic_pointer_cast<PSListController>(original);
    if (!listPage) return original;
    if (!broken && !readsFrom(*listPage, changed)) return page;
    std::string error = rebuild(*listPage);
    return error.empty() ? listPage : standIn(listPage, entry, error);
}

std::shared_ptr<UIViewController> PageReloader::standIn(const std::shared_ptr<UIViewController>& page,
                                                        const SettingsEntry& entry, const std::string& error) {
    auto original = brokenPageBehind(page);
    if (!original) original = page;
    auto errorPage = alloc<BundleErrorController>()->initWithEntry_message(entry, error);
    errorPage->setTitle(original->title().empty() ? entry.label : original->title());
    _brokenPages.push_back({errorPage, original});
    return errorPage;
}

std::shared_ptr<UIViewController> PageReloader::brokenPageBehind(const std::shared_ptr<UIViewController>& page) {
    auto found = std::find_if(_brokenPages.begin(), _brokenPages.end(),
                              [&](const BrokenPage& broken) { return broken.errorPage.lock() == page; });
    return found == _brokenPages.end() ? nullptr : found->page;
}
