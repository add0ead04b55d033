#pragma once
#include <QDialog>

namespace rw {

class TForm11 : public QDialog {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);
};

}  // namespace rw
