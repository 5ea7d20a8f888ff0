#pragma once
// The Compare States window (frmCompareStates): this paycheck in every
// state as a table, sortable by any column, a bar chart of the state tax in
// the table's order, and commands that make a row the calculator's state,
// print the table or save it as PDF.

#include <QWidget>

#include <functional>

#include "app/app_context.h"
#include "forms/tools/logic/compare_states_model.h"
#include "print/logic/statement_builder.h"
#include "ui/document_output.h"

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QTableWidget;

namespace wm {

class CompareStatesWindow : public QWidget {
    Q_OBJECT

public:
    explicit CompareStatesWindow(AppContext& ctx, QWidget* parent = nullptr);

    const CompareStatesModel& model() const { return model_; }
    QTableWidget* table() const { return tblStates_; }

    void refresh();
    // Sorted by a column as a click on its heading: again on the same one
    // turns the order round.
    void sortBy(int column);
    // The current row becomes the calculator's state (Enter, double-click).
    void useCurrentRow();
    void print();
    void preview();
    void saveAsPdf();
    bool savePdf(const QString& path);

    std::function<bool(QPrinter&)>& choosePrinter = output_.choosePrinter;
    std::function<QString()>& choosePdfPath = output_.choosePdfPath;

protected:
    bool event(QEvent* e) override;

private:
    QWidget* buildCommands();
    void display();
    PrintDocument document() const;
    Printable printable() const;

    AppContext& ctx_;
    CompareStatesModel model_;
    DocumentOutput output_;
    QLabel* lblMessage_ = nullptr;
    QLabel* lblHow_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QComboBox* cboSort_ = nullptr;
    QTableWidget* tblStates_ = nullptr;
    QWidget* chart_ = nullptr;
    QPushButton* cmdUse_ = nullptr;
    QPushButton* cmdPreview_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    QPushButton* cmdSavePdf_ = nullptr;
};

}  // namespace wm
