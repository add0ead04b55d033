#pragma once
#include <QDialog>

namespace rw {

class TFormb3 : public QDialog {
    Q_OBJECT
public:
    explicit TFormb3(QWidget* parent = nullptr);
};

}  // namespace rw
