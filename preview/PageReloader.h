#pragma once

#include "platform/UIViewController.h"
#include "preview/SettingsApp.h"
#include "preview/SettingsEntry.h"

#include <memory>
#include <string>
#include <vector>

class PSListController;
class SettingsListController;

// Redraws the Settings app from the files as they are now, keeping what a
// person was looking at: the list is read again (a new entry appears, a
// removed one leaves), and each page on the navigation stack stays, its rows
// read again from its files when one of them changed, with its scroll
// position where its rows still are. A page whose entry is gone leaves the
// stack with the pages above it. A page whose file no longer makes a page
// (or whose entry can no longer be read) gives way to the error page saying
// what broke; it comes back in its place once its file makes a page again.
// Main thread only.
class PageReloader {
public:
    explicit PageReloader(SettingsApp& app) : _app(app) {}

    // `changed`: the device paths that changed.
    void reload(const std::vector<std::string>& changed);

private:
    struct BrokenPage {
        std::weak_ptr<UIViewController> errorPage;
        std::shared_ptr<UIViewController> page;
    };

    std::shared_ptr<UIViewController> reloadEntryPage(SettingsListController& list, std::shared_ptr<UIViewController> page,
                                                      const SettingsEntry& before, const std::vector<std::string>& changed);
    std::shared_ptr<UIViewController> reloadListPage(std::shared_ptr<UIViewController> page, const SettingsEntry& entry,
                                                     const std::vector<std::string>& changed);
    // The error page standing in for `page` (or for the page it already stands in for).
    std::shared_ptr<UIViewController> standIn(const std::shared_ptr<UIViewController>& page, const SettingsEntry& entry,
                                              const std::string& error);
    // The page an error page stands in for; nullptr for any other page.
    std::shared_ptr<UIViewController> brokenPageBehind(const std::shared_ptr<UIViewController>& page);

    SettingsApp& _app;
    std::vector<BrokenPage> _brokenPages;
    SettingsEntry _openedEntry;
};
