#pragma once
#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

namespace rw {

// "Результаты расчета": the headline and summary of the last run, set by the
// caller before it shows the window, and the buttons to the detailed views.
class TNewReportForm : public QDialog {
    Q_OBJECT
public:
    explicit TNewReportForm(QWidget* parent = nullptr);

    // Sets the headline and the summary; lines of the summary may be
    // separated by a carriage return, as the run builds it.
    void SetTexts(const QString& headline, const QString& summary);
    // The summary of a run just made: SetTexts, then the window, modally.
    void ShowSummary(const QString& headline, const QString& summary);

    QLabel* Label1 = nullptr;  // headline: navy, bold, 19 pixels
    QLabel* Label2 = nullptr;  // summary
    QGroupBox* GroupBox1 = nullptr;  // "Подробнее"
    QPushButton* Button1 = nullptr;  // "Просмотр файла результатов"
    QPushButton* Button2 = nullptr;  // "Рекомендации"
    QPushButton* Button3 = nullptr;  // "Сравнение результатов"
    QPushButton* Button4 = nullptr;  // "Информация о сырье"
    QPushButton* Button5 = nullptr;  // "Металлич. и кислотн. активность"
    QPushButton* Button6 = nullptr;  // "Закрыть"

public slots:
    void FormShow();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();

protected:
    void showEvent(QShowEvent* event) override;
};

// A label text with its carriage returns (character 13, the line break of the
// program's texts) shown as line breaks.
QString DisplayLines(const QString& text);

}  // namespace rw
