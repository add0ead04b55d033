#pragma once
#include <string>
#include <string_view>

namespace rw {

// The check a conditions file passes before any calculation takes it (the
// reforming calculation, the studies, and every other run of the model on a
// date's conditions). The model and the run reader go on silently past a
// value they cannot read, so without it a letter in a number, a date that
// does not exist or a file cut short would be calculated on zeros and stored
// as a result.
//
// Lines 1 to 13 must be there, each with the values the form layout gives
// it (extra values and the label after them are not looked at), every value
// a number with "." as its decimal separator; the sampling date (line 12)
// must be a date that exists, and so must the regeneration date (line 13)
// unless it is empty, which data selection takes as the sampling date.

// Throws UserError naming the file, the line and its text:
//   "Значение в файле условий не число (дробную часть в файле отделяют
//    точкой): <file>, строка <n>: «<value>»"
//   "Дата в файле условий не существует: <file>, строка <n>: «<date>»"
//   "Файл условий обрывается, не хватает значений: <file>, строка <n>: «<line>»"
// and the file-system message when the file cannot be read.
void CheckConditionsFile(const std::string& path);
// The same on the bytes of a file named `path` in the messages.
void CheckConditionsBytes(std::string_view bytes, const std::string& path);

}  // namespace rw
