#include "conditions/xlsx_workbook.h"

#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"

#include <dlfcn.h>
#include <expat.h>
#include <zip.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <type_traits>
#include <vector>

namespace rw {
namespace {

// Limits against hostile files. A real export of a month of minute values
// stays far below them.
constexpr zip_uint64_t kMaxPartBytes = 256ull << 20;  // one part, unpacked
constexpr size_t kMaxSharedStrings = 4'000'000;
constexpr size_t kMaxCellText = 32767 * 4;  // the application's 32767 characters, in UTF-8
constexpr long kMaxRow = 1048576;           // the sheet's own size
constexpr long kMaxColumn = 16384;

// What went wrong, before the path is put in front of it.
struct Refusal {
    std::string reason;
};

std::string Damaged(const std::string& what) { return "книга повреждена: " + what; }

// Element and attribute names arrive as "namespace|local" (or bare): the
// producers differ in prefixes, the local names do not.
std::string_view Local(const char* name) {
    const char* bar = std::strrchr(name, '|');
    return bar ? std::string_view(bar + 1) : std::string_view(name);
}

const char* Attribute(const char** attrs, std::string_view local) {
    for (size_t i = 0; attrs[i]; i += 2) {
        if (Local(attrs[i]) == local) return attrs[i + 1];
    }
    return nullptr;
}

// The handlers of one part; a handler may refuse by throwing Refusal, which
// stops the parser and leaves it for ParsePart to pass on.
struct XmlHandlers {
    std::function<void(std::string_view name, const char** attrs)> start;
    std::function<void(std::string_view name)> end;
    std::function<void(const char* text, int length)> text;
};

// expat too is needed for .xlsx workbooks only, and is loaded at the first one.
struct ExpatLibrary {
    decltype(&::XML_ParserCreateNS) parserCreateNS = nullptr;
    decltype(&::XML_ParserFree) parserFree = nullptr;
    decltype(&::XML_SetUserData) setUserData = nullptr;
    decltype(&::XML_SetStartDoctypeDeclHandler) setStartDoctypeDeclHandler = nullptr;
    decltype(&::XML_SetElementHandler) setElementHandler = nullptr;
    decltype(&::XML_SetCharacterDataHandler) setCharacterDataHandler = nullptr;
    decltype(&::XML_StopParser) stopParser = nullptr;
    decltype(&::XML_Parse) parse = nullptr;
    decltype(&::XML_GetErrorCode) getErrorCode = nullptr;
    decltype(&::XML_GetCurrentLineNumber) getCurrentLineNumber = nullptr;
    decltype(&::XML_ErrorString) errorString = nullptr;
    bool loaded = false;
};

const ExpatLibrary& Expat() {
    static const ExpatLibrary library = [] {
        ExpatLibrary x;
        void* handle = ::dlopen("libexpat.so.1", RTLD_NOW | RTLD_LOCAL);
        if (!handle) return x;
        auto take = [handle](auto& function, const char* symbol) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(::dlsym(handle, symbol));
            return function != nullptr;
        };
        x.loaded = take(x.parserCreateNS, "XML_ParserCreateNS") && take(x.parserFree, "XML_ParserFree") &&
                   take(x.setUserData, "XML_SetUserData") &&
                   take(x.setStartDoctypeDeclHandler, "XML_SetStartDoctypeDeclHandler") &&
                   take(x.setElementHandler, "XML_SetElementHandler") &&
                   take(x.setCharacterDataHandler, "XML_SetCharacterDataHandler") &&
                   take(x.stopParser, "XML_StopParser") && take(x.parse, "XML_Parse") &&
                   take(x.getErrorCode, "XML_GetErrorCode") &&
                   take(x.getCurrentLineNumber, "XML_GetCurrentLineNumber") &&
                   take(x.errorString, "XML_ErrorString");
        return x;
    }();
    return library;
}

struct ParseState {
    XML_Parser parser;
    XmlHandlers* handlers;
    bool doctype = false;
    std::optional<Refusal> refusal;
};

void Stop(ParseState& state, Refusal refusal) {
    if (!state.refusal) state.refusal = std::move(refusal);
    Expat().stopParser(state.parser, XML_FALSE);
}

template <class F>
void Guarded(void* data, F&& call) {
    auto& state = *static_cast<ParseState*>(data);
    if (state.refusal) return;
    try {
        call(state);
    } catch (Refusal& r) {
        Stop(state, std::move(r));
    }
}

// libzip brings the whole crypto library with it, which every start of the
// program and of reformer-cli would pay for in time and memory, although only
// the import of .xlsx workbooks opens zip files: it is loaded at the first one.
struct ZipLibrary {
    decltype(&::zip_open) open = nullptr;
    decltype(&::zip_discard) discard = nullptr;
    decltype(&::zip_name_locate) nameLocate = nullptr;
    decltype(&::zip_stat_init) statInit = nullptr;
    decltype(&::zip_stat_index) statIndex = nullptr;
    decltype(&::zip_fopen_index) fopenIndex = nullptr;
    decltype(&::zip_fread) read = nullptr;
    decltype(&::zip_fclose) fclose = nullptr;
    bool loaded = false;
};

const ZipLibrary& Zip() {
    static const ZipLibrary library = [] {
        ZipLibrary z;
        void* handle = nullptr;
        for (const char* name : {"libzip.so.4", "libzip.so.5", "libzip.so"}) {
            if ((handle = ::dlopen(name, RTLD_NOW | RTLD_LOCAL)) != nullptr) break;
        }
        if (!handle) return z;
        auto take = [handle](auto& function, const char* symbol) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(::dlsym(handle, symbol));
            return function != nullptr;
        };
        z.loaded = take(z.open, "zip_open") && take(z.discard, "zip_discard") &&
                   take(z.nameLocate, "zip_name_locate") && take(z.statInit, "zip_stat_init") &&
                   take(z.statIndex, "zip_stat_index") && take(z.fopenIndex, "zip_fopen_index") &&
                   take(z.read, "zip_fread") && take(z.fclose, "zip_fclose");
        return z;
    }();
    return library;
}

