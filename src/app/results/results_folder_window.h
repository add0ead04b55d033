#pragma once
#include <QDialog>

namespace rw {

class TTreeF : public QDialog {
    Q_OBJECT
public:
    explicit TTreeF(QWidget* parent = nullptr);
};

}  // namespace rw
