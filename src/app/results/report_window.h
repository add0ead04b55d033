#pragma once
#include <QDialog>

namespace rw {

class TFRep : public QDialog {
    Q_OBJECT
public:
    explicit TFRep(QWidget* parent = nullptr);
};

}  // namespace rw
