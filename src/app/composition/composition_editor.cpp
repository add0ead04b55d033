#include "composition/composition_editor.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>
#include <cmath>

#include "common/configuration.h"
#include "common/number_format.h"
#include "common/regional.h"
#include "composition/composition_file.h"
#include "shell/form_fields.h"
#include "shell/main_window.h"
#include "shell/program_context.h"
#include "common/text_helpers.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

// Captions of the 69 model components. They stay as they are even where
// they name other isomers than the composition file's labels (lines 17, 28
// and 55): users know the lines by these captions.
const char* const kCaptions[69] = {
    "1.     Этан", "2.     Пропан", "3.     изо-Бутан",
    "4.     н-Бутан", "5.     изо-Пентан", "6.     н-Пентан",
    "7.     2,2-ДМБ", "8.     ц-Пентан", "9.     2,3-ДМБ",
    "10.   2-МП", "11.   3-МП", "12.   н-Гексан",
    "13.   МЦП", "14.   2,2-ДМП", "15.   2,4-ДМП",
    "16.   Бензол", "17.   2,2,3-ТМП", "18.   3,3-ДМП",
    "19.   ц-Гексан", "20.   2-МГ", "21.   2,3-ДМП",
    "22.   3-МГ", "23.   1,3-ДМЦП (ц)", "24.   1,3-ДМЦП (т)",
    "25.   1,2-ДМЦП (т)", "26.   н-Гептан", "27.   1,2-ДМЦП",
    "28.   2,3-ДМГ", "29.   1,1,3-ТМЦП", "30.   МЦГ",
    "31.   2,5-ДМГ", "32.   2,4-ДМГ", "33.   ЭЦП",
    "34.   2,2,3-ТМП", "35.   1,2,4-ТМЦП", "36.   3,3-ДМГ",
    "37.   Толуол", "38.   1,2,3-ТМЦП", "39.   2,3,4-ТМП",
    "40.   2,3-ДМГ", "41.   2-М, 3-ЭП", "42.   1,1,2-ТМЦП",
    "43.   2-МГП", "44.   4-МГП", "45.   3,4-ДМГ",
    "46.   3-МГП", "47.   нафт. до С8", "48.   н-Октан",
    "49.   1,2-ДМЦГ (т)", "50.   1,3-ДМЦГ (т)", "51.   2,3,5-ТМГ",
    "52.   2,2-ДМГП", "53.   2,4-ДМГП", "54.   2,2,3-ТМГ",
    "55.   2-М, 3-ЭГ", "56.   2,6-ДМГП", "57.   2,5-ДМГП",
    "58.   3,3-ДМГП", "59.   ЭЦГ+ЭБензол", "60.   ТМЦП",
    "61.   2,3,4-ТМГ", "62.   п-Ксилол", "63.   м-Ксилол",
    "64.   изо-С9", "65.   о-Ксилол", "66.   нафт. до С9",
    "67.   н-Нонан", "68.   С9+", "69.   в т. ч. Ар",
};

constexpr int kTailNumbers[6] = {139, 140, 142, 143, 144, 145};
const char* const kTailCaptions[6] = {"НК", "10%", "50%", "90%", "КК", "р, г/см3"};
const char* const kTailLabelNames[6] = {"Label78", "Label79", "Label81", "Label82", "Label83", "Label84"};

constexpr int kRowsPerGroup = 23;
constexpr int kGroupWidth = 262;
constexpr int kRowHeight = 22;
constexpr int kTop = 58;

}  // namespace

