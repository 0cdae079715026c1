#pragma once
#include <string_view>

namespace lithora {

// The section a LAS section title opens. LAS 3.0 names its sections by data set and part
// ("~Log_Definition", "~Core_Data[1] | Core_Definition"): the definition, data and parameter
// sections of the log data set are the curve, data and parameter sections of LAS 2.0, and
// every section of another data set (core, tops, inclinometry, ...) is OtherDataSet. A title
// without a data set ("~Curve Information", "~A") is told by its first letter.
enum class LasSection { None, Version, Well, Curve, Parameter, Other, Data, OtherDataSet, Unknown };
LasSection lasSectionOf(std::string_view line);
// The data set a LAS 3.0 section title names ("Core" for "~Core_Data[1] | Core_Definition"),
// empty for a title without one.
std::string_view lasDataSetName(std::string_view line);

}  // namespace lithora
