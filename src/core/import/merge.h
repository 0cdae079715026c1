#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/import/import_result.h"

namespace lithora::import {

// The multi-file LAS merge (File > Open 2): a source table built from curves chosen from
// several LAS files. Every file is read by the LAS import itself, with its own NULL value,
// its own order (a file logged upwards is turned round) and the import's rules for units,
// words that are no number, wrapped lines, comments and section ends.

// The curves of one file as the merge lists them for choosing: each curve line's mnemonic
// (the text before its "."), in file order; the first is the file's depth.
// Throws lithora::Error("Error reading file.\n<file>") when the file has no curve section
// or cannot be read.
std::vector<std::string> mergeCurveList(const std::filesystem::path& file);

// One chosen curve: the file it comes from (an index into the file list), its place among
// that file's curves (1 = the file's depth) and the name it is listed under.
struct MergeChoice {
    std::size_t file = 0;
    int column = 1;
    std::string name;
};

// Why a choice cannot be merged before any file is read: nothing chosen, a choice outside
// the file list, or a first curve that is not a file's depth; nullopt when it can.
std::optional<std::string> mergeChoiceError(std::size_t fileCount,
                                            const std::vector<MergeChoice>& chosen);

// Builds the source table of the chosen curves, in the order chosen; the first is the
// depth and must be a file's depth curve. There is one record per depth of the files that
// contribute a curve, in increasing depth (depths equal after rounding to a millionth of
// the depth unit are one depth; a file that logs a depth several times gives it as many
// records). Each other curve holds its file's value at that depth, null where its file has
// no sample there or holds its own NULL value. Field names are the chosen names, made
// distinct by a suffix ("GR", "GR_2"); the catalogue takes each curve's mnemonic and unit,
// the roles are recognised from the mnemonics as the LAS import does. NULL, depth unit and
// header lines are those of the last file of the list.
// Throws lithora::Error: "Error reading file.\n<file>" for a file that cannot be read, and a
// message of its own for a choice that names no curve.
ImportResult mergeLasFiles(const std::vector<std::filesystem::path>& files,
                           const std::vector<MergeChoice>& chosen, const Progress& progress = {});

}  // namespace lithora::import
