#pragma once
// The error report of the desktop program: a dialog that says in plain
// words what failed, with the variables under "Details", and a log of every
// report in the user's data folder.
//
// Answers: Abort (3, raise the error to the caller; the default), Retry (4,
// run the statement again), Ignore (5, go on after it), Close (0, leave the
// procedure).

#include <QDialog>
#include <QString>

#include "record/runtime_error.h"

class QDialogButtonBox;
class QHBoxLayout;
class QPlainTextEdit;
class QToolButton;
class QPushButton;

namespace wm {

class ErrorReportDialog final : public QDialog {
    Q_OBJECT
public:
    // `logNote`: the sentence about the log (written to it, or why not).
    ErrorReportDialog(const ReportData& data, const QString& logNote, QWidget* parent = nullptr);
    // The action code the user chose (0 when closed by the window frame).
    int action() const { return action_; }

    // "The step ... failed" sentence shown at the top.
    static QString summary(const ReportData& data);

private:
    QHBoxLayout* buildMessage(const ReportData& data, const QString& logNote);
    QToolButton* buildDetails(const ReportData& data);
    QDialogButtonBox* buildAnswers();
    void choose(int code);
    int action_ = 0;
    QPlainTextEdit* details_;
};

class GuiErrorReport final : public BasicErrorReport {
public:
    // logFile empty: the user's data folder (AppDataLocation)/errors.log.
    explicit GuiErrorReport(QString logFile = {}) : logFile_(std::move(logFile)) {}
    int reportError() override;

    static QString defaultLogFile();
    // Appends the report to the log, whole or not at all; false, with the
    // reason in `why`, when it could not be written.
    static bool appendToLog(const QString& file, const ReportData& data, QString* why = nullptr);
    // What the dialog says about the log.
    static QString logNote(const QString& file, bool logged, const QString& why);

private:
    QString logFile_;
};

}  // namespace wm
