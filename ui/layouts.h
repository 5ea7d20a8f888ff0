#pragma once
// Layout pieces that keep windows usable from small screens up: a row of
// commands that wraps onto more lines when narrow, and a page that scrolls
// up and down when the window is too short for it.

#include <QLabel>
#include <QLayout>
#include <QEvent>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QList>
#include <QScrollArea>

namespace wm {

// Items side by side, wrapping onto the next line when the width runs out;
// each line's items share its width, or keep their own and the line is
// centred (setFill(false)).
class FlowLayout final : public QLayout {
public:
    explicit FlowLayout(QWidget* parent = nullptr, int spacing = 4);
    ~FlowLayout() override;

    void setFill(bool fill) { fill_ = fill; }

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override { return items_.value(index); }
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return arrange(QRect(0, 0, width, 0), false); }
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    int arrange(const QRect& rect, bool place) const;

    QList<QLayoutItem*> items_;
    int spacing_;
    bool fill_ = true;
};

// A page that scrolls up and down, never sideways: it is as wide as the
// window and as tall as it needs. Transparent, so what the window paints
// behind it shows.
class VerticalScroll final : public QScrollArea {
    Q_OBJECT
public:
    explicit VerticalScroll(QWidget* page, QWidget* parent = nullptr);

signals:
    // The room the page has across (the window's width less the scroll bar).
    void widthChanged(int width);

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void fit();
};

// A one-line caption that gives up width when room is short: the text is
// cut with "..." and the whole of it shows as the tip.
class ElidingLabel final : public QLabel {
    Q_OBJECT
public:
    explicit ElidingLabel(const QString& text, QWidget* parent = nullptr);
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void updateTip();
};

// A button of a window's command row: named, with its tip, running `slot`
// of `receiver` when clicked.
template <class Receiver>
QPushButton* addCommand(QLayout* row, QWidget* parent, const char* name, const QString& text, const QString& tip,
                        Receiver* receiver, void (Receiver::*slot)())
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    if (!tip.isEmpty()) b->setToolTip(tip);
    QObject::connect(b, &QPushButton::clicked, receiver, slot);
    row->addWidget(b);
    return b;
}

// Runs `slot` each time the window's frame in the main window comes to the
// front (back after the calculator changed); called from the window's
// event() with each event, as the frame becomes its parent once added.
template <class Window>
void followActivation(Window* w, QEvent* e, void (Window::*slot)())
{
    if (e->type() != QEvent::ParentChange) return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
        QObject::connect(sub, &QMdiSubWindow::aboutToActivate, w, slot, Qt::UniqueConnection);
}

}  // namespace wm
