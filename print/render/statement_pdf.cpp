#include "print/render/statement_pdf.h"

#include <QGuiApplication>

#include <memory>

#include "print/logic/statement_builder.h"
#include "print/render/document_renderer.h"
#include "qtcore/whole_file.h"

namespace wm {

namespace {
QtMessageHandler previousHandler = nullptr;

// An application started only to lay out a page has no session; its
// complaints about that (no runtime folder) are not the user's concern.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg && message.startsWith(QLatin1String("QStandardPaths:"))) return;
    if (previousHandler) previousHandler(type, context, message);
}

// Keeps the first report's text and ends the build.
class RaisingReport final : public BasicErrorReport {
public:
    explicit RaisingReport(std::string& text) : text_(text) {}
    int reportError() override
    {
        if (text_.empty())
            text_ = data.field("Description") + " (" + data.field("Module Name") + "." +
                    data.field("Procedure Name") + ", line " + data.field("Line Number") + ")";
        return static_cast<int>(Action::Raise);
    }

private:
    std::string& text_;
};
}  // namespace

bool writeStatementPdf(const PayRecord& record, SettingsStore& settings, const std::string& path,
                       std::string& error)
{
    struct Restore {
        bool active = false;
        ~Restore()
        {
            if (active) qInstallMessageHandler(previousHandler);
        }
    } restore;
    std::unique_ptr<QGuiApplication> app;  // ends before the handler is restored
    if (!QCoreApplication::instance()) {
        previousHandler = qInstallMessageHandler(quietHandler);
        restore.active = true;
        // No display is needed to lay out a page.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "wagemark-cli";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        error = "writing a PDF needs a graphical Qt application";
        return false;
    }

    PayRecord r = record;
    // The pay statement, not printed; hours for no analysis.
    std::int16_t FromForm = 0;
    std::int16_t intAction = 1;
    std::int16_t intHours = 0;
    std::string reportText;
    ErrorScheme errors(r, [&reportText] { return std::make_unique<RaisingReport>(reportText); });
    PrintModel model(r, {FromForm, intAction, intHours}, settings, errors);
    const auto built = model.subMakePrint();
    if (!built) {
        error = "the pay statement could not be built: " + reportText;
        return false;
    }
    const QByteArray bytes = documentPdf(built->document, QStringLiteral("Pay Statement"));
    if (bytes.isEmpty()) {
        error = "the pay statement could not be laid out";
        return false;
    }
    QString why;
    if (!saveWholeFile(QString::fromStdString(path), bytes, &why)) {
        error = "the pay statement was not written to " + path + ": " + why.toStdString();
        return false;
    }
    return true;
}

}  // namespace wm
