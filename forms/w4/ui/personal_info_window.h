#pragma once
// The personal information form (frmName): the employee's identity and
// marital status, kept in the settings store, and whether the form comes
// up when the program starts.

#include <QWidget>

#include "app/app_context.h"
#include "forms/w4/logic/w4_view_model.h"

class QButtonGroup;
class QCheckBox;
class QFormLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;

namespace wm::w4 {

class PersonalInfoWindow final : public QWidget {
    Q_OBJECT
public:
    explicit PersonalInfoWindow(AppContext& ctx, QWidget* parent = nullptr);

    const PersonalInfo& model() const { return model_; }

    // cmdExit: saves and closes, or keeps the form with the focus in the
    // name while the name is empty.
    void exit();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    QFormLayout* buildIdentity();
    QGroupBox* buildMaritalStatus();
    QHBoxLayout* buildBottomRow();
    QLineEdit* field(const char* objectName, const QString& access);
    QLineEdit* fieldOf(PersonalInfo::Field f) const;
    void readFields();

    AppContext& ctx_;
    PersonalInfo model_;
    QLineEdit* txtName_ = nullptr;
    QLineEdit* txtAddress_ = nullptr;
    QLineEdit* txtCity_ = nullptr;
    QLineEdit* txtSSN_ = nullptr;
    QButtonGroup* marital_ = nullptr;
    QCheckBox* chkShow_ = nullptr;
    QLabel* lblNameNeeded_ = nullptr;
    bool unloaded_ = false;  // the main window may close a closed form again
};

}  // namespace wm::w4
