#include "shell/ui/mdi_shell.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDate>
#include <QDialog>
#include <QDockWidget>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <optional>

#include "shell/ui/list_bar.h"
#include "ui/artwork.h"
#include "ui/main_hooks.h"

namespace wm {

namespace {

const QString kNotAvailable = QStringLiteral("Not available in this build");
constexpr int kW4HelpContext = 370;

struct Command {
    const char* tool;       // tool bar key, or nullptr
    const char* list;       // list bar key, or nullptr
    const char* text;       // menu text with its mnemonic
    const char* listText;   // list bar text
    const char* tip;
    const char* shortcut;
    const char* glyph;
    QRgb color;
    std::optional<FormId> form;  // the form it needs in the build
    bool onToolBar;
};

// Menus in order; each command names its menu by position.
struct MenuDef {
    const char* key;
    const char* text;
    const char* group;  // list bar group ("" = none)
};
constexpr MenuDef kMenus[] = {
    {"ID_File", "&File", "File"},
    {"ID_Calculation", "C&alculate", "Calculate"},
    {"ID_W4Worksheets", "W&4 Worksheets", "W4 Worksheets"},
    {"ID_Help", "&Help", "Help"},
};

const std::vector<std::vector<Command>>& commands()
{
    static const std::vector<std::vector<Command>> k = {
        {
            {"ID_New", "NewFile", "&New", "New", "Clear the calculator and its results", "Ctrl+N", "N", 0x3b7dd8,
             std::nullopt, true},
            {"ID_SetStateOptions", "StateInfo", "Set &State Options", "State Options",
             "Enter the options your state needs", "Ctrl+T", "ST", 0x8e5bd0, FormId::StateOptions, true},
            {"ID_PersonalInformation", "Personal", "&Personal Information", "Personal Info",
             "Your name, address and marital status", "Ctrl+I", "PI", 0x2f9e8f, FormId::PersonalInfo, true},
            {"ID_Exit", "Exit", "E&xit", "Exit", "End Wagemark", "Ctrl+Q", "X", 0xb04a4a, std::nullopt, false},
        },
        {
            {"ID_Calc", "Calc", "&Calculation Worksheet", "Calculator", "Perform the Calculation", "Ctrl+1", "$",
             0x2e8b57, FormId::Main, true},
            {"ID_Multiple", "Multi", "&Multiple Income Worksheet", "Multiple Checks",
             "Combine up to four checks into one monthly income", "Ctrl+2", "M", 0x2e8b57, FormId::MultiCheck, true},
            {"ID_AnalyzePay", "Anal", "Analyze &Pay Worksheet", "Analyze Pay",
             "Hourly and annual figures of the last calculation", "Ctrl+3", "%", 0x2e8b57, FormId::Analysis, true},
            {"ID_YearCheck", "Year", "&Year Check", "Year Check",
             "Will your withholding cover the year's tax? How many allowances to claim", "Ctrl+8", "Y", 0x2e8b57,
             FormId::YearCheck, true},
        },
        {
            {"ID_PersonalAllowances", "Pers", "&Allowances", "Allowances", "Personal Allowances Worksheet",
             "Ctrl+4", "A", 0xd08a2e, FormId::PersWkSht, true},
            {"ID_DeductionsAdjustments", "Ded", "A&djustments", "Adjustments",
             "Deductions and Adjustments Worksheet", "Ctrl+5", "D", 0xd08a2e, FormId::DeductionsWkSht, true},
            {"ID_TwoWorkers", "TwoWork", "&Two Workers", "Two Workers", "Two-Earner/Two-Job Worksheet", "Ctrl+6",
             "2", 0xd08a2e, FormId::TwoEarnerWkSht, true},
            {"ID_DisplayFormW4", "W4", "Display &W4", "Display W4", "Show and print your Form W-4", "Ctrl+7",
             "W4", 0xd08a2e, FormId::W4View, true},
        },
        {
            {"ID_WagemarkHelp", "Help", "Wagemark &Help", "Wagemark Help", "How to use Wagemark", "F1", "?",
             0x4a6fa5, std::nullopt, true},
            {"ID_W4Help", "W4Help", "W4 &Instructions/Help", "W4 Help", "Instructions for Form W-4", "Shift+F1",
             "W?", 0x4a6fa5, std::nullopt, false},
            {"ID_WagemarkWebsite", "Wagemark", "Wagemark &Website", "Website", "Open the Wagemark web page", "",
             "www", 0x4a6fa5, std::nullopt, false},
            {"ID_About", "About", "&About Wagemark", "About", "Version and credits", "", "i", 0x4a6fa5,
             FormId::About, false},
        },
    };
    return k;
}

const QString kWebsite = QStringLiteral("https://github.com/wagemark/wagemark");

// The MDI area with the day's background drawn to its full size.
class BackdropArea final : public QMdiArea {
public:
    using QMdiArea::QMdiArea;
    bool even = true;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(viewport());
        art::paintDayBackground(p, viewport()->rect(), even);
    }
};

}  // namespace

