// A historian workbook (.xlsx) read as the import reads it: the sheet list,
// every sheet's cells, the header row, the tag columns and the value row.
// An input that is a zip is the whole file. Any other input is the XML of
// the parts, split at NUL bytes (sheet, shared strings, styles, workbook,
// each defaulting to a plain one), packed into a fresh zip, so the fuzzer
// works on the XML the zip's checksums would otherwise keep from it.
#include <zip.h>

#include <array>
#include <cstdint>

#include "common/errors.h"
#include "conditions/historian_import.h"
#include "conditions/spreadsheet.h"
#include "fuzz_support.h"

using namespace rw;

namespace {

constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRels = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

const std::string kRootRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"r1\" "
    "Type=\"" + std::string(kRels) + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
const std::string kWorkbookRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"" + std::string(kRels) + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"" + std::string(kRels) + "/sharedStrings\" Target=\"sharedStrings.xml\"/>"
    "<Relationship Id=\"rId3\" Type=\"" + std::string(kRels) + "/styles\" Target=\"styles.xml\"/></Relationships>";
// The parts the input replaces, in its order, with their defaults.
const std::array<std::pair<const char*, std::string>, 4> kParts = {{
    {"xl/worksheets/sheet1.xml", "<worksheet xmlns=\"" + std::string(kMain) +
                                     "\"><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"
                                     "<row r=\"3\"><c r=\"A3\" s=\"1\"><v>96.4</v></c></row></sheetData></worksheet>"},
    {"xl/sharedStrings.xml", "<sst xmlns=\"" + std::string(kMain) + "\"><si><t>FSLL_293</t></si></sst>"},
    {"xl/styles.xml", "<styleSheet xmlns=\"" + std::string(kMain) +
                          "\"><cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/></cellXfs></styleSheet>"},
    {"xl/workbook.xml", "<workbook xmlns=\"" + std::string(kMain) + "\" xmlns:r=\"" + std::string(kRels) +
                            "\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
}};

std::string PackParts(std::string_view input) {
    std::array<std::string, kParts.size()> parts;
    for (size_t i = 0; i < kParts.size(); ++i) {
        const size_t nul = input.find('\0');
        if (input.empty() && i > 0) {
            parts[i] = kParts[i].second;
        } else {
            parts[i] = std::string(input.substr(0, nul));
            input = nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);
        }
    }
    const std::string path = fuzz::WriteScratch("parts.xlsx", "");
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    fuzz::Check(zip != nullptr);
    auto add = [&](const char* name, const std::string& text) {
        zip_source_t* source = zip_source_buffer(zip, text.data(), text.size(), 0);
        fuzz::Check(source && zip_file_add(zip, name, source, ZIP_FL_OVERWRITE) >= 0);
    };
    add("_rels/.rels", kRootRels);
    add("xl/_rels/workbook.xml.rels", kWorkbookRels);
    for (size_t i = 0; i < kParts.size(); ++i) add(kParts[i].first, parts[i]);
    fuzz::Check(zip_close(zip) == 0);
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::AsBytes(data, size);
    const std::string path = bytes.substr(0, 2) == "PK" ? fuzz::WriteScratch("historian.xlsx", bytes) : PackParts(bytes);
    try {
        const std::unique_ptr<Workbook> book = OpenWorkbook(path, ',');
        fuzz::Check(!book->SheetNames().empty());
        for (size_t i = 0; i < book->SheetNames().size() && i < 4; ++i) {
            try {
                const auto sheet = book->OpenSheet(i);
                for (int row = 1; row <= 3; ++row) {
                    for (int column = 1; column <= 31; ++column) (void)sheet->CellText(row, column);
                }
                (void)ReadHistorianFields(*sheet);
            } catch (const UserError&) {
            }
        }
    } catch (const UserError&) {
    }
    return 0;
}
