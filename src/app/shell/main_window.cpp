#include "shell/form_fields.h"
#include "shell/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/configuration.h"
#include "conditions/conditions_form.h"
#include "composition/composition_editor.h"
#include "composition/composition_file.h"
#include "conditions/data_selection.h"
#include "runs/feed_info_window.h"
#include "runs/reforming_calculation.h"
#include "shell/about_box.h"
#include "shell/plant_selection.h"
#include "shell/plant_window.h"
#include "shell/program_context.h"
#include "shell/welcome_window.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

// Shown and enabled until UpdateActions says otherwise.
QAction* NewItem(QWidget* owner, QWidget* menu, const char* name, const QString& caption,
                 const QKeySequence& shortcut = {}) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    menu->addAction(action);
    return action;
}

QAction* NewSeparator(QWidget* owner, QWidget* menu, const char* name, const QKeySequence& shortcut = {}) {
    auto* action = new QAction(owner);
    action->setObjectName(name);
    action->setSeparator(true);
    // A separator's key does nothing; the working configuration does not
    // print it across the line either.
    if (DescribedConfiguration()) action->setShortcut(shortcut);
    menu->addAction(action);
    return action;
}

QMenu* NewSubmenu(QWidget* owner, QWidget* menu, const char* name, const QString& caption, QAction*& item) {
    auto* sub = new QMenu(caption, owner);
    sub->setObjectName(QString(name) + "Menu");
    item = sub->menuAction();
    item->setObjectName(name);
    menu->addAction(item);
    return sub;
}

// Enables the main window again when the program hides the child it watches
// (a hide by minimising comes from the system and is not the child closing).
class ChildWindowWatcher : public QObject {
public:
    ChildWindowWatcher(QWidget* child, QWidget* mainWindow) : QObject(child), mainWindow_(mainWindow) {
        child->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && !event->spontaneous()) {
            watched->removeEventFilter(this);
            if (mainWindow_) mainWindow_->setEnabled(true);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> mainWindow_;
};

// Alt+letter opens a menu or chooses an item, as the engineers know it from
// their other programs: the first letter of a caption not yet taken in the
// same menu is marked. Captions keep their text; only the mark is added.
void AddMnemonics(QWidget* menu) {
    QString used;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || a->text().contains(QLatin1Char('&'))) continue;
        QString text = a->text();
        for (int i = 0; i < text.size(); ++i) {
            const QChar c = text[i].toLower();
            if (!c.isLetter() || used.contains(c)) continue;
            used += c;
            text.insert(i, QLatin1Char('&'));
            a->setText(text);
            break;
        }
        if (QMenu* sub = a->menu()) AddMnemonics(sub);
    }
}

}  // namespace

TForm5::TForm5(QWidget* parent) : QMainWindow(parent) {
    setObjectName("Form5");
    if (DescribedConfiguration()) SetFrameWithoutIcons(this);
    BuildMenu();
    BuildControls();
    UpdateActions();
    resize(780, 460);
    CentreOnScreen(this);
    // The main window opens minimised whenever it is first shown.
    if (DescribedConfiguration()) setWindowState(windowState() | Qt::WindowMinimized);
    FormCreate();
}

