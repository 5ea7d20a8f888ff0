#include "forms/w4/ui/two_earner_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "forms/w4/ui/table_picker_dialog.h"
#include "forms/w4/ui/w4_widgets.h"

namespace wm::w4 {

namespace {

const char* const kHeading = "Two-Earner/Two-Job Worksheet";
const char* const kNote1 = "Note: Use this worksheet only if the instructions for line H on the Personal Allowances "
                           "Worksheet direct you here.";
const char* const kText1 = "1.  Enter the number from line H (or from line 10 if you used the Deductions and "
                           "Adjustments Worksheet)";
const char* const kText2Head = "2.  Find the number in";
const char* const kText2Tail = "that applies to the LOWEST paying job and enter it here.";
const char* const kText3 = "3.  If line 1 is GREATER THAN OR EQUAL TO line 2, subtract line 2 from line 1. Enter "
                           "the result here (if zero, enter -0-) and on Form W-4, line 5, on page 1. DO NOT use the "
                           "rest of this worksheet.";
const char* const kNote3 = "Note: If line 1 is LESS THAN line 2, enter -0- on form W-4, line 5. complete lines 4-9 "
                           "to calculate the additional withholding amount necessary to avoid a year end tax bill.";
const char* const kText4 = "4.  Enter the number from line 2 of this worksheet.";
const char* const kText5 = "5.  Enter the number from line 1 of this worksheet.";
const char* const kText6 = "6.  Subtract line 5 from line 4.";
const char* const kText7Head = "7.  Find the amount in";
const char* const kText7Tail = "that applies to the HIGHEST paying job and enter it here.";
const char* const kText8 = "8.  Multiply line 7 by line 6 and enter the result here. This is the additional annual "
                           "withholding amount needed.";
const char* const kText9 = "9.  Divide line 8 by the number of pay periods remaining in 2000. (For example, divide "
                           "by 26 if you are paid every other week and you complete this form in December 1999.) "
                           "Enter the result here and on the Form W-4, line 6. This is the additional amount to be "
                           "withheld from each paycheck.";
const char* const kPayDays = "  Enter number of paydays";

// "2.  Find the number in [Table 1] that applies to ..." on one line.
QHBoxLayout* textWithCommand(const char* head, QPushButton* command, const char* tail, QWidget* page)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    auto* h = new QLabel(QString::fromUtf8(head), page);
    h->setTextFormat(Qt::PlainText);
    auto* t = new LineText(QString::fromUtf8(tail), page);
    t->setBuddy(command);
    row->addWidget(h, 0, Qt::AlignVCenter);
    row->addWidget(command, 0, Qt::AlignVCenter);
    row->addWidget(t, 1, Qt::AlignVCenter);
    return row;
}

}  // namespace

TwoEarnerWindow::TwoEarnerWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), model_(ctx.state, ctx.errors)
{
    setObjectName(QString::fromLatin1(TwoEarnerWkSht::kName));
    setWindowTitle(QString::fromLatin1(kHeading));
    pages_ = layOutWorksheet(this, ctx_, buildPage1(), buildPage2());
    refresh();
}

