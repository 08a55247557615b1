#include "core/note_values.h"
#include "tests/core/row_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <compare>
#include <optional>
#include <string>
#include <vector>

namespace tactora {
namespace {

enum class Figure { Seconds, Milliseconds, Hz, Samples44100 };

struct CellRow {
    double tempo;
    TempoKind kind;
    NoteBeat beat;
    NoteValue value;
    NoteFeel feel;
    Figure figure;
    std::string expected; // the digits of the exact value; a double on the way gave the second
};

std::string figureText(const NoteCell& cell, Figure figure) {
    switch (figure) {
    case Figure::Seconds:
        return cell.lengthText(1.0).value_or("out of range");
    case Figure::Milliseconds:
        return cell.lengthText(1000.0).value_or("out of range");
    case Figure::Hz:
        return cell.rateText().value_or("out of range");
    case Figure::Samples44100:
        break;
    }
    const std::optional<std::int32_t> samples = cell.samples(44100.0);
    return samples ? std::to_string(*samples) : "out of range";
}

constexpr auto bpm = TempoKind::BeatsPerMinute;
constexpr auto hz = TempoKind::CyclesPerSecond;

// For the rows' names, in the order of the enumerations.
std::string kindName(TempoKind kind) {
    return kind == bpm ? "Bpm" : (kind == hz ? "Hz" : "NoKind");
}
constexpr const char* beatNames[noteBeatCount] = {"QuarterBeat", "DottedQuarterBeat", "HalfBeat",
                                                  "EighthBeat"};
constexpr const char* valueNames[noteValueCount] = {"Whole",     "Half",         "Quarter",    "Eighth",
                                                    "Sixteenth", "ThirtySecond", "SixtyFourth"};
constexpr const char* feelNames[noteFeelCount] = {"", "Dotted", "Triplet", "Quintuplet"};
constexpr const char* figureNames[] = {"Seconds", "Ms", "Hz", "Samples44100"};

using B = NoteBeat;
using V = NoteValue;
using F = NoteFeel;
// In the comments, what a double a step before the rounding gave.
const CellRow cellRows[] = {
    {60, bpm, B::DottedQuarter, V::Eighth, F::Straight, Figure::Milliseconds, "333.333333333333"},
    {60, bpm, B::DottedQuarter, V::Quarter, F::Straight, Figure::Milliseconds, "666.666666666667"},
    {97.3, bpm, B::Quarter, V::Whole, F::Triplet, Figure::Seconds, "1.64439876670093"},     // ...092
    {1.7, bpm, B::Quarter, V::Half, F::Straight, Figure::Milliseconds, "70588.2352941176"}, // ...177
    {1.73, hz, B::Quarter, V::ThirtySecond, F::Dotted, Figure::Hz, "9.22666666666667"},     // ...666
    // 1.2 and 0.1 are a little off in binary, so the exact samples are a hair either side of
    // the half that the doubles met exactly.
    {1.2, bpm, B::Quarter, V::SixtyFourth, F::Straight, Figure::Samples44100, "137813"}, // 137812
    {0.1, hz, B::Quarter, V::ThirtySecond, F::Dotted, Figure::Samples44100, "82687"},    // 82688
    {864, bpm, B::Quarter, V::Quarter, F::Straight, Figure::Samples44100, "3062"},       // 3062.5 exactly
    {1E-307, bpm, B::Quarter, V::Whole, F::Straight, Figure::Seconds, "out of range"},
};

class NoteCellFigures : public testing::TestWithParam<CellRow> {};

TEST_P(NoteCellFigures, AreRoundedOnceFromTheExactValue) {
    const CellRow& row = GetParam();
    const std::optional<NoteCell> cell = noteCell(row.tempo, row.kind, row.beat, row.value, row.feel);
    ASSERT_TRUE(cell.has_value());
    EXPECT_EQ(figureText(*cell, row.figure), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, NoteCellFigures, testing::ValuesIn(cellRows),
                         [](const testing::TestParamInfo<CellRow>& info) {
                             const CellRow& row = info.param;
                             return kindName(row.kind) + numberName(row.tempo) + '_' +
                                    beatNames[static_cast<int>(row.beat)] + '_' +
                                    feelNames[static_cast<int>(row.feel)] +
                                    valueNames[static_cast<int>(row.value)] + '_' +
                                    figureNames[static_cast<int>(row.figure)];
                         });

// Exact decimals for the reference, apart from the fractions the cells are made of: a whole
// number in base 10^9 limbs, least significant first, times a power of ten.
struct Decimal {
    std::vector<std::uint64_t> limbs;
    int exponent = 0;
};

Decimal operator*(const Decimal& a, const Decimal& b) {
    Decimal product{std::vector<std::uint64_t>(a.limbs.size() + b.limbs.size() + 1, 0),
                    a.exponent + b.exponent};
    for (std::size_t i = 0; i < a.limbs.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.limbs.size() || carry != 0; ++j) {
            const std::uint64_t sum =
                product.limbs[i + j] + carry + (j < b.limbs.size() ? a.limbs[i] * b.limbs[j] : 0);
            product.limbs[i + j] = sum % 1000000000;
            carry = sum / 1000000000;
        }
    }
    while (!product.limbs.empty() && product.limbs.back() == 0) {
        product.limbs.pop_back(); // so that compare can count limbs
    }
    return product;
}

Decimal decimalOf(std::uint64_t whole, int exponent = 0) {
    Decimal out{{}, exponent};
    for (; whole != 0; whole /= 1000000000) {
        out.limbs.push_back(whole % 1000000000);
    }
    return out;
}

// A double's exact value: 767 significant digits hold every one.
Decimal exactOf(double value) {
    char text[800];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 766).ptr;
    const std::string_view all(text, static_cast<std::size_t>(end - text));
    std::string digits = std::string(all.substr(0, 1)) + std::string(all.substr(2, 766));
    const int exponent = std::stoi(std::string(all.substr(all.find('e') + 1))) - 766;
    const std::size_t kept = digits.find_last_not_of('0') + 1; // trailing zeros only slow the products
    Decimal out{{}, exponent + static_cast<int>(digits.size() - kept)};
    digits.resize(kept);
    for (std::size_t end9 = digits.size(); end9 > 0; end9 -= std::min<std::size_t>(end9, 9)) {
        const std::size_t start = end9 - std::min<std::size_t>(end9, 9);
        out.limbs.push_back(std::stoull(digits.substr(start, end9 - start)));
    }
    return out;
}

int compare(Decimal a, Decimal b) {
    // Brought to the lower exponent, then compared as whole numbers.
    Decimal& higher = a.exponent > b.exponent ? a : b;
    const int lower = std::min(a.exponent, b.exponent);
    for (; higher.exponent >= lower + 9; higher.exponent -= 9) {
        higher.limbs.insert(higher.limbs.begin(), 0);
    }
    std::uint64_t scale = 1;
    for (; higher.exponent > lower; --higher.exponent) {
        scale *= 10;
    }
    higher = higher * decimalOf(scale);
    if (a.limbs.size() != b.limbs.size()) {
        return a.limbs.size() < b.limbs.size() ? -1 : 1;
    }
    const auto order = std::lexicographical_compare_three_way(a.limbs.rbegin(), a.limbs.rend(),
                                                              b.limbs.rbegin(), b.limbs.rend());
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

// That text, the display of a number, is numerator / denominator rounded to 15 significant
// digits with halves to even: it lies within half a unit of the last digit.
void expectRounded(const std::string& text, const Decimal& numerator, const Decimal& denominator) {
    const std::size_t e = text.find('E');
    std::uint64_t whole = 0;
    int exponent = e == std::string::npos ? 0 : std::stoi(text.substr(e + 1));
    bool fraction = false;
    for (const char c : text.substr(0, e)) {
        if (c == '.') {
            fraction = true;
        } else {
            ASSERT_TRUE(c >= '0' && c <= '9') << text;
            whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
            exponent -= fraction ? 1 : 0;
        }
    }
    for (; whole < 100000000000000; whole *= 10) {
        --exponent;
    }
    // Below a power of ten the digits, and so the half unit, are ten times finer.
    const bool powerOfTen = whole == 100000000000000;
    const Decimal upper = decimalOf(10 * whole + 5, exponent - 1);
    const Decimal lower =
        powerOfTen ? decimalOf(100 * whole - 5, exponent - 2) : decimalOf(10 * whole - 5, exponent - 1);
    const int above = compare(numerator, upper * denominator);
    const int below = compare(numerator, lower * denominator);
    EXPECT_TRUE(above < 0 || (above == 0 && whole % 2 == 0)) << text;
    EXPECT_TRUE(below > 0 || (below == 0 && whole % 2 == 0)) << text;
}

TEST(NoteCell, EveryFigureMatchesTheExactFraction) {
    std::uint64_t state = 2004;
    const auto nextUnit = [&state] { // splitmix64, as a double in [0, 1)
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1p-53;
    };
    const Decimal largest = exactOf(std::numeric_limits<double>::max());
    for (int i = 0; i < 200; ++i) {
        const TempoKind kind = i % 2 == 0 ? bpm : hz;
        const double limit = kind == bpm ? 4294967296.0 : 20000.0;
        // A third anywhere in the range down to the least double, the rest as typed.
        const double tempo =
            i % 3 == 0
                ? std::min(limit, std::ldexp(1.0 + nextUnit(), -1074 + static_cast<int>(1107 * nextUnit())))
                : std::round((0.01 + 400.0 * nextUnit()) * 1000.0) / 1000.0;
        const auto beat = static_cast<NoteBeat>(i % noteBeatCount);
        const Decimal exactTempo = exactOf(tempo);
        // The beat in sixteenth notes, and a note value in 1/60 of a sixty-fourth note.
        constexpr std::uint64_t beatSixteenths[noteBeatCount] = {4, 6, 8, 2};
        for (int v = 0; v < noteValueCount; ++v) {
            for (int f = 0; f < noteFeelCount; ++f) {
                constexpr std::uint64_t feelSixtieths[noteFeelCount] = {60, 90, 40, 48};
                const std::uint64_t sixtieths = (std::uint64_t{64} >> v) * feelSixtieths[f];
                // seconds = sixtieths / 60 / 4 / beatSixteenths * (60 or 1) / tempo
                const Decimal numerator = decimalOf(sixtieths * (kind == bpm ? 60 : 1));
                const Decimal denominator =
                    decimalOf(240 * beatSixteenths[static_cast<int>(beat)]) * exactTempo;
                const NoteCell cell =
                    *noteCell(tempo, kind, beat, static_cast<NoteValue>(v), static_cast<NoteFeel>(f));
                for (const std::uint64_t unit : {1, 1000}) {
                    const Decimal length = numerator * decimalOf(unit);
                    const std::optional<std::string> text = cell.lengthText(static_cast<double>(unit));
                    ASSERT_EQ(text.has_value(), compare(length, largest * denominator) <= 0) << tempo;
                    if (text) {
                        expectRounded(*text, length, denominator);
                    }
                }
                expectRounded(cell.rateText().value(), denominator, numerator);
                // Within n +- 1/2: 2n - 1 <= 2 * exact <= 2n + 1; none means 2^31 - 1/2 or more.
                const Decimal twice = numerator * decimalOf(2 * 192000);
                const std::optional<std::int32_t> samples = cell.samples(192000.0);
                const std::uint64_t n = samples ? static_cast<std::uint64_t>(*samples) : 2147483648;
                EXPECT_GE(compare(twice, decimalOf(n > 0 ? 2 * n - 1 : 0) * denominator), 0) << tempo;
                if (samples) {
                    EXPECT_LE(compare(twice, decimalOf(2 * n + 1) * denominator), 0) << tempo;
                }
            }
        }
    }
}

} // namespace
struct MainBeatRow {
    TempoKind kind;
    double bars;
    double beatsPerBar;
    NoteBeat beat;
    std::optional<NoteName> note;
};

class MainBeatNotes : public testing::TestWithParam<MainBeatRow> {};

TEST_P(MainBeatNotes, NameTheMainWindowsOneBeatAsANoteOfTheTable) {
    const MainBeatRow& row = GetParam();
    EXPECT_EQ(mainBeatNote(row.kind, row.bars, row.beatsPerBar, row.beat), row.note);
}

const MainBeatRow mainBeatRows[] = {
    {bpm, 1, 4, NoteBeat::Quarter, NoteName{NoteValue::Quarter, NoteFeel::Straight}},
    {bpm, 2, 4, NoteBeat::Quarter, NoteName{NoteValue::Eighth, NoteFeel::Straight}},
    {bpm, 1, 6, NoteBeat::Quarter, NoteName{NoteValue::Quarter, NoteFeel::Triplet}},
    {bpm, 1, 5, NoteBeat::Quarter, NoteName{NoteValue::Quarter, NoteFeel::Quintuplet}},
    {bpm, 1.5, 4, NoteBeat::Quarter, NoteName{NoteValue::Quarter, NoteFeel::Triplet}},
    // With a dotted-quarter beat the main window's eighth, half a beat of its own, is 3/4 of
    // this window's quarter: a dotted eighth.
    {bpm, 2, 4, NoteBeat::DottedQuarter, NoteName{NoteValue::Eighth, NoteFeel::Dotted}},
    // In cut time a beat is a half note, and two of the main window's beats a bar one each.
    {bpm, 1, 4, NoteBeat::Half, NoteName{NoteValue::Half, NoteFeel::Straight}},
    {bpm, 2, 4, NoteBeat::Half, NoteName{NoteValue::Quarter, NoteFeel::Straight}},
    {bpm, 1, 7, NoteBeat::Quarter, std::nullopt},
    {bpm, 1, 512, NoteBeat::Quarter, std::nullopt}, // shorter than a sixty-fourth
    // At a rate the main window's one beat is one cycle, the beat itself.
    {TempoKind::CyclesPerSecond, 3, 7, NoteBeat::DottedQuarter,
     NoteName{NoteValue::Quarter, NoteFeel::Dotted}},
    {TempoKind::None, 1, 4, NoteBeat::Quarter, std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Rows, MainBeatNotes, testing::ValuesIn(mainBeatRows),
                         [](const testing::TestParamInfo<MainBeatRow>& info) {
                             const MainBeatRow& row = info.param;
                             return kindName(row.kind) + "_Bars" + numberName(row.bars) + "_Beats" +
                                    numberName(row.beatsPerBar) + '_' + beatNames[static_cast<int>(row.beat)];
                         });

} // namespace tactora
