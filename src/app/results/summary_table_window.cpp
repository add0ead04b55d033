#include "results/summary_table_window.h"
#include "common/configuration.h"

#include <QAbstractTableModel>
#include <QCalendarWidget>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "common/files.h"
#include "common/regional.h"
#include "shell/date_field.h"
#include "shell/form_fields.h"
#include "shell/main_window.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

std::string SettingsPath() { return JoinPath(Context().baseFolder, "Ravionn.ini"); }

}  // namespace

// The cells of the grid as the core built them. A table of 10,000 dates
// has 190,000 cells: a model over the built texts keeps the window
// responsive where one item object per cell would not.
class SummaryGridModel : public QAbstractTableModel {
public:
    // `firstColumnOnly`: the captions alone, for the view that holds them in
    // place (hiding 10,000 columns of a full model one by one would take
    // seconds).
    SummaryGridModel(QObject* parent, bool firstColumnOnly)
        : QAbstractTableModel(parent), firstColumnOnly_(firstColumnOnly) {}

    void SetGrid(const SummaryGrid* grid) {
        beginResetModel();
        grid_ = grid;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || !grid_ ? 0 : grid_->rowCount;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        if (parent.isValid() || !grid_) return 0;
        return firstColumnOnly_ ? std::min(1, grid_->columnCount) : grid_->columnCount;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!grid_ || !index.isValid()) return {};
        if (role == Qt::DisplayRole) return QString::fromStdString(grid_->Cell(index.column(), index.row()));
        if (role == Qt::BackgroundRole && index.column() == 0 && grid_->fixedFirstColumn)
            return QApplication::palette().button();
        return {};
    }
    QVariant headerData(int, Qt::Orientation, int role) const override {
        // The header only carries the column borders the user drags.
        if (role == Qt::DisplayRole) return QString();
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid()) return Qt::NoItemFlags;
        if (index.column() == 0 && grid_ && grid_->fixedFirstColumn) return Qt::ItemIsEnabled;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

private:
    const SummaryGrid* grid_ = nullptr;
    bool firstColumnOnly_;
};

// The grid with its first column (the captions) held in place while the
// dates scroll: a second view over the same model and selection lies on top
// of column 0 and shows only that column.
class SummaryGridView : public QTableView {
public:
    explicit SummaryGridView(QWidget* parent) : QTableView(parent), frozen_(new QTableView(this)) {
        setHorizontalScrollMode(ScrollPerPixel);
        setVerticalScrollMode(ScrollPerPixel);
        frozen_->setObjectName("StabFixedColumn");
        frozen_->setFocusPolicy(Qt::NoFocus);
        frozen_->verticalHeader()->hide();
        frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        frozen_->setVerticalScrollMode(ScrollPerPixel);
        frozen_->setEditTriggers(NoEditTriggers);
        frozen_->setFrameShape(QFrame::NoFrame);
        viewport()->stackUnder(frozen_);
        frozen_->hide();

        connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
            if (column == 0 && frozen_->columnWidth(0) != size) frozen_->setColumnWidth(0, size);
            UpdateFrozenGeometry();
        });
        connect(frozen_->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
            if (column == 0 && columnWidth(0) != size) setColumnWidth(0, size);
        });
        connect(verticalHeader(), &QHeaderView::sectionResized, this,
                [this](int row, int, int size) { frozen_->setRowHeight(row, size); });
        connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
                &QAbstractSlider::setValue);
        connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
                &QAbstractSlider::setValue);
    }

    // The fixed column shows `captions`, a model of column 0 alone over the
    // same cells; its cells are not selectable, so it needs no share of the
    // grid's selection.
    void SetModels(QAbstractItemModel* model, QAbstractItemModel* captions) {
        setModel(model);
        frozen_->setModel(captions);
        frozen_->setSelectionMode(NoSelection);
    }

    void SetFrozen(bool frozen) {
        frozen_->setVisible(frozen);
        if (frozen) UpdateFrozenGeometry();
    }
    bool IsFrozen() const { return frozen_->isVisible(); }

    void AfterReset() {
        frozen_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
        frozen_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
        if (frozen_->model() && frozen_->model()->columnCount() > 0) frozen_->setColumnWidth(0, columnWidth(0));
        frozen_->verticalScrollBar()->setValue(verticalScrollBar()->value());
        UpdateFrozenGeometry();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QTableView::resizeEvent(event);
        UpdateFrozenGeometry();
    }

    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        QModelIndex current = QTableView::moveCursor(action, modifiers);
        if (IsFrozen() && action == MoveLeft && current.column() > 0 &&
            visualRect(current).topLeft().x() < frozen_->columnWidth(0)) {
            const int value = horizontalScrollBar()->value() + visualRect(current).topLeft().x() - frozen_->columnWidth(0);
            horizontalScrollBar()->setValue(value);
        }
        return current;
    }

    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override {
        if (!IsFrozen() || index.column() > 0) QTableView::scrollTo(index, hint);
    }

