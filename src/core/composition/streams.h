#pragma once

namespace rw {

// The analysed streams of a sampling date: 1 feed, 2 catalyzate, 3 side cut.
constexpr int kStreamCount = 3;

struct StreamRow {
    int number;
    const char* name;       // caption, UTF-8: "Сырьё", "Катализат", "Боковой погон"
    const char* extension;  // of its component list file: ".SIR", ".KAT", ".BOK"
};

// The stream of a number 1..3. Throws UserError("Range check error") for
// another number.
const StreamRow& StreamTableRow(int number);
inline const char* StreamName(int number) { return StreamTableRow(number).name; }
inline const char* StreamExtension(int number) { return StreamTableRow(number).extension; }

}  // namespace rw
