#include "composition/component_list.h"

#include <cmath>

#include "common/configuration.h"
#include "common/errors.h"
#include "common/number_format.h"
#include "composition/report_import.h"
#include "common/text_helpers.h"

namespace rw {

void ComponentList::LoadTemplate(const std::vector<std::string>& names) {
    lines.clear();
    for (const auto& n : names) {
        std::string name = n.substr(0, 42);
        name.resize(42, ' ');
        lines.push_back(name + " 00.000");
    }
    runningSum = 0;
    selected = lines.empty() ? -1 : 0;
}

std::string ComponentList::NamePart(std::string_view line) { return std::string(line.substr(0, std::min<size_t>(43, line.size()))); }

std::string ComponentList::ValuePart(std::string_view line) {
    if (line.size() <= 43) return {};
    return std::string(line.substr(43, 6));
}

// (Reading a line's value: ListLineValue of the report import.)

std::string ComponentList::NormalizeValue(std::string_view typed) {
    std::string s;
    for (char c : typed) {
        if (c != ' ') s.push_back(c);
    }
    auto comma = s.find(',');
    if (comma != std::string::npos) s[comma] = '.';
    auto point = s.find('.');
    if (point == std::string::npos) {
        s.push_back('.');
        point = s.size() - 1;
    }
    if (point > 2) {
        s.erase(0, point - 2);
        point = 2;
    }
    while (point < 2) {
        s.insert(0, "0");
        ++point;
    }
    while (s.size() < 6) s.push_back('0');
    try {
        TextToNumber(s);
    } catch (const UserError&) {
        return "00.000";
    }
    return s;
}

std::string ComponentList::CheckedValue(std::string_view typed) {
    std::string blankless;
    for (char c : typed) {
        if (c != ' ') blankless.push_back(c);
    }
    if (blankless.empty()) return "00.000";
    double v = 0;
    try {
        v = TextToNumber(blankless);
    } catch (const UserError&) {
        throw UserError("Массовая доля «" + std::string(typed) + "» не число; введите, например, 12.345.");
    }
    // The line keeps two integer digits and three decimals: 100 would lose
    // its first digit, so it is refused; more decimals are rounded, and the
    // field shows the rounded value that is stored and summed.
    const double rounded = std::round(v * 1000.0) / 1000.0;
    if (rounded < 0 || rounded >= 100.0) {
        throw UserError("Массовая доля «" + std::string(typed) + "» вне пределов: от 0 до 99.999 %.");
    }
    std::string text = FormatFixed(rounded, 6, 3);
    for (char& c : text) {
        if (c == ' ') c = '0';
    }
    return text;
}

void ComponentList::StoreValue(std::string_view typed) {
    if (selected < 0 || selected >= static_cast<int>(lines.size())) return;
    const bool working = WorkingConfiguration();
    std::string v = working ? CheckedValue(typed) : NormalizeValue(typed);
    std::string& line = lines[static_cast<size_t>(selected)];
    // A line imported without a number is being corrected: its old value
    // counted nowhere, so the sum is taken again over the whole list.
    double before = 0;
    bool beforeValid = true;
    try {
        before = ListLineValue(line);
    } catch (const UserError&) {
        if (!working) throw;
        beforeValid = false;
    }
    std::string updated = NamePart(line);
    updated.resize(43, ' ');
    updated += v;
    if (updated.size() > 49) updated.resize(49);
    line = updated;
    if (!working) {
        runningSum = runningSum - before + TextToNumber(v);
        return;
    }
    // The sum is the sum of the stored texts, the numbers the user sees.
    if (FirstFaultyValueLine(lines) < 0) runningSum = ListSum(lines);
    else if (beforeValid) runningSum = runningSum - before + ListLineValue(line);
}

std::string LowerCp1251(std::string_view bytes) {
    std::string s(bytes);
    for (char& ch : s) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + 32);
        else if (c >= 0xC0 && c <= 0xDF) c = static_cast<unsigned char>(c + 32);
        else if (c == 0xA8) c = 0xB8;  // Ё
        else if (c == 0xAA) c = 0xBA;
        else if (c == 0xAF) c = 0xBF;
        else if (c == 0xB2) c = 0xB3;
        else if (c == 0xA1) c = 0xA2;
        else if (c == 0xA3) c = 0xBC;
        else if (c == 0xA5) c = 0xB4;
        else if (c == 0xBD) c = 0xBE;
        else if (c == 0x80) c = 0x90;
        else if (c == 0x81) c = 0x83;
        else if (c >= 0x8A && c <= 0x8F && c != 0x8B) c = static_cast<unsigned char>(c + 0x10);
        ch = static_cast<char>(c);
    }
    return s;
}

int ComponentList::Find(std::string_view typed) const {
    std::string key = LowerCp1251(typed);
    auto blank = key.find(' ', 1);
    if (blank != std::string::npos) key.erase(blank);
    if (key.empty()) return -1;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (LowerCp1251(lines[i]).compare(0, key.size(), key) == 0) return static_cast<int>(i);
    }
    return -1;
}

bool ComponentList::LeaveNameField(std::string_view typed) {
    int found = Find(typed);
    if (found >= 0) {
        selected = found;
        return true;
    }
    std::string line(typed);
    line.resize(43, ' ');
    line += "00.000";
    lines.push_back(line);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == line) {
            selected = static_cast<int>(i);
            break;
        }
    }
    return false;
}

void ComponentList::RemoveZeroLines() {
    size_t out = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        double v;
        try {
            v = ListLineValue(lines[i]);
        } catch (...) {
            // Keep the lines not yet looked at, as the user sees them.
            lines.erase(lines.begin() + static_cast<long>(out), lines.begin() + static_cast<long>(i));
            selected = lines.empty() ? -1 : std::min(selected, static_cast<int>(lines.size()) - 1);
            throw;
        }
        if (v != 0) lines[out++] = lines[i];
    }
    lines.resize(out);
    if (selected >= static_cast<int>(lines.size())) selected = lines.empty() ? -1 : 0;
}

std::string ComponentList::FileBytes() const {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

bool SkipsSideCut(int plantIndex) {
    switch (plantIndex) {
        case 3: case 9: case 10: case 11: case 12: case 16: return true;
        default: return false;
    }
}

}  // namespace rw
