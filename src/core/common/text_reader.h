#pragma once
#include <string>
#include <string_view>

namespace rw {

// Reading a text file the way the DOS model programs and the plant files
// expect it (Pascal Read/ReadLn): a number is the next token after blanks,
// tabs and line ends, at most 64 characters up to the next blank or control
// character, with "." as the decimal point and an optional exponent; at the
// end of the file a number reads as 0.
class TextReader {
public:
    explicit TextReader(std::string_view bytes) : s_(bytes) {}

    // The number token rule. Throws UserError("Invalid numeric input") for a
    // token that is not a number.
    double ReadNumber();

    // At most `maxChars` bytes up to the line end; the position stays on the line.
    std::string ReadText(size_t maxChars);

    // The rest of the line, with the line end consumed.
    std::string ReadLine();

    // Skips to the start of the next line (CR LF, LF or CR).
    void SkipLine();

    bool AtEnd() const { return pos_ >= s_.size(); }

private:
    std::string_view s_;
    size_t pos_ = 0;
};

}  // namespace rw
