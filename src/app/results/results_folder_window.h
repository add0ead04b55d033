#pragma once
#include <QDialog>
#include <QString>

class QComboBox;
class QFileSystemModel;
class QPushButton;
class QTreeView;

namespace rw {

// The choice of a folder of results files: "Далее" builds the index
// svod.tmp in the base folder over every results file of the folder.
class TTreeF : public QDialog {
    Q_OBJECT
public:
    explicit TTreeF(QWidget* parent = nullptr);

    // "Выбор результатов": shows the window modally on the plant folder; true
    // when svod.tmp was built.
    bool Choose();
    // Shows `nativePath` in the folder tree (and its drive in the drive box).
    void SetFolder(const QString& nativePath);
    // The folder shown in the tree (native path).
    QString ChosenFolder() const;

    void DriveComboBox1Change();
    // "Далее": rebuilds svod.tmp; closes with OK, or with cancel after the
    // warning when the folder holds no results file. An error on one file
    // is shown and leaves the window open with what was added before it.
    void Button1Click();
    void Button2Click();  // "Отмена"

    QComboBox* DriveComboBox1 = nullptr;
    QTreeView* DirectoryListBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    QFileSystemModel* folders_ = nullptr;
    QString shownFolder_;  // scrolled into view once the folder above it is listed
};

}  // namespace rw