void TForm5::BuildMenu() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName("MainMenu1");
    setMenuBar(MainMenu1);
    QWidget* bar = MainMenu1;

    N1 = NewItem(this, bar, "N1", "Информация");

    N9Menu = NewSubmenu(this, bar, "N9", "Выбор установки", N9);
    N10 = NewItem(this, N9Menu, "N10", "Выбор установки");
    BaseChoice = NewItem(this, N9Menu, "BaseChoice", "Базовая папка...");
    BaseCheck = NewItem(this, N9Menu, "BaseCheck", "Проверка базовой папки");
    BaseReplay = NewItem(this, N9Menu, "BaseReplay", "Пересчет истории установки...");

    N2Menu = NewSubmenu(this, bar, "N2", "Данные", N2);
    N12 = NewItem(this, N2Menu, "N12", "Выбор данных", QKeySequence(Qt::CTRL | Qt::Key_O));
    Bdan = NewItem(this, N2Menu, "Bdan", "Набор данных", QKeySequence(Qt::CTRL | Qt::Key_N));
    N13 = NewSeparator(this, N2Menu, "N13", QKeySequence(Qt::CTRL | Qt::Key_P));
    NSample = NewItem(this, N2Menu, "NSample", "Пример (01-09-09)");
    // Beside "Набор данных" of a new date, the working configuration names
    // the editors of the current date's files by what they do.
    N3Menu = NewSubmenu(this, N2Menu, "N3", WorkingConfiguration() ? "Правка данных" : "Набор данных", N3);
    N4 = NewItem(this, N3Menu, "N4", "Технологические условия");
    N5 = NewSeparator(this, N3Menu, "N5");
    N11 = NewItem(this, N3Menu, "N11", "Состав сырья и катализата");
    N16 = NewItem(this, N3Menu, "N16", "Фракционный состав");

    N7Menu = NewSubmenu(this, bar, "N7", "Расчет", N7);
    N8 = NewItem(this, N7Menu, "N8", "Риформинг");
    N22Menu = NewSubmenu(this, N7Menu, "N22", "Мастер расчетов", N22);
    N23 = NewItem(this, N22Menu, "N23", "Расчет по углеводородному составу");
    N24 = NewItem(this, N22Menu, "N24", "Расчет по фракционному составу");
    N21 = NewItem(this, N7Menu, "N21", "Подачи хлорорганики");
    N32 = NewItem(this, N7Menu, "N32", "Расчет оптимальной активности");
    N29 = NewItem(this, N7Menu, "N29", "Исследование влияния состава сырья");
    N19 = NewItem(this, N7Menu, "N19", WorkingConfiguration() ? "Расчет дезактивации" : "Расчет дизактивации");
    FastFit = NewItem(this, N7Menu, "FastFit", "Быстрый подбор активности и подачи дихлорэтана");
    FastFit->setCheckable(true);
    // Files may have come or gone since the last step (another engineer, a
    // file manager), another copy of the program may have changed the
    // fitting choice in the base folder: the states are derived again
    // whenever a menu opens.
    for (QMenu* menu : {N2Menu, N3Menu, N7Menu, N22Menu}) {
        connect(menu, &QMenu::aboutToShow, this, [this] { UpdateActions(); });
    }

    N14Menu = NewSubmenu(this, bar, "N14", "Результаты", N14);
    N15 = NewItem(this, N14Menu, "N15", "Результаты расчета");
    N17 = NewItem(this, N14Menu, "N17", "Просмотр результатов");
    N18 = NewItem(this, N14Menu, "N18", "Сводная таблица");
    N30 = NewItem(this, N14Menu, "N30", "Отчет");
    N25 = NewSeparator(this, N14Menu, "N25");
    N26 = NewItem(this, N14Menu, "N26", "Выбор результатов");
    N27 = NewItem(this, N14Menu, "N27", "Таблица");
    N28 = NewItem(this, N14Menu, "N28", "Графики");
    NewSeparator(this, N14Menu, "N14Outlook");
    Prognoz = NewItem(this, N14Menu, "Prognoz", "Прогноз цикла");
    AllPlants = NewItem(this, N14Menu, "AllPlants", "Все установки");

    GrMenu = NewSubmenu(this, bar, "Gr", "Графики", Gr);
    N20 = NewItem(this, GrMenu, "N20", "Графическое представление");
    N31 = NewItem(this, GrMenu, "N31", "График дезактивации");

    N6 = NewItem(this, bar, "N6", "Выход", QKeySequence(Qt::CTRL | Qt::Key_X));

    const QString about = WorkingConfiguration() ? QStringLiteral("О программе") : QStringLiteral("About");
    About1Menu = NewSubmenu(this, bar, "About1", about, About1);
    About2 = NewItem(this, About1Menu, "About2", about, QKeySequence(Qt::CTRL | Qt::Key_A));

    if (WorkingConfiguration()) {
        AddMnemonics(MainMenu1);
        // F10 opens the first visible menu of the bar.
        auto* f10 = new QAction(this);
        f10->setObjectName("MenuKey");
        f10->setShortcut(QKeySequence(Qt::Key_F10));
        addAction(f10);
        connect(f10, &QAction::triggered, this, [this] {
            for (QAction* a : MainMenu1->actions()) {
                if (a->isVisible() && a->menu()) {
                    MainMenu1->setActiveAction(a);
                    return;
                }
            }
        });
    }

    const std::pair<QAction*, void (TForm5::*)()> handlers[] = {
        {N1, &TForm5::N1Click},   {N10, &TForm5::N10Click}, {N12, &TForm5::N12Click}, {Bdan, &TForm5::BdanClick},
        {N4, &TForm5::N4Click},   {N11, &TForm5::N11Click}, {N16, &TForm5::FrClick},  {N8, &TForm5::N8Click},
        {N23, &TForm5::N23Click}, {N24, &TForm5::N24Click}, {N21, &TForm5::N21Click}, {N32, &TForm5::N32Click},
        {N29, &TForm5::N29Click}, {N19, &TForm5::N19Click}, {FastFit, &TForm5::FastFitClick}, {N15, &TForm5::N15Click}, {N17, &TForm5::N17Click},
        {N18, &TForm5::N18Click}, {N30, &TForm5::N30Click}, {N26, &TForm5::N26Click}, {N27, &TForm5::N27Click},
        {N28, &TForm5::N28Click}, {N20, &TForm5::N20Click}, {N31, &TForm5::N31Click}, {N6, &TForm5::N6Click},
        {About2, &TForm5::About2Click}, {NSample, &TForm5::NSampleClick},
        {Prognoz, &TForm5::PrognozClick}, {AllPlants, &TForm5::AllPlantsClick},
        {BaseChoice, &TForm5::BaseChoiceClick}, {BaseCheck, &TForm5::BaseCheckClick},
        {BaseReplay, &TForm5::BaseReplayClick},
    };
    for (const auto& [action, handler] : handlers) {
        auto h = handler;
        ConnectHandler(action, &QAction::triggered, this, [this, h] { (this->*h)(); });
    }
}

