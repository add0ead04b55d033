#include "conditions/conditions_form.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <utility>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTimer>

#include <vector>

#include "common/configuration.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/number_format.h"
#include "common/regional.h"
#include "composition/component_list_editor.h"
#include "conditions/conditions_checks.h"
#include "conditions/conditions_edits.h"
#include "conditions/conditions_save.h"
#include "conditions/data_selection_ui.h"
#include "conditions/historian_import.h"
#include "conditions/sheet_choice_dialog.h"
#include "conditions/spreadsheet.h"
#include "shell/date_field.h"
#include "shell/form_fields.h"
#include "shell/main_window.h"
#include "shell/program_context.h"
#include "common/text_helpers.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

constexpr int kWideWidth = 898;    // plant row 11: fifth reactor column
constexpr int kNarrowWidth = 722;
constexpr int kFormHeight = 690;
constexpr int kRowWithFifthReactor = 11;
// The row of the historian export that holds the values (and their time).
constexpr int kHistorianValueRow = 3;
const char* const kHistorianFileFilter = "Выгрузки историка (*.xls *.xlsx *.csv)";

// Where the controls sit. The scheme picture takes the top; the values are
// laid out below it in the order the engineer reads the plant's log sheet.
constexpr int kPictureX = 11;
constexpr int kPictureY = 6;
constexpr int kTop = 316;       // first row below the picture
constexpr int kRow = 30;        // row pitch
constexpr int kReactorLabelX = 372;
constexpr int kReactorColumnX = 505;
constexpr int kReactorColumnStep = 70;
constexpr int kGasTop = 532;
constexpr int kGasColumnStep = 76;

double PickerDate(const DateField* picker) { return DateValue(picker->date()); }

}  // namespace

