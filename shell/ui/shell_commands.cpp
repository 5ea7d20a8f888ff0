// The main window's command table and what is built from it: the menus,
// the tool bar, the list bar, and the handlers the keys run.
#include <QAction>
#include <QActionGroup>
#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "shell/ui/list_bar.h"
#include "shell/ui/mdi_shell.h"
#include "shell/ui/shell_commands.h"
#include "ui/artwork.h"
#include "ui/main_hooks.h"

namespace wm {

namespace {
const QString kWebsite = QStringLiteral("https://github.com/wagemark/wagemark");
}  // namespace

std::span<const ShellMenu> MdiShell::menus()
{
    using S = MdiShell;
    static const ShellCommand kFile[] = {
        {"ID_New", "NewFile", "&New", "New", "Clear the calculator and its results", "Ctrl+N", "N", 0x3b7dd8,
         std::nullopt, true, false, &S::newCommand, &S::newFromListBar},
        {"ID_SetStateOptions", "StateInfo", "Set &State Options", "State Options", "Enter the options your state needs",
         "Ctrl+T", "ST", 0x8e5bd0, FormId::StateOptions, true, false, &S::openForm},
        {"ID_PersonalInformation", "Personal", "&Personal Information", "Personal Info",
         "Your name, address and marital status", "Ctrl+I", "PI", 0x2f9e8f, FormId::PersonalInfo, true, false,
         &S::openForm},
        {"ID_Exit", "Exit", "E&xit", "Exit", "End Wagemark", "Ctrl+Q", "X", 0xb04a4a, std::nullopt, false, true,
         &S::exitCommand},
    };
    static const ShellCommand kCalculate[] = {
        {"ID_Calc", "Calc", "&Calculation Worksheet", "Calculator", "Perform the Calculation", "Ctrl+1", "$", 0x2e8b57,
         FormId::Main, true, false, &S::openForm},
        {"ID_Multiple", "Multi", "&Multiple Check Worksheet", "Multiple Check",
         "Combine up to four checks into one monthly income", "Ctrl+2", "M", 0x2e8b57, FormId::MultiCheck, true, false,
         &S::openForm},
        {"ID_AnalyzePay", "Anal", "Analyze &Pay Worksheet", "Analyze Pay",
         "Hourly and annual figures of the last calculation", "Ctrl+3", "%", 0x2e8b57, FormId::Analysis, true, false,
         &S::analyzePay},
        {"ID_YearCheck", "Year", "&Year Check", "Year Check",
         "Will your withholding cover the year's tax? How many allowances to claim", "Ctrl+8", "Y", 0x2e8b57,
         FormId::YearCheck, true, false, &S::openForm},
        {"ID_BonusCheck", "Bonus", "&Bonus Check", "Bonus Check",
         "What a bonus withholds and what you keep, by the flat rate or the aggregate method", "Ctrl+B", "B",
         0x2e8b57, FormId::BonusCheck, false, false, &S::openForm},
        {"ID_CompareStates", "States", "Compare &States", "Compare States",
         "This paycheck in every state, side by side", "Ctrl+9", "S", 0x2e8b57, FormId::CompareStates, true, false,
         &S::openForm},
        {"ID_KeepComparison", nullptr, "&Keep for Comparison", "Keep", "Keep this result beside the next ones",
         "Ctrl+K", "K", 0x8e5bd0, FormId::Main, true, true, &S::keepComparison},
        {"ID_ClearComparison", nullptr, "Clear Comparis&on", "Clear Comparison", "Back to one column of results", "",
         "K", 0x8e5bd0, FormId::Main, false, false, &S::clearComparison},
    };
    static const ShellCommand kW4[] = {
        {"ID_PersonalAllowances", "Pers", "&Allowances", "Allowances", "Personal Allowances Worksheet", "Ctrl+4", "A",
         0xd08a2e, FormId::PersWkSht, true, false, &S::openForm},
        {"ID_DeductionsAdjustments", "Ded", "A&djustments", "Adjustments", "Deductions and Adjustments Worksheet",
         "Ctrl+5", "D", 0xd08a2e, FormId::DeductionsWkSht, true, false, &S::openForm},
        {"ID_TwoWorkers", "TwoWork", "&Two Workers", "Two Workers", "Two-Earner/Two-Job Worksheet", "Ctrl+6", "2",
         0xd08a2e, FormId::TwoEarnerWkSht, true, false, &S::openForm},
        {"ID_DisplayFormW4", "W4", "Display &W4", "Display W4", "Show and print your Form W-4", "Ctrl+7", "W4",
         0xd08a2e, FormId::W4View, true, false, &S::openForm},
    };
    static const ShellCommand kHelp[] = {
        {"ID_WagemarkHelp", "Help", "Wagemark &Help", "Wagemark Help", "How to use Wagemark", "F1", "?", 0x4a6fa5,
         std::nullopt, true, false, &S::appHelp},
        {"ID_W4Help", "W4Help", "W4 &Instructions/Help", "W4 Help", "Instructions for Form W-4", "Shift+F1", "W?",
         0x4a6fa5, std::nullopt, false, false, &S::w4Help},
        {"ID_WagemarkWebsite", "Wagemark", "Wagemark &Website", "Website", "Open the Wagemark web page", "", "www",
         0x4a6fa5, std::nullopt, false, false, &S::openWebsite},
        {"ID_About", "About", "&About Wagemark", "About", "Version and credits", "", "i", 0x4a6fa5, FormId::About,
         false, false, &S::openForm},
    };
    static const ShellMenu kMenus[] = {
        {"ID_File", "&File", "File", kFile},
        {"ID_Calculation", "C&alculate", "Calculate", kCalculate},
        {"ID_W4Worksheets", "W&4 Worksheets", "W4 Worksheets", kW4},
        {"ID_Help", "&Help", "Help", kHelp},
    };
    return kMenus;
}

std::span<const PreferenceGroup> MdiShell::preferences()
{
    using S = MdiShell;
    static const PreferenceChoice kBackground[] = {{"ID_BackgroundPictures", "Background &Pictures", 0},
                                                   {"ID_BackgroundPatterns", "Background P&atterns", 1}};
    static const PreferenceChoice kAnimation[] = {{"ID_None", "&None", static_cast<int>(MenuAnimation::None)},
                                                  {"ID_Slide", "&Slide", static_cast<int>(MenuAnimation::Slide)},
                                                  {"ID_Unfold", "&Unfold", static_cast<int>(MenuAnimation::Unfold)},
                                                  {"ID_Random", "&Random", static_cast<int>(MenuAnimation::Random)}};
    static const PreferenceChoice kStateLabel[] = {{"ID_ShowLabel", "&Show Label", 1},
                                                   {"ID_HideLabel", "&Hide Label", -1}};
    static const PreferenceGroup kGroups[] = {
        {"&Background", "", kBackground, &S::chooseBackground, &S::backgroundNow},
        {"&Menu Animations", "", kAnimation, &S::chooseAnimation, &S::animationNow},
        {"&Show/Hide State Label", "Show or Hide the State Alert Label", kStateLabel, &S::chooseStateLabel,
         &S::stateLabelNow},
    };
    return kGroups;
}

// ---- Building ---------------------------------------------------------

void MdiShell::buildCommands()
{
    buildToolBar();
    buildListBar();
    const std::span<const ShellMenu> all = menus();
    for (std::size_t m = 0; m < all.size(); ++m) {
        addMenu(all[m]);
        if (m + 1 < all.size()) toolBar_->addSeparator();
        // Preferences come second, between File and Calculate.
        if (m == 0) addPreferencesMenu();
    }
    statusBar()->showMessage(tr("Ready"));
}

void MdiShell::buildToolBar()
{
    toolBar_->setObjectName(QStringLiteral("atbMain"));
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    addToolBar(Qt::TopToolBarArea, toolBar_);
}

void MdiShell::buildListBar()
{
    auto* dock = new QDockWidget(tr("Wagemark"), this);
    dock->setObjectName(QStringLiteral("lbrWagemarkDock"));
    dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock->setTitleBarWidget(new QWidget(dock));
    auto* scroll = new QScrollArea(dock);
    scroll->setWidget(listBar_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(136);
    dock->setWidget(scroll);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    connect(listBar_, &ListBar::itemClicked, this, &MdiShell::listCommand);
    listBar_->setAnimation(model_.menuAnimation());
}

void MdiShell::addMenu(const ShellMenu& m)
{
    QMenu* menu = menuBar()->addMenu(tr(m.caption));
    menu->setObjectName(QString::fromLatin1(m.key));
    menu->setToolTipsVisible(true);
    listBar_->addGroup(tr(m.group));
    for (const ShellCommand& c : m.commands) {
        if (c.separatorBefore) menu->addSeparator();
        addCommand(c, menu);
    }
}

void MdiShell::addCommand(const ShellCommand& c, QMenu* menu)
{
    auto* a = new QAction(art::commandIcon(QString::fromLatin1(c.glyph), QColor(c.color)), tr(c.caption), this);
    a->setObjectName(QString::fromLatin1(c.key));
    a->setIconText(tr(c.listText));
    if (*c.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut)));
    const bool ok = !c.form || forms_.has(*c.form);
    const QString tip = tr(ok ? c.tip : kNotAvailable);
    a->setToolTip(tip);
    a->setStatusTip(tip);
    a->setEnabled(ok);
    connect(a, &QAction::triggered, this, [this, &c] { (this->*c.run)(c); });
    menu->addAction(a);
    actions_[a->objectName()] = a;
    if (c.onToolBar) toolBar_->addAction(a);
    if (c.list) listBar_->addItem(QString::fromLatin1(c.list), tr(c.listText), a->icon(), tip)->setEnabled(ok);
}

