#pragma once

#include <string_view>

namespace tactora {

// The text of one string of the program's string table (UTF-8), or an empty view for an
// id the table does not hold.
std::string_view resourceString(int id);

} // namespace tactora
