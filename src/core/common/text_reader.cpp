#include "common/text_reader.h"

#include "common/errors.h"
#include "common/number_format.h"

namespace rw {

double TextReader::ReadNumber() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\r' || s_[pos_] == '\n')) ++pos_;
    if (pos_ >= s_.size()) return 0.0;
    size_t b = pos_;
    while (pos_ < s_.size() && pos_ - b < 64 && static_cast<unsigned char>(s_[pos_]) > ' ') ++pos_;
    double v = 0;
    if (!ParseStrictNumber(s_.substr(b, pos_ - b), v, '.')) throw UserError("Invalid numeric input");
    return v;
}

std::string TextReader::ReadText(size_t maxChars) {
    size_t b = pos_;
    while (pos_ < s_.size() && pos_ - b < maxChars && s_[pos_] != '\r' && s_[pos_] != '\n') ++pos_;
    return std::string(s_.substr(b, pos_ - b));
}

std::string TextReader::ReadLine() {
    std::string text = ReadText(s_.size());
    SkipLine();
    return text;
}

void TextReader::SkipLine() {
    while (pos_ < s_.size() && s_[pos_] != '\r' && s_[pos_] != '\n') ++pos_;
    if (pos_ < s_.size() && s_[pos_] == '\r') ++pos_;
    if (pos_ < s_.size() && s_[pos_] == '\n') ++pos_;
}

}  // namespace rw
