// The program started on a settings file a careless hand or a full disk left
// behind: it stays up, the calculator works, the user is told which value
// was replaced, and the next start is clean. Also: every answer to a report
// during a form's load, and a settings file that cannot be saved.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QCoreApplication>
#include <QtTest>
#include <deque>

#include "forms/main/ui/main_form.h"
#include "qtcore/qt_settings_store.h"
#include "shell/ui/mdi_shell.h"
#include "support/shell_fixture.h"
#include "ui/form_registry.h"

namespace wm {
namespace {

// Answers reports from a script (Close when it runs out) and counts them.
class ScriptedReport final : public BasicErrorReport {
public:
    int reportError() override
    {
        procedures << QString::fromStdString(data.field("Procedure Name"));
        if (answers.empty()) return 0;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    static inline std::deque<int> answers;
    static inline QStringList procedures;
};

// Closes every message box as it shows and keeps what it said.
struct MessageWatch {
    QStringList names, texts;
    bool on = true;
    void start()
    {
        QTimer::singleShot(0, [this] { poll(); });
    }
    void poll()
    {
        if (!on) return;
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            names << box->objectName();
            texts << box->text();
            box->accept();
        }
        QTimer::singleShot(5, [this] { poll(); });
    }
};

// The store with a fault planted in the read of one key.
class FaultyStore final : public QtSettingsStore {
public:
    FaultyStore(const QString& folder, const std::string& fault) : QtSettingsStore(folder), fault_(fault) {}
    std::string get(std::string_view app, std::string_view section, std::string_view key,
                    std::string_view def) override
    {
        if (!fault_.empty() && key == fault_) raise(err::kFileNotFound, "File not found");
        return QtSettingsStore::get(app, section, key, def);
    }
    using QtSettingsStore::get;

private:
    const std::string& fault_;
};

class HostileSettingsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<FaultyStore> settings;
    std::unique_ptr<PayRecord> record;
    std::unique_ptr<WindowState> windows;
    std::unique_ptr<ErrorScheme> errors;
    FormRegistry forms;
    test::RecordingHelp help;
    test::RecordingBrowser browser;
    std::unique_ptr<MdiShell> shell;
    MessageWatch watch;
    // The key whose read fails, as a store that cannot be read would.
    std::string plantedFault;

    QString iniFile() const { return QDir(dir->path()).filePath(QStringLiteral("Wagemark99.ini")); }
    void writeIni(const QByteArray& text)
    {
        QFile f(iniFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    // Start-up as the program does it, then the form that reads the value.
    void start(const QString& command = {})
    {
        settings = std::make_unique<FaultyStore>(dir->path(), plantedFault);
        record = std::make_unique<PayRecord>();
        windows = std::make_unique<WindowState>();
        errors = std::make_unique<ErrorScheme>(*record, [] { return std::make_unique<ScriptedReport>(); });
        reportWindowState(*errors, *windows);
        shell = std::make_unique<MdiShell>(*record, *windows, *settings, *errors, forms, ShellServices{help, browser});
        // As the program starts: the start form opens before any event is
        // handled, so whatever it cannot read joins the same notice.
        shell->show();
        shell->showStartForm();
        QVERIFY(QTest::qWaitForWindowExposed(shell.get()));
        if (!command.isEmpty()) shell->toolCommand(command);
        QCoreApplication::processEvents();  // the notices queued at start
    }
    // Income 1000, Calculate: the grid fills.
    void calculatorWorks()
    {
        shell->toolCommand(QStringLiteral("ID_Calc"));
        auto* main = qobject_cast<MainForm*>(shell->form(FormId::Main));
        QVERIFY(main);
        auto* income = main->findChild<QLineEdit*>(QStringLiteral("txtIncome"));
        income->setFocus();
        income->selectAll();
        QTest::keyClicks(income, QStringLiteral("1000"));
        QTest::mouseClick(main->findChild<QToolButton*>(QStringLiteral("cmdToolBar_0")), Qt::LeftButton);
        QCOMPARE(main->findChild<QTableWidget*>(QStringLiteral("dbgDisplay"))->rowCount(), 12);
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        registerAllForms(forms);
        watch.start();
    }
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        watch.names.clear();
        watch.texts.clear();
        ScriptedReport::answers.clear();
        ScriptedReport::procedures.clear();
        plantedFault.clear();
    }
    void cleanup() { shell.reset(); }
    void cleanupTestCase() { watch.on = false; }

    void unreadableValueIsReplacedToldAndGoneNextStart_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("command");  // opens the form that reads it
        QTest::addColumn<QString>("named");
        QTest::newRow("DontShow=x") << QByteArray("[User]\nDontShow=x\n") << "" << "[User] DontShow = \"x\"";
        QTest::newRow("Deps= (cut off)") << QByteArray("[User]\nDontShow=1\n[Settings]\nDeps=\n") << ""
                                          << "[Settings] Deps = \"\"";
        QTest::newRow("PgInst=99999999") << QByteArray("[User]\nDontShow=1\n[Settings]\nPgInst=99999999\n") << ""
                                          << "[Settings] PgInst = \"99999999\"";
        QTest::newRow("State=99") << QByteArray("[User]\nDontShow=1\n[Settings]\nState=99\n") << ""
                                  << "[Settings] State = \"99\"";
        QTest::newRow("staMarried=abc") << QByteArray("[User]\nDontShow=1\n[StateInfo]\nstaMarried=abc\n")
                                        << "ID_SetStateOptions" << "[StateInfo] staMarried = \"abc\"";
        // A picture that is not there is a setting that cannot be read.
        QTest::newRow("BckGndDsgn=zz") << QByteArray("[User]\nDontShow=1\n[Settings]\nBckGndDsgn=zz\nBckGnd=50\n") << ""
                                       << "[Settings] BckGndDsgn = \"zz\"";
        QTest::newRow("BckGnd=50") << QByteArray("[User]\nDontShow=1\n[Settings]\nBckGndDsgn=Patterns\nBckGnd=50\n")
                                   << "" << "[Settings] BckGnd = \"50\"";
        QTest::newRow("BckGnd=-1") << QByteArray("[User]\nDontShow=1\n[Settings]\nBckGndDsgn=-1\nBckGnd=-1\n") << ""
                                   << "[Settings] BckGnd = \"-1\"";
    }
    void unreadableValueIsReplacedToldAndGoneNextStart()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, command);
        QFETCH(QString, named);
        writeIni(ini);
        start(command);
        QCOMPARE(watch.names, QStringList{QStringLiteral("msgUnreadableSettings")});
        QVERIFY2(watch.texts[0].contains(named) && watch.texts[0].contains(iniFile()), qPrintable(watch.texts[0]));
        calculatorWorks();
        QVERIFY(ScriptedReport::procedures.isEmpty());

