#pragma once
#include <QDialog>

#include <array>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace rw {

struct CompositionTexts;

// The feed and catalyzate composition editor: the 69 model components side
// by side for both streams, the feed's fractional composition and density,
// two running sums, and saving as a composition file.
class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);

    // Edit1..Edit145 by number: 1..69 feed, 70..138 catalyzate, 139, 140 and
    // 142..145 the tail (the numbering skips 141). nullptr for 141 and
    // numbers outside 1..145.
    QLineEdit* Edit(int n) const;
    // The tail fields in file order: initial boiling point, 10 %, 50 %, 90 %,
    // end point (Edit139, Edit140, Edit142, Edit143, Edit144), density (Edit145).
    QLineEdit* TailEdit(int index) const;

    // The texts of a composition file into the fields: 138 values in line
    // order, then the six tail texts.
    void SetTexts(const CompositionTexts& texts);

    // Set by every change of a field's text, typed or set by the program;
    // cleared by saving (a cancelled save too) and by opening a file.
    bool Changed() const { return changed_; }
    double FeedSum() const { return feedSum_; }
    double CatalyzateSum() const { return catalyzateSum_; }

    std::array<QLabel*, 69> captions{};  // Label1..Label69
    QLabel* Label70 = nullptr;
    QLabel* Label77 = nullptr;
    QLabel* SumSir = nullptr;
    QLabel* SumKat = nullptr;
    QPushButton* Button1 = nullptr;  // "Далее"
    QPushButton* Button2 = nullptr;  // "Сохранить как"
    QPushButton* Button3 = nullptr;  // "Открыть"

public slots:
    void FormShow();
    void Button1Click();
    void Button2Click();
    void Button3Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Edit1Change(QLineEdit* edit);
    // Entering a component field takes its number out of its sum, leaving it
    // puts the (possibly new) number back, so the sum follows the edit.
    void EnterField(QLineEdit* edit);
    void LeaveField(QLineEdit* edit);
    void ShowSums();
    bool IsFeedField(const QLineEdit* edit) const;
    bool IsComponentField(const QLineEdit* edit) const;
    int NumberOf(const QLineEdit* edit) const;

    std::array<QLineEdit*, 146> edits_{};  // [1..145], [141] empty
    double feedSum_ = 0;
    double catalyzateSum_ = 0;
    bool changed_ = false;
    bool filtering_ = false;
    QLineEdit* entered_ = nullptr;  // the component field the user is in
};

}  // namespace rw
