#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "core/compute/elastic.h"

namespace lithora::exporter {

// What Save Table writes after a LAS import.
struct LasExportInput {
    std::string depthUnit;          // "m" or "ft" write the STRT/STOP/STEP/DEPT lines
    std::string startText;          // depth of the first (visible) source record, number text
    std::string stopText;           // depth of the last (visible) source record
    std::string stepText;           // the "Interval" box of the Table page
    std::vector<std::string> memo;  // header memo lines (imported file, line 0 .. "~A")
    std::string nullValueText;
};

// What Save Table writes after an ASCII import.
struct AsciiExportInput {
    std::string headerLine;  // first line of the imported ASCII file
};

// Both writers write to a temporary file beside target and rename it over target when
// complete; on failure target is untouched and lithora::Error carries the message.
// Lines end with CR LF; numbers use '.'.
void writeLasTable(const std::filesystem::path& target, const LasExportInput& in,
                   const compute::ElasticColumns& table);
void writeAsciiTable(const std::filesystem::path& target, const AsciiExportInput& in,
                     const compute::ElasticColumns& table);

// The single formats, for tests and the command-line tool.
std::string lasTableText(const LasExportInput& in, const compute::ElasticColumns& table);
std::string asciiTableText(const AsciiExportInput& in, const compute::ElasticColumns& table);

}  // namespace lithora::exporter
