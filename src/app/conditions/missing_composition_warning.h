#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace rw {

// The warning of data selection when the sampling date has a conditions file
// but no composition file next to it. Not modal: the main window stays
// disabled until "Далее".
class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);

    // Shows the warning for the sampling date and its two file names.
    void Warn(const QString& sample, const QString& conditionsFile, const QString& compositionFile);

    QLabel* Label1 = nullptr;   // "Уважаемый пользователь !"
    QLabel* Label2 = nullptr;   // "Вы выбрали дату отбора :"
    QLabel* Label3 = nullptr;   // sample name
    QLabel* Label4 = nullptr;   // "Файл с технологическими условиями "
    QLabel* Label5 = nullptr;   // conditions file name
    QLabel* Label6 = nullptr;   // "- существует."
    QLabel* Label7 = nullptr;   // "А файла с составами сырья и катализата"
    QLabel* Label9 = nullptr;   // composition file name
    QLabel* Label8 = nullptr;   // "- не существует", red
    QLabel* Label10 = nullptr;  // "в директории с файлом технологических условий."
    QPushButton* Button1 = nullptr;  // "Далее"

public slots:
    void Button1Click();
    // Escape is "Далее": hiding the warning alone would leave the main
    // window disabled for good.
    void reject() override { Button1Click(); }
};

}  // namespace rw