TForm8::TForm8(QWidget* parent) : QDialog(parent) {
    setObjectName("Form8");
    setWindowTitle(QString(WorkingConfiguration() ? 0 : 53, QLatin1Char(' ')) + "Технологические условия ведения процесса");
    if (DescribedConfiguration()) SetFrameWithoutIcons(this);
    resize(kNarrowWidth, kFormHeight);

    auto label = [this](QLabel*& target, const char* name, const QString& text, int x, int y, int w = 230) {
        target = NamedLabel(this, QString::fromLatin1(name), text);
        target->setGeometry(x, y, w, 22);
        return target;
    };

    TexShemeImage = NamedLabel(this, "TexShemeImage", QString());
    TexShemeImage->setGeometry(kPictureX, kPictureY, 870, 300);
    TexShemeImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // Captions on the scheme. Label39 sits at the outlet of the wide picture
    // of row 11, beyond the edge of the narrow form; Label24 marks the outlet
    // of the narrow picture and is hidden for row 11.
    label(Label37, "Label37", "Гидрогенизат", kPictureX + 2, kPictureY + 270, 100);
    label(Label38, "Label38", "Печь", kPictureX + 148, kPictureY + 184, 60);
    label(Label39, "Label39", "Катализат", kPictureX + 806, kPictureY + 268, 80);
    label(Label24, "Label24", "Катализат", kPictureX + 636, kPictureY + 268, 80);
    for (QLabel* l : {Label37, Label38, Label39, Label24}) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        // A larger font widens the caption to the right, over the open end of its pipe.
        l->resize(std::max(l->width(), l->fontMetrics().horizontalAdvance(l->text()) + 4), l->height());
    }

    label(Label1, "Label1", "Дата отбора", 16, kTop);
    DateTimePicker1 = new DateField(QDate::currentDate(), this);
    DateTimePicker1->setObjectName("DateTimePicker1");
    DateTimePicker1->SetCaption(Label1->text());
    label(Label2, "Label2", "Дата регенерации катализатора", 16, kTop + kRow);
    DateTimePicker2 = new DateField(QDate::currentDate(), this);
    DateTimePicker2->setObjectName("DateTimePicker2");
    DateTimePicker2->SetCaption(Label2->text());
    int pickerY = kTop - 2;
    for (DateField* picker : {DateTimePicker1, DateTimePicker2}) {
        picker->setDisplayFormat("dd.MM.yy");
        picker->setGeometry(250, pickerY, 100, 24);
        pickerY += kRow;
    }

    // Edits and their rules. Every edit takes at most 6 typed characters,
    // except the gas flow (10) and the feed flow and processed feed (no limit).
    for (int n = 1; n <= kEditLast; ++n) {
        int limit = 6;
        Filter filter = Filter::Keystroke;
        if (n == kEditFeedFlow) {
            limit = 0;
            filter = Filter::None;  // the feed flow is checked on leaving only
        } else if (n == kEditGasFlow) {
            limit = 10;
        } else if (n == kEditProcessedFeed) {
            limit = 0;
        } else if (n >= kEditGasComposition && n < kEditGasComposition + kGasCompositionEdits) {
            filter = Filter::Composition;
        }
        edits_[static_cast<size_t>(n)] = MakeEdit(n, limit, filter);
    }
    Edit1 = Edit(1); Edit2 = Edit(2); Edit3 = Edit(3); Edit4 = Edit(4); Edit5 = Edit(5); Edit6 = Edit(6);
    Edit7 = Edit(7); Edit8 = Edit(8); Edit9 = Edit(9); Edit10 = Edit(10); Edit11 = Edit(11); Edit12 = Edit(12);
    Edit13 = Edit(13); Edit14 = Edit(14); Edit15 = Edit(15); Edit16 = Edit(16); Edit17 = Edit(17);
    Edit18 = Edit(18); Edit19 = Edit(19); Edit20 = Edit(20); Edit21 = Edit(21); Edit22 = Edit(22);
    Edit23 = Edit(23); Edit24 = Edit(24); Edit25 = Edit(25); Edit26 = Edit(26); Edit27 = Edit(27);
    Edit28 = Edit(28); Edit29 = Edit(29);
    // The fifth column of row 11 turns a typed "," into "." (the historian
    // and the operators write decimals with a comma).
    for (int n = kEditExtension; n <= kEditLast; ++n) fields_[Edit(n)]->commaToPoint = true;

    // Left block: dates, flows and feed.
    struct LeftRow {
        QLabel** label;
        const char* name;
        const char* text;
        QLineEdit* edit;
    };
    const LeftRow left[] = {
        {&Label21, "Label21", "Объем переработанного сырья, т", Edit(kEditProcessedFeed)},
        {&Label12, "Label12", "Расход ВСГ, м3/час", Edit(kEditGasFlow)},
        {&Label22, "Label22", "Влажность ВСГ, %", Edit(kEditGasMoisture)},
        {&Label23, "Label23", "Серы в гидрогенизате, ppm", Edit(kEditSulphur)},
        {&Label11, "Label11", "Расход сырья, м3/час", Edit(kEditFeedFlow)},
    };
    int y = kTop + 2 * kRow;
    for (const LeftRow& r : left) {
        label(*r.label, r.name, QString::fromUtf8(r.text), 16, y);
        r.edit->setGeometry(250, y - 2, 100, 24);
        y += kRow;
    }

    // Reactor block: one column per reactor, rows pressure, temperature, drop.
    label(Label5, "Label5", "Р - 2", kReactorColumnX, kTop, 62);
    label(Label6, "Label6", "Р - 3", kReactorColumnX + kReactorColumnStep, kTop, 62);
    label(Label7, "Label7", "Р - 4", kReactorColumnX + 2 * kReactorColumnStep, kTop, 62);
    label(Label8, "Label8", "Р - 5", kReactorColumnX + 3 * kReactorColumnStep, kTop, 62);
    for (QLabel* l : {Label5, Label6, Label7, Label8}) l->setAlignment(Qt::AlignCenter);
    label(Label3, "Label3", "Давление, атм.", kReactorLabelX, kTop + kRow, 130);
    label(Label4, "Label4", "Температура, °С", kReactorLabelX, kTop + 2 * kRow, 130);
    label(Label9, "Label9", "Перепад темп., °С", kReactorLabelX, kTop + 3 * kRow, 130);
    // Columns: reactors 1 to 3, then the fifth column of row 11 (Edit27..29).
    // The fourth reactor's edits carry file values but are never shown.
    const int rows[3] = {kEditPressure, kEditInletTemperature, kEditTemperatureDrop};
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 3; ++r) {
            const int n = c < 3 ? rows[r] + c : kEditExtension + r;
            Edit(n)->setGeometry(kReactorColumnX + c * kReactorColumnStep, kTop + (r + 1) * kRow - 2, 62, 24);
        }
    }
    for (int first : rows) {
        QLineEdit* e = Edit(first + 3);  // the fourth reactor
        e->setGeometry(kReactorColumnX, kTop + 4 * kRow, 62, 24);
        e->hide();
    }

    // Coke content: kept on the form for the research runs, hidden and inert here.
    label(Label27, "Label27", "Кокс, %мас.", kReactorLabelX, kTop + 5 * kRow, 130);
    Label27->hide();
    int kx = kReactorColumnX;
    for (QLineEdit** k : {&koks1, &koks2, &koks3}) {
        *k = new QLineEdit("0", this);
        (*k)->setGeometry(kx, kTop + 5 * kRow - 2, 62, 24);
        (*k)->setEnabled(false);
        (*k)->hide();
        (*k)->installEventFilter(this);
        kx += kReactorColumnStep;
    }
    koks1->setObjectName("koks1");
    koks2->setObjectName("koks2");
    koks3->setObjectName("koks3");

    // Gas composition: nine columns and the sum below them.
    label(Label10, "Label10", "Состав ВСГ", 16, kGasTop, 200);
    const char* gasNames[9] = {"Label13", "Label14", "Label15", "Label16", "Label17",
                               "Label18", "Label19", "Label20", "Label26"};
    const char* gasCaptions[9] = {"Н2", "С1", "С2", "С3", "н-С4", "изо-С4", "н-С5", "изо-С5", "С6"};
    for (int i = 0; i < 9; ++i) {
        QLabel* l = nullptr;
        label(l, gasNames[i], QString::fromUtf8(gasCaptions[i]), 16 + i * kGasColumnStep, kGasTop + 24, 70);
        l->setAlignment(Qt::AlignCenter);
        compositionCaptions[static_cast<size_t>(i)] = l;
        Edit(15 + i)->setGeometry(16 + i * kGasColumnStep, kGasTop + 46, 70, 24);
    }
    label(Label25, "Label25", "", 16 + 7 * kGasColumnStep, kGasTop + 76, 146);
    Label25->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto button = [this](QPushButton*& target, const char* name, const char* text, const char* hint) {
        target = NamedButton(this, QString::fromLatin1(name), QString::fromUtf8(text));
        if (hint) target->setToolTip(QString::fromUtf8(hint));
    };
    button(Button1, "Button1", "Назад", "Выход из окна набора технологических условий");
    button(Button2, "Button2", "Сохранить", WorkingConfiguration() ? "Сохранить данные в файл" : "Соранить данные в файл");
    button(Button3, "Button3", "Далее", "Дальнейшее продолжение программы");
    button(Button4, "Button4", "Загрузить данные", nullptr);
    Button4->hide();

    ConnectHandler(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    ConnectHandler(Button2, &QPushButton::clicked, this, [this] { dataEntry_ ? Basa2Click() : Button2Click(); });
    ConnectHandler(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    ConnectHandler(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });

    // Tab order as the values are read on the form: dates and flows, then the
    // reactors row by row, then the gas composition, then the buttons.
    const std::vector<QWidget*> tabOrder = {
        DateTimePicker1, DateTimePicker2, Edit26, Edit2, Edit24, Edit25, Edit1,  Edit3,  Edit4,  Edit5,
        Edit27,          Edit7,           Edit8,  Edit9, Edit28, Edit11, Edit12, Edit13, Edit29, Edit15,
        Edit16,          Edit17,          Edit18, Edit19, Edit20, Edit21, Edit22, Edit23, Button4, Button1,
        Button2,         Button3};
    for (size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);

    FitCaptions();
    resize(FormWidth(false), kFormHeight);
    Relayout();
    FormCreate();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - QPoint(kWideWidth / 2, kFormHeight / 2));
    }
    // Like the main window, the form opens minimised whenever it is shown.
    if (DescribedConfiguration()) setWindowState(windowState() | Qt::WindowMinimized);
}

