#pragma once
// The print window (frmPrint): the pay statement or the pay analysis in a
// print preview that can be zoomed, printed and saved as PDF; the same
// preview serves a document another window made (the Year Check).
//
// `FromForm` picks the document (0 statement, 1 analysis) and `intAction`
// whether it is printed as soon as it is built (2) or only previewed (1).
// The Print command sets `intAction` to 2 and builds the document again.
// Once printed, `intAction` is back at 1. Brought forward while open, the
// window prints when `intAction` asks again and refreshes the statement
// when the calculation changed.

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "app/app_context.h"
#include "print/logic/statement_builder.h"
#include "ui/document_output.h"

class QLabel;
class QPrintPreviewWidget;
class QPushButton;
class QSlider;

namespace wm {

// A document of table text as the one print-and-save helper prints it and
// saves it as a PDF named `title`.
Printable printableDocument(PrintDocument doc, QString title);

class PrintWindow : public QWidget {
    Q_OBJECT

public:
    explicit PrintWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~PrintWindow() override;

    // The figures an open analysis view shows (for FromForm 1).
    void setAnalysis(const Analysis& a) { model_.setAnalysis(a); }

    // subMakePrint: the document of FromForm into the preview, then to the
    // printer when intAction is 2 or the document is the analysis. False
    // when no document was built.
    bool makePrint();
    // cmdPrintMenu 0: intAction = 2, then the document again, printed.
    void printCommand();
    // Previews a document another window made (the Year Check) instead of
    // one of FromForm: Print prints it as it stands, titled `title`.
    void showDocument(const PrintDocument& doc, const QString& title);

    const std::optional<PrintDocument>& document() const { return document_; }
    PrintModel& model() { return model_; }

    // How a printer and a PDF file name are chosen; the print dialog and the
    // save dialog unless replaced (tests). An empty file name cancels.
    std::function<bool(QPrinter&)>& choosePrinter = output_.choosePrinter;
    std::function<QString()>& choosePdfPath = output_.choosePdfPath;

    static constexpr int kMinZoom = 25;
    static constexpr int kMaxZoom = 400;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* e) override;

private:
    void cmdPrintMenuClick(int index);
    void saveAsPdf();
    void zoom(int percent);
    void sendToPrinter();
    void closeWindow();
    void activated();
    // The document shown, as the printer and the PDF file take it.
    Printable printable() const;

    AppContext& ctx_;
    PrintModel model_;
    DocumentOutput output_;
    std::optional<PrintDocument> document_;
    std::unique_ptr<QPrinter> previewPrinter_;
    QPrintPreviewWidget* vsPrinter1_ = nullptr;
    QSlider* scrPrint_ = nullptr;
    QLabel* lblPercent_ = nullptr;
    QPushButton* cmdPrintMenu_[2] = {nullptr, nullptr};
    QPushButton* cmdSavePdf_ = nullptr;
    bool zoomSet_ = false;
    bool busy_ = false;
    std::int16_t kind_ = 0;       // FromForm of the document shown
    bool given_ = false;          // a document another window made
    std::string lastStatement_;   // the statement's amounts when last built
};

}  // namespace wm
