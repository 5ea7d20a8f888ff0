#pragma once
// The main calculator window (frmMain): a thin Qt window over
// MainFormModel. Widgets carry the form's control names; control arrays are
// named name_index ("cmdToolBar_0" .. "cmdToolBar_7", "cmdAdditional_0",
// "optStatus_2").

#include <QPixmap>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "forms/main/logic/main_form_model.h"
#include "forms/main/ui/desktop_apps.h"
#include "ui/main_hooks.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QToolButton;
class QGridLayout;
class QFrame;
class QTextBrowser;

namespace wm {

class ClickLabel;

class MainForm final : public QWidget, public MainCalculatorHooks {
    Q_OBJECT
public:
    explicit MainForm(AppContext& ctx, QWidget* parent = nullptr);
    ~MainForm() override;

    MainFormModel& model() { return model_; }

    // MainCalculatorHooks (the shell).
    void proClear() override;
    void properPicture() override;
    void setStateHintVisible(bool visible) override;
    void receiveIncome(const std::string& incomeText, int howOft) override;
    void calculateWithExemptions(int count) override;

    // Commands, as the buttons run them.
    void calculate();
    void toolBarClicked(int index);
    void openLocalTax();
    void openRaise();
    // Form_Activate (the shell's child window became active).
    void activate();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void build();
    void readFields();    // widget texts into the model
    // Typed texts into the model, the model's command, the model back out.
    void act(const std::function<void()>& f);
    void showModel();     // model into the widgets
    void showExplanation();
    // Entries and results side by side (wide) or one under the other.
    void placeColumns(bool wide);
    void openMisc(int page);
    void startProgram(const std::optional<DesktopProgram>& program, const QString& what);

    MainFormModel model_;
    std::optional<DesktopProgram> calculator_, wordProcessor_;
    bool activationHooked_ = false;

    QLineEdit* txtIncome_;
    QLineEdit* txtHours_;
    QLineEdit* txt401k_;
    QLabel* lbl401kHint_;  // "0.5 = 50 %"
    QLineEdit* txtPreTax_;
    QLineEdit* txtPreFICA_;
    QComboBox* cboState_;
    QComboBox* cboExemptions_;
    QListWidget* lstFrequency_;
    QButtonGroup* optStatus_;
    QLabel* lblStatus_;
    QCheckBox* chkSelfEmployed_;
    std::array<QToolButton*, 8> cmdToolBar_{};
    std::array<QPushButton*, 2> cmdAdditional_{};
    QToolButton* cmdRotatePic_;
    QTableWidget* dbgDisplay_;
    ClickLabel* lblStatePgInst_;
    QLabel* lblModified_;
    QLabel* lblNotice_;
    QToolButton* cmdExplain_;
    QTextBrowser* lstExplain_;
    QFrame* inputs_;
    QFrame* results_;
    QGridLayout* columns_;
    bool wide_ = true;
    bool columnsPlaced_ = false;

    QPixmap background_;
    int backgroundPic_ = 0;
};

}  // namespace wm
