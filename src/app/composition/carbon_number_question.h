#pragma once
#include <QDialog>

namespace rw {

class TFormb4 : public QDialog {
    Q_OBJECT
public:
    explicit TFormb4(QWidget* parent = nullptr);
};

}  // namespace rw
