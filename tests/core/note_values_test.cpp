#include "core/note_values.h"
#include "core/number_format.h"

#include <gtest/gtest.h>

#include <string>

namespace tactora {
namespace {

struct NoteRow {
    TempoKind kind;
    double tempo;
    NoteValue value;
    NoteFeel feel;
    std::string seconds; // as the display rule writes it
    std::string hz;
};

const NoteRow noteLengthAndRateRows[] = {
    {TempoKind::BeatsPerMinute, 120, NoteValue::Quarter, NoteFeel::Straight, "0.5", "2"},
    {TempoKind::BeatsPerMinute, 120, NoteValue::Eighth, NoteFeel::Dotted, "0.375", "2.66666666666667"},
    {TempoKind::BeatsPerMinute, 120, NoteValue::Whole, NoteFeel::Triplet, "1.33333333333333", "0.75"},
    {TempoKind::BeatsPerMinute, 100, NoteValue::Whole, NoteFeel::Straight, "2.4", "0.416666666666667"},
    {TempoKind::BeatsPerMinute, 100, NoteValue::Sixteenth, NoteFeel::Quintuplet, "0.12", "8.33333333333333"},
    {TempoKind::BeatsPerMinute, 90, NoteValue::Half, NoteFeel::Triplet, "0.888888888888889", "1.125"},
    {TempoKind::BeatsPerMinute, 140, NoteValue::ThirtySecond, NoteFeel::Quintuplet, "0.0428571428571429",
     "23.3333333333333"},
    // A rate is one beat per cycle, whatever the bars around it.
    {TempoKind::CyclesPerSecond, 2, NoteValue::Quarter, NoteFeel::Straight, "0.5", "2"},
    {TempoKind::CyclesPerSecond, 2, NoteValue::SixtyFourth, NoteFeel::Dotted, "0.046875", "21.3333333333333"},
    {TempoKind::CyclesPerSecond, 0.5, NoteValue::Half, NoteFeel::Dotted, "6", "0.166666666666667"},
};

class NoteLengthAndRate : public testing::TestWithParam<NoteRow> {};

TEST_P(NoteLengthAndRate, FollowTheTempoNoteValueAndFeel) {
    const NoteRow& row = GetParam();
    const Checked quarter = quarterNoteSeconds(row.tempo, row.kind);
    ASSERT_TRUE(quarter.ok());
    const Checked seconds = noteSeconds(quarter.value, row.value, row.feel);
    ASSERT_TRUE(seconds.ok());
    EXPECT_EQ(formatNumber(seconds.value), row.seconds);
    const Checked hz = noteHz(seconds.value);
    ASSERT_TRUE(hz.ok());
    EXPECT_EQ(formatNumber(hz.value), row.hz);
}

INSTANTIATE_TEST_SUITE_P(Rows, NoteLengthAndRate, testing::ValuesIn(noteLengthAndRateRows));

struct SampleRow {
    double seconds;
    double sampleRate;
    std::optional<std::int32_t> samples;
};

const SampleRow sampleRows[] = {
    {0.5, 48000, 24000},
    {0.4, 96000, 38400},
    {0.0428571428571429, 192000, 8229}, // 8228.57...
    // Exact halves go to the even neighbour, down and up.
    {0.125, 44100, 5512},  // 5512.5
    {0.375, 44100, 16538}, // 16537.5
    {0.125, 88200, 11025},
    // 240000 seconds at 192000 Hz is beyond 32 bits.
    {240000, 192000, std::nullopt},
    {-0.125, 44100, -5512},
};

class NoteSamples : public testing::TestWithParam<SampleRow> {};

TEST_P(NoteSamples, RoundHalvesToEvenWithinThirtyTwoBits) {
    const SampleRow& row = GetParam();
    EXPECT_EQ(noteSamples(row.seconds, row.sampleRate), row.samples);
}

INSTANTIATE_TEST_SUITE_P(Rows, NoteSamples, testing::ValuesIn(sampleRows));

TEST(NoteValues, OutOfRangeIsAFaultNeverInfinity) {
    // 60 / 1E-306 is a quarter note that fits; four of them do not.
    const Checked quarter = quarterNoteSeconds(1E-306, TempoKind::BeatsPerMinute);
    ASSERT_TRUE(quarter.ok());
    EXPECT_EQ(noteSeconds(quarter.value, NoteValue::Whole, NoteFeel::Straight).fault, ArithFault::Overflow);
    EXPECT_EQ(noteSeconds(quarter.value, NoteValue::Half, NoteFeel::Dotted).fault, ArithFault::Overflow);
    EXPECT_TRUE(noteSeconds(quarter.value, NoteValue::Half, NoteFeel::Triplet).ok());
    EXPECT_EQ(quarterNoteSeconds(1E-307, TempoKind::BeatsPerMinute).fault, ArithFault::Overflow);
    EXPECT_EQ(quarterNoteSeconds(0, TempoKind::CyclesPerSecond).fault, ArithFault::DivisionByZero);
    EXPECT_FALSE(quarterNoteSeconds(120, TempoKind::None).ok());
}

} // namespace
} // namespace tactora
