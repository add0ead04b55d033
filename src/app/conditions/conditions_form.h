#pragma once
#include <QDialog>
#include <QHash>
#include <QString>

#include <array>
#include <memory>
#include <optional>

#include "conditions/conditions_edits.h"
#include "conditions/conditions_save.h"
#include "conditions/field_rules.h"
#include "runs/conditions_review.h"
#include "shell/date_field.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace rw {

class SpreadsheetSheet;

// The technological conditions of one sampling date as the user sees, types
// and saves them. The values live as texts in the edits; the conditions
// record of the program context receives them only when a save runs.
class TForm8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);
    ~TForm8() override;

    // Layout of the plant chosen at plant selection: row 11 has a fifth
    // reactor column, its own scheme picture, the spreadsheet import and the
    // wider form. Throws UserError when the picture cannot be loaded (the
    // controls before it in that order are already switched).
    void PrepareForPlant(int plantIndex, const QString& picturePath);

    // "Набор данных" of the main menu: "Сохранить" runs the data-entry save
    // (Basa2Click) instead of the normal save (Button2Click), until "Назад"
    // or the data-entry save switches it back.
    void SetDataEntryMode(bool on);
    // The next normal save proposes `fileName` (native) in its dialog
    // instead of the base folder with no name; the fractional-composition
    // wizard prepares it for the date it asks conditions for. Working
    // configuration only; used by one save.
    void PrepareSaveDialog(const QString& fileName);
    bool DataEntryMode() const { return dataEntry_; }

    // Edit1..Edit29 by number (nullptr outside 1..29).
    QLineEdit* Edit(int n) const;

    // Column (1..30) of a historian tag in row 1 of the workbook being
    // imported; 0 when there is none or no workbook is open.
    int NumColExcel(const QString& tag) const;

    // Sum of the nine gas-composition texts by the strict rule.
    double CompositionSum() const;

    // The texts of Edit1..Edit29 as the core's save routines take them.
    ConditionsEditTexts EditTexts() const;

    // The review before a run: the form shows the dates of `shown` and its
    // texts of Edit1 to Edit`lastEdit` (the other edits keep theirs), with
    // "Далее" in place of "Назад" and "Сохранить", modally. `accepted` tells
    // whether the user went on with "Далее"; `held` is what the form holds
    // when it is left, however that happens.
    struct ReviewOutcome {
        bool accepted = false;
        ConditionsReview held;
    };
    ReviewOutcome Review(const ConditionsReview& shown, int lastEdit);
    // "Назад" and "Сохранить" in place of "Далее": the form as the user
    // enters or changes conditions (the review shows "Далее" alone).
    void ShowSaveButtons();
    // The values data selection found for the chosen date: both dates and
    // the texts of Edit1 to Edit`lastEdit`.
    void ShowSelection(const ConditionsReview& values, int lastEdit);
    // The conditions of a date that has none yet, as the fractional-composition
    // wizard asks for them: the sampling date when known, the texts of Edit1
    // to Edit26, "Назад" and "Сохранить" in place of "Далее", the next save
    // proposing `saveFile` (native); shown modally. Returns the dialog's result.
    int AskNewDateConditions(std::optional<double> samplingDate, const ConditionsEditTexts& texts,
                             const QString& saveFile);
    // The coke row (Label27, koks1..koks3), hidden until a study has
    // reviewed its first conditions.
    void ShowCokeFields();
    // The values as a freshly started program shows them: every edit empty,
    // both dates today, the coke row hidden (another plant was chosen).
    void ClearValues();

    QLabel* TexShemeImage = nullptr;
    QLabel* Label37 = nullptr;  // "Гидрогенизат"
    QLabel* Label38 = nullptr;  // "Печь"
    QLabel* Label39 = nullptr;  // "Катализат"
    QLabel* Label24 = nullptr;  // "Катализат", every row but 11
    QLabel* Label1 = nullptr;
    DateField* DateTimePicker1 = nullptr;  // sampling date
    QLabel* Label2 = nullptr;
    DateField* DateTimePicker2 = nullptr;  // regeneration date
    QLabel* Label21 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label22 = nullptr;
    QLabel* Label23 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label5 = nullptr;  // "Р - 2"
    QLabel* Label6 = nullptr;  // "Р - 3"
    QLabel* Label7 = nullptr;  // "Р - 4"
    QLabel* Label8 = nullptr;  // "Р - 5", row 11 only
    QLabel* Label3 = nullptr;  // "Давление, атм."
    QLabel* Label4 = nullptr;  // "Температура, °С"
    QLabel* Label9 = nullptr;  // "Перепад темп., °С"
    QLabel* Label10 = nullptr; // "Состав ВСГ"
    std::array<QLabel*, 9> compositionCaptions{};  // Label13..Label20, Label26
    QLabel* Label25 = nullptr; // composition sum
    QLabel* Label27 = nullptr; // "Кокс, %мас.", hidden
    QLineEdit* koks1 = nullptr;
    QLineEdit* koks2 = nullptr;
    QLineEdit* koks3 = nullptr;
    // The edits by number (Edit(n), ConditionsEditTexts[n]):
    QLineEdit* Edit1 = nullptr;       // feed flow, m3/h (kEditFeedFlow)
    QLineEdit* Edit2 = nullptr;       // hydrogen-rich gas flow, m3/h (kEditGasFlow)
    QLineEdit* Edit3 = nullptr;       // pressure, Р-2 (kEditPressure)
    QLineEdit* Edit4 = nullptr;       // pressure, Р-3
    QLineEdit* Edit5 = nullptr;       // pressure, Р-4
    QLineEdit* Edit6 = nullptr;       // pressure, fourth reactor (hidden)
    QLineEdit* Edit7 = nullptr;       // inlet temperature, Р-2 (kEditInletTemperature)
    QLineEdit* Edit8 = nullptr;       // inlet temperature, Р-3
    QLineEdit* Edit9 = nullptr;       // inlet temperature, Р-4
    QLineEdit* Edit10 = nullptr;      // inlet temperature, fourth reactor (hidden)
    QLineEdit* Edit11 = nullptr;      // temperature drop, Р-2 (kEditTemperatureDrop)
    QLineEdit* Edit12 = nullptr;      // temperature drop, Р-3
    QLineEdit* Edit13 = nullptr;      // temperature drop, Р-4
    QLineEdit* Edit14 = nullptr;      // temperature drop, fourth reactor (hidden)
    QLineEdit* Edit15 = nullptr;      // gas composition: first of nine (kEditGasComposition)
    QLineEdit* Edit16 = nullptr;      // gas composition
    QLineEdit* Edit17 = nullptr;      // gas composition
    QLineEdit* Edit18 = nullptr;      // gas composition
    QLineEdit* Edit19 = nullptr;      // gas composition
    QLineEdit* Edit20 = nullptr;      // gas composition
    QLineEdit* Edit21 = nullptr;      // gas composition
    QLineEdit* Edit22 = nullptr;      // gas composition
    QLineEdit* Edit23 = nullptr;      // gas composition: last of nine
    QLineEdit* Edit24 = nullptr;      // gas moisture, % (kEditGasMoisture)
    QLineEdit* Edit25 = nullptr;      // sulphur in the hydrogenate, ppm (kEditSulphur)
    QLineEdit* Edit26 = nullptr;      // processed feed, t (kEditProcessedFeed)
    QLineEdit* Edit27 = nullptr;      // Р-5 pressure, plant row 11 only (kEditExtension)
    QLineEdit* Edit28 = nullptr;      // Р-5 inlet temperature, row 11
    QLineEdit* Edit29 = nullptr;      // Р-5 temperature drop, row 11 (kEditLast)
    QPushButton* Button1 = nullptr;  // "Назад"
    QPushButton* Button2 = nullptr;  // "Сохранить"
    QPushButton* Button3 = nullptr;  // "Далее"
    QPushButton* Button4 = nullptr;  // "Загрузить данные"

