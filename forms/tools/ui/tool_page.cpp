#include "forms/tools/ui/tool_page.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace wm {

QLabel* makeTitle(const QString& text, QWidget* parent)
{
    auto* title = new QLabel(text, parent);
    QFont tf = title->font();
    tf.setPointSizeF(tf.pointSizeF() * 1.5);
    tf.setBold(true);
    title->setFont(tf);
    return title;
}

QLabel* makeMessageLabel(QWidget* parent)
{
    auto* message = new QLabel(parent);
    message->setObjectName(QStringLiteral("lblMessage"));
    message->setWordWrap(true);
    message->setStyleSheet(QStringLiteral("color: #a00000;"));
    return message;
}

void setScrollingPage(QWidget* window, QLayout* body, const QMargins& margins, bool keepLeft)
{
    auto* page = new QWidget;
    if (keepLeft) {
        auto* outer = new QHBoxLayout(page);
        outer->setContentsMargins(margins);
        outer->addLayout(body);
        outer->addStretch(1);
    } else {
        page->setLayout(body);
        body->setContentsMargins(margins);
    }
    auto* scroll = new QScrollArea(window);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(page);
    auto* root = new QVBoxLayout(window);
    root->setContentsMargins(0, 0, 0, 0);
    root->addWidget(scroll);
}

}  // namespace wm
