#pragma once
#include <QDialog>

namespace rw {

class TForm17 : public QDialog {
    Q_OBJECT
public:
    explicit TForm17(QWidget* parent = nullptr);
};

}  // namespace rw
