#include "runs/research_files_window.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/configuration.h"
#include "common/files.h"
#include "results/results_window.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"

namespace rw {

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

QPushButton* NewButton(QWidget* owner, const char* name, const QString& caption) {
    auto* button = NamedButton(owner, name, caption);
    // Enter in an edit must not press a button before the edit is checked.
    button->setAutoDefault(false);
    return button;
}

QGroupBox* NewGroup(QWidget* owner, const char* name, const QString& caption, QLineEdit*& edit,
                    const char* editName, QPushButton*& browse, const char* browseName) {
    auto* group = new QGroupBox(caption, owner);
    group->setObjectName(name);
    edit = new QLineEdit(group);
    edit->setObjectName(editName);
    edit->setMinimumWidth(420);
    browse = NewButton(group, browseName, "Обзор");
    auto* row = new QHBoxLayout(group);
    row->addWidget(edit, 1);
    row->addWidget(browse);
    return group;
}

// A folder as the edits show it: native separators and a final one.
QString FolderText(const std::string& folder) { return NativePath(JoinPath(folder, "")); }

}  // namespace

TResF::TResF(QWidget* parent) : QDialog(parent) {
    setObjectName("ResF");
    setWindowTitle("Исследование");

    GroupBox1 = NewGroup(this, "GroupBox1", "Файл с технологическими данными", DanF, "DanF", Button1, "Button1");
    GroupBox2 = NewGroup(this, "GroupBox2", "Файл с данными по сырью и катализату", SkF, "SkF", Button2, "Button2");
    GroupBox3 = NewGroup(this, "GroupBox3", "Результаты расчета сохранить в файл", RezF, "RezF", Button3, "Button3");
    Button4 = NewButton(this, "Button4", "Далее");
    Button5 = NewButton(this, "Button5", "Отмена");
    Button6 = NewButton(this, "Button6", "Очистить директорию от результатов расчета");

    OpenD.title = "Открыть";
    SaveR.title = "Сохранить как";
    SaveR.filter = "Файл результатов (*.rez)";
    SaveR.defaultExt = "rez";

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addWidget(GroupBox3);
    layout->addSpacing(8);
    layout->addLayout(ButtonRow({Button6}, {Button4, Button5}));
    CentreOnScreen(this);

    for (QLineEdit* edit : {DanF, SkF, RezF}) edit->installEventFilter(this);
    ConnectHandler(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    ConnectHandler(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    ConnectHandler(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    ConnectHandler(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(Button5, &QPushButton::clicked, this, &TResF::Button5Click);
    ConnectHandler(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
}

bool TResF::eventFilter(QObject* watched, QEvent* event) {
    // Leaving an edit is a move to another control of this window; the window
    // itself losing focus to a dialog or another window is not.
    const auto leaving = [event] {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    };
    if (event->type() == QEvent::FocusOut && leaving()) {
        if (watched == DanF) DanFExit();
        else if (watched == SkF) SkFExit();
        else if (watched == RezF) RezFExit();
    }
    return QDialog::eventFilter(watched, event);
}

void TResF::StartStudy(const std::string& plantFolder, const std::string& researchFolder) {
    OpenD.fileName.clear();
    SaveR.fileName.clear();
    DanF->setText(FolderText(plantFolder));
    SkF->setText(FolderText(plantFolder));
    RezF->setText(FolderText(researchFolder));
    Flags = StudyFileFlags{};
    // The working configuration offers the current date's own files, so a
    // study of the date just calculated needs no browsing.
    const ProgramContext& c = Context();
    if (WorkingConfiguration() && !c.sampleName.empty() && !c.dataFolder.empty()) {
        const std::string date = JoinPath(c.dataFolder, c.sampleName);
        if (FileExists(date + ".dan")) DanF->setText(NativePath(date + ".dan"));
        if (FileExists(date + ".sk")) SkF->setText(NativePath(date + ".sk"));
        RezF->setText(NativePath(JoinPath(researchFolder, c.sampleName + ".rez")));
        DanFExit();
        SkFExit();
        RezFExit();
    }
}

void TResF::DanFExit() { Flags.conditions = FileExists(DanF->text().toStdString()); }

void TResF::SkFExit() { Flags.composition = FileExists(SkF->text().toStdString()); }

void TResF::RezFExit() {
    const QString checked = Text(WithResultsExtension(RezF->text().toStdString()));
    if (checked != RezF->text()) RezF->setText(checked);
    Flags.results = ResultsFileUsable(checked.toStdString());
}

void TResF::Button1Click() {
    OpenD.filter = "Файл с технологическими данными (*.dan)";
    OpenD.initialDir = NativePath(Context().plantFolder);
    const QString chosen = ui::ChooseOpenFile(this, OpenD.title, OpenD.initialDir, OpenD.filter, OpenD.fileName);
    if (chosen.isEmpty()) return;
    OpenD.fileName = chosen;
    DanF->setText(chosen);
    DanFExit();
}

void TResF::Button2Click() {
    OpenD.filter = "Файл с составом сырья и катализата (*.sk)";
    OpenD.initialDir = NativePath(Context().plantFolder);
    const QString chosen = ui::ChooseOpenFile(this, OpenD.title, OpenD.initialDir, OpenD.filter, OpenD.fileName);
    if (chosen.isEmpty()) return;
    OpenD.fileName = chosen;
    SkF->setText(chosen);
    SkFExit();
}

void TResF::Button3Click() {
    SaveR.initialDir = NativePath(Context().researchFolder);
    // The dialog asks before it overwrites a file; the extension rule is the
    // program's own, so the dialog is given none to append.
    const QString chosen = ui::ChooseSaveFile(this, SaveR.title, SaveR.initialDir, SaveR.filter, QString(), SaveR.fileName);
    if (chosen.isEmpty()) return;
    SaveR.fileName = chosen;
    RezF->setText(Text(BrowsedResultsPath(chosen.toStdString())));
    RezFExit();
}

void TResF::Button4Click() {
    // Enter pressed in an edit reaches here without the edit being left.
    QWidget* focus = QApplication::focusWidget();
    if (focus == DanF) DanFExit();
    else if (focus == SkF) SkFExit();
    else if (focus == RezF) RezFExit();

    const StudyChoiceProblem problem = CheckStudyChoice(Flags);
    if (problem != StudyChoiceProblem::None) {
        ui::ShowMessage(this, DisplayLines(Text(StudyChoiceMessage(problem))));
        return;
    }
    ConditionsFile = DanF->text();
    CompositionFile = SkF->text();
    ResultsFile = RezF->text();
    done(QDialog::Accepted);
}

void TResF::Button5Click() { done(QDialog::Rejected); }

void TResF::Button6Click() {
    if (!ui::AskYesNo(this, "Warning", "Вы уверены, что хотите очистить директорию?")) return;
    const std::string folder = Context().researchFolder;
    if (ClearFolder(folder)) CreateFolders(folder);
}

}  // namespace rw
