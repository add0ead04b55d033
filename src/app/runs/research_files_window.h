#pragma once
#include <QDialog>

namespace rw {

class TResF : public QDialog {
    Q_OBJECT
public:
    explicit TResF(QWidget* parent = nullptr);
};

}  // namespace rw
