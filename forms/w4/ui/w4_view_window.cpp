#include "forms/w4/ui/w4_view_window.h"

#include <QCheckBox>
#include <utility>
#include <QCloseEvent>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include "forms/w4/ui/certificate_painter.h"
#include "forms/w4/ui/w4_widgets.h"
#include "ui/layouts.h"

namespace wm::w4 {

namespace {
constexpr int kSheetMargin = 16;  // grey around the sheet
constexpr double kPaperMargin = 0.045;  // white around the form, as a share of its width

CivilDate today()
{
    const QDate d = QDate::currentDate();
    return {d.year(), d.month(), d.day()};
}

QString describe(const Certificate& c)
{
    static const char* const boxes[3] = {"Married", "Single", "Married, but withhold at higher Single rate"};
    QStringList parts;
    parts << QObject::tr("Name: %1 %2").arg(qs(c.name.first), qs(c.name.last)).trimmed()
          << QObject::tr("Social security number: %1").arg(qs(c.ssn))
          << QObject::tr("Home address: %1").arg(qs(c.address)) << QObject::tr("City: %1").arg(qs(c.city))
          << QObject::tr("Marital status: %1")
                 .arg(c.maritalBox >= 0 && c.maritalBox <= 2 ? QString::fromLatin1(boxes[c.maritalBox])
                                                               : QObject::tr("none checked"))
          << QObject::tr("Line 5: %1").arg(qs(c.line5)) << QObject::tr("Line 6: %1").arg(qs(c.line6))
          << QObject::tr("Line 7: %1").arg(c.exempt ? QStringLiteral("EXEMPT") : QString())
          << QObject::tr("Date: %1").arg(qs(c.date));
    return parts.join(QStringLiteral("; "));
}
}  // namespace

// ---- CertificateWidget ----------------------------------------------------

CertificateWidget::CertificateWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picCertificate"));
    setAccessibleName(tr("Form W-4, Employee's Withholding Allowance Certificate"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CertificateWidget::setCertificate(const Certificate& c)
{
    cert_ = c;
    setAccessibleDescription(describe(c));
    update();
}

int CertificateWidget::heightForWidth(int width) const
{
    const QSizeF s = certificateSize();
    const double paper = width - 2 * kSheetMargin;
    const double form = paper / (1 + 2 * kPaperMargin);
    return static_cast<int>(form * s.height() / s.width() + paper - form + 2 * kSheetMargin + 0.5);
}

QSize CertificateWidget::sizeHint() const { return {860, heightForWidth(860)}; }
QSize CertificateWidget::minimumSizeHint() const { return {320, heightForWidth(320)}; }

QRectF CertificateWidget::certificateRect() const
{
    const QSizeF s = certificateSize();
    double paper = width() - 2 * kSheetMargin;
    // A tall window keeps the sheet's proportions.
    const double fitByHeight = (height() - 2 * kSheetMargin) / (s.height() / s.width() + 2 * kPaperMargin) *
                               (1 + 2 * kPaperMargin);
    paper = qMax(100.0, qMin(paper, fitByHeight));
    const double form = paper / (1 + 2 * kPaperMargin);
    const double margin = (paper - form) / 2;
    const double left = (width() - paper) / 2 + margin;
    return {left, kSheetMargin + margin, form, form * s.height() / s.width()};
}

QPointF CertificateWidget::toWidget(const QPointF& pt) const
{
    const QRectF r = certificateRect();
    const double k = r.width() / certificateSize().width();
    return r.topLeft() + pt * k;
}

bool CertificateWidget::onLine7(const QPointF& pos) const
{
    const QRectF area = line7TextArea();
    return QRectF(toWidget(area.topLeft()), toWidget(area.bottomRight())).contains(pos);
}

void CertificateWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Mid));
    const QRectF form = certificateRect();
    const double margin = form.width() * kPaperMargin;
    const QRectF paper = form.adjusted(-margin, -margin, margin, margin);
    p.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 60));
    p.fillRect(paper, Qt::white);
    paintCertificate(p, form, cert_);
}

void CertificateWidget::mouseReleaseEvent(QMouseEvent* e)
{
    // The release that ends a double-click is not a click of its own: it
    // would take away the word the double-click just wrote.
    const bool endsDoubleClick = std::exchange(doubleClicked_, false);
    if (e->button() == Qt::LeftButton && !endsDoubleClick && onLine7(e->position())) emit line7Clicked();
    QWidget::mouseReleaseEvent(e);
}

void CertificateWidget::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) return;
    doubleClicked_ = true;
    if (onLine7(e->position())) emit line7DoubleClicked();
    else emit sheetDoubleClicked();
}

// ---- W4ViewWindow -----------------------------------------------------------

