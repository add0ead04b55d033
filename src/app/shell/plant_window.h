#pragma once
#include <QDialog>
#include <QString>
#include <memory>

#include "shell/program_context.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace rw {

// Plant selection: the plant list of the plant table. Shown non-modally from
// the main menu (the main window is disabled meanwhile); "Далее" hands the
// chosen plant to the main window and the conditions form.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // Plant selection of the selected row: working copies of the plant's
    // settings files, folders, plant fields of the program context; enables
    // "Далее". Throws UserError (e.g. "File not found" for a missing l90.N)
    // after the part already done; the user can pick another row.
    void RadioGroup1Click();
    // "Далее": ends plant selection (plant index, main-window caption, main
    // window shown, conditions form prepared for the plant). Throws UserError
    // when the scheme picture cannot be loaded; the main window is already
    // shown then.
    void Button2Click();
    // What "Далее" shows once plant selection of `row` is finished in the
    // program context (FinishPlantSelection): the row marked, the main
    // window with the plant, the conditions form in the plant's layout; the
    // dates of another plant forgotten (working configuration). Throws
    // UserError when the scheme picture cannot be loaded; the main window is
    // already shown then.
    void ShowChosenPlant(int row);
    // "Выход": the exit confirmation, modally. "Назад": the same in the
    // described configuration; in the working one back to the welcome window.
    void Button1Click();
    void Button3Click();
    // "Отмена" (working configuration, opened from the main menu): back to
    // the main window with the plant chosen before.
    void Button4Click();

    // Shown by the main menu's "Выбор установки": no row selected, "Далее"
    // disabled, "Выход" and "Назад" hidden ("Отмена" shown in the working
    // configuration).
    void OpenFromMenu();
    // Shown by the welcome window's "Далее" (working configuration): "Выход"
    // and "Назад" shown.
    void OpenFromWelcome();

    // Plant number of the selected row: row + 1 as a decimal text.
    QString GetNumU() const;

    // Selected row of the plant list, -1 for none. SetItemIndex selects a row
    // by code without running the selection (-1 clears the selection).
    int ItemIndex() const;
    void SetItemIndex(int row);
    QRadioButton* Item(int row) const;

    QGroupBox* RadioGroup1 = nullptr;
    QButtonGroup* RadioGroup1Items = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;  // "Отмена"

public slots:
    // Described: the window has no border icons; Escape does not leave it
    // either (the main window waits disabled for "Далее"). Working: Escape
    // and the close box go back where the window came from ("Отмена" or
    // "Назад").
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void GoBack();
    void Present();
    bool fromMenu_ = false;
    // The program context when the menu opened the window: a row click
    // already changes the plant fields, so "Отмена" puts them back.
    std::unique_ptr<ProgramContext> before_;
    // The row whose "Далее" was completed last (-1 before the first): the
    // plant the current dates belong to.
    int plantInForce_ = -1;
};

}  // namespace rw
