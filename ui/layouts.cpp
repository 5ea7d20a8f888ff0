#include "ui/layouts.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>

namespace wm {

FlowLayout::FlowLayout(QWidget* parent, int spacing) : QLayout(parent), spacing_(spacing)
{
    setContentsMargins(0, 0, 0, 0);
}

FlowLayout::~FlowLayout()
{
    while (QLayoutItem* item = takeAt(0)) delete item;
}

void FlowLayout::addItem(QLayoutItem* item) { items_.append(item); }

QLayoutItem* FlowLayout::takeAt(int index)
{
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

QSize FlowLayout::sizeHint() const
{
    // One line of all items.
    int width = 0, height = 0;
    for (QLayoutItem* item : items_) {
        const QSize s = item->sizeHint();
        width += s.width() + (width ? spacing_ : 0);
        height = qMax(height, s.height());
    }
    const QMargins m = contentsMargins();
    return {width + m.left() + m.right(), height + m.top() + m.bottom()};
}

QSize FlowLayout::minimumSize() const
{
    // The widest item alone on its line.
    QSize size;
    for (QLayoutItem* item : items_) size = size.expandedTo(item->minimumSize());
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

void FlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int FlowLayout::arrange(const QRect& rect, bool place) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    const auto width = [this](qsizetype i) { return items_[i]->sizeHint().width(); };
    // How many lines the items need at least, filling each as far as it goes.
    int lines = 0;
    for (qsizetype i = 0; i < items_.size(); ++lines) {
        int used = width(i++);
        while (i < items_.size() && used + spacing_ + width(i) <= area.width()) used += spacing_ + width(i++);
    }
    // The items shared out evenly over those lines, so no line is left with
    // one or two.
    const qsizetype perLine = lines ? (items_.size() + lines - 1) / lines : 0;
    int y = area.y();
    for (qsizetype start = 0; start < items_.size();) {
        qsizetype end = start + 1;
        int used = width(start), height = items_[start]->sizeHint().height();
        while (end < items_.size() && end - start < perLine && used + spacing_ + width(end) <= area.width()) {
            used += spacing_ + width(end);
            height = qMax(height, items_[end]->sizeHint().height());
            ++end;
        }
        if (place) {
            // The line's spare width goes to its items in equal shares, or
            // half to each side of it.
            const int free = qMax(0, area.width() - used);
            const int spare = fill_ ? static_cast<int>(free / (end - start)) : 0;
            int x = area.x() + (fill_ ? 0 : free / 2);
            for (qsizetype i = start; i < end; ++i) {
                const int w = qMin(width(i) + spare, area.width());
                items_[i]->setGeometry(QRect(x, y, w, height));
                x += w + spacing_;
            }
        }
        y += height + spacing_;
        start = end;
    }
    const QMargins m = contentsMargins();
    return y - (items_.isEmpty() ? 0 : spacing_) - area.y() + m.top() + m.bottom();
}

VerticalScroll::VerticalScroll(QWidget* page, QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    // No Tab stop of its own: it scrolls to the control Tab goes to.
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
    setWidget(page);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    page->setAutoFillBackground(false);
    page->installEventFilter(this);
}

void VerticalScroll::fit()
{
    QWidget* page = widget();
    const int w = viewport()->width();
    emit widthChanged(w);
    QLayout* lay = page->layout();
    int h = page->minimumSizeHint().height();
    if (lay && lay->hasHeightForWidth()) h = qMax(h, lay->totalHeightForWidth(w));
    else if (page->hasHeightForWidth()) h = qMax(h, page->heightForWidth(w));
    page->resize(w, qMax(h, viewport()->height()));
}

void VerticalScroll::resizeEvent(QResizeEvent* e)
{
    QScrollArea::resizeEvent(e);
    fit();
}

bool VerticalScroll::eventFilter(QObject* watched, QEvent* e)
{
    // What the page holds can change the height it needs.
    if (watched == widget() && e->type() == QEvent::LayoutRequest) QTimer::singleShot(0, this, [this] { fit(); });
    return QScrollArea::eventFilter(watched, e);
}

ElidingLabel::ElidingLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

QSize ElidingLabel::minimumSizeHint() const
{
    return {fontMetrics().horizontalAdvance(QStringLiteral("Xx...")), QLabel::minimumSizeHint().height()};
}

void ElidingLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = contentsRect();
    p.setPen(palette().color(foregroundRole()));
    p.drawText(r, static_cast<int>(alignment()), fontMetrics().elidedText(text(), Qt::ElideRight, r.width()));
}

void ElidingLabel::resizeEvent(QResizeEvent* e)
{
    QLabel::resizeEvent(e);
    updateTip();
}

void ElidingLabel::updateTip()
{
    const bool cut = fontMetrics().horizontalAdvance(text()) > contentsRect().width();
    setToolTip(cut ? text() : QString());
}

}  // namespace wm