TForm9::TForm9(QWidget* parent) : QDialog(parent) {
    setObjectName("Form9");
    setWindowTitle(QString(WorkingConfiguration() ? 0 : 79, QLatin1Char(' ')) + "Состав сырья и катализата");
    SetFrameWithoutIcons(this);
    // The places of the controls are given for the usual font; the working
    // configuration widens them all alike when a larger font needs the room.
    qreal sx = 1.0;
    if (WorkingConfiguration()) {
        const QFontMetrics metrics = fontMetrics();
        for (const char* caption : kCaptions)
            sx = std::max(sx, (metrics.horizontalAdvance(QString::fromUtf8(caption)) + 4) / 126.0);
        sx = std::max(sx, (metrics.horizontalAdvance(QStringLiteral("Катализат")) + 4) / 66.0);
    }
    auto X = [sx](int v) { return int(std::ceil(v * sx)); };
    setFixedSize(X(3 * kGroupWidth + 24), 740);

    auto label = [this, X](const QString& name, const QString& text, int x, int y, int w) {
        auto* l = NamedLabel(this, name, text);
        l->setGeometry(X(x), y, X(w), 20);
        return l;
    };
    auto edit = [this, X](int n, const QString& text, int x, int y, int w) {
        auto* e = new QLineEdit(text, this);
        e->setObjectName(QStringLiteral("Edit%1").arg(n));
        e->setGeometry(X(x), y, X(w), kRowHeight - 1);
        edits_[static_cast<size_t>(n)] = e;
        e->installEventFilter(this);
        connect(e, &QLineEdit::textChanged, this, [this, e] { Edit1Change(e); });
        return e;
    };

    Label70 = label("Label70", "Состав сырья и катализата, % вес.", 12, 6, 400);
    QFont bold = Label70->font();
    bold.setBold(true);
    Label70->setFont(bold);

    // Three column groups of 23 components: caption, feed, catalyzate.
    for (int g = 0; g < 3; ++g) {
        const int x = 12 + g * kGroupWidth;
        label(QStringLiteral("Label%1").arg(71 + g), "Сырье", x + 128, kTop - 24, 60)->setAlignment(Qt::AlignCenter);
        label(QStringLiteral("Label%1").arg(74 + g), "Катализат", x + 186, kTop - 24, 66)->setAlignment(Qt::AlignCenter);
    }
    for (int k = 1; k <= 69; ++k) {
        const int g = (k - 1) / kRowsPerGroup;
        const int row = (k - 1) % kRowsPerGroup;
        const int x = 12 + g * kGroupWidth;
        const int y = kTop + row * kRowHeight;
        captions[static_cast<size_t>(k - 1)] = label(QStringLiteral("Label%1").arg(k), QString::fromUtf8(kCaptions[k - 1]), x, y + 1, 126);
        // Six typed characters: two integer digits, a point, three decimals.
        LimitTypedLength(edit(k, "00.000", x + 130, y, 52), 6);
        LimitTypedLength(edit(69 + k, "00.000", x + 192, y, 52), 6);
    }

    const int tailTop = kTop + kRowsPerGroup * kRowHeight + 10;
    Label77 = label("Label77", "Фракционный состав и плотность  для введенного углеводородного состава сырья, в 0С", 12,
                    tailTop, 700);
    for (int i = 0; i < 6; ++i) {
        const int x = 12 + i * 128;
        label(kTailLabelNames[i], QString::fromUtf8(kTailCaptions[i]), x, tailTop + 28, 60)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edit(kTailNumbers[i], "0", x + 64, tailTop + 27, 56);
    }

    const int sumTop = tailTop + 64;
    label("Label80", "Сумма сырья:", 12, sumTop, 110);
    SumSir = label("SumSir", QString(), 124, sumTop, 90);
    label("Label86", "Сумма катализата:", 240, sumTop, 130);
    SumKat = label("SumKat", QString(), 372, sumTop, 90);
    SumSir->setFont(bold);
    SumKat->setFont(bold);

    const int buttonTop = sumTop + 36;
    Button3 = NamedButton(this, "Button3", "Открыть");
    Button2 = NamedButton(this, "Button2", "Сохранить как");
    Button2->setToolTip("Сохранить данные в файл");
    Button1 = NamedButton(this, "Button1", "Далее");
    Button1->setToolTip("Выход из окна с составом сырья и катализата");
    const int right = width() - 12;
    Button1->setGeometry(right - X(120), buttonTop, X(120), 30);
    Button2->setGeometry(right - 2 * X(120) - 8, buttonTop, X(120), 30);
    Button3->setGeometry(right - 3 * X(120) - 16, buttonTop, X(120), 30);
    ConnectHandler(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    ConnectHandler(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    ConnectHandler(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });

    changed_ = false;
    ShowSums();
}

QLineEdit* TForm9::Edit(int n) const {
    if (n < 1 || n > 145) return nullptr;
    return edits_[static_cast<size_t>(n)];
}

QLineEdit* TForm9::TailEdit(int index) const {
    if (index < 0 || index >= 6) return nullptr;
    return edits_[static_cast<size_t>(kTailNumbers[index])];
}

int TForm9::NumberOf(const QLineEdit* edit) const {
    for (int n = 1; n <= 145; ++n) {
        if (edits_[static_cast<size_t>(n)] == edit) return n;
    }
    return 0;
}

bool TForm9::IsFeedField(const QLineEdit* edit) const {
    const int n = NumberOf(edit);
    return n >= 1 && n <= 69;
}

bool TForm9::IsComponentField(const QLineEdit* edit) const {
    const int n = NumberOf(edit);
    return n >= 1 && n <= 138;
}

// The typing check of every field: only the strict reading ("." as the
// decimal point) survives typing; the character where it fails is removed.
void TForm9::Edit1Change(QLineEdit* edit) {
    // Texts the program puts in (data selection fills every field) are no
    // change of the user's: the working configuration asks about saving
    // only after typing.
    if (DescribedConfiguration() || edit->isModified()) changed_ = true;
    if (filtering_) return;
    FilterToStrict(edit, filtering_);
}

bool TForm9::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && IsComponentField(edit)) {
        if (event->type() == QEvent::FocusIn) {
            if (entered_ != edit) {
                // A leave that came with a change of window (none was seen) ends here.
                if (entered_) LeaveField(entered_);
                EnterField(edit);
            }
        } else if (event->type() == QEvent::FocusOut) {
            // Focus lost to another window (a message box) is not a leave.
            auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && entered_ == edit) {
                LeaveField(edit);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm9::EnterField(QLineEdit* edit) {
    entered_ = edit;
    double& sum = IsFeedField(edit) ? feedSum_ : catalyzateSum_;
    try {
        sum -= TextToNumber(edit->text().toStdString());
    } catch (const std::exception& e) {
        ShowSums();
        ui::ShowError(this, QString::fromUtf8(e.what()));
        return;
    }
    ShowSums();
}

void TForm9::LeaveField(QLineEdit* edit) {
    entered_ = nullptr;
    double& sum = IsFeedField(edit) ? feedSum_ : catalyzateSum_;
    try {
        sum += TextToNumber(edit->text().toStdString());
    } catch (const std::exception& e) {
        ShowSums();
        ui::ShowError(this, QString::fromUtf8(e.what()));
        return;
    }
    ShowSums();
}

void TForm9::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window restored from the task bar is not shown anew.
    if (!event->spontaneous()) {
        try {
            FormShow();
        } catch (const std::exception& e) {
            ui::ShowError(this, QString::fromUtf8(e.what()));
        }
    }
}

// The sums of lines 1 to 68 of each stream. Line 69 (of which aromatics) is
// a part of line 68 and is left out.
void TForm9::FormShow() {
    double feed = 0, catalyzate = 0;
    for (int k = 1; k <= 68; ++k) {
        feed += TextToNumber(Edit(k)->text().toStdString());
        catalyzate += TextToNumber(Edit(69 + k)->text().toStdString());
    }
    feedSum_ = feed;
    catalyzateSum_ = catalyzate;
    // The field the user is in is out of its sum until it is left.
    entered_ = nullptr;
    if (auto* focused = qobject_cast<QLineEdit*>(focusWidget()); focused && focused->hasFocus() && IsComponentField(focused)) {
        EnterField(focused);
    }
    ShowSums();
}

void TForm9::ShowSums() {
    auto show = [](QLabel* label, double sum) {
        label->setText(QString::fromStdString(FormatFixedPrecision(sum, 6, 3, Regional().decimalSeparator)));
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, std::fabs(sum - 100.0) > 1.0 ? Qt::red : Qt::black);
        label->setPalette(p);
    };
    show(SumSir, feedSum_);
    show(SumKat, catalyzateSum_);
}