QWidget* TwoEarnerWindow::buildPage1()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pnlPage1"));
    LineGrid lines;

    line1_ = new ResultField(QStringLiteral("lblDedFromG"), tr("Line 1, allowances"), page);
    lines.line(kText1, line1_, page);

    auto* table1 = new QPushButton(tr("Table &1"), page);
    table1->setObjectName(indexed("cmdTable1Show", 0));
    table1->setAccessibleName(tr("Table 1, wages from the lowest paying job"));
    connect(table1, &QPushButton::clicked, this, [this] { showTable(0); });
    line2_ = new ResultField(QStringLiteral("lbl2WkerT1"), tr("Line 2, from Table 1"), page);
    lines.row(textWithCommand(kText2Head, table1, kText2Tail, page), line2_);

    line3_ = new ResultField(QStringLiteral("lbl2Wker3"), tr("Line 3, allowances"), page);
    lines.line(kText3, line3_, page);

    formW4Page1_ = new QPushButton(tr("Form &W4"), page);
    formW4Page1_->setObjectName(indexed("cmdPersWrkCalc", 2));
    formW4Page1_->setAccessibleName(tr("Form W-4, line 3 on line 5"));
    connect(formW4Page1_, &QPushButton::clicked, this, [this] { formW4(2); });
    next_ = pageCommand(PageTurn::Next, page, [this] { showPage(2); });
    setHoverColor(next_, kPageCommandHover);

    auto* body = new QVBoxLayout;
    body->addWidget(italicNote(kNote1, page));
    body->addSpacing(12);
    body->addLayout(lines.layout());
    body->addSpacing(8);
    body->addWidget(italicNote(kNote3, page));
    layOutPage(page, QString::fromLatin1(kHeading), tr("Page 1"), body, commandRow({formW4Page1_}, {next_}));
    return page;
}

QWidget* TwoEarnerWindow::buildPage2()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pnlPage2"));
    LineGrid lines;
    line4_ = new ResultField(QStringLiteral("lbl2WkerResult4"), tr("Line 4"), page);
    lines.line(kText4, line4_, page);
    line5_ = new ResultField(QStringLiteral("lbl2WkerResult5"), tr("Line 5"), page);
    lines.line(kText5, line5_, page);
    line6_ = new ResultField(QStringLiteral("lbl2WkerResult6"), tr("Line 6"), page);
    lines.line(kText6, line6_, page);

    auto* table2 = new QPushButton(tr("Table &2"), page);
    table2->setObjectName(indexed("cmdTable1Show", 1));
    table2->setAccessibleName(tr("Table 2, wages from the highest paying job"));
    connect(table2, &QPushButton::clicked, this, [this] { showTable(1); });
    line7_ = new ResultField(QStringLiteral("lblTable2"), tr("Line 7, from Table 2"), page);
    lines.row(textWithCommand(kText7Head, table2, kText7Tail, page), line7_);

    line8_ = new ResultField(QStringLiteral("lblMultiply8"), tr("Line 8, additional annual withholding"), page);
    lines.line(kText8, line8_, page);

    line9_ = new ResultField(QStringLiteral("lblDollarAmt"), tr("Line 9, additional amount per pay period"), page);
    setBold(lines.line(kText9, line9_, page));

    lines.row(buildPayDaysRow(page));

    auto* calc = new QPushButton(tr("&Calculate"), page);
    calc->setObjectName(indexed("cmdPersWrkCalc", 0));
    connect(calc, &QPushButton::clicked, this, &TwoEarnerWindow::calculate);
    auto* w4 = new QPushButton(tr("Form &W4"), page);
    w4->setObjectName(indexed("cmdPersWrkCalc", 1));
    w4->setAccessibleName(tr("Form W-4, lines 5 and 6"));
    connect(w4, &QPushButton::clicked, this, [this] { formW4(1); });
    auto* back = pageCommand(PageTurn::Previous, page, [this] { showPage(1); });
    setHoverColor(back, kPageCommandHover);

    auto* body = new QVBoxLayout;
    body->addSpacing(12);
    body->addLayout(lines.layout());
    layOutPage(page, QString::fromLatin1(kHeading), tr("Page 2"), body, commandRow({back}, {calc, w4}));
    return page;
}

