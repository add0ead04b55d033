#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "conditions/spreadsheet.h"

namespace rw {

// Opens a file of separated values as a workbook of one sheet named after
// the file (without its extension), the way a historian's "export to CSV"
// writes it:
// - fields separated by ";", "," or tabs: the first of these (in that order
//   of preference) that splits the first lines into equal numbers of
//   fields, otherwise the one giving the most fields in the first line;
// - fields in double quotes may hold separators and line ends, "" is a quote;
// - UTF-8 with or without its byte-order mark, or code page 1251 when the
//   bytes are no UTF-8;
// - a field that is a number, with a decimal comma or point, is shown as the
//   spreadsheet shows it: the shortest general notation with
//   `decimalSeparator` ("25,30" gives "25.3" for '.'); other fields as they are.
// Throws UserError("Не удалось открыть файл CSV «<path>»: <reason>"), the
// reason being "файл не найден или недоступен", "файл пуст", "это не
// текстовый файл", "файл в кодировке UTF-16, сохраните его в UTF-8 или
// Windows-1251", "кавычка, открытая в строке <n>, не закрыта", "файл
// больше <N> МБ" or "в файле больше <N> ячеек".
std::unique_ptr<Workbook> OpenCsvWorkbook(const std::string& path, char decimalSeparator);

}  // namespace rw
