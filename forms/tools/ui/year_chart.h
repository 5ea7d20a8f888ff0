#pragma once
// The Year Check's bar chart: the year's federal withholding for each
// allowance count against the year's income tax, painted with QPainter.
// Bars that cover the tax are green, the others amber; the advised count is
// outlined and the claimed one marked "now".

#include <QWidget>

#include <vector>

#include "record/currency.h"

namespace wm {

class YearChart final : public QWidget {
    Q_OBJECT
public:
    explicit YearChart(QWidget* parent = nullptr);

    struct Data {
        std::vector<Currency> withholding;  // counts 0 .. size()-1
        Currency incomeTax;
        int advised = -1;
        int claimed = -1;
    };
    void setData(Data data);
    const Data& data() const { return data_; }

    QSize sizeHint() const override { return {560, 300}; }
    QSize minimumSizeHint() const override { return {360, 220}; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Data data_;
};

}  // namespace wm
