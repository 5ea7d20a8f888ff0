#pragma once
// The state options dialog (frmState): a child window of the main window
// over StateOptionsModel. Control arrays are named name_index
// ("op3Marital_0" .. "op3Marital_9", "optRateSelect_0", "cboDeps_1",
// "chkExemp_0").

#include <QWidget>
#include <array>

#include "forms/main/logic/state_options_model.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace wm {

class StateOptionsForm final : public QWidget {
    Q_OBJECT
public:
    explicit StateOptionsForm(AppContext& ctx, QWidget* parent = nullptr);
    ~StateOptionsForm() override;
    StateOptionsModel& model() { return model_; }

    // cmdAccept: keeps the options; false when an entry was refused.
    bool acceptOptions();
    void activate();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QLabel* buildStateChoice();
    QGroupBox* buildStatusPanel();
    QGroupBox* buildRatePanel();
    QWidget* buildEntries();
    void addDependentsRow(QGridLayout* form, QWidget* entries);
    void addSpecialRow(QGridLayout* form, QWidget* entries);
    void addAmountRows(QGridLayout* form, QWidget* entries);
    void addDeductBox(QGridLayout* form, QWidget* entries);
    void buildAcceptButton();
    QFrame* buildHeader(QLabel* stateLabel);
    void buildPage(QFrame* header);
    void connectEvents();
    void readFields();
    void showModel();
    // The option panels in 3, 2 or 1 columns.
    void placePanels(int columns);

    AppContext& ctx_;
    StateOptionsModel model_;
    bool accepted_ = false;
    bool activationHooked_ = false;
    QComboBox* cboState_;
    std::array<QRadioButton*, StateOptionsModel::kStatusCount> op3Marital_{};
    QLabel* lblStatusNote_;
    std::array<QRadioButton*, StateOptionsModel::kRateCount> optRateSelect_{};
    std::array<QComboBox*, 2> cboDeps_{};
    QComboBox* cboSpecialDeps_;
    QLabel* lblSpecialDeps_;
    QLabel* lblSpecialNote_;  // why a state has no special list (Michigan)
    QLineEdit* mskAdditional_;
    QLabel* lblAdditional_;
    QLineEdit* mskMissSpouseEmp_;
    QLabel* lblMissSpouse_;
    std::array<QCheckBox*, 2> chkExemp_{};
    QLabel* lblExplain_;
    QPushButton* cmdAccept_;
    QWidget* status_ = nullptr;
    QWidget* rates_ = nullptr;
    QWidget* entries_ = nullptr;
    QGridLayout* panels_ = nullptr;
    int columns_ = 0;
};

}  // namespace wm
