#pragma once
// The Bonus Check window (frmBonusCheck): the bonus, the method and what
// applies to it; the calculator's grid for the bonus alone, the regular
// paycheck and the two together; how each bonus figure was reached; Print
// and Save as PDF.

#include <QWidget>

#include <functional>

#include "app/app_context.h"
#include "forms/tools/logic/bonus_check_model.h"
#include "print/logic/statement_builder.h"
#include "ui/document_output.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QTableWidget;

namespace wm {

class BonusCheckWindow : public QWidget {
    Q_OBJECT

public:
    explicit BonusCheckWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~BonusCheckWindow() override;

    const BonusCheckModel& model() const { return model_; }

    // The commands, as their buttons run them.
    void print();
    void saveAsPdf();
    // Writes the document to `path`; false (and a message naming the file
    // and the reason) when it could not be written.
    bool savePdf(const QString& path);

    // How a printer and a PDF file name are chosen; dialogs unless replaced
    // (tests). An empty file name cancels.
    std::function<bool(QPrinter&)>& choosePrinter = output_.choosePrinter;
    std::function<QString()>& choosePdfPath = output_.choosePdfPath;

protected:
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QWidget* buildEntries();
    QWidget* buildCommands();
    static QTableWidget* makeTable(int columns, const QStringList& headers, const QString& name, QWidget* parent);
    // Every row in view: the page scrolls, not the table.
    static void fitTable(QTableWidget* table);
    void entriesChanged();
    void refresh();
    void display();
    PrintDocument document() const;
    Printable printable() const;

    AppContext& ctx_;
    BonusCheckModel model_;
    DocumentOutput output_;
    QLineEdit* txtBonus_ = nullptr;
    QComboBox* cboMethod_ = nullptr;
    QCheckBox* chk401k_ = nullptr;
    QLineEdit* txtSSWages_ = nullptr;
    QLabel* lblMessage_ = nullptr;
    QLabel* lblMethod_ = nullptr;
    QLabel* lblStateLocal_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QLabel* lblHow_ = nullptr;
    QTableWidget* tblGrid_ = nullptr;
    QTableWidget* tblExplain_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    QPushButton* cmdSavePdf_ = nullptr;
};

}  // namespace wm
