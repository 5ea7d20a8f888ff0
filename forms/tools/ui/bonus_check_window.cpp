#include "forms/tools/ui/bonus_check_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTableWidget>
#include <QVBoxLayout>

#include "forms/tools/ui/tool_page.h"
#include "print/render/document_renderer.h"
#include "print/ui/print_window.h"
#include "qtcore/qt_text.h"
#include "ui/layouts.h"

namespace wm {

BonusCheckWindow::BonusCheckWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), model_(ctx.record, ctx.settings, ctx.errors),
      output_(this, ctx.errors, BonusCheckModel::kName)
{
    setObjectName(QLatin1String(BonusCheckModel::kName));
    setWindowTitle(tr("Bonus Check"));

    // Made in this order: it is the order Tab takes.
    auto* body = new QVBoxLayout;
    body->addWidget(makeTitle(tr("Bonus Check"), this));
    auto* intro = new QLabel(tr("A bonus paid with the paycheck you calculated: what it withholds and what you keep."),
                             this);
    intro->setWordWrap(true);
    body->addWidget(intro);
    body->addWidget(buildEntries());
    lblMessage_ = makeMessageLabel(this);
    body->addWidget(lblMessage_);
    tblGrid_ = makeTable(4, {tr("Category"), tr("Bonus"), tr("Regular paycheck"), tr("Together")},
                         QStringLiteral("tblGrid"), this);
    tblGrid_->setAccessibleName(tr("The bonus, the regular paycheck and the two together"));
    // Each figure whole (its column as wide as its widest); the category
    // takes what is left, and a narrow window scrolls the grid across.
    tblGrid_->setWordWrap(false);
    body->addWidget(tblGrid_);
    lblMethod_ = new QLabel(this);
    lblMethod_->setObjectName(QStringLiteral("lblMethod"));
    lblMethod_->setWordWrap(true);
    lblStateLocal_ = new QLabel(qs(kStateLocalAggregate), this);
    lblStateLocal_->setObjectName(QStringLiteral("lblStateLocal"));
    lblStateLocal_->setWordWrap(true);
    body->addWidget(lblMethod_);
    body->addWidget(lblStateLocal_);
    auto* how = lblHow_ = new QLabel(tr("How was the bonus calculated?"), this);
    QFont hf = how->font();
    hf.setBold(true);
    how->setFont(hf);
    body->addWidget(how);
    tblExplain_ = makeTable(2, {tr("Step"), tr("Amount")}, QStringLiteral("tblExplain"), this);
    tblExplain_->setWordWrap(true);
    tblExplain_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tblExplain_->setAccessibleName(tr("How was the bonus calculated?"));
    body->addWidget(tblExplain_);
    body->addWidget(buildCommands());
    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    lblStatus_->setWordWrap(true);
    body->addWidget(lblStatus_);
    body->addStretch(1);
    output_.done = [this](const QString& text) {
        lblStatus_->setText(text);
        lblStatus_->setVisible(!text.isEmpty());
    };
    lblStatus_->hide();
    // Up and down only: across, the tables keep to the window's width and
    // the steps wrap.
    auto* page = new QWidget;
    page->setLayout(body);
    body->setContentsMargins(24, 18, 24, 18);
    auto* scroll = new VerticalScroll(page, this);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->addWidget(scroll);
    connect(tblExplain_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { fitTable(tblExplain_); });
    refresh();
}

BonusCheckWindow::~BonusCheckWindow() = default;

QWidget* BonusCheckWindow::buildEntries()
{
    auto* box = new QGroupBox(tr("The bonus"), this);
    auto* form = new QFormLayout(box);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    txtBonus_ = new QLineEdit(qs(model_.txtBonus), box);
    txtBonus_->setObjectName(QStringLiteral("txtBonus"));
    txtBonus_->setToolTip(tr("The bonus, commission or other pay paid apart from the regular wages."));
    cboMethod_ = new QComboBox(box);
    cboMethod_->setObjectName(QStringLiteral("cboMethod"));
    for (const SupplementalRule& m : kSupplemental2000.methods) cboMethod_->addItem(qs(m.caption));
    cboMethod_->setToolTip(tr("Aggregate: the withholding on the regular pay plus the bonus, less that on the regular "
                              "pay. Flat: %1 % of the bonus, when the regular pay has income tax withheld.")
                               .arg(kSupplemental2000.flatRate * 100));
    chk401k_ = new QCheckBox(tr("401(k) on the bon&us"), box);
    chk401k_->setObjectName(QStringLiteral("chk401k"));
    chk401k_->setChecked(model_.with401k);
    txtSSWages_ = new QLineEdit(qs(model_.txtSSWages), box);
    txtSSWages_->setObjectName(QStringLiteral("txtSSWages"));
    txtSSWages_->setToolTip(tr("Social Security wages paid so far this year: Social Security on the bonus stops at "
                               "the %1 wage base.")
                                .arg(qs(formatCurrency(kWageBase2000))));
    form->addRow(tr("&Bonus amount"), txtBonus_);
    form->addRow(tr("&Method"), cboMethod_);
    form->addRow(QString(), chk401k_);
    form->addRow(tr("Social Security &wages so far"), txtSSWages_);
    for (QLineEdit* field : {txtBonus_, txtSSWages_})
        connect(field, &QLineEdit::editingFinished, this, &BonusCheckWindow::entriesChanged);
    connect(cboMethod_, &QComboBox::activated, this, &BonusCheckWindow::entriesChanged);
    connect(chk401k_, &QCheckBox::toggled, this, &BonusCheckWindow::entriesChanged);
    return box;
}

