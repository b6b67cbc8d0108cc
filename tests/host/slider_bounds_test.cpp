// A slider's bounds and value as a page's property list gives them: numbers
// or numeric text, and bounds no float can hold falling back.
#include "host/PSSliderTableCell.h"
#include "host/PSSpecifier.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

TEST(SliderBoundsTest, BoundsAreReadAsFloatValueReadsThem) {
    TemporaryDevice device;
    struct Case {
        Value minimum;
        Value maximum;
        Value value;
        std::string expected;
    };
    const Case cases[] = {
        {Value(10), Value(90.0), Value(50), "10 50 90"},
        {Value("-5"), Value("2.5e1"), Value("7"), "-5 7 25"},
        {Value(-1e39), Value(1e39), Value(0.5), "0 0.5 1"},
        {Value(std::nan("")), Value(), Value(1e39), "0 0 1"},
        {Value("none"), Value(true), Value("YES"), "0 0 1"},
    };
    for (const auto& [minimum, maximum, value, expected] : cases) {
        auto specifier = PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(
            "Level", nullptr, Selector(), Selector(), nullptr, PSCellType::Slider, nullptr);
        specifier->setProperty_forKey(minimum, PSControlMinimumKey);
        specifier->setProperty_forKey(maximum, PSControlMaximumKey);
        auto cell = std::static_pointer_cast<PSSliderTableCell>(alloc<PSSliderTableCell>()->initWithStyle_reuseIdentifier_specifier(
            UITableViewCellStyle::Default, "slider", specifier));
        cell->setValue(value);
        auto slider = cell->slider();
        std::ostringstream shown;
        shown << slider->minimumValue() << " " << slider->value() << " " << slider->maximumValue();
        EXPECT_EQ(shown.str(), expected) << minimum.description() << " " << maximum.description();
    }
}

TEST(SliderBoundsTest, AStepperNamesItsValueInItsTitle) {
    TemporaryDevice device;
    struct Case {
        std::string label;
        Value singular;
        Value value;
        std::string expected;
    };
    const Case cases[] = {
        {"Display For %i Seconds", Value("Display For 1 Second"), Value(5), "Display For 5 Seconds"},
        {"Display For %i Seconds", Value("Display For 1 Second"), Value(1.0), "Display For 1 Second"},
        {"%d Lines", Value(), Value(1), "1 Lines"},
        {"Up to %i%% louder", Value(), Value(7), "Up to 7% louder"},
        {"Delay", Value(), Value(3), "Delay"},
    };
    for (const auto& [label, singular, value, expected] : cases) {
        auto specifier = PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(
            label, nullptr, Selector(), Selector(), nullptr, PSCellType::Slider, nullptr);
        specifier->setProperty_forKey(Value("HBStepperTableCell"), "cellKind");
        specifier->setProperty_forKey(singular, "singularLabel");
        specifier->setProperty_forKey(Value(10), PSControlMaximumKey);
        auto cell = std::static_pointer_cast<PSSliderTableCell>(alloc<PSSliderTableCell>()->initWithStyle_reuseIdentifier_specifier(
            UITableViewCellStyle::Default, "stepper", specifier));
        cell->setValue(value);
        EXPECT_EQ(cell->titleLabel()->text(), expected) << label;
    }
}

} // namespace
