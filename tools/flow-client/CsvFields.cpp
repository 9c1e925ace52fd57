#include "tools/flow-client/CsvFields.h"

#include <cstddef>
#include <stdexcept>

namespace ondivar::flow {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::vector<std::string> splitCsvLine(std::string_view line, char separator)
{
    std::vector<std::string> fields;
    std::size_t i = 0;
    for (;;) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        std::string field;
        if (i < line.size() && line[i] == '"') {
            ++i;
            for (;;) {
                if (i >= line.size())
                    throw std::invalid_argument("a quoted field is not closed");
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            while (i < line.size() && isBlank(line[i]))
                ++i;
            if (i < line.size() && line[i] != separator)
                throw std::invalid_argument("text follows a quoted field");
        } else {
            const std::size_t end = line.find(separator, i);
            field = std::string(trimmed(line.substr(i, end == std::string_view::npos ? line.npos : end - i)));
            i = end == std::string_view::npos ? line.size() : end;
        }
        fields.push_back(std::move(field));
        if (i >= line.size())
            return fields;
        ++i; // the separator
    }
}

std::string csvField(std::string_view text)
{
    const bool quote = text.find_first_of(",\"") != std::string_view::npos ||
                       (!text.empty() && (isBlank(text.front()) || isBlank(text.back())));
    if (!quote)
        return std::string(text);
    std::string field = "\"";
    for (char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + "\"";
}

} // namespace ondivar::flow
