#include "resources/string_table.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tactora {
namespace {

constexpr std::pair<int, std::string_view> table[] = {
#define TACTORA_STRING(id, text) {id, text},
#include "resources/string_table.def"
#undef TACTORA_STRING
};

} // namespace

std::string_view resourceString(int id) {
    const auto* found = std::find_if(std::begin(table), std::end(table),
                                     [id](const auto& entry) { return entry.first == id; });
    return found == std::end(table) ? std::string_view{} : found->second;
}

} // namespace tactora
