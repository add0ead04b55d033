#include "common/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace rw {
namespace {

std::string Convert(std::string_view in, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error(std::string("Code page conversion unavailable: ") + from + " -> " + to);
    }
    std::string out;
    out.reserve(in.size() * 2 + 4);
    char buf[1024];
    const char* src = in.data();
    size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        size_t r = iconv(cd, const_cast<char**>(&src), &srcLeft, &dst, &dstLeft);
        out.append(buf, static_cast<size_t>(dst - buf));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: skip one input unit and put a question mark.
            out.push_back('?');
            if (std::string_view(from) == "UTF-8") {
                // Skip a whole UTF-8 sequence.
                unsigned char c = static_cast<unsigned char>(*src);
                size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
                if (n > srcLeft) n = srcLeft;
                src += n;
                srcLeft -= n;
            } else {
                ++src;
                --srcLeft;
            }
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string Cp866ToUtf8(std::string_view bytes) { return Convert(bytes, "UTF-8", "CP866"); }
std::string Utf8ToCp866(std::string_view text) { return Convert(text, "CP866", "UTF-8"); }
std::string Cp1251ToUtf8(std::string_view bytes) { return Convert(bytes, "UTF-8", "CP1251"); }
std::string Utf8ToCp1251(std::string_view text) { return Convert(text, "CP1251", "UTF-8"); }

}  // namespace rw
