#include "forms/tools/ui/multi_check_window.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

#include "forms/tools/ui/tool_page.h"
#include "qtcore/qt_text.h"

namespace wm {

namespace {
constexpr const char* kInstruction =
    "Enter the amount of each check you will receive and select a period for that check, i.e., weekly, "
    "monthly, etc.  Enter up to four checks.   The periods do not have to be the same, you can have one "
    "check for each period if needed. When you have entered the amounts you want to calculate, press the "
    "calculate button.  NOTE: The \"Calculated Total\" is not the sum of the numbers, but rather a number "
    "calculated from the frequency of the check.";

// The period choices' control arrays, in column order.
constexpr std::array<const char*, kCheckPeriodCount> kOptionNames = {"optSelectWeek", "optSelectETW", "optSelectTAW",
                                                                     "optSelectMonthly"};

QString heading(int column) { return qs(checkFrequency(static_cast<CheckPeriod>(column)).heading); }

// A heading's first line where it takes two: its first two words.
QString firstLine(int column) { return heading(column).section(QLatin1Char(' '), 0, 1); }

const QColor kHoverHeading(128, 128, 255);

}  // namespace

MultiCheckWindow::MultiCheckWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), model_(ctx.state, ctx.errors)
{
    setObjectName(QStringLiteral("frmMultiCheck"));
    setWindowTitle(tr("Multiple Check Worksheet"));

    auto* title = makeTitle(tr("Multiple Check Worksheet"), this);
    auto* instruct = new QLabel(QString::fromLatin1(kInstruction), this);
    instruct->setObjectName(QStringLiteral("lblMultiInstruct"));
    instruct->setTextFormat(Qt::PlainText);
    instruct->setWordWrap(true);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    addHeadings(grid);
    for (int n = 1; n <= kCheckCount; ++n) addCheckRow(grid, n);
    addTotalRow(grid);

    auto* body = new QVBoxLayout;
    body->addWidget(title);
    body->addWidget(instruct);
    body->addSpacing(10);
    body->addLayout(grid);
    body->addSpacing(10);
    body->addLayout(buildButtons());
    body->addStretch(1);

    setScrollingPage(this, body, QMargins(18, 14, 18, 14), true);
    instruct->setMinimumWidth(380);
    instruct->setMaximumWidth(560);

    refresh();
}

void MultiCheckWindow::addHeadings(QGridLayout* grid)
{
    auto* amountHead = new QLabel(tr("Check Amount"), this);
    grid->addWidget(amountHead, 0, 1, Qt::AlignBottom);
    // Long headings take two lines so the four columns stay narrow: each
    // column is as wide as the widest first line.
    int width = 0;
    for (int c = 0; c < kCheckPeriodCount; ++c) width = std::max(width, fontMetrics().horizontalAdvance(firstLine(c)));
    for (int c = 0; c < kCheckPeriodCount; ++c) {
        QLabel* h = new QLabel(heading(c), this);
        h->setAlignment(Qt::AlignCenter);
        h->setWordWrap(true);
        h->setFixedWidth(width + 10);
        headings_[static_cast<std::size_t>(c)] = h;
        grid->addWidget(h, 0, 2 + c, Qt::AlignHCenter | Qt::AlignBottom);
    }
    auto* monthlyHead = new QLabel(tr("Monthly Equivalent"), this);
    monthlyHead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    monthlyHead->setWordWrap(true);
    grid->addWidget(monthlyHead, 0, 6, Qt::AlignRight | Qt::AlignBottom);
}

