#include "runs/run_progress.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>

#include "common/configuration.h"
#include "common/number_format.h"
#include "runs/run_object.h"
#include "shell/main_window.h"
#include "shell/program_context.h"

namespace rw {

namespace {

bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Close:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
    }
}

}  // namespace

RunProgress::RunProgress(TForm5* main, TRavionObj& run, const QString& waitText)
    : RunProgress(main, main->CancelRun, waitText) {
    run_ = &run;
    const bool detailed = WorkingConfiguration();
    QProgressBar* bar = main_->ProgressBar1;
    QLabel* label = main_->Label1;
    run_->OnModelRun = [this, bar, label, waitText, detailed] {
        bar->setValue(NextProgressPosition(bar->value()));
        if (detailed) {
            const ProgramContext& c = Context();
            label->setText(Status(waitText, run_->ModelRuns, c.conditions.activity, c.conditions.dosing[0]));
        }
        bar->repaint();
        label->repaint();
    };
    run_->WhileWaiting = [this] { return KeepWaiting(); };
}

RunProgress::RunProgress(TForm5* main, QPushButton* cancel, const QString& waitText)
    : main_(main), run_(nullptr), cancel_(cancel), wasEnabled_(main->isEnabled()) {
    main_->ProgressBar1->show();
    main_->Label1->setText(waitText);
    // The main window's button needs the main window to take its click; the
    // menu stays out of reach until the run is over.
    if (cancel_ == main_->CancelRun) main_->setEnabled(true);
    main_->MainMenu1->setEnabled(false);
    cancel_->setEnabled(true);
    cancel_->show();
    connect(cancel_, &QPushButton::clicked, this, [this] {
        cancelled_ = true;
        cancel_->setEnabled(false);
    });
    qApp->installEventFilter(this);
    main_->repaint();
}

bool RunProgress::KeepWaiting() {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    return !cancelled_;
}

RunProgress::~RunProgress() {
    if (run_) {
        run_->OnModelRun = nullptr;
        run_->WhileWaiting = nullptr;
    }
    qApp->removeEventFilter(this);
    cancel_->disconnect(this);
    cancel_->hide();
    main_->MainMenu1->setEnabled(true);
    main_->setEnabled(wasEnabled_);
}

QString RunProgress::Status(const QString& waitText, int runs, double activity, double dosing) {
    // A line of its own: beside the wait text it would not fit a narrow window.
    return waitText + QString::fromUtf8("\nРасчетов модели: %1; активность %2, подача дихлорэтана %3 ppm.")
                          .arg(runs)
                          .arg(QString::fromStdString(FormatFixed(activity, 1, 2)))
                          .arg(QString::fromStdString(FormatFixed(dosing, 1, 2)));
}

bool RunProgress::eventFilter(QObject* watched, QEvent* event) {
    if (!IsUserInput(event->type())) return false;
    // Input reaches the main window's own controls: the button, among
    // pictures and labels. Other windows, the menu, shortcuts and closing wait.
    auto* widget = watched->isWidgetType() ? static_cast<QWidget*>(watched) : nullptr;
    // A modal window's button: nothing else of it may start, close or change anything.
    if (cancel_ != main_->CancelRun) return !(widget && (widget == cancel_ || cancel_->isAncestorOf(widget)));
    const bool inMain = widget && widget->window() == main_ && event->type() != QEvent::Close;
    const bool inMenu = widget && (widget == main_->MainMenu1 || main_->MainMenu1->isAncestorOf(widget));
    return !inMain || inMenu;
}

}  // namespace rw
