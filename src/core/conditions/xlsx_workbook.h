#pragma once
#include <memory>
#include <string>

#include "conditions/spreadsheet.h"

namespace rw {

// Opens an Office Open XML workbook (.xlsx, as the spreadsheet programs of
// today and most plant historians save them). The sheet list is read at
// once, each sheet's cells when it is opened. Cells give the texts the
// spreadsheet application shows: shared and inline strings, numbers in the
// shortest general notation with `decimalSeparator`, booleans as "ИСТИНА" /
// "ЛОЖЬ", numbers with a date style as dd.mm.yyyy (a time style adds or
// gives hh:mm:ss), formulas by their cached result, error values as their
// code ("#DIV/0!").
//
// The file comes from outside, so the reader refuses rather than trusts:
// every failure throws UserError("Не удалось открыть книгу Excel «<path>»:
// <reason>"), the reason being one of
//   "это не книга Excel (.xlsx) или файл повреждён"   (no zip, truncated zip)
//   "книга защищена паролем"                          (encrypted entries)
//   "в книге нет листов"
//   "книга повреждена: нет части «<part>»"
//   "книга повреждена: не удалось распаковать «<part>»"
//   "книга повреждена: часть «<part>» больше <N> МБ"
//   "книга повреждена: ошибка XML в «<part>», строка <n>: <expat's text>"
//   "книга повреждена: объявление DTD в «<part>»"     (entity expansion)
//   "книга повреждена: ячейка <ref> ссылается на строку № <i> общей таблицы, а строк в таблице: <n>"
//   "книга повреждена: неверная ссылка на ячейку «<ref>»"
//   "лист «<name>» слишком велик: ячейка <ref> за пределами листа" (beyond
//        the sheet's 1048576 rows and 16384 columns; "строка <n>" and
//        "столбец <n>" likewise), or "...: больше <N> ячеек"
std::unique_ptr<Workbook> OpenXlsxWorkbook(const std::string& path, char decimalSeparator);

}  // namespace rw
