#pragma once
#include <string>
#include <string_view>

namespace rw {

// Reads a number typed by a user: blanks removed, "," and "." both taken as
// the decimal separator, optional exponent. Throws UserError("'%s' is not a
// valid floating point value") with the text after blank removal and
// separator replacement.
double TextToNumber(std::string_view text);
double TextToNumber(std::string_view text, char decimalSeparator);

struct SavePath {
    std::string folder;  // without the final backslash
    std::string name;    // at most 13 characters, cut at the first '.'
};

// Splits a path chosen in a save dialog. The separator searched for is '\'
// (and '/' on this platform); the last character is never the separator.
SavePath SplitSavePath(std::string_view path);

// The text with every blank (character 32) removed.
std::string RemoveBlanks(std::string_view text);

}  // namespace rw
