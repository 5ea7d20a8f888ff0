#pragma once
// The main window (`MDIOpen`): every form is a child of it. It carries the
// menu and tool bar (`atbMain`) and the side list bar (`lbrWagemark`) with the
// same commands, keeps the display preferences, tracks the current-form code
// `frmLoaded`, and opens the forms of the registry.

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <span>

#include "app/app_context.h"
#include "shell/logic/shell_model.h"
#include "ui/form_registry.h"
#include "ui/services.h"

class QAction;
class QActionGroup;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace wm {

class ListBar;
class MainCalculatorHooks;
struct PreferenceChoice;
struct PreferenceGroup;
struct ShellCommand;
struct ShellMenu;

class MdiShell final : public QMainWindow, public Navigator {
    Q_OBJECT
public:
    MdiShell(PayRecord& record, WindowState& state, SettingsStore& settings, ErrorScheme& errors,
             const FormRegistry& forms, ShellServices services, QWidget* parent = nullptr);
    ~MdiShell() override;

    AppContext& context() { return ctx_; }
    ShellModel& model() { return model_; }

    // Start-up step 5: the personal information form or the calculator.
    void showStartForm();

    // Navigator
    void open(FormId form) override;
    void showHelp(int context = 0) override;
    void close(FormId form) override;
    using QMainWindow::close;
    bool available(FormId form) const override { return forms_.has(form); }
    void sendToMain(const std::string& incomeText, int howOft) override;
    void calculateWithExemptions(int count) override;
    void calculateInState(int state) override;

    // A command by its tool bar key ("ID_New") or list bar key ("NewFile"),
    // as the rows of shell_commands.cpp say.
    void toolCommand(const QString& key);
    void listCommand(const QString& key);

    QWidget* form(FormId id) const;
    QMdiSubWindow* subWindow(FormId id) const;
    QMdiArea* mdiArea() const { return mdi_; }
    ListBar* listBar() const { return listBar_; }
    QAction* action(const QString& key) const;

    // Day of month that picks the background (tests pin it).
    void setBackgroundDay(int day);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The command table (shell_commands.cpp) and what is built from it.
    static std::span<const ShellMenu> menus();
    static std::span<const PreferenceGroup> preferences();
    void buildCommands();
    void buildToolBar();
    void buildListBar();
    void addMenu(const ShellMenu& menu);
    void addCommand(const ShellCommand& command, QMenu* menu);
    void addPreferencesMenu();
    void mirrorPreferences();
    void choosePreference(const PreferenceGroup& group, const PreferenceChoice& choice);
    // The commands' handlers.
    void openForm(const ShellCommand& command);
    void newCommand(const ShellCommand& command);
    void newFromListBar(const ShellCommand& command);
    void exitCommand(const ShellCommand& command);
    void analyzePay(const ShellCommand& command);
    void keepComparison(const ShellCommand& command);
    void clearComparison(const ShellCommand& command);
    void appHelp(const ShellCommand& command);
    void w4Help(const ShellCommand& command);
    void openWebsite(const ShellCommand& command);
    void chooseBackground(int patterns);
    int backgroundNow() const;
    void chooseAnimation(int style);
    int animationNow() const;
    void chooseStateLabel(int show);  // +1 show, -1 hide
    int stateLabelNow() const;

    void refreshCurrentCode();
    void runModal(const FormEntry& entry);
    MainCalculatorHooks* mainHooks() const;
    void saveGeometryToSettings();
    void restoreGeometryFromSettings();
    // What the settings store has to say, shown once this window is up.
    void watchSettings();
    void tellUnreadableSettings();
    void tellSaveFailed();

    WindowState& state_;
    AppContext ctx_;
    const FormRegistry& forms_;
    ShellServices services_;
    ShellModel model_;
    QMdiArea* mdi_;
    ListBar* listBar_;
    QToolBar* toolBar_;
    std::map<QString, QAction*> actions_;
    std::map<FormId, QPointer<QMdiSubWindow>> open_;
    int modalDepth_ = 0;
    QStringList unreadable_;  // "[Section] Key ..." lines not yet shown
    QString leftOut_;         // what was left out of the settings file, not yet shown
    // The failed save not yet shown: where, and why.
    QString saveWhere_, saveWhy_;
    bool closing_ = false;  // the user is quitting: no form opens any more
};

}  // namespace wm
