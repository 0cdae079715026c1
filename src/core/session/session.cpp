#include "core/session/session.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <nlohmann/json.hpp>

#include "core/common/error.h"
#include "core/common/file_writer.h"

namespace lithora::session {

using nlohmann::json;

bool ElasticSettings::operator==(const ElasticSettings& o) const {
    return curves.density == o.curves.density && curves.gammaRay == o.curves.gammaRay &&
           curves.pWave == o.curves.pWave && curves.sWave == o.curves.sWave &&
           measuredVs == o.measuredVs && units.pSonic == o.units.pSonic &&
           units.sSonic == o.units.sSonic && units.density == o.units.density &&
           vs.kind == o.vs.kind && vs.slope == o.vs.slope && vs.intercept == o.vs.intercept &&
           computedWithin == o.computedWithin;
}

namespace {

// The words the file uses for the program's choices.
const char* kindWord(SourceFile::Kind k) {
    return k == SourceFile::Kind::Las ? "las" : "ascii";
}
const char* sonicWord(compute::SonicUnit u) {
    return u == compute::SonicUnit::PerMetre ? "us/m" : "us/ft";
}
const char* densityWord(compute::DensityUnit u) {
    return u == compute::DensityUnit::GramsPerCc ? "g/cc" : "kg/m3";
}
const char* vsWord(compute::VsEquationKind k) {
    switch (k) {
        case compute::VsEquationKind::Sqrt3:
            return "sqrt3";
        case compute::VsEquationKind::Linear:
            return "linear";
        case compute::VsEquationKind::Lithology:
            return "lithology";
    }
    return "linear";
}

std::string hex64(std::uint64_t v) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(v));
    return text;
}

json boundsJson(const DepthBounds& b) {
    return {{"top", b.top}, {"bottom", b.bottom}};
}

// A refusal while reading: the part of the file and what is wrong with it.
struct Refused {
    std::string why;
};

[[noreturn]] void refuse(const std::string& where, const std::string& what) {
    throw Refused{"The session file is damaged: " + where + " " + what + "."};
}

const json& member(const json& object, const char* name, const std::string& where) {
    if (!object.is_object()) refuse(where, "is not an object");
    const auto it = object.find(name);
    if (it == object.end()) refuse(where, std::string("has no \"") + name + "\"");
    return *it;
}

std::string text(const json& object, const char* name, const std::string& where) {
    const json& v = member(object, name, where);
    if (!v.is_string()) refuse(where + "." + name, "is not a text");
    return v.get<std::string>();
}

double number(const json& object, const char* name, const std::string& where) {
    const json& v = member(object, name, where);
    if (!v.is_number()) refuse(where + "." + name, "is not a number");
    const double d = v.get<double>();
    if (!std::isfinite(d)) refuse(where + "." + name, "is not a finite number");
    return d;
}

int whole(const json& object, const char* name, const std::string& where, int lo, int hi) {
    const json& v = member(object, name, where);
    if (!v.is_number_integer()) refuse(where + "." + name, "is not a whole number");
    const auto i = v.get<long long>();
    if (i < lo || i > hi) refuse(where + "." + name, "is out of range");
    return static_cast<int>(i);
}

bool flag(const json& object, const char* name, const std::string& where) {
    const json& v = member(object, name, where);
    if (!v.is_boolean()) refuse(where + "." + name, "is not true or false");
    return v.get<bool>();
}

const json& list(const json& object, const char* name, const std::string& where) {
    const json& v = member(object, name, where);
    if (!v.is_array()) refuse(where + "." + name, "is not a list");
    return v;
}

// One of the words a field may hold, as the value that goes with it.
template <typename T>
T word(const json& object, const char* name, const std::string& where,
       std::initializer_list<std::pair<const char*, T>> words) {
    const std::string w = text(object, name, where);
    for (const auto& [candidate, value] : words)
        if (w == candidate) return value;
    refuse(where + "." + name, "holds the unknown value \"" + w + "\"");
}

