#include "print/ui/print_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "print/render/document_renderer.h"

namespace wm {

namespace {
constexpr const char* kModule = "frmPrint";
}  // namespace


PrintWindow::PrintWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      model_(ctx.record, {ctx.state.FromForm, ctx.state.intAction, ctx.state.intHours}, ctx.settings, ctx.errors),
      output_(this, ctx.errors, kModule)
{
    ctx_.state.frmLoaded = formCode(FormId::Print);
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(tr("Print Preview"));

    previewPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    setupPage(*previewPrinter_);
    vsPrinter1_ = new QPrintPreviewWidget(previewPrinter_.get(), this);
    vsPrinter1_->setObjectName(QStringLiteral("vsPrinter1"));
    connect(vsPrinter1_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        QPainter p(printer);
        if (document_) renderDocument(*document_, p, *printer);
    });

    auto* resizeLabel = new QLabel(tr("Resize display"), this);
    scrPrint_ = new QSlider(Qt::Horizontal, this);
    scrPrint_->setObjectName(QStringLiteral("scrPrint"));
    scrPrint_->setRange(kMinZoom, kMaxZoom);
    scrPrint_->setSingleStep(5);
    scrPrint_->setPageStep(25);
    scrPrint_->setMinimumWidth(160);
    scrPrint_->setToolTip(tr("Drag to enlarge or reduce the page."));
    resizeLabel->setBuddy(scrPrint_);
    lblPercent_ = new QLabel(this);
    lblPercent_->setObjectName(QStringLiteral("lblPercent"));
    lblPercent_->setMinimumWidth(lblPercent_->fontMetrics().horizontalAdvance(QStringLiteral("400")));
    lblPercent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* percentSign = new QLabel(QStringLiteral("%"), this);
    connect(scrPrint_, &QSlider::valueChanged, this, &PrintWindow::zoom);

    cmdPrintMenu_[0] = new QPushButton(tr("P&rint..."), this);
    cmdPrintMenu_[0]->setObjectName(QStringLiteral("cmdPrintMenu_0"));
    cmdPrintMenu_[0]->setToolTip(tr("Print this document."));
    cmdPrintMenu_[1] = new QPushButton(tr("&Close"), this);
    cmdPrintMenu_[1]->setObjectName(QStringLiteral("cmdPrintMenu_1"));
    cmdPrintMenu_[1]->setToolTip(tr("Close the preview (Esc)."));
    // Esc closes the preview as its Close button does, wherever the focus is in it.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &PrintWindow::closeWindow);
    cmdSavePdf_ = new QPushButton(tr("Save as P&DF..."), this);
    cmdSavePdf_->setObjectName(QStringLiteral("cmdSavePdf"));
    cmdSavePdf_->setToolTip(tr("Save this document as a PDF file."));
    for (int i = 0; i < 2; ++i)
        connect(cmdPrintMenu_[i], &QPushButton::clicked, this, [this, i] { cmdPrintMenuClick(i); });
    connect(cmdSavePdf_, &QPushButton::clicked, this, &PrintWindow::saveAsPdf);

    auto* bar = new QHBoxLayout;
    bar->addWidget(resizeLabel);
    bar->addWidget(scrPrint_);
    bar->addWidget(lblPercent_);
    bar->addWidget(percentSign);
    bar->addStretch(1);
    bar->addWidget(cmdSavePdf_);
    bar->addWidget(cmdPrintMenu_[0]);
    bar->addWidget(cmdPrintMenu_[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(vsPrinter1_, 1);

    scrPrint_->setValue(100);
    zoom(100);
    resize(820, 760);
}

PrintWindow::~PrintWindow() { ctx_.state.frmLoaded = kNoFormCode; }

void PrintWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    vsPrinter1_->setVisible(true);
    if (zoomSet_) return;
    zoomSet_ = true;
    // The first view shows the page's full width, whatever the window's size;
    // the slider then starts from that zoom.
    vsPrinter1_->fitToWidth();
    QTimer::singleShot(0, this, [this] {
        const int percent = std::clamp(qRound(vsPrinter1_->zoomFactor() * 100), kMinZoom, kMaxZoom);
        const QSignalBlocker quiet(scrPrint_);
        scrPrint_->setValue(percent);
        zoom(percent);
    });
}

void PrintWindow::zoom(int percent)
{
    vsPrinter1_->setZoomMode(QPrintPreviewWidget::CustomZoom);
    vsPrinter1_->setZoomFactor(percent / 100.0);
    lblPercent_->setText(QString::number(percent));
}

bool PrintWindow::makePrint()
{
    busy_ = true;
    kind_ = ctx_.state.FromForm;
    auto built = model_.subMakePrint();
    lastStatement_ = kind_ == 0 ? statementTable(ctx_.record, model_.data()) : std::string();
    if (!built) {
        document_.reset();
        vsPrinter1_->updatePreview();
        busy_ = false;
        QApplication::beep();
        return false;
    }
    document_ = built->document;
    setWindowTitle(kind_ == 1 ? tr("Pay Analysis") : tr("Pay Statement"));
    vsPrinter1_->updatePreview();
    if (built->print) {
        // The request is answered; bringing the window forward again later
        // must not print it a second time.
        ctx_.state.intAction = 1;
        sendToPrinter();
    }
    busy_ = false;
    return true;
}

bool PrintWindow::event(QEvent* e)
{
    if (e->type() == QEvent::ParentChange) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            connect(sub, &QMdiSubWindow::aboutToActivate, this, &PrintWindow::activated, Qt::UniqueConnection);
    }
    return QWidget::event(e);
}

void PrintWindow::showDocument(const PrintDocument& doc, const QString& title)
{
    given_ = true;
    document_ = doc;
    setWindowTitle(title);
    vsPrinter1_->updatePreview();
}

void PrintWindow::activated()
{
    // Brought forward by the calculator's Print Preview or Print while open:
    // a print request prints, a new calculation refreshes the preview.
    if (given_ || busy_ || !document_ || ctx_.state.FromForm != kind_ || kind_ != 0) return;
    if (ctx_.state.intAction == 2 || statementTable(ctx_.record, model_.data()) != lastStatement_) makePrint();
}

void PrintWindow::cmdPrintMenuClick(int index)
{
    if (index != 0) closeWindow();
    else if (given_) sendToPrinter();
    else printCommand();
}

void PrintWindow::printCommand()
{
    ctx_.state.intAction = 2;
    makePrint();
}

Printable printableDocument(PrintDocument doc, QString title)
{
    return {title, [](QPrinter& printer) { setupPage(printer); },
            [doc](QPrinter& printer) { return renderDocument(doc, printer); },
            [doc, title] { return documentPdf(doc, title); }};
}

Printable PrintWindow::printable() const { return printableDocument(*document_, windowTitle()); }

void PrintWindow::sendToPrinter()
{
    if (document_) output_.print(printable());
}

void PrintWindow::saveAsPdf()
{
    if (document_) output_.saveAsPdf(printable());
}

void PrintWindow::closeWindow()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
    else close();
}

}  // namespace wm
