#pragma once
#include <QMainWindow>

#include "shell/current_work.h"
#include "shell/window_helpers.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;

namespace rw {

// The windows' values that belong to a plant's sampling dates back as a
// freshly started program shows them: the conditions form, the composition
// editor and the feed information. Used when another plant is chosen.
void ForgetDateInWindows();

// The main window: its menu is the entry to every function. It has no close
// box and opens minimised; plant selection gives it its caption.
//
// Menu handlers may throw UserError: the menu shows the message (see
// RunHandler), a caller such as the welcome pipeline sees the error and stops.
class TForm5 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);

    // Creates the model-run object (kept for the whole run).
    void FormCreate();

    // --- Helpers for the windows opened from the menu ---------------------
    // Shows a non-modal child window and disables the main window while the
    // child is open; the main window is enabled again when the program hides
    // or closes the child.
    void OpenChildWindow(QWidget* child);
    // Back from a child window: enables and shows the main window.
    void ReturnToMainWindow();
    // Closes the main window (the menu's "Выход" and the end of the welcome
    // pipeline); the window has no close box, so nothing else closes it.
    void CloseMainWindow();

    // --- The current work and the menu derived from it --------------------
    // The one place that shows, hides, enables and disables menu items: the
    // state of each is derived from the current work (DeriveMenuStates),
    // with the plant and date taken afresh from the program context and the
    // disk. Called whenever the work may have changed and before a menu
    // opens (files may come and go behind the program's back).
    void UpdateActions();
    const CurrentWork& Work() const { return work_; }
    // The steps that change the work tell the main window here; each updates
    // the menu.
    void OnDateSelected(bool compositionFound, bool completeFraction);
    void OnSampleChainStarted();
    void OnConditionsFormLeft();
    void OnCalculationSettled(bool declined, bool completed);
    void OnResultsFolderChosen();
    void OnBaseFolderChanged();

    // --- The bottom line and progress bar of a calculation ----------------
    // The bar shown and the line saying `text`, painted at once.
    void ShowWaitText(const QString& text);
    // The bar shown at `position` (0..100), painted at once.
    void ShowProgress(int position);
    // The line cleared and the bar hidden.
    void ClearProgress();
    // The end of a calculation: the bar at 100, the window enabled and
    // shown, the line cleared and the bar hidden.
    void EndCalculation();

    // --- Menu ------------------------------------------------------------
    QMenuBar* MainMenu1 = nullptr;
    QMenu* N9Menu = nullptr;
    QMenu* N2Menu = nullptr;
    QMenu* N3Menu = nullptr;
    QMenu* N7Menu = nullptr;
    QMenu* N22Menu = nullptr;
    QMenu* N14Menu = nullptr;
    QMenu* GrMenu = nullptr;
    QMenu* About1Menu = nullptr;
    // Every item, named as in the menu; a submenu is reached through its
    // item (N9->menu()). N1 "Информация" and N6 "Выход" sit in the menu bar
    // itself.
    QAction* N1 = nullptr;  // "Информация"
    QAction* N9 = nullptr;  // "Выбор установки" (submenu)
    QAction* N10 = nullptr;  // "Выбор установки"
    QAction* BaseChoice = nullptr;  // "Базовая папка...", working configuration only
    QAction* BaseCheck = nullptr;   // "Проверка базовой папки", working configuration only
    QAction* BaseReplay = nullptr;  // "Пересчет истории установки...", working configuration only
    QAction* N2 = nullptr;  // "Данные" (submenu)
    QAction* N12 = nullptr;  // "Выбор данных"
    QAction* Bdan = nullptr;  // "Набор данных": a data entry
    QAction* N13 = nullptr;  // separator
    QAction* NSample = nullptr;  // "Пример": the sample chain, working configuration only
    QAction* N3 = nullptr;  // "Набор данных" (submenu)
    QAction* N4 = nullptr;  // "Технологические условия"
    QAction* N5 = nullptr;  // separator
    QAction* N11 = nullptr;  // "Состав сырья и катализата"
    QAction* N16 = nullptr;  // "Фракционный состав", enabled once a date has its fraction
    QAction* N7 = nullptr;  // "Расчет" (submenu)
    QAction* N8 = nullptr;  // "Риформинг", enabled by data selection
    QAction* N22 = nullptr;  // "Мастер расчетов" (submenu)
    QAction* N23 = nullptr;  // "Расчет по углеводородному составу"
    QAction* N24 = nullptr;  // "Расчет по фракционному составу"
    QAction* N21 = nullptr;  // "Подачи хлорорганики"
    QAction* N32 = nullptr;  // "Расчет оптимальной активности"
    QAction* N29 = nullptr;  // "Исследование влияния состава сырья"
    QAction* N19 = nullptr;  // "Расчет дизактивации"
    QAction* N14 = nullptr;  // "Результаты" (submenu)
    QAction* N15 = nullptr;  // "Результаты расчета", enabled once a calculation was asked for
    QAction* N17 = nullptr;  // "Просмотр результатов"
    QAction* N18 = nullptr;  // "Сводная таблица"
    QAction* N30 = nullptr;  // "Отчет"
    QAction* N25 = nullptr;  // separator
    QAction* N26 = nullptr;  // "Выбор результатов"
    QAction* N27 = nullptr;  // "Таблица", enabled by a results choice
    QAction* N28 = nullptr;  // "Графики", enabled by a results choice
    QAction* Prognoz = nullptr;    // "Прогноз цикла" of the selected plant
    QAction* AllPlants = nullptr;  // "Все установки"
    QAction* Gr = nullptr;  // "Графики" (submenu)
    QAction* N20 = nullptr;  // "Графическое представление"
    QAction* N31 = nullptr;  // "График дезактивации"
    QAction* FastFit = nullptr;  // checkable: secant fitting instead of the bisection
    QAction* N6 = nullptr;  // "Выход"
    QAction* About1 = nullptr;  // "About" (submenu)
    QAction* About2 = nullptr;  // "About"

    // --- Controls --------------------------------------------------------
    QLabel* Label1 = nullptr;  // bottom line, centred, navy bold
    QLabel* BaseFolderLine = nullptr;  // the base folder in use, working configuration only
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* Image4 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    // "Прервать" beside the progress bar: shown only while a calculation runs.
    QPushButton* CancelRun = nullptr;
    // The open dialog of data selection: remembers the chosen file name.
    FileDialogSettings OpenDialog1;

