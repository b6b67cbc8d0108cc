#include "host/PSSegmentTableCell.h"

#include "platform/ObjCClass.h"

namespace {

const auto registration = ClassRegistration<PSSegmentTableCell, PSControlTableCell>()
                              .initializer<&PSSegmentTableCell::initWithStyle_reuseIdentifier_specifier>(
                                  "initWithStyle:reuseIdentifier:specifier:");

std::vector<std::string> stringsIn(const Value& list) {
    std::vector<std::string> strings;
    if (!list.isArray()) return strings;
    for (const Value& element : *list.asArray()) strings.push_back(element.isString() ? element.asString() : "");
    return strings;
}

std::vector<std::string> titlesOf(const UISegmentedControl& control) {
    std::vector<std::string> titles;
    for (long index = 0; index < control.numberOfSegments(); ++index) titles.push_back(control.titleForSegmentAtIndex(index));
    return titles;
}

} // namespace

// A reused cell may come from a row with other titles: then the segments are made afresh.
void PSSegmentTableCell::refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) {
    PSControlTableCell::refreshCellContentsWithSpecifier(specifier);
    setSelectionStyle(UITableViewCellSelectionStyle::None);
    auto titles = stringsIn(specifier ? specifier->propertyForKey(PSValidTitlesKey) : Value());
    if (control() && titlesOf(*segments()) == titles) return;
    auto control = alloc<UISegmentedControl>()->initWithItems(titles);
    control->addTarget_action_forControlEvents(self<PSSegmentTableCell>(),
                                               Selector::of<&PSSegmentTableCell::segmentChanged>("segmentChanged:"),
                                               UIControlEvents::ValueChanged);
    setControl(control);
}

void PSSegmentTableCell::setValue(const Value& value) {
    Value values = specifier() ? specifier()->propertyForKey(PSValidValuesKey) : Value();
    long chosen = UISegmentedControl::kNoSegment;
    if (values.isArray()) {
        const ValueArray& list = *values.asArray();
        for (std::size_t index = 0; index < list.size() && chosen == UISegmentedControl::kNoSegment; ++index) {
            if (list[index] == value) chosen = static_cast<long>(index);
        }
    }
    segments()->setSelectedSegmentIndex(chosen);
}

void PSSegmentTableCell::segmentChanged(const std::shared_ptr<UIControl>&) {
    Value values = specifier() ? specifier()->propertyForKey(PSValidValuesKey) : Value();
    auto index = static_cast<std::size_t>(segments()->selectedSegmentIndex());
    if (!values.isArray() || index >= values.asArray()->size()) return;
    sendValueChanged((*values.asArray())[index]);
}
