#include "results/report_window.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

#include "common/codepage.h"
#include "common/errors.h"
#include "common/files.h"
#include "results/result_views.h"
#include "runs/run_object.h"
#include "shell/form_fields.h"
#include "shell/main_window.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

constexpr double kMarginMm = 10.0;
constexpr double kPreviewZoom = 0.5;
const char* const kReportFontFamily = "Times New Roman";

QFont DesignFont() {
    QFont font(kReportFontFamily, 11);
    // Where the family is missing, a serif face of the system stands in.
    font.setStyleHint(QFont::Serif);
    return font;
}

}  // namespace

TFRep::TFRep(QWidget* parent) : QDialog(parent) {
    setObjectName("FRep");
    setWindowTitle("Отчет");
    SetFrameWithoutIcons(this);
    Rep.Font = DesignFont();

    Button1 = NamedButton(this, "Button1", "Готово");
    Button2 = NamedButton(this, "Button2", "Просмотр и печать");
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Button2);
    layout->addWidget(Button1);
    setFixedSize(sizeHint().expandedTo(QSize(320, 60)));
    CentreOnScreen(this);

    connect(Button1, &QPushButton::clicked, this, &TFRep::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFRep::Button2Click);
}

void TFRep::SetUpPage(QPrinter& printer) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
    printer.setCopyCount(1);
}

void TFRep::PrintReport(QPrinter* printer) const {
    QTextDocument document;
    document.setDefaultFont(Rep.Font);
    document.setDocumentMargin(0);
    QTextOption option;
    // A line wider than the page goes on in the next line rather than off the paper.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    document.setPlainText(Rep.Lines.join(QLatin1Char('\n')));
    // Laid out on the printer itself, so the font sizes are the printed ones
    // and the page breaks fall inside the margins.
    document.documentLayout()->setPaintDevice(printer);
    document.setPageSize(printer->pageLayout().paintRectPixels(printer->resolution()).size());
    document.print(printer);
}

void TFRep::PrintToPdf(const QString& path) const {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    SetUpPage(printer);
    PrintReport(&printer);
    if (!QFile::exists(path)) throw UserError(FileAccessDeniedMessage(path.toStdString()));
}

QPrintPreviewDialog* TFRep::CreatePreview(QPrinter& printer, QWidget* parent) {
    SetUpPage(printer);
    auto* preview = new QPrintPreviewDialog(&printer, parent);
    preview->setObjectName("VotPreview");
    preview->setWindowTitle("Отчет");
    connect(preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { PrintReport(p); });
    if (auto* widget = preview->findChild<QPrintPreviewWidget*>()) widget->setZoomFactor(kPreviewZoom);
    return preview;
}

void TFRep::Preview() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog* preview = CreatePreview(printer, isVisible() ? this : nullptr);
    preview->resize(900, 700);
    ui::ExecModal(preview);
    delete preview;
}

void TFRep::Button1Click() { close(); }

void TFRep::Button2Click() {
    previewing_ = true;
    Preview();
    previewing_ = false;
    Button1Click();
}

void TFRep::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The preview opens once the window is on the screen.
    if (!previewing_) QTimer::singleShot(0, this, [this] {
            if (isVisible() && !previewing_) Button2Click();
        });
}

QFont DosTextFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (QFontInfo(font).fixedPitch()) return font;
    // Some platforms name a proportional face as their fixed one; these have
    // the frame characters and keep the model's columns.
    const QStringList families = QFontDatabase::families();
    for (const char* family : {"DejaVu Sans Mono", "Liberation Mono", "Noto Sans Mono", "Courier New"}) {
        if (!families.contains(family)) continue;
        QFont candidate(family);
        if (QFontInfo(candidate).fixedPitch()) return candidate;
    }
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

void TFRep::UseRawResultsFont() {
    QFont font = DosTextFont();
    font.setPointSize(10);
    Rep.Font = font;
}

void TFRep::RestoreReportFont() {
    const int size = Rep.Font.pointSize();
    Rep.Font = DesignFont();
    if (size > 0) Rep.Font.setPointSize(size);
}

namespace {

void ShowRawResultsLines(const std::vector<std::string>& lines) {
    TFRep* rep = W().fRep;
    rep->UseRawResultsFont();
    rep->Rep.Lines.clear();
    for (const auto& line : lines) rep->Rep.Lines << QString::fromStdString(line);
    ui::ExecModal(rep);
    rep->RestoreReportFont();
}

}  // namespace

void ViewResultsFile(const std::string& path) {
    // Read before anything changes, so a missing file leaves the report's
    // font and text as they were.
    ShowRawResultsLines(ReadRawResultsLines(path));
}

void ViewResultsText(const std::string& bytes) {
    std::vector<std::string> lines = SplitLines(bytes);
    for (std::string& line : lines) line = Cp866ToUtf8(line);
    ShowRawResultsLines(lines);
}

void ViewLatestResults() {
    const std::string& path = RavionObj().ResultsPath;
    if (path.empty()) {
        ui::ShowMessage(W().form5, QString::fromUtf8(kNoCalculationYet.data(), static_cast<int>(kNoCalculationYet.size())));
        return;
    }
    ViewResultsFile(path);
}

void ChooseAndViewResults() {
    TForm5* main = W().form5;
    main->OpenDialog1.initialDir = NativePath(Context().plantFolder);
    main->OpenDialog1.fileName.clear();
    main->OpenDialog1.filter = "файлы результатов (*.rez)";
    QString chosen = ui::ChooseOpenFile(main, main->OpenDialog1.title, main->OpenDialog1.initialDir,
                                        main->OpenDialog1.filter, main->OpenDialog1.fileName);
    if (chosen.isEmpty()) return;
    main->OpenDialog1.fileName = chosen;
    ViewResultsFile(chosen.toStdString());
}

}  // namespace rw
