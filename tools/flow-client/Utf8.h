// UTF-8 (the client's texts) to UTF-16 (COM's) and back.
#pragma once

#include <string>

namespace ondivar::flow {

std::wstring toWide(const std::string& text);
std::string toUtf8(const std::wstring& text);

} // namespace ondivar::flow