MdiShell::MdiShell(PayRecord& record, SettingsStore& settings, ErrorScheme& errors, const FormRegistry& forms,
                   ShellServices services, QWidget* parent)
    : QMainWindow(parent),
      record_(record),
      ctx_{record, settings, errors, *this},
      forms_(forms),
      services_(services),
      model_(ctx_),
      mdi_(nullptr),
      listBar_(new ListBar),
      toolBar_(new QToolBar(tr("Tools"), this))
{
    setObjectName(QStringLiteral("MDIOpen"));
    setWindowIcon(art::appIcon());
    errors.setModuleVariables("MDIOpen", [this] {
        return VarList{"intMenuState", model_.moduleVariablesText()};
    });

    mdi_ = new BackdropArea(this);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) { refreshCurrentCode(); });

    watchSettings();
    // Load, in order: help, background, preferences, caption.
    model_.load();
    services_.help.setAppHelp(this, QCoreApplication::applicationDirPath());
    setBackgroundDay(QDate::currentDate().day());
    setWindowTitle(tr("Wagemark"));

    buildCommands();
    mirrorPreferences();
    restoreGeometryFromSettings();
}

MdiShell::~MdiShell()
{
    ctx_.errors.clearModuleVariables("MDIOpen");
    ctx_.settings.onUnreadable = nullptr;
    ctx_.settings.onSaveFailed = nullptr;
    ctx_.settings.onLeftOut = nullptr;
    // Children go first, while the context they hold is still alive, and
    // without calling back into this half-destroyed window.
    disconnect(mdi_, nullptr, this, nullptr);
    for (QMdiSubWindow* sub : mdi_->findChildren<QMdiSubWindow*>()) {
        disconnect(sub, nullptr, this, nullptr);
        delete sub;
    }
}

void MdiShell::setBackgroundDay(int day)
{
    const bool even = ShellModel::evenDay(day);
    static_cast<BackdropArea*>(mdi_)->even = even;
    mdi_->setProperty("evenDay", even);
    mdi_->viewport()->update();
}

