#include "shell/ui/help_window.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QKeyEvent>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "shell/logic/shell_model.h"
#include "ui/focus.h"
#include "ui/artwork.h"

namespace wm {

namespace {
struct Topic {
    const char* page;
    const char* title;
};
constexpr Topic kTopics[] = {
    {"index.html", "Contents"},
    {"calculator.html", "The calculator"},
    {"state_options.html", "State options"},
    {"local_tax_raise.html", "Local tax and pay raise"},
    {"worksheets.html", "Form W-4 worksheets"},
    {"w4_instructions.html", "Form W-4 instructions"},
    {"tools.html", "Multiple checks and pay analysis"},
    {"year_check.html", "Year Check"},
    {"printing.html", "Printing"},
    {"menus.html", "Menus, tool bar and list bar"},
    {"preferences.html", "Preferences and settings"},
    {"errors.html", "When something goes wrong"},
};
}  // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser), contents_(new QListWidget)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Wagemark Help"));
    setWindowIcon(art::appIcon());
    browser_->setObjectName(QStringLiteral("txtHelp"));
    browser_->setAccessibleName(tr("Help page"));
    browser_->setSearchPaths({QStringLiteral(":/help")});
    QFile css(QStringLiteral(":/help/style.css"));
    if (css.open(QIODevice::ReadOnly)) browser_->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));
    browser_->setOpenExternalLinks(true);
    contents_->setObjectName(QStringLiteral("lstContents"));
    contents_->setAccessibleName(tr("Help contents"));
    for (const Topic& t : kTopics) {
        auto* item = new QListWidgetItem(tr(t.title), contents_);
        item->setData(Qt::UserRole, QString::fromLatin1(t.page));
    }
    connect(contents_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toString()); });
    connect(contents_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toString()); });

    auto* back = new QPushButton(tr("&Back"));
    back->setObjectName(QStringLiteral("cmdBack"));
    auto* forward = new QPushButton(tr("&Forward"));
    forward->setObjectName(QStringLiteral("cmdForward"));
    auto* close = new QPushButton(tr("&Close"));
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    back->setEnabled(false);
    forward->setEnabled(false);

    auto* split = new QSplitter;
    split->addWidget(contents_);
    split->addWidget(browser_);
    split->setStretchFactor(1, 1);
    split->setSizes({250, 570});
    auto* row = new QHBoxLayout;
    row->addWidget(back);
    row->addWidget(forward);
    row->addStretch(1);
    row->addWidget(close);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(split, 1);
    lay->addLayout(row);
    chainTabOrder({contents_, browser_, back, forward, close});
    resize(820, 600);
}

void HelpWindow::keyPressEvent(QKeyEvent* e)
{
    // Esc closes help, as it closes a dialog.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

void HelpWindow::showPage(const QString& page)
{
    browser_->setSource(QUrl(page));
    for (int i = 0; i < contents_->count(); ++i)
        if (contents_->item(i)->data(Qt::UserRole).toString() == page) contents_->setCurrentRow(i);
}

QRect helpPlacement(const QRect& mainFrame, const QRect& available, QSize size)
{
    // Never the whole screen: it would cover the program like a corner-to-
    // corner window.
    size = size.boundedTo(available.size() * 0.9);
    const int y = qBound(available.top(), mainFrame.top() + 40, available.bottom() - size.height() + 1);
    if (available.right() - mainFrame.right() >= size.width())
        return {QPoint(mainFrame.right() + 1, y), size};
    if (mainFrame.left() - available.left() >= size.width())
        return {QPoint(mainFrame.left() - size.width(), y), size};
    const int x = qBound(available.left(), mainFrame.right() - size.width() - 24, available.right() - size.width() + 1);
    return {QPoint(x, y), size};
}

QtHelpService::~QtHelpService() { quit(); }

void QtHelpService::setAppHelp(QWidget* mainWindow, const QString& appDir)
{
    mainWindow_ = mainWindow;
    helpFile_ = QString::fromStdString(helpFilePath(appDir.toStdString()));
}

QString QtHelpService::pageFor(int context)
{
    if (context == kW4HelpContext) return QStringLiteral("w4_instructions.html");
    if (context == kYearCheckHelpContext) return QStringLiteral("year_check.html");
    return QStringLiteral("index.html");
}

void QtHelpService::show(int context)
{
    if (!window_) {
        // A window of its own that stays with the main window, beside or
        // over it.
        window_ = new HelpWindow(mainWindow_);
        window_->setAttribute(Qt::WA_DeleteOnClose);
        if (mainWindow_) {
            const QScreen* screen = mainWindow_->screen();
            const QRect available = screen ? screen->availableGeometry() : mainWindow_->frameGeometry();
            window_->setGeometry(helpPlacement(mainWindow_->frameGeometry(), available, window_->size()));
        }
        // A help file beside the program is searched first.
        if (!helpFile_.isEmpty() && QFileInfo::exists(helpFile_))
            window_->browser()->setSearchPaths({QFileInfo(helpFile_).absolutePath(), QStringLiteral(":/help")});
    }
    QString page = pageFor(context);
    if (context == 0 && !helpFile_.isEmpty() && QFileInfo::exists(helpFile_)) page = QFileInfo(helpFile_).fileName();
    window_->showPage(page);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void QtHelpService::quit()
{
    if (window_) window_->close();
}

}  // namespace wm
