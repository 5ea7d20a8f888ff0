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

class QFormLayout;
class QHBoxLayout;

namespace wm {

class ClickLabel;
class VerticalScroll;

// The command row's buttons (cmdToolBar_0 .. cmdToolBar_7), by what they do.
enum class MainCommand {
    Calculate, PrintPreview, Print, Clear, Calculator, WordProcessor, Calendar, Exit,
    KeepComparison, ClearComparison,
};
inline constexpr std::size_t kMainCommandCount = 10;

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
    void calculateInState(int state) override;
    void keepForComparison(bool keep) override;

    // Commands, as the buttons run them.
    void calculate();
    void toolBarClicked(MainCommand command);
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
    // The window's parts, in the order they are made; Tab takes them in
    // that order (`chainTabOrder`).
    void build();
    QFrame* buildEntries();
    void addRow(QFormLayout* form, const QString& label, QWidget* field);
    void addAmountRows(QFormLayout* form, QWidget* inputs);
    void addStateRow(QFormLayout* form, QWidget* inputs);
    void addExemptionsRow(QFormLayout* form, QWidget* inputs);
    void addFrequencyRow(QFormLayout* form, QWidget* inputs);
    void addStatusRow(QFormLayout* form, QWidget* inputs);
    QHBoxLayout* buildAdditionalButtons(QWidget* inputs);
    QFrame* buildResults();
    void buildGrid(QWidget* results);
    void buildNotices(QWidget* results);
    void buildExplanation(QWidget* results);
    QFrame* buildCommandRow();
    void offerWhatThisBuildHas();
    void buildPage(QFrame* commands);
    void connectEvents();
    QToolButton* button(MainCommand c) const;
    // The field of a refused entry; null for an input this window lacks.
    QWidget* entryOf(Input input) const;

    void readFields();    // widget texts into the model
    // Typed texts into the model, the model's command, the model back out.
    void act(const std::function<void()>& f);
    void showModel();     // model into the widgets
    void showEntries();
    void showGrid();
    void showExplanationSteps();
    void showCommands();
    void showExplanation();
    // The page scrolled so that the whole result grid is in view.
    void resultsIntoView();
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
    std::array<QToolButton*, kMainCommandCount> cmdToolBar_{};
    std::array<QPushButton*, 2> cmdAdditional_{};
    QToolButton* cmdRotatePic_;
    QTableWidget* dbgDisplay_;
    ClickLabel* lblStatePgInst_;
    QLabel* lblOptionsHint_;
    QLabel* lblModified_;
    QLabel* lblNotice_;
    QToolButton* cmdExplain_;
    QTextBrowser* lstExplain_;
    QFrame* inputs_;
    QFrame* results_;
    VerticalScroll* scrPage_ = nullptr;
    QGridLayout* columns_;
    bool wide_ = true;
    bool columnsPlaced_ = false;

    QPixmap background_;
    int backgroundPic_ = 0;
};

}  // namespace wm