void MdiShell::buildCommands()
{
    toolBar_->setObjectName(QStringLiteral("atbMain"));
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    addToolBar(Qt::TopToolBarArea, toolBar_);

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

    auto addAction = [this](const Command& c, QMenu* menu) {
        auto* a = new QAction(art::commandIcon(QString::fromLatin1(c.glyph), QColor(c.color)),
                              tr(c.text), this);
        a->setObjectName(QString::fromLatin1(c.tool));
        a->setIconText(tr(c.listText));
        if (*c.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut)));
        const bool ok = !c.form || forms_.has(*c.form);
        const QString tip = ok ? tr(c.tip) : kNotAvailable;
        a->setToolTip(tip);
        a->setStatusTip(tip);
        a->setEnabled(ok);
        const QString key = a->objectName();
        connect(a, &QAction::triggered, this, [this, key] { toolCommand(key); });
        menu->addAction(a);
        actions_[key] = a;
        if (c.onToolBar) toolBar_->addAction(a);
        if (c.list) {
            QToolButton* b = listBar_->addItem(QString::fromLatin1(c.list), tr(c.listText), a->icon(), tip);
            b->setEnabled(ok);
        }
    };

    const auto& cmds = commands();
    for (std::size_t m = 0; m < cmds.size(); ++m) {
        QMenu* menu = menuBar()->addMenu(tr(kMenus[m].text));
        menu->setObjectName(QString::fromLatin1(kMenus[m].key));
        menu->setToolTipsVisible(true);
        listBar_->addGroup(tr(kMenus[m].group));
        for (const Command& c : cmds[m]) {
            if (m == 0 && std::string_view(c.tool) == "ID_Exit") menu->addSeparator();
            addAction(c, menu);
        }
        if (m + 1 < cmds.size()) toolBar_->addSeparator();
        if (m == 0) {
            // Preferences come second, between File and Calculate.
            QMenu* prefs = menuBar()->addMenu(tr("&Preferences"));
            prefs->setObjectName(QStringLiteral("ID_Edit"));
            prefs->setToolTipsVisible(true);
            auto group = [this](QMenu* parent, const QString& title, const QString& tip,
                                std::initializer_list<std::pair<const char*, const char*>> items) {
                QMenu* sub = parent->addMenu(title);
                sub->setToolTipsVisible(true);
                auto* g = new QActionGroup(this);
                g->setExclusive(true);
                for (const auto& [key, text] : items) {
                    auto* a = new QAction(tr(text), g);
                    a->setObjectName(QString::fromLatin1(key));
                    a->setCheckable(true);
                    if (!tip.isEmpty()) a->setToolTip(tip);
                    sub->addAction(a);
                    actions_[a->objectName()] = a;
                    const QString k = a->objectName();
                    // Only a user's choice acts; mirroring the settings does not.
                    connect(a, &QAction::triggered, this, [this, k](bool on) {
                        if (on) toolCommand(k);
                    });
                }
            };
            group(prefs, tr("&Background"), {},
                  {{"ID_BackgroundPictures", "Background &Pictures"}, {"ID_BackgroundPatterns", "Background P&atterns"}});
            group(prefs, tr("&Menu Animations"), {},
                  {{"ID_None", "&None"}, {"ID_Slide", "&Slide"}, {"ID_Unfold", "&Unfold"}, {"ID_Random", "&Random"}});
            group(prefs, tr("&Show/Hide State Label"), tr("Show or Hide the State Alert Label"),
                  {{"ID_ShowLabel", "&Show Label"}, {"ID_HideLabel", "&Hide Label"}});
        }
    }
    statusBar()->showMessage(tr("Ready"));
}

void MdiShell::mirrorPreferences()
{
    const int label = model_.labelTool();
    actions_["ID_ShowLabel"]->setChecked(label > 0);
    actions_["ID_HideLabel"]->setChecked(label < 0);
    if (label == 0) {
        // A stored value other than 10 or 20 leaves both tools unselected.
        actions_["ID_ShowLabel"]->actionGroup()->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        actions_["ID_ShowLabel"]->setChecked(false);
        actions_["ID_HideLabel"]->setChecked(false);
    }
    static const char* kAnim[] = {"ID_None", "ID_Random", "ID_Unfold", "ID_Slide"};
    actions_[kAnim[static_cast<int>(model_.menuAnimation())]]->setChecked(true);
    actions_[model_.patterns() ? "ID_BackgroundPatterns" : "ID_BackgroundPictures"]->setChecked(true);
}

QAction* MdiShell::action(const QString& key) const
{
    auto it = actions_.find(key);
    return it == actions_.end() ? nullptr : it->second;
}

void MdiShell::showStartForm()
{
    const FormId start = model_.startForm();
    if (forms_.has(start)) open(start);
    else if (forms_.has(FormId::Main)) open(FormId::Main);
}

MainCalculatorHooks* MdiShell::mainHooks() const { return dynamic_cast<MainCalculatorHooks*>(form(FormId::Main)); }

