#include "core/commands/page_header.h"

#include "core/common/number_text.h"
#include "core/import/recognition.h"
#include "core/import/well_header.h"

namespace lithora::commands {

namespace {

// The unit of the loaded depths: the tag the import set, else the one the depth curve's unit
// text names ("m", "FEET"), else that text as the file gives it.
std::string depthUnit(const workspace::Workspace& ws) {
    if (ws.unitTags().depthFromFile && !ws.unitTags().depthUnit.empty())
        return ws.unitTags().depthUnit;
    const auto& source = ws.source();
    if (!source.isOpen() || source.fieldCount() <= ws.sourceDepthField()) return {};
    const std::string text = ws.curveUnitText(source.field(ws.sourceDepthField()).def.name);
    const std::string named = import::depthUnitNamedBy(text);
    return named.empty() ? text : named;
}

}  // namespace

std::string pageHeader(const workspace::Workspace& ws, const std::string& date) {
    std::string line;
    auto add = [&line](const char* caption, const std::string& value) {
        if (value.empty()) return;
        if (!line.empty()) line += "   ";
        line += caption;
        line += ": ";
        line += value;
    };
    if (ws.loaded()) {
        const import::WellHeader well = import::readWellHeader(ws.importInfo().headerLines);
        add("Well", well.well);
        add("Field", well.field);
        add("Company", well.company);
        const auto& window = ws.depthWindow();
        std::string depths =
            numberText(window.top, '.', 4) + " - " + numberText(window.bottom, '.', 4);
        const std::string unit = depthUnit(ws);
        if (!unit.empty()) depths += " " + unit;
        add("Depth", depths);
    }
    add("Date", date);
    return line;
}

}  // namespace lithora::commands
