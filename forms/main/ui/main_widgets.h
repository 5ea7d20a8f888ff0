#pragma once
// Small widgets and field set-ups of the calculator's windows.

#include <QLabel>
#include <QLineEdit>
#include <QString>

namespace wm {

// A label the user can click or reach with Tab and press Space/Enter on.
class ClickLabel final : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};

// Money fields take what a money entry can hold: digits, "$", ",", ".",
// "()" and "-". On leaving the field a readable amount of at most two
// decimals is shown as "$1,234.50" (nothing is rounded away).
void setupMoneyField(QLineEdit* field, const QString& label);
// Plain number fields: digits and a full stop.
void setupNumberField(QLineEdit* field, const QString& label);
// The text a money field shows for a readable amount ("$1,250.00"); the
// text unchanged otherwise.
QString displayMoney(const QString& text);

// Colour codes of the form (0 black, 192 dark red) as a style sheet.
QString textColorStyle(int code);

}  // namespace wm
