#include "support/make_las.h"

#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace lithora::bench {

namespace {

struct Curve {
    const char* line;  // the curve line of the header
    double base;
    double swing;
};

constexpr std::array<Curve, 11> kCurves = {{
    {" RHOB.G/C3                   :  2  BULK DENSITY", 2.4, 0.25},
    {" GR  .GAPI                   :  3  GAMMA RAY", 75, 45},
    {" DT  .US/F                   :  4  COMPRESSIONAL SLOWNESS", 95, 25},
    {" DTSM.US/F                   :  5  SHEAR SLOWNESS", 170, 40},
    {" NPHI.V/V                    :  6  NEUTRON POROSITY", 0.22, 0.12},
    {" PEF .B/E                    :  7  PHOTOELECTRIC FACTOR", 3.2, 1.1},
    {" CALI.IN                     :  8  CALIPER", 8.75, 0.6},
    {" SP  .MV                     :  9  SPONTANEOUS POTENTIAL", -40, 30},
    {" ILD .OHMM                   : 10  DEEP RESISTIVITY", 12, 9},
    {" ILM .OHMM                   : 11  MEDIUM RESISTIVITY", 10, 7},
    {" SFLU.OHMM                   : 12  SHALLOW RESISTIVITY", 8, 6},
}};

constexpr double kTop = 500.0;
constexpr double kStep = 0.1524;

// Right-aligns the value with 4 decimals in a field of 12 characters.
char* put(char* p, double v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
    auto n = static_cast<std::size_t>(r.ptr - buf);
    for (std::size_t i = n; i < 12; ++i) *p++ = ' ';
    for (std::size_t i = 0; i < n; ++i) *p++ = buf[i];
    return p;
}

}  // namespace

void writeLas(std::ostream& out, std::size_t rows) {
    const double bottom = kTop + kStep * static_cast<double>(rows == 0 ? 0 : rows - 1);
    out << "~VERSION INFORMATION\n"
           " VERS.                  2.0:   CWLS LOG ASCII STANDARD - VERSION 2.0\n"
           " WRAP.                   NO:   ONE LINE PER DEPTH STEP\n"
           "~WELL INFORMATION BLOCK\n"
           "#MNEM.UNIT      DATA             DESCRIPTION\n"
           "#---- ------ --------------   -----------------------------\n"
        << " STRT.M          " << kTop << ":    START DEPTH\n"
        << " STOP.M          " << bottom << ":    STOP DEPTH\n"
        << " STEP.M             " << kStep << ":    STEP VALUE\n"
        << " NULL.           -999.25:    NULL VALUE\n"
           " COMP.           BENCHMARK OIL:    COMPANY\n"
           " WELL.           SYNTHETIC #1:    WELL\n"
           "~CURVE INFORMATION\n"
           "#MNEM.UNIT      API CODE      CURVE DESCRIPTION\n"
           "#---------    -------------   ------------------------------\n"
           " DEPT.M                      :  1  DEPTH\n";
    for (const auto& c : kCurves) out << c.line << '\n';
    out << "~A       DEPT        RHOB          GR          DT        DTSM        NPHI         PEF"
           "        CALI          SP         ILD         ILM        SFLU\n";

    std::uint64_t seed = 0x9E3779B97F4A7C15ull;
    std::array<double, kCurves.size()> walk{};
    std::string block;
    block.reserve(1u << 20);
    char line[256];
    for (std::size_t r = 0; r < rows; ++r) {
        char* p = put(line, kTop + kStep * static_cast<double>(r));
        for (std::size_t c = 0; c < kCurves.size(); ++c) {
            seed = seed * 6364136223846793005ull + 1442695040888963407ull;
            double noise = static_cast<double>(seed >> 11) / 9007199254740992.0 - 0.5;
            walk[c] = 0.98 * walk[c] + 0.2 * noise;
            double v = kCurves[c].base +
                       kCurves[c].swing *
                           (0.6 * std::sin(static_cast<double>(r) * 0.003 + c) + 0.4 * walk[c]);
            bool isNull = ((seed >> 40) % 100) == 0;
            p = put(p, isNull ? -999.25 : v);
        }
        *p++ = '\n';
        block.append(line, p);
        if (block.size() > (1u << 20) - 256) {
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
            block.clear();
        }
    }
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
}

std::string makeLas(std::size_t rows) {
    std::ostringstream out;
    writeLas(out, rows);
    return std::move(out).str();
}

void writeLasFile(const std::filesystem::path& path, std::size_t rows) {
    std::ofstream out(path, std::ios::binary);
    writeLas(out, rows);
}

}  // namespace lithora::bench
