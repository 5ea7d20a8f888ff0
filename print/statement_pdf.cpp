#include "print/statement_pdf.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QSaveFile>

#include <memory>

#include "print/document_renderer.h"
#include "print/statement_builder.h"

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
// The whole file or nothing: a regular file is replaced only once every
// byte is on disk; a device or pipe (no file to replace) gets a checked write.
bool saveWhole(const QString& path, const QByteArray& bytes, QString& error)
{
    const QFileInfo info(path);
    if (path.isEmpty() || info.isDir()) {
        error = QStringLiteral("\"%1\" is not a file name.").arg(path);
        return false;
    }
    if (info.exists() && !info.isFile()) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
            error = QStringLiteral("\"%1\" could not be written: %2").arg(path, file.errorString());
            return false;
        }
        file.close();
        return true;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = QStringLiteral("\"%1\" could not be written: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

// Lays the document out in memory, then saves it whole.
bool writePdf(const PrintDocument& doc, const QString& path, QString& error)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Pay Statement"));
        writer.setCreator(QStringLiteral("Wagemark"));
        setupPage(writer);
        if (!renderDocument(doc, writer)) {
            error = QStringLiteral("the pay statement could not be laid out");
            return false;
        }
    }
    return saveWhole(path, bytes, error);
}

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
    r.FromForm = 0;
    r.intAction = 1;
    std::string reportText;
    ErrorScheme errors(r, [&reportText] { return std::make_unique<RaisingReport>(reportText); });
    PrintModel model(r, settings, errors);
    const auto built = model.subMakePrint();
    if (!built) {
        error = "the pay statement could not be built: " + reportText;
        return false;
    }
    QString message;
    if (!writePdf(built->document, QString::fromStdString(path), message)) {
        error = message.toStdString();
        return false;
    }
    return true;
}

}  // namespace wm