class ZipArchive {
public:
    explicit ZipArchive(const std::string& path) {
        if (!Zip().loaded) {
            throw Refusal{"книги .xlsx не читаются: не установлена библиотека libzip (sudo apt install libzip4)"};
        }
        if (!Expat().loaded) {
            throw Refusal{"книги .xlsx не читаются: не установлена библиотека libexpat (sudo apt install libexpat1)"};
        }
        int error = 0;
        zip_ = Zip().open(ToNative(path).c_str(), ZIP_RDONLY, &error);
        if (!zip_) throw Refusal{"это не книга Excel (.xlsx) или файл повреждён"};
    }
    ~ZipArchive() { Zip().discard(zip_); }
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Part names in a package compare without regard to letter case.
    bool Has(const std::string& part) const { return Zip().nameLocate(zip_, part.c_str(), ZIP_FL_NOCASE) >= 0; }

    // Streams the part through expat. Document type declarations are
    // refused outright: no part of a workbook has one, and they are what
    // entity-expansion attacks ("billion laughs") are built from.
    void Parse(const std::string& part, XmlHandlers& handlers) const {
        const zip_int64_t index = Zip().nameLocate(zip_, part.c_str(), ZIP_FL_NOCASE);
        if (index < 0) throw Refusal{Damaged("нет части «" + part + "»")};
        zip_stat_t st;
        Zip().statInit(&st);
        if (Zip().statIndex(zip_, static_cast<zip_uint64_t>(index), 0, &st) == 0 &&
            (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE) {
            throw Refusal{"книга защищена паролем"};
        }
        zip_file_t* file = Zip().fopenIndex(zip_, static_cast<zip_uint64_t>(index), 0);
        if (!file) throw Refusal{Damaged("не удалось распаковать «" + part + "»")};
        XML_Parser parser = Expat().parserCreateNS(nullptr, '|');
        ParseState state{parser, &handlers, false, std::nullopt};
        Expat().setUserData(parser, &state);
        Expat().setStartDoctypeDeclHandler(parser, [](void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
            auto& s = *static_cast<ParseState*>(data);
            s.doctype = true;
            Expat().stopParser(s.parser, XML_FALSE);
        });
        Expat().setElementHandler(
            parser,
            [](void* data, const XML_Char* name, const XML_Char** attrs) {
                Guarded(data, [&](ParseState& s) {
                    if (s.handlers->start) s.handlers->start(Local(name), attrs);
                });
            },
            [](void* data, const XML_Char* name) {
                Guarded(data, [&](ParseState& s) {
                    if (s.handlers->end) s.handlers->end(Local(name));
                });
            });
        Expat().setCharacterDataHandler(parser, [](void* data, const XML_Char* text, int length) {
            Guarded(data, [&](ParseState& s) {
                if (s.handlers->text) s.handlers->text(text, length);
            });
        });
        zip_uint64_t total = 0;
        bool readFailed = false;
        bool tooBig = false;
        XML_Status status = XML_STATUS_OK;
        char buffer[65536];
        while (status == XML_STATUS_OK) {
            const zip_int64_t n = Zip().read(file, buffer, sizeof buffer);
            if (n < 0) {
                readFailed = true;
                break;
            }
            total += static_cast<zip_uint64_t>(n);
            if (total > kMaxPartBytes) {
                tooBig = true;
                break;
            }
            status = Expat().parse(parser, buffer, static_cast<int>(n), n == 0);
            if (n == 0) break;
        }
        const XML_Error error = Expat().getErrorCode(parser);
        const unsigned long line = Expat().getCurrentLineNumber(parser);
        const bool doctype = state.doctype;
        std::optional<Refusal> refusal = std::move(state.refusal);
        Expat().parserFree(parser);
        Zip().fclose(file);
        if (refusal) throw *refusal;
        if (doctype) throw Refusal{Damaged("объявление DTD в «" + part + "»")};
        if (tooBig) throw Refusal{Damaged("часть «" + part + "» больше " + std::to_string(kMaxPartBytes >> 20) + " МБ")};
        if (readFailed) throw Refusal{Damaged("не удалось распаковать «" + part + "»")};
        if (status != XML_STATUS_OK) {
            throw Refusal{Damaged("ошибка XML в «" + part + "», строка " + std::to_string(line) + ": " +
                                  Expat().errorString(error))};
        }
    }

private:
    zip_t* zip_ = nullptr;
};

// "xl/workbook.xml" + "worksheets/sheet1.xml" = "xl/worksheets/sheet1.xml";
// a target from the root ("/xl/...") stands as it is.
std::string ResolvePart(const std::string& fromPart, std::string target) {
    std::vector<std::string> parts;
    std::string base;
    if (!target.empty() && target[0] == '/') {
        target.erase(0, 1);
    } else {
        const size_t slash = fromPart.rfind('/');
        if (slash != std::string::npos) base = fromPart.substr(0, slash + 1);
    }
    const std::string joined = base + target;
    size_t at = 0;
    while (at <= joined.size()) {
        size_t next = joined.find('/', at);
        if (next == std::string::npos) next = joined.size();
        const std::string piece = joined.substr(at, next - at);
        if (piece == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!piece.empty() && piece != ".") {
            parts.push_back(piece);
        }
        at = next + 1;
    }
    std::string out;
    for (const auto& p : parts) out += (out.empty() ? "" : "/") + p;
    return out;
}

std::string RelationshipsOf(const std::string& part) {
    const size_t slash = part.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : part.substr(0, slash + 1);
    return folder + "_rels/" + part.substr(slash == std::string::npos ? 0 : slash + 1) + ".rels";
}

struct Relationship {
    std::string type;  // the last word of the type's URI: "worksheet", "sharedStrings", ...
    std::string target;
};

std::map<std::string, Relationship> ReadRelationships(const ZipArchive& zip, const std::string& part) {
    std::map<std::string, Relationship> rels;
    const std::string relsPart = RelationshipsOf(part);
    if (!zip.Has(relsPart)) return rels;
    XmlHandlers h;
    h.start = [&](std::string_view name, const char** attrs) {
        if (name != "Relationship") return;
        const char* id = Attribute(attrs, "Id");
        const char* type = Attribute(attrs, "Type");
        const char* target = Attribute(attrs, "Target");
        if (!id || !type || !target) return;
        std::string t = type;
        t = t.substr(t.rfind('/') + 1);
        rels[id] = {t, ResolvePart(part, target)};
    };
    zip.Parse(relsPart, h);
    return rels;
}

enum class DateStyle { None, Date, DateTime, Time };

// Whether a number format shows a date, a time or both. Quoted texts,
// escaped characters, fill and padding characters and bracketed colours or
// conditions are no format letters.
DateStyle StyleOfFormatCode(std::string_view code) {
    bool date = false, time = false;
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(code[i])));
        if (c == '"') {
            const size_t close = code.find('"', i + 1);
            i = close == std::string_view::npos ? code.size() : close;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == '[') {
            const size_t close = code.find(']', i + 1);
            const std::string_view inside = code.substr(i + 1, close == std::string_view::npos ? 0 : close - i - 1);
            if (!inside.empty() && std::strchr("hHmMsS", inside[0])) time = true;  // elapsed [h]:mm
            i = close == std::string_view::npos ? code.size() : close;
        } else if (c == ';') {
            break;  // the first section decides
        } else if (c == 'y' || c == 'd') {
            date = true;
        } else if (c == 'h' || c == 's') {
            time = true;
        }
    }
    if (date) return time ? DateStyle::DateTime : DateStyle::Date;
    return time ? DateStyle::Time : DateStyle::None;
}