void MdiShell::addPreferencesMenu()
{
    QMenu* prefs = menuBar()->addMenu(tr("&Preferences"));
    prefs->setObjectName(QStringLiteral("ID_Edit"));
    prefs->setToolTipsVisible(true);
    for (const PreferenceGroup& g : preferences()) {
        QMenu* sub = prefs->addMenu(tr(g.caption));
        sub->setToolTipsVisible(true);
        auto* group = new QActionGroup(this);
        group->setExclusive(true);
        for (const PreferenceChoice& c : g.choices) {
            auto* a = new QAction(tr(c.caption), group);
            a->setObjectName(QString::fromLatin1(c.key));
            a->setCheckable(true);
            if (*g.tip) a->setToolTip(tr(g.tip));
            sub->addAction(a);
            actions_[a->objectName()] = a;
            // Only a user's choice acts; mirroring the settings does not.
            connect(a, &QAction::triggered, this, [this, &g, &c](bool on) {
                if (on) choosePreference(g, c);
            });
        }
    }
}

void MdiShell::mirrorPreferences()
{
    for (const PreferenceGroup& g : preferences()) {
        const int now = (this->*g.current)();
        bool shown = false;
        for (const PreferenceChoice& c : g.choices)
            if (c.value == now) {
                actions_[QString::fromLatin1(c.key)]->setChecked(true);
                shown = true;
            }
        if (shown) continue;
        // A stored value of none of the choices leaves them all unchecked.
        QAction* first = actions_[QString::fromLatin1(g.choices.front().key)];
        first->actionGroup()->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        for (const PreferenceChoice& c : g.choices) actions_[QString::fromLatin1(c.key)]->setChecked(false);
    }
}

