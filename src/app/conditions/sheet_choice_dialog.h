#pragma once
#include <QDialog>

#include <string>
#include <vector>

class QListWidget;

namespace rw {

// "Выбор листа": which sheet of a workbook holds the historian's export. It
// only collects the answer: the list of the sheet names with `preselected`
// marked, "OK" (or a double click) and "Отмена".
class SheetChoiceDialog : public QDialog {
    Q_OBJECT
public:
    SheetChoiceDialog(QWidget* parent, const std::vector<std::string>& names, size_t preselected);
    // The sheet chosen, from 0.
    size_t ChosenSheet() const;

private:
    QListWidget* SheetList = nullptr;
};

}  // namespace rw
