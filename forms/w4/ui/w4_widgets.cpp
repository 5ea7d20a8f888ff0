#include "forms/w4/ui/w4_widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTimer>

#include "forms/w4/ui/w4_view_window.h"

namespace wm::w4 {

std::string ss(const QString& s) { return s.toStdString(); }

QString indexed(const char* name, int index) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index); }

void setWorksheetBackground(QWidget* w)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, kWorksheetYellow);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QLabel* makeHeading(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.5);
    l->setFont(f);
    l->setAccessibleName(text);
    return l;
}

QLabel* makePageMarker(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont f = l->font();
    f.setItalic(true);
    l->setFont(f);
    return l;
}

// ---- LineText -----------------------------------------------------------

namespace {
// Long runs of blanks in a line text were alignment padding; one blank
// reads the same. The double blank after "A." is kept.
QString tidy(QString text)
{
    static const QRegularExpression padding(QStringLiteral("(\\S) {3,}(\\S)"));
    return text.replace(padding, QStringLiteral("\\1 \\2"));
}
}  // namespace

LineText::LineText(const QString& text, QWidget* parent) : QLabel(tidy(text), parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

namespace {
// A caption with a buddy takes any "&" as its Alt+letter, so the text keeps
// its quotation marks as they are rather than as "&quot;".
QString escaped(const QString& text) { return text.toHtmlEscaped().replace(QStringLiteral("&quot;"), QStringLiteral("\"")); }
}  // namespace

LineText::LineText(const QString& head, const QStringList& points, QWidget* parent) : QLabel(parent)
{
    QString html = QStringLiteral("<div style=\"white-space: pre-wrap;\">") + escaped(tidy(head)) +
                   QStringLiteral("</div><ul style=\"margin-top: 2px; margin-bottom: 0px;\">");
    for (const QString& p : points) html += QStringLiteral("<li>") + escaped(tidy(p)) + QStringLiteral("</li>");
    html += QStringLiteral("</ul>");
    setTextFormat(Qt::RichText);
    setText(html);
    setAccessibleName(head + QLatin1Char(' ') + points.join(QLatin1Char(' ')));
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void LineText::mouseReleaseEvent(QMouseEvent* e)
{
    QLabel::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton || !buddy() || !buddy()->isEnabled()) return;
    if (auto* box = qobject_cast<QAbstractButton*>(buddy()); box && box->isCheckable()) {
        box->setFocus(Qt::MouseFocusReason);
        box->click();
    } else {
        buddy()->setFocus(Qt::MouseFocusReason);
    }
}

// ---- ResultField --------------------------------------------------------

ResultField::ResultField(const QString& objectName, const QString& accessibleName, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setMargin(2);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::TabFocus);
    setFixedWidth(fieldWidth(this));
    setMinimumHeight(fontMetrics().height() + 10);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // Worked out, not typed: a tinted, flat box unlike the white entry boxes.
    setStyleSheet(QStringLiteral("QLabel { background: #ebe8d3; color: #202020; border: 1px solid #b4b096;"
                                 " border-radius: 2px; }"
                                 "QLabel:focus { border: 1px solid #4a78b0; }"));
}

int fieldWidth(const QWidget* w) { return w->fontMetrics().horizontalAdvance(QStringLiteral("$000,000.00")) + 28; }

LineText* italicNote(const char* text, QWidget* page)
{
    auto* note = new LineText(QString::fromUtf8(text), page);
    QFont italic = note->font();
    italic.setItalic(true);
    note->setFont(italic);
    return note;
}

void setBold(QWidget* text)
{
    QFont bold = text->font();
    bold.setBold(true);
    text->setFont(bold);
}

// ---- LineGrid -------------------------------------------------------------

LineGrid::LineGrid() : grid_(new QGridLayout)
{
    grid_->setColumnStretch(0, 1);
    grid_->setHorizontalSpacing(16);
    grid_->setVerticalSpacing(14);
}

LineText* LineGrid::line(const char* text, QWidget* box, QWidget* page)
{
    return line(new LineText(QString::fromUtf8(text), page), box);
}