// ---- Running ----------------------------------------------------------

void MdiShell::toolCommand(const QString& key)
{
    for (const ShellMenu& m : menus())
        for (const ShellCommand& c : m.commands)
            if (key == QLatin1String(c.key)) return (this->*c.run)(c);
    for (const PreferenceGroup& g : preferences())
        for (const PreferenceChoice& c : g.choices)
            if (key == QLatin1String(c.key)) return choosePreference(g, c);
}

void MdiShell::listCommand(const QString& key)
{
    for (const ShellMenu& m : menus())
        for (const ShellCommand& c : m.commands) {
            if (!c.list || key != QLatin1String(c.list)) continue;
            if (c.listRun) return (this->*c.listRun)(c);
            // The list bar replaces the current form with the one it opens.
            if (state_.frmLoaded != kNoFormCode && !state_.frmLoaded.empty())
                if (QMdiSubWindow* active = mdi_->currentSubWindow()) active->close();
            return (this->*c.run)(c);
        }
}

void MdiShell::choosePreference(const PreferenceGroup& g, const PreferenceChoice& c)
{
    // Once chosen, one choice of the group stays checked.
    if (QAction* a = action(QString::fromLatin1(c.key)))
        a->actionGroup()->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    (this->*g.choose)(c.value);
}

void MdiShell::openForm(const ShellCommand& c) { open(*c.form); }

