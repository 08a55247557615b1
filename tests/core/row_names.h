#pragma once

// Names for the rows of parameterised tests, so that a failing row is told by what it holds:
// without a name GoogleTest numbers the rows, and ctest shows them as their bytes. A name
// takes letters, digits and '_' only.

#include "core/number_format.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>

namespace tactora {

// A number as the result fields write it, made a name: 97.3 is 97p3, 1E-300 is 1Em300,
// -4.8 is m4p8.
inline std::string numberName(double value) {
    std::string name;
    for (const char c : formatNumber(value)) {
        if (c == '.') {
            name += 'p';
        } else if (c == '-') {
            name += 'm';
        } else if (c != '+') {
            name += c;
        }
    }
    return name;
}

// A row's description made a name: its words run together, each capitalised, and a decimal
// point between digits written as p ("3.5 beats: a bar" is 3p5BeatsABar).
inline std::string identifierOf(std::string_view words) {
    std::string name;
    bool wordStart = true;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto c = static_cast<unsigned char>(words[i]);
        const bool betweenDigits = i > 0 && i + 1 < words.size() &&
                                   std::isdigit(static_cast<unsigned char>(words[i - 1])) != 0 &&
                                   std::isdigit(static_cast<unsigned char>(words[i + 1])) != 0;
        if (std::isalnum(c) != 0) {
            name += static_cast<char>(wordStart ? std::toupper(c) : c);
            wordStart = false;
        } else if (c == '.' && betweenDigits) {
            name += 'p';
        } else {
            wordStart = true;
        }
    }
    return name;
}

// Names the rows of a table whose rows describe themselves in a name field.
struct NameField {
    template <typename Row> std::string operator()(const testing::TestParamInfo<Row>& info) const {
        return identifierOf(info.param.name);
    }
};

} // namespace tactora
