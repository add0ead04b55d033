#pragma once
#include <QDialog>
#include <array>

#include "results/result_views.h"
#include "shell/window_helpers.h"

class QLabel;
class QPushButton;

namespace rw {

// "Информация": the fractional composition and density of the feed of the
// current sample beside those of a composition file the user picks.
class TForm30 : public QDialog {
    Q_OBJECT
public:
    explicit TForm30(QWidget* parent = nullptr);

    // F1..F6 and Label9 (the current sample), or Ff1..Ff6 and Label10 (the
    // compared one), from a composition file's feed information.
    void ShowCurrent(const FeedInfo& info);
    void ShowCompared(const FeedInfo& info);
    // Label9 alone: the sample a data entry has just formed.
    void ShowCurrentName(const QString& name);
    // The fractional composition each column shows, as written; empty texts before.
    const std::array<std::string, 6>& CurrentFeed() const { return currentFeed_; }
    const std::array<std::string, 6>& ComparedFeed() const { return comparedFeed_; }

    QLabel* Label1 = nullptr;  // "Фракционный состав сырья"
    std::array<QLabel*, 6> Captions{};  // Label2..Label7: НК ... density
    QLabel* Label8 = nullptr;  // "Дата отбора"
    // Fractional composition and density of the current sample (F1..F6)
    // and its name (Label9); data selection and the reforming run fill them.
    QLabel* F1 = nullptr;
    QLabel* F2 = nullptr;
    QLabel* F3 = nullptr;
    QLabel* F4 = nullptr;
    QLabel* F5 = nullptr;
    QLabel* F6 = nullptr;
    QLabel* Label9 = nullptr;
    // The sample compared with.
    QLabel* Ff1 = nullptr;
    QLabel* Ff2 = nullptr;
    QLabel* Ff3 = nullptr;
    QLabel* Ff4 = nullptr;
    QLabel* Ff5 = nullptr;
    QLabel* Ff6 = nullptr;
    QLabel* Label10 = nullptr;
    QPushButton* Button1 = nullptr;  // "Далее"
    QPushButton* Button2 = nullptr;  // "Сравнить с"
    FileDialogSettings OpenSk;

public slots:
    void Button1Click();
    // "Сравнить с": a composition file chosen in the plant folder. Throws
    // UserError when the file cannot be read; the labels keep their texts.
    void Button2Click();

private:
    std::array<std::string, 6> currentFeed_{};
    std::array<std::string, 6> comparedFeed_{};
    std::array<QLabel*, 6> current_{};
    std::array<QLabel*, 6> compared_{};
};

}  // namespace rw
