#pragma once
#include <QDialog>

#include <vector>

#include "composition/component_database.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace rw {

class ResolutionChain;

// "Уточнение названия компонента": the model component a new substance is
// counted under, chosen among the candidates of its group and carbon number.
class TAddSub : public QDialog {
    Q_OBJECT
public:
    explicit TAddSub(QWidget* parent = nullptr);
    // Offers the chain's candidates; every one is listed, also beyond 21 (the list scrolls).
    void Ask(ResolutionChain* chain);
    void reject() override {}

    QLabel* ima;
    QLabel* Label1;
    QListWidget* List;
    QPushButton* Button1;

public slots:
    void Button1Click();

private:
    ResolutionChain* chain_ = nullptr;
};

}  // namespace rw