private:
    void UpdateFrozenGeometry() {
        frozen_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
        frozen_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), columnWidth(0),
                             viewport()->height() + horizontalHeader()->height());
    }

    QTableView* frozen_;
};

Tsvod::Tsvod(QWidget* parent) : QDialog(parent) {
    setObjectName("svod");
    setWindowTitle(WorkingConfiguration() ? QStringLiteral("Сводная таблица") : QStringLiteral("svod"));
    if (DescribedConfiguration()) SetFrameWithoutIcons(this);

    auto* grid = new SummaryGridView(this);
    Stab = grid;
    Stab->setObjectName("Stab");
    gridModel_ = new SummaryGridModel(this, false);
    captionModel_ = new SummaryGridModel(this, true);
    grid->SetModels(gridModel_, captionModel_);
    Stab->horizontalHeader()->setDefaultSectionSize(100);
    Stab->horizontalHeader()->setMinimumSectionSize(8);
    Stab->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    Stab->horizontalHeader()->setFixedHeight(8);
    Stab->verticalHeader()->setDefaultSectionSize(20);
    Stab->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Stab->verticalHeader()->hide();
    Stab->setSelectionMode(QAbstractItemView::ContiguousSelection);
    Stab->setSelectionBehavior(QAbstractItemView::SelectItems);
    Stab->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Stab->setShowGrid(true);
    grid->AfterReset();

    GroupBox1 = new QGroupBox("Параметры", this);
    GroupBox1->setObjectName("GroupBox1");
    auto* boxes = new QGridLayout(GroupBox1);
    for (int k = 1; k <= kParameterCount; ++k) {
        auto* box = new QCheckBox(QString::fromUtf8(ParameterCaption(k)), GroupBox1);
        box->setObjectName(QString::fromStdString(ParameterCheckBoxName(k)));
        box->setProperty("Tag", k);
        boxes_[static_cast<std::size_t>(k - 1)] = box;
        boxes->addWidget(box, (k - 1) % 6, (k - 1) / 6);
    }

    GroupBox2 = new QGroupBox("Даты:", this);
    GroupBox2->setObjectName("GroupBox2");
    Label1 = NamedLabel(GroupBox2, "Label1", "от");
    Label2 = NamedLabel(GroupBox2, "Label2", "до");
    from = new DateField(QDate::currentDate(), GroupBox2);
    from->setObjectName("from");
    from->SetCaption("Даты: от");
    till = new DateField(QDate::currentDate(), GroupBox2);
    till->setObjectName("till");
    till->SetCaption("Даты: до");
    for (DateField* picker : {from, till}) picker->setDisplayFormat("dd.MM.yyyy");
    Button1 = NamedButton(GroupBox2, "Button1", "Добавить");
    Button3 = NamedButton(GroupBox2, "Button3", "Удалить");
    auto* dates = new QGridLayout(GroupBox2);
    dates->addWidget(Label1, 0, 0);
    dates->addWidget(from, 0, 1);
    dates->addWidget(Label2, 1, 0);
    dates->addWidget(till, 1, 1);
    dates->addWidget(Button1, 2, 0, 1, 2);
    dates->addWidget(Button3, 3, 0, 1, 2);

    Button2 = NamedButton(this, "Button2", "Создать текстовый файл");
    Button4 = NamedButton(this, "Button4", "Копировать в буфер");
    BitBtn1 = NamedButton(this, "BitBtn1", "Далее");
    BitBtn1->setAutoDefault(false);
    for (QPushButton* b : {Button1, Button2, Button3, Button4}) b->setAutoDefault(false);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Button2);
    buttons->addWidget(Button4);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(GroupBox1, 1);
    bottom->addWidget(GroupBox2);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Stab, 1);
    layout->addLayout(bottom);

    OpenDialog1.filter = "Файл результатов (*.rez)";
    OpenDialog1.title = "Открыть";
    SaveDialog1.title = "Сохранить как";

    FormCreate();
    // Connected only now: checking the boxes of the stored choice must not
    // count as the user's choice.
    for (QCheckBox* box : boxes_) {
        connect(box, &QCheckBox::toggled, this, [this, box]() { RunHandler(this, [this, box]() { CheckBox1Click(box); }); });
    }
    ConnectHandler(Button1, &QPushButton::clicked, this, [this]() { Button1Click(); });
    ConnectHandler(Button2, &QPushButton::clicked, this, [this]() { Button2Click(); });
    ConnectHandler(Button3, &QPushButton::clicked, this, [this]() { Button3Click(); });
    ConnectHandler(Button4, &QPushButton::clicked, this, [this]() { Button4Click(); });
    ConnectHandler(BitBtn1, &QPushButton::clicked, this, [this]() { Bittn1Click(); });
    for (DateField* picker : {from, till}) {
        ConnectHandler(picker, &DateField::editingFinished, this, [this]() { ChangeDat(); });
        // A day picked in the drop-down calendar (its close-up); the picker
        // has taken the date by the time this runs.
        ConnectHandler(picker->calendarWidget(), &QCalendarWidget::clicked, this, [this]() { ChangeDat(); });
    }

    // The choice is kept once, when the program ends.
    if (QCoreApplication* app = QCoreApplication::instance()) {
        connect(app, &QCoreApplication::aboutToQuit, this, [this]() {
            if (saved_) return;
            saved_ = true;
            RunHandler(this, [this]() { FormDestroy(); });
        });
    }

    Stab->setMinimumSize(860, 230);
    MakeTab();
    // The captions are longer than a date: the first column starts wider
    // (the user may still drag it).
    Stab->setColumnWidth(0, 170);
    CentreOnScreen(this);
}

