#pragma once
#include <QString>
#include <Qt>
#include <functional>
#include <initializer_list>

class QDialog;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace rw {

// The shapes the dialogs share, built one way: the row of buttons at a
// dialog's foot, the yes/no pair of a confirmation, the step of a
// calculation wizard, the caption/field grid and the frame of a question
// asked while a composition is read. The builders only arrange the widgets
// they are given or make; names, texts and connections stay with the window.

// A row of buttons (or any widgets): `leading` from the left edge, then the
// free space, then `trailing` against the right edge, each list in the order
// given.
QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> leading, std::initializer_list<QWidget*> trailing);
// The usual foot of a dialog: the buttons against the right edge.
QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> trailing);
// The answers of a confirmation, centred under its text, `gap` pixels apart.
QHBoxLayout* CentredButtonRow(std::initializer_list<QWidget*> buttons, int gap);

// Rows of a caption and its field (an edit or a value label), with an
// optional third column: a unit, or the value compared with the field's in
// the tables that set two results side by side. Rows are filled top to
// bottom.
class FieldGrid {
public:
    // `horizontalSpacing` between the columns (a negative value keeps the
    // style's); `valueAlignment` places the widgets of the second and third
    // columns in their cells (none: they fill them).
    explicit FieldGrid(int horizontalSpacing = -1, Qt::Alignment valueAlignment = {});
    QGridLayout* layout() const { return grid_; }
    int rows() const { return row_; }

    // Adds a row and returns its field. `caption` (a heading row over the
    // value columns) and `third` may be null.
    template <class Field>
    Field* AddRow(QWidget* caption, Field* field, QWidget* third = nullptr) {
        AddWidgets(caption, field, third);
        return field;
    }
    // The heading row of a table of values: `caption` (may be null) over the
    // captions, the two headings right-aligned over their value columns,
    // where the numbers end.
    void AddHeading(QWidget* caption, QWidget* second, QWidget* third);
    // A row of one widget across the three columns (a group's caption, a
    // rule under the heading).
    void AddSpanning(QWidget* widget);
    // A row of a caption label named `captionName` and an empty edit named
    // `editName`, both made in `owner`; returns the edit.
    QLineEdit* AddEdit(QWidget* owner, const QString& captionName, const QString& caption, const QString& editName);

private:
    void AddWidgets(QWidget* caption, QWidget* field, QWidget* third);
    QGridLayout* grid_;
    Qt::Alignment valueAlignment_;
    int row_ = 0;
};

// A step of a calculation wizard: the caption "мастер расчетов", a title bar
// without icons, the step's texts and pictures as `fillBody` puts them in
// the dialog's layout, `gapAboveButtons` pixels, and the navigation row:
// `backText` ("Назад", "Выход") named Button1 and "Далее" named Button2, the
// default button. The dialog is centred on its screen.
struct WizardStepButtons {
    QPushButton* back = nullptr;  // Button1
    QPushButton* next = nullptr;  // Button2, "Далее"
};
WizardStepButtons BuildWizardStep(QDialog* step, const QString& objectName, const QString& backText,
                                  int gapAboveButtons, const std::function<void(QVBoxLayout*)>& fillBody);

// The frame of a question the composition puts while it is read: named,
// modal, a title bar without a close button (an answer is required) that
// stays above the editor, the caption in the working configuration only.
// Returns the dialog's layout, to which the question adds its texts,
// controls and answer buttons from top to bottom.
QVBoxLayout* BuildQuestionFrame(QDialog* question, const QString& objectName, const char* title);

}  // namespace rw
