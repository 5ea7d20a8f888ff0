#include "shell/ui/list_bar.h"

#include <QRandomGenerator>
#include <QToolButton>
#include <QVBoxLayout>
#include <QVariantAnimation>

namespace wm {

ListBar::ListBar(QWidget* parent) : QWidget(parent), layout_(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("lbrWagemark"));
    setAccessibleName(tr("Wagemark list bar"));
    layout_->setContentsMargins(4, 4, 4, 4);
    layout_->setSpacing(2);
    layout_->addStretch(1);
    setStyleSheet(QStringLiteral(
        "#lbrWagemark { background: #33404d; }"
        "QToolButton[role=\"header\"] { background: #4b5d6e; color: white; border: 1px solid #26313b;"
        "  padding: 5px; font-weight: bold; text-align: left; }"
        "QToolButton[role=\"header\"]:checked { background: #5e7f99; }"
        "QToolButton[role=\"item\"] { color: white; border: 1px solid transparent; border-radius: 4px; padding: 4px; }"
        "QToolButton[role=\"item\"]:hover, QToolButton[role=\"item\"]:focus { background: #4f6a80; border-color: #8fb3cf; }"
        "QToolButton[role=\"item\"]:disabled { color: #8c98a3; }"));
}

void ListBar::addGroup(const QString& title)
{
    auto* header = new QToolButton(this);
    header->setProperty("role", "header");
    header->setText(title);
    header->setCheckable(true);
    header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    header->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* page = new QWidget(this);
    auto* items = new QVBoxLayout(page);
    items->setContentsMargins(0, 4, 0, 4);
    items->setSpacing(2);
    const int index = static_cast<int>(groups_.size());
    const int at = layout_->count() - 1;  // before the stretch
    layout_->insertWidget(at, header);
    layout_->insertWidget(at + 1, page);
    page->hide();
    groups_.push_back({header, page, items});
    connect(header, &QToolButton::clicked, this, [this, index] { openGroup(index); });
    if (current_ < 0) openGroup(0);
}

QToolButton* ListBar::addItem(const QString& key, const QString& text, const QIcon& icon, const QString& tip)
{
    Group& g = groups_.back();
    auto* b = new QToolButton(g.page);
    b->setObjectName(key);
    b->setProperty("role", "item");
    b->setText(text);
    b->setIcon(icon);
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    b->setToolTip(tip);
    b->setAccessibleName(text);
    b->setFocusPolicy(Qt::StrongFocus);
    g.items->addWidget(b);
    connect(b, &QToolButton::clicked, this, [this, key] { emit itemClicked(key); });
    return b;
}

QToolButton* ListBar::item(const QString& key) const { return findChild<QToolButton*>(key); }

void ListBar::openGroup(int index)
{
    if (index < 0 || index >= groupCount()) return;
    for (int i = 0; i < groupCount(); ++i) {
        groups_[static_cast<std::size_t>(i)].header->setChecked(i == index);
        if (i != index) groups_[static_cast<std::size_t>(i)].page->hide();
    }
    QWidget* page = groups_[static_cast<std::size_t>(index)].page;
    const bool changed = index != current_;
    current_ = index;
    page->show();
    if (changed) animateOpen(page);
}

void ListBar::animateOpen(QWidget* page)
{
    MenuAnimation style = animation_;
    if (style == MenuAnimation::Random)
        style = QRandomGenerator::global()->bounded(2) ? MenuAnimation::Slide : MenuAnimation::Unfold;
    if (style == MenuAnimation::None) return;

    auto* anim = new QVariantAnimation(page);
    anim->setDuration(220);
    anim->setEasingCurve(QEasingCurve::OutCubic);
    if (style == MenuAnimation::Unfold) {
        const int full = page->sizeHint().height();
        anim->setStartValue(0);
        anim->setEndValue(full);
        connect(anim, &QVariantAnimation::valueChanged, page,
                [page](const QVariant& v) { page->setMaximumHeight(v.toInt()); });
        connect(anim, &QVariantAnimation::finished, page, [page] { page->setMaximumHeight(QWIDGETSIZE_MAX); });
    } else {
        const int width = qMax(page->width(), 120);
        anim->setStartValue(width);
        anim->setEndValue(0);
        connect(anim, &QVariantAnimation::valueChanged, page,
                [page](const QVariant& v) { page->setContentsMargins(v.toInt(), 0, 0, 0); });
    }
    anim->start(QAbstractAnimation::DeleteWhenStopped);
}

}  // namespace wm
