// Writes the reproducers too large to keep in the repository, at their full size, into the
// folder given (one folder per fuzz target), so that the replay tests feed them on every run:
// - las: a UTF-16 file whose one header line is 400 KB of characters outside ASCII, so that its
//   text decodes larger than the file; a file of 20 MB without a line end.
// - ascii: a header of 150,000 columns and one data line of 4 MB without a tab.
// - lapse: 100,000 rows that all log one depth.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

void write(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string utf16le(const std::u16string& text) {
    std::string out = "\xFF\xFE";
    out.reserve(2 + 2 * text.size());
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

std::string longUtf16HeaderLine() {
    std::u16string text = u"~VERSION\n VERS. 2.0 :\n WRAP. NO :\n~WELL\n NULL. -999.25 :\n~OTHER\n";
    text.append(200000, u'\u20AC');
    text += u"\n~CURVE\n DEPT.M : D\n GR.GAPI : G\n~A\n";
    for (int i = 0; i < 30000; ++i) text += u"1500.25 45.5\n";
    return utf16le(text);
}

std::string wideAsciiLine() {
    std::string text = "Column 1 : DEPTH m\n";
    for (int i = 2; i <= 150000; ++i)
        text += "Column " + std::to_string(i) + " : C (C) - Units : u\n";
    text += "1500.5" + std::string(4u << 20, ' ') + "\n";
    return text;
}

std::string oneDepthRepeated() {
    std::string text =
        "~VERSION\n VERS. 2.0 :\n WRAP. NO :\n~WELL\n NULL. -999.25 :\n~CURVE\n DEPT.M : D\n"
        " GR.GAPI : G\n~A\n";
    for (int i = 0; i < 100000; ++i) text += "1500.0 " + std::to_string(i % 97) + "\n";
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_large_inputs FOLDER\n");
        return 2;
    }
    const fs::path dir = argv[1];
    write(dir / "las" / "utf16_long_header_line.las", longUtf16HeaderLine());
    write(dir / "las" / "no_line_end.las", std::string(20u << 20, 'x'));
    write(dir / "ascii" / "wide_header_long_line_without_tabs.txt", wideAsciiLine());
    write(dir / "lapse" / "one_depth_repeated.las", oneDepthRepeated());
    return 0;
}
