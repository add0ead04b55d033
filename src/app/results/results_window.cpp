#include "results/results_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "results/activity_window.h"
#include "results/comparison_window.h"
#include "results/report_window.h"
#include "runs/advice_window.h"
#include "runs/feed_info_window.h"
#include "shell/form_fields.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

QString DisplayLines(const QString& text) {
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

TNewReportForm::TNewReportForm(QWidget* parent) : QDialog(parent) {
    setObjectName("NewReportForm");
    setWindowTitle("Результаты расчета");
    SetFrameWithoutIcons(this);

    Label1 = NamedLabel(this, "Label1", QString());
    QFont headline = Label1->font();
    headline.setBold(true);
    headline.setPixelSize(19);
    Label1->setFont(headline);
    QPalette navy = Label1->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label1->setPalette(navy);
    Label1->setAlignment(Qt::AlignCenter);

    Label2 = NamedLabel(this, "Label2", QString());
    QPalette black = Label2->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Label2->setPalette(black);
    Label2->setWordWrap(true);
    Label2->setMinimumWidth(660);

    GroupBox1 = new QGroupBox("Подробнее", this);
    GroupBox1->setObjectName("GroupBox1");
    auto button = [this](const char* name, const QString& caption) {
        auto* b = NamedButton(GroupBox1, name, caption);
        return b;
    };
    Button1 = button("Button1", "Просмотр файла результатов");
    Button2 = button("Button2", "Рекомендации");
    Button3 = button("Button3", "Сравнение результатов");
    Button4 = button("Button4", "Информация о сырье");
    Button5 = button("Button5", "Металлич. и кислотн. активность");
    Button6 = button("Button6", "Закрыть");
    auto* group = new QGridLayout(GroupBox1);
    group->addWidget(Button1, 0, 0);
    group->addWidget(Button2, 0, 1);
    group->addWidget(Button3, 0, 2);
    group->addWidget(Button4, 1, 0);
    group->addWidget(Button5, 1, 1);
    group->addWidget(Button6, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addSpacing(6);
    layout->addWidget(Label2);
    layout->addSpacing(6);
    layout->addWidget(GroupBox1);
    CentreOnScreen(this);

    ConnectHandler(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    ConnectHandler(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    ConnectHandler(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    ConnectHandler(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    ConnectHandler(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(Button6, &QPushButton::clicked, this, &TNewReportForm::Button6Click);
}

void TNewReportForm::ShowSummary(const QString& headline, const QString& summary) {
    SetTexts(headline, summary);
    ui::ExecModal(this);
}

void TNewReportForm::SetTexts(const QString& headline, const QString& summary) {
    Label1->setText(headline);
    Label2->setText(DisplayLines(summary));
}

void TNewReportForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TNewReportForm::FormShow() { Button6->setFocus(); }

// The same as the main menu's "Результаты расчета".
void TNewReportForm::Button1Click() { ViewLatestResults(); }

void TNewReportForm::Button2Click() { ui::ExecModal(W().advice); }

void TNewReportForm::Button3Click() { ui::ExecModal(W().form12); }

void TNewReportForm::Button4Click() { ui::ExecModal(W().form30); }

// The metal and acid activity window: its research column is shown as the
// activity window keeps it.
void TNewReportForm::Button5Click() { ui::ExecModal(W().m_A); }

void TNewReportForm::Button6Click() { accept(); }

}  // namespace rw
