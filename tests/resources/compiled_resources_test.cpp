// The resource script, compiled as a Windows build compiles it, carries the program's
// string table, identity and icon unchanged. The compiled file is read back through the
// resource compiler's own decompiler (windres), whose text these checks expect.

#include "tests/resources/expected_version_block.h"

#include "resources/identity.h"
#include "resources/string_table.h"

#include <QString>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <ostream>
#include <regex>
#include <sstream>
#include <string>

namespace expected {

void PrintTo(const VersionString& entry, std::ostream* out) {
    *out << entry.key << " \"" << entry.value << '"';
}

} // namespace expected

namespace {

struct TableString {
    int id;
    std::string_view text;
};

void PrintTo(const TableString& entry, std::ostream* out) {
    *out << entry.id << " \"" << entry.text << '"';
}

constexpr TableString tableStrings[] = {
#define TACTORA_STRING(id, text) {id, text},
#include "resources/string_table.def"
#undef TACTORA_STRING
};

std::string fileText(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A UTF-8 text as windres writes a string literal: quotes doubled, backslashes escaped, and
// a wide literal with the UTF-16 units beyond ASCII in octal or hexadecimal escapes.
std::string windresLiteral(std::string_view utf8) {
    std::string inside;
    bool wide = false;
    for (const QChar unit : QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))) {
        const unsigned code = unit.unicode();
        if (code < 0x80) {
            inside += code == '"' ? "\"\"" : code == '\\' ? "\\\\" : std::string(1, static_cast<char>(code));
            continue;
        }
        char escape[8];
        std::snprintf(escape, sizeof escape, code < 0x100 ? "\\%03o" : "\\x%04x", code);
        inside += escape;
        wide = true;
    }
    return (wide ? "L\"" : "\"") + inside + '"';
}

class CompiledResources : public testing::Test {
protected:
    void SetUp() override {
        if (*expected::decompiledResources == '\0') {
            GTEST_SKIP() << "no resource compiler (windres) was found";
        }
        text = fileText(expected::decompiledResources);
        ASSERT_FALSE(text.empty()) << expected::decompiledResources;
    }

    bool hasLine(const std::string& line) const { return text.find('\n' + line + '\n') != std::string::npos; }

    // The language statement in force at a position of the text.
    std::string languageAt(std::size_t position) const {
        const std::size_t start = text.rfind("\nLANGUAGE ", position);
        return start == std::string::npos ? ""
                                          : text.substr(start + 1, text.find('\n', start + 1) - start - 1);
    }

    std::string text;
};

class CompiledString : public CompiledResources, public testing::WithParamInterface<TableString> {};

TEST_P(CompiledString, IsInTheTableUnchanged) {
    EXPECT_TRUE(hasLine("  " + std::to_string(GetParam().id) + ", " + windresLiteral(GetParam().text)));
}

INSTANTIATE_TEST_SUITE_P(StringTable, CompiledString, testing::ValuesIn(tableStrings),
                         [](const testing::TestParamInfo<TableString>& info) {
                             return "String" + std::to_string(info.param.id);
                         });

TEST_F(CompiledResources, StringTableHoldsNothingElse) {
    const std::regex stringLine("\n  [0-9]+, L?\"");
    EXPECT_EQ(
        std::distance(std::sregex_iterator(text.begin(), text.end(), stringLine), std::sregex_iterator()),
        std::ssize(tableStrings));
}

TEST_F(CompiledResources, StringTablesAreUkEnglishAndTheVersionBlockUsEnglish) {
    std::size_t blocks = 0;
    for (std::size_t at = text.find("\nSTRINGTABLE"); at != std::string::npos;
         at = text.find("\nSTRINGTABLE", at + 1), ++blocks) {
        EXPECT_EQ(languageAt(at), "LANGUAGE 9, 2");
    }
    EXPECT_GT(blocks, 0u);
    const std::size_t version = text.find("\n1 VERSIONINFO");
    ASSERT_NE(version, std::string::npos);
    EXPECT_EQ(languageAt(version), "LANGUAGE 9, 1");
}

TEST_F(CompiledResources, FixedVersionIsTheProjectVersion) {
    const std::string numbers = std::to_string(tactora::identity::versionMajor) + ", " +
                                std::to_string(tactora::identity::versionMinor) + ", " +
                                std::to_string(tactora::identity::versionRevision) + ", 0";
    EXPECT_TRUE(hasLine(" FILEVERSION " + numbers));
    EXPECT_TRUE(hasLine(" PRODUCTVERSION " + numbers));
    EXPECT_TRUE(hasLine(" FILETYPE 0x1")); // an application
    // One string block, US English, Unicode.
    EXPECT_TRUE(hasLine("    BLOCK \"040904B0\""));
    EXPECT_TRUE(hasLine("    VALUE \"Translation\", 0x409, 1200"));
}

class CompiledVersionString : public CompiledResources,
                              public testing::WithParamInterface<expected::VersionString> {};

TEST_P(CompiledVersionString, CarriesTheIdentity) {
    EXPECT_TRUE(
        hasLine("      VALUE \"" + std::string(GetParam().key) + "\", " + windresLiteral(GetParam().value)));
}

INSTANTIATE_TEST_SUITE_P(VersionBlock, CompiledVersionString, testing::ValuesIn(expected::versionStrings),
                         [](const testing::TestParamInfo<expected::VersionString>& info) {
                             return std::string(info.param.key);
                         });

TEST_F(CompiledResources, IconGroupOneHoldsImage30001FromTheIconFile) {
    const std::string ico = fileText(expected::iconFile);
    ASSERT_GT(ico.size(), 22u);
    const std::string image = ico.substr(22);

    const std::size_t group = text.find("\n1 14 /* RT_GROUP_ICON */");
    ASSERT_NE(group, std::string::npos);
    EXPECT_NE(text.find("/* Has 1 elements.  */", group), std::string::npos);
    std::ostringstream entry; // width, height, colours, 0; planes, bits, bytes, id
    entry << R"("\020\020\020\000", 1, 4, 0x)" << std::hex << image.size() << "L, 30001";
    EXPECT_NE(text.find(entry.str(), group), std::string::npos) << entry.str();

    // The image's bytes, which windres writes as little-endian 32-bit numbers.
    const std::size_t start = text.find("\n30001 3 /* RT_ICON */");
    ASSERT_NE(start, std::string::npos);
    const std::string block = text.substr(start, text.find("\nEND", start) - start);
    const std::regex number("0x([0-9a-f]+)L");
    std::string bytes;
    for (auto it = std::sregex_iterator(block.begin(), block.end(), number); it != std::sregex_iterator();
         ++it) {
        const unsigned long value = std::stoul((*it)[1].str(), nullptr, 16);
        for (int shift = 0; shift < 32; shift += 8) {
            bytes += static_cast<char>((value >> shift) & 0xFF);
        }
    }
    EXPECT_EQ(bytes, image);
}

} // namespace
