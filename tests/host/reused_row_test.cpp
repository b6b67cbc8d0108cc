// A table reuses a row's cell for another row: what the cell shows follows the
// row it now stands for, its control's enabled state included.
#include "host/PSSliderTableCell.h"
#include "host/PSSwitchTableCell.h"
#include "support/TemporaryDevice.h"

#include <gtest/gtest.h>

namespace {

TEST(ReusedRowTest, ARowReusedForOneThatIsNotEnabledDimsItsControl) {
    TemporaryDevice device;
    auto row = [](PSCellType type, bool enabled) {
        auto specifier = PSSpecifier::preferenceSpecifierNamed_target_set_get_detail_cell_edit(
            "Level", nullptr, Selector(), Selector(), nullptr, type, nullptr);
        specifier->setProperty_forKey(Value(enabled), "enabled");
        return specifier;
    };
    auto switchCell = std::static_pointer_cast<PSSwitchTableCell>(alloc<PSSwitchTableCell>()->initWithStyle_reuseIdentifier_specifier(
        UITableViewCellStyle::Default, "switch", row(PSCellType::Switch, true)));
    auto sliderCell = std::static_pointer_cast<PSSliderTableCell>(alloc<PSSliderTableCell>()->initWithStyle_reuseIdentifier_specifier(
        UITableViewCellStyle::Default, "slider", row(PSCellType::Slider, true)));
    std::string seen;
    for (bool enabled : {false, true}) {
        switchCell->refreshCellContentsWithSpecifier(row(PSCellType::Switch, enabled));
        sliderCell->refreshCellContentsWithSpecifier(row(PSCellType::Slider, enabled));
        seen += std::string(switchCell->control()->isEnabled() ? "on" : "off") + "/" +
                (sliderCell->control()->isEnabled() ? "on " : "off ");
    }
    EXPECT_EQ(seen, "off/off on/on ");
}

} // namespace
