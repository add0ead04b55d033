#include "window_test_support.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <filesystem>

#include "common/configuration.h"
#include "shell/app_start.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/window_registry.h"

namespace rw::test {

namespace fs = std::filesystem;

namespace {
// Window tests drive the described configuration unless a test selects the
// working one itself (SetConfiguration).
const bool kDescribedByDefault = [] {
    SetConfiguration(Configuration::Described);
    return true;
}();
}  // namespace

TempBaseFolder::TempBaseFolder() {
    if (!dir_.isValid()) return;
    std::error_code ec;
    fs::copy(fs::path(REFORMER_SOURCE_DIR) / "data" / "bin" / "sk", fs::path(dir_.path().toStdString()),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    ok_ = !ec;
}

QString TempBaseFolder::path() const { return dir_.path(); }

QString TempBaseFolder::file(const QString& relative) const { return QDir(dir_.path()).filePath(relative); }

std::string TempBaseFolder::programPath() const {
    std::string s = QDir::toNativeSeparators(dir_.path()).toStdString();
    for (char& ch : s)
        if (ch == '/') ch = '\\';
    return s;
}

void TempBaseFolder::MakeBaseFolder() const { Context().baseFolder = programPath(); }

bool TempBaseFolder::exists(const QString& relative) const { return QFileInfo::exists(file(relative)); }

QByteArray TempBaseFolder::read(const QString& relative) const {
    QFile f(file(relative));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void TempBaseFolder::write(const QString& relative, const QByteArray& bytes) const {
    QString target = file(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile f(target);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

void TempBaseFolder::remove(const QString& relative) const { QFile::remove(file(relative)); }

bool CopyStandIns(const TempBaseFolder& base, std::initializer_list<const char*> programs) {
    for (const char* name : programs) {
        QFile::remove(base.file(name));
        if (!QFile::copy(QString(REFORMER_BINARY_DIR) + "/bin/sk/" + name, base.file(name))) return false;
    }
    return true;
}

DialogAnswers::DialogAnswers() {
    ui::Hooks& h = ui::TestHooks();
    h.message = [this](const QString& t) { messages << t; };
    h.modal = [this](QDialog* d) {
        modalShown << d;
        return modal ? modal(d) : int(QDialog::Rejected);
    };
    h.yesNo = [this](const QString& t) { return yesNo ? yesNo(t) : false; };
    h.text = [this](const QString& p, const QString& i) {
        return text ? text(p, i) : std::optional<QString>();
    };
    h.openFile = [this](const QString& t, const QString& f) { return openFile ? openFile(t, f) : QString(); };
    h.saveFile = [this](const QString& t, const QString& f) { return saveFile ? saveFile(t, f) : QString(); };
    h.folder = [this](const QString& t, const QString& f) { return chooseFolder ? chooseFolder(t, f) : QString(); };
}

DialogAnswers::~DialogAnswers() { ui::TestHooks() = ui::Hooks{}; }

StartedProgram::StartedProgram() {
    Context() = ProgramContext{};
    StartProgram();
    base.MakeBaseFolder();
}

StartedProgram::~StartedProgram() {
    DestroyWindows();
    Context() = ProgramContext{};
}

QStringList VisibleWindows() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isWindow()) names << w->objectName();
    names.sort();
    return names;
}

QAction* FindAction(QWidget* window, const QString& name) { return Find<QAction>(window, name); }

bool Click(QWidget* window, const QString& name) {
    auto* b = Find<QAbstractButton>(window, name);
    if (!b || !b->isEnabled() || !b->isVisibleTo(window)) return false;
    b->click();
    return true;
}

}  // namespace rw::test