void MdiShell::toolCommand(const QString& key)
{
    if (key == "ID_New") {
        if (model_.newClearsMain())
            if (MainCalculatorHooks* m = mainHooks()) {
                m->proClear();
                model_.clearResults();
            }
    } else if (key == "ID_SetStateOptions") {
        open(FormId::StateOptions);
    } else if (key == "ID_PersonalInformation") {
        open(FormId::PersonalInfo);
    } else if (key == "ID_Exit") {
        QMainWindow::close();
    } else if (key == "ID_Calc") {
        open(FormId::Main);
    } else if (key == "ID_Multiple") {
        open(FormId::MultiCheck);
    } else if (key == "ID_AnalyzePay") {
        if (!model_.canAnalyze()) {
            QMessageBox box(QMessageBox::Warning, QString::fromUtf8(ShellModel::kNothingTitle.data()),
                            QString::fromUtf8(ShellModel::kNothingText.data()), QMessageBox::Ok, this);
            box.setObjectName(QStringLiteral("msgNothingToWorkWith"));
            box.setWindowModality(Qt::ApplicationModal);
            box.exec();
            return;
        }
        open(FormId::Analysis);
    } else if (key == "ID_YearCheck") {
        open(FormId::YearCheck);
    } else if (key == "ID_PersonalAllowances") {
        open(FormId::PersWkSht);
    } else if (key == "ID_DeductionsAdjustments") {
        open(FormId::DeductionsWkSht);
    } else if (key == "ID_TwoWorkers") {
        open(FormId::TwoEarnerWkSht);
    } else if (key == "ID_DisplayFormW4") {
        open(FormId::W4View);
    } else if (key == "ID_W4Help") {
        showHelp(kW4HelpContext);
    } else if (key == "ID_WagemarkHelp") {
        showHelp(0);
    } else if (key == "ID_About") {
        open(FormId::About);
    } else if (key == "ID_WagemarkWebsite") {
        if (!services_.browser.open(kWebsite))
            QMessageBox::information(this, tr("Wagemark Website"),
                                     tr("No web browser could be started. The Wagemark web page is %1").arg(kWebsite));
    } else if (key == "ID_BackgroundPictures" || key == "ID_BackgroundPatterns") {
        model_.setBackgroundDesign(key == "ID_BackgroundPictures" ? kPictures : kPatterns);
        if (MainCalculatorHooks* m = mainHooks()) m->properPicture();
    } else if (key == "ID_ShowLabel" || key == "ID_HideLabel") {
        const bool show = key == "ID_ShowLabel";
        actions_["ID_ShowLabel"]->actionGroup()->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
        model_.setStateLabel(show);
        if (MainCalculatorHooks* m = mainHooks()) m->setStateHintVisible(show);
    } else if (key == "ID_None" || key == "ID_Slide" || key == "ID_Unfold" || key == "ID_Random") {
        const MenuAnimation style = key == "ID_None"    ? MenuAnimation::None
                                    : key == "ID_Slide" ? MenuAnimation::Slide
                                    : key == "ID_Unfold" ? MenuAnimation::Unfold
                                                         : MenuAnimation::Random;
        model_.setMenuAnimation(style);
        listBar_->setAnimation(style);
    }
}

void MdiShell::listCommand(const QString& key)
{
    static const std::map<QString, QString> kToTool = {
        {"StateInfo", "ID_SetStateOptions"}, {"Personal", "ID_PersonalInformation"},
        {"Exit", "ID_Exit"},                 {"Calc", "ID_Calc"},
        {"Multi", "ID_Multiple"},            {"Anal", "ID_AnalyzePay"},
        {"Year", "ID_YearCheck"},
        {"Pers", "ID_PersonalAllowances"},   {"Ded", "ID_DeductionsAdjustments"},
        {"TwoWork", "ID_TwoWorkers"},        {"W4", "ID_DisplayFormW4"},
        {"W4Help", "ID_W4Help"},             {"Help", "ID_WagemarkHelp"},
        {"About", "ID_About"},               {"Wagemark", "ID_WagemarkWebsite"},
    };
    if (key == "NewFile") {
        // The user asked for a clear calculator: give one, whatever was current.
        open(FormId::Main);
        if (MainCalculatorHooks* m = mainHooks()) {
            m->proClear();
            model_.clearResults();
        }
        return;
    }
    auto it = kToTool.find(key);
    if (it == kToTool.end()) return;
    // The list bar replaces the current form with the one it opens.
    if (record_.frmLoaded != "0" && !record_.frmLoaded.empty())
        if (QMdiSubWindow* active = mdi_->currentSubWindow()) active->close();
    toolCommand(it->second);
}

QWidget* MdiShell::form(FormId id) const
{
    QMdiSubWindow* sub = subWindow(id);
    return sub ? sub->widget() : nullptr;
}

QMdiSubWindow* MdiShell::subWindow(FormId id) const
{
    auto it = open_.find(id);
    return it == open_.end() ? nullptr : it->second.data();
}