public slots:
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Basa2Click();
    void Button3Click();
    void Button4Click();
    // The exit check of any edit of the form.
    void koks1Exit(QLineEdit* edit);

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class Filter { None, Keystroke, Composition };
    struct Field {
        QLineEdit* edit = nullptr;
        Filter filter = Filter::None;
        bool commaToPoint = false;
        FieldUndo undo;
        bool userChange = false;
    };

    QLineEdit* MakeEdit(int number, int typedLimit, Filter filter);
    void OnTextEdited(QLineEdit* edit, const QString& text);
    void OnTextChanged(QLineEdit* edit);
    void ShowCompositionSum();
    void Relayout();
    // Widens the fields below the scheme as far as their captions need.
    void FitCaptions();
    int FormWidth(bool wide) const;
    double fieldScale_ = 1.0;  // horizontal stretch of the fields for a larger font
    void SetDateTexts();
    void RefreshRecord();
    void ReturnToMainWindow();
    void HideCokeFields();
    QString preparedSaveFile_;
    QString shownState_;  // the fields as the form was shown, to tell unsaved changes
    void AskQuestion(const std::string& text, QWidget* control);
    // The values as a save takes them.
    ConditionsEntry Entry() const;
    // A save of this kind with the form's answers; none when a typed date
    // is refused. Throws the refusal of the checks and the save's failures.
    std::optional<ConditionsSaveOutcome> Save(ConditionsSaveKind kind);
    // Both date fields read as they stand before a save; false when one
    // refuses its text (the save then stops).
    bool DatesRead();
    int EditNumber(const QLineEdit* edit) const;  // 0 for none

    std::array<QLineEdit*, 30> edits_{};  // [1..29]
    QHash<QLineEdit*, Field*> fields_;
    std::array<std::unique_ptr<Field>, 32> fieldStore_;
    bool dataEntry_ = false;
    bool filtering_ = false;
    std::unique_ptr<SpreadsheetSheet> sheet_;  // the workbook of a running import
};

}  // namespace rw