void TForm5::BuildControls() {
    auto* central = new QWidget(this);
    central->setObjectName("centralWidget");
    setCentralWidget(central);

    auto* pictures = new QHBoxLayout;
    pictures->setSpacing(16);
    QLabel** images[] = {&Image1, &Image2, &Image3, &Image4};
    for (int i = 0; i < 4; ++i) {
        auto* image = NamedLabel(central, QString("Image%1").arg(i + 1), QString());
        image->setFixedSize(160, 120);
        image->setFrameShape(QFrame::StyledPanel);
        ShowDecorativePicture(image, BaseFile("Basa\\Pic\\decor" + std::to_string(i + 1) + ".jpg"));
        *images[i] = image;
        pictures->addWidget(image);
    }

    ProgressBar1 = new QProgressBar(central);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setTextVisible(false);

    Label1 = NamedLabel(central, "Label1", QString());
    Label1->setAlignment(Qt::AlignCenter);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    QPalette navy = Label1->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label1->setPalette(navy);

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(20, 12, 20, 12);
    layout->addStretch();
    layout->addLayout(pictures);
    layout->addStretch();
    CancelRun = NamedButton(central, "CancelRun", QString::fromUtf8("Прервать"));
    CancelRun->setToolTip(QString::fromUtf8("Остановить программу модели; результаты расчета не сохраняются."));
    CancelRun->hide();
    auto* progress = new QHBoxLayout;
    progress->addWidget(ProgressBar1, 1);
    progress->addWidget(CancelRun);
    layout->addLayout(progress);
    layout->addWidget(Label1);

    BaseFolderLine = NamedLabel(central, "BaseFolderLine", QString());
    BaseFolderLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    BaseFolderLine->setVisible(WorkingConfiguration());
    layout->addWidget(BaseFolderLine);
}

void TForm5::OpenChildWindow(QWidget* child) {
    setEnabled(false);
    new ChildWindowWatcher(child, this);
    child->show();
    child->raise();
    child->activateWindow();
}

void TForm5::UpdateActions() {
    work_.configuration = CurrentConfiguration();
    TakeProgramContext(work_, Context());
    work_.fastFitChosen = FastFitChosen();
    const MenuStates states = DeriveMenuStates(work_);
    for (QAction* menu : {N1, N3, N7, N14, Gr}) menu->setVisible(states.calculationMenusShown);
    for (QAction* item : {BaseChoice, BaseCheck, BaseReplay, NSample}) item->setVisible(states.baseFolderItemsShown);
    N8->setEnabled(states.canCalculate);
    N15->setEnabled(states.canShowLatestResults);
    N16->setEnabled(states.canShowFraction);
    N27->setEnabled(states.canShowFolderResults);
    N28->setEnabled(states.canShowFolderResults);
    BaseReplay->setEnabled(states.canReplayHistory);
    FastFit->setChecked(states.fastFitChecked);
}

