#pragma once
#include <string>
#include <string_view>

namespace rw {

// SHA-256 of `bytes` as 64 lower-case hexadecimal digits, the spelling
// sha256sum prints, so a recorded checksum can be compared by hand.
std::string Sha256Hex(std::string_view bytes);

}  // namespace rw