std::uint64_t hexNumber(const json& object, const char* name, const std::string& where) {
    const std::string t = text(object, name, where);
    if (t.size() != 16 || t.find_first_not_of("0123456789abcdef") != std::string::npos)
        refuse(where + "." + name, "is not 16 hexadecimal digits");
    return std::stoull(t, nullptr, 16);
}

std::optional<DepthBounds> bounds(const json& object, const char* name, const std::string& where) {
    const auto it = object.find(name);
    if (it == object.end() || it->is_null()) return std::nullopt;
    const std::string w = where + "." + name;
    DepthBounds b{number(*it, "top", w), number(*it, "bottom", w)};
    if (!(b.top <= b.bottom)) refuse(w, "has its top below its bottom");
    return b;
}

constexpr int kMaxSlot = 1 << 20;
constexpr int kMaxWidth = 1 << 20;

Session parse(const json& root) {
    if (!root.is_object()) refuse("the file", "holds no session");
    Session s;
    const std::string top = "the session";

    const std::string src = "the source";
    const json& source = member(root, "source", top);
    s.source.path = std::filesystem::path(text(source, "path", src));
    if (s.source.path.empty()) refuse(src + ".path", "is empty");
    s.source.kind = word<SourceFile::Kind>(
        source, "kind", src, {{"las", SourceFile::Kind::Las}, {"ascii", SourceFile::Kind::Ascii}});
    s.source.checksum = hexNumber(source, "checksum", src);
    const json& size = member(source, "size", src);
    if (!size.is_number_unsigned() && !(size.is_number_integer() && size.get<long long>() >= 0))
        refuse(src + ".size", "is not a size");
    s.source.size = size.get<std::uint64_t>();

    if (const auto it = root.find("elastic"); it != root.end() && !it->is_null()) {
        const std::string w = "the elastic settings";
        const json& e = *it;
        ElasticSettings el;
        const json& curves = member(e, "curves", w);
        const std::string wc = w + ".curves";
        el.curves.density = text(curves, "density", wc);
        el.curves.gammaRay = text(curves, "gamma_ray", wc);
        el.curves.pWave = text(curves, "p_wave", wc);
        el.curves.sWave = text(curves, "s_wave", wc);
        el.measuredVs = flag(e, "measured_vs", w);
        const std::initializer_list<std::pair<const char*, compute::SonicUnit>> sonic = {
            {"us/m", compute::SonicUnit::PerMetre}, {"us/ft", compute::SonicUnit::PerFoot}};
        el.units.pSonic = word(e, "p_sonic_unit", w, sonic);
        el.units.sSonic = word(e, "s_sonic_unit", w, sonic);
        el.units.density = word<compute::DensityUnit>(
            e, "density_unit", w,
            {{"g/cc", compute::DensityUnit::GramsPerCc}, {"kg/m3", compute::DensityUnit::KgPerM3}});
        const json& vs = member(e, "vs", w);
        el.vs.kind =
            word<compute::VsEquationKind>(vs, "equation", w + ".vs",
                                          {{"sqrt3", compute::VsEquationKind::Sqrt3},
                                           {"linear", compute::VsEquationKind::Linear},
                                           {"lithology", compute::VsEquationKind::Lithology}});
        el.vs.slope = number(vs, "slope", w + ".vs");
        el.vs.intercept = number(vs, "intercept", w + ".vs");
        el.computedWithin = bounds(e, "computed_within", w);
        s.elastic = std::move(el);
    }

    s.filter = bounds(root, "filter", top);

    const json& litholog = list(root, "litholog", top);
    for (std::size_t i = 0; i < litholog.size(); ++i) {
        const std::string w = "litholog interval " + std::to_string(i + 1);
        exporter::LithologInterval interval;
        interval.top = number(litholog[i], "top", w);
        interval.bottom = number(litholog[i], "bottom", w);
        interval.lithology = text(litholog[i], "lithology", w);
        if (!(interval.top < interval.bottom)) refuse(w, "has its bottom above its top");
        if (!exporter::isLithologyName(interval.lithology))
            refuse(w, "names no lithology of the list");
        if (!s.litholog.empty() && s.litholog.back().bottom != interval.top)
            refuse(w, "does not begin where the interval above it ends");
        s.litholog.push_back(std::move(interval));
    }

    const json& tracks = list(root, "tracks", top);
    std::vector<bool> seen;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const std::string w = "track " + std::to_string(i + 1);
        chart::TrackPlacement p;
        p.slot = whole(tracks[i], "slot", w, 1, kMaxSlot);
        p.shown = flag(tracks[i], "shown", w);
        p.width = whole(tracks[i], "width", w, 0, kMaxWidth);
        if (seen.size() <= static_cast<std::size_t>(p.slot)) seen.resize(p.slot + 1u, false);
        if (seen[p.slot]) refuse(w, "names a track twice");
        seen[p.slot] = true;
        s.tracks.tracks.push_back(p);
    }

    const json& looks = list(root, "scales", top);
    for (std::size_t i = 0; i < looks.size(); ++i) {
        const std::string w = "scale " + std::to_string(i + 1);
        TrackLook look;
        look.slot = whole(looks[i], "slot", w, 1, kMaxSlot);
        look.lo = number(looks[i], "min", w);
        look.hi = number(looks[i], "max", w);
        if (!(look.lo < look.hi)) refuse(w, "has its minimum not below its maximum");
        look.logarithmic = flag(looks[i], "logarithmic", w);
        if (look.logarithmic && look.lo <= 0) refuse(w, "is logarithmic below zero");
        look.colour = text(looks[i], "colour", w);
        if (look.colour.size() != 7 || look.colour[0] != '#' ||
            look.colour.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
            refuse(w + ".colour", "is not a colour \"#rrggbb\"");
        s.looks.push_back(std::move(look));
    }

    const json& windows = list(root, "windows", top);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (!windows[i].is_string()) refuse("window " + std::to_string(i + 1), "is not a name");
        s.openWindows.push_back(windows[i].get<std::string>());
    }
    return s;
}

}  // namespace

