#include "xpm_reader.h"

#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

namespace icon {

namespace {

// The quoted strings of the C array, in order; comments are skipped so that a quote
// inside one is not taken for data.
std::vector<std::string> quotedStrings(std::string_view text) {
    std::vector<std::string> strings;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.substr(i, 2) == "/*") {
            const std::size_t end = text.find("*/", i + 2);
            if (end == std::string_view::npos) {
                throw std::runtime_error("unterminated comment");
            }
            i = end + 2;
        } else if (text[i] == '"') {
            const std::size_t end = text.find('"', i + 1);
            if (end == std::string_view::npos) {
                throw std::runtime_error("unterminated string");
            }
            strings.emplace_back(text.substr(i + 1, end - i - 1));
            i = end + 1;
        } else {
            ++i;
        }
    }
    return strings;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    throw std::runtime_error(std::string("not a hexadecimal digit: ") + c);
}

Rgb parseHexColour(const std::string& value) {
    if (value.size() != 7 || value[0] != '#') {
        throw std::runtime_error("colour is not #RRGGBB: " + value);
    }
    const auto byteAt = [&value](std::size_t i) {
        return static_cast<std::uint8_t>(hexDigit(value[i]) * 16 + hexDigit(value[i + 1]));
    };
    return Rgb{byteAt(1), byteAt(3), byteAt(5)};
}

// One colour line: the pixel key, then pairs of context and value; only the colour
// context "c" is read.
std::pair<std::string, Rgb> parseColourLine(const std::string& line, std::size_t charsPerPixel) {
    if (line.size() < charsPerPixel) {
        throw std::runtime_error("colour line too short: " + line);
    }
    std::istringstream rest(line.substr(charsPerPixel));
    std::string context;
    std::string value;
    while (rest >> context >> value) {
        if (context == "c") {
            return {line.substr(0, charsPerPixel), parseHexColour(value)};
        }
    }
    throw std::runtime_error("colour line has no \"c #RRGGBB\": " + line);
}

} // namespace

IconImage readXpm(std::string_view text) {
    const std::vector<std::string> strings = quotedStrings(text);
    if (strings.empty()) {
        throw std::runtime_error("no XPM values line");
    }
    IconImage image;
    int colourCount = 0;
    int charsPerPixel = 0;
    std::istringstream values(strings[0]);
    if (!(values >> image.width >> image.height >> colourCount >> charsPerPixel) || image.width <= 0 ||
        image.height <= 0 || colourCount <= 0 || charsPerPixel <= 0) {
        throw std::runtime_error("bad XPM values line: " + strings[0]);
    }
    const auto cpp = static_cast<std::size_t>(charsPerPixel);
    const auto colours = static_cast<std::size_t>(colourCount);
    if (strings.size() != 1 + colours + static_cast<std::size_t>(image.height)) {
        throw std::runtime_error("XPM line count does not match its values line");
    }

    std::map<std::string, Rgb> palette;
    for (std::size_t i = 1; i <= colours; ++i) {
        palette.insert(parseColourLine(strings[i], cpp));
    }
    image.pixels.reserve(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    for (std::size_t row = 1 + colours; row < strings.size(); ++row) {
        const std::string& line = strings[row];
        if (line.size() != static_cast<std::size_t>(image.width) * cpp) {
            throw std::runtime_error("pixel row of the wrong length: " + line);
        }
        for (std::size_t i = 0; i < line.size(); i += cpp) {
            const auto found = palette.find(line.substr(i, cpp));
            if (found == palette.end()) {
                throw std::runtime_error("pixel with no colour: " + line.substr(i, cpp));
            }
            image.pixels.push_back(found->second);
        }
    }
    return image;
}

} // namespace icon
