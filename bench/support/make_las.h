#pragma once
#include <cstddef>
#include <filesystem>
#include <ostream>
#include <string>

namespace lithora::bench {

// A LAS 2.0 file of `rows` depth steps (0.1524 m apart, from 500 m down) and 12 curves:
// DEPT, RHOB, GR, DT, DTSM, NPHI, PEF, CALI, SP, ILD, ILM, SFLU. Values are smooth
// pseudo-random logs written with 4 decimals, about one sample in a hundred the null value
// -999.25, one depth step per line. The same row count always gives the same bytes.
void writeLas(std::ostream& out, std::size_t rows);
std::string makeLas(std::size_t rows);
void writeLasFile(const std::filesystem::path& path, std::size_t rows);

}  // namespace lithora::bench
