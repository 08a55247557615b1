#include "core/entry_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace tactora {
namespace {

struct EntryRow {
    Entry entry;
    TempoKind kind;
    std::string text;
    std::string separator;
    bool accepted;
};

std::ostream& operator<<(std::ostream& out, const EntryRow& row) {
    return out << "entry " << static_cast<int>(row.entry) << " kind " << static_cast<int>(row.kind) << " \""
               << row.text << "\" with \"" << row.separator << '"';
}

constexpr TempoKind bpm = TempoKind::BeatsPerMinute;
constexpr TempoKind hz = TempoKind::CyclesPerSecond;
constexpr TempoKind noKind = TempoKind::None;

const EntryRow entryAcceptedCountsRows[] = {
    EntryRow{Entry::Bars, bpm, "1024", ".", true},
    EntryRow{Entry::Bars, bpm, "1.5", ".", true},
    EntryRow{Entry::Bars, bpm, "1024.5", ".", false},
    EntryRow{Entry::Bars, bpm, "2000", ".", false},
    EntryRow{Entry::Bars, bpm, "0", ".", false},
    EntryRow{Entry::Bars, bpm, "-3", ".", false},
    EntryRow{Entry::Bars, bpm, "", ".", false},
    EntryRow{Entry::Bars, bpm, "abc", ".", false},
    EntryRow{Entry::Bars, noKind, "2000", ".", false},
    EntryRow{Entry::BeatsPerBar, hz, "1024", ".", true},
    EntryRow{Entry::BeatsPerBar, hz, "2.25", ".", true},
    EntryRow{Entry::BeatsPerBar, hz, "1024.5", ".", false},
    EntryRow{Entry::BeatsPerBar, hz, "0", ".", false},
    EntryRow{Entry::BeatsPerBar, bpm, "1,5", ",", true},
    EntryRow{Entry::BeatsPerBar, bpm, "1.5", ",", false},
    EntryRow{Entry::BeatsPerBar, bpm, "1 000", ",", false},
};

TEST(EntryAccepted, CountsArePositiveAndAtMost1024) {
    for (const EntryRow& row : entryAcceptedCountsRows) {
        SCOPED_TRACE(testing::PrintToString(row));
        EXPECT_EQ(entryAccepted(row.entry, row.text, row.kind, row.separator), row.accepted);
    }
}

const EntryRow entryAcceptedTempoRows[] = {
    EntryRow{Entry::Tempo, bpm, "5000", ".", true},
    EntryRow{Entry::Tempo, bpm, "4294967296", ".", true},
    EntryRow{Entry::Tempo, bpm, "4294967297", ".", false},
    EntryRow{Entry::Tempo, bpm, "0", ".", false},
    EntryRow{Entry::Tempo, bpm, "1E-400", ".", false},
    EntryRow{Entry::Tempo, hz, "20000", ".", true},
    EntryRow{Entry::Tempo, hz, "20000,5", ",", false},
    EntryRow{Entry::Tempo, hz, "20000.5", ".", false},
    EntryRow{Entry::Tempo, hz, "5000", ".", true},
    EntryRow{Entry::Tempo, noKind, "1E300", ".", true},
    EntryRow{Entry::Tempo, noKind, "0", ".", false},
    EntryRow{Entry::Tempo, noKind, "-1", ".", false},
    EntryRow{Entry::Tempo, noKind, "x", ".", false},
};

TEST(EntryAccepted, TempoIsPositiveAndWithinTheLimitOfItsKind) {
    for (const EntryRow& row : entryAcceptedTempoRows) {
        SCOPED_TRACE(testing::PrintToString(row));
        EXPECT_EQ(entryAccepted(row.entry, row.text, row.kind, row.separator), row.accepted);
    }
}

TEST(ReadEntries, ConvertsAllThreeTextsWithoutTheirLimits) {
    const EntryValues read = readEntries({"100", "-2", "2000"});
    EXPECT_FALSE(read.notANumber.has_value());
    EXPECT_EQ(read.values, (std::array<double, 3>{100.0, -2.0, 2000.0}));
}

TEST(ReadEntries, NamesTheFirstTextThatIsNotANumber) {
    const EntryValues read = readEntries({"1,5", "", "x"}, ",");
    ASSERT_TRUE(read.notANumber.has_value());
    EXPECT_EQ(*read.notANumber, Entry::Bars);
    EXPECT_EQ(read.values[0], 1.5);

    EXPECT_EQ(readEntries({"1.5", "4", "4"}, ",").notANumber, Entry::Tempo);
    EXPECT_EQ(readEntries({"120", "4", "four"}).notANumber, Entry::BeatsPerBar);
}

} // namespace
} // namespace tactora
