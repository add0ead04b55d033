#pragma once
#include <QDialog>

#include <array>

#include "composition/component_list.h"

class QLabel;
class QListWidget;
class QLineEdit;
class QPushButton;
class QGroupBox;
class QRadioButton;
class QMovie;

namespace rw {

class ComponentResolver;

// The component list editor: the component lists of one sampling date are
// entered stream by stream (feed, catalyzate, side cut); after the last
// stream the composition file is formed.
class Tbasadan : public QDialog {
    Q_OBJECT
public:
    explicit Tbasadan(QWidget* parent = nullptr);

    // Opened by the conditions form's data-entry save: feed first, with the
    // feed flow typed in the conditions form.
    void StartDataEntry(const QString& feedFlowText);

    // The resolver that puts unknown components to the user; the window
    // tests replace it with scripted answers. Not owned.
    void SetResolver(ComponentResolver* resolver) { resolver_ = resolver; }
    ComponentResolver* Resolver() const { return resolver_; }

    // A data entry whose lists and composition file were stored without the
    // editor's steps (the sample chain): the editor closes as after its last
    // "Далее"; the main window is not shown.
    void EndDataEntry();

    // Per-stream density and volume flow stored by "Далее" (index 0..2).
    static constexpr std::array<double, 3> kFreshDensities{0.73, 0.73, 0.73};
    std::array<double, 3> densities = kFreshDensities;
    std::array<double, 3> flows{0, 0, 0};

    ComponentList& list() { return list_; }

    QLabel* Prob;
    QListWidget* List;
    QLineEdit* Subst;
    QLineEdit* weight;
    QLabel* Label14;
    QLabel* Sum;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLineEdit* F1;
    QLineEdit* F2;
    QLineEdit* F3;
    QLineEdit* F4;
    QLineEdit* F5;
    QLabel* Label7;
    QLineEdit* F6;
    QLabel* Label8;
    QLineEdit* F7;
    QPushButton* BitBtn1;
    QPushButton* Button1;
    QPushButton* Next;
    QPushButton* BitBtn2;
    QPushButton* cans;
    QGroupBox* Cod;
    QRadioButton* CodWindows;
    QRadioButton* CodDos;
    QLabel* Animate1;

public slots:
    void FormShow();
    void ListClick();
    void SubstChange();
    void SubstExit();
    void weightexit();
    void Button1Click();
    void SaveClick();
    void cansClick();
    // "Далее". Errors are shown here, as the user sees them; the result
    // tells a caller that clicks on (the welcome pipeline) whether to go on.
    bool NextClick();
    // The "Открыть" action; `starter` is the control that started it
    // (the welcome pipeline passes Next for the feed sample). False when it
    // failed (the message has been shown).
    bool BitBtn1Click(QObject* starter = nullptr);
    void CodClick();

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void SetCode();
    void RefreshList();
    void LoadSelectedLine();
    void ShowSum();
    void ShowFractionFields(bool visible);
    bool FinishDataEntry();
    QString Display(const std::string& bytes) const;
    std::string Bytes(const QString& text) const;

    ComponentList list_;
    ComponentResolver* resolver_ = nullptr;
    bool dos_ = false;
    bool inNext_ = false;
};

}  // namespace rw