W4ViewWindow::W4ViewWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      model_(ctx.record, ctx.state, ctx.settings, ctx.errors, today()),
      output_(this, ctx.errors, W4View::kName)
{
    setObjectName(QString::fromLatin1(W4View::kName));
    setWindowTitle(tr("Form W-4"));

    auto* print = new QPushButton(tr("P&rint..."), this);
    print->setObjectName(QStringLiteral("cmdPrint"));
    connect(print, &QPushButton::clicked, this, &W4ViewWindow::print);
    auto* pdf = new QPushButton(tr("Save as P&DF..."), this);
    pdf->setObjectName(QStringLiteral("cmdSavePdf"));
    connect(pdf, &QPushButton::clicked, this, &W4ViewWindow::saveAsPdf);
    chkExempt_ = new QCheckBox(tr("Write \"EXEMPT\" on line &7"), this);
    chkExempt_->setObjectName(QStringLiteral("chkExempt"));
    chkExempt_->setToolTip(tr("Click the line 7 text to take the word away; double-click it to write it."));
    connect(chkExempt_, &QCheckBox::clicked, this, &W4ViewWindow::setExempt);
    // The hint gives way first where the window is narrow: the commands stay whole.
    lblPrint_ = new ElidingLabel(tr("Double Click Form To Print"), this);
    lblPrint_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblPrint_->setObjectName(QStringLiteral("lblPrint"));
    cmdExit_ = new QPushButton(tr("E&xit"), this);
    cmdExit_->setObjectName(QStringLiteral("cmdW4Exit"));
    connect(cmdExit_, &QPushButton::clicked, this, &QWidget::close);

    auto* bar = new QHBoxLayout;
    bar->addWidget(print);
    bar->addWidget(pdf);
    bar->addSpacing(12);
    bar->addWidget(chkExempt_);
    bar->addWidget(lblPrint_, 1);
    bar->addSpacing(12);
    bar->addWidget(cmdExit_);

    sheet_ = new CertificateWidget;
    connect(sheet_, &CertificateWidget::line7Clicked, this, [this] { setExempt(false); });
    connect(sheet_, &CertificateWidget::line7DoubleClicked, this, [this] { setExempt(true); });
    connect(sheet_, &CertificateWidget::sheetDoubleClicked, this, &W4ViewWindow::print);

    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(8, 8, 8, 0);
    lay->addLayout(bar);
    // The sheet scales to the window: the whole certificate is always in view.
    lay->addWidget(sheet_, 1);

    auto* printKey = new QShortcut(QKeySequence::Print, this);
    connect(printKey, &QShortcut::activated, this, &W4ViewWindow::print);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { ctx_.nav.showHelp(kW4HelpContext); });
    refresh();
}

void W4ViewWindow::refresh()
{
    chkExempt_->setChecked(model_.exemptShown);
    sheet_->setCertificate(model_.certificate());
}

bool W4ViewWindow::event(QEvent* e)
{
    // Back in front after a worksheet was calculated: its lines show.
    if (e->type() == QEvent::ParentChange)
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            connect(sub, &QMdiSubWindow::aboutToActivate, this, &W4ViewWindow::takeLines, Qt::UniqueConnection);
    return QWidget::event(e);
}

void W4ViewWindow::takeLines()
{
    model_.takeLines();
    refresh();
}

void W4ViewWindow::setLine5(const QString& text)
{
    model_.setLine5(ss(text));
    refresh();
}

void W4ViewWindow::setLine6(const QString& text)
{
    model_.setLine6(ss(text));
    refresh();
}

void W4ViewWindow::setExempt(bool shown)
{
    if (shown) model_.doubleClickLine7();
    else model_.clickLine7();
    refresh();
}

Printable W4ViewWindow::printable() const
{
    const Certificate c = model_.certificate();
    return {tr("Form W-4"), &setupCertificatePage, [c](QPrinter& printer) { return printCertificate(printer, c); },
            [c] { return certificatePdf(c); }};
}

void W4ViewWindow::print() { output_.print(printable()); }

void W4ViewWindow::saveAsPdf() { output_.saveAsPdf(printable()); }

bool W4ViewWindow::savePdf(const QString& path) { return output_.savePdf(printable(), path); }

void W4ViewWindow::closeEvent(QCloseEvent* e)
{
    QWidget::closeEvent(e);
    if (e->isAccepted() && !std::exchange(unloaded_, true)) showMainAfterUnload(ctx_, this);
}

void W4ViewWindow::showEvent(QShowEvent* e)
{
    unloaded_ = false;
    QWidget::showEvent(e);
}

void showMainAfterUnload(AppContext& ctx, QWidget* form)
{
    if (!ctx.nav.available(FormId::Main)) return;
    QWidget* top = form->window();
    if (top == form) {
        ctx.nav.open(FormId::Main);
        return;
    }
    // Deferred: a main window that closes its forms on the way out is hidden
    // by then, and a list bar command that replaced this form has made
    // another one current.
    const std::string code = ctx.state.frmLoaded;
    QTimer::singleShot(0, top, [&ctx, top, code] {
        if (!top->isVisible()) return;
        const std::string& now = ctx.state.frmLoaded;
        if (now == code || now == kNoFormCode || now.empty() || now == formCode(FormId::Main))
            ctx.nav.open(FormId::Main);
    });
}

}  // namespace wm::w4
