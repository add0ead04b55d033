#pragma once
#include <QDialog>

namespace rw {

class TNewReportForm : public QDialog {
    Q_OBJECT
public:
    explicit TNewReportForm(QWidget* parent = nullptr);
};

}  // namespace rw
