#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace rw {

// Chromatogram reports and component lists.
//
// A component list line is 49 bytes: the name in columns 1-43 (column 43
// blank, because the formation reads the number from column 43 on) and the
// mass percentage as "dd.ddd" in columns 44-49. Lines are bytes in the code
// page of the report they came from and are never converted.
constexpr size_t kListLineLength = 49;

// The path with its extension (from the last '.' of the file name) replaced
// by `extension`, or `extension` appended when the name has none.
std::string ReplaceExtension(std::string_view path, std::string_view extension);

// ConvertDhaReport: the English "Detailed Hydrocarbon Analysis" report. The
// component table follows the line containing "Components Listed in
// Chromatographic Order" and two heading lines; each following line is one
// component, name in columns 20-54 and mass percentage in columns 55-60
// (missing columns read as blanks). An entirely blank line, a line with a
// blank name and a total line (a name beginning with "Total" or "Sum") are
// no components and are not written.
// Writes the list next to the report with the stream's extension (replacing
// any file there) and returns its name. Throws UserError naming the file when
// the header line is missing (nothing is written then), and the file-system
// message when the report cannot be read or the list not written.
std::string ConvertDhaReport(const std::string& reportPath, int stream);
// The same, also counting the table lines left out as no components (blank
// lines not counted).
struct DhaConversion {
    std::string listPath;
    int skippedLines = 0;
};
DhaConversion ConvertDhaReportCounted(const std::string& reportPath, int stream);
// The note telling the user how many report lines were left out and why;
// empty for none.
std::string SkippedLinesNote(int skipped);

// ConvertTxtReport: the Russian table report in code page 866. The table
// starts after the line containing 12 asterisks and the heading line after
// it, and ends before the next line containing 20 hyphens (or at the end of
// the file); the first table line is always taken as a component. Mass
// percentage in columns 22-27, name from column 29 to the end of the line;
// a name longer than 43 bytes has every "ТРАНС" (cp866) shortened to "Т",
// then the name is cut or padded to 43. Same output and failures as
// ConvertDhaReport.
std::string ConvertTxtReport(const std::string& reportPath, int stream);

// --- The "Открыть" action of the component list editor, step by step. ---

// Who started the action: the editor's "Далее" button (the welcome pipeline
// does that for the feed) or anything else ("Открыть" itself).
enum class OpenStarter { NextButton, Other };

struct OpenDialogSetup {
    std::string title;          // "Открытие данных"
    std::string initialFolder;  // the sampling folder
    std::string filter;         // "Сырьё|*.SIR|Detailed Hydrocarbon Analysis|*.dha|"
    std::string fileName;       // the file the action opens
};

// The open dialog as the action prepares it. The dialog is not shown: the
// action opens `fileName`, the default sample of the starter.
OpenDialogSetup PrepareOpenDialog(const std::string& baseFolder, const std::string& samplingFolder, int plantIndex,
                                  int stream, OpenStarter starter);
// Filter: "<stream name>|*<ext>", for plant indexes 10, 11, 12 preceded by
// "Таблица УВ состава|*.txt|", always followed by
// "|Detailed Hydrocarbon Analysis|*.dha|" (in the working configuration
// "|Отчет хроматографа (детальный анализ)|*.dha|Все файлы|*|").
std::string OpenFilter(int plantIndex, int stream);
// base + "\Hornel\01-09-09\01-09-09.SIR" for the "Далее" starter, the same
// with ".KAT" for any other.
std::string DefaultReportFile(const std::string& baseFolder, OpenStarter starter);

struct ConvertedFile {
    std::string path;       // the component list file to load
    bool dosNames = false;  // a TXT report was converted: names are cp866 ("Dos")
    int skippedLines = 0;   // DHA table lines that were no components
};
// Conversion by extension, upper-cased: ".TXT" through ConvertTxtReport,
// then ".DHA" through ConvertDhaReport; any other file is a list already.
ConvertedFile ConvertByExtension(const std::string& path, int stream);

// The lines of a list file (CR LF, LF or CR). An empty file gives no lines.
std::vector<std::string> ReadListFile(const std::string& path);

// Tidying after loading: in each line the first tab is replaced by blanks up
// to 49 bytes; lines then shorter than 48 bytes are dropped; when the first
// line is longer than 49 bytes, the first 5 bytes of every line go.
void TidyListLines(std::vector<std::string>& lines);

// Columns 44-49 of a list line read as a number (TextToNumber: "," or ".").
// Throws "'%s' is not a valid floating point value".
double ListLineValue(std::string_view line);
// The running sum over all lines; 0 for no lines. Throws like ListLineValue.
double ListSum(const std::vector<std::string>& lines);
// Index of the first line whose value field is not a number, or -1.
int FirstFaultyValueLine(const std::vector<std::string>& lines);
// The message for a list whose line `index` has no number: `described` (the
// conversion error) in the described configuration; in the working one a
// Russian sentence naming the line by its number and its value.
std::string FaultyValueMessage(const std::vector<std::string>& lines, int index, const std::string& described);

// The `Sum` label: fixed notation, 5 significant digits, 3 decimals.
std::string RunningSumText(double sum, char decimalSeparator);
// Red when the sum differs from 100 by more than 1.
bool RunningSumIsRed(double sum);

// The whole action on one file, for callers without a window. Conversion or
// reading failures throw (a window keeps its list on a conversion failure
// and clears it on a reading failure). A value that is not a number does not
// throw: the lines stay, `sumValid` is false and `sumError` holds the message.
struct OpenedList {
    std::string file;  // the list file that was loaded
    bool dosNames = false;
    std::vector<std::string> lines;
    bool sumValid = true;
    double sum = 0;
    std::string sumError;  // FaultyValueMessage of the faulty line
    int faultyLine = -1;   // the first line whose value is not a number
    int skippedLines = 0;  // report lines left out as no components
};
OpenedList OpenComponentList(const std::string& path, int stream);

}  // namespace rw