DateStyle StyleOfBuiltInFormat(long id) {
    if ((id >= 14 && id <= 17) || (id >= 27 && id <= 31) || (id >= 34 && id <= 36) || (id >= 50 && id <= 58)) {
        return DateStyle::Date;
    }
    if (id == 22) return DateStyle::DateTime;
    if ((id >= 18 && id <= 21) || id == 32 || id == 33 || (id >= 45 && id <= 47)) return DateStyle::Time;
    return DateStyle::None;
}

long ToLong(const char* text, long fallback = -1) {
    if (!text) return fallback;
    long v = 0;
    const char* end = text + std::strlen(text);
    const auto [p, ec] = std::from_chars(text, end, v);
    return ec == std::errc() && p == end ? v : fallback;
}

std::string TimeText(long long seconds) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return buf;
}

// "B3" into row 3, column 2; false for anything else or beyond the sheet.
bool ParseReference(std::string_view ref, long& row, long& column) {
    size_t i = 0;
    column = 0;
    while (i < ref.size() && std::isalpha(static_cast<unsigned char>(ref[i])) && column <= kMaxColumn) {
        column = column * 26 + (std::toupper(static_cast<unsigned char>(ref[i])) - 'A' + 1);
        ++i;
    }
    if (i == 0 || i == ref.size()) return false;
    row = 0;
    for (; i < ref.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(ref[i])) || row > kMaxRow) return false;
        row = row * 10 + (ref[i] - '0');
    }
    return row >= 1;
}

