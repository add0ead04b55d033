#include "conditions/csv_sheet.h"

#include "common/codepage.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"

#include <charconv>
#include <filesystem>
#include <vector>

namespace rw {
namespace {

constexpr size_t kMaxFileBytes = 256u << 20;
constexpr size_t kRowsToJudge = 10;  // lines that decide the separator

struct Refusal {
    std::string reason;
};

bool IsUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t extra = 0;
        if (c < 0x80) {
            extra = 0;
        } else if ((c & 0xE0) == 0xC0 && c >= 0xC2) {
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
        } else if ((c & 0xF8) == 0xF0 && c <= 0xF4) {
            extra = 3;
        } else {
            return false;
        }
        if (s.size() - i <= extra) return false;
        for (size_t k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        i += extra + 1;
    }
    return true;
}

using Record = std::vector<std::string>;

// Splits the text into records of fields; at most `limit` records (0: all).
// Line ends inside quotes belong to the field.
std::vector<Record> Split(std::string_view text, char separator, size_t limit) {
    std::vector<Record> records;
    Record record;
    std::string field;
    bool quoted = false;
    size_t line = 1, quoteLine = 0;
    auto endRecord = [&] {
        record.push_back(std::move(field));
        field.clear();
        records.push_back(std::move(record));
        record.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++line;
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
            quoteLine = line;
        } else if (c == separator) {
            record.push_back(std::move(field));
            field.clear();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++line;
            endRecord();
            if (limit && records.size() >= limit) return records;
        } else {
            field += c;
        }
    }
    if (quoted && !limit) throw Refusal{"кавычка, открытая в строке " + std::to_string(quoteLine) + ", не закрыта"};
    if (!field.empty() || !record.empty()) endRecord();
    return records;
}

char ChooseSeparator(std::string_view text) {
    static const char kCandidates[] = {';', '\t', ','};
    char widest = ';';
    size_t widestCount = 0;
    for (const char sep : kCandidates) {
        const auto records = Split(text, sep, kRowsToJudge);
        if (records.empty()) continue;
        const size_t first = records[0].size();
        bool equal = first > 1;
        for (const auto& r : records) equal = equal && r.size() == first;
        if (equal) return sep;
        if (first > widestCount) {
            widest = sep;
            widestCount = first;
        }
    }
    return widest;
}

// "25,30", "-1.5e3", "96": a number as the spreadsheet would take it on opening.
bool AsNumber(std::string_view field, double& value) {
    size_t b = 0, e = field.size();
    while (b < e && field[b] == ' ') ++b;
    while (e > b && field[e - 1] == ' ') --e;
    std::string text(field.substr(b, e - b));
    size_t i = 0, digits = 0, marks = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if ((c == ',' || c == '.') && marks == 0) {
            text[i] = '.';
            ++marks;
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t k = i + 1;
        if (k < text.size() && (text[k] == '-' || text[k] == '+')) ++k;
        const size_t expStart = k;
        while (k < text.size() && text[k] >= '0' && text[k] <= '9') ++k;
        if (k == expStart) return false;
        i = k;
    }
    if (i != text.size()) return false;
    const char* from = text.data() + (text[0] == '+' ? 1 : 0);
    const auto [p, ec] = std::from_chars(from, text.data() + text.size(), value);
    return ec == std::errc() && p == text.data() + text.size();
}

std::unique_ptr<CellMapSheet> ReadCsv(std::string bytes, char decimalSeparator) {
    if (bytes.size() > kMaxFileBytes) throw Refusal{"файл больше " + std::to_string(kMaxFileBytes >> 20) + " МБ"};
    if (bytes.empty()) throw Refusal{"файл пуст"};
    if (bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'))) {
        throw Refusal{"файл в кодировке UTF-16, сохраните его в UTF-8 или Windows-1251"};
    }
    if (bytes.find('\0') != std::string::npos) throw Refusal{"это не текстовый файл"};
    std::string text;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text = bytes.substr(3);
    } else if (IsUtf8(bytes)) {
        text = std::move(bytes);
    } else {
        text = Cp1251ToUtf8(bytes);
    }
    auto sheet = std::make_unique<CellMapSheet>();
    const auto records = Split(text, ChooseSeparator(text), 0);
    for (size_t r = 0; r < records.size(); ++r) {
        for (size_t c = 0; c < records[r].size(); ++c) {
            std::string field = records[r][c];
            double value = 0;
            if (AsNumber(field, value)) field = FormatGeneral(value, 15, decimalSeparator);
            if (!sheet->Set(static_cast<int>(r + 1), static_cast<int>(c + 1), std::move(field))) {
                throw Refusal{"в файле больше " + std::to_string(CellMapSheet::kMaxCells) + " ячеек"};
            }
        }
    }
    return sheet;
}

class CsvWorkbook : public Workbook {
public:
    CsvWorkbook(std::string name, std::unique_ptr<CellMapSheet> sheet) : names_{std::move(name)}, sheet_(std::move(sheet)) {}
    const std::vector<std::string>& SheetNames() const override { return names_; }
    std::unique_ptr<SpreadsheetSheet> OpenSheet(size_t index) const override {
        (void)names_.at(index);
        return std::make_unique<CellMapSheet>(*sheet_);
    }

private:
    std::vector<std::string> names_;
    std::unique_ptr<CellMapSheet> sheet_;
};

}  // namespace

std::unique_ptr<Workbook> OpenCsvWorkbook(const std::string& path, char decimalSeparator) {
    auto fail = [&](const std::string& reason) -> std::unique_ptr<Workbook> {
        throw UserError("Не удалось открыть файл CSV «" + path + "»: " + reason);
    };
    if (!FileExists(path)) return fail("файл не найден или недоступен");
    std::error_code ec;
    const auto size = std::filesystem::file_size(ToNative(path), ec);
    if (!ec && size > kMaxFileBytes) return fail("файл больше " + std::to_string(kMaxFileBytes >> 20) + " МБ");
    std::string bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const UserError&) {
        return fail("файл не найден или недоступен");
    }
    const size_t slash = path.find_last_of("/\\");
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
    try {
        return std::make_unique<CsvWorkbook>(name, ReadCsv(std::move(bytes), decimalSeparator));
    } catch (const Refusal& r) {
        return fail(r.reason);
    }
}

}  // namespace rw