QWidget* BonusCheckWindow::buildCommands()
{
    auto* bar = new QWidget(this);
    auto* row = new FlowLayout(bar, 6);
    cmdSavePdf_ = addCommand(row, bar, "cmdSavePdf", tr("Save as P&DF..."), tr("Save the Bonus Check as a PDF file."),
                             this, &BonusCheckWindow::saveAsPdf);
    cmdPrint_ =
        addCommand(row, bar, "cmdPrint", tr("P&rint..."), tr("Print the Bonus Check."), this, &BonusCheckWindow::print);
    return bar;
}

QTableWidget* BonusCheckWindow::makeTable(int columns, const QStringList& headers, const QString& name,
                                          QWidget* parent)
{
    auto* t = new QTableWidget(0, columns, parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    // One stop for Tab: the page scrolls, Tab leaves the table.
    t->setTabKeyNavigation(false);
    t->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < columns; ++c) t->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 8);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return t;
}

void BonusCheckWindow::fitTable(QTableWidget* t)
{
    if (t->wordWrap()) t->resizeRowsToContents();
    int rows = 0;
    for (int i = 0; i < t->rowCount(); ++i) rows += t->rowHeight(i);
    // Room for the scroll bar across when the columns are wider than the table.
    if (t->horizontalHeader()->length() > t->viewport()->width()) rows += t->horizontalScrollBar()->sizeHint().height();
    t->setFixedHeight(t->horizontalHeader()->sizeHint().height() + 2 * t->frameWidth() + rows);
}

void BonusCheckWindow::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    // Once the tables have their new width.
    QTimer::singleShot(0, this, [this] {
        fitTable(tblGrid_);
        fitTable(tblExplain_);
    });
}

bool BonusCheckWindow::event(QEvent* e)
{
    // Back in front after the calculator changed: the regular paycheck follows it.
    followActivation(this, e, &BonusCheckWindow::refresh);
    return QWidget::event(e);
}

void BonusCheckWindow::entriesChanged()
{
    model_.txtBonus = txtBonus_->text().toStdString();
    model_.txtSSWages = txtSSWages_->text().toStdString();
    model_.method = static_cast<BonusMethod>(cboMethod_->currentIndex());
    model_.with401k = chk401k_->isChecked();
    refresh();
    if (model_.refused) {
        QLineEdit* field = *model_.refused == Input::BonusSSWages ? txtSSWages_ : txtBonus_;
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
}

void BonusCheckWindow::refresh()
{
    model_.refresh();
    display();
}

void BonusCheckWindow::display()
{
    const std::optional<BonusCheck>& c = model_.check();
    lblMessage_->setText(qs(model_.message));
    lblMessage_->setVisible(!model_.message.empty());
    tblGrid_->setRowCount(c ? 12 : 0);
    if (c) {
        int i = 0;
        for (const BonusGridRow& row : bonusGrid(*c)) {
            tblGrid_->setItem(i, 0, new QTableWidgetItem(qs(row.title)));
            int col = 1;
            for (Currency amount : {row.bonus, row.regular, row.together}) {
                auto* item = new QTableWidgetItem(qs(formatCurrency(amount)));
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                tblGrid_->setItem(i, col++, item);
            }
            ++i;
        }
    }
    fitTable(tblGrid_);
    const std::vector<TraceLine> none;
    const std::vector<TraceLine>& lines = c ? c->trace.lines : none;
    tblExplain_->setRowCount(static_cast<int>(lines.size()));
    for (int i = 0; i < tblExplain_->rowCount(); ++i) {
        const TraceLine& t = lines[static_cast<std::size_t>(i)];
        tblExplain_->setItem(i, 0, new QTableWidgetItem(qs(t.text)));
        auto* item = new QTableWidgetItem(t.amount ? qs(formatAmount(*t.amount)) : QString());
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        tblExplain_->setItem(i, 1, item);
    }
    fitTable(tblExplain_);
    lblMethod_->setText(qs(model_.methodLine()));
    // The flat rate refused is said in the message's colour.
    lblMethod_->setStyleSheet(c && !c->note.empty() ? QStringLiteral("color: #a00000;") : QString());
    lblMethod_->setVisible(c.has_value());
    lblStateLocal_->setVisible(model_.stateOrLocal());
    tblGrid_->setVisible(c.has_value());
    tblExplain_->setVisible(c.has_value());
    lblHow_->setVisible(c.has_value());
    cmdPrint_->setEnabled(c.has_value());
    cmdSavePdf_->setEnabled(c.has_value());
}

PrintDocument BonusCheckWindow::document() const
{
    const std::string name = ctx_.settings.get("User", "UName", "-");
    PrintDocument doc;
    doc.header = pageHeader(name, localToday());
    doc.title = BonusCheckModel::title(name);
    doc.table = model_.table();
    doc.fontPoints = 11;
    doc.minFontPoints = 8;
    return doc;
}

Printable BonusCheckWindow::printable() const { return printableDocument(document(), tr("Bonus Check")); }

void BonusCheckWindow::print()
{
    if (!model_.check()) return;
    lblStatus_->hide();
    output_.print(printable());
}

void BonusCheckWindow::saveAsPdf()
{
    if (!model_.check()) return;
    lblStatus_->hide();
    output_.saveAsPdf(printable());
}

bool BonusCheckWindow::savePdf(const QString& path)
{
    lblStatus_->hide();
    return output_.savePdf(printable(), path);
}

}  // namespace wm
