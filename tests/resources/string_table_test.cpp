// The string table holds every text the windows ask it for.

#include "resources/string_table.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace {

// The ids the selectors, the converse-rate caption, the About window and the Help window
// read.
std::vector<int> idsTheProgramReads() {
    std::vector<int> ids{1, 2, 3, 4, 5, 6, 11, 12, 21, 22, 31, 32, 33, 34, 35};
    for (int id = 41; id <= 54; ++id) {
        ids.push_back(id);
    }
    return ids;
}

class ReadString : public testing::TestWithParam<int> {};

TEST_P(ReadString, HasText) {
    EXPECT_FALSE(tactora::resourceString(GetParam()).empty());
}

INSTANTIATE_TEST_SUITE_P(StringTable, ReadString, testing::ValuesIn(idsTheProgramReads()),
                         [](const testing::TestParamInfo<int>& info) {
                             return "String" + std::to_string(info.param);
                         });

TEST(StringTable, IdItDoesNotHoldGivesEmptyText) {
    EXPECT_TRUE(tactora::resourceString(0).empty());
    EXPECT_TRUE(tactora::resourceString(7).empty());
    EXPECT_TRUE(tactora::resourceString(55).empty());
}

class InformationLine : public testing::TestWithParam<int> {};

// The author, licence and systems lines read "<label>: <value>", like one another.
TEST_P(InformationLine, IsALabelAColonAndAValue) {
    const std::string text(tactora::resourceString(GetParam()));
    EXPECT_TRUE(std::regex_match(text, std::regex("[A-Z][A-Za-z]*: [^ ].*[^ ]"))) << text;
}

INSTANTIATE_TEST_SUITE_P(AboutWindow, InformationLine, testing::Values(31, 32, 33),
                         [](const testing::TestParamInfo<int>& info) {
                             return "String" + std::to_string(info.param);
                         });

} // namespace
