#include "results/results_folder_window.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "common/files.h"
#include "results/results_index.h"
#include "shell/form_fields.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"

namespace rw {

namespace {

// The drives of this machine: the root of the file system and the roots of
// the other mounted volumes (removable disks, network shares).
QStringList DriveRoots() {
    QStringList roots{QDir::rootPath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        const QString root = volume.rootPath();
        if (!roots.contains(root)) roots << root;
    }
    std::sort(roots.begin() + 1, roots.end());
    return roots;
}

}  // namespace

TTreeF::TTreeF(QWidget* parent) : QDialog(parent) {
    setObjectName("TreeF");
    setWindowTitle("Выбор директории с результатами расчета");

    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName("DriveComboBox1");
    DriveComboBox1->addItems(DriveRoots());

    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setRootPath(QDir::rootPath());
    DirectoryListBox1 = new QTreeView(this);
    DirectoryListBox1->setObjectName("DirectoryListBox1");
    DirectoryListBox1->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column) DirectoryListBox1->hideColumn(column);
    DirectoryListBox1->header()->hide();
    DirectoryListBox1->setRootIndex(folders_->index(QDir::rootPath()));
    // The model lists folders in the background: the chosen folder's row
    // exists only after its parent is listed, and is scrolled to then.
    connect(folders_, &QFileSystemModel::directoryLoaded, this, [this](const QString& listed) {
        if (shownFolder_.isEmpty() || QDir::cleanPath(listed) != QFileInfo(shownFolder_).path()) return;
        const QModelIndex folder = folders_->index(std::exchange(shownFolder_, QString()));
        if (folder.isValid() && folder == DirectoryListBox1->currentIndex()) DirectoryListBox1->scrollTo(folder);
    });

    Button1 = NamedButton(this, "Button1", "Далее");
    Button1->setDefault(true);
    Button2 = NamedButton(this, "Button2", "Отмена");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DriveComboBox1);
    layout->addWidget(DirectoryListBox1, 1);
    layout->addLayout(buttons);
    resize(420, 480);

    ConnectHandler(DriveComboBox1, &QComboBox::currentIndexChanged, this, [this]() { DriveComboBox1Change(); });
    ConnectHandler(Button1, &QPushButton::clicked, this, [this]() { Button1Click(); });
    ConnectHandler(Button2, &QPushButton::clicked, this, [this]() { Button2Click(); });
    CentreOnScreen(this);
}

bool TTreeF::Choose() {
    SetFolder(NativePath(Context().plantFolder));
    return ui::ExecModal(this) == QDialog::Accepted;
}

void TTreeF::SetFolder(const QString& nativePath) {
    const QString path = QDir::cleanPath(QFileInfo(nativePath).absoluteFilePath());
    // The drive is the longest volume root the folder lies under.
    int drive = 0;
    for (int i = 0; i < DriveComboBox1->count(); ++i) {
        const QString root = DriveComboBox1->itemText(i);
        const QString prefix = root.endsWith('/') ? root : root + '/';
        if ((path == root || path.startsWith(prefix)) && root.size() > DriveComboBox1->itemText(drive).size()) drive = i;
    }
    {
        const QSignalBlocker blocker(DriveComboBox1);
        DriveComboBox1->setCurrentIndex(drive);
    }
    DirectoryListBox1->setRootIndex(folders_->index(DriveComboBox1->itemText(drive)));
    const QModelIndex folder = folders_->index(path);
    if (folder.isValid()) {
        DirectoryListBox1->setCurrentIndex(folder);
        DirectoryListBox1->scrollTo(folder);
        shownFolder_ = path;
    }
}

QString TTreeF::ChosenFolder() const {
    const QModelIndex current = DirectoryListBox1->currentIndex();
    if (current.isValid()) return folders_->filePath(current);
    return folders_->filePath(DirectoryListBox1->rootIndex());
}

void TTreeF::DriveComboBox1Change() {
    const QModelIndex root = folders_->index(DriveComboBox1->currentText());
    DirectoryListBox1->setRootIndex(root);
    DirectoryListBox1->setCurrentIndex(root);
}

void TTreeF::Button1Click() {
    // A file that cannot be read throws before svod.tmp is touched: the
    // window stays open with its message.
    const std::vector<std::string> indexed =
        IndexResultsFolder(ChosenFolder().toStdString(), JoinPath(Context().baseFolder, "svod.tmp"));
    if (indexed.empty()) {
        ui::ShowMessage(this, "В данной директории файлов с результатами нет.");
        reject();
        return;
    }
    accept();
}

void TTreeF::Button2Click() { reject(); }

}  // namespace rw
