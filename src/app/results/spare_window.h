#pragma once
#include <QDialog>

namespace rw {

class TForm15 : public QDialog {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr);
};

}  // namespace rw
