#include "conditions/spreadsheet.h"

#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"
#include "conditions/csv_sheet.h"
#include "conditions/xlsx_workbook.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <type_traits>
#include <utility>
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

std::string CellMapSheet::CellText(int row, int column) const {
    const auto it = cells_.find({row, column});
    return it == cells_.end() ? std::string() : it->second;
}

bool CellMapSheet::Set(int row, int column, std::string text) {
    if (text.empty()) {
        cells_.erase({row, column});
        return true;
    }
    auto it = cells_.find({row, column});
    if (it != cells_.end()) {
        it->second = std::move(text);
        return true;
    }
    if (cells_.size() >= kMaxCells) return false;
    cells_.emplace(std::make_pair(row, column), std::move(text));
    return true;
}

void WorkbookFailure(const std::string& path, const std::string& reason) {
    throw UserError("Не удалось открыть книгу Excel «" + path + "»: " + reason);
}

std::string SerialDateText(double serial) {
    // Whole seconds, as the spreadsheet shows them; rounding may carry into the next day.
    const long long seconds = std::llround(serial * 86400.0);
    const long long days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
    const long long inDay = seconds - days * 86400;
    int y = 0, m = 0, d = 0;
    DecodeDate(static_cast<double>(days), y, m, d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d, m, y);
    std::string text = buf;
    if (inDay != 0) {
        std::snprintf(buf, sizeof buf, " %02lld:%02lld:%02lld", inDay / 3600, inDay / 60 % 60, inDay % 60);
        text += buf;
    }
    return text;
}

size_t SheetIndexOf(const std::vector<std::string>& names, const std::string& name) {
    if (name.empty()) return 0;
    const auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? 0 : static_cast<size_t>(it - names.begin());
}

namespace {

[[noreturn]] void OpenFailure(const std::string& path, const std::string& reason) { WorkbookFailure(path, reason); }

#ifdef REFORMER_HAVE_FREEXL

// FreeXL serves the import of .xls workbooks only: it is loaded at the first
// one rather than with every start of the program. Loaded in the parent,
// before the child that reads the workbook is forked.
struct FreeXlLibrary {
    decltype(&::freexl_open) open = nullptr;
    decltype(&::freexl_get_info) getInfo = nullptr;
    decltype(&::freexl_get_worksheet_name) getWorksheetName = nullptr;
    decltype(&::freexl_select_active_worksheet) selectActiveWorksheet = nullptr;
    decltype(&::freexl_worksheet_dimensions) worksheetDimensions = nullptr;
    decltype(&::freexl_get_cell_value) getCellValue = nullptr;
    bool loaded = false;
};

const FreeXlLibrary& FreeXl() {
    static const FreeXlLibrary library = [] {
        FreeXlLibrary f;
        void* handle = ::dlopen("libfreexl.so.1", RTLD_NOW | RTLD_LOCAL);
        if (!handle) return f;
        auto take = [handle](auto& function, const char* symbol) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(::dlsym(handle, symbol));
            return function != nullptr;
        };
        f.loaded = take(f.open, "freexl_open") && take(f.getInfo, "freexl_get_info") &&
                   take(f.getWorksheetName, "freexl_get_worksheet_name") &&
                   take(f.selectActiveWorksheet, "freexl_select_active_worksheet") &&
                   take(f.worksheetDimensions, "freexl_worksheet_dimensions") &&
                   take(f.getCellValue, "freexl_get_cell_value");
        return f;
    }();
    return library;
}

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

