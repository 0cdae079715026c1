#include "core/export/litholog.h"

#include <algorithm>
#include <cstdio>

namespace lithora::exporter {

const std::vector<std::string> kLithologyNames = {
    "Alluvium",
    "Anhydratic Dolomite",
    "Anhydrite",
    "Arenaceous Dolomite",
    "Arenaceous Limestone",
    "Arenaceous Shale",
    "Argillaceous Dolomite",
    "Argillaceous Limestone",
    "Argillaceous Sandstone",
    "Argillaceous",
    "Ash",
    "Asphalt",
    "Basalt",
    "Basement",
    "Bedrock",
    "Bentonite",
    "Breccia",
    "Bryozoan Limestone",
    "Calcareous Dolomite",
    "Calcareous Mudstone",
    "Calcareous Sandstone",
    "Calcareous Siltstone",
    "Calcite",
    "Carbonate",
    "Clayey Sand",
    "Claystone",
    "Coal",
    "Coarse Sandstone",
    "Conglomerate",
    "Dolomite",
    "Dolomitic Limestone",
    "Dolomitic Mudstone",
    "Fine Sand",
    "Gneiss",
    "Granite",
    "Gravel",
    "Gypsum",
    "Kaolinized",
    "Limestone",
    "Marble",
    "Mudstone",
    "Oolitic Limestone",
    "Pyrite",
    "Quartz",
    "Quartzite",
    "Rhyolite",
    "Salt",
    "Sandstone",
    "Sandy Limestone",
    "Schist",
    "Shale",
    "Shaly Limestone",
    "Siltaceous Shale",
    "Siltstone",
    "Silty Limestone",
    "Silty Sand",
    "Stromatolites",
    "Talc",
    "Tuff",
    "Unknown",
};

bool isLithologyName(std::string_view name) {
    return std::find(kLithologyNames.begin(), kLithologyNames.end(), name) != kLithologyNames.end();
}

std::string depthRangeMessage(double value, const char* field, double minimum, double maximum) {
    char buf[256];
    std::snprintf(buf, sizeof buf,
                  "%g is not a valid value for field '%s'. The allowed range is %g to %g", value,
                  field, minimum, maximum);
    return buf;
}

void LithologModel::setLogRange(double firstDepth, double lastDepth) {
    firstDepth_ = firstDepth;
    minimum_ = firstDepth;
    maximum_ = lastDepth;
}

double LithologModel::nextTop() const {
    if (intervals_.empty()) return firstDepth_;
    const auto& last = intervals_.back();
    return last.hasBottom() ? last.bottom : last.top;
}

void LithologModel::startNew(double firstTop) {
    intervals_.clear();
    firstDepth_ = firstTop;
    intervals_.push_back(LithologInterval{firstTop});
}

void LithologModel::replace(std::vector<LithologInterval> intervals) {
    intervals_ = std::move(intervals);
}

bool LithologModel::append() {
    if (!intervals_.empty() && !intervals_.back().complete()) return false;
    if (isComplete()) return false;
    intervals_.push_back(LithologInterval{nextTop()});
    return true;
}

int LithologModel::insertBefore(std::size_t index) {
    if (index >= intervals_.size()) return append() ? static_cast<int>(intervals_.size() - 1) : -1;
    double top = firstDepth_;
    if (index > 0) {
        const auto& above = intervals_[index - 1];
        if (!above.hasBottom()) return -1;
        top = above.bottom;
    }
    if (top >= maximum_) return -1;
    intervals_.insert(intervals_.begin() + static_cast<std::ptrdiff_t>(index),
                      LithologInterval{top});
    return static_cast<int>(index);
}

LithologInterval& LithologModel::at(std::size_t index) {
    if (index >= intervals_.size())
        throw Error("There is no interval " + std::to_string(index + 1) + ".");
    return intervals_[index];
}

void LithologModel::checkRange(double value, const char* field) const {
    if (!(value >= minimum_ && value <= maximum_))
        throw Error(depthRangeMessage(value, field, minimum_, maximum_));
}

void LithologModel::setBottom(std::size_t index, double bottom) {
    LithologInterval& iv = at(index);
    checkRange(bottom, kBottomDepthField);
    if (!(bottom > iv.top)) throw Error(kBottomAboveTopMessage);
    LithologInterval* below = index + 1 < intervals_.size() ? &intervals_[index + 1] : nullptr;
    if (below && below->hasBottom() && !(bottom < below->bottom))
        throw Error(kBottomBelowNextMessage);
    iv.bottom = bottom;
    if (below) below->top = bottom;
}

void LithologModel::setLithology(std::size_t index, std::string_view name) {
    LithologInterval& iv = at(index);
    if (!isLithologyName(name)) throw Error(kSelectLithologyMessage);
    iv.lithology = std::string(name);
}

int LithologModel::remove(std::size_t index) {
    at(index);
    intervals_.erase(intervals_.begin() + static_cast<std::ptrdiff_t>(index));
    if (index == 0 || index >= intervals_.size()) return -1;
    intervals_[index - 1].bottom = intervals_[index].top;
    return static_cast<int>(index - 1);
}

void LithologModel::checkInterval(double top, double bottom, std::string_view lithology) const {
    checkRange(top, kTopDepthField);
    checkRange(bottom, kBottomDepthField);
    if (!(bottom > top)) throw Error(kBottomAboveTopMessage);
    if (!isLithologyName(lithology)) throw Error(kSelectLithologyMessage);
}

}  // namespace lithora::exporter
