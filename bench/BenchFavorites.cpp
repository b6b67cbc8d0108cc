#include "bench/BenchFavorites.h"

#include "catalog/VimbleCharManager.h"
#include "platform/Device.h"
#include "platform/PropertyList.h"
#include "shell/VimbleFiles.h"

namespace {

std::vector<std::string> allSectionsInTableOrder() {
    auto catalog = VimbleCharManager::sharedInstance();
    std::vector<std::string> all;
    for (const auto& list : {catalog->peopleEmoji(), catalog->natureEmoji(), catalog->foodAndDrinkEmoji(),
                             catalog->activityEmoji(), catalog->travelAndPlacesEmoji(), catalog->objectsEmoji(),
                             catalog->symbolsEmoji(), catalog->flagsEmoji()}) {
        all.insert(all.end(), list.begin(), list.end());
    }
    return all;
}

} // namespace

std::vector<std::string> BenchFavorites::emoji(int count) {
    std::vector<std::string> all = allSectionsInTableOrder();
    std::vector<std::string> chosen;
    if (count <= 0) return chosen;
    std::size_t step = all.size() / static_cast<std::size_t>(count);
    for (int index = 0; index < count; ++index) chosen.push_back(all[static_cast<std::size_t>(index) * step + step / 2]);
    return chosen;
}

bool BenchFavorites::writeFile(int count) {
    ValueArray entries;
    for (auto& text : emoji(count)) entries.emplace_back(std::move(text));
    return PropertyList::write(Value::array(std::move(entries)), devicePath());
}

std::string BenchFavorites::devicePath() { return VimbleFiles::favoritesFilePath(); }

std::string BenchFavorites::hostPath() { return Device::shared().hostPath(devicePath()).string(); }
