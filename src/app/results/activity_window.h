#pragma once
#include <QDialog>

namespace rw {

class TM_A : public QDialog {
    Q_OBJECT
public:
    explicit TM_A(QWidget* parent = nullptr);
};

}  // namespace rw