void MdiShell::newCommand(const ShellCommand&)
{
    if (!model_.newClearsMain()) return;
    if (MainCalculatorHooks* m = mainHooks()) {
        m->proClear();
        model_.clearResults();
    }
}

void MdiShell::newFromListBar(const ShellCommand&)
{
    // The user asked for a clear calculator: give one, whatever was current.
    open(FormId::Main);
    if (MainCalculatorHooks* m = mainHooks()) {
        m->proClear();
        model_.clearResults();
    }
}

void MdiShell::exitCommand(const ShellCommand&) { QMainWindow::close(); }

void MdiShell::keepComparison(const ShellCommand&)
{
    open(FormId::Main);
    if (MainCalculatorHooks* m = mainHooks()) m->keepForComparison(true);
}

void MdiShell::clearComparison(const ShellCommand&)
{
    open(FormId::Main);
    if (MainCalculatorHooks* m = mainHooks()) m->keepForComparison(false);
}

void MdiShell::analyzePay(const ShellCommand& c)
{
    if (model_.canAnalyze()) return openForm(c);
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(ShellModel::kNothingTitle.data()),
                    QString::fromUtf8(ShellModel::kNothingText.data()), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("msgNothingToWorkWith"));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void MdiShell::appHelp(const ShellCommand&) { showHelp(0); }

void MdiShell::w4Help(const ShellCommand&) { showHelp(kW4HelpContext); }

void MdiShell::openWebsite(const ShellCommand&)
{
    if (!services_.browser.open(kWebsite))
        QMessageBox::information(this, tr("Wagemark Website"),
                                 tr("No web browser could be started. The Wagemark web page is %1").arg(kWebsite));
}

void MdiShell::chooseBackground(int patterns)
{
    model_.setBackgroundDesign(patterns ? kPatterns : kPictures);
    if (MainCalculatorHooks* m = mainHooks()) m->properPicture();
}

int MdiShell::backgroundNow() const { return model_.patterns() ? 1 : 0; }

void MdiShell::chooseAnimation(int style)
{
    model_.setMenuAnimation(static_cast<MenuAnimation>(style));
    listBar_->setAnimation(static_cast<MenuAnimation>(style));
}

int MdiShell::animationNow() const { return static_cast<int>(model_.menuAnimation()); }

void MdiShell::chooseStateLabel(int show)
{
    model_.setStateLabel(show > 0);
    if (MainCalculatorHooks* m = mainHooks()) m->setStateHintVisible(show > 0);
}

int MdiShell::stateLabelNow() const { return model_.labelTool(); }

}  // namespace wm