void TForm5::OnDateSelected(bool compositionFound, bool completeFraction) {
    NoteDateSelected(work_, compositionFound, completeFraction);
    UpdateActions();
}

void TForm5::OnSampleChainStarted() {
    NoteSampleChainStarted(work_);
    UpdateActions();
}

void TForm5::OnConditionsFormLeft() {
    NoteConditionsFormLeft(work_);
    UpdateActions();
}

void TForm5::OnCalculationSettled(bool declined, bool completed) {
    // The calculation was of the date current now.
    TakeProgramContext(work_, Context());
    NoteCalculationSettled(work_, declined, completed);
    UpdateActions();
}

void TForm5::OnResultsFolderChosen() {
    NoteResultsFolderChosen(work_);
    UpdateActions();
}

void TForm5::OnBaseFolderChanged() {
    NoteBaseFolderChanged(work_);
    UpdateActions();
}

void ForgetDateInWindows() {
    if (TForm8* form = W().form8) form->ClearValues();
    if (TForm9* editor = W().form9) editor->SetTexts(CompositionTexts{});
    if (TForm30* info = W().form30) info->ShowCurrent({});
}

void TForm5::ReturnToMainWindow() {
    UpdateActions();
    setEnabled(true);
    show();
    if (WorkingConfiguration()) {
        raise();
        activateWindow();
    }
}

void TForm5::ShowWaitText(const QString& text) {
    ProgressBar1->show();
    Label1->setText(text);
    repaint();
}

void TForm5::ShowProgress(int position) {
    ProgressBar1->show();
    ProgressBar1->setValue(position);
    repaint();
}

void TForm5::ClearProgress() {
    Label1->clear();
    ProgressBar1->hide();
}

void TForm5::EndCalculation() {
    UpdateActions();
    ProgressBar1->setValue(100);
    setEnabled(true);
    show();
    ClearProgress();
}

void TForm5::CloseMainWindow() {
    closing_ = true;
    close();
    closing_ = false;
}

void TForm5::closeEvent(QCloseEvent* event) {
    if (closing_) return event->accept();
    // Described: without a close box the window still gets a close request
    // from the window manager's keyboard shortcut; closing it that way would
    // leave the program running with no window to go on from.
    // Working: the close box is the way out, the exit step of the
    // confirmation's "Да" (a *.bak file that cannot be deleted keeps the
    // program open with its message).
    if (WorkingConfiguration() && RunHandler(this, [] { DeleteBakFiles(Context().baseFolder); })) {
        W().form1->close();
        return event->accept();
    }
    event->ignore();
}

void TForm5::N10Click() {
    OpenDialog1.fileName.clear();
    setEnabled(false);
    W().form4->OpenFromMenu();
}

void TForm5::NSampleClick() {
    W().form1->RunSampleChain();
    UpdateActions();
}

void TForm5::BdanClick() {
    TForm8* form = W().form8;
    form->SetDataEntryMode(true);
    hide();
    form->ShowSaveButtons();
    form->show();
}

void TForm5::N4Click() {
    // The normal save of the conditions form starts its dialog in the base
    // folder itself, so the plant folder is not handed on to it here.
    TForm8* form = W().form8;
    form->ShowSaveButtons();
    OpenChildWindow(form);
}

void TForm5::N11Click() { OpenChildWindow(W().form9); }

void TForm5::N6Click() {
    // The working configuration ends every way with the exit step, so no
    // model working copy (*.bak) is left for the next session; a file that
    // cannot be deleted stops here with its message and the program stays.
    if (WorkingConfiguration()) DeleteBakFiles(Context().baseFolder);
    W().form1->close();
    CloseMainWindow();
}

void TForm5::About2Click() {
    TAboutBox* box = W().aboutBox;
    box->show();
    box->raise();
    box->activateWindow();
}

}  // namespace rw
