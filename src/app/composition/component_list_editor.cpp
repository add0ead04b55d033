#include "composition/component_list_editor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>
#include <iterator>

#include "common/codepage.h"
#include "common/configuration.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"
#include "common/regional.h"
#include "composition/component_database.h"
#include "composition/editor_actions.h"
#include "composition/formation.h"
#include "composition/report_import.h"
#include "composition/streams.h"
#include "conditions/data_selection_ui.h"
#include "pipeline/welcome_pipeline.h"
#include "shell/form_fields.h"
#include "shell/program_context.h"
#include "common/text_helpers.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"

namespace rw {
namespace {

const char* EntryError() {
    return WorkingConfiguration() ? "Проверьте правильность ввода данных." : "Проверте правильность ввода данных.";
}

// The folder of the report or list last opened for each stream (1 to 3)
// while the program runs; empty before the first.
QString& LastReportFolder(int stream) {
    static std::array<QString, 4> folders;
    return folders[static_cast<size_t>(stream >= 1 && stream <= 3 ? stream : 0)];
}

// The running sum of a list not yet loaded, in the notation of every other sum.
QString EmptySumText() {
    if (DescribedConfiguration()) return QStringLiteral("00,000");
    return QString::fromStdString(RunningSumText(0, Regional().decimalSeparator));
}

// The fractional composition (initial boiling point, 10 %, 50 %, 90 %, end
// point) and the density a freshly started program offers.
const char* const kFreshFraction[] = {" 86", " 96", "113", "152", "175"};
const char* const kFreshDensity = "0.7300";

template <class W>
W* Make(QWidget* parent, const char* name) {
    auto* w = new W(parent);
    w->setObjectName(name);
    return w;
}

// The limit applies to typing only: a text the program puts in (the feed
// flow handed over from the conditions form) is never cut.
QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& text, int maxLength) {
    auto* e = Make<QLineEdit>(parent, name);
    e->setText(text);
    LimitTypedLength(e, maxLength);
    return e;
}

}  // namespace

