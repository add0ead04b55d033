#pragma once
#include <QDialog>

namespace rw {

class TAdvice : public QDialog {
    Q_OBJECT
public:
    explicit TAdvice(QWidget* parent = nullptr);
};

}  // namespace rw
