#include "forms/w4/ui/table_picker_dialog.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include "forms/w4/ui/w4_widgets.h"

namespace wm::w4 {

TablePickerDialog::TablePickerDialog(WindowState& state, QWidget* parent) : QDialog(parent)
{
    model_.emplace(state);
    table_ = model_->table();
    setObjectName(QString::fromLatin1(TablePicker::kName));
    setWindowTitle(qs(model_->caption));
    setWorksheetBackground(this);

    heading_ = new QLabel(qs(model_->lblCboTable), this);
    heading_->setObjectName(QStringLiteral("lblCboTable"));
    QFont f = heading_->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.25);
    heading_->setFont(f);

    auto* group = new QButtonGroup(this);
    const QString captions[2] = {tr("&Married Filing Jointly"), tr("&All Others")};
    auto* choices = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        groups_[i] = new QRadioButton(captions[i], this);
        groups_[i]->setObjectName(indexed("optTableOne", i));
        setHoverColor(groups_[i], kPageCommandHover);
        group->addButton(groups_[i], i);
        choices->addWidget(groups_[i]);
    }
    choices->addStretch(1);
    groups_[0]->setChecked(true);
    connect(group, &QButtonGroup::idClicked, this, &TablePickerDialog::chooseGroup);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstTableOne"));
    list_->setAccessibleName(qs(model_->caption));
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { pickRow(list_->row(item)); });
    // The keyboard picks with Enter; the arrows only move.
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { pickRow(list_->row(item)); });

    // The window's title is the question the list answers; it is said
    // inside too, where no title bar can cut it.
    auto* question = new QLabel(qs(model_->caption), this);
    question->setObjectName(QStringLiteral("lblQuestion"));
    question->setWordWrap(true);

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(heading_);
    lay->addWidget(question);
    lay->addLayout(choices);
    lay->addWidget(list_, 1);

    // 5100 by 3315 twips, or wide enough for the whole title in the title
    // bar (with room for its buttons).
    const double twip = logicalDpiX() / 1440.0;
    QFont titleFont = font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + 160;
    resize(qMax(static_cast<int>(5100 * twip), titleWidth), static_cast<int>(3315 * twip));
    fill();
    list_->setFocus();
}

void TablePickerDialog::fill()
{
    list_->clear();
    for (const TableRow& row : model_->lstTableOne) list_->addItem(qs(row.label));
}

void TablePickerDialog::chooseGroup(int index)
{
    if (!model_) return;
    model_->chooseGroup(index == 1 ? TableGroup::AllOthers : TableGroup::MarriedJointly);
    groups_[index == 1 ? 1 : 0]->setChecked(true);
    fill();
}

void TablePickerDialog::pickRow(int row)
{
    if (!model_ || row < 0 || row >= static_cast<int>(model_->lstTableOne.size())) return;
    const std::int16_t value = model_->lstTableOne[static_cast<std::size_t>(row)].value;
    emit rowPicked(value);
    accept();
}

void TablePickerDialog::done(int result)
{
    // The worksheet is current again as soon as the picker goes.
    model_.reset();
    QDialog::done(result);
}

}  // namespace wm::w4
