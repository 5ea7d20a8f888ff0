#pragma once
// Pieces the W-4 windows share: the worksheet look, line texts, result
// boxes, buttons with long wrapped captions, hover colours, the refusal
// message, and the hand-off to the Form W-4 view.

#include <QAbstractButton>
#include <QColor>
#include <QLabel>
#include <QScrollArea>
#include <QStackedWidget>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>

#include "app/app_context.h"
#include "forms/w4/logic/entry_model.h"
#include "forms/w4/logic/handoff_model.h"
#include "qtcore/qt_text.h"

class QGridLayout;
class QHBoxLayout;
class QLayout;
class QLineEdit;
class QPushButton;

namespace wm::w4 {

class W4ViewWindow;

inline const QColor kWorksheetYellow{255, 255, 204};
inline const QColor kInstructionHover{0, 0, 192};
inline const QColor kPageCommandHover{128, 128, 255};

std::string ss(const QString& s);

// Light yellow worksheet background.
void setWorksheetBackground(QWidget* w);

// The worksheet heading ("Personal Allowances Worksheet") and page marker.
QLabel* makeHeading(const QString& text, QWidget* parent);
QLabel* makePageMarker(const QString& text, QWidget* parent);

// The text of a worksheet line: plain text, wrapped. Clicking it works
// its buddy: a check box is ticked or cleared, another field gets the focus.
class LineText final : public QLabel {
    Q_OBJECT
public:
    explicit LineText(const QString& text, QWidget* parent = nullptr);
    // A line whose text goes on with indented points (line B's conditions).
    LineText(const QString& head, const QStringList& points, QWidget* parent = nullptr);

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// A computed line: a tinted box with the number, right-aligned, that looks
// unlike an entry box and is readable by keyboard and screen readers.
class ResultField final : public QLabel {
    Q_OBJECT
public:
    ResultField(const QString& objectName, const QString& accessibleName, QWidget* parent = nullptr);
};

// A command whose caption is a long sentence: the text wraps inside the
// button and the height follows.
class WrapButton final : public QAbstractButton {
    Q_OBJECT
public:
    explicit WrapButton(const QString& text, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QRect textRect(const QRect& r) const;
};

// The width of every entry and result box of the worksheets.
int fieldWidth(const QWidget* w);

// A line text in italics (a note) or bold (the line with the result).
LineText* italicNote(const char* text, QWidget* page);
void setBold(QWidget* text);

// The lines of a worksheet page: each line's text in the wide column, its
// entry or result box in the narrow one.
class LineGrid {
public:
    LineGrid();
    QGridLayout* layout() const { return grid_; }
    // A line: its text, with the box as the text's buddy.
    LineText* line(const char* text, QWidget* box, QWidget* page);
    LineText* line(LineText* text, QWidget* box);
    // A line whose text is a row of its own (a text with a command in it);
    // without a box the row stands alone.
    void row(QLayout* text, QWidget* box = nullptr, Qt::Alignment boxAlign = Qt::AlignLeft | Qt::AlignTop);
    void row(QWidget* text, QWidget* box, Qt::Alignment boxAlign = Qt::AlignLeft | Qt::AlignTop);

private:
    QGridLayout* grid_;
    int rows_ = 0;
};

// The worksheet heading with the page marker ("Page 1") at its right.
QHBoxLayout* headingRow(const QString& heading, const QString& marker, QWidget* page);

// A worksheet page: the heading row on top, then `body`, and the commands
// at the foot.
void layOutPage(QWidget* page, const QString& heading, const QString& marker, QLayout* body, QLayout* commands);

// The page commands: "&Next Page >>" (cmdW4Back_0) and "<< P&revious Page"
// (cmdW4Back_1), running `turn` when clicked.
enum class PageTurn { Next, Previous };
QPushButton* pageCommand(PageTurn which, QWidget* page, const std::function<void()>& turn);

// A row of commands: `left` at the left edge, `right` at the right.
QHBoxLayout* commandRow(std::initializer_list<QWidget*> left, std::initializer_list<QWidget*> right);

// Lays a worksheet window out as its two scrolling pages, on the worksheet
// background, with F1 opening the Form W-4 help. Returns the page stack.
QStackedWidget* layOutWorksheet(QWidget* window, AppContext& ctx, QWidget* page1, QWidget* page2);

// A worksheet page that fills the window's width and scrolls up and down
// when the window is too short for it.
class PageScroll final : public QScrollArea {
    Q_OBJECT
public:
    explicit PageScroll(QWidget* page, QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void fit();
};

// The text colour of a command while the pointer is over it.
void setHoverColor(QAbstractButton* button, const QColor& color);

// An entry refused: a message naming the line, over the window, without
// blocking; afterwards the focus goes back to the entry.
void showRefusal(QWidget* window, const Refusal& refusal, QWidget* entry);

// Opens the Form W-4 view through the shell with the lines last handed over
// (handOver). Returns the view, or null when the shell could not open it.
W4ViewWindow* showW4View(AppContext& ctx);
// Brings a Form W-4 view on screen up to the lines last handed over: a
// worksheet calls it after each calculation.
void updateW4View();

// Object names of a control array: "cmdW4Back_0".
QString indexed(const char* name, int index);

}  // namespace wm::w4