TForm8::~TForm8() = default;

QLineEdit* TForm8::MakeEdit(int number, int typedLimit, Filter filter) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QStringLiteral("Edit%1").arg(number));
    if (typedLimit > 0) LimitTypedLength(e, typedLimit);
    auto& store = fieldStore_[static_cast<size_t>(number)];
    store = std::make_unique<Field>();
    store->edit = e;
    store->filter = filter;
    fields_.insert(e, store.get());
    e->installEventFilter(this);
    connect(e, &QLineEdit::textEdited, this, [this, e](const QString& t) { OnTextEdited(e, t); });
    connect(e, &QLineEdit::textChanged, this, [this, e] { OnTextChanged(e); });
    return e;
}

QLineEdit* TForm8::Edit(int n) const {
    if (n < 1 || n > kEditLast) return nullptr;
    return edits_[static_cast<size_t>(n)];
}

void TForm8::OnTextEdited(QLineEdit* edit, const QString& text) {
    Field* f = fields_.value(edit);
    f->undo.UserChange(f->undo.Known(), text);
    f->userChange = true;
}

// The change handlers (EditNChange): every change of an edit's text, typed or
// set by the program, runs the filter of that edit.
void TForm8::OnTextChanged(QLineEdit* edit) {
    if (filtering_) return;  // the filter's own correction; the outer call finishes the job
    Field* f = fields_.value(edit);
    const bool user = f->userChange;
    f->userChange = false;
    if (WorkingConfiguration()) {
        // Both separators are typed; the form shows and saves the point. No
        // other character is removed behind the user's back: a text that is
        // no number is refused, with a message, when the field is left.
        if (edit->text().contains(QLatin1Char(','))) {
            int cursor = edit->cursorPosition();
            filtering_ = true;
            edit->setText(QString(edit->text()).replace(QLatin1Char(','), QLatin1Char('.')));
            edit->setCursorPosition(cursor);
            filtering_ = false;
        }
    } else if (f->filter != Filter::None) {
        FilterToStrict(edit, filtering_);
    }
    // A text put in by the program is not something the user can undo.
    if (!user) f->undo.Clear();
    f->undo.Settle(edit->text(), edit->cursorPosition());
    if (f->filter == Filter::Composition) ShowCompositionSum();
}

