// The resource script, compiled as a Windows build compiles it, carries the program's
// string table, identity and icon unchanged.

#include "expected_version_block.h"
#include "res_file.h"

#include <identity.h>
#include <string_table.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>

namespace expected {

void PrintTo(const VersionString& entry, std::ostream* out) {
    *out << entry.key << " \"" << entry.value << '"';
}

} // namespace expected

namespace {

constexpr std::uint16_t englishUk = 0x0809;

struct TableString {
    int id;
    std::string_view text;
};

void PrintTo(const TableString& entry, std::ostream* out) {
    *out << entry.id << " \"" << entry.text << '"';
}

constexpr TableString tableStrings[] = {
#define TACTORA_STRING(id, text) {id, text},
#include "string_table.def"
#undef TACTORA_STRING
};

std::string printable(const std::u16string& text) {
    std::string out;
    for (char16_t unit : text) {
        out += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return out;
}

class CompiledResources : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (*expected::compiledResources != '\0') {
            s_resources = std::make_unique<std::vector<resfile::Resource>>(
                resfile::readResFile(expected::compiledResources));
        }
    }
    static void TearDownTestSuite() { s_resources.reset(); }

    void SetUp() override {
        if (!s_resources) {
            GTEST_SKIP() << "no resource compiler (windres) was found";
        }
    }

    static const std::vector<resfile::Resource>& resources() { return *s_resources; }

    static resfile::VersionNode versionBlock() {
        const resfile::Resource* version = resfile::find(resources(), resfile::RT_VERSION, 1);
        if (version == nullptr) {
            throw std::runtime_error("no version block 1");
        }
        return resfile::readVersionBlock(version->data);
    }

private:
    static inline std::unique_ptr<std::vector<resfile::Resource>> s_resources;
};

class CompiledString : public CompiledResources, public testing::WithParamInterface<TableString> {};

TEST_P(CompiledString, IsInTheUkEnglishTableUnchanged) {
    const auto tables = resfile::stringTables(resources());
    ASSERT_TRUE(tables.contains(englishUk));
    const auto& table = tables.at(englishUk);
    const auto found = table.find(GetParam().id);
    ASSERT_NE(found, table.end());
    EXPECT_EQ(found->second, resfile::utf16(GetParam().text)) << printable(found->second);
}

INSTANTIATE_TEST_SUITE_P(StringTable, CompiledString, testing::ValuesIn(tableStrings),
                         [](const testing::TestParamInfo<TableString>& info) {
                             return "String" + std::to_string(info.param.id);
                         });

TEST_F(CompiledResources, StringTableHoldsNothingElse) {
    const auto tables = resfile::stringTables(resources());
    ASSERT_EQ(tables.size(), 1u);
    ASSERT_TRUE(tables.contains(englishUk));
    EXPECT_EQ(tables.at(englishUk).size(), std::size(tableStrings));
}

TEST_F(CompiledResources, FixedVersionIsTheProjectVersion) {
    const resfile::VersionNode root = versionBlock();
    EXPECT_EQ(root.key, u"VS_VERSION_INFO");
    ASSERT_EQ(root.bytes.size(), 52u);
    const auto dword = [&root](std::size_t at) {
        return static_cast<std::uint32_t>(root.bytes[at] | (root.bytes[at + 1] << 8) |
                                          (root.bytes[at + 2] << 16) | (root.bytes[at + 3] << 24));
    };
    const std::uint32_t high = (static_cast<std::uint32_t>(tactora::identity::versionMajor) << 16) |
                               static_cast<std::uint32_t>(tactora::identity::versionMinor);
    const std::uint32_t low = static_cast<std::uint32_t>(tactora::identity::versionRevision) << 16;
    EXPECT_EQ(dword(0), 0xFEEF04BDu); // signature
    EXPECT_EQ(dword(8), high);        // file version
    EXPECT_EQ(dword(12), low);
    EXPECT_EQ(dword(16), high); // product version
    EXPECT_EQ(dword(20), low);
    EXPECT_EQ(dword(36), 1u); // an application
}

TEST_F(CompiledResources, VersionTextsAreOneUsEnglishUnicodeBlock) {
    const resfile::VersionNode root = versionBlock();
    const resfile::VersionNode* strings = root.child(u"StringFileInfo");
    ASSERT_NE(strings, nullptr);
    ASSERT_EQ(strings->children.size(), 1u);
    EXPECT_EQ(strings->children.front().key, u"040904B0");

    const resfile::VersionNode* variables = root.child(u"VarFileInfo");
    ASSERT_NE(variables, nullptr);
    const resfile::VersionNode* translation = variables->child(u"Translation");
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(translation->bytes, (std::vector<std::uint8_t>{0x09, 0x04, 0xB0, 0x04}));
}

class CompiledVersionString : public CompiledResources,
                              public testing::WithParamInterface<expected::VersionString> {};

TEST_P(CompiledVersionString, CarriesTheIdentity) {
    const resfile::VersionNode root = versionBlock();
    const resfile::VersionNode* strings = root.child(u"StringFileInfo");
    ASSERT_NE(strings, nullptr);
    const resfile::VersionNode* block = strings->child(u"040904B0");
    ASSERT_NE(block, nullptr);
    const resfile::VersionNode* value = block->child(resfile::utf16(GetParam().key));
    ASSERT_NE(value, nullptr);
    EXPECT_TRUE(value->isText);
    EXPECT_EQ(value->text, resfile::utf16(GetParam().value)) << printable(value->text);
}

INSTANTIATE_TEST_SUITE_P(VersionBlock, CompiledVersionString, testing::ValuesIn(expected::versionStrings),
                         [](const testing::TestParamInfo<expected::VersionString>& info) {
                             return std::string(info.param.key);
                         });

TEST_F(CompiledResources, IconGroupOneHoldsImage30001FromTheIconFile) {
    const resfile::Resource* group = resfile::find(resources(), resfile::RT_GROUP_ICON, 1);
    ASSERT_NE(group, nullptr);
    const std::vector<resfile::IconGroupEntry> entries = resfile::readIconGroup(group->data);
    ASSERT_EQ(entries.size(), 1u);
    const resfile::IconGroupEntry& entry = entries.front();
    EXPECT_EQ(entry.id, 30001);
    EXPECT_EQ(entry.width, 16);
    EXPECT_EQ(entry.height, 16);
    EXPECT_EQ(entry.colourCount, 16);
    EXPECT_EQ(entry.bitCount, 4);

    const resfile::Resource* image = resfile::find(resources(), resfile::RT_ICON, 30001);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->data.size(), entry.bytesInRes);

    // The image as the icon file holds it, at the offset its one directory entry gives.
    std::ifstream file(expected::iconFile, std::ios::binary);
    ASSERT_TRUE(file) << expected::iconFile;
    const std::vector<std::uint8_t> ico{std::istreambuf_iterator<char>(file),
                                        std::istreambuf_iterator<char>()};
    ASSERT_GE(ico.size(), 22u);
    const std::size_t offset =
        ico[18] | (ico[19] << 8) | (ico[20] << 16) | (static_cast<std::size_t>(ico[21]) << 24);
    ASSERT_LE(offset + image->data.size(), ico.size());
    EXPECT_TRUE(std::equal(image->data.begin(), image->data.end(),
                           ico.begin() + static_cast<std::ptrdiff_t>(offset)));
}

} // namespace