LineText* LineGrid::line(LineText* text, QWidget* box)
{
    text->setBuddy(box);
    row(text, box);
    return text;
}

void LineGrid::row(QLayout* text, QWidget* box, Qt::Alignment boxAlign)
{
    grid_->addLayout(text, rows_, 0);
    if (box) grid_->addWidget(box, rows_, 1, boxAlign);
    ++rows_;
}

void LineGrid::row(QWidget* text, QWidget* box, Qt::Alignment boxAlign)
{
    grid_->addWidget(text, rows_, 0);
    grid_->addWidget(box, rows_, 1, boxAlign);
    ++rows_;
}

// ---- Page frame and commands -----------------------------------------------

QHBoxLayout* headingRow(const QString& heading, const QString& marker, QWidget* page)
{
    auto* top = new QHBoxLayout;
    top->addWidget(makeHeading(heading, page), 1);
    top->addWidget(makePageMarker(marker, page));
    return top;
}

void layOutPage(QWidget* page, const QString& heading, const QString& marker, QLayout* body, QLayout* commands)
{
    auto* lay = new QVBoxLayout(page);
    lay->setContentsMargins(24, 16, 24, 16);
    lay->addLayout(headingRow(heading, marker, page));
    lay->addLayout(body);
    lay->addStretch(1);
    lay->addLayout(commands);
}

QPushButton* pageCommand(PageTurn which, QWidget* page, const std::function<void()>& turn)
{
    const bool next = which == PageTurn::Next;
    auto* b = new QPushButton(next ? QObject::tr("&Next Page >>") : QObject::tr("<< P&revious Page"), page);
    b->setObjectName(indexed("cmdW4Back", next ? 0 : 1));
    b->setAccessibleName(next ? QObject::tr("Next page") : QObject::tr("Previous page"));
    QObject::connect(b, &QPushButton::clicked, page, turn);
    return b;
}

QHBoxLayout* commandRow(std::initializer_list<QWidget*> left, std::initializer_list<QWidget*> right)
{
    auto* row = new QHBoxLayout;
    for (QWidget* w : left) row->addWidget(w);
    row->addStretch(1);
    for (QWidget* w : right) row->addWidget(w);
    return row;
}

// ---- PageScroll -----------------------------------------------------------

PageScroll::PageScroll(QWidget* page, QWidget* parent) : QScrollArea(parent)
{
    setWidget(page);
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWorksheetBackground(viewport());
    setWorksheetBackground(page);
    // The page's height follows its width (wrapped texts), not the height
    // its texts would need at their narrowest.
    if (page->layout()) page->layout()->setSizeConstraint(QLayout::SetNoConstraint);
    page->installEventFilter(this);
}

void PageScroll::fit()
{
    QWidget* page = widget();
    const int w = viewport()->width();
    const int h = page->hasHeightForWidth() ? page->heightForWidth(w) : page->sizeHint().height();
    page->resize(w, qMax(h, viewport()->height()));
}

void PageScroll::resizeEvent(QResizeEvent* e)
{
    QScrollArea::resizeEvent(e);
    fit();
}

bool PageScroll::eventFilter(QObject* watched, QEvent* e)
{
    // New text on the page can change the height it needs.
    if (watched == widget() && e->type() == QEvent::LayoutRequest) QTimer::singleShot(0, this, [this] { fit(); });
    return QScrollArea::eventFilter(watched, e);
}

// ---- WrapButton ---------------------------------------------------------

WrapButton::WrapButton(const QString& text, QWidget* parent) : QAbstractButton(parent)
{
    setText(text);
    setAccessibleName(text);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    QSizePolicy sp = sizePolicy();
    sp.setHeightForWidth(true);
    setSizePolicy(sp);
    setAttribute(Qt::WA_Hover);
}

QRect WrapButton::textRect(const QRect& r) const { return r.adjusted(12, 8, -12, -8); }

int WrapButton::heightForWidth(int width) const
{
    const QRect inner = textRect(QRect(0, 0, width, 10000));
    const QRect used = fontMetrics().boundingRect(inner, Qt::TextWordWrap | Qt::AlignLeft, text());
    return used.height() + 16;
}

