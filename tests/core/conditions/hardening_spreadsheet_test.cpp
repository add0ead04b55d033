// Damaged workbooks on which the spreadsheet library itself reads past its
// buffers (found by fuzzing): the library runs in a child process, so the
// program reports the file and goes on, whatever the library does.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/errors.h"
#include "conditions/historian_import.h"
#include "conditions/spreadsheet.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {


TEST(HardeningSpreadsheet, LibraryFaultsEndWithAMessageNotTheProgram) {
    const fs::path findings = fs::path(REFORMER_SOURCE_DIR) / "tests" / "fuzz" / "freexl";
    int files = 0;
    for (const auto& e : fs::directory_iterator(findings)) {
        if (e.path().extension() != ".xls") continue;
        ++files;
        SCOPED_TRACE(e.path().filename().string());
        const std::string path = e.path().string();
        try {
            // Without a sanitizer the library may also get through with
            // whatever it read; then the cells are just texts.
            ReadHistorianFields(*OpenWorkbookSheet(path, ','));
        } catch (const UserError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Не удалось открыть книгу Excel «" + path + "»: ", 0), 0u) << e.what();
        }
    }
    EXPECT_GT(files, 0);
}

// This one made the library read an unmapped address: the program used to
// end there. Now the child ends, and the user reads why.
TEST(HardeningSpreadsheet, CrashOfTheLibraryIsADamagedFile) {
    const std::string path = (fs::path(REFORMER_SOURCE_DIR) / "tests" / "fuzz" / "freexl" / "segv_in_reader.xls").string();
    EXPECT_EQ(test::UserErrorOf([&] { OpenWorkbookSheet(path, ','); }),
              "Не удалось открыть книгу Excel «" + path + "»: это не книга Excel 97-2003 (.xls) или файл повреждён");
}

// Reading in a child process gives the cells as before: texts as they are,
// numbers with the separator asked for, empty cells empty.
TEST(HardeningSpreadsheet, CellsComeBackFromTheChildUnchanged) {
    const auto sheet = OpenWorkbookSheet(test::DataPath("xls/pt219_number.xls"), ',');
    EXPECT_NE(NumColExcel(*sheet, "PT_219"), 0);
    const int column = NumColExcel(*sheet, "PT_219");
    EXPECT_EQ(sheet->CellText(3, column), "12,3");
    EXPECT_EQ(OpenWorkbookSheet(test::DataPath("xls/pt219_number.xls"), '.')->CellText(3, column), "12.3");
    EXPECT_EQ(sheet->CellText(2000, 200), "");
    EXPECT_EQ(sheet->CellText(0, -1), "");
}

}  // namespace
}  // namespace rw
