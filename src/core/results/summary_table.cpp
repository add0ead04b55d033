#include "results/summary_table.h"

#include "common/codepage.h"
#include "common/errors.h"
#include "common/file_lock.h"
#include "common/files.h"
#include "common/number_format.h"
#include "results/binary_io.h"
#include "results/results_index.h"

#include <algorithm>
#include <utility>

namespace rw {

namespace {

const char* const kCaptions[kParameterCount] = {
    "Активность",
    "Перераб. сырьё т.",
    "Число крекинга",
    "Водород, %",
    "Выход водорода, %",
    "Температура входа",
    "Расход сырья м3/ч",
    "Пар/(Нафт+Аром)",
    "н-Пар/и-Пар сырьё",
    "Кратн. цирк. м3/м3",
    "Степень изомеризации",
    "Степень ароматизации",
    "Ароматика, %вес.",
    "Кокс, %вес.",
    "Октановое число о.ч.и.",
    "Выход риформата",
    "МЦП в катал., % вес",
    "Перепад температур",
};

bool ValidParameter(int k) { return k >= 1 && k <= kParameterCount; }

}  // namespace

const char* ParameterCaption(int k) { return ValidParameter(k) ? kCaptions[k - 1] : ""; }

std::string ParameterCheckBoxName(int k) {
    // The two boxes were swapped on the form long ago; the number is what counts.
    int box = k == 10 ? 14 : k == 14 ? 10 : k;
    return "CheckBox" + std::to_string(box);
}

CokeChoice CokeChoiceForIndex(std::string_view indexPath) {
    return indexPath.find(".tmp") != std::string_view::npos ? CokeChoice::Coke : CokeChoice::AccumulatedCoke;
}

CokeChoice& LastCokeChoice() {
    static CokeChoice choice = CokeChoice::Coke;
    return choice;
}

double GetPar(const ResultsRecord& r, int k, CokeChoice coke) {
    switch (k) {
        case 1: return r.activity;
        case 2: return r.processedFeed;
        case 3: return r.crackingNumber;
        case 4: return r.hydrogenContent;
        case 5: return HydrogenYield(r);
        case 6: return r.inletTemperature;
        case 7: return r.feedRate;
        case 8: return r.paraffinRatio;
        case 9: return r.normalIsoFeed;
        case 10: return r.circulationRatio;
        case 11: return (r.normalIsoFeed - r.normalIsoProduct) * 100;
        case 12: return r.dehydrocyclization;
        case 13: return CalculatedAromatics(r);
        case 14: return coke == CokeChoice::AccumulatedCoke ? r.accumulatedCoke : r.coke;
        case 15: return r.octaneResearch;
        case 16: return r.reformateYield;
        case 17: return MethylcyclopentaneContent(r);
        case 18: return r.temperatureDrop;
        default: return 0;
    }
}

double GetPar(const ResultsRecord& record, int k) { return GetPar(record, k, LastCokeChoice()); }

// ---------------------------------------------------------------------------
// Selection

bool ParameterSelection::IsShown(int k) const { return Position(k) > 0; }

int ParameterSelection::Position(int k) const {
    auto it = std::find(rows_.begin(), rows_.end(), k);
    return it == rows_.end() ? 0 : static_cast<int>(it - rows_.begin()) + 1;
}

bool ParameterSelection::Check(int k) {
    if (!ValidParameter(k) || IsShown(k)) return false;
    rows_.push_back(k);
    return true;
}

bool ParameterSelection::Uncheck(int k) {
    auto it = std::find(rows_.begin(), rows_.end(), k);
    if (it == rows_.end()) return false;
    rows_.erase(it);
    return true;
}

std::string ParameterSelection::Encode() const {
    std::string bytes(kFileSize, '\0');
    ByteWriter w(bytes.data());
    for (int k = 1; k <= kParameterCount; ++k) {
        const int position = Position(k);
        w.PutUint16(position > 0 ? 1 : 0);
        w.PutUint16(static_cast<std::uint16_t>(position));
    }
    return bytes;
}

ParameterSelection ParameterSelection::Decode(std::string_view bytes) {
    ParameterSelection selection;
    if (bytes.size() < kFileSize) return selection;
    std::vector<std::pair<int, int>> shown;  // (position, k)
    ByteReader in(bytes.data());
    for (int k = 1; k <= kParameterCount; ++k) {
        const int flag = in.GetUint16();
        const int position = in.GetUint16();
        if (flag != 1) continue;
        // A position no row can have means the file is not ours to trust.
        if (position < 1 || position > kParameterCount) return ParameterSelection{};
        shown.emplace_back(position, k);
    }
    std::sort(shown.begin(), shown.end());
    for (const auto& entry : shown) selection.rows_.push_back(entry.second);
    return selection;
}

ParameterSelection ParameterSelection::Load(const std::string& path) {
    if (!FileExists(path)) return {};
    try {
        return Decode(ReadFileBytes(path));
    } catch (const UserError&) {
        return {};
    }
}

void ParameterSelection::Save(const std::string& path) const {
    SharedFileLock lock(path);
    WriteFileAtomic(path, Encode());
}

// ---------------------------------------------------------------------------
// Export

namespace {

std::string JoinGrid(const SummaryGrid& grid, std::string_view rowEnd) {
    std::string text;
    for (int row = 0; row < grid.rowCount; ++row) {
        for (int column = 0; column < grid.columnCount; ++column) {
            text += grid.Cell(column, row);
            text += '\t';
        }
        text += rowEnd;
    }
    return text;
}

}  // namespace

std::string SummaryExportText(const SummaryGrid& grid) { return Utf8ToCp1251(JoinGrid(grid, "\r\n")); }

void WriteSummaryExport(const std::string& path, const SummaryGrid& grid) {
    WriteFileAtomic(path, SummaryExportText(grid));
}

std::string SummaryClipboardText(const SummaryGrid& grid) { return JoinGrid(grid, "\r"); }

// ---------------------------------------------------------------------------
// Record lists

void SummaryTableModel::Open(const std::string& indexPath) {
    std::vector<ResultsRecord> records;
    try {
        records = ReadResultsIndex(indexPath);
    } catch (...) {
        Open(std::vector<ResultsRecord>{}, indexPath);
        readFailed_ = true;
        throw;
    }
    Open(std::move(records), indexPath);
}

void SummaryTableModel::Open(std::vector<ResultsRecord> records, const std::string& indexPath) {
    indexPath_ = indexPath;
    coke_ = CokeChoiceForIndex(indexPath);
    LastCokeChoice() = coke_;
    full_ = std::move(records);
    // The opened list is copied only when the window first changes it.
    opened_.clear();
    openedKept_ = false;
    filtered_.clear();
    showFiltered_ = false;
    readFailed_ = false;
    if (!full_.empty()) {
        from_ = full_.front().sampleDate;
        till_ = full_.back().sampleDate;
    }
}

int SummaryTableModel::ColumnCount() const {
    const auto& shown = DisplayedList();
    if (shown.empty()) return readFailed_ ? 0 : 1;
    return static_cast<int>(shown.size());
}

void SummaryTableModel::KeepOpenedList() {
    if (openedKept_) return;
    opened_ = full_;
    openedKept_ = true;
}

void SummaryTableModel::AddRecord(const ResultsRecord& record) {
    KeepOpenedList();
    readFailed_ = false;
    showFiltered_ = false;
    if (full_.empty()) {
        full_.push_back(record);
        return;
    }
    if (full_.front().sampleDate > record.sampleDate) {
        full_.insert(full_.begin(), record);
        from_ = record.sampleDate;
        return;
    }
    const std::size_t before = full_.size();
    const std::size_t position = InsertOrReplaceByDate(full_, record);
    if (full_.size() > before && position + 1 == full_.size()) {
        // Appended after every record: the range now ends with it.
        till_ = record.sampleDate;
    }
}

void SummaryTableModel::AddResultsFile(const std::string& path) { AddRecord(ReadResultsFile(path)); }

bool SummaryTableModel::ApplyDateRange() {
    if (full_.empty()) return false;
    const double a = from_;
    const double b = till_;
    auto start = full_.begin();
    if (a > full_.front().sampleDate) {
        start = std::find_if(full_.begin(), full_.end(), [&](const ResultsRecord& r) { return r.sampleDate >= a; });
        if (start == full_.end()) return false;
    }
    auto end = std::next(start);
    while (end != full_.end() && end->sampleDate < b) ++end;
    if (end != full_.end() && end->sampleDate == b) ++end;
    filtered_.assign(start, end);
    showFiltered_ = true;
    return true;
}

bool SummaryTableModel::RemoveColumn(int j) {
    std::vector<ResultsRecord>& shown = Displayed();
    if (shown.empty() || j <= 0 || static_cast<std::size_t>(j) > shown.size()) return false;
    if (&shown == &full_) KeepOpenedList();
    const bool wasLast = static_cast<std::size_t>(j) == shown.size();
    shown.erase(shown.begin() + (j - 1));
    if (j == 1 && !shown.empty()) from_ = shown.front().sampleDate;
    if (wasLast && j > 1) till_ = shown[static_cast<std::size_t>(j - 2)].sampleDate;
    return true;
}

void SummaryTableModel::SaveIndex() const {
    SharedFileLock lock(indexPath_);
    const std::vector<ResultsRecord>& opened = openedKept_ ? opened_ : full_;
    std::vector<ResultsRecord> current = opened;
    if (FileExists(indexPath_)) {
        try {
            current = ReadResultsIndex(indexPath_);
        } catch (const UserError&) {
            // Unreadable now: the window's own copy is all there is to save.
        }
    }
    WriteResultsIndex(indexPath_, MergeIndexEdits(opened, full_, current));
}

void SummaryTableModel::Close() {
    full_.clear();
    full_.shrink_to_fit();
    opened_.clear();
    opened_.shrink_to_fit();
    openedKept_ = false;
    filtered_.clear();
    filtered_.shrink_to_fit();
    showFiltered_ = false;
}

SummaryGrid SummaryTableModel::MakeTab(const ParameterSelection& selection, char decimalSeparator) const {
    const std::vector<int>& rows = selection.Rows();
    SummaryGrid grid;
    grid.columnCount = ColumnCount() + 1;
    grid.rowCount = selection.Count() + 1;
    grid.fixedFirstColumn = grid.columnCount > 1 && grid.rowCount > 1;
    grid.cells.assign(static_cast<std::size_t>(grid.columnCount) * static_cast<std::size_t>(grid.rowCount), {});
    grid.Cell(0, 0) = "Дата отбора";
    for (int r = 1; r < grid.rowCount; ++r) grid.Cell(0, r) = ParameterCaption(rows[static_cast<std::size_t>(r - 1)]);

    const auto& shown = DisplayedList();
    if (shown.empty()) {
        if (grid.columnCount > 1) {
            for (int r = 0; r < grid.rowCount; ++r) grid.Cell(1, r) = "0";
        }
        return grid;
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const int column = static_cast<int>(i) + 1;
        const ResultsRecord& record = shown[i];
        grid.Cell(column, 0) = record.sampleDateText.Text();
        for (int r = 1; r < grid.rowCount; ++r) {
            const double value = GetPar(record, rows[static_cast<std::size_t>(r - 1)], coke_);
            grid.Cell(column, r) = FormatFixedPrecision(value, 10, 2, decimalSeparator);
        }
    }
    return grid;
}

}  // namespace rw
