#pragma once
#include <QImage>
#include <QObject>
#include <QString>
#include <functional>
#include <utility>
#include <string>

class QLabel;
class QWidget;

namespace rw {

// Handlers of the windows (N12Click, RadioGroup1Click, ...) are plain member
// functions that may throw: an error ends the handler, as it ends an action of
// the user. When the user starts a handler, the connection runs it through
// RunHandler, which shows the message; when another handler calls it (the
// welcome pipeline clicks through the windows), the error reaches the caller,
// which stops there too.
//
// Runs `handler`; a UserError (or any other exception) is shown with
// ui::ShowError over `parent`. Returns false when the handler failed.
bool RunHandler(QWidget* parent, const std::function<void()>& handler);

// Connects a signal to a handler that may throw; the message of a failure is
// shown over `owner`.
template <class Sender, class Signal, class Fn>
QMetaObject::Connection ConnectHandler(Sender* sender, Signal signal, QWidget* owner, Fn handler) {
    return QObject::connect(sender, signal, owner, [owner, handler]() { RunHandler(owner, handler); });
}

// Runs `restore` when it goes before Release() was called: the windows a
// failing step leaves disabled or half-way are given back to the user.
class RestoreOnFailure {
public:
    explicit RestoreOnFailure(std::function<void()> restore) : restore_(std::move(restore)) {}
    ~RestoreOnFailure() {
        if (restore_) restore_();
    }
    RestoreOnFailure(const RestoreOnFailure&) = delete;
    RestoreOnFailure& operator=(const RestoreOnFailure&) = delete;
    void Release() { restore_ = nullptr; }

private:
    std::function<void()> restore_;
};

// Window frame of a dialog without border icons: a title bar only, no close,
// minimise or maximise buttons.
void SetFrameWithoutIcons(QWidget* window);
// Places a top-level window at the centre of its screen (done before it is
// first shown).
void CentreOnScreen(QWidget* window);

// A native path for Qt from the program's '\' notation (UTF-8).
QString NativePath(const std::string& programPath);
// The program's '\' notation of a path a file dialog returned.
std::string ProgramPath(const QString& nativePath);
// A filter of the form "Name|*.ext|Other|*.oth|" in the file dialogs' own
// notation ("Name (*.ext);;Other (*.oth)").
QString DialogFilter(const std::string& pairs);

// True when a choice of file takes the sample files without asking: always
// in the described configuration; in the working one while the sample chain
// (the welcome window's "Пример") runs.
bool FixedSampleFiles();
// Marks the sample chain as running while it lives.
class SampleChainScope {
public:
    SampleChainScope();
    ~SampleChainScope();
    SampleChainScope(const SampleChainScope&) = delete;
    SampleChainScope& operator=(const SampleChainScope&) = delete;

private:
    bool previous_;
};

// A file below the base folder of the program context, e.g.
// BaseFile("Basa\\Pic\\1.jpg"), as a native path.
QString BaseFile(const std::string& relative);

// Loads a picture through the image reader. Throws UserError with the
// reader's message when the file is missing or cannot be decoded.
QImage LoadPicture(const QString& nativePath);
// Shows the picture in `label` when it can be read; a decorative picture that
// is missing leaves the label empty.
void ShowDecorativePicture(QLabel* label, const QString& nativePath);

// What a file dialog remembers between showings (the settings of a dialog
// component on a form): the chosen file name, the initial folder, the filter.
struct FileDialogSettings {
    QString fileName;
    QString initialDir;
    QString filter;
    QString title;
    QString defaultExt;
};

}  // namespace rw