Tsvod::~Tsvod() = default;

void Tsvod::FormCreate() {
    selection_ = ParameterSelection::Load(SettingsPath());
    // Without settings (a fresh installation) the working configuration
    // starts from the parameters an engineer looks at first, rather than an
    // empty table: activity, processed feed, inlet temperature, aromatics,
    // octane number, reformate yield.
    if (WorkingConfiguration() && !FileExists(SettingsPath())) {
        for (int k : {1, 2, 6, 13, 15, 16}) selection_.Check(k);
    }
    for (QCheckBox* box : boxes_) {
        const QSignalBlocker blocker(box);
        box->setChecked(selection_.IsShown(box->property("Tag").toInt()));
    }
}

void Tsvod::FormDestroy() { selection_.Save(SettingsPath()); }

QCheckBox* Tsvod::ParameterBox(int k) const {
    return k >= 1 && k <= kParameterCount ? boxes_[static_cast<std::size_t>(k - 1)] : nullptr;
}

void Tsvod::SetFolderParametersVisible(bool visible) {
    for (int k : {9, 14, 17, 18}) {
        QCheckBox* box = ParameterBox(k);
        box->setVisible(visible);
        // Unchecking runs CheckBox1Click: the parameter leaves the table.
        if (!visible) box->setChecked(false);
    }
}

// Escape, the close box and Alt+F4 leave as "Далее" does, so the index and
// the parameter choice are kept whichever way the user goes.
void Tsvod::reject() {
    if (WorkingConfiguration()) RunHandler(this, [this] { Bittn1Click(); });
}

void Tsvod::PushDates() {
    model_.SetFrom(DateValue(from->date()));
    model_.SetTill(DateValue(till->date()));
}

void Tsvod::PullDates() {
    const QSignalBlocker blockFrom(from);
    const QSignalBlocker blockTill(till);
    from->setDate(ToQDate(model_.From()));
    till->setDate(ToQDate(model_.Till()));
}