void MdiShell::open(FormId id)
{
    if (closing_) return;
    const FormEntry* entry = forms_.find(id);
    if (!entry) {
        QMessageBox::information(this, tr("Wagemark"), kNotAvailable + QLatin1Char('.'));
        return;
    }
    if (entry->kind == FormKind::Modal) {
        runModal(*entry);
        return;
    }
    if (QMdiSubWindow* sub = subWindow(id)) {
        if (entry->kind == FormKind::Maximized) sub->showMaximized();
        else sub->showNormal();
        mdi_->setActiveSubWindow(sub);
        sub->widget()->setFocus();
        return;
    }
    record_.frmLoaded = entry->code;
    QWidget* w = entry->make(ctx_, nullptr);
    if (w->objectName().isEmpty()) w->setObjectName(QString::fromLatin1(entry->objectName));
    if (w->windowTitle().isEmpty()) w->setWindowTitle(entry->caption);
    QMdiSubWindow* sub = mdi_->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setObjectName(QString::fromLatin1(entry->objectName) + QStringLiteral("Window"));
    sub->setProperty("formCode", QString::fromLatin1(entry->code));
    if (w->windowIcon().isNull()) sub->setWindowIcon(art::appIcon());
    w->installEventFilter(this);
    open_[id] = sub;
    connect(sub, &QObject::destroyed, this, [this, id] {
        open_.erase(id);
        QTimer::singleShot(0, this, [this] { refreshCurrentCode(); });
    });
    if (entry->kind == FormKind::Maximized) sub->showMaximized();
    else sub->show();
    mdi_->setActiveSubWindow(sub);
    record_.frmLoaded = entry->code;
}

