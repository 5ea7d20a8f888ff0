#include "shell/ui/error_report_dialog.h"

#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "qtcore/qt_text.h"
#include "qtcore/whole_file.h"

namespace wm {

QString ErrorReportDialog::summary(const ReportData& data)
{
    return QObject::tr("Wagemark could not finish a step.\n\n"
                       "What failed: %1 (error %2)\n"
                       "Where: module %3, procedure %4, line %5")
        .arg(qs(data.field("Description")), qs(data.field("Error Number")), qs(data.field("Module Name")),
             qs(data.field("Procedure Name")), qs(data.field("Line Number")));
}

ErrorReportDialog::ErrorReportDialog(const ReportData& data, const QString& logNote, QWidget* parent)
    : QDialog(parent), details_(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frmErrorReport"));
    setWindowTitle(QObject::tr("%1 - Error Report").arg(qs(data.appTitle.empty() ? "Wagemark" : data.appTitle)));
    setModal(true);

    QHBoxLayout* top = buildMessage(data, logNote);
    QToolButton* toggle = buildDetails(data);
    QDialogButtonBox* box = buildAnswers();
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(toggle, 0, Qt::AlignLeft);
    lay->addWidget(details_, 1);
    lay->addWidget(box);
    setMinimumWidth(520);
}

// The icon, what failed, where the report was logged and what each answer does.
QHBoxLayout* ErrorReportDialog::buildMessage(const ReportData& data, const QString& logNote)
{
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(40, 40));
    icon->setAlignment(Qt::AlignTop);
    auto* text = new QLabel(summary(data), this);
    text->setObjectName(QStringLiteral("lblSummary"));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setWordWrap(true);
    auto* advice = new QLabel(logNote, this);
    advice->setObjectName(QStringLiteral("lblLog"));
    advice->setWordWrap(true);
    advice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* choices = new QLabel(QObject::tr("Abort stops the command. Retry runs the step again. "
                                           "Ignore skips the step and goes on. Close leaves the procedure."),
                               this);
    choices->setWordWrap(true);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    auto* right = new QVBoxLayout;
    right->addWidget(text);
    right->addWidget(advice);
    right->addWidget(choices);
    top->addLayout(right, 1);
    return top;
}

// The report's full text, shown under "Details".
QToolButton* ErrorReportDialog::buildDetails(const ReportData& data)
{
    auto* toggle = new QToolButton(this);
    toggle->setObjectName(QStringLiteral("cmdDetails"));
    toggle->setText(QObject::tr("&Details"));
    toggle->setCheckable(true);
    toggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toggle->setArrowType(Qt::RightArrow);
    details_->setObjectName(QStringLiteral("txtDetails"));
    details_->setReadOnly(true);
    details_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    details_->setPlainText(qs(data.text()));
    // Six lines at least; it scrolls for the rest.
    details_->setMinimumHeight(details_->fontMetrics().lineSpacing() * 6 + 2 * details_->frameWidth() + 8);
    details_->hide();
    connect(toggle, &QToolButton::toggled, this, [this, toggle](bool on) {
        details_->setVisible(on);
        toggle->setArrowType(on ? Qt::DownArrow : Qt::RightArrow);
        // Open: as tall as the report wants, within the screen (adjustSize
        // would stop at two thirds of it and squeeze the answers over the
        // report); closed: back to the message.
        layout()->activate();
        const QSize room = screen()->availableGeometry().size() - QSize(0, 60);
        const int height = on ? qBound(minimumSizeHint().height(), 480, room.height())
                              : minimumSizeHint().height();
        resize(width(), qMax(height, minimumSizeHint().height()));
    });
    return toggle;
}

QDialogButtonBox* ErrorReportDialog::buildAnswers()
{
    auto* box = new QDialogButtonBox(this);
    auto add = [&](const QString& text, const char* name, Action answer) {
        auto* b = box->addButton(text, QDialogButtonBox::ActionRole);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, answer] { choose(static_cast<int>(answer)); });
        return b;
    };
    QPushButton* abort = add(QObject::tr("&Abort"), "cmdAbort", Action::Raise);
    add(QObject::tr("&Retry"), "cmdRetry", Action::Retry);
    add(QObject::tr("&Ignore"), "cmdIgnore", Action::Continue);
    add(QObject::tr("&Close"), "cmdClose", Action::Leave);
    abort->setDefault(true);
    abort->setAutoDefault(true);
    abort->setFocus();
    return box;
}

void ErrorReportDialog::choose(int code)
{
    action_ = code;
    accept();
}

QString GuiErrorReport::defaultLogFile()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return dir.isEmpty() ? QString() : QDir(dir).filePath(QStringLiteral("errors.log"));
}

bool GuiErrorReport::appendToLog(const QString& file, const ReportData& data, QString* why)
{
    if (file.isEmpty()) {
        if (why) *why = QObject::tr("There is no folder for it.");
        return false;
    }
    const QByteArray entry = "---- " + QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + '\n' +
                             QByteArray::fromStdString(data.text()) + '\n';
    QString reason;
    if (appendWhole(file, entry, &reason)) return true;
    if (why) *why = reason.endsWith('.') ? reason : reason + '.';
    return false;
}

QString GuiErrorReport::logNote(const QString& file, bool logged, const QString& why)
{
    const QString where = QDir::toNativeSeparators(file);
    if (logged) return QObject::tr("This report was also written to %1.").arg(where);
    if (file.isEmpty()) return QObject::tr("This report could not be written to a log file. %1").arg(why);
    return QObject::tr("This report could not be written to %1. %2").arg(where, why);
}

int GuiErrorReport::reportError()
{
    const QString file = logFile_.isEmpty() ? defaultLogFile() : logFile_;
    QString why;
    const bool logged = appendToLog(file, data, &why);
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent) parent = QApplication::activeWindow();
    ErrorReportDialog dialog(data, logNote(file, logged, why), parent);
    dialog.exec();
    return dialog.action();
}

}  // namespace wm
