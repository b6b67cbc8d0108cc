#pragma once

#include "host/PSSectionModel.h"
#include "host/PSSpecifier.h"
#include "host/PSTableCell.h"
#include "host/PSViewController.h"
#include "platform/NSBundle.h"
#include "platform/TableViewOwner.h"
#include "platform/UITableView.h"

#include <map>
#include <memory>
#include <vector>

// A settings page drawn from specifiers: each group opens a section, the rows
// up to the next group fill it. The page answers its table from the list the
// subclass builds in `specifiers`, which it keeps in `_specifiers`.
//
// A row that names a `key` and a `defaults` domain keeps its value in its
// domain's file (PSDefaultsStore): read whenever the row is built, written
// with every other key kept, and the row's PostNotification posted after each
// change. The cells come from PSCellFactory, the sections from PSSectionModel,
// inserted and removed runs from PSSpecifierRunEditor.
class PSListController : public PSViewController, public TableViewOwner {
public:
    OBJC_CLASS_NAME(PSListController)

    std::shared_ptr<PSListController> init();

    // The rows; subclasses build them on first request into `_specifiers`.
    virtual std::shared_ptr<const SpecifierList> specifiers() { return _specifiers; }
    // Shows `specifiers` in place of the rows the page had.
    void setSpecifiers(SpecifierList specifiers);
    // Forgets the rows, so that `specifiers` builds them afresh (from their
    // file, for a page read from one), and shows them.
    void reloadSpecifiers();
    // The value a row without a getter shows: its value in its defaults
    // file, else its `default`.
    virtual Value readPreferenceValue(const std::shared_ptr<PSSpecifier>& specifier);
    // Stores a row's new value in its defaults file.
    virtual void setPreferenceValue_specifier(const Value& value, const std::shared_ptr<PSSpecifier>& specifier);
    // A person changed a row's value: the row's setter (or
    // setPreferenceValue:specifier:) stores it, then its notification is posted.
    void valueChanged_forSpecifier(const Value& value, const std::shared_ptr<PSSpecifier>& specifier);
    // Shows a row's value afresh, when its cell is on screen.
    void reloadSpecifier(const std::shared_ptr<PSSpecifier>& specifier);

    // The bundle the page's class came from.
    virtual std::shared_ptr<NSBundle> bundle();
    // The rows of `<name>.plist` in the page's bundle, whose `title` becomes
    // the page's title. Empty when the file is missing or malformed, and
    // `specifierLoadError` says why: the phone's method gives the rows alone,
    // so the reason stays with the page for the Settings app's error page.
    SpecifierList loadSpecifiersFromPlistName_target(const std::string& name, const std::shared_ptr<NSObject>& target);
    const std::string& specifierLoadError() const { return _specifierLoadError; }

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
    NSTextAlignment tableView_titleAlignmentForFooterInSection(const std::shared_ptr<UITableView>& tableView,
                                                               long section) override;
    void tableView_didSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                           const std::shared_ptr<NSIndexPath>& indexPath) override;
    std::shared_ptr<UIView> tableView_viewForHeaderInSection(const std::shared_ptr<UITableView>& tableView,
                                                             long section) override;
    // A row's `height`, where it names one.
    std::optional<CGFloat> tableView_heightForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                             const std::shared_ptr<NSIndexPath>& indexPath) override;
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
    // The sections of the list `specifiers` gives now, cut again when it changed.
    const PSSectionModel& sections();
    void configureCell(PSTableCell& cell, const std::shared_ptr<PSSpecifier>& specifier);
    void openDetail(const std::shared_ptr<PSSpecifier>& specifier);
    std::shared_ptr<UIView> groupView(long section, const std::string& classKey);
    std::optional<CGFloat> groupViewHeight(const UITableView& tableView, long section, const std::string& classKey);

    std::shared_ptr<UITableView> _table;
    PSSectionModel _sections;
    std::map<std::pair<const PSSpecifier*, std::string>, std::shared_ptr<UIView>> _groupViews;
    std::string _specifierLoadError;
};
