#pragma once

#include "host/PSSpecifier.h"
#include "host/PSTableCell.h"
#include "host/PSViewController.h"
#include "platform/UITableView.h"

#include <map>
#include <memory>
#include <vector>

// A settings page drawn from specifiers: each group opens a section, the rows
// up to the next group fill it. The page answers its table from the list the
// subclass builds in `specifiers`, which it keeps in `_specifiers`.
class PSListController : public PSViewController, public UITableViewDataSource, public UITableViewDelegate {
public:
    OBJC_CLASS_NAME(PSListController)

    std::shared_ptr<PSListController> init();

    // The rows; subclasses build them on first request into `_specifiers`.
    virtual std::shared_ptr<const SpecifierList> specifiers() { return _specifiers; }
    // The value a row shows: the row's getter, or its default without one.
    virtual Value readPreferenceValue(const std::shared_ptr<PSSpecifier>& specifier);
    // Stores a row's new value; the host's own storage keeps nothing.
    virtual void setPreferenceValue_specifier(const Value& value, const std::shared_ptr<PSSpecifier>& specifier);

    // The list with `specifiers` inserted before position `index`, shown in place.
    void insertContiguousSpecifiers_atIndex_animated(const SpecifierList& specifiers, std::size_t index, bool animated);
    // The list without the run `specifiers`, found by its first record.
    void removeContiguousSpecifiers_animated(const SpecifierList& specifiers, bool animated);

    std::shared_ptr<UITableView> table();

    void loadView() override;

    long numberOfSectionsInTableView(const std::shared_ptr<UITableView>& tableView) override;
    long tableView_numberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, long section) override;
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        const std::shared_ptr<UITableView>& tableView, const std::shared_ptr<NSIndexPath>& indexPath) override;
    std::optional<std::string> tableView_titleForHeaderInSection(const std::shared_ptr<UITableView>& tableView,
                                                                 long section) override;
    std::optional<std::string> tableView_titleForFooterInSection(const std::shared_ptr<UITableView>& tableView,
                                                                 long section) override;
    void tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                           const std::shared_ptr<NSIndexPath>& indexPath) override;
    std::shared_ptr<UIView> tableView_viewForHeaderInSection(const std::shared_ptr<UITableView>& tableView,
                                                             long section) override;
    std::optional<CGFloat> tableView_heightForHeaderInSection(const std::shared_ptr<UITableView>& tableView,
                                                              long section) override;
    std::shared_ptr<UIView> tableView_viewForFooterInSection(const std::shared_ptr<UITableView>& tableView,
                                                             long section) override;
    std::optional<CGFloat> tableView_heightForFooterInSection(const std::shared_ptr<UITableView>& tableView,
                                                              long section) override;

    // The specifier of a row, nullptr past the end.
    std::shared_ptr<PSSpecifier> specifierAtIndexPath(const std::shared_ptr<NSIndexPath>& indexPath);
    std::shared_ptr<NSIndexPath> indexPathForSpecifier(const PSSpecifier* specifier);

protected:
    std::shared_ptr<const SpecifierList> _specifiers;

private:
    struct Section {
        std::shared_ptr<PSSpecifier> group; // nullptr for rows before the first group
        std::vector<std::shared_ptr<PSSpecifier>> rows;
    };

    const std::vector<Section>& sections();
    std::shared_ptr<PSTableCell> makeCell(const std::shared_ptr<PSSpecifier>& specifier, const std::string& identifier);
    void configureCell(PSTableCell& cell, const std::shared_ptr<PSSpecifier>& specifier);
    void switchChanged(const std::shared_ptr<PSSpecifier>& specifier, bool on);
    void openDetail(const std::shared_ptr<PSSpecifier>& specifier);
    std::shared_ptr<UIView> groupView(long section, const std::string& classKey);
    std::optional<CGFloat> groupViewHeight(const UITableView& tableView, long section, const std::string& classKey);

    std::shared_ptr<UITableView> _table;
    std::vector<Section> _sections;
    const SpecifierList* _sectionsBuiltFrom = nullptr;
    std::shared_ptr<const SpecifierList> _sectionsSource; // keeps the list the sections point into
    std::map<std::pair<const PSSpecifier*, std::string>, std::shared_ptr<UIView>> _groupViews;
};
