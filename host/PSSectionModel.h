#pragma once

#include "host/PSSpecifier.h"
#include "platform/NSIndexPath.h"

#include <memory>
#include <vector>

// A list page's rows cut into sections: each group opens a section and the
// rows up to the next group fill it; rows before the first group form a
// section without a group. Every question about a section or a row past the
// end gets an empty answer (no rows, no group, no specifier) from one guard.
class PSSectionModel {
public:
    PSSectionModel() = default;
    explicit PSSectionModel(std::shared_ptr<const SpecifierList> list);

    // Whether the model was cut from `list` (the model keeps its list alive,
    // so the address stays unique while the model holds it).
    bool isBuiltFrom(const SpecifierList* list) const { return list == _source.get(); }

    long numberOfSections() const { return static_cast<long>(_sections.size()); }
    long numberOfRowsInSection(long section) const;
    // The group that opens `section`; nullptr for rows before the first group.
    std::shared_ptr<PSSpecifier> groupOfSection(long section) const;
    std::shared_ptr<PSSpecifier> specifierAtIndexPath(const std::shared_ptr<NSIndexPath>& indexPath) const;
    std::shared_ptr<NSIndexPath> indexPathForSpecifier(const PSSpecifier* specifier) const;

private:
    struct Section {
        std::shared_ptr<PSSpecifier> group;
        std::vector<std::shared_ptr<PSSpecifier>> rows;
    };

    const Section* sectionAt(long section) const;

    std::shared_ptr<const SpecifierList> _source;
    std::vector<Section> _sections;
};
