#pragma once

#include "platform/UITableViewCell.h"

#include <memory>
#include <string>

// The radio mark of a row: "222" (chosen) or "111" from the accessory's tag,
// "none" without a cell or mark, and "mixed" when the picture does not go
// with the tag.
std::string markOf(const std::shared_ptr<UITableViewCell>& cell);
