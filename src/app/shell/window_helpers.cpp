#include "shell/window_helpers.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QWidget>
#include <exception>

#include "common/configuration.h"
#include "common/errors.h"
#include "common/files.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"

namespace rw {

bool RunHandler(QWidget* parent, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        ui::ShowError(parent, QString::fromUtf8(e.what()));
    }
    return false;
}

void SetFrameWithoutIcons(QWidget* window) {
    // An engineer closes every window the usual way (close box, Alt+F4); a
    // dialog's close box does what its Escape does.
    if (WorkingConfiguration()) return;
    Qt::WindowFlags flags = window->windowFlags() & Qt::WindowType_Mask;
    if (flags == Qt::Widget) flags = Qt::Window;
    window->setWindowFlags(flags | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

void CentreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    // A window given its size explicitly keeps it; the others take the size
    // their layout asks for.
    if (!window->testAttribute(Qt::WA_Resized)) window->adjustSize();
    QRect area = screen->availableGeometry();
    QSize size = window->frameGeometry().size().expandedTo(window->size());
    window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

QString NativePath(const std::string& programPath) { return QString::fromStdString(ToNative(programPath)); }

std::string ProgramPath(const QString& nativePath) {
    std::string path = nativePath.toStdString();
    for (char& ch : path)
        if (ch == '/') ch = '\\';
    return path;
}

QString DialogFilter(const std::string& pairs) {
    const QStringList parts = QString::fromStdString(pairs).split('|', Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString pattern = "(" + parts[i + 1] + ")";
        filters << (parts[i].contains(pattern) ? parts[i] : parts[i] + " " + pattern);
    }
    return filters.join(";;");
}

namespace {
bool gSampleChain = false;
}  // namespace

bool FixedSampleFiles() { return DescribedConfiguration() || gSampleChain; }

SampleChainScope::SampleChainScope() : previous_(gSampleChain) { gSampleChain = true; }
SampleChainScope::~SampleChainScope() { gSampleChain = previous_; }

QString BaseFile(const std::string& relative) { return NativePath(JoinPath(Context().baseFolder, relative)); }

QImage LoadPicture(const QString& nativePath) {
    // The reader would report a missing file as an unknown format; the user
    // is better served by the message every other missing file gives.
    if (!FileExists(nativePath.toStdString())) throw UserError(FileNotFoundMessage(nativePath.toStdString()));
    QImageReader reader(nativePath);
    QImage image = reader.read();
    if (image.isNull()) throw UserError(reader.errorString().toStdString());
    return image;
}

void ShowDecorativePicture(QLabel* label, const QString& nativePath) {
    QImageReader reader(nativePath);
    QImage image = reader.read();
    if (image.isNull()) {
        label->clear();
        return;
    }
    label->setPixmap(QPixmap::fromImage(image));
}

}  // namespace rw