class XlsxWorkbook : public Workbook {
public:
    XlsxWorkbook(std::string path, char separator) : path_(std::move(path)), separator_(separator) {
        const ZipArchive zip(path_);
        std::string workbookPart = "xl/workbook.xml";
        for (const auto& [id, rel] : ReadRelationships(zip, "")) {
            if (rel.type == "officeDocument") workbookPart = rel.target;
        }
        const auto rels = ReadRelationships(zip, workbookPart);
        ReadSheetList(zip, workbookPart, rels);
        for (const auto& [id, rel] : rels) {
            if (rel.type == "sharedStrings" && zip.Has(rel.target)) ReadSharedStrings(zip, rel.target);
            if (rel.type == "styles" && zip.Has(rel.target)) ReadStyles(zip, rel.target);
        }
    }

    const std::vector<std::string>& SheetNames() const override { return names_; }

    std::unique_ptr<SpreadsheetSheet> OpenSheet(size_t index) const override {
        try {
            const ZipArchive zip(path_);
            return ReadSheet(zip, index);
        } catch (const Refusal& r) {
            WorkbookFailure(path_, r.reason);
        }
    }

private:
    void ReadSheetList(const ZipArchive& zip, const std::string& part, const std::map<std::string, Relationship>& rels) {
        XmlHandlers h;
        h.start = [&](std::string_view name, const char** attrs) {
            if (name == "workbookPr") {
                const char* d = Attribute(attrs, "date1904");
                date1904_ = d && (std::strcmp(d, "1") == 0 || std::strcmp(d, "true") == 0);
            } else if (name == "sheet") {
                const char* sheetName = Attribute(attrs, "name");
                const char* id = Attribute(attrs, "id");
                const auto rel = id ? rels.find(id) : rels.end();
                // Chart sheets have no cells to offer.
                if (!sheetName || rel == rels.end() || rel->second.type != "worksheet") return;
                names_.push_back(sheetName);
                parts_.push_back(rel->second.target);
            }
        };
        zip.Parse(part, h);
        if (names_.empty()) throw Refusal{"в книге нет листов"};
    }

