#pragma once
#include <filesystem>
#include <string>
#include <string_view>

#include "core/common/error.h"
#include "core/import/import_result.h"

namespace lithora::import {

// Line 0 of the file does not hold "Column 1 : ": the file is not an ASCII column file. The
// desktop shows this message with a warning icon (other read errors get an error icon).
class AsciiHeaderError : public lithora::Error {
  public:
    explicit AsciiHeaderError(const std::string& fileName)
        : Error("Error reading file : " + fileName) {}
};

// Reads a tab-separated column file of the kind the ASCII export writes
// (File > Open > ASCII File).
//
// Line 0 describes the index column ("Column 1 : name unit", or laid out like the other
// header lines); each following line that begins with "Column" describes one more column
// ("Column N : name (name) - Units : unit"); the first other line starts the data. Each data
// line is one row: values separated by tabs, the last value taken from at most 11
// characters, "-999.0000" and empty values null, numbers with "." as decimal separator. An
// empty line within the data is a row of nulls; empty lines at the end of the file are not
// rows.
//
// Throws AsciiHeaderError("Error reading file : " + fileName) for a file without
// "Column 1 : " in line 0, and lithora::Error("Error reading file.") for every other fault
// (an empty column name, a value that is not a number, no data row). A repeated column name
// gets a distinct field name ("Depth_2"), as LAS curves do. Names and units are held as
// UTF-8: the header is UTF-8 when its bytes are, else Windows-1252; UTF-16 files are decoded.
ImportResult readAscii(std::string_view bytes, const std::string& fileName,
                       const Progress& progress = {});

// Same for a file on disk; the message of a missing header names path as given.
ImportResult readAsciiFile(const std::filesystem::path& path, const Progress& progress = {});

}  // namespace lithora::import