Tbasadan::Tbasadan(QWidget* parent) : QDialog(parent) {
    setObjectName("basadan");
    setWindowTitle(WorkingConfiguration() ? QStringLiteral("Компонентный состав потоков") : QString());
    if (DescribedConfiguration()) setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    Prob = NamedLabel(this, "Prob", "Катализат");
    QFont big = Prob->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 3);
    Prob->setFont(big);
    List = Make<QListWidget>(this, "List");
    QFont mono("Monospace");
    mono.setStyleHint(QFont::TypeWriter);
    List->setFont(mono);
    List->setMinimumWidth(480);
    Subst = MakeEdit(this, "Subst", QString(), 43);
    Subst->setFont(mono);
    weight = MakeEdit(this, "weight", "00.000", 6);
    Label14 = NamedLabel(this, "Label14", "Сумма:");
    Sum = NamedLabel(this, "Sum", EmptySumText());
    Label1 = NamedLabel(this, "Label1", "Фракционный состав и плотность  для введенного углеводородного состава сырья, в 0С");
    Label1->setWordWrap(true);
    // The heading takes two lines beside the list; keep room for both.
    Label1->setMinimumHeight(Label1->fontMetrics().lineSpacing() * 2 + 4);
    Label2 = NamedLabel(this, "Label2", "НК");
    Label3 = NamedLabel(this, "Label3", "10%");
    Label4 = NamedLabel(this, "Label4", "50%");
    Label5 = NamedLabel(this, "Label5", "90%");
    Label6 = NamedLabel(this, "Label6", "КК");
    F1 = MakeEdit(this, "F1", kFreshFraction[0], 3);
    F2 = MakeEdit(this, "F2", kFreshFraction[1], 3);
    F3 = MakeEdit(this, "F3", kFreshFraction[2], 3);
    F4 = MakeEdit(this, "F4", kFreshFraction[3], 3);
    F5 = MakeEdit(this, "F5", kFreshFraction[4], 3);
    Label7 = NamedLabel(this, "Label7", WorkingConfiguration() ? "р, г/см3" : "p,г/см3");
    F6 = MakeEdit(this, "F6", kFreshDensity, 6);
    Label8 = NamedLabel(this, "Label8", "Расход м3/ч.");
    F7 = MakeEdit(this, "F7", "1500", 5);
    BitBtn1 = Make<QPushButton>(this, "BitBtn1");
    BitBtn1->setText("Открыть");
    Button1 = Make<QPushButton>(this, "Button1");
    Button1->setText("Убрать лишнее");
    Button1->setToolTip("Убрать все компоненты, содержание которых равно 0");
    Next = Make<QPushButton>(this, "Next");
    Next->setText("Далее");
    BitBtn2 = Make<QPushButton>(this, "BitBtn2");
    BitBtn2->setText("Сохранить");
    cans = Make<QPushButton>(this, "cans");
    cans->setText("Отмена");
    Cod = Make<QGroupBox>(this, "Cod");
    Cod->setTitle("Вид кодировки");
    CodWindows = Make<QRadioButton>(Cod, "CodWindows");
    CodWindows->setText("Windows");
    CodDos = Make<QRadioButton>(Cod, "CodDos");
    CodDos->setText("Dos");
    CodWindows->setChecked(true);
    auto* codLayout = new QVBoxLayout(Cod);
    codLayout->addWidget(CodWindows);
    codLayout->addWidget(CodDos);
    Animate1 = NamedLabel(this, "Animate1", "Формирование файла состава...");
    Animate1->hide();

    // Layout: list on the left, fields and buttons on the right.
    auto* grid = new QGridLayout(this);
    grid->addWidget(Prob, 0, 0, 1, 2);
    grid->addWidget(List, 1, 0, 8, 1);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Subst, 1);
    nameRow->addWidget(weight);
    grid->addLayout(nameRow, 9, 0);
    auto* sumRow = new QHBoxLayout;
    sumRow->addWidget(Label14);
    sumRow->addWidget(Sum);
    sumRow->addStretch();
    grid->addLayout(sumRow, 10, 0);
    auto* side = new QGridLayout;
    side->addWidget(Label1, 0, 0, 1, 5);
    QLabel* fl[] = {Label2, Label3, Label4, Label5, Label6};
    QLineEdit* fe[] = {F1, F2, F3, F4, F5};
    for (int i = 0; i < 5; ++i) {
        side->addWidget(fl[i], 1, i);
        side->addWidget(fe[i], 2, i);
    }
    side->addWidget(Label7, 3, 0, 1, 2);
    side->addWidget(F6, 3, 2, 1, 2);
    side->addWidget(Label8, 4, 0, 1, 2);
    side->addWidget(F7, 4, 2, 1, 2);
    grid->addLayout(side, 1, 1);
    grid->addWidget(BitBtn1, 2, 1);
    grid->addWidget(Button1, 3, 1);
    grid->addWidget(Next, 4, 1);
    grid->addWidget(BitBtn2, 5, 1);
    grid->addWidget(cans, 6, 1);
    grid->addWidget(Cod, 7, 1);
    grid->addWidget(Animate1, 8, 1);

    // No button is the default: Enter in a field must never press "Открыть"
    // (which replaces the list) or "Далее".
    for (QPushButton* b : {BitBtn1, Button1, Next, BitBtn2, cans}) b->setAutoDefault(false);

    // Tab order: List, Subst, weight, F1..F7, buttons, code page.
    QWidget* order[] = {List, Subst, weight, F1, F2, F3, F4, F5, F6, F7, BitBtn1, Button1, Next, BitBtn2, cans, CodWindows};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

    connect(List, &QListWidget::itemDoubleClicked, this, [this] { ListClick(); });
    connect(Subst, &QLineEdit::textChanged, this, [this] { SubstChange(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(BitBtn1); });
    connect(Button1, &QPushButton::clicked, this, &Tbasadan::Button1Click);
    connect(Next, &QPushButton::clicked, this, &Tbasadan::NextClick);
    connect(BitBtn2, &QPushButton::clicked, this, &Tbasadan::SaveClick);
    connect(cans, &QPushButton::clicked, this, &Tbasadan::cansClick);
    connect(CodWindows, &QRadioButton::toggled, this, [this](bool) { CodClick(); });
    if (WorkingConfiguration()) {
        // A density or flow typed with a comma is shown as it is read, with
        // the point of every other number on the screen.
        for (QLineEdit* e : {F6, F7}) {
            connect(e, &QLineEdit::editingFinished, this, [e] {
                double value = 0;
                QString text = e->text();
                text.replace(',', '.');
                if (text != e->text() && ParseStrictNumber(text.trimmed().toStdString(), value, '.')) e->setText(text);
            });
        }
    }
    List->installEventFilter(this);
    Subst->installEventFilter(this);
    weight->installEventFilter(this);
}