std::string sessionText(const Session& s) {
    json root = json::object();
    root["version"] = kSessionVersion;
    root["source"] = {{"path", s.source.path.string()},
                      {"kind", kindWord(s.source.kind)},
                      {"size", s.source.size},
                      {"checksum", hex64(s.source.checksum)}};
    if (s.elastic) {
        const ElasticSettings& e = *s.elastic;
        json el = {{"curves",
                    {{"density", e.curves.density},
                     {"gamma_ray", e.curves.gammaRay},
                     {"p_wave", e.curves.pWave},
                     {"s_wave", e.curves.sWave}}},
                   {"measured_vs", e.measuredVs},
                   {"p_sonic_unit", sonicWord(e.units.pSonic)},
                   {"s_sonic_unit", sonicWord(e.units.sSonic)},
                   {"density_unit", densityWord(e.units.density)},
                   {"vs",
                    {{"equation", vsWord(e.vs.kind)},
                     {"slope", e.vs.slope},
                     {"intercept", e.vs.intercept}}}};
        if (e.computedWithin) el["computed_within"] = boundsJson(*e.computedWithin);
        root["elastic"] = std::move(el);
    }
    if (s.filter) root["filter"] = boundsJson(*s.filter);
    json litholog = json::array();
    for (const auto& i : s.litholog)
        if (i.complete())
            litholog.push_back({{"top", i.top}, {"bottom", i.bottom}, {"lithology", i.lithology}});
    root["litholog"] = std::move(litholog);
    json tracks = json::array();
    for (const auto& t : s.tracks.tracks)
        tracks.push_back({{"slot", t.slot}, {"shown", t.shown}, {"width", t.width}});
    root["tracks"] = std::move(tracks);
    json looks = json::array();
    for (const auto& l : s.looks)
        looks.push_back({{"slot", l.slot},
                         {"min", l.lo},
                         {"max", l.hi},
                         {"logarithmic", l.logarithmic},
                         {"colour", l.colour}});
    root["scales"] = std::move(looks);
    root["windows"] = s.openWindows;

    // Text the program wrote stays valid UTF-8 whatever a path or name holds.
    const std::string compact = root.dump(2, ' ', false, json::error_handler_t::replace);
    std::string out;
    out.reserve(compact.size() + compact.size() / 16 + 2);
    for (char c : compact) {
        if (c == '\n') out += '\r';
        out += c;
    }
    out += "\r\n";
    return out;
}