    // Rich text comes in runs; phonetic guides (rPh) are not part of the text.
    void ReadSharedStrings(const ZipArchive& zip, const std::string& part) {
        std::string current;
        bool inText = false;
        int phonetic = 0;
        XmlHandlers h;
        h.start = [&](std::string_view name, const char**) {
            if (name == "si") current.clear();
            if (name == "rPh") ++phonetic;
            if (name == "t" && phonetic == 0) inText = true;
        };
        h.end = [&](std::string_view name) {
            if (name == "t") inText = false;
            if (name == "rPh") --phonetic;
            if (name == "si") {
                if (strings_.size() >= kMaxSharedStrings) throw Refusal{Damaged("слишком много строк в «" + part + "»")};
                strings_.push_back(current);
            }
        };
        h.text = [&](const char* text, int length) {
            if (!inText) return;
            if (current.size() + static_cast<size_t>(length) > kMaxCellText) {
                throw Refusal{Damaged("строка длиннее 32767 знаков в «" + part + "»")};
            }
            current.append(text, static_cast<size_t>(length));
        };
        zip.Parse(part, h);
    }

    void ReadStyles(const ZipArchive& zip, const std::string& part) {
        std::map<long, DateStyle> custom;
        bool inCellXfs = false;
        XmlHandlers h;
        h.start = [&](std::string_view name, const char** attrs) {
            if (name == "numFmt") {
                const char* code = Attribute(attrs, "formatCode");
                custom[ToLong(Attribute(attrs, "numFmtId"))] = code ? StyleOfFormatCode(code) : DateStyle::None;
            } else if (name == "cellXfs") {
                inCellXfs = true;
            } else if (name == "xf" && inCellXfs) {
                const long id = ToLong(Attribute(attrs, "numFmtId"), 0);
                const auto it = custom.find(id);
                styles_.push_back(it != custom.end() ? it->second : StyleOfBuiltInFormat(id));
            }
        };
        h.end = [&](std::string_view name) {
            if (name == "cellXfs") inCellXfs = false;
        };
        zip.Parse(part, h);
    }

