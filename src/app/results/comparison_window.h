#pragma once
#include <QDialog>

namespace rw {

class TForm12 : public QDialog {
    Q_OBJECT
public:
    explicit TForm12(QWidget* parent = nullptr);
};

}  // namespace rw
