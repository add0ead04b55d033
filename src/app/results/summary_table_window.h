#pragma once
#include <QDialog>

namespace rw {

class Tsvod : public QDialog {
    Q_OBJECT
public:
    explicit Tsvod(QWidget* parent = nullptr);
};

}  // namespace rw