bool TForm8::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        Field* f = fields_.value(edit);
        auto* key = static_cast<QKeyEvent*>(event);
        if (f && f->commaToPoint && key->text() == QLatin1String(",")) {
            QKeyEvent point(QEvent::KeyPress, Qt::Key_Period, key->modifiers(), QStringLiteral("."));
            QCoreApplication::sendEvent(edit, &point);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Leaving a field for another control of the form; a focus lost to
        // another window (a message box, the main window) is not a leave.
        auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) koks1Exit(edit);
    }
    return QDialog::eventFilter(watched, event);
}

// The exit check: a text the tolerant reading rejects (an empty one too) is
// replaced by the text the field had before the user's last change.
void TForm8::koks1Exit(QLineEdit* edit) {
    Field* f = fields_.value(edit);
    if (!f) return;
    const std::string text = edit->text().toStdString();
    // An empty field is left empty in the working configuration: the save
    // names it, instead of an old value coming back unnoticed.
    const bool keepEmpty = WorkingConfiguration() && text.find_first_not_of(' ') == std::string::npos;
    try {
        if (!keepEmpty) TextToNumber(text);
    } catch (const UserError&) {
        if (f->undo.Available()) {
            const QString before = f->undo.Before();
            edit->setText(before);
        }
        if (WorkingConfiguration()) {
            f->undo.Clear();
            const FieldRange* range = ConditionsFieldRange(EditNumber(edit));
            ui::ShowError(this, QString::fromStdString(
                                    NotANumberMessage(range ? range->caption : edit->objectName().toStdString(), text)));
            // Back to the field the message is about, once the focus change
            // that refused the text is over.
            QTimer::singleShot(0, edit, [edit] {
                edit->setFocus(Qt::OtherFocusReason);
                edit->selectAll();
            });
            return;
        }
    }
    f->undo.Clear();
}

namespace {
// Every field and both dates in one text, to compare two moments of the form.
QString FormState(const ConditionsEditTexts& texts, const QDate& sampling, const QDate& regeneration) {
    QStringList parts{sampling.toString(Qt::ISODate), regeneration.toString(Qt::ISODate)};
    for (const std::string& t : texts) parts << QString::fromStdString(t);
    return parts.join('\n');
}
}  // namespace

void TForm8::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormCreate();
    shownState_ = FormState(EditTexts(), DateTimePicker1->date(), DateTimePicker2->date());
}

void TForm8::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Relayout();
}

void TForm8::FitCaptions() {
    // The fields sit by pixels below the scheme; a font larger than the one
    // they were placed for stretches them sideways, all by one factor, so
    // that the columns stay aligned and every caption is whole.
    const int below = kPictureY + 300;
    double scale = 1.0;
    for (QLabel* l : findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (l->y() < below || l->text().isEmpty()) continue;
        const int room = l->width() - 2 * l->margin() - 2;
        const int needed = l->fontMetrics().horizontalAdvance(l->text());
        if (room > 0) scale = std::max(scale, static_cast<double>(needed) / room);
    }
    if (scale <= 1.0) return;
    fieldScale_ = scale;
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (w->y() < below || qobject_cast<QPushButton*>(w)) continue;
        const int x = 16 + static_cast<int>(std::ceil((w->x() - 16) * scale));
        w->setGeometry(x, w->y(), static_cast<int>(std::ceil(w->width() * scale)), w->height());
    }
}