bool MdiShell::eventFilter(QObject* watched, QEvent* event)
{
    // A form that closes itself takes its child window along.
    if (event->type() == QEvent::Close) {
        auto* w = qobject_cast<QWidget*>(watched);
        for (auto& [id, sub] : open_) {
            if (sub && sub->widget() == w) {
                QPointer<QMdiSubWindow> target = sub;
                QTimer::singleShot(0, this, [target, w] {
                    if (target && target->widget() == w && !w->isVisibleTo(target)) target->close();
                });
                break;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MdiShell::runModal(const FormEntry& entry)
{
    const std::string before = record_.frmLoaded;
    record_.frmLoaded = entry.code;
    ++modalDepth_;
    QWidget* w = entry.make(ctx_, this);
    auto* dialog = qobject_cast<QDialog*>(w);
    if (!dialog) {
        dialog = new QDialog(this);
        auto* lay = new QVBoxLayout(dialog);
        w->setParent(dialog);
        lay->addWidget(w);
        dialog->setWindowTitle(w->windowTitle().isEmpty() ? entry.caption : w->windowTitle());
    }
    if (dialog->objectName().isEmpty()) dialog->setObjectName(QString::fromLatin1(entry.objectName));
    if (dialog->windowTitle().isEmpty()) dialog->setWindowTitle(entry.caption);
    dialog->exec();
    delete dialog;
    --modalDepth_;
    record_.frmLoaded = before;
    refreshCurrentCode();
}

void MdiShell::close(FormId id)
{
    if (QMdiSubWindow* sub = subWindow(id)) sub->close();
}

void MdiShell::sendToMain(const std::string& incomeText, int howOft)
{
    open(FormId::Main);
    if (MainCalculatorHooks* m = mainHooks()) m->receiveIncome(incomeText, howOft);
}

void MdiShell::calculateWithExemptions(int count)
{
    open(FormId::Main);
    if (MainCalculatorHooks* m = mainHooks()) m->calculateWithExemptions(count);
}

void MdiShell::showHelp(int context) { services_.help.show(context); }

void MdiShell::refreshCurrentCode()
{
    if (modalDepth_ > 0) return;
    QMdiSubWindow* sub = mdi_->currentSubWindow();
    if (sub && sub->isVisible())
        record_.frmLoaded = sub->property("formCode").toString().toStdString();
    else if (mdi_->subWindowList().isEmpty())
        record_.frmLoaded = "0";
}

void MdiShell::closeEvent(QCloseEvent* event)
{
    // Quitting: a form that would open another as it closes (personal
    // information opens the calculator) opens nothing now, even while a
    // message below waits for the user.
    closing_ = true;
    saveGeometryToSettings();
    // Children first: a form may still save what it holds.
    mdi_->closeAllSubWindows();
    // A save that failed just now is said before the window goes.
    tellSaveFailed();
    if (!mdi_->subWindowList().isEmpty()) {
        closing_ = false;  // a form kept itself open: the program goes on
        event->ignore();
        return;
    }
    services_.help.quit();
    model_.unload();
    event->accept();
}

void MdiShell::watchSettings()
{
    SettingsStore& store = ctx_.settings;
    store.onUnreadable = [this](const UnreadableSetting& u) {
        QString line = tr("[%1] %2 = \"%3\"  (now %4)")
                           .arg(QString::fromStdString(u.section), QString::fromStdString(u.key),
                                QString::fromStdString(u.text), QString::fromStdString(u.replacement));
        if (!u.expected.empty()) line += tr("\n    %1").arg(QString::fromStdString(u.expected));
        unreadable_ << line;
        // Forms read their settings while they are being built: the message
        // waits until they are.
        if (unreadable_.size() == 1) QTimer::singleShot(0, this, [this] { tellUnreadableSettings(); });
    };
    store.onLeftOut = [this](const std::string& where, const std::string& what) {
        leftOut_ = tr("The settings file %1 holds more than Wagemark keeps in it.\n%2")
                       .arg(QString::fromStdString(where), QString::fromStdString(what));
        QTimer::singleShot(0, this, [this] { tellUnreadableSettings(); });
    };
    store.onSaveFailed = [this](const std::string& where, const std::string& why) {
        saveWhere_ = QString::fromStdString(where);
        saveWhy_ = QString::fromStdString(why);
        QTimer::singleShot(0, this, [this] { tellSaveFailed(); });
    };
}

void MdiShell::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!unreadable_.isEmpty() || !leftOut_.isEmpty()) QTimer::singleShot(0, this, [this] { tellUnreadableSettings(); });
    if (!saveWhere_.isEmpty()) QTimer::singleShot(0, this, [this] { tellSaveFailed(); });
}

void MdiShell::tellUnreadableSettings()
{
    if ((unreadable_.isEmpty() && leftOut_.isEmpty()) || !isVisible()) return;
    // One notice for all that was wrong with the stored settings.
    QStringList parts;
    if (!leftOut_.isEmpty()) parts << std::exchange(leftOut_, {});
    if (!unreadable_.isEmpty()) {
        QString text = tr("Wagemark could not use these saved settings (unreadable or out of range) and uses "
                           "their defaults instead:\n\n%1")
                           .arg(unreadable_.join(QLatin1Char('\n')));
        const QString where = QString::fromStdString(ctx_.settings.location());
        if (!where.isEmpty()) text += tr("\n\nSettings file: %1").arg(where);
        parts << text;
        unreadable_.clear();
    }
    QMessageBox box(QMessageBox::Warning, tr("Wagemark - Settings"), parts.join(QStringLiteral("\n\n")),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("msgUnreadableSettings"));
    box.exec();
}

void MdiShell::tellSaveFailed()
{
    if (saveWhere_.isEmpty() || !isVisible()) return;
    const QString after = closing_ ? tr("Wagemark ends now; the settings of this session are not kept.")
                                   : tr("Your entries are kept while Wagemark runs, and each later save tries again. "
                                        "This message is not shown again.");
    const QString text = tr("Wagemark could not save your settings in %1.\n%2\n\n%3").arg(saveWhere_, saveWhy_, after);
    saveWhere_.clear();
    saveWhy_.clear();
    QMessageBox box(QMessageBox::Warning, tr("Wagemark - Settings not saved"), text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("msgSettingsNotSaved"));
    box.exec();
}

void MdiShell::saveGeometryToSettings()
{
    ctx_.settings.save("Window", "Geometry", saveGeometry().toBase64().toStdString());
}

void MdiShell::restoreGeometryFromSettings()
{
    const std::string saved = ctx_.settings.get("Window", "Geometry", "");
    if (!saved.empty() && restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(saved)))) return;
    const QRect avail = screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 900);
    const QSize size(qMin(1120, avail.width() - 40), qMin(800, avail.height() - 40));
    resize(size);
    move(avail.center() - QPoint(size.width() / 2, size.height() / 2));
}

}  // namespace wm