    std::string NumberText(std::string_view v, long style) const {
        double value = 0;
        const auto [p, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
        if (ec != std::errc() || p != v.data() + v.size()) return std::string(v);
        const DateStyle date = style >= 0 && static_cast<size_t>(style) < styles_.size()
                                   ? styles_[static_cast<size_t>(style)]
                                   : DateStyle::None;
        if (date == DateStyle::None || !std::isfinite(value) || value < 0 || value > 2958465) {
            return FormatGeneral(value, 15, separator_);
        }
        const double serial = date1904_ ? value + 1462 : value;
        if (date == DateStyle::Time) return TimeText(std::llround((value - std::floor(value)) * 86400.0) % 86400);
        if (date == DateStyle::Date) return SerialDateText(std::floor(serial));
        std::string text = SerialDateText(serial);
        return text.size() == 10 ? text + " 00:00:00" : text;
    }

    // A cell of type "d": an ISO 8601 date-and-time in the text.
    static std::string IsoDateText(const std::string& v) {
        int y = 0, m = 0, d = 0, hh = 0, mm = 0, ss = 0;
        const int got = std::sscanf(v.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d", &y, &m, &d, &hh, &mm, &ss);
        if (got < 3) return v;
        char buf[32];
        std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d, m, y);
        std::string text = buf;
        if (got >= 5 && (hh || mm || ss)) text += " " + TimeText(hh * 3600LL + mm * 60 + ss);
        return text;
    }

    std::unique_ptr<SpreadsheetSheet> ReadSheet(const ZipArchive& zip, size_t index) const {
        const std::string& sheetName = names_.at(index);
        auto sheet = std::make_unique<CellMapSheet>();
        long row = 0, column = 0;
        std::string type, ref, value, inlineText;
        long style = -1;
        bool inValue = false, inInline = false, inInlineText = false, inCell = false;
        int phonetic = 0;
        auto tooBig = [&](const std::string& what) { return Refusal{"лист «" + sheetName + "» слишком велик: " + what}; };
        XmlHandlers h;
        h.start = [&](std::string_view name, const char** attrs) {
            if (name == "row") {
                const char* r = Attribute(attrs, "r");
                row = r ? ToLong(r, 0) : row + 1;
                if (row < 1) throw Refusal{Damaged("неверный номер строки «" + std::string(r ? r : "") + "»")};
                if (row > kMaxRow) throw tooBig("строка " + std::to_string(row) + " за пределами листа");
                column = 0;
            } else if (name == "c") {
                const char* r = Attribute(attrs, "r");
                const char* t = Attribute(attrs, "t");
                ref = r ? r : "";
                type = t ? t : "n";
                style = ToLong(Attribute(attrs, "s"), 0);
                if (r) {
                    long cellRow = 0;
                    if (!ParseReference(ref, cellRow, column)) {
                        if (cellRow > kMaxRow || column > kMaxColumn) throw tooBig("ячейка " + ref + " за пределами листа");
                        throw Refusal{Damaged("неверная ссылка на ячейку «" + ref + "»")};
                    }
                    if (column > kMaxColumn || cellRow > kMaxRow) throw tooBig("ячейка " + ref + " за пределами листа");
                    row = cellRow;
                } else {
                    ++column;
                    if (row < 1) row = 1;
                    if (column > kMaxColumn) throw tooBig("столбец " + std::to_string(column) + " за пределами листа");
                }
                value.clear();
                inlineText.clear();
                inCell = true;
            } else if (inCell && name == "v") {
                inValue = true;
            } else if (inCell && name == "is") {
                inInline = true;
            } else if (inInline && name == "t") {
                inInlineText = true;
            } else if (name == "rPh") {
                ++phonetic;
            }
        };
        h.end = [&](std::string_view name) {
            if (name == "v") inValue = false;
            if (name == "t") inInlineText = false;
            if (name == "is") inInline = false;
            if (name == "rPh") --phonetic;
            if (name != "c" || !inCell) return;
            inCell = false;
            std::string text;
            if (type == "s") {
                const long i = ToLong(value.c_str());
                if (i < 0 || static_cast<size_t>(i) >= strings_.size()) {
                    throw Refusal{Damaged("ячейка " + ref + " ссылается на строку № " + value +
                                          " общей таблицы, а строк в таблице: " + std::to_string(strings_.size()))};
                }
                text = strings_[static_cast<size_t>(i)];
            } else if (type == "inlineStr") {
                text = inlineText;
            } else if (type == "b") {
                text = value.empty() ? "" : (value == "0" ? "ЛОЖЬ" : "ИСТИНА");
            } else if (type == "d") {
                text = IsoDateText(value);
            } else if (type == "str" || type == "e") {
                text = value;
            } else if (!value.empty()) {
                text = NumberText(value, style);
            }
            if (!sheet->Set(static_cast<int>(row), static_cast<int>(column), std::move(text))) {
                throw tooBig("больше " + std::to_string(CellMapSheet::kMaxCells) + " ячеек");
            }
        };
        h.text = [&](const char* text, int length) {
            std::string* into = inValue ? &value : (inInlineText && phonetic == 0) ? &inlineText : nullptr;
            if (!into) return;
            if (into->size() + static_cast<size_t>(length) > kMaxCellText) {
                throw Refusal{Damaged("текст ячейки " + ref + " длиннее 32767 знаков")};
            }
            into->append(text, static_cast<size_t>(length));
        };
        zip.Parse(parts_.at(index), h);
        return sheet;
    }

    std::string path_;
    char separator_;
    std::vector<std::string> names_;
    std::vector<std::string> parts_;  // the worksheet part of each name
    std::vector<std::string> strings_;
    std::vector<DateStyle> styles_;  // by cell style index
    bool date1904_ = false;
};

}  // namespace

std::unique_ptr<Workbook> OpenXlsxWorkbook(const std::string& path, char decimalSeparator) {
    if (!FileExists(path)) WorkbookFailure(path, "файл не найден или недоступен");
    try {
        return std::make_unique<XlsxWorkbook>(path, decimalSeparator);
    } catch (const Refusal& r) {
        WorkbookFailure(path, r.reason);
    }
}

}  // namespace rw
