#pragma once
// Helpers shared by the window tests (QtTest, offscreen): a started program
// on a temporary copy of the installation data, answers for the program's
// dialogs, and finding controls by their names.
#include <QByteArray>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

class QAction;
class QWidget;

namespace rw::test {

// A copy of the installation data tree (data/bin/sk of the sources) in a
// temporary folder, removed at the end. MakeBaseFolder() makes it the base
// folder of the program context.
class TempBaseFolder {
public:
    TempBaseFolder();
    bool ok() const { return ok_; }
    // Native path of the copy, and of a file below it ("Basa/Pic/1.jpg").
    QString path() const;
    QString file(const QString& relative) const;
    // The copy in the program's '\' notation, as the context holds paths.
    std::string programPath() const;
    void MakeBaseFolder() const;

    bool exists(const QString& relative) const;
    QByteArray read(const QString& relative) const;
    void write(const QString& relative, const QByteArray& bytes) const;
    void remove(const QString& relative) const;

private:
    QTemporaryDir dir_;
    bool ok_ = false;
};

// Copies the named stand-in programs of the build (its bin/sk) into the base
// copy, over any program of that name there. False when one is missing.
bool CopyStandIns(const TempBaseFolder& base, std::initializer_list<const char*> programs);

// Answers the dialogs that go through rw::ui while it lives (its destructor
// removes every hook). Messages are recorded; modal windows are handed to
// `modal` (by default they are refused without being shown), questions to
// `yesNo` (default No), prompts to `text` (default cancelled), file dialogs
// to `openFile` / `saveFile` (default cancelled).
class DialogAnswers {
public:
    DialogAnswers();
    ~DialogAnswers();
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

    QStringList messages;
    QList<QDialog*> modalShown;
    std::function<int(QDialog*)> modal;
    std::function<bool(const QString&)> yesNo;
    std::function<std::optional<QString>(const QString& prompt, const QString& initial)> text;
    std::function<QString(const QString& title, const QString& folder)> openFile;
    std::function<QString(const QString& title, const QString& folder)> saveFile;
    std::function<QString(const QString& title, const QString& folder)> chooseFolder;
};

// The program as it starts (fresh program context, every window created, the
// welcome window shown), on a temporary copy of the data tree that is the
// base folder; the windows are destroyed at the end.
class StartedProgram {
public:
    StartedProgram();
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    TempBaseFolder base;
};

// Object names of the top-level windows that are visible.
QStringList VisibleWindows();

// A named child (control, action) of a window; nullptr when missing.
QAction* FindAction(QWidget* window, const QString& name);
template <class T>
T* Find(QWidget* window, const QString& name) {
    return window ? window->findChild<T*>(name) : nullptr;
}

// Clicks the named button of a window; false when there is none, or it is
// disabled or hidden (a user could not click it).
bool Click(QWidget* window, const QString& name);

}  // namespace rw::test