QSize WrapButton::sizeHint() const
{
    const int w = fontMetrics().averageCharWidth() * 60 + 24;
    return {w, heightForWidth(w)};
}

QSize WrapButton::minimumSizeHint() const
{
    const int w = fontMetrics().averageCharWidth() * 24 + 24;
    return {w, heightForWidth(w)};
}

bool WrapButton::event(QEvent* e)
{
    if (e->type() == QEvent::HoverEnter || e->type() == QEvent::HoverLeave) update();
    return QAbstractButton::event(e);
}

void WrapButton::keyPressEvent(QKeyEvent* e)
{
    // Enter works it as it works a push button with the focus.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        animateClick();
        return;
    }
    QAbstractButton::keyPressEvent(e);
}

void WrapButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    opt.initFrom(this);
    opt.features = QStyleOptionButton::None;
    if (isDown()) opt.state |= QStyle::State_Sunken;
    else opt.state |= QStyle::State_Raised;
    p.drawControl(QStyle::CE_PushButtonBevel, opt);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(textRect(rect()), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter, text());
    if (hasFocus()) {
        QStyleOptionFocusRect fr;
        fr.initFrom(this);
        fr.rect = rect().adjusted(4, 4, -4, -4);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, fr);
    }
}

// ---- Hover colour -------------------------------------------------------

namespace {
class HoverColor final : public QObject {
public:
    HoverColor(QAbstractButton* button, QColor color) : QObject(button), color_(color)
    {
        button->setAttribute(Qt::WA_Hover);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        auto* b = static_cast<QWidget*>(watched);
        if (e->type() == QEvent::Enter || e->type() == QEvent::Leave) {
            QPalette pal = b->palette();
            pal.setColor(QPalette::ButtonText, e->type() == QEvent::Enter ? color_ : QColor(Qt::black));
            b->setPalette(pal);
        }
        return false;
    }

private:
    QColor color_;
};
}  // namespace

void setHoverColor(QAbstractButton* button, const QColor& color)
{
    button->installEventFilter(new HoverColor(button, color));
}

// ---- Messages and hand-off ----------------------------------------------

void showRefusal(QWidget* window, const Refusal& refusal, QWidget* entry)
{
    auto* box = new QMessageBox(QMessageBox::Warning, qs(kRefusalTitle), qs(refusal.message), QMessageBox::Ok,
                                window);
    box->setObjectName(QStringLiteral("msgRefusal"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<QWidget> target = entry;
    QObject::connect(box, &QMessageBox::finished, window, [target] {
        if (!target) return;
        target->setFocus(Qt::OtherFocusReason);
        if (auto* line = qobject_cast<QLineEdit*>(target.data())) line->selectAll();
    });
    box->open();
}

namespace {
// A view that was just closed may still wait for its deletion: the one on
// screen counts.
W4ViewWindow* w4ViewOnScreen()
{
    W4ViewWindow* view = nullptr;
    for (QWidget* w : QApplication::allWidgets())
        if (auto* v = qobject_cast<W4ViewWindow*>(w); v && (!view || v->isVisible())) view = v;
    return view;
}
}  // namespace

W4ViewWindow* showW4View(AppContext& ctx)
{
    ctx.nav.open(FormId::W4View);
    W4ViewWindow* view = w4ViewOnScreen();
    if (view) view->takeLines();
    return view;
}

void updateW4View()
{
    if (W4ViewWindow* view = w4ViewOnScreen(); view && view->isVisible()) view->takeLines();
}

QStackedWidget* layOutWorksheet(QWidget* window, AppContext& ctx, QWidget* page1, QWidget* page2)
{
    setWorksheetBackground(window);
    auto* pages = new QStackedWidget(window);
    pages->addWidget(new PageScroll(page1));
    pages->addWidget(new PageScroll(page2));
    auto* lay = new QVBoxLayout(window);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(pages);

    auto* help = new QShortcut(QKeySequence::HelpContents, window);
    QObject::connect(help, &QShortcut::activated, window, [&ctx] { ctx.nav.showHelp(kW4HelpContext); });
    return pages;
}

}  // namespace wm::w4
