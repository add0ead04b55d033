#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace rw {

// The component list being edited for one stream: lines of 49 bytes, the
// name in columns 1-43 and the mass percentage "dd.ddd" in columns 44-49.
// Names are bytes in the code page of the report they came from.
class ComponentList {
public:
    std::vector<std::string> lines;
    double runningSum = 0;
    int selected = -1;  // -1: no line selected

    // Showing the editor: one line per template name (its first 42 bytes,
    // padded) followed by " 00.000"; sum 0; the first line selected.
    void LoadTemplate(const std::vector<std::string>& names);

    // Columns 1-43 and 44-49 of a line (shorter lines give what is there).
    static std::string NamePart(std::string_view line);
    static std::string ValuePart(std::string_view line);

    // The value typed into the value field, normalised to "dd.ddd" (may be
    // longer when the user typed more decimals); "00.000" when it is not a number.
    static std::string NormalizeValue(std::string_view typed);

    // The working configuration's reading of a typed value: "," or ".",
    // rounded to three decimals and written "dd.ddd" (an empty text is
    // "00.000"). Throws UserError for a text that is not a number and for a
    // value outside 0 to 99.999, which the two integer digits cannot hold.
    static std::string CheckedValue(std::string_view typed);

    // Leaving the value field: stores the normalised text (CheckedValue in
    // the working configuration, which also takes the sum again over the
    // stored texts and accepts a line imported without a number) into the selected
    // line (cut to 49 bytes) and moves the running sum by the difference.
    // Does nothing when no line is selected. Throws UserError when the line's
    // previous value is not a number.
    void StoreValue(std::string_view typed);

    // Search by name: the lower-cased text (cp1251 letters) up to the first
    // blank after its first character; the first line whose lower-cased text
    // begins with it, or -1.
    int Find(std::string_view typed) const;

    // Leaving the name field: a found line is selected (returns true: load
    // it); otherwise a new line "<text padded to 43>00.000" is appended and
    // selected (returns false).
    bool LeaveNameField(std::string_view typed);

    // "Убрать лишнее": removes every line whose value reads as 0. Throws at the
    // first line whose value is not a number (lines before it are cleaned).
    void RemoveZeroLines();

    // The list file bytes: every line followed by CR LF.
    std::string FileBytes() const;
};

// Lower-cases ASCII and the Cyrillic letters of code page 1251.
std::string LowerCp1251(std::string_view bytes);

// Plant indexes whose data entry has no side cut (3, 9, 10, 11, 12, 16): the
// editor writes the side-cut list as a copy of the catalyzate's with flow 0.
bool SkipsSideCut(int plantIndex);

}  // namespace rw
