#pragma once

// A reader for compiled Windows resource files (.res, as rc and windres write them), enough
// to check what the resource script puts into the program: string tables, the version
// block and icons.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace resfile {

inline constexpr std::uint16_t RT_ICON = 3;
inline constexpr std::uint16_t RT_STRING = 6;
inline constexpr std::uint16_t RT_GROUP_ICON = 14;
inline constexpr std::uint16_t RT_VERSION = 16;

// A resource type or name: a number or a text.
using Name = std::variant<std::uint16_t, std::u16string>;

struct Resource {
    Name type;
    Name name;
    std::uint16_t language = 0;
    std::vector<std::uint8_t> data;
};

// Every resource of the file, in file order. Throws std::runtime_error when the file cannot
// be read or is not a resource file.
std::vector<Resource> readResFile(const std::filesystem::path& path);

// The resource with this numeric type and name, if there is exactly one.
const Resource* find(const std::vector<Resource>& resources, std::uint16_t type, std::uint16_t name);

// Every string of the string tables, by id, for each language.
std::map<std::uint16_t, std::map<int, std::u16string>> stringTables(const std::vector<Resource>& resources);

// One node of a version block: a key, a value (text or bytes) and children.
struct VersionNode {
    std::u16string key;
    bool isText = false;
    std::u16string text;             // when isText, without its terminating zero
    std::vector<std::uint8_t> bytes; // otherwise
    std::vector<VersionNode> children;

    const VersionNode* child(std::u16string_view childKey) const;
};

VersionNode readVersionBlock(const std::vector<std::uint8_t>& data);

// One entry of an icon group (GRPICONDIRENTRY).
struct IconGroupEntry {
    int width = 0;
    int height = 0;
    int colourCount = 0;
    int planes = 0;
    int bitCount = 0;
    std::uint32_t bytesInRes = 0;
    std::uint16_t id = 0;
};

std::vector<IconGroupEntry> readIconGroup(const std::vector<std::uint8_t>& data);

// UTF-8 to UTF-16, to compare the program's texts with the compiled ones.
std::u16string utf16(std::string_view utf8);

} // namespace resfile
