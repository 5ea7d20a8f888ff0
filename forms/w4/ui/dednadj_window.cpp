#include "forms/w4/ui/dednadj_window.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "forms/w4/ui/w4_widgets.h"

namespace wm::w4 {

namespace {

const char* const kHeading = "Deductions and Adjustments";
const char* const kNote = "Note:  Use this worksheet only if you plan to itemize deductions or claim adjustments "
                          "to income on your 2000 tax return.";
const char* const kText1 =
    "1.  Enter an estimate of your 2000 itemized deductions. These include qualifying home mortgage interest, "
    "charitable contributions, state and local taxes, medical expenses in excess of 7.5% of your income, and "
    "miscellaneous deductions. (For 2000, you may have to reduce your itemized deductions if your income is over "
    "$128,950 ($64,475 if married filing separately). See Worksheet 3 in Pub. 919 for details.)";
const char* const kText2 = "2.  Select One:";
const char* const kText3 = "3.  Subtract line 2 from line 1.  If Line 2 is greater than line 1, enter -0-.";
const char* const kText4 = "4.  Enter an estimate of your 2000 adjustments to income, including alimony, deductible "
                           "IRA contributions, and student loan interest.";
const char* const kText5 = "5.  Add lines 3 and 4 and enter the total (include any amount for credits from "
                           "Worksheet 7 in Pub. 919.)";
const char* const kText6 = "6.  Enter an estimate of your 2000 nonwage income (such as dividends or interest).";
const char* const kText7 = "7.  Subtract line 6 from line 5. Enter the result, but not less than -0-.";
const char* const kText8 = "8.  Divide the amount on line 7 by $3,000 and enter the result here. Drop any fraction.";
const char* const kText9 = "9.  Enter the number from Personal Allowances Worksheet, line H.";
const char* const kText10 =
    "10.  Add lines 8 and 9 and enter the total here.  If you plan to use the Two-Earner/Two-Job Worksheet, also "
    "enter this total on line 1 of that worksheet. Otherwise, stop here and enter this total on Form W-4, line 5.";

}  // namespace

DednAdjWindow::DednAdjWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), model_(ctx.state, ctx.errors)
{
    setObjectName(QString::fromLatin1(DednAdjWkSht::kName));
    setWindowTitle(tr("Deductions and Adjustments Worksheet"));
    pages_ = layOutWorksheet(this, ctx_, buildPage1(), buildPage2());
    pages_->setCurrentIndex(0);
    txtItemized_->setFocus();
}

QLineEdit* DednAdjWindow::entry(const char* objectName, const QString& access, QWidget* page)
{
    auto* e = new QLineEdit(page);
    e->setObjectName(QString::fromLatin1(objectName));
    e->setAccessibleName(access);
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(fieldWidth(e));
    e->setPlaceholderText(QStringLiteral("0.00"));
    return e;
}

QWidget* DednAdjWindow::buildPage1()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pnlPage1"));
    LineGrid lines;

    txtItemized_ = entry("txtGetItemized", tr("Line 1, itemized deductions"), page);
    connect(txtItemized_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.txtGetItemized = ss(t); });
    lines.line(kText1, txtItemized_, page);

    auto* choices = new QVBoxLayout;
    choices->setContentsMargins(24, 0, 0, 0);
    categories_ = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(kDeductionCategories.size()); ++i) {
        auto* opt = new QRadioButton(qs(kDeductionCategories[static_cast<std::size_t>(i)].caption), page);
        opt->setObjectName(indexed("optDedCategory", i));
        categories_->addButton(opt, i);
        choices->addWidget(opt);
    }
    connect(categories_, &QButtonGroup::idClicked, this, &DednAdjWindow::chooseCategory);
    line2_ = new ResultField(QStringLiteral("lblGetPersDed"), tr("Line 2, standard deduction"), page);
    auto* l2 = new QVBoxLayout;
    auto* t2 = new LineText(QString::fromUtf8(kText2), page);
    t2->setBuddy(categories_->button(0));
    l2->addWidget(t2);
    l2->addLayout(choices);
    lines.row(l2, line2_, Qt::AlignLeft | Qt::AlignBottom);

    line3_ = new ResultField(QStringLiteral("lblSubTotal"), tr("Line 3"), page);
    lines.line(kText3, line3_, page);

    auto* body = new QVBoxLayout;
    body->addWidget(italicNote(kNote, page));
    body->addSpacing(12);
    body->addLayout(lines.layout());
    layOutPage(page, QString::fromLatin1(kHeading), tr("Page 1"), body,
               commandRow({}, {pageCommand(PageTurn::Next, page, [this] { showPage(2); })}));
    return page;
}