int TForm8::FormWidth(bool wide) const {
    return static_cast<int>(std::ceil((wide ? kWideWidth : kNarrowWidth) * fieldScale_));
}

void TForm8::Relayout() {
    const int w = width();
    const int by = kGasTop + 112;
    Button4->setGeometry(16, by, 150, 30);
    Button3->setGeometry(w - 16 - 110, by, 110, 30);
    Button2->setGeometry(w - 16 - 2 * 110 - 8, by, 110, 30);
    Button1->setGeometry(w - 16 - 3 * 110 - 16, by, 110, 30);
}

double TForm8::CompositionSum() const {
    double sum = 0;
    for (int n = kEditGasComposition; n < kEditGasComposition + kGasCompositionEdits; ++n) {
        sum += FormFieldValue(Edit(n)->text().toStdString());
    }
    return sum;
}

void TForm8::ShowCompositionSum() { Label25->setText(QString::fromStdString(FormatFixed(CompositionSum(), 6, 5))); }

// Bound to the creation and to every showing of the form.
void TForm8::FormCreate() { ShowCompositionSum(); }

void TForm8::PrepareForPlant(int plantIndex, const QString& picturePath) {
    const bool wide = plantIndex == kRowWithFifthReactor;
    Label8->setVisible(wide);
    for (int n = kEditExtension; n <= kEditLast; ++n) Edit(n)->setVisible(wide);
    TexShemeImage->setPixmap(QPixmap::fromImage(LoadPicture(picturePath)));
    if (wide) resize(FormWidth(true), height());
    Label24->setVisible(!wide);
    Button4->setVisible(wide);
    if (!wide) resize(FormWidth(false), height());
}

void TForm8::SetDataEntryMode(bool on) { dataEntry_ = on; }

ConditionsEditTexts TForm8::EditTexts() const {
    ConditionsEditTexts texts;
    for (int n = 1; n <= kEditLast; ++n) texts[static_cast<size_t>(n)] = Edit(n)->text().toStdString();
    return texts;
}

void TForm8::ReturnToMainWindow() {
    hide();
    if (W().form5) W().form5->ReturnToMainWindow();
}

// Escape and a close request: while another action shows the form modally
// they refuse it as before; otherwise they are "Назад", since hiding the form
// alone would leave no window to go on from (the main window is hidden
// during a data entry).
void TForm8::reject() {
    if (isModal()) QDialog::reject();
    else Button1Click();
}

void TForm8::closeEvent(QCloseEvent* event) {
    if (isModal()) return QDialog::closeEvent(event);
    event->ignore();
    Button1Click();
}

// "Назад": back to the main window without saving. The working
// configuration asks first when the user has changed anything since the
// form was shown; the answer that loses nothing is the default.
void TForm8::Button1Click() {
    if (WorkingConfiguration() && !isModal() &&
        FormState(EditTexts(), DateTimePicker1->date(), DateTimePicker2->date()) != shownState_ &&
        !ui::AskYesNo(this, "Технологические условия", "Изменения не сохранены. Выйти без сохранения?", true)) {
        return;
    }
    ReturnToMainWindow();
    if (W().form5) W().form5->OnConditionsFormLeft();
    SetDataEntryMode(false);
}

// Normal save: the user chooses the file; the form goes back to the main
// window whether or not a file was written, and stays open when the write fails.
void TForm8::PrepareSaveDialog(const QString& fileName) {
    if (WorkingConfiguration()) preparedSaveFile_ = fileName;
}

ConditionsEntry TForm8::Entry() const {
    return {EditTexts(), PickerDate(DateTimePicker1), PickerDate(DateTimePicker2)};
}

