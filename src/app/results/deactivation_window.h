#pragma once
#include <QDialog>

namespace rw {

class TRasDisAkt : public QDialog {
    Q_OBJECT
public:
    explicit TRasDisAkt(QWidget* parent = nullptr);
};

}  // namespace rw
