#include "shell/ui/mdi_shell.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QDialog>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "shell/ui/list_bar.h"
#include "ui/accessibility.h"
#include "ui/artwork.h"
#include "ui/main_hooks.h"

namespace wm {

namespace {

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

MdiShell::MdiShell(PayRecord& record, WindowState& state, SettingsStore& settings, ErrorScheme& errors,
                   const FormRegistry& forms, ShellServices services, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      ctx_{record, state, settings, errors, *this},
      forms_(forms),
      services_(services),
      model_(ctx_),
      mdi_(nullptr),
      listBar_(new ListBar),
      toolBar_(new QToolBar(tr("Tools"), this))
{
    // Before any form is made: a control keeps the interface it was first given.
    installAccessibleNames();
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
        QMessageBox::information(this, tr("Wagemark"), tr(kNotAvailable) + QLatin1Char('.'));
        return;
    }
    if (entry->kind == FormKind::Owned) {
        // Its own form runs it: that form is what can be opened.
        if (entry->owner != id) open(entry->owner);
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
    state_.frmLoaded = entry->code;
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
    state_.frmLoaded = entry->code;
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
    const std::string before = state_.frmLoaded;
    state_.frmLoaded = entry.code;
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
    state_.frmLoaded = before;
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

void MdiShell::calculateInState(int state)
{
    open(FormId::Main);
    if (MainCalculatorHooks* m = mainHooks()) m->calculateInState(state);
}

void MdiShell::showHelp(int context) { services_.help.show(context); }

void MdiShell::refreshCurrentCode()
{
    if (modalDepth_ > 0) return;
    QMdiSubWindow* sub = mdi_->currentSubWindow();
    if (sub && sub->isVisible())
        state_.frmLoaded = sub->property("formCode").toString().toStdString();
    else if (mdi_->subWindowList().isEmpty())
        state_.frmLoaded = kNoFormCode;
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
    // A screen with little room beyond that: the whole of it, frame and all
    // on screen (the size above stays for Restore).
    if (avail.width() < 1160 + 40 || avail.height() < 800 + 80) setWindowState(windowState() | Qt::WindowMaximized);
}

}  // namespace wm
