#pragma once
#include <QDialog>

namespace rw {

class TGraph : public QDialog {
    Q_OBJECT
public:
    explicit TGraph(QWidget* parent = nullptr);
};

}  // namespace rw
