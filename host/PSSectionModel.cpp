#include "host/PSSectionModel.h"

PSSectionModel::PSSectionModel(std::shared_ptr<const SpecifierList> list) : _source(std::move(list)) {
    if (!_source) return;
    for (const auto& specifier : *_source) {
        if (specifier->isGroup()) {
            _sections.push_back({specifier, {}});
            continue;
        }
        if (_sections.empty()) _sections.push_back({nullptr, {}});
        _sections.back().rows.push_back(specifier);
    }
}

const PSSectionModel::Section* PSSectionModel::sectionAt(long section) const {
    if (section < 0 || section >= numberOfSections()) return nullptr;
    return &_sections[static_cast<std::size_t>(section)];
}

long PSSectionModel::numberOfRowsInSection(long section) const {
    const Section* found = sectionAt(section);
    return found ? static_cast<long>(found->rows.size()) : 0;
}

std::shared_ptr<PSSpecifier> PSSectionModel::groupOfSection(long section) const {
    const Section* found = sectionAt(section);
    return found ? found->group : nullptr;
}

std::shared_ptr<PSSpecifier> PSSectionModel::specifierAtIndexPath(const std::shared_ptr<NSIndexPath>& indexPath) const {
    const Section* found = indexPath ? sectionAt(indexPath->section()) : nullptr;
    if (!found || indexPath->row() < 0 || indexPath->row() >= static_cast<long>(found->rows.size())) return nullptr;
    return found->rows[static_cast<std::size_t>(indexPath->row())];
}

std::shared_ptr<NSIndexPath> PSSectionModel::indexPathForSpecifier(const PSSpecifier* specifier) const {
    for (std::size_t section = 0; section < _sections.size(); ++section) {
        const auto& rows = _sections[section].rows;
        for (std::size_t row = 0; row < rows.size(); ++row) {
            if (rows[row].get() == specifier) return NSIndexPath::indexPathForRow_inSection(row, section);
        }
    }
    return nullptr;
}
