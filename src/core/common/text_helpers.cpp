#include "common/text_helpers.h"

#include "common/errors.h"
#include "common/number_format.h"
#include "common/regional.h"

#include <algorithm>

namespace rw {

double TextToNumber(std::string_view text) { return TextToNumber(text, Regional().decimalSeparator); }

double TextToNumber(std::string_view text, char sep) {
    char other = sep == ',' ? '.' : ',';
    std::string s = RemoveBlanks(text);
    for (char& c : s) {
        if (c == other) c = sep;
    }
    double v = 0;
    if (!ParseStrictNumber(s, v, sep)) {
        throw UserError("'" + s + "' is not a valid floating point value");
    }
    return v;
}

namespace {
// The first n characters of a UTF-8 text (the save dialog counts characters, not bytes).
std::string Utf8Prefix(std::string_view s, size_t n) {
    size_t i = 0, count = 0;
    while (i < s.size() && count < n) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
        i += len;
        ++count;
    }
    return std::string(s.substr(0, std::min(i, s.size())));
}
}  // namespace

SavePath SplitSavePath(std::string_view path) {
    SavePath r;
    if (path.size() < 2) {
        r.name = std::string(path);
        return r;
    }
    size_t pos = std::string_view::npos;
    for (size_t i = path.size() - 1; i-- > 0;) {
        if (path[i] == '\\' || path[i] == '/') {
            pos = i;
            break;
        }
    }
    if (pos == std::string_view::npos) {
        r.name = Utf8Prefix(path, 13);
    } else {
        r.folder = std::string(path.substr(0, pos));
        r.name = Utf8Prefix(path.substr(pos + 1), 13);
    }
    auto dot = r.name.find('.');
    if (dot != std::string::npos) r.name.erase(dot);
    return r;
}

std::string RemoveBlanks(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (c != ' ') s.push_back(c);
    }
    return s;
}

}  // namespace rw