void Tsvod::ShowFile(const std::string& indexPath) {
    PushDates();
    QString failure;
    try {
        model_.Open(indexPath);
        openFailed_ = false;
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
        openFailed_ = QFileInfo::exists(NativePath(indexPath));
    }
    PullDates();
    MakeTab();
    if (!failure.isEmpty()) ui::ShowError(this, failure);
    ui::ExecModal(this);
}

void Tsvod::ShowPlantHistory() { ShowFile(JoinPath(Context().baseFolder, "svod." + Context().PlantNumber())); }

void Tsvod::ShowFolderIndex() {
    SetFolderParametersVisible(false);
    ShowFile(JoinPath(Context().baseFolder, "svod.tmp"));
    SetFolderParametersVisible(true);
}

void Tsvod::MakeTab() {
    // Column widths the user dragged survive the rebuild, as the grid keeps
    // them when only its size changes.
    std::vector<int> widths;
    const int oldColumns = gridModel_->columnCount();
    widths.reserve(static_cast<std::size_t>(oldColumns));
    for (int c = 0; c < oldColumns; ++c) widths.push_back(Stab->columnWidth(c));

    grid_ = model_.MakeTab(selection_, Regional().decimalSeparator);
    gridModel_->SetGrid(&grid_);
    captionModel_->SetGrid(&grid_);

    const int defaultWidth = Stab->horizontalHeader()->defaultSectionSize();
    const int kept = std::min<int>(oldColumns, grid_.columnCount);
    for (int c = 0; c < kept; ++c)
        if (widths[static_cast<std::size_t>(c)] != defaultWidth) Stab->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
    auto* view = static_cast<SummaryGridView*>(Stab);
    view->AfterReset();
    view->SetFrozen(grid_.fixedFirstColumn);
}

int Tsvod::LeftSelectedColumn() const {
    int left = INT_MAX;
    for (const QItemSelectionRange& range : Stab->selectionModel()->selection()) left = std::min(left, range.left());
    if (left != INT_MAX) return left;
    const QModelIndex current = Stab->currentIndex();
    return current.isValid() ? current.column() : -1;
}

void Tsvod::CheckBox1Click(QCheckBox* box) {
    const int k = box->property("Tag").toInt();
    const bool changed = box->isChecked() ? selection_.Check(k) : selection_.Uncheck(k);
    if (changed) MakeTab();
}

void Tsvod::Button1Click() {
    QString folder = OpenDialog1.initialDir.isEmpty() ? NativePath(Context().plantFolder) : OpenDialog1.initialDir;
    const QString path = ui::ChooseOpenFile(this, OpenDialog1.title, folder, OpenDialog1.filter);
    if (path.isEmpty()) return;
    OpenDialog1.fileName = path;
    PushDates();
    model_.AddResultsFile(path.toStdString());
    PullDates();
    MakeTab();
}

void Tsvod::Button2Click() {
    const QString path = ui::ChooseSaveFile(this, SaveDialog1.title, NativePath(Context().plantFolder),
                                            SaveDialog1.filter, SaveDialog1.defaultExt);
    if (path.isEmpty()) return;
    SaveDialog1.fileName = path;
    WriteSummaryExport(path.toStdString(), grid_);
}

void Tsvod::Button3Click() {
    const int j = LeftSelectedColumn();
    PushDates();
    if (!model_.RemoveColumn(j)) return;
    PullDates();
    MakeTab();
}

void Tsvod::Button4Click() {
    QApplication::clipboard()->setText(QString::fromStdString(SummaryClipboardText(grid_)));
}

void Tsvod::ChangeDat() {
    PushDates();
    if (model_.ApplyDateRange()) MakeTab();
}

void Tsvod::Bittn1Click() {
    // An index that exists but could not be read was not loaded: writing the
    // lists back would replace the plant's history with what little the
    // window holds, so it is left as it is.
    if (!openFailed_) model_.SaveIndex();
    model_.Close();
    openFailed_ = false;
    if (TForm5* main = W().form5) main->ReturnToMainWindow();
    accept();
}

}  // namespace rw
