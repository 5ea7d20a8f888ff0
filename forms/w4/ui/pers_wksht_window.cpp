#include "forms/w4/ui/pers_wksht_window.h"

#include <QCheckBox>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "forms/w4/ui/w4_widgets.h"

namespace wm::w4 {

namespace {

const char* const kHeading = "Personal Allowances Worksheet";

const char* const kTextA = "A.  Enter \"X\" for YOURSELF if no one else can claim you as a dependent.";
const char* const kTextB = "B.  Enter \"X\" if:";
const char* const kTextBConditions[] = {
    "You are single and have only one job; or",
    "You are married, have only one job, and your spouse does not work; or",
    "Your wages from a second job or your spouse's wages (or the total of both) are $1,000 or less.",
};
const char* const kTextC = "C.  Enter \"X\":";
const char* const kTextCText =
    "for your SPOUSE.  But, you may choose to enter -0- if you are married and have either a working spouse or "
    "more than one job. (This may help you avoid having too little tax withheld.)";
const char* const kTextD =
    "D.  Enter number of dependents (other than your spouse or yourself) you will claim on your tax return.";
const char* const kTextE = "E.  Check if you will file as Head of Household on your tax return (see conditions under "
                           "Head Of Household in Help).";
const char* const kTextF = "F.  Check if you have at least $1,500 of child or dependent care expenses for         "
                           "which you plan to claim a credit.";
const char* const kTextG = "G.  Child Tax Credit";
const char* const kTextGInstructions[] = {
    "If your total income will be between $18,000 and $50,000 ($23,000 and $63,000 if married), enter \"1\" for "
    "each eligible child.",
    "If your total income will be between $50,000 and $80,000 ($63,000 and $115,000 if married), enter \"1\" if "
    "you have two eligible children, enter \"2\" if you have three or four eligible children, or enter \"3\" if "
    "you have five or more eligible children.",
};
const char* const kTextH = "H.  Add and enter total here. Note: This amount may be different from the number of "
                           "exemptions you claim on your return.";
const char* const kAccuracy = "For accuracy, complete all worksheets that apply.";
const char* const kInstructions[] = {
    "If you plan to itemize or claim adjustments to income and want to reduce your withholding, see the "
    "Deductions and Adjustments worksheet.",
    "If you are single, have more than one job, and your combined earnings from all jobs exceeds $32,000 OR if "
    "you are married and have a working spouse or more than one job, and the combined earnings from all jobs "
    "exceed $55,000, see the Two-Earner/Two-Job Worksheet if you want to avoid having too little tax withheld.",
    "If neither of the above situations applies, stop here and enter the number from line H on line 5 of Form "
    "W-4.",
};

template <std::size_t N>
QStringList points(const char* const (&items)[N])
{
    QStringList out;
    for (const char* item : items) out << QString::fromUtf8(item);
    return out;
}

}  // namespace

PersWkShtWindow::PersWkShtWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), model_(ctx.state, ctx.errors)
{
    setObjectName(QString::fromLatin1(PersWkSht::kName));
    setWindowTitle(QString::fromLatin1(kHeading));
    pages_ = layOutWorksheet(this, ctx_, buildPage1(), buildPage2());
    showPage(1);
}

QWidget* PersWkShtWindow::buildPage1()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pnlPage1"));
    LineGrid lines;

    auto addTick = [&](int index, LineText* label, const QString& access) {
        auto* box = new QCheckBox(page);
        box->setObjectName(indexed("chkPersWkShtA", index));
        box->setAccessibleName(access);
        lines.line(label, box);
        ticks_[static_cast<std::size_t>(index)] = box;
        connect(box, &QCheckBox::toggled, this, [this, index](bool on) {
            model_.chkPersWkShtA[static_cast<std::size_t>(index)] = on;
        });
    };
    addTick(kLineA, new LineText(QString::fromUtf8(kTextA), page), tr("Line A, yourself"));
    addTick(kLineB, new LineText(QString::fromUtf8(kTextB), points(kTextBConditions), page),
            tr("Line B, single or one job"));
    addTick(kLineC, new LineText(QString::fromUtf8(kTextC) + QStringLiteral("  ") + QString::fromUtf8(kTextCText), page),
            tr("Line C, spouse"));

    txtD_ = new QLineEdit(page);
    txtD_->setObjectName(QStringLiteral("txtPersWkEnterDeps"));
    txtD_->setAccessibleName(tr("Line D, number of dependents"));
    txtD_->setFixedWidth(fieldWidth(txtD_));
    txtD_->setAlignment(Qt::AlignRight);
    connect(txtD_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.txtPersWkEnterDeps = ss(t); });
    lines.line(kTextD, txtD_, page);

    addTick(kLineE, new LineText(QString::fromUtf8(kTextE), page), tr("Line E, head of household"));

    auto* body = new QVBoxLayout;
    body->addSpacing(12);
    body->addLayout(lines.layout());
    layOutPage(page, QString::fromLatin1(kHeading), tr("Page 1"), body,
               commandRow({}, {pageCommand(PageTurn::Next, page, [this] { showPage(2); })}));
    return page;
}

