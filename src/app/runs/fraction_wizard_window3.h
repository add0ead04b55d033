#pragma once
#include <QDialog>

namespace rw {

class TForm19 : public QDialog {
    Q_OBJECT
public:
    explicit TForm19(QWidget* parent = nullptr);
};

}  // namespace rw
