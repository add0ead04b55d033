#pragma once
#include <QDialog>

namespace rw {

class TForm30 : public QDialog {
    Q_OBJECT
public:
    explicit TForm30(QWidget* parent = nullptr);
};

}  // namespace rw
