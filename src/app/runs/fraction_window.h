#pragma once
#include <QDialog>

namespace rw {

class Tfrak1 : public QDialog {
    Q_OBJECT
public:
    explicit Tfrak1(QWidget* parent = nullptr);
};

}  // namespace rw