namespace {

// The form's answers to a save: a doubt as a question whose default keeps
// the data unsaved, the file in the save dialog.
class FormSaveAnswers : public ConditionsSaveQuestions {
public:
    // `prepared`: the file a caller offers for the save dialog, taken by its first showing.
    FormSaveAnswers(QWidget* form, QString& prepared) : form_(form), prepared_(prepared) {}
    bool SaveDespite(const std::string& question) override {
        return ui::AskYesNo(form_, "Технологические условия", QString::fromStdString(question), true);
    }
    std::optional<std::string> ChooseFile() override {
        const QString prepared = std::exchange(prepared_, QString());
        QString folder = prepared.isEmpty() ? NativePath(Context().baseFolder) : QFileInfo(prepared).path();
        // The working configuration starts where the current date's data lie.
        if (prepared.isEmpty() && WorkingConfiguration() && !Context().dataFolder.empty()) {
            const QString dateFolder = NativePath(Context().dataFolder);
            if (QFileInfo(dateFolder).isDir()) folder = QDir::cleanPath(dateFolder);
        }
        const QString chosen =
            ui::ChooseSaveFile(form_, "Сохранение файла", folder, "Технологические условия (*.dan)", "dan",
                               prepared.isEmpty() ? QString() : QFileInfo(prepared).fileName());
        if (chosen.isEmpty()) return std::nullopt;
        return chosen.toStdString();
    }

private:
    QWidget* form_;
    QString& prepared_;
};

}  // namespace

// The outcome of a save as the form shows it: refused, the form stays open
// with the faulty fields named.
std::optional<ConditionsSaveOutcome> TForm8::Save(ConditionsSaveKind kind) {
    if (!DatesRead()) return std::nullopt;
    FormSaveAnswers answers(this, preparedSaveFile_);
    ConditionsSaveRequest request;
    request.context = &Context();
    request.values = Entry();
    request.kind = kind;
    ConditionsSaveOutcome outcome = SaveConditions(request, answers);
    if (outcome.end == ConditionsSaveEnd::Refused) {
        // When the message is closed, the cursor is in the field to correct.
        QWidget* field = outcome.firstRefusedEdit ? static_cast<QWidget*>(Edit(outcome.firstRefusedEdit))
                                                  : static_cast<QWidget*>(DateTimePicker2);
        field->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
        throw UserError(RefusalMessage(outcome));
    }
    return outcome;
}

int TForm8::EditNumber(const QLineEdit* edit) const {
    for (int n = 1; n <= kEditLast; ++n) {
        if (Edit(n) == edit) return n;
    }
    return 0;
}

bool TForm8::DatesRead() { return DateTimePicker1->Commit() && DateTimePicker2->Commit(); }

void TForm8::Button2Click() {
    const auto outcome = Save(ConditionsSaveKind::ChosenFile);
    if (!outcome || outcome->end == ConditionsSaveEnd::Declined) return;
    ReturnToMainWindow();
}

// Data-entry save: the conditions file goes into the sampling-date folder of
// the plant, then the component list editor takes over with the feed.
void TForm8::Basa2Click() {
    const auto outcome = Save(ConditionsSaveKind::DataEntry);
    if (!outcome || outcome->end != ConditionsSaveEnd::Stored) return;
    hide();
    SetDataEntryMode(false);
    Context().currentStream = 1;
    if (W().basadan) W().basadan->StartDataEntry(Edit(kEditFeedFlow)->text());
}

TForm8::ReviewOutcome TForm8::Review(const ConditionsReview& shown, int lastEdit) {
    DateTimePicker1->setDate(ToQDate(shown.samplingDate));
    DateTimePicker2->setDate(ToQDate(shown.regenerationDate));
    for (int n = 1; n <= lastEdit; ++n) {
        QLineEdit* edit = Edit(n);
        const QString text = QString::fromStdString(shown.texts[static_cast<size_t>(n)]);
        if (edit && edit->text() != text) edit->setText(text);
    }
    Button1->hide();
    Button2->hide();
    Button3->show();
    // The review is a look before going on: Enter is "Далее", never the
    // historian import.
    const bool enterGoesOn = WorkingConfiguration();
    if (enterGoesOn) {
        Button3->setDefault(true);
        Button3->setFocus();
    }
    ReviewOutcome outcome;
    outcome.accepted = ui::ExecModal(this) == QDialog::Accepted;
    if (enterGoesOn) Button3->setDefault(false);
    outcome.held = {EditTexts(), PickerDate(DateTimePicker1), PickerDate(DateTimePicker2)};
    return outcome;
}

void TForm8::ShowSelection(const ConditionsReview& values, int lastEdit) {
    DateTimePicker1->setDate(ToQDate(values.samplingDate));
    DateTimePicker2->setDate(ToQDate(values.regenerationDate));
    for (int n = 1; n <= lastEdit; ++n) Edit(n)->setText(QString::fromStdString(values.texts[static_cast<size_t>(n)]));
}

