#pragma once
#include <QDialog>

namespace rw {

class TForm16 : public QDialog {
    Q_OBJECT
public:
    explicit TForm16(QWidget* parent = nullptr);
};

}  // namespace rw
