#include "res_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace resfile {
namespace {

// Little-endian reads with bounds checks over one block of bytes.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t offset() const { return m_offset; }
    bool atEnd() const { return m_offset >= m_size; }

    void seek(std::size_t offset) {
        if (offset > m_size) {
            throw std::runtime_error("offset beyond the end of the block");
        }
        m_offset = offset;
    }

    void alignTo4() { seek(std::min(m_size, (m_offset + 3) & ~std::size_t{3})); }

    std::uint16_t word() {
        need(2);
        const auto value = static_cast<std::uint16_t>(m_data[m_offset] | (m_data[m_offset + 1] << 8));
        m_offset += 2;
        return value;
    }

    std::uint32_t dword() {
        const std::uint32_t low = word();
        const std::uint32_t high = word();
        return low | (high << 16);
    }

    std::uint8_t byte() {
        need(1);
        return m_data[m_offset++];
    }

    std::vector<std::uint8_t> bytes(std::size_t count) {
        need(count);
        std::vector<std::uint8_t> out(m_data + m_offset, m_data + m_offset + count);
        m_offset += count;
        return out;
    }

    // A zero-terminated UTF-16 text.
    std::u16string zeroTerminated() {
        std::u16string text;
        for (char16_t unit = word(); unit != 0; unit = word()) {
            text.push_back(unit);
        }
        return text;
    }

    // A type or a name: 0xFFFF and a number, or a zero-terminated text.
    Name name() {
        need(2);
        if (m_data[m_offset] == 0xFF && m_data[m_offset + 1] == 0xFF) {
            word();
            return word();
        }
        return zeroTerminated();
    }

private:
    void need(std::size_t count) const {
        if (count > m_size - m_offset) {
            throw std::runtime_error("the block ends too early");
        }
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_offset = 0;
};

bool isNumber(const Name& name, std::uint16_t number) {
    const auto* value = std::get_if<std::uint16_t>(&name);
    return value != nullptr && *value == number;
}

// One node and its children; the reader stands at the node's start.
VersionNode readVersionNode(Reader& reader) {
    const std::size_t start = reader.offset();
    const std::uint16_t length = reader.word();
    const std::uint16_t valueLength = reader.word();
    const std::uint16_t type = reader.word();
    VersionNode node;
    node.key = reader.zeroTerminated();
    reader.alignTo4();
    node.isText = type == 1;
    if (node.isText) {
        // The length of a text value counts UTF-16 units, its terminating zero included.
        for (std::uint16_t i = 0; i < valueLength; ++i) {
            node.text.push_back(static_cast<char16_t>(reader.word()));
        }
        while (!node.text.empty() && node.text.back() == u'\0') {
            node.text.pop_back();
        }
    } else {
        node.bytes = reader.bytes(valueLength);
    }
    const std::size_t end = start + length;
    reader.alignTo4();
    while (reader.offset() < end) {
        node.children.push_back(readVersionNode(reader));
        reader.alignTo4();
    }
    reader.seek(end);
    return node;
}

} // namespace

std::vector<Resource> readResFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot open " + path.string());
    }
    const std::vector<std::uint8_t> content{std::istreambuf_iterator<char>(file),
                                            std::istreambuf_iterator<char>()};
    Reader reader(content.data(), content.size());

    std::vector<Resource> resources;
    bool first = true;
    while (!reader.atEnd()) {
        const std::size_t start = reader.offset();
        const std::uint32_t dataSize = reader.dword();
        const std::uint32_t headerSize = reader.dword();
        Resource resource;
        resource.type = reader.name();
        resource.name = reader.name();
        reader.alignTo4();
        reader.dword(); // data version
        reader.word();  // memory flags
        resource.language = reader.word();
        reader.dword(); // version
        reader.dword(); // characteristics
        reader.seek(start + headerSize);
        resource.data = reader.bytes(dataSize);
        reader.alignTo4();
        // A resource file opens with an empty entry that marks it as 32-bit.
        if (first) {
            if (dataSize != 0 || !isNumber(resource.type, 0) || !isNumber(resource.name, 0)) {
                throw std::runtime_error(path.string() + " is not a 32-bit resource file");
            }
            first = false;
            continue;
        }
        resources.push_back(std::move(resource));
    }
    return resources;
}

const Resource* find(const std::vector<Resource>& resources, std::uint16_t type, std::uint16_t name) {
    const Resource* found = nullptr;
    for (const Resource& resource : resources) {
        if (isNumber(resource.type, type) && isNumber(resource.name, name)) {
            if (found != nullptr) {
                return nullptr;
            }
            found = &resource;
        }
    }
    return found;
}

std::map<std::uint16_t, std::map<int, std::u16string>> stringTables(const std::vector<Resource>& resources) {
    std::map<std::uint16_t, std::map<int, std::u16string>> tables;
    for (const Resource& resource : resources) {
        if (!isNumber(resource.type, RT_STRING)) {
            continue;
        }
        // Block n holds the sixteen strings 16 (n - 1) to 16 (n - 1) + 15, each counted; an
        // empty one is a string the table does not hold.
        const auto* block = std::get_if<std::uint16_t>(&resource.name);
        if (block == nullptr || *block == 0) {
            throw std::runtime_error("a string block without a block number");
        }
        Reader reader(resource.data.data(), resource.data.size());
        for (int slot = 0; slot < 16; ++slot) {
            const std::uint16_t length = reader.word();
            std::u16string text;
            for (std::uint16_t i = 0; i < length; ++i) {
                text.push_back(static_cast<char16_t>(reader.word()));
            }
            if (length > 0) {
                tables[resource.language][(*block - 1) * 16 + slot] = text;
            }
        }
    }
    return tables;
}

const VersionNode* VersionNode::child(std::u16string_view childKey) const {
    for (const VersionNode& node : children) {
        if (node.key == childKey) {
            return &node;
        }
    }
    return nullptr;
}

VersionNode readVersionBlock(const std::vector<std::uint8_t>& data) {
    Reader reader(data.data(), data.size());
    return readVersionNode(reader);
}

std::vector<IconGroupEntry> readIconGroup(const std::vector<std::uint8_t>& data) {
    Reader reader(data.data(), data.size());
    if (reader.word() != 0 || reader.word() != 1) {
        throw std::runtime_error("not an icon group");
    }
    const std::uint16_t count = reader.word();
    std::vector<IconGroupEntry> entries;
    for (std::uint16_t i = 0; i < count; ++i) {
        IconGroupEntry entry;
        entry.width = reader.byte();
        entry.height = reader.byte();
        entry.colourCount = reader.byte();
        reader.byte(); // reserved
        entry.planes = reader.word();
        entry.bitCount = reader.word();
        entry.bytesInRes = reader.dword();
        entry.id = reader.word();
        entries.push_back(entry);
    }
    return entries;
}

std::u16string utf16(std::string_view utf8) {
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        if (i + static_cast<std::size_t>(extra) >= utf8.size()) {
            throw std::runtime_error("a UTF-8 sequence is cut off");
        }
        char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        }
        i += static_cast<std::size_t>(extra) + 1;
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
    }
    return out;
}

} // namespace resfile