public slots:
    // Handlers of the start-up and plant-selection parts of the program
    // (main_window.cpp).
    void N10Click();   // "Выбор установки"
    void BdanClick();  // "Набор данных"
    void N4Click();    // "Технологические условия"
    void N11Click();   // "Состав сырья и катализата"
    void N6Click();    // "Выход"
    void About2Click();
    void NSampleClick();  // "Пример (01-09-09)"

    // The base folder (base_folder_actions.cpp).
    void BaseChoiceClick();  // "Базовая папка..."
    void BaseCheckClick();   // "Проверка базовой папки"
    void BaseReplayClick();  // "Пересчет истории установки..."
    // The line naming the base folder, from the program context.
    void ShowBaseFolder();

    // Data selection (main_menu_conditions.cpp).
    void N12Click();  // "Выбор данных"

    // Model runs (main_menu_runs.cpp).
    void FrClick();   // N16 "Фракционный состав"
    void N8Click();   // "Риформинг"
    void N23Click();  // "Расчет по углеводородному составу"
    void N24Click();  // "Расчет по фракционному составу"
    void N21Click();  // "Подачи хлорорганики"
    void N32Click();  // "Расчет оптимальной активности"
    void N29Click();  // "Исследование влияния состава сырья"

    // Results (main_menu_results.cpp).
    void N1Click();   // "Информация"
    void N19Click();  // "Расчет дизактивации"
    void FastFitClick();  // the fitting method of the model runs, kept in the base folder
    void N15Click();  // "Результаты расчета"
    void N17Click();  // "Просмотр результатов"
    void N18Click();  // "Сводная таблица"
    void N30Click();  // "Отчет"
    void N26Click();  // "Выбор результатов"
    void N27Click();  // "Таблица"
    void N28Click();  // "Графики"
    void PrognozClick();    // "Прогноз цикла"
    void AllPlantsClick();  // "Все установки"
    void N20Click();  // "Графическое представление"
    void N31Click();  // "График дезактивации"

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildMenu();
    void BuildControls();
    bool closing_ = false;
    CurrentWork work_;
};

}  // namespace rw
