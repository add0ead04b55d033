#pragma once
#include <QDialog>

namespace rw {

class TFormb2 : public QDialog {
    Q_OBJECT
public:
    explicit TFormb2(QWidget* parent = nullptr);
};

}  // namespace rw