QString Tbasadan::Display(const std::string& bytes) const {
    return QString::fromStdString(dos_ ? Cp866ToUtf8(bytes) : Cp1251ToUtf8(bytes));
}

std::string Tbasadan::Bytes(const QString& text) const {
    std::string utf8 = text.toStdString();
    return dos_ ? Utf8ToCp866(utf8) : Utf8ToCp1251(utf8);
}

void Tbasadan::StartDataEntry(const QString& feedFlowText) {
    // A new entry starts from the texts and stream values of a freshly
    // started program: the density or fraction typed for another date (or
    // plant) must not end up in this date's composition file unseen.
    if (WorkingConfiguration()) {
        QLineEdit* fraction[] = {F1, F2, F3, F4, F5};
        for (size_t i = 0; i < std::size(fraction); ++i) fraction[i]->setText(kFreshFraction[i]);
        F6->setText(kFreshDensity);
        densities = kFreshDensities;
        flows = {0, 0, 0};
    }
    // The window has no caption of its own; a window manager's task list
    // would otherwise show the program's file name.
    if (WorkingConfiguration()) setWindowTitle("Набор данных: " + QString::fromStdString(Context().entrySampleName));
    F7->setText(feedFlowText);
    Prob->setText(QString::fromUtf8(StreamName(1)));
    Context().currentStream = 1;
    show();
    FormShow();
}

void Tbasadan::FormShow() {
    try {
        list_.LoadTemplate(ReadTemplate(JoinPath(Context().baseFolder, "Basa"), Context().plantIndex));
    } catch (const UserError& e) {
        list_ = ComponentList{};
        RefreshList();
        ui::ShowError(this, QString::fromStdString(e.what()));
        return;
    }
    RefreshList();
    Sum->setText(EmptySumText());
    Sum->setStyleSheet("color: red");
    if (list_.selected >= 0) {
        LoadSelectedLine();
    } else {
        // An empty template: nothing to load, the fields are cleared.
        Subst->blockSignals(true);
        Subst->clear();
        Subst->blockSignals(false);
        weight->clear();
    }
}

void Tbasadan::RefreshList() {
    List->blockSignals(true);
    List->clear();
    for (const auto& line : list_.lines) List->addItem(Display(line));
    if (list_.selected >= 0 && list_.selected < List->count()) List->setCurrentRow(list_.selected);
    List->blockSignals(false);
}

void Tbasadan::LoadSelectedLine() {
    int row = List->currentRow();
    if (row < 0 || row >= static_cast<int>(list_.lines.size())) return;
    list_.selected = row;
    const std::string& line = list_.lines[static_cast<size_t>(row)];
    Subst->setText(Display(ComponentList::NamePart(line)));
    std::string value = ComponentList::ValuePart(line);
    weight->setText(QString::fromStdString(value));
    try {
        TextToNumber(value);
    } catch (const UserError& e) {
        ui::ShowError(this, QString::fromStdString(e.what()));
        return;
    }
    weight->setFocus();
    weight->selectAll();
}

void Tbasadan::ListClick() { LoadSelectedLine(); }

void Tbasadan::SubstChange() {
    int found = list_.Find(Bytes(Subst->text()));
    if (found >= 0) {
        List->setCurrentRow(found);
        list_.selected = found;
        // The share beside the name is the share of the row the search found.
        if (WorkingConfiguration()) {
            weight->setText(QString::fromStdString(ComponentList::ValuePart(list_.lines[static_cast<size_t>(found)])));
        }
    }
}

void Tbasadan::SubstExit() {
    bool found = list_.LeaveNameField(Bytes(Subst->text()));
    RefreshList();
    if (found) {
        LoadSelectedLine();
    } else {
        weight->setText("00.000");
        weight->setFocus();
    }
}

void Tbasadan::ShowSum() {
    Sum->setText(QString::fromStdString(RunningSumText(list_.runningSum, Regional().decimalSeparator)));
    Sum->setStyleSheet(RunningSumIsRed(list_.runningSum) ? "color: red" : "color: black");
}

