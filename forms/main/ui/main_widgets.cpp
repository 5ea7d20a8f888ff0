#include "forms/main/ui/main_widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpressionValidator>

#include "record/currency.h"
#include "record/runtime_error.h"
#include "ui/accessibility.h"
#include "ui/focus.h"

namespace wm {

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) emit clicked();
}

void ClickLabel::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(e);
}

QString displayMoney(const QString& text)
{
    const std::string t = text.trimmed().toStdString();
    if (t.empty()) return text;
    try {
        const Currency c = toCurrency(t);
        if (centsRound(c) != c) return text;  // more than two decimals: keep them visible
        return QString::fromStdString(formatCurrency(c));
    } catch (const RuntimeError&) {
        return text;
    }
}

void setupMoneyField(QLineEdit* field, const QString& label)
{
    static const QRegularExpression kMoney(QStringLiteral(R"([0-9$,.()\- ]*)"));
    field->setValidator(new QRegularExpressionValidator(kMoney, field));
    field->setAccessibleName(spokenText(label));
    field->setAlignment(Qt::AlignRight);
    FocusSelectAll::install(field);
    QObject::connect(field, &QLineEdit::editingFinished, field,
                     [field] { field->setText(displayMoney(field->text())); });
}

void setupNumberField(QLineEdit* field, const QString& label)
{
    static const QRegularExpression kNumber(QStringLiteral(R"([0-9.]*)"));
    field->setValidator(new QRegularExpressionValidator(kNumber, field));
    field->setAccessibleName(spokenText(label));
    field->setAlignment(Qt::AlignRight);
    FocusSelectAll::install(field);
}

QString textColorStyle(int code)
{
    // The form's colour codes are 0x00BBGGRR.
    const int r = code & 0xff, g = (code >> 8) & 0xff, b = (code >> 16) & 0xff;
    return QStringLiteral("color: rgb(%1, %2, %3);").arg(r).arg(g).arg(b);
}

}  // namespace wm
