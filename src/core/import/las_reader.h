#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "core/import/import_result.h"

namespace lithora::import {

// Reads one LAS 2.0 file (File > Open > LAS File).
//
// The reader looks only at what it needs: the NULL item, the curve section ("~C") and the
// data section ("~A"); every line from the first through the "~A" line is kept for the
// header memo. The data section is a stream of numbers separated by blanks, tabs and line
// ends, one value per curve and depth step, so wrapped and unwrapped files read alike, and an
// unfinished last depth step is dropped. A file whose version section says "WRAP. NO" is read
// one depth step per data line instead: missing values of a line are null, surplus values
// dropped, and the result carries one warning that counts such lines. Values are separated
// by blanks and tabs, and by commas too on a line that holds commas and no blank between its
// values, or in every line when the version section says "DLM. COMMA"; "DLM. TAB" separates
// them by tabs alone. A token that is not a number (a text, or a quoted text with blanks) is
// a null sample in its own place, and one warning names the curves that held text; a value
// equal to the NULL item is a null sample except in the depth column. Rows come out
// shallowest first whatever the order in the file.
//
// LAS 3.0: the log data set ("~Log_Definition" and "~Log_Data", or "~Curve" and "~A") is read
// as above, array curves ("NMR[1]", "NMR[2]") as curves of their own. The sections of other
// data sets (core, tops, inclinometry, ...) before or after it are kept in the header text
// and named in a warning; a file holding no log data set is refused and says which it holds.
//
// Every failure (no curve section, no curve in it, no NULL item or one that is not a
// number, no "~A" line, no data row or none with a depth, unreadable file) throws
// lithora::Error("Error reading file.").
ImportResult readLas(std::string_view bytes, const Progress& progress = {});

// Same for a file on disk, read in chunks so the data section is never held as text.
ImportResult readLasFile(const std::filesystem::path& path, const Progress& progress = {});

// The curves a caller reads of a file, chosen once its header is read: called with the result
// so far (names, catalogue, roles, no data), it gives true for each curve to read. The depth
// (the first curve) is always read. The values of the other curves are passed over without
// being converted and their columns stay empty; warnings name only the curves read.
using CurveChoice = std::function<std::vector<bool>(const ImportResult& header)>;
ImportResult readLasFile(const std::filesystem::path& path, const Progress& progress,
                         CurveChoice choose);

// The header of a file on disk, read only as far as its "~A" line: the curves (names,
// labels, catalogue, roles, unit tags), NULL and the header lines, with no data (columns
// empty). Fails as readLasFile does for a file that has no curve section, no NULL item or no
// "~A" line.
ImportResult readLasHeaderFile(const std::filesystem::path& path);

// The reader behind both: takes the bytes of one file in pieces of any size, in order, and
// gives the same result as readLas on the whole. totalBytes (the file size, 0 when unknown)
// scales the progress reports and the room reserved for the columns.
class LasStream {
  public:
    // fileName, when given, names the file in the warnings of the result.
    explicit LasStream(std::uint64_t totalBytes = 0, Progress progress = {},
                       std::string fileName = {});
    ~LasStream();
    LasStream(const LasStream&) = delete;
    LasStream& operator=(const LasStream&) = delete;

    void feed(std::string_view bytes);
    // Makes finish() end after the header: the result has no data. Call before the bytes
    // after the "~A" line are fed, for instance once headerDone() says the header is read.
    void stopAfterHeader();
    bool headerDone() const;
    // Reads only the curves choose picks (see CurveChoice). Call before the bytes after the
    // "~A" line are fed.
    void readOnly(CurveChoice choose);
    // Ends the input; may be called once.
    ImportResult finish();

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace lithora::import