void writeSessionFile(const std::filesystem::path& target, const Session& session) {
    writeWholeFile(target, sessionText(session));
}

SessionRead readSessionText(std::string_view text) {
    SessionRead out;
    const json root = json::parse(text.begin(), text.end(), nullptr, false);
    if (root.is_discarded()) {
        out.error = "The session file is damaged: it is not complete JSON.";
        return out;
    }
    // The version decides how the rest is read, so it is checked first.
    const auto v = root.is_object() ? root.find("version") : root.end();
    if (!root.is_object() || v == root.end() || !v->is_number_integer() ||
        v->get<long long>() < 1) {
        out.error = "The file is no Lithora session: it has no version number.";
        return out;
    }
    if (v->get<long long>() > kSessionVersion) {
        out.error = "The session was saved by a newer version of Lithora (session version " +
                    std::to_string(v->get<long long>()) + "; this version reads up to " +
                    std::to_string(kSessionVersion) + "). Update Lithora to open it.";
        return out;
    }
    try {
        out.session = parse(root);
    } catch (const Refused& r) {
        out.error = r.why;
    } catch (const std::exception& e) {
        out.error = std::string("The session file is damaged: ") + e.what();
    }
    return out;
}

SessionRead readSessionFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        SessionRead out;
        out.error =
            "The session file " + file.string() + " cannot be read: " + std::strerror(errno) + ".";
        return out;
    }
    // A session is a few kilobytes; a file far larger is no session of ours.
    constexpr std::streamsize kLargest = 64 << 20;
    std::string text;
    text.resize(static_cast<std::size_t>(kLargest) + 1);
    in.read(text.data(), kLargest + 1);
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        SessionRead out;
        out.error = "The session file " + file.string() + " cannot be read.";
        return out;
    }
    if (static_cast<std::streamsize>(text.size()) > kLargest) {
        SessionRead out;
        out.error = "The file " + file.string() + " is too large to be a session.";
        return out;
    }
    return readSessionText(text);
}

FileFingerprint fileFingerprint(const std::filesystem::path& file) {
    struct Closer {
        void operator()(std::FILE* f) const noexcept { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> f(std::fopen(file.c_str(), "rb"));
    if (!f) throw Error("Cannot read file " + file.string() + ": " + std::strerror(errno) + ".");
    FileFingerprint out;
    std::uint64_t h = 0xcbf29ce484222325ULL;
    std::vector<unsigned char> buffer(1 << 16);
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), f.get())) > 0) {
        for (std::size_t i = 0; i < n; ++i) {
            h ^= buffer[i];
            h *= 0x100000001b3ULL;
        }
        out.size += n;
    }
    if (std::ferror(f.get()))
        throw Error("Cannot read file " + file.string() + ": " + std::strerror(errno) + ".");
    out.checksum = h;
    return out;
}

std::string checkSourceFile(const SourceFile& source) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(source.path, ec))
        return "The source file " + source.path.string() + " cannot be found.";
    FileFingerprint now;
    try {
        now = fileFingerprint(source.path);
    } catch (const Error& e) {
        return e.what();
    }
    if (now.size != source.size || now.checksum != source.checksum)
        return "The source file " + source.path.string() +
               " has changed since the session was saved.";
    return {};
}

}  // namespace lithora::session
