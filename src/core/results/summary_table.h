#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "results/results_file.h"

namespace rw {

// The 18 parameters of the summary table and the graphs, numbered 1-18 (the
// Tag of their check box).
inline constexpr int kParameterCount = 18;

// Caption of parameter k (UTF-8), e.g. 14 -> "Кокс, %вес.". Empty outside 1-18.
const char* ParameterCaption(int k);
// Object name of the check box of parameter k: "CheckBox<k>", except that
// parameter 10 sits on "CheckBox14" and parameter 14 on "CheckBox10".
std::string ParameterCheckBoxName(int k);

// Parameter 14 is the accumulated coke of a plant's history, but the coke
// of the record itself in an index built over a folder (svod.tmp), where the
// records need not be one plant's consecutive dates.
enum class CokeChoice { Coke, AccumulatedCoke };
// The choice for an index path: Coke when the path contains ".tmp".
CokeChoice CokeChoiceForIndex(std::string_view indexPath);
// The choice of the summary table's last opening in this program run (Coke
// before any opening); the graphs follow it.
CokeChoice& LastCokeChoice();

// The value of parameter k (1-18) of a record; 0 outside 1-18.
double GetPar(const ResultsRecord& record, int k, CokeChoice coke);
// The same with the summary table's last choice for parameter 14.
double GetPar(const ResultsRecord& record, int k);

// Which parameters the table shows, in which row. Stored in Ravionn.ini: for
// k = 1..18 a 16-bit little-endian shown flag (1 shown) and a 16-bit
// little-endian row position, 72 bytes.
class ParameterSelection {
public:
    static constexpr std::size_t kFileSize = 72;

    bool IsShown(int k) const;
    int Position(int k) const;                            // 1-based row, 0 when not shown
    const std::vector<int>& Rows() const { return rows_; }  // shown parameters, row 1 first
    int Count() const { return static_cast<int>(rows_.size()); }

    // Checking puts k on a new last row; unchecking closes its row up.
    // Both return false when nothing changes (already shown / not shown, or
    // k outside 1-18).
    bool Check(int k);
    bool Uncheck(int k);
    void Clear() { rows_.clear(); }

    std::string Encode() const;  // the 72 bytes
    // The selection of settings bytes. Fewer than 72 bytes, or a shown
    // parameter with a position outside 1-18, is no selection; shown
    // parameters are ordered by position and renumbered without gaps.
    static ParameterSelection Decode(std::string_view bytes);

    // Reads the settings file; a missing or unreadable file is no selection.
    static ParameterSelection Load(const std::string& path);
    // Writes the 72 bytes (whole file, atomically). Throws UserError.
    void Save(const std::string& path) const;

    bool operator==(const ParameterSelection&) const = default;

private:
    std::vector<int> rows_;
};

// The cells of the table: column 0 the captions, row 0 the dates. Texts UTF-8.
struct SummaryGrid {
    int columnCount = 1;
    int rowCount = 1;
    bool fixedFirstColumn = false;  // more than one column and more than one row
    std::vector<std::string> cells;  // row by row

    const std::string& Cell(int column, int row) const {
        return cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(columnCount) +
                     static_cast<std::size_t>(column)];
    }
    std::string& Cell(int column, int row) {
        return cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(columnCount) +
                     static_cast<std::size_t>(column)];
    }
};

// Text file export: every cell followed by a TAB, each row ended by CR LF,
// code page 1251.
std::string SummaryExportText(const SummaryGrid& grid);
void WriteSummaryExport(const std::string& path, const SummaryGrid& grid);
// Clipboard text (UTF-8): every cell followed by a TAB, each row ended by CR.
std::string SummaryClipboardText(const SummaryGrid& grid);

// The record lists of the summary table, independent of any window: the
// full list of the opened index, a filtered copy of a date range, and which
// of the two is displayed; the dates of the two range pickers.
class SummaryTableModel {
public:
    // Opens an index: the full list is displayed, `from`/`till` become the
    // first and last dates (kept when the index is empty), and the program's
    // coke choice follows the path. When the index cannot be read the lists
    // are emptied, no record column is shown and the error is rethrown.
    void Open(const std::string& indexPath);
    // The same on records already in memory.
    void Open(std::vector<ResultsRecord> records, const std::string& indexPath);

    const std::string& IndexPath() const { return indexPath_; }
    bool OpenedOnTmp() const { return coke_ == CokeChoice::Coke; }
    CokeChoice Coke() const { return coke_; }

    const std::vector<ResultsRecord>& FullList() const { return full_; }
    const std::vector<ResultsRecord>& DisplayedList() const { return showFiltered_ ? filtered_ : full_; }
    bool ShowsFiltered() const { return showFiltered_; }
    // Record columns of the grid: the displayed records, at least 1 (the
    // "0" column of an empty list); 0 after an index that could not be read.
    int ColumnCount() const;

    double From() const { return from_; }
    double Till() const { return till_; }
    // The pickers' dates as the window shows them; ApplyDateRange filters.
    void SetFrom(double date) { from_ = date; }
    void SetTill(double date) { till_ = date; }

    // "Добавить": puts a record read from a results file into the full list
    // by date (replacing the record of the same date) and displays the full
    // list. No accumulated coke is recomputed.
    void AddRecord(const ResultsRecord& record);
    // Reads the results file first; on a read error nothing changes.
    void AddResultsFile(const std::string& path);

    // Shows the records from the first on or after `from` up to `till`
    // (that first record always included). Returns false when nothing
    // changes: an empty table, or no record on or after `from`.
    bool ApplyDateRange();

    // "Удалить": removes the record of grid column j (1-based) from the
    // displayed list; from the full list only when the full list is
    // displayed. Returns false when nothing is removed.
    bool RemoveColumn(int j);

    // "Далее": rewrites the opened index with the full list. Records that
    // another instance added or replaced in the file since it was opened are
    // kept: the window's removals and additions are applied to the file as
    // it is now (MergeIndexEdits).
    void SaveIndex() const;
    // Releases both lists.
    void Close();

    // The grid of the displayed list with the shown parameters.
    SummaryGrid MakeTab(const ParameterSelection& selection, char decimalSeparator) const;

private:
    std::vector<ResultsRecord>& Displayed() { return showFiltered_ ? filtered_ : full_; }

    std::string indexPath_;
    CokeChoice coke_ = CokeChoice::AccumulatedCoke;
    std::vector<ResultsRecord> full_;
    // The full list as opened, to tell the window's edits apart; copied at the
    // first edit (openedKept_), until then the full list is still the opened one.
    std::vector<ResultsRecord> opened_;
    bool openedKept_ = false;
    void KeepOpenedList();
    std::vector<ResultsRecord> filtered_;
    bool showFiltered_ = false;
    bool readFailed_ = false;
    double from_ = 0;
    double till_ = 0;
};

}  // namespace rw
