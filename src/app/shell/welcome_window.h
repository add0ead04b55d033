#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace rw {

// The welcome window, the application's main window: it alone is shown at
// start, and closing it ends the program (it then emits finished(), which the
// start-up connects to the end of the event loop; a close() while it is
// hidden ends the program as well).
class TForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // Sets the base folder of the program context (program folder + "bin\sk").
    void FormCreate();
    // "Далее": in the working configuration the plant selection window; in
    // the described one the sample chain (RunSampleChain).
    void Button1Click();
    // "Пример" (working configuration) and the menu item of the same name:
    // the sample chain, the preset data preparation of the sample date.
    void Button3Click();
    // The sample chain (the welcome pipeline): plant row 11, its date
    // 01-09-09, data entry with the sample reports, composition file. In the
    // described configuration it ends the program; in the working one the
    // main window is shown with the sample date as the current data. Shows
    // the message of a failed step.
    void RunSampleChain();
    // "Выход": the exit confirmation, modally.
    void Button2Click();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;  // "Пример", working configuration only

public slots:
    // Escape does not end the program; only "Выход" or closing the window do.
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool ended_ = false;
};

}  // namespace rw
