#pragma once
// A session file (".lithora"): what the user made of one well, so that it can be taken up
// again later. It names the file the well was read from (with a checksum of its bytes, so a
// file changed since is noticed) and holds what the user chose and arranged; the tables
// themselves are made again from the source file when the session is opened.
//
// The file is JSON with a "version" number; a reader refuses a version newer than its own.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/chart/track_layout.h"
#include "core/commands/compute_elastic.h"
#include "core/export/litholog.h"
#include "core/workspace/workspace.h"

namespace lithora::session {

// The version this program writes and the newest it reads.
inline constexpr int kSessionVersion = 1;

// The file the well was read from.
struct SourceFile {
    enum class Kind { Las, Ascii };
    std::filesystem::path path;  // absolute
    Kind kind = Kind::Las;
    std::uint64_t size = 0;
    std::uint64_t checksum = 0;  // fileChecksum() of its bytes
    bool operator==(const SourceFile&) const = default;
};

// A depth range, top above bottom, bounds inclusive.
struct DepthBounds {
    double top = 0, bottom = 0;
    bool operator==(const DepthBounds&) const = default;
};

// The elastic computation as the user answered its dialogs: curves, units, Vs.
struct ElasticSettings {
    commands::CurveChoice curves;
    bool measuredVs = false;
    workspace::ElasticUnits units{};
    compute::VsSettings vs{};
    // The depth filter in force when the computation ran: it computed the records shown then.
    std::optional<DepthBounds> computedWithin;
    bool operator==(const ElasticSettings& o) const;
};

// How one track of the Graph page was drawn: its value range, logarithmic axis and colour.
struct TrackLook {
    int slot = 0;
    double lo = 0, hi = 1;
    bool logarithmic = false;
    std::string colour;  // "#rrggbb"
    bool operator==(const TrackLook&) const = default;
};

struct Session {
    SourceFile source;
    std::optional<ElasticSettings> elastic;
    std::optional<DepthBounds> filter;                 // the depth filter in force
    std::vector<exporter::LithologInterval> litholog;  // complete intervals, in order
    chart::TrackArrangement tracks;                    // the Graph page's arrangement
    std::vector<TrackLook> looks;                      // by slot
    std::vector<std::string> openWindows;              // names of the windows open
    bool operator==(const Session&) const = default;
};

// The JSON text of a session (lines end with CR LF).
std::string sessionText(const Session& session);
// Writes the file beside and renames it over target; throws lithora::Error naming the file.
void writeSessionFile(const std::filesystem::path& target, const Session& session);

// What reading a session gave: the session, or why it was refused (one sentence, for the
// user). A refused file gives no session.
struct SessionRead {
    std::optional<Session> session;
    std::string error;
};
SessionRead readSessionText(std::string_view text);
// Reads a file; a file that cannot be read is refused naming it.
SessionRead readSessionFile(const std::filesystem::path& file);

// A 64-bit FNV-1a checksum of a file's bytes, and its size; throws lithora::Error naming the
// file when it cannot be read.
struct FileFingerprint {
    std::uint64_t size = 0, checksum = 0;
};
FileFingerprint fileFingerprint(const std::filesystem::path& file);

// Why the source file of a session cannot be used, naming it ("The source file ... cannot be
// found." or "... has changed since the session was saved."); empty when it is as it was.
std::string checkSourceFile(const SourceFile& source);

}  // namespace lithora::session
