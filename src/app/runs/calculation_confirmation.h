#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace rw {

// "Внимание !": asks whether the calculation should start for the plant,
// sampling date and process shown. "Да" closes with Accepted, "Нет" with
// kResultNo.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

    // Shows the process, plant and sampling date of the calculation about
    // to start, modally. True for "Да".
    bool Confirm(const QString& process, const QString& plant, const QString& sample);

    // The result of "Нет" (the caller goes back to its data).
    static constexpr int kResultNo = 7;

    QLabel* Label1 = nullptr;  // "Проводим расчет"
    QLabel* Label2 = nullptr;  // "при следующих заданных условиях :"
    QLabel* Label3 = nullptr;  // "Установка :"
    QLabel* Label4 = nullptr;  // "Дата отбора :"
    QLabel* Label7 = nullptr;  // "Процесс :"
    QLabel* Label9 = nullptr;  // "Если условия заданы правильно, ..."
    QLabel* Label5 = nullptr;  // plant caption
    QLabel* Label6 = nullptr;  // sample name
    QLabel* Label8 = nullptr;  // calculation caption
    QPushButton* BitBtn1 = nullptr;  // "Да"
    QPushButton* BitBtn2 = nullptr;  // "Нет"
};

}  // namespace rw