// Line 9's paydays left: the entry, and the calendar to count them.
QHBoxLayout* TwoEarnerWindow::buildPayDaysRow(QWidget* page)
{
    txtPayDays_ = new QLineEdit(page);
    txtPayDays_->setObjectName(QStringLiteral("txtNumPayDays"));
    txtPayDays_->setAccessibleName(tr("Line 9, number of paydays remaining"));
    txtPayDays_->setAlignment(Qt::AlignRight);
    txtPayDays_->setFixedWidth(txtPayDays_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 24);
    connect(txtPayDays_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.txtNumPayDays = ss(t); });
    connect(txtPayDays_, &QLineEdit::returnPressed, this, &TwoEarnerWindow::calculate);
    // "  Enter number of paydays", with Alt+D for the entry.
    auto* payDays = new QLabel(QString::fromUtf8(kPayDays).replace(QStringLiteral("paydays"), QStringLiteral("pay&days")),
                               page);
    payDays->setBuddy(txtPayDays_);
    auto* calendar = new QPushButton(tr("Ca&lendar..."), page);
    calendar->setObjectName(indexed("cmdW4Back", 2));
    calendar->setAccessibleName(tr("Calendar, to count the paydays left"));
    setHoverColor(calendar, kPageCommandHover);
    connect(calendar, &QPushButton::clicked, this, &TwoEarnerWindow::calendar);
    auto* payRow = new QHBoxLayout;
    payRow->addStretch(1);
    payRow->setSpacing(6);
    payRow->addWidget(payDays);
    payRow->addWidget(txtPayDays_);
    payRow->addWidget(calendar);
    return payRow;
}

void TwoEarnerWindow::refresh()
{
    line1_->setText(qs(model_.lblDedFromG));
    line2_->setText(qs(model_.lbl2WkerT1));
    line3_->setText(qs(model_.lbl2Wker3));
    line4_->setText(qs(model_.lbl2WkerResult4));
    line5_->setText(qs(model_.lbl2WkerResult5));
    line6_->setText(qs(model_.lbl2WkerResult6));
    line7_->setText(qs(model_.lblTable2));
    line8_->setText(qs(model_.lblMultiply8));
    line9_->setText(qs(model_.lblDollarAmt));
    if (txtPayDays_->text() != qs(model_.txtNumPayDays)) txtPayDays_->setText(qs(model_.txtNumPayDays));
    next_->setEnabled(model_.nextPageEnabled);
    formW4Page1_->setVisible(model_.formW4OnPage1Visible);
    pages_->setCurrentIndex(model_.page == 2 ? 1 : 0);
}

TablePickerDialog* TwoEarnerWindow::picker() const
{
    return picker_ && picker_->isVisible() ? picker_.data() : nullptr;
}

void TwoEarnerWindow::showTable(int index)
{
    // A picker that has closed may still wait for its deletion.
    if (picker_ && picker_->isVisible()) return;
    model_.showTable(index);
    picker_ = new TablePickerDialog(ctx_.state, this);
    picker_->setAttribute(Qt::WA_DeleteOnClose);
    const int table = picker_->table();
    connect(picker_, &TablePickerDialog::rowPicked, this, [this, table](std::int16_t value) {
        if (table == 1) model_.applyTable1Row(value);
        else model_.applyTable2Row(value);
        refresh();
        updateW4View();
    });
    picker_->open();
}

void TwoEarnerWindow::showPage(int page)
{
    if (page == 2) {
        model_.nextPage();
        refresh();
        txtPayDays_->setFocus();
    } else {
        model_.previousPage();
        refresh();
        next_->setFocus();
    }
}

void TwoEarnerWindow::calendar()
{
    const Next n = model_.calendar();
    refresh();
    if (n.open) ctx_.nav.open(*n.open);
}

void TwoEarnerWindow::calculate()
{
    model_.txtNumPayDays = ss(txtPayDays_->text());
    if (auto refused = model_.calculate()) {
        showRefusal(this, *refused, txtPayDays_);
        return;
    }
    refresh();
    updateW4View();
}

void TwoEarnerWindow::formW4(int index)
{
    const Next n = model_.formW4(index);
    refresh();
    if (!n.open) return;
    if (n.closeSelf) close();
    showW4View(ctx_);
}

}  // namespace wm::w4