// The text of one cell as the spreadsheet application shows it; empty for an
// empty cell or one FreeXL cannot give.
std::string CellTextOf(const void* handle, unsigned row, unsigned short column, char separator) {
    FreeXL_CellValue cell;
    if (FreeXl().getCellValue(handle, row, column, &cell) != FREEXL_OK) return {};
    switch (cell.type) {
        case FREEXL_CELL_INT:
            return FormatGeneral(static_cast<double>(cell.value.int_value), 15, separator);
        case FREEXL_CELL_DOUBLE:
            return FormatGeneral(cell.value.double_value, 15, separator);
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

// FreeXL 1.0.6 copies records of a damaged workbook beyond its buffers, and
// such a copy can end the whole program. So the workbook is read in a child
// process, which sends the cells of the first sheet back through a pipe; if
// FreeXL fails there, the child ends and the file counts as damaged, and
// the program itself never runs FreeXL on it.
enum class ChildStatus : std::uint8_t { Ok, Failed, Password, NoSheet, NoFirstSheet };
constexpr int kChildTimeoutMs = 30000;  // a damaged file must not hang the form

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

void PutU32(std::string& out, std::uint32_t v) { out.append(reinterpret_cast<const char*>(&v), sizeof v); }

// The child's work: status byte, FreeXL's error code, the sheet count and
// names, then (when `wanted` names a sheet) the cell count and for each
// non-empty cell of that sheet its row, column, text length and text.
// Only the wanted sheet's cells are gathered: a workbook of a sheet per
// month would otherwise be read whole for one month.
[[noreturn]] void ReadWorkbookInChild(const std::string& native, char separator, long wanted, int fd) {
    std::string out;
    auto finish = [&](ChildStatus status, int code) {
        out.insert(0, 1, static_cast<char>(status));
        std::string head;
        PutU32(head, static_cast<std::uint32_t>(code));
        out.insert(1, head);
        _exit(WriteAll(fd, out.data(), out.size()) ? 0 : 1);
    };
    const void* handle = nullptr;
    const int rc = FreeXl().open(native.c_str(), &handle);
    if (rc != FREEXL_OK) finish(ChildStatus::Failed, rc);
    unsigned int info = 0;
    if (FreeXl().getInfo(handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED) {
        finish(ChildStatus::Password, 0);
    }
    unsigned int sheets = 0;
    if (FreeXl().getInfo(handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0) {
        finish(ChildStatus::NoSheet, 0);
    }
    // The names let the user choose the sheet meant (FreeXL cannot tell
    // which one the workbook marks active).
    PutU32(out, sheets);
    for (unsigned sheet = 0; sheet < sheets; ++sheet) {
        const char* name = nullptr;
        if (FreeXl().getWorksheetName(handle, static_cast<unsigned short>(sheet), &name) != FREEXL_OK) {
            finish(ChildStatus::NoFirstSheet, static_cast<int>(sheet));
        }
        const std::string sheetName = name ? name : "";
        PutU32(out, static_cast<std::uint32_t>(sheetName.size()));
        out += sheetName;
    }
    if (wanted >= 0) {
        if (static_cast<unsigned long>(wanted) >= sheets ||
            FreeXl().selectActiveWorksheet(handle, static_cast<unsigned short>(wanted)) != FREEXL_OK) {
            finish(ChildStatus::NoFirstSheet, static_cast<int>(wanted));
        }
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (FreeXl().worksheetDimensions(handle, &rows, &columns) != FREEXL_OK) rows = columns = 0;
        std::string cells;
        std::uint32_t count = 0;
        for (unsigned row = 0; row < rows; ++row) {
            for (unsigned column = 0; column < columns; ++column) {
                const std::string text = CellTextOf(handle, row, static_cast<unsigned short>(column), separator);
                if (text.empty()) continue;
                PutU32(cells, row + 1);
                PutU32(cells, column + 1);
                PutU32(cells, static_cast<std::uint32_t>(text.size()));
                cells += text;
                ++count;
            }
        }
        PutU32(out, count);
        out += cells;
    }
    finish(ChildStatus::Ok, FREEXL_OK);
    _exit(1);  // not reached: finish ends the child
}

// Everything the child sends, or false when it did not end normally in time.
bool RunChild(const std::string& native, char separator, long wanted, std::string& received) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (pid == 0) {
        ::close(fds[0]);
        ReadWorkbookInChild(native, separator, wanted, fds[1]);
    }
    ::close(fds[1]);
    bool timedOut = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kChildTimeoutMs);
    char buf[65536];
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{fds[0], POLLIN, 0};
        const int ready = left.count() > 0 ? ::poll(&p, 1, static_cast<int>(left.count())) : 0;
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) {
            timedOut = true;
            break;
        }
        const ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        received.append(buf, static_cast<size_t>(n));
    }
    ::close(fds[0]);
    if (timedOut) ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return !timedOut && WIFEXITED(status) && WEXITSTATUS(status) == 0 && received.size() >= 5;
}

#endif

}  // namespace