QWidget* DednAdjWindow::buildPage2()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pnlPage2"));
    LineGrid lines;

    txtAdjustments_ = entry("txtAdjustments", tr("Line 4, adjustments to income"), page);
    connect(txtAdjustments_, &QLineEdit::textEdited, this,
            [this](const QString& t) { model_.txtAdjustments = ss(t); });
    lines.line(kText4, txtAdjustments_, page);

    line5_ = new ResultField(QStringLiteral("lblTotal5"), tr("Line 5"), page);
    lines.line(kText5, line5_, page);
    txtCredits_ = entry("txtP919Wkst7", tr("Line 5, credits from Worksheet 7 in Pub. 919"), page);
    connect(txtCredits_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.txtP919Wkst7 = ss(t); });
    auto* credits = new QLabel(tr("Credits from Worksheet 7 in Pub. &919:"), page);
    credits->setBuddy(txtCredits_);
    credits->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lines.row(credits, txtCredits_);

    txtNonWage_ = entry("txtNonWage", tr("Line 6, nonwage income"), page);
    connect(txtNonWage_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.txtNonWage = ss(t); });
    lines.line(kText6, txtNonWage_, page);

    line7_ = new ResultField(QStringLiteral("lblTotal7"), tr("Line 7"), page);
    lines.line(kText7, line7_, page);
    line8_ = new ResultField(QStringLiteral("lblDivide"), tr("Line 8, extra allowances"), page);
    lines.line(kText8, line8_, page);
    line9_ = new ResultField(QStringLiteral("lblPersWrkShtDeps"), tr("Line 9, line H"), page);
    lines.line(kText9, line9_, page);
    line10_ = new ResultField(QStringLiteral("lblTotal10"), tr("Line 10, total allowances"), page);
    setBold(lines.line(kText10, line10_, page));

    for (QLineEdit* e : {txtAdjustments_, txtCredits_, txtNonWage_})
        connect(e, &QLineEdit::returnPressed, this, &DednAdjWindow::calculate);

    auto* calc = new QPushButton(tr("&Calculate"), page);
    calc->setObjectName(QStringLiteral("cmdPersWrkCalc"));
    connect(calc, &QPushButton::clicked, this, &DednAdjWindow::calculate);

    auto* body = new QVBoxLayout;
    body->addSpacing(12);
    body->addLayout(lines.layout());
    layOutPage(page, QString::fromLatin1(kHeading), tr("Page 2"), body,
               commandRow({pageCommand(PageTurn::Previous, page, [this] { showPage(1); })}, {calc}));
    return page;
}

void DednAdjWindow::refresh()
{
    line2_->setText(qs(model_.lblGetPersDed));
    line3_->setText(qs(model_.lblSubTotal));
    line5_->setText(qs(model_.lblTotal5));
    line7_->setText(qs(model_.lblTotal7));
    line8_->setText(qs(model_.lblDivide));
    line9_->setText(qs(model_.lblPersWrkShtDeps));
    line10_->setText(qs(model_.lblTotal10));
}

QLineEdit* DednAdjWindow::entryForLine(const std::string& line) const
{
    if (line == "1") return txtItemized_;
    if (line == "4") return txtAdjustments_;
    if (line == "5") return txtCredits_;
    return txtNonWage_;
}

void DednAdjWindow::chooseCategory(int index)
{
    model_.txtGetItemized = ss(txtItemized_->text());
    if (auto refused = model_.chooseCategory(index)) {
        // The choice goes back to what lines 2 and 3 still show.
        if (model_.optDedCategory) {
            categories_->button(*model_.optDedCategory)->setChecked(true);
        } else {
            categories_->setExclusive(false);
            categories_->button(index)->setChecked(false);
            categories_->setExclusive(true);
        }
        showRefusal(this, *refused, txtItemized_);
        return;
    }
    refresh();
}

void DednAdjWindow::calculate()
{
    model_.txtAdjustments = ss(txtAdjustments_->text());
    model_.txtP919Wkst7 = ss(txtCredits_->text());
    model_.txtNonWage = ss(txtNonWage_->text());
    const auto out = model_.calculate();
    if (out.refusal) {
        showRefusal(this, *out.refusal, entryForLine(out.refusal->field));
        return;
    }
    refresh();
    updateW4View();
}

void DednAdjWindow::showPage(int page)
{
    if (page == 2) {
        model_.nextPage();
        pages_->setCurrentIndex(1);
        refresh();
        txtAdjustments_->setFocus();
    } else {
        model_.previousPage();
        pages_->setCurrentIndex(0);
        txtItemized_->setFocus();
    }
}

}  // namespace wm::w4
