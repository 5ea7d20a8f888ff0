#pragma once
// The table picker (frmTableOne): Table 1 or Table 2 of the Two-Earner/
// Two-Job Worksheet by group; clicking a row picks it and closes the picker.

#include <QDialog>
#include <cstdint>
#include <optional>

#include "forms/w4/logic/two_earner_model.h"

class QListWidget;
class QListWidgetItem;
class QRadioButton;
class QLabel;

namespace wm::w4 {

class TablePickerDialog final : public QDialog {
    Q_OBJECT
public:
    // Shows the table in `state.Table`.
    TablePickerDialog(WindowState& state, QWidget* parent);

    int table() const { return table_; }
    void chooseGroup(int index);
    void pickRow(int row);

    void done(int result) override;

signals:
    // The row's value (Table 1) or amount (Table 2).
    void rowPicked(std::int16_t value);

private:
    void fill();

    std::optional<TablePicker> model_;
    int table_ = 1;
    QLabel* heading_ = nullptr;
    QRadioButton* groups_[2] = {};
    QListWidget* list_ = nullptr;
};

}  // namespace wm::w4