        shell.reset();
        watch.names.clear();
        start(command);
        QVERIFY2(watch.names.isEmpty(), qPrintable(watch.texts.join('\n')));
        QVERIFY(ScriptedReport::procedures.isEmpty());
    }

    // A fault in the calculator's load (a read of the store fails): each
    // answer leaves the calculator open and working.
    void everyAnswerToALoadReportLeavesTheProgramUsable_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::newRow("Abort") << QList<int>{3};
        QTest::newRow("Retry, then Abort") << QList<int>{4, 3};
        QTest::newRow("Ignore") << QList<int>{5};
        QTest::newRow("Close") << QList<int>{0};
    }
    void everyAnswerToALoadReportLeavesTheProgramUsable()
    {
        QFETCH(QList<int>, answers);
        writeIni("[User]\nDontShow=1\n");
        plantedFault = "Hours";
        ScriptedReport::answers.assign(answers.begin(), answers.end());
        start();
        plantedFault.clear();
        QCOMPARE(ScriptedReport::procedures.size(), answers.size());
        QCOMPARE(ScriptedReport::procedures.first(), QStringLiteral("Form_Load"));
        calculatorWorks();
        QVERIFY(shell->isVisible());
    }

    // A settings file grown far past its size: one notice at start, the
    // known settings kept, the rest gone at the first save.
    void overfullFileIsSaidOnceAndCleanedUp()
    {
        QByteArray text = "[User]\nDontShow=1\n[Settings]\nIncAmt=1234\n[Junk]\n";
        for (int i = 0; i < 60000; ++i) text += "key" + QByteArray::number(i) + "=junk, junk and junk\n";
        writeIni(text);
        start();
        QCOMPARE(watch.names, QStringList{QStringLiteral("msgUnreadableSettings")});
        QVERIFY2(watch.texts[0].contains(QStringLiteral("holds more than Wagemark keeps")), qPrintable(watch.texts[0]));
        auto* main = qobject_cast<MainForm*>(shell->form(FormId::Main));
        QVERIFY(main);
        QCOMPARE(main->findChild<QLineEdit*>(QStringLiteral("txtIncome"))->text(), QStringLiteral("$1,234.00"));
        calculatorWorks();
        QVERIFY(QFileInfo(iniFile()).size() < 2000);

        shell.reset();
        watch.names.clear();
        start();
        QVERIFY2(watch.names.isEmpty(), qPrintable(watch.texts.join('\n')));
    }

    // A folder where the settings file belongs: said once, naming the file
    // and the reason; the program goes on.
    void failingSaveIsSaidOnce()
    {
        QVERIFY(QDir().mkdir(iniFile()));
        start();
        calculatorWorks();
        calculatorWorks();
        shell->close();
        QCOMPARE(watch.names, QStringList{QStringLiteral("msgSettingsNotSaved")});
        QVERIFY(watch.texts[0].contains(iniFile()));
        QVERIFY(watch.texts[0].contains(QStringLiteral("A folder of that name is in its place.")));
    }

    // Quit means quit: a save that fails on the way out is said once (the
    // file and the reason), and the program then ends, also from the first
    // start, where closing personal information would open the calculator.
    void quitEndsWhenTheSaveFails()
    {
        QVERIFY(QDir().mkdir(iniFile()));
        start();
        QVERIFY(shell->form(FormId::PersonalInfo));
        QVERIFY(shell->close());
        QVERIFY(!shell->isVisible());
        QCOMPARE(watch.names, QStringList{QStringLiteral("msgSettingsNotSaved")});
        QVERIFY2(watch.texts[0].contains(iniFile()) && watch.texts[0].contains(QStringLiteral("in its place")) &&
                     watch.texts[0].contains(QStringLiteral("Wagemark ends now")),
                 qPrintable(watch.texts[0]));
        QVERIFY(!shell->form(FormId::Main));
    }
};

}  // namespace
}  // namespace wm

QTEST_MAIN(wm::HostileSettingsTest)
#include "hostile_settings_gui_test.moc"
