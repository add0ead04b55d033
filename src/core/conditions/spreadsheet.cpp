#include "conditions/spreadsheet.h"

#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
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

// The text of one cell as the spreadsheet application shows it; empty for an
// empty cell or one FreeXL cannot give.
std::string CellTextOf(const void* handle, unsigned row, unsigned short column, char separator) {
    FreeXL_CellValue cell;
    if (freexl_get_cell_value(handle, row, column, &cell) != FREEXL_OK) return {};
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

// The non-empty cells of the first sheet, by row and column from 1.
class CellMapSheet : public SpreadsheetSheet {
public:
    std::string CellText(int row, int column) const override {
        const auto it = cells.find({row, column});
        return it == cells.end() ? std::string() : it->second;
    }
    std::map<std::pair<int, int>, std::string> cells;
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

// The child's work: status byte, FreeXL's error code, then for each
// non-empty cell its row, column, text length and text.
[[noreturn]] void ReadWorkbookInChild(const std::string& native, char separator, int fd) {
    std::string out;
    auto finish = [&](ChildStatus status, int code) {
        out.insert(0, 1, static_cast<char>(status));
        std::string head;
        PutU32(head, static_cast<std::uint32_t>(code));
        out.insert(1, head);
        _exit(WriteAll(fd, out.data(), out.size()) ? 0 : 1);
    };
    const void* handle = nullptr;
    const int rc = freexl_open(native.c_str(), &handle);
    if (rc != FREEXL_OK) finish(ChildStatus::Failed, rc);
    unsigned int info = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED) {
        finish(ChildStatus::Password, 0);
    }
    unsigned int sheets = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0) {
        finish(ChildStatus::NoSheet, 0);
    }
    // The application reads the active sheet; FreeXL cannot tell which one the
    // workbook marks active and would take the last, so the first (where the
    // historian puts its export) is selected explicitly.
    if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK) finish(ChildStatus::NoFirstSheet, 0);
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK) rows = columns = 0;
    for (unsigned row = 0; row < rows; ++row) {
        for (unsigned column = 0; column < columns; ++column) {
            const std::string text = CellTextOf(handle, row, static_cast<unsigned short>(column), separator);
            if (text.empty()) continue;
            PutU32(out, row + 1);
            PutU32(out, column + 1);
            PutU32(out, static_cast<std::uint32_t>(text.size()));
            out += text;
        }
    }
    finish(ChildStatus::Ok, FREEXL_OK);
    _exit(1);  // not reached: finish ends the child
}

// Everything the child sends, or false when it did not end normally in time.
bool RunChild(const std::string& native, char separator, std::string& received) {
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
        ReadWorkbookInChild(native, separator, fds[1]);
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

std::unique_ptr<SpreadsheetSheet> OpenWorkbookSheet(const std::string& path, char decimalSeparator) {
#ifdef REFORMER_HAVE_FREEXL
    const std::string native = ToNative(path);
    if (!FileExists(path)) OpenFailure(path, FreeXlReason(FREEXL_FILE_NOT_FOUND));
    if (!DirectoryNamesFit(native)) OpenFailure(path, FreeXlReason(FREEXL_CFBF_READ_ERROR));
    std::string received;
    if (!RunChild(native, decimalSeparator, received)) OpenFailure(path, FreeXlReason(FREEXL_CFBF_READ_ERROR));
    std::uint32_t code = 0;
    std::memcpy(&code, received.data() + 1, sizeof code);
    switch (static_cast<ChildStatus>(received[0])) {
        case ChildStatus::Ok: break;
        case ChildStatus::Failed: OpenFailure(path, FreeXlReason(static_cast<int>(code)));
        case ChildStatus::Password: OpenFailure(path, "книга защищена паролем");
        case ChildStatus::NoSheet: OpenFailure(path, "в книге нет листов");
        case ChildStatus::NoFirstSheet: OpenFailure(path, "не удалось выбрать первый лист");
        default: OpenFailure(path, FreeXlReason(FREEXL_CFBF_READ_ERROR));
    }
    auto sheet = std::make_unique<CellMapSheet>();
    std::uint32_t fields[3];
    for (size_t at = 5; at + sizeof fields <= received.size();) {
        std::memcpy(fields, received.data() + at, sizeof fields);
        at += sizeof fields;
        if (fields[2] > received.size() - at) break;
        sheet->cells[{static_cast<int>(fields[0]), static_cast<int>(fields[1])}] = received.substr(at, fields[2]);
        at += fields[2];
    }
    return sheet;
#else
    (void)decimalSeparator;
    OpenFailure(path, "чтение книг Excel в этой сборке программы недоступно");
#endif
}

}  // namespace rw
