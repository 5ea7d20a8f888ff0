#pragma once
// The Year Check window (frmYearCheck): the year as a table, one sentence,
// the chart of withholding by allowance count, and commands that put the
// advice on the calculator or on Form W-4, print it or save it as PDF.

#include <QWidget>

#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "app/app_context.h"
#include "forms/tools/logic/year_check_model.h"
#include "print/logic/statement_builder.h"
#include "ui/document_output.h"

class QBoxLayout;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

namespace wm {

class YearChart;

class YearCheckWindow : public QWidget {
    Q_OBJECT

public:
    explicit YearCheckWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~YearCheckWindow() override;

    const YearCheckModel& model() const { return model_; }

    // The commands, as their buttons run them.
    void applyAdvice();
    void fillW4();
    void print();
    void saveAsPdf();
    // The print preview of the Year Check as a window of its own (Esc closes it).
    void preview();
    // That window, not yet shown.
    QWidget* makePreview();
    // Writes the document to `path`; false (and a message naming the file
    // and the reason) when it could not be written.
    bool savePdf(const QString& path);

    // How a printer and a PDF file name are chosen; dialogs unless replaced
    // (tests). An empty file name cancels.
    std::function<bool(QPrinter&)>& choosePrinter = output_.choosePrinter;
    std::function<QString()>& choosePdfPath = output_.choosePdfPath;

protected:
    bool event(QEvent* e) override;

private:
    // A field with its caption; `applies` false hides both.
    struct EntryPair {
        QLabel* label;
        QWidget* field;
        bool applies = true;
    };
    struct EntryGroup {
        QGridLayout* grid = nullptr;
        std::vector<EntryPair> pairs;
    };

    static void fillGroup(EntryGroup& group, QWidget* box, std::initializer_list<std::pair<QString, QWidget*>> fields);
    void buildHeading(QVBoxLayout* body);
    QWidget* buildEntries();
    QWidget* buildSoFar();
    QWidget* buildCommands();
    QBoxLayout* buildResults();
    void buildPage(QVBoxLayout* body, QWidget* commands);
    // A field kept as typed; read when the user leaves it or presses Enter.
    QLineEdit* amountField(const char* name, const QString& text, const QString& tip, QWidget* parent);
    // The entries that apply, `columns` pairs across; the whole page to `width`.
    void placeEntries(int columns, bool force = false);
    static void layOut(EntryGroup& group, int columns);
    void arrange(int width);
    // Shows the fields that apply now, with the defaults the blank ones stand for.
    void showApplicable();
    void entriesChanged();
    // The field of an entry, or null (the calculator's income).
    QLineEdit* fieldOf(Input entry) const;
    // Back to the refused field when the focus went elsewhere in this window.
    void keepFocusOnRefused();
    void refresh();
    void display();
    // What the last Save as PDF or Print did; nothing shows for "".
    void showStatus(const QString& text);
    // The year on paper, and as the printer and the PDF file take it.
    PrintDocument document() const;
    Printable printable() const;

    AppContext& ctx_;
    YearCheckModel model_;
    DocumentOutput output_;
    QComboBox* cboFiling_ = nullptr;
    QLineEdit* txtReturnExemptions_ = nullptr;
    QLineEdit* txtChildren_ = nullptr;
    QLineEdit* txtOtherIncome_ = nullptr;
    QLineEdit* txtItemized_ = nullptr;
    QLineEdit* txtSpouseWages_ = nullptr;
    QLineEdit* txtSpouseWithheld_ = nullptr;
    QLineEdit* txtPaid_ = nullptr;
    QLineEdit* txtWagesSoFar_ = nullptr;
    QLineEdit* txtWithheldSoFar_ = nullptr;
    QLineEdit* txtStateSoFar_ = nullptr;
    QLineEdit* txtSocialSecuritySoFar_ = nullptr;
    QLabel* lblSentence_ = nullptr;
    QLabel* lblMessage_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QTableWidget* tblYear_ = nullptr;
    YearChart* chart_ = nullptr;
    QPushButton* cmdApply_ = nullptr;
    QPushButton* cmdW4_ = nullptr;
    QPushButton* cmdPreview_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    QPushButton* cmdSavePdf_ = nullptr;
    EntryGroup returnGroup_;
    EntryGroup soFarGroup_;
    int entryColumns_ = 0;
    QBoxLayout* results_ = nullptr;
    int minTableWidth_ = 0;
};

}  // namespace wm
