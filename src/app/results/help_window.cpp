#include "results/help_window.h"

#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/configuration.h"
#include "common/files.h"
#include "results/report_window.h"
#include "results/result_views.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

TForm10::TForm10(QWidget* parent) : QDialog(parent) {
    setObjectName("Form10");
    // Blanks before a title push it out of a window manager's title bar.
    setWindowTitle(WorkingConfiguration() ? QStringLiteral("Информация")
                                          : QString(67, QLatin1Char(' ')) + "Результаты проведенных расчетов");
    SetFrameWithoutIcons(this);

    MemoRez = new QPlainTextEdit(this);
    MemoRez->setObjectName("MemoRez");
    // The text comes from a DOS file with frame characters; a fixed-pitch
    // face of the system keeps its columns and draws the frames.
    QFont font = DosTextFont();
    font.setPixelSize(17);
    MemoRez->setFont(font);
    MemoRez->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoRez->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoRez->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoRez->setReadOnly(true);

    BitBtn1 = NamedButton(this, "BitBtn1", "Далее");
    BitBtn1->setToolTip("Дальнейшее продолжение программы");
    BitBtn1->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MemoRez);
    layout->addLayout(ButtonRow({BitBtn1}));
    // Room for the 76 columns of the help text.
    MemoRez->setMinimumSize(820, 520);
    CentreOnScreen(this);

    connect(BitBtn1, &QPushButton::clicked, this, &TForm10::BitBtn1Click);
}

void TForm10::BitBtn1Click() {
    accept();
    if (TForm5* main = W().form5) main->ReturnToMainWindow();
}

void ShowHelpText() {
    std::string text = ReadHelpText(HelpFilePath(Context()));
    TForm10* help = W().form10;
    QString shown = QString::fromStdString(text);
    // The text was written for one system's notation of the data folder, and
    // for the folder beside the program: another base folder is named as it is.
    if (WorkingConfiguration()) {
        const QString inUse = QDir::cleanPath(NativePath(Context().baseFolder));
        const QString beside = QDir::cleanPath(NativePath(BaseFolderOf(ProgramFolder())));
        if (QFileInfo(inUse).canonicalFilePath() != QFileInfo(beside).canonicalFilePath()) {
            shown.replace("bin\\sk рядом с программой", QDir::toNativeSeparators(inUse));
        }
        shown.replace("bin\\sk", QDir::toNativeSeparators("bin/sk"));
    }
    help->MemoRez->setPlainText(shown);
    help->MemoRez->moveCursor(QTextCursor::Start);
    ui::ExecModal(help);
}

}  // namespace rw
