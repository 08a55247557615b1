// Build-time tool: turns the icon's XPM source into the Windows icon file and the PNG
// that the Qt program and the desktop theme use, so that one picture feeds both.
//
// Usage: icon_convert <source.xpm> <output.ico> <output.png>

#include "ico_writer.h"
#include "png_writer.h"
#include "xpm_reader.h"

#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace {

std::string readText(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error(std::string("cannot open ") + path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const char* path, const icon::Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error(std::string("cannot write ") + path);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: icon_convert <source.xpm> <output.ico> <output.png>\n";
        return 2;
    }
    try {
        // Both files are made before either is written, so a refused picture leaves neither behind.
        const icon::IconImage image = icon::readXpm(readText(argv[1]));
        const icon::Bytes ico = icon::writeIco(image);
        const icon::Bytes png = icon::writePng(image);
        writeBytes(argv[2], ico);
        writeBytes(argv[3], png);
    } catch (const std::exception& error) {
        std::cerr << argv[1] << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}
