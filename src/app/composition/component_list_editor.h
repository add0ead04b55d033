#pragma once
#include <QDialog>

namespace rw {

class Tbasadan : public QDialog {
    Q_OBJECT
public:
    explicit Tbasadan(QWidget* parent = nullptr);
};

}  // namespace rw