QWidget* PersWkShtWindow::buildPage2()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pnlPage2"));
    LineGrid lines;

    auto* boxF = new QCheckBox(page);
    boxF->setObjectName(indexed("chkPersWkShtA", kLineF));
    boxF->setAccessibleName(tr("Line F, child or dependent care"));
    ticks_[kLineF] = boxF;
    connect(boxF, &QCheckBox::toggled, this, [this](bool on) { model_.chkPersWkShtA[kLineF] = on; });
    lines.line(kTextF, boxF, page);

    txtG_ = new QLineEdit(page);
    txtG_->setObjectName(QStringLiteral("txtChild"));
    txtG_->setAccessibleName(tr("Line G, child tax credit"));
    txtG_->setFixedWidth(fieldWidth(txtG_));
    txtG_->setAlignment(Qt::AlignRight);
    connect(txtG_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.txtChild = ss(t); });
    connect(txtG_, &QLineEdit::returnPressed, this, &PersWkShtWindow::calculate);
    lines.line(new LineText(QString::fromUtf8(kTextG), points(kTextGInstructions), page), txtG_);

    lblH_ = new ResultField(QStringLiteral("lblTotalDepsClaim"), tr("Line H, total allowances"), page);
    setBold(lines.line(kTextH, lblH_, page));

    auto* calc = new QPushButton(tr("&Calculate"), page);
    calc->setObjectName(indexed("cmdPersWrkCalc", 0));
    connect(calc, &QPushButton::clicked, this, &PersWkShtWindow::calculate);
    auto* back = pageCommand(PageTurn::Previous, page, [this] { showPage(1); });

    auto* instructions = new QVBoxLayout;
    instructions->setSpacing(8);
    for (int i = 0; i < 3; ++i) {
        auto* b = new WrapButton(QString::fromUtf8(kInstructions[i]), page);
        b->setObjectName(indexed("cmdInstructions", i));
        setHoverColor(b, kInstructionHover);
        connect(b, &QAbstractButton::clicked, this, [this, i] { instruction(i); });
        instructions->addWidget(b);
    }

    // The commands stand between the lines and the advice on the other worksheets.
    auto* lay = new QVBoxLayout(page);
    lay->setContentsMargins(24, 16, 24, 16);
    lay->addLayout(headingRow(QString::fromLatin1(kHeading), tr("Page 2"), page));
    lay->addSpacing(12);
    lay->addLayout(lines.layout());
    lay->addSpacing(8);
    lay->addLayout(commandRow({back}, {calc}));
    lay->addSpacing(12);
    lay->addWidget(italicNote(kAccuracy, page));
    lay->addLayout(instructions);
    lay->addStretch(1);
    return page;
}

void PersWkShtWindow::readInputs()
{
    for (std::size_t i = 0; i < ticks_.size(); ++i) model_.chkPersWkShtA[i] = ticks_[i]->isChecked();
    model_.txtPersWkEnterDeps = ss(txtD_->text());
    model_.txtChild = ss(txtG_->text());
}

void PersWkShtWindow::refresh() { lblH_->setText(qs(model_.lblTotalDepsClaim)); }

QWidget* PersWkShtWindow::entryForLine(const std::string& line) const { return line == "D" ? txtD_ : txtG_; }

void PersWkShtWindow::showPage(int page)
{
    if (page == 2) {
        model_.nextPage();
        pages_->setCurrentIndex(1);
        ticks_[kLineF]->setFocus();
    } else {
        model_.previousPage();
        pages_->setCurrentIndex(0);
        ticks_[kLineA]->setFocus();
    }
}

void PersWkShtWindow::calculate()
{
    readInputs();
    if (auto refused = model_.calculate()) {
        if (refused->field == "D") showPage(1);
        showRefusal(this, *refused, entryForLine(refused->field));
        return;
    }
    refresh();
    updateW4View();
}

void PersWkShtWindow::instruction(int index)
{
    readInputs();
    const auto out = model_.instruction(index);
    refresh();
    if (out.refusal) {
        if (out.refusal->field == "D") showPage(1);
        showRefusal(this, *out.refusal, entryForLine(out.refusal->field));
        return;
    }
    updateW4View();
    if (!out.next.open) return;
    if (*out.next.open == FormId::W4View) showW4View(ctx_);
    else ctx_.nav.open(*out.next.open);
}

}  // namespace wm::w4
