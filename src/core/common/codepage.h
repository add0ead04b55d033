#pragma once
#include <string>
#include <string_view>

namespace rw {

// Conversions at the file boundary. Files of the DOS model programs are in
// code page 866, window texts and the composition data in code page 1251;
// everything inside the program is UTF-8. A character the target code page
// lacks becomes '?', an invalid input byte sequence is replaced the same way.
std::string Cp866ToUtf8(std::string_view bytes);
std::string Utf8ToCp866(std::string_view text);
std::string Cp1251ToUtf8(std::string_view bytes);
std::string Utf8ToCp1251(std::string_view text);

}  // namespace rw
