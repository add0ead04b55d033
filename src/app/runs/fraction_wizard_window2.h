#pragma once
#include <QDialog>

namespace rw {

class TForm18 : public QDialog {
    Q_OBJECT
public:
    explicit TForm18(QWidget* parent = nullptr);
};

}  // namespace rw