int TForm8::AskNewDateConditions(std::optional<double> samplingDate, const ConditionsEditTexts& texts,
                                 const QString& saveFile) {
    if (samplingDate) DateTimePicker1->setDate(ToQDate(*samplingDate));
    PrepareSaveDialog(saveFile);
    ShowSaveButtons();
    // The fifth reactor's Edit27 to Edit29 are not taken from the previous date.
    for (int n = 1; n <= kEditProcessedFeed; ++n) {
        Edit(n)->setText(QString::fromStdString(texts[static_cast<size_t>(n)]));
    }
    return ui::ExecModal(this);
}

void TForm8::ShowSaveButtons() {
    Button3->hide();
    Button1->show();
    Button2->show();
    // The coke row belongs to the review of a study; entering or changing
    // conditions never shows it.
    if (WorkingConfiguration()) HideCokeFields();
}

void TForm8::HideCokeFields() {
    Label27->hide();
    for (QLineEdit* koks : {koks1, koks2, koks3}) koks->hide();
}

void TForm8::ClearValues() {
    for (int n = 1; n <= kEditLast; ++n) Edit(n)->clear();
    DateTimePicker1->setDate(QDate::currentDate());
    DateTimePicker2->setDate(QDate::currentDate());
    HideCokeFields();
}

void TForm8::ShowCokeFields() {
    Label27->show();
    for (QLineEdit* koks : {koks1, koks2, koks3}) koks->show();
}

// "Далее": ends a modal showing with OK.
void TForm8::Button3Click() { done(QDialog::Accepted); }

int TForm8::NumColExcel(const QString& tag) const {
    if (!sheet_) return 0;
    return rw::NumColExcel(*sheet_, tag.toStdString());
}

// One of the three questions after the import: a small modal dialog with the
// question, the one control it is about and "OK". The dialog works on a copy
// of the form's control; the value goes back to the form when the user
// confirms it.
void TForm8::AskQuestion(const std::string& text, QWidget* control) {
    QDialog dialog(this);
    dialog.setObjectName("QuestionDialog");
    dialog.setWindowTitle(WorkingConfiguration() ? QStringLiteral("Уточнение данных") : QStringLiteral("Confirm"));
    SetFrameWithoutIcons(&dialog);
    dialog.setFixedSize(340, 112);
    auto* caption = NamedLabel(&dialog, "Caption", QString::fromStdString(text));
    caption->setGeometry(12, 8, 320, 22);
    auto* ok = NamedButton(&dialog, "OK", "OK");
    ok->setGeometry(130, 74, 80, 28);
    ok->setDefault(true);

    DateField* picker = qobject_cast<DateField*>(control);
    DateField* pickerCopy = nullptr;
    QLineEdit* editCopy = nullptr;
    // A date typed but not yet read is read by "OK"; a refused one keeps the
    // question open.
    connect(ok, &QPushButton::clicked, &dialog, [&dialog, &pickerCopy] {
        if (pickerCopy && !pickerCopy->Commit()) return;
        dialog.accept();
    });
    if (picker) {
        pickerCopy = new DateField(picker->date(), &dialog);
        pickerCopy->setObjectName(picker->objectName());
        pickerCopy->setDisplayFormat(picker->displayFormat());
        pickerCopy->SetCaption(picker->Caption());
        pickerCopy->setGeometry(80, 35, 100, 24);
        pickerCopy->setFocus();
        // The date is there to be typed over.
        pickerCopy->selectAll();
    } else {
        auto* edit = static_cast<QLineEdit*>(control);
        editCopy = new QLineEdit(edit->text(), &dialog);
        editCopy->setObjectName(edit->objectName());
        LimitTypedLength(editCopy, 6);
        editCopy->setGeometry(80, 35, 100, 24);
        editCopy->setFocus();
    }
    if (ui::ExecModal(&dialog) != QDialog::Accepted) return;
    if (pickerCopy) {
        // A text typed but not read yet is read now; a refused one leaves the date as it was.
        pickerCopy->Commit();
        picker->setDate(pickerCopy->date());
    }
    // Through the form's own edit, so its keystroke filter sees the value.
    if (editCopy) static_cast<QLineEdit*>(control)->setText(editCopy->text());
}