void TForm9::SetTexts(const CompositionTexts& texts) {
    for (int k = 1; k <= 138; ++k) Edit(k)->setText(QString::fromStdString(texts.values[static_cast<size_t>(k - 1)]));
    for (int i = 0; i < 6; ++i) TailEdit(i)->setText(QString::fromStdString(texts.tail[static_cast<size_t>(i)]));
}

// "Далее": unsaved changes are offered for saving, then back to the main window.
void TForm9::Button1Click() {
    if (changed_ && ui::AskYesNo(this, "Warning", "Сохранить изменения")) Button2Click();
    hide();
    if (W().form5) W().form5->ReturnToMainWindow();
}

// "Сохранить как": every field is read before the file is touched, so a
// field that is no number leaves an existing file as it was.
void TForm9::Button2Click() {
    const QString chosen = ui::ChooseSaveFile(this, "Сохранение файла", NativePath(Context().plantFolder),
                                              "Состав сырья и катализата (*.sk)", "sk");
    if (!chosen.isEmpty()) {
        const SavePath split = SplitSavePath(chosen.toStdString());
        const std::string path = split.folder + "\\" + split.name + ".sk";
        CompositionRecord record;
        for (int k = 1; k <= 69; ++k) {
            record.feed[static_cast<size_t>(k - 1)] = TextToNumber(Edit(k)->text().toStdString());
            record.catalyzate[static_cast<size_t>(k - 1)] = TextToNumber(Edit(69 + k)->text().toStdString());
        }
        // The tail by the strict reading; what it rejects even after the
        // typing check (an empty field, a lone "-", an unfinished exponent)
        // is written as 0.
        std::array<double, 6> tail{};
        for (int i = 0; i < 6; ++i) {
            double v = 0;
            if (ParseStrictNumber(TailEdit(i)->text().toStdString(), v, '.')) tail[static_cast<size_t>(i)] = v;
        }
        for (int i = 0; i < 5; ++i) record.fraction[static_cast<size_t>(i)] = tail[static_cast<size_t>(i)];
        record.density = tail[5];
        SaveCompositionFile(record, path);
    }
    changed_ = false;
}

// "Открыть": any composition file, either writing style.
void TForm9::Button3Click() {
    const QString file = ui::ChooseOpenFile(this, QString(), NativePath(Context().plantFolder), "Сырье (*.sk)");
    if (file.isEmpty()) return;
    const CompositionTexts texts = ReadCompositionFile(file.toStdString());
    SetTexts(texts);
    changed_ = false;
    FormShow();
}

}  // namespace rw