void Tbasadan::weightexit() {
    if (list_.selected < 0) return;  // no line to store into: the edit is ignored
    const std::string& line = list_.lines[static_cast<size_t>(list_.selected)];
    try {
        list_.StoreValue(weight->text().toStdString());
    } catch (const UserError& e) {
        // A refused value is not kept on screen: the field shows what is stored.
        if (WorkingConfiguration()) weight->setText(QString::fromStdString(ComponentList::ValuePart(line)));
        ui::ShowError(this, QString::fromStdString(e.what()));
        return;
    }
    if (list_.selected < List->count()) List->item(list_.selected)->setText(Display(line));
    if (WorkingConfiguration()) weight->setText(QString::fromStdString(ComponentList::ValuePart(line)));
    ShowSum();
}

bool Tbasadan::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        if (watched == weight) weightexit();
        else if (watched == Subst) SubstExit();
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (watched == weight) {
            if (enter) {
                List->setFocus();
                if (!weight->hasFocus()) return true;
                weightexit();
                return true;
            }
            if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
                List->setFocus();
                if (weight->hasFocus()) weightexit();  // no focus change offscreen: store all the same
                int row = List->currentRow() + (key->key() == Qt::Key_Up ? -1 : 1);
                if (row >= 0 && row < List->count()) {
                    List->setCurrentRow(row);
                    list_.selected = row;
                }
                return true;
            }
        } else if (watched == Subst && enter) {
            SubstExit();
            return true;
        } else if (watched == List && enter) {
            list_.selected = List->currentRow();
            LoadSelectedLine();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tbasadan::Button1Click() {
    try {
        list_.RemoveZeroLines();
    } catch (const UserError& e) {
        RefreshList();
        ui::ShowError(this, QString::fromStdString(e.what()));
        return;
    }
    RefreshList();
}

void Tbasadan::SaveClick() {
    const ProgramContext& c = Context();
    const StreamRow& s = StreamTableRow(c.currentStream);
    QString folder = QString::fromStdString(ToNative(c.samplingFolder));
    QString filter = QString::fromUtf8(s.name) + " (*" + s.extension + ")";
    QString proposed = QString::fromStdString(c.entrySampleName + s.extension);
    QString chosen = ui::ChooseSaveFile(this, "Сохранение", folder, filter, QString(s.extension).mid(1), proposed);
    if (chosen.isEmpty()) return;
    std::string path = chosen.toStdString();
    auto slash = path.find_last_of("/\\");
    if (path.find('.', slash == std::string::npos ? 0 : slash) == std::string::npos) path += s.extension;
    try {
        WriteFileAtomic(path, list_.FileBytes());
    } catch (const UserError& e) {
        ui::ShowError(this, QString::fromStdString(e.what()));
    }
}

void Tbasadan::ShowFractionFields(bool visible) {
    for (QWidget* w : std::initializer_list<QWidget*>{F1, F2, F3, F4, F5, Label1, Label2, Label3, Label4, Label5, Label6}) {
        w->setVisible(visible);
    }
}

// Escape and the close box cancel the data entry as "Отмена" does: hiding
// the window alone would leave the program with no window to go on from.
void Tbasadan::reject() { cansClick(); }

void Tbasadan::closeEvent(QCloseEvent* event) {
    event->ignore();
    cansClick();
}

void Tbasadan::cansClick() {
    hide();
    ShowFractionFields(true);
    editor_actions::ShowMainWindow();
}

void Tbasadan::EndDataEntry() {
    hide();
    ShowFractionFields(true);
}

bool Tbasadan::NextClick() {
    ProgramContext& c = Context();
    if (WorkingConfiguration()) {
        // The density and the flow are named when they are no number, so the
        // user knows which field to correct.
        for (auto [field, caption] : {std::pair{F6, "Плотность, г/см3"}, std::pair{F7, "Расход, м3/ч"}}) {
            try {
                TextToNumber(field->text().toStdString());
            } catch (const UserError&) {
                ui::ShowError(this, QString::fromUtf8("Поле «%1»: «%2» не число.").arg(caption, field->text()));
                field->setFocus(Qt::OtherFocusReason);
                field->selectAll();
                return false;
            }
        }
    }
    try {
        // The list is stored as the sample chain stores it: refused when
        // empty, zero lines removed, written to the date's list file.
        StoreStreamList(c, c.currentStream, list_);
        RefreshList();
        double density = TextToNumber(F6->text().toStdString());
        double flow = TextToNumber(F7->text().toStdString());
        densities[static_cast<size_t>(c.currentStream - 1)] = density;
        flows[static_cast<size_t>(c.currentStream - 1)] = flow;
        if (c.currentStream == 1) ShowFractionFields(false);
        ++c.currentStream;
    } catch (const std::exception&) {
        RefreshList();
        ui::ShowError(this, QString::fromUtf8(EntryError()));
        return false;
    }
    if (c.currentStream > 3) {
        c.currentStream = 1;
        return FinishDataEntry();
    }
    if (c.currentStream == 3 && SkipsSideCut(c.plantIndex)) {
        F7->setText("0");
        return NextClick();
    }
    Prob->setText(QString::fromUtf8(StreamName(c.currentStream)));
    FormShow();
    return true;
}

bool Tbasadan::FinishDataEntry() {
    bool ok = true;
    Animate1->show();
    QApplication::processEvents();
    try {
        editor_actions::RunFormation({F1->text().toStdString(), F2->text().toStdString(), F3->text().toStdString(),
                                      F4->text().toStdString(), F5->text().toStdString()},
                                     densities, flows, resolver_);
        editor_actions::AfterFormation();
    } catch (const std::exception&) {
        ui::ShowError(this, QString::fromUtf8(EntryError()));
        ok = false;
    }
    // The working configuration makes the date just entered the current
    // data, as data selection of its conditions file does, so that it can be
    // calculated at once.
    if (ok && WorkingConfiguration()) {
        const ProgramContext& c = Context();
        const std::string dataFile = JoinPath(c.samplingFolder, c.entrySampleName + ".dan");
        RunHandler(this, [&dataFile] { RunDataSelectionOf(dataFile); });
    }
    Animate1->hide();
    hide();
    ShowFractionFields(true);
    editor_actions::ShowMainWindow();
    return ok;
}

bool Tbasadan::BitBtn1Click(QObject* starter) {
    try {
        editor_actions::ImportedList result;
        if (FixedSampleFiles()) {
            result = editor_actions::ImportList(starter == Next);
        } else {
            // The user chooses the report or list; a cancelled dialog leaves
            // the list as it was.
            const editor_actions::OpenDialogTexts d = editor_actions::ImportDialog();
            // Reports of a stream usually wait in one folder of their own:
            // the dialog starts where the last one of this stream was taken.
            QString& lastFolder = LastReportFolder(Context().currentStream);
            const bool remembered = !lastFolder.isEmpty() && QFileInfo(lastFolder).isDir();
            const QString chosen = ui::ChooseOpenFile(this, d.title, remembered ? lastFolder : d.folder, d.filter);
            if (chosen.isEmpty()) return true;
            lastFolder = QFileInfo(chosen).absolutePath();
            result = editor_actions::ImportListFile(ProgramPath(chosen));
        }
        list_.lines = result.lines;
        list_.selected = list_.lines.empty() ? -1 : 0;
        if (result.switchToDos) {
            CodDos->setChecked(true);
        }
        if (result.faultyLine >= 0) {
            // The list stays loaded with the faulty line selected, so the
            // user can correct it; the sum is not shown until then.
            list_.selected = result.faultyLine;
            RefreshList();
            ui::ShowError(this, QString::fromStdString(result.faultyMessage));
            return false;
        }
        list_.runningSum = result.sum;
        RefreshList();
        ShowSum();
        if (list_.selected >= 0) LoadSelectedLine();
        if (!result.note.empty()) ui::ShowMessage(this, QString::fromStdString(result.note));
    } catch (const std::exception& e) {
        RefreshList();
        ui::ShowError(this, QString::fromStdString(e.what()));
        return false;
    }
    return true;
}

void Tbasadan::CodClick() { SetCode(); }

void Tbasadan::SetCode() {
    dos_ = CodDos->isChecked();
    editor_actions::SetNameCodePage(dos_);
    RefreshList();
    if (list_.selected >= 0 && list_.selected < static_cast<int>(list_.lines.size())) {
        Subst->blockSignals(true);
        Subst->setText(Display(ComponentList::NamePart(list_.lines[static_cast<size_t>(list_.selected)])));
        Subst->blockSignals(false);
    }
}

}  // namespace rw
