#pragma once
#include <QDialog>

namespace rw {

class TAddSub : public QDialog {
    Q_OBJECT
public:
    explicit TAddSub(QWidget* parent = nullptr);
};

}  // namespace rw