// The processed feed is computed from the feed flow after the three
// questions: a sheet that gives no usable feed flow is refused before they
// are asked, with the file and the field named.
namespace {
void RefuseSheetWithoutFeedFlow(const QString& file, const std::string& sheet, const std::vector<ImportedField>& fields,
                                const QString& shownFeedFlow) {
    const std::string where = "Файл " + QDir::toNativeSeparators(file).toStdString() + ", лист «" + sheet + "»: ";
    if (fields.empty()) throw UserError(where + "нет ни одного тега историка в строке 1.");
    std::string feedFlow = shownFeedFlow.toStdString();
    for (const ImportedField& f : fields)
        if (f.editNumber == kEditFeedFlow) feedFlow = f.text;
    double value = 0;
    if (!ParseStrictNumber(feedFlow, value, '.')) {
        const FieldRange* range = ConditionsFieldRange(kEditFeedFlow);
        throw UserError(where + NotANumberMessage(range ? range->caption : "Расход сырья", feedFlow));
    }
}
QDate ExportDate(const std::string& timeCell, const QString& file) {
    double value = 0;
    const std::string day = timeCell.substr(0, timeCell.find(' '));
    if (!day.empty() && TryParseShortDate(day, '.', CurrentYear(), value)) return ToQDate(value);
    return QFileInfo(file).lastModified().date();
}
}  // namespace

// "Загрузить данные": the historian's export fills the fields of its tags;
// then the dates and the sulphur are asked for and the processed feed is
// computed from them. The working configuration reads .xls, .xlsx and .csv
// exports and asks which sheet of a workbook of several is meant, offering
// the plant's last choice first; the described one reads the first sheet
// of an .xls workbook.
void TForm8::Button4Click() {
    const bool working = WorkingConfiguration();
    const QString file = ui::ChooseOpenFile(this, QString(), NativePath(Context().plantFolder),
                                            working ? kHistorianFileFilter : "Excel (*.xls)");
    if (file.isEmpty()) return;

    // Opening, the sheet question and reading all come before any field changes.
    const std::unique_ptr<Workbook> book = OpenWorkbook(file.toStdString(), Regional().decimalSeparator);
    size_t sheet = 0;
    const std::vector<std::string>& names = book->SheetNames();
    if (working && names.size() > 1) {
        const std::string remembered = RememberedHistorianSheet(Context().baseFolder, Context().PlantNumber());
        SheetChoiceDialog dialog(this, names, SheetIndexOf(names, remembered));
        if (ui::ExecModal(&dialog) != QDialog::Accepted) return;
        sheet = dialog.ChosenSheet();
    }
    sheet_ = book->OpenSheet(sheet);
    std::vector<ImportedField> fields;
    std::string timeCell;
    try {
        fields = ReadHistorianFields(*sheet_);
        if (working) timeCell = sheet_->CellText(kHistorianValueRow, 1);
    } catch (...) {
        sheet_.reset();
        throw;
    }
    sheet_.reset();
    if (working) RefuseSheetWithoutFeedFlow(file, names[sheet], fields, Edit(kEditFeedFlow)->text());
    if (working && names.size() > 1) {
        // Remembering is a convenience for the next import: a base folder
        // that cannot take the file must not stop this one.
        try {
            RememberHistorianSheet(Context().baseFolder, Context().PlantNumber(), names[sheet]);
        } catch (const UserError&) {
        }
    }
    // Each text goes through the field's own change handling, as typed text would.
    for (const ImportedField& f : fields) {
        if (QLineEdit* e = Edit(f.editNumber)) e->setText(QString::fromStdString(f.text));
    }

    // The sampling date offered is the export's: the time of its values in
    // the first column, else the day the file was written.
    if (working) DateTimePicker1->setDate(ExportDate(timeCell, file));
    for (;;) {
        AskQuestion(kAskSamplingDate, DateTimePicker1);
        AskQuestion(kAskRegenerationDate, DateTimePicker2);
        AskQuestion(kAskSulphur, Edit(kEditSulphur));
        if (DatesInOrder(PickerDate(DateTimePicker1), PickerDate(DateTimePicker2))) break;
        ui::ShowMessage(this, QString::fromStdString(kWrongDateOrder));
    }

    Edit(kEditProcessedFeed)->setText(QString::fromStdString(ProcessedFeedText(
        Edit(kEditFeedFlow)->text().toStdString(), PickerDate(DateTimePicker1), PickerDate(DateTimePicker2))));
}

}  // namespace rw