// Check n (1 to 4): its amount, its period choices, its monthly equivalent.
void MultiCheckWindow::addCheckRow(QGridLayout* grid, int n)
{
    // Only the characters of an amount: a dollar sign, digits, thousands
    // separators and one point. No length or place is imposed here, so no
    // typed digit is dropped; what does not read is said on Calculate.
    static const QRegularExpression amount(QStringLiteral(R"(\$?[0-9,]*(\.[0-9]*)?)"));
    const std::size_t i = static_cast<std::size_t>(n - 1);
    auto* label = new QLabel(tr("Check %1").arg(n), this);
    grid->addWidget(label, n, 0);

    txtCheck_[i] = new QLineEdit(this);
    txtCheck_[i]->setObjectName(QStringLiteral("txtCheck%1").arg(n));
    txtCheck_[i]->setValidator(new QRegularExpressionValidator(amount, txtCheck_[i]));
    txtCheck_[i]->setAlignment(Qt::AlignRight);
    txtCheck_[i]->setPlaceholderText(QStringLiteral("0.00"));
    txtCheck_[i]->setToolTip(tr("The amount of check %1.").arg(n));
    txtCheck_[i]->setMaximumWidth(120);
    label->setBuddy(txtCheck_[i]);
    connect(txtCheck_[i], &QLineEdit::textChanged, this, [this, n](const QString& text) {
        model_.setAmount(n, text.toStdString());
        refresh();
    });
    grid->addWidget(txtCheck_[i], n, 1);

    auto* group = new QButtonGroup(this);
    for (int c = 0; c < kCheckPeriodCount; ++c) {
        auto* opt = new QRadioButton(this);
        opt->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(kOptionNames[static_cast<std::size_t>(c)])).arg(n - 1));
        opt->setToolTip(tr("Check %1 is paid %2.").arg(n).arg(heading(c).toLower()));
        opt->setAccessibleName(tr("Check %1 %2").arg(n).arg(heading(c)));
        opt->installEventFilter(this);
        opt->setProperty("column", c);
        group->addButton(opt, c);
        optSelect_[i][static_cast<std::size_t>(c)] = opt;
        grid->addWidget(opt, n, 2 + c, Qt::AlignCenter);
    }
    connect(group, &QButtonGroup::idClicked, this, [this, n](int c) {
        model_.choosePeriod(n, static_cast<CheckPeriod>(c));
        refresh();
    });

    lblCheck_[i] = new QLabel(this);
    lblCheck_[i]->setObjectName(QStringLiteral("lblCheck%1").arg(n));
    lblCheck_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblCheck_[i]->setMinimumWidth(lblCheck_[i]->fontMetrics().horizontalAdvance(QStringLiteral("$000,000.00")));
    grid->addWidget(lblCheck_[i], n, 6);
}

void MultiCheckWindow::addTotalRow(QGridLayout* grid)
{
    auto* totalCaption = new QLabel(tr("Calculated Total:"), this);
    QFont bold = totalCaption->font();
    bold.setBold(true);
    totalCaption->setFont(bold);
    lblMultiTotal_ = new QLabel(this);
    lblMultiTotal_->setObjectName(QStringLiteral("lblMultiTotal"));
    lblMultiTotal_->setFont(bold);
    lblMultiTotal_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblMultiTotal_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(totalCaption, kCheckCount + 1, 4, 1, 2, Qt::AlignRight);
    grid->addWidget(lblMultiTotal_, kCheckCount + 1, 6);
}

QHBoxLayout* MultiCheckWindow::buildButtons()
{
    cmdCalc_ = new QPushButton(tr("&Calculate"), this);
    cmdCalc_->setObjectName(QStringLiteral("cmdCalc"));
    cmdCalc_->setDefault(true);
    cmdCalc_->setToolTip(tr("Add up the monthly equivalents of the checks (Enter)."));
    connect(cmdCalc_, &QPushButton::clicked, this, &MultiCheckWindow::cmdCalcClick);
    cmdGoBack_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), tr("&Use on Calculator"), this);
    cmdGoBack_->setObjectName(QStringLiteral("cmdGoBack"));
    cmdGoBack_->setToolTip(tr("Put the Calculated Total into the calculator as monthly income."));
    connect(cmdGoBack_, &QPushButton::clicked, this, &MultiCheckWindow::cmdGoBackClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdCalc_);
    buttons->addWidget(cmdGoBack_);
    return buttons;
}

MultiCheckWindow::~MultiCheckWindow() = default;

void MultiCheckWindow::refresh()
{
    for (int n = 1; n <= kCheckCount; ++n)
        lblCheck_[static_cast<std::size_t>(n - 1)]->setText(qs(model_.monthlyText(n)));
    lblMultiTotal_->setText(qs(model_.totalText()));
}

void MultiCheckWindow::cmdCalcClick()
{
    model_.calculate();
    refresh();
}

void MultiCheckWindow::cmdGoBackClick()
{
    const auto t = model_.transfer();
    refresh();
    if (!t) {
        // A failed Calculate was reported already; otherwise nothing is entered.
        if (!model_.totalText().empty())
            QMessageBox::information(this, windowTitle(),
                                     tr("Enter the amount of at least one check and select its period."));
        return;
    }
    emit transferred(qs(t->incomeText), t->HowOft);
    closeWindow();
}

void MultiCheckWindow::closeWindow()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
    else close();
}

void MultiCheckWindow::keyPressEvent(QKeyEvent* event)
{
    // Enter calculates from a field or a period choice, as in the
    // calculator; on a button it presses that button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & ~Qt::KeypadModifier)) {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget())) b->click();
        else cmdCalcClick();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool MultiCheckWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        const QVariant column = watched->property("column");
        if (column.isValid()) {
            QLabel* heading = headings_[static_cast<std::size_t>(column.toInt())];
            heading->setStyleSheet(event->type() == QEvent::Enter
                                       ? QStringLiteral("color: %1;").arg(kHoverHeading.name())
                                       : QString());
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace wm
