#pragma once
#include <QMainWindow>

namespace rw {

class TForm5 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
};

}  // namespace rw
