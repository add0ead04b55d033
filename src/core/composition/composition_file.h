#pragma once
#include <array>
#include <string>
#include <string_view>

namespace rw {

// The composition file (.sk): 69 model components of the feed, the same 69 of
// the catalyzate, the feed's fractional composition and density. Code page
// 1251, 144 lines, CR LF, no header. The model reads the values by position:
// each of lines 1 to 138 carries a 17-character label and its value from
// column 18 on.

constexpr int kModelComponentCount = 69;
constexpr int kCompositionValueLines = 2 * kModelComponentCount;  // 138
constexpr int kCompositionTailLines = 6;
constexpr int kCompositionFileLines = kCompositionValueLines + kCompositionTailLines;  // 144

struct CompositionRecord {
    // Mass percentages; index 0 is model component 1 (line 1 / line 70).
    std::array<double, kModelComponentCount> feed{};
    std::array<double, kModelComponentCount> catalyzate{};
    // Degrees Celsius: initial boiling point, 10 %, 50 %, 90 %, end point.
    std::array<double, 5> fraction{};
    double density = 0;  // feed, g/cm3
};

// Labels of model component 1..69, UTF-8: the 17-character label the
// formation writes ("Latin p" where the model's own files always had one),
// and the editor's label that the composition editor right-aligns in 11.
std::string_view FormationLabel(int component);
std::string_view EditorLabel(int component);
// Captions of the six tail values: "НК", "10%", "50%", "90%", "КК", and the
// Latin "p" of the density, as the editor style writes them.
std::string_view TailLabel(int index);

enum class CompositionStyle {
    Formation,  // fixed labels, tail with 17 blanks and short fields
    Editor,     // numbered editor labels, tail with labels and 3 decimals
};

// The bytes of a composition file in the given style. A value that needs more
// characters than its field takes them (100 with 3 decimals is 7 characters).
std::string ComposeCompositionFile(const CompositionRecord& record, CompositionStyle style);

// Path of the composition file of a data entry: samplingFolder\sampleName.sk.
std::string CompositionFilePath(const std::string& samplingFolder, const std::string& sampleName);

// The formation's writer: samplingFolder\sampleName.sk in the formation style.
// Written through a temporary file, so a failure leaves any previous file as
// it was. Throws UserError with the file-system message.
void WriteCompositionFile(const CompositionRecord& record, const std::string& samplingFolder,
                          const std::string& sampleName);

// The composition editor's writer: `path` in the editor style, atomically.
void SaveCompositionFile(const CompositionRecord& record, const std::string& path);

// What the reading rule gives: value texts of lines 1..138 (everything after
// column 17, empty for lines the file lacks) and the six tail texts (the last
// six non-empty rests after column 16 of the lines after 138; "0" each when
// there are fewer than six). Texts are UTF-8 and otherwise untouched: a
// formation-written tail keeps its leading blanks.
struct CompositionTexts {
    std::array<std::string, kCompositionValueLines> values;
    std::array<std::string, kCompositionTailLines> tail;
    int tailCount = 0;  // non-empty tail rests found in the file
    bool HasCompleteTail() const { return tailCount >= kCompositionTailLines; }
};

// ReadCompositionFile: reads either style. Throws UserError("File not found")
// and the like when the file cannot be read. More than six tail lines (never
// written by the program) are allowed: the last six count.
CompositionTexts ReadCompositionFile(const std::string& path);

// The texts read as numbers the tolerant way (TextToNumber, "," or "."); throws
// UserError("'%s' is not a valid floating point value") for a text that is not
// a number, an empty value text included.
CompositionRecord CompositionFromTexts(const CompositionTexts& texts);

}  // namespace rw