namespace {

std::string LowerExtension(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// An .xlsx workbook saved with a password is no zip but a compound file
// holding the encrypted package: it has to be refused as protected, not
// handed to the .xls reader as a damaged old workbook.
bool IsEncryptedPackage(const std::string& bytes) {
    static const std::string kName = [] {
        std::string name;
        for (char c : std::string("EncryptedPackage")) {
            name.push_back(c);
            name.push_back('\0');
        }
        return name;
    }();
    return bytes.find(kName) != std::string::npos;
}

std::unique_ptr<Workbook> OpenXlsWorkbook(const std::string& path, char decimalSeparator);

}  // namespace

std::unique_ptr<Workbook> OpenWorkbook(const std::string& path, char decimalSeparator) {
    const std::string ext = LowerExtension(path);
    if (ext == ".csv" || ext == ".txt") return OpenCsvWorkbook(path, decimalSeparator);
    // The container decides, not the name: historians and mail programs
    // rename files, and a workbook read as what it is beats a refusal.
    if (FILE* f = std::fopen(ToNative(path).c_str(), "rb")) {
        char head[8] = {};
        const size_t got = std::fread(head, 1, sizeof head, f);
        std::fclose(f);
        static const char kZip[] = {'P', 'K', 3, 4};
        static const unsigned char kCompound[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
        const bool zip = got >= 4 && std::memcmp(head, kZip, 4) == 0;
        const bool compound = got == 8 && std::memcmp(head, kCompound, 8) == 0;
        if (zip || (ext == ".xlsx" && !compound)) return OpenXlsxWorkbook(path, decimalSeparator);
        if (compound && IsEncryptedPackage(ReadFileBytes(path))) WorkbookFailure(path, "книга защищена паролем");
    }
    return OpenXlsWorkbook(path, decimalSeparator);
}

std::unique_ptr<SpreadsheetSheet> OpenWorkbookSheet(const std::string& path, char decimalSeparator) {
    return OpenWorkbook(path, decimalSeparator)->OpenSheet(0);
}

namespace {

#ifdef REFORMER_HAVE_FREEXL

// The reply of the child for sheet `wanted` (-1: the names only), checked.
class XlsReply {
public:
    XlsReply(const std::string& path, char separator, long wanted) : path_(path) {
        const std::string native = ToNative(path);
        if (!FileExists(path)) OpenFailure(path, FreeXlReason(FREEXL_FILE_NOT_FOUND));
        if (!FreeXl().loaded) {
            OpenFailure(path, "книги .xls не читаются: не установлена библиотека libfreexl (sudo apt install libfreexl1)");
        }
        if (!DirectoryNamesFit(native)) Damaged();
        if (!RunChild(native, separator, wanted, received_)) Damaged();
        std::uint32_t code = 0;
        std::memcpy(&code, received_.data() + 1, sizeof code);
        switch (static_cast<ChildStatus>(received_[0])) {
            case ChildStatus::Ok: break;
            case ChildStatus::Failed: OpenFailure(path, FreeXlReason(static_cast<int>(code)));
            case ChildStatus::Password: OpenFailure(path, "книга защищена паролем");
            case ChildStatus::NoSheet: OpenFailure(path, "в книге нет листов");
            case ChildStatus::NoFirstSheet: OpenFailure(path, "не удалось прочитать лист " + std::to_string(code + 1));
            default: Damaged();
        }
        std::uint32_t sheets = 0;
        if (!Take(sheets) || sheets == 0) OpenFailure(path, "в книге нет листов");
        for (std::uint32_t i = 0; i < sheets; ++i) names.push_back(TakeText());
        if (wanted < 0) return;
        std::uint32_t count = 0;
        if (!Take(count)) Damaged();
        for (std::uint32_t c = 0; c < count; ++c) {
            std::uint32_t row = 0, column = 0;
            if (!Take(row) || !Take(column)) Damaged();
            if (!cells.Set(static_cast<int>(row), static_cast<int>(column), TakeText())) {
                OpenFailure(path, "лист «" + names.at(static_cast<size_t>(wanted)) + "» слишком велик: больше " +
                                      std::to_string(CellMapSheet::kMaxCells) + " ячеек");
            }
        }
    }

    std::vector<std::string> names;
    CellMapSheet cells;

private:
    [[noreturn]] void Damaged() const { OpenFailure(path_, FreeXlReason(FREEXL_CFBF_READ_ERROR)); }
    bool Take(std::uint32_t& v) {
        if (received_.size() - at_ < sizeof v) return false;
        std::memcpy(&v, received_.data() + at_, sizeof v);
        at_ += sizeof v;
        return true;
    }
    std::string TakeText() {
        std::uint32_t size = 0;
        if (!Take(size) || size > received_.size() - at_) Damaged();
        at_ += size;
        return received_.substr(at_ - size, size);
    }

    const std::string& path_;
    std::string received_;
    size_t at_ = 5;  // past the status and FreeXL's code
};

class XlsWorkbook : public Workbook {
public:
    XlsWorkbook(std::string path, char separator)
        : path_(std::move(path)), separator_(separator), names_(XlsReply(path_, separator_, -1).names) {}
    const std::vector<std::string>& SheetNames() const override { return names_; }
    std::unique_ptr<SpreadsheetSheet> OpenSheet(size_t index) const override {
        return std::make_unique<CellMapSheet>(XlsReply(path_, separator_, static_cast<long>(index)).cells);
    }

private:
    std::string path_;
    char separator_;
    std::vector<std::string> names_;
};

#endif

std::unique_ptr<Workbook> OpenXlsWorkbook(const std::string& path, char decimalSeparator) {
#ifdef REFORMER_HAVE_FREEXL
    return std::make_unique<XlsWorkbook>(path, decimalSeparator);
#else
    (void)decimalSeparator;
    OpenFailure(path, "чтение книг Excel в этой сборке программы недоступно");
#endif
}

}  // namespace

}  // namespace rw
