// One line of comma-separated values (or separated by another character) to fields and back. A field may be
// quoted ("a, b"; a doubled quote inside stands for one); spaces around a field are dropped. Fields never
// span lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ondivar::flow {

// Throws std::invalid_argument for a quote that is not closed or text after a closing quote.
std::vector<std::string> splitCsvLine(std::string_view line, char separator = ',');

// The field as it must be written: quoted when it holds a comma, a quote or surrounding spaces.
std::string csvField(std::string_view text);

} // namespace ondivar::flow
