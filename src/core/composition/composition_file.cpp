#include "composition/composition_file.h"

#include "common/codepage.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"
#include "common/text_helpers.h"

#include <vector>

namespace rw {
namespace {

struct ComponentLabels {
    const char* formation;  // exactly 17 characters
    const char* editor;     // at most 11 characters
};

// Line k of each block carries model component k. Both label sets are
// written as they stand, also on lines 17 and 28 where they name different
// isomers: the files in the plants' archives carry exactly these texts.
constexpr ComponentLabels kLabels[kModelComponentCount] = {
    {" 1   этан        ", "Этан"},
    {" 2   пpопан      ", "Пропан"},
    {" 3   и-бутан     ", "изо-Бутан"},
    {" 4   н-бутан     ", "н-Бутан"},
    {" 5   и-пентан    ", "изо-Пентан"},
    {" 6   н-пентан    ", "н-Пентан"},
    {" 7   2,2-дмб     ", "2,2-ДМБ"},
    {" 8   ц-пентан    ", "ц-Пентан"},
    {" 9   2,3-дмб     ", "2,3-ДМБ"},
    {"10   2-мп        ", "2-МП"},
    {"11   3-мп        ", "3-МП"},
    {"12   н-гексан    ", "н-Гексан"},
    {"13   мцп         ", "МЦП"},
    {"14   2,2-дмп     ", "2,2-ДМП"},
    {"15   2,4-дмп     ", "2,4-ДМП"},
    {"16   бензол      ", "Бензол"},
    {"17   2,2,3-тмб   ", "2,2,3-ТМП"},
    {"18   3,3-дмп     ", "3,3-ДМП"},
    {"19   цгексан     ", "ц-Гексан"},
    {"20   2-мг        ", "2-МГ"},
    {"21   2,3-дмп     ", "2,3-ДМП"},
    {"22   3-мг        ", "3-МГ"},
    {"23   1,3-дмцп(ц) ", "1,3-ДМЦП(ц)"},
    {"24   1,3-дмцп(т) ", "1,3-ДМЦП(т)"},
    {"25   1,2-дмцп(т) ", "1,2-ДМЦП(т)"},
    {"26   н-гептан    ", "н-Гептан"},
    {"27   1,2-дмцп    ", "1,2-ДМЦП"},
    {"28   2,2-дмг     ", "2,3-ДМГ"},
    {"29   1,1,3-тмцп  ", "1,1,3-ТМЦП"},
    {"30   мцг         ", "МЦГ"},
    {"31   2,5-дмг     ", "2,5-ДМГ"},
    {"32   2,4-дмг     ", "2,4-ДМГ"},
    {"33   эцп         ", "ЭЦП"},
    {"34   2,2,3-тмп   ", "2,2,3-ТМП"},
    {"35   1,2,4-тмцп  ", "1,2,4-ТМЦП"},
    {"36   3,3-дмг     ", "3,3-ДМГ"},
    {"37   толуол      ", "Толуол"},
    {"38   1,2,3-тмцп  ", "1,2,3-ТМЦП"},
    {"39   2,3,4-тмп   ", "2,3,4-ТМП"},
    {"40   2,3-дмг     ", "2,3-ДМГ"},
    {"41   2-м,3-эп    ", "2-М, 3-ЭП"},
    {"42   1,1,2-тмцп  ", "1,1,2-ТМЦП"},
    {"43   2-мгп       ", "2-МГП"},
    {"44   4-мгп       ", "4-МГП"},
    {"45   3,4-дмг     ", "3,4-ДМГ"},
    {"46   3-мгп       ", "3-МГП"},
    {"47   нафт.до с8  ", "нафт. до С8"},
    {"48   н-октан     ", "н-Октан"},
    {"49   1,2-дмцг(т) ", "1,2-ДМЦГ(т)"},
    {"50   1,3-дмцг(т) ", "1,3-ДМЦГ(т)"},
    {"51   2,3,5-тмг   ", "2,3,5-ТМГ"},
    {"52   2,2-дмгп    ", "2,2-ДМГП"},
    {"53   2,4-дмгп    ", "2,4-ДМГП"},
    {"54   2,2,3-тмг   ", "2,2,3-ТМГ"},
    {"55   2-М,4-эг    ", "2-М, 4-ЭГ"},
    {"56   2,6-дмгп    ", "2,6-ДМГП"},
    {"57   2,5-дмгп    ", "2,5-ДМГП"},
    {"58   3,3-дмгп    ", "3,3-ДМГП"},
    {"59   эцг+эбенз   ", "ЭЦГ+ЭБензол"},
    {"60   тмцп        ", "ТМЦП"},
    {"61   2,3,4-тмг   ", "2,3,4-ТМГ"},
    {"62   п-ксилол    ", "п-Ксилол"},
    {"63   м-ксилол    ", "м-Ксилол"},
    {"64   и-с9        ", "изо-С9"},
    {"65   о-ксилол    ", "о-Ксилол"},
    {"66   нафт. до с9 ", "нафт. до С9"},
    {"67   н-нонан     ", "н-Нонан"},
    {"68   с9+         ", "C9+"},
    {"69   в т.ч. Аp   ", "в т. ч. Ар"},
};

constexpr const char* kTailLabels[kCompositionTailLines] = {"НК", "10%", "50%", "90%", "КК", "p"};

// The reading rule: values after column 17 on lines 1 to 138, tail values
// after column 16 on the lines after them.
constexpr size_t kValueSkip = 17;
constexpr size_t kTailSkip = 16;
constexpr size_t kEditorLabelWidth = 11;

// What stands in front of the value of a line.
enum class Prefix {
    FormationLabel,  // the fixed 17-character label
    EditorLabel,     // number in 2, 3 blanks, editor label right-aligned in 11, 1 blank
    Blanks,          // 17 blanks
    TailLabel,       // tail caption right-aligned in 11, 5 blanks
};

// A run of lines with the same prefix kind and value field.
struct LineLayout {
    int firstLine;  // 1-based, inclusive
    int lastLine;
    Prefix prefix;
    int width;
    int decimals;
};

constexpr LineLayout kFormationLayout[] = {
    {1, kCompositionValueLines, Prefix::FormationLabel, 6, 3},
    {139, 143, Prefix::Blanks, 3, 0},
    {144, 144, Prefix::Blanks, 4, 3},
};

constexpr LineLayout kEditorLayout[] = {
    {1, kCompositionValueLines, Prefix::EditorLabel, 6, 3},
    {139, 144, Prefix::TailLabel, 6, 3},
};

std::string RightAligned(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// Labels in code page 1251, converted once: in that code page one character
// is one byte, so the column arithmetic below counts bytes.
struct Cp1251Labels {
    std::vector<std::string> formation, editor, tail;
    Cp1251Labels() {
        for (const auto& l : kLabels) {
            formation.push_back(Utf8ToCp1251(l.formation));
            editor.push_back(Utf8ToCp1251(l.editor));
        }
        for (const char* t : kTailLabels) tail.push_back(Utf8ToCp1251(t));
    }
};

const Cp1251Labels& Labels1251() {
    static const Cp1251Labels labels;
    return labels;
}

std::string PrefixOf(Prefix prefix, int line) {
    const Cp1251Labels& labels = Labels1251();
    int component = (line - 1) % kModelComponentCount;  // 0-based within its block
    switch (prefix) {
        case Prefix::FormationLabel:
            return labels.formation[static_cast<size_t>(component)];
        case Prefix::EditorLabel:
            return RightAligned(std::to_string(component + 1), 2) + "   " +
                   RightAligned(labels.editor[static_cast<size_t>(component)], kEditorLabelWidth) + " ";
        case Prefix::Blanks:
            return std::string(kValueSkip, ' ');
        case Prefix::TailLabel:
            return RightAligned(labels.tail[static_cast<size_t>(line - kCompositionValueLines - 1)], kEditorLabelWidth) +
                   "     ";
    }
    return {};
}

// The 144 values in line order.
std::array<double, kCompositionFileLines> LineValues(const CompositionRecord& r) {
    std::array<double, kCompositionFileLines> v{};
    size_t i = 0;
    for (double x : r.feed) v[i++] = x;
    for (double x : r.catalyzate) v[i++] = x;
    for (double x : r.fraction) v[i++] = x;
    v[i] = r.density;
    return v;
}

template <size_t N>
std::string Compose(const CompositionRecord& record, const LineLayout (&layout)[N]) {
    const auto values = LineValues(record);
    std::vector<std::string> lines;
    lines.reserve(kCompositionFileLines);
    for (const LineLayout& run : layout) {
        for (int line = run.firstLine; line <= run.lastLine; ++line) {
            lines.push_back(PrefixOf(run.prefix, line) +
                            FormatFixed(values[static_cast<size_t>(line - 1)], run.width, run.decimals));
        }
    }
    return JoinLinesCrLf(lines);
}

bool IsAscii(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

std::string ToUtf8(std::string_view cp1251) { return IsAscii(cp1251) ? std::string(cp1251) : Cp1251ToUtf8(cp1251); }

std::string_view RestAfter(std::string_view line, size_t skip) {
    return line.size() > skip ? line.substr(skip) : std::string_view{};
}

}  // namespace

std::string_view FormationLabel(int component) {
    if (component < 1 || component > kModelComponentCount) return {};
    return kLabels[component - 1].formation;
}

std::string_view EditorLabel(int component) {
    if (component < 1 || component > kModelComponentCount) return {};
    return kLabels[component - 1].editor;
}

std::string_view TailLabel(int index) {
    if (index < 0 || index >= kCompositionTailLines) return {};
    return kTailLabels[index];
}

std::string ComposeCompositionFile(const CompositionRecord& record, CompositionStyle style) {
    return style == CompositionStyle::Formation ? Compose(record, kFormationLayout) : Compose(record, kEditorLayout);
}

std::string CompositionFilePath(const std::string& samplingFolder, const std::string& sampleName) {
    return JoinPath(samplingFolder, sampleName + ".sk");
}

void WriteCompositionFile(const CompositionRecord& record, const std::string& samplingFolder,
                          const std::string& sampleName) {
    WriteFileAtomic(CompositionFilePath(samplingFolder, sampleName),
                    ComposeCompositionFile(record, CompositionStyle::Formation));
}

void SaveCompositionFile(const CompositionRecord& record, const std::string& path) {
    WriteFileAtomic(path, ComposeCompositionFile(record, CompositionStyle::Editor));
}

CompositionTexts ReadCompositionFile(const std::string& path) {
    const std::vector<std::string> lines = SplitLines(ReadFileBytes(path));
    CompositionTexts texts;
    for (size_t i = 0; i < texts.values.size() && i < lines.size(); ++i) {
        texts.values[i] = ToUtf8(RestAfter(lines[i], kValueSkip));
    }
    std::vector<std::string_view> tail;
    for (size_t i = texts.values.size(); i < lines.size(); ++i) {
        std::string_view rest = RestAfter(lines[i], kTailSkip);
        if (!rest.empty()) tail.push_back(rest);
    }
    texts.tailCount = static_cast<int>(tail.size());
    if (tail.size() < texts.tail.size()) {
        texts.tail.fill("0");
    } else {
        const size_t first = tail.size() - texts.tail.size();
        for (size_t i = 0; i < texts.tail.size(); ++i) texts.tail[i] = ToUtf8(tail[first + i]);
    }
    return texts;
}

CompositionRecord CompositionFromTexts(const CompositionTexts& texts) {
    CompositionRecord r;
    for (int k = 0; k < kModelComponentCount; ++k) {
        r.feed[static_cast<size_t>(k)] = TextToNumber(texts.values[static_cast<size_t>(k)], '.');
        r.catalyzate[static_cast<size_t>(k)] = TextToNumber(texts.values[static_cast<size_t>(k + kModelComponentCount)], '.');
    }
    for (size_t i = 0; i < r.fraction.size(); ++i) r.fraction[i] = TextToNumber(texts.tail[i], '.');
    r.density = TextToNumber(texts.tail[5], '.');
    return r;
}

}  // namespace rw
