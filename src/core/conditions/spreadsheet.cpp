#include "conditions/spreadsheet.h"

#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#ifdef REFORMER_HAVE_FREEXL
#include <freexl.h>
#endif

namespace rw {

std::string MemorySheet::CellText(int row, int column) const {
    if (row < 1 || column < 1 || static_cast<size_t>(row) > rows_.size()) return {};
    const auto& r = rows_[static_cast<size_t>(row - 1)];
    if (static_cast<size_t>(column) > r.size()) return {};
    return r[static_cast<size_t>(column - 1)];
}

namespace {

[[noreturn]] void OpenFailure(const std::string& path, const std::string& reason) {
    throw UserError("Не удалось открыть книгу Excel «" + path + "»: " + reason);
}

#ifdef REFORMER_HAVE_FREEXL

// "YYYY-MM-DD[ HH:MM:SS]" as FreeXL gives date cells, in the day.month.year
// order the spreadsheet application shows under the regional settings.
std::string RegionalDateText(const char* iso) {
    int y = 0, m = 0, d = 0;
    int consumed = 0;
    if (std::sscanf(iso, "%4d-%2d-%2d%n", &y, &m, &d, &consumed) != 3) return iso;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d, m, y);
    return std::string(buf) + (iso + consumed);
}

class FreeXlSheet : public SpreadsheetSheet {
public:
    FreeXlSheet(const void* handle, char decimalSeparator) : handle_(handle), separator_(decimalSeparator) {}
    ~FreeXlSheet() override { freexl_close(handle_); }
    FreeXlSheet(const FreeXlSheet&) = delete;
    FreeXlSheet& operator=(const FreeXlSheet&) = delete;

    std::string CellText(int row, int column) const override {
        // FreeXL reports a cell outside the sheet as an error: that is an empty cell.
        if (row < 1 || column < 1 || column > 65536) return {};
        FreeXL_CellValue cell;
        if (freexl_get_cell_value(handle_, static_cast<unsigned>(row - 1), static_cast<unsigned short>(column - 1),
                                  &cell) != FREEXL_OK) {
            return {};
        }
        switch (cell.type) {
            case FREEXL_CELL_INT:
                return FormatGeneral(static_cast<double>(cell.value.int_value), 15, separator_);
            case FREEXL_CELL_DOUBLE:
                return FormatGeneral(cell.value.double_value, 15, separator_);
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_TIME:
                return cell.value.text_value ? cell.value.text_value : "";
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
                return cell.value.text_value ? RegionalDateText(cell.value.text_value) : "";
            default:
                return {};
        }
    }

private:
    const void* handle_;
    char separator_;
};

// FreeXL takes the length of a compound-file directory entry's name from the
// file and converts that many bytes, though the name field holds 64: a
// damaged workbook with a longer length makes it read far past its buffer
// and crash. The directory sector it reads is checked here the same way it
// reads it (the first directory sector, up to the "Workbook" or "Book"
// entry it takes), so such a file is refused as damaged before FreeXL sees it.
bool DirectoryNamesFit(const std::string& native) {
    FILE* f = std::fopen(native.c_str(), "rb");
    if (!f) return true;  // FreeXL reports what is wrong with the file itself
    unsigned char header[512];
    bool fit = true;
    auto u16 = [](const unsigned char* p) { return static_cast<unsigned>(p[0] | (p[1] << 8)); };
    auto u32 = [](const unsigned char* p) {
        return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
               (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    };
    static const unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    if (std::fread(header, 1, sizeof header, f) == sizeof header && std::memcmp(header, kSignature, 8) == 0) {
        const unsigned shift = u16(header + 30);
        if (shift == 9 || shift == 12) {
            const std::uint32_t sectorSize = 1u << shift;
            // The same unsigned 32-bit position FreeXL seeks to.
            const std::uint32_t where = (u32(header + 48) + 1) * sectorSize;
            std::vector<unsigned char> sector(sectorSize);
            if (std::fseek(f, static_cast<long>(where), SEEK_SET) == 0 &&
                std::fread(sector.data(), 1, sectorSize, f) == sectorSize) {
                for (std::uint32_t entry = 0; entry + 128 <= sectorSize; entry += 128) {
                    const unsigned char* e = sector.data() + entry;
                    const unsigned nameSize = u16(e + 64);
                    if (nameSize > 64) {
                        fit = false;
                        break;
                    }
                    // The name as FreeXL compares it: UTF-16 up to its length or a NUL.
                    std::string name;
                    for (unsigned i = 0; i + 1 < nameSize && (e[i] | e[i + 1]) != 0; i += 2) {
                        name += e[i + 1] == 0 && e[i] < 0x80 ? static_cast<char>(e[i]) : '?';
                    }
                    // FreeXL stops at the workbook entry, unless its start sector is
                    // the "no sector" mark: then it reads on.
                    if ((name == "Workbook" || name == "Book") && u32(e + 116) != 0xFFFFFFFFu) break;
                }
            }
        }
    }
    std::fclose(f);
    return fit;
}

std::string FreeXlReason(int code) {
    switch (code) {
        case FREEXL_FILE_NOT_FOUND: return "файл не найден или недоступен";
        case FREEXL_INSUFFICIENT_MEMORY: return "недостаточно памяти";
        default: return "это не книга Excel 97-2003 (.xls) или файл повреждён";
    }
}

#endif

}  // namespace

std::unique_ptr<SpreadsheetSheet> OpenWorkbookSheet(const std::string& path, char decimalSeparator) {
#ifdef REFORMER_HAVE_FREEXL
    const std::string native = ToNative(path);
    if (!FileExists(path)) OpenFailure(path, FreeXlReason(FREEXL_FILE_NOT_FOUND));
    if (!DirectoryNamesFit(native)) OpenFailure(path, FreeXlReason(FREEXL_CFBF_READ_ERROR));
    const void* handle = nullptr;
    int rc = freexl_open(native.c_str(), &handle);
    if (rc != FREEXL_OK) {
        if (handle) freexl_close(handle);
        OpenFailure(path, FreeXlReason(rc));
    }
    unsigned int info = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED) {
        freexl_close(handle);
        OpenFailure(path, "книга защищена паролем");
    }
    unsigned int sheets = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0) {
        freexl_close(handle);
        OpenFailure(path, "в книге нет листов");
    }
    // The application reads the active sheet; FreeXL cannot tell which one the
    // workbook marks active and would take the last, so the first (where the
    // historian puts its export) is selected explicitly.
    if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK) {
        freexl_close(handle);
        OpenFailure(path, "не удалось выбрать первый лист");
    }
    return std::make_unique<FreeXlSheet>(handle, decimalSeparator);
#else
    (void)decimalSeparator;
    OpenFailure(path, "чтение книг Excel в этой сборке программы недоступно");
#endif
}

}  // namespace rw
