// The calculator, the state options dialog and the local tax and pay raise
// tool as a user drives them, in the main window, with a temporary settings
// folder.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "forms/main/ui/main_form.h"
#include "forms/main/ui/misc_dialog.h"
#include "qtcore/qt_text.h"
#include "states/registry.h"
#include "support/shell_fixture.h"

namespace wm {
namespace {

using test::onModal;

class MainFormTest : public QObject, test::ShellFixture {
    Q_OBJECT

    // The program with the calculator as start form; `later` is a later run
    // on the same settings.
    void start(bool later = false)
    {
        later ? restart() : ShellFixture::start();
        shell->showStartForm();
        QVERIFY(main());
    }
    MainForm* main() const { return qobject_cast<MainForm*>(shell->form(FormId::Main)); }
    template <class T>
    T* find(const char* name, QWidget* in = nullptr) const
    {
        T* w = (in ? in : static_cast<QWidget*>(main()))->findChild<T*>(QLatin1String(name));
        if (!w) qWarning("no widget %s", name);
        return w;
    }
    QString saved(const char* key, const char* section = "Settings") const
    {
        return QString::fromStdString(settings->get(section, key, "<none>"));
    }
    void type(const char* field, const QString& text) { ShellFixture::type(FormId::Main, field, text); }
    void click(const char* name, QWidget* in = nullptr)
    {
        auto* b = find<QAbstractButton>(name, in);
        // Option buttons and check boxes take clicks on their box and caption.
        const bool boxed = qobject_cast<QRadioButton*>(b) || qobject_cast<QCheckBox*>(b);
        QTest::mouseClick(b, Qt::LeftButton, {}, boxed ? QPoint(8, b->height() / 2) : QPoint());
    }
    QString cell(int row, int col) const
    {
        auto* grid = find<QTableWidget>("dbgDisplay");
        return grid->item(row, col) ? grid->item(row, col)->text() : QString();
    }

private slots:
    void initTestCase() { registerAllForms(forms); }
    void init() { freshQuiet(); }
    void cleanup() { stopClean(); }

    void firstStartShowsTheDefaults()
    {
        start();
        QCOMPARE(windows->frmLoaded, std::string("6"));
        QCOMPARE(find<QLineEdit>("txtIncome")->text(), QStringLiteral("$0.00"));
        QCOMPARE(find<QListWidget>("lstFrequency")->currentRow(), 2);
        QVERIFY(find<QRadioButton>("optStatus_0")->isChecked());
        QCOMPARE(find<QComboBox>("cboState")->currentText(), QStringLiteral("No State"));
        QCOMPARE(find<QComboBox>("cboExemptions")->currentText(), QStringLiteral("0"));
        QVERIFY(!find<QCheckBox>("chkSelfEmployed")->isChecked());
        QCOMPARE(find<QTableWidget>("dbgDisplay")->rowCount(), 0);
        QVERIFY(!find<QToolButton>("cmdToolBar_1")->isEnabled());
        QVERIFY(!find<QToolButton>("cmdToolBar_2")->isEnabled());
        QVERIFY(!find<QPushButton>("cmdAdditional_1")->isVisible());
        QCOMPARE(find<QPushButton>("cmdAdditional_0")->text().remove(QLatin1Char('&')), QStringLiteral("  Local Tax  "));
        QCOMPARE(main()->model().Pic, 1);
    }

    void calculateFillsTheGridSavesAndALaterStartRestores()
    {
        start();
        type("txtIncome", "1250");
        type("txtHours", "");
        auto* state = find<QComboBox>("cboState");
        state->setCurrentIndex(27);
        emit state->activated(27);
        find<QListWidget>("lstFrequency")->setCurrentRow(0);
        click("optStatus_1");
        QVERIFY(find<QRadioButton>("optStatus_1")->isChecked());
        QCOMPARE(record->valMarried, std::int16_t(1));
        click("cmdToolBar_0");
        QCOMPARE(record->valMarried, std::int16_t(1));
        auto* grid = find<QTableWidget>("dbgDisplay");
        QCOMPARE(grid->rowCount(), 12);
        QCOMPARE(cell(0, 0), QStringLiteral("Gross Pay"));
        QCOMPARE(cell(0, 1), QStringLiteral("$1,250.00"));
        QCOMPARE(cell(11, 0), QStringLiteral("Check Amt"));
        QVERIFY(cell(5, 1) != QStringLiteral("$0.00"));  // New Mexico withholds
        QVERIFY(find<QLabel>("lblModified")->text().startsWith("Tax Code last modified: "));
        QCOMPARE(find<QLineEdit>("txtHours")->text(), QStringLiteral("40"));
        QCOMPARE(saved("IncAmt"), QStringLiteral("1250"));
        QCOMPARE(saved("State"), QStringLiteral("27"));
        QCOMPARE(saved("Frequency"), QStringLiteral("0"));
        QCOMPARE(saved("MaritalStat"), QStringLiteral("1"));
        QCOMPARE(saved("Hours"), QStringLiteral("40"));
        QVERIFY(find<QPushButton>("cmdAdditional_1")->isVisible());

        start(true);
        QCOMPARE(find<QLineEdit>("txtIncome")->text(), QStringLiteral("$1,250.00"));
        QCOMPARE(find<QComboBox>("cboState")->currentText(), QStringLiteral("New Mexico"));
        QCOMPARE(find<QListWidget>("lstFrequency")->currentRow(), 0);
        QVERIFY(find<QRadioButton>("optStatus_1")->isChecked());
        QCOMPARE(find<QLineEdit>("txtHours")->text(), QStringLiteral("40"));
    }

    void enterCalculates()
    {
        start();
        type("txtIncome", "500");
        QTest::keyClick(find<QLineEdit>("txtIncome"), Qt::Key_Return);
        QCOMPARE(cell(0, 1), QStringLiteral("$500.00"));
    }

    void explanationPanelIsCollapsedUntilAsked()
    {
        start();
        type("txtIncome", "800");
        click("cmdToolBar_0");
        auto* panel = find<QWidget>("lstExplain");
        QVERIFY(!panel->isVisible());
        click("cmdExplain");
        QVERIFY(panel->isVisible());
        // It stays open for the next time the calculator opens.
        shell->close(FormId::Main);
        QTRY_VERIFY(!main());
        shell->open(FormId::Main);
        type("txtIncome", "800");
        click("cmdToolBar_0");
        QVERIFY(find<QWidget>("lstExplain")->isVisible());
    }

    void clearDisablesPrintUntilTheNextCalculate()
    {
        start();
        const bool printable = shell->available(FormId::Print);
        type("txtIncome", "700");
        click("cmdToolBar_0");
        QCOMPARE(find<QToolButton>("cmdToolBar_1")->isEnabled(), printable);
        QCOMPARE(find<QToolButton>("cmdToolBar_2")->isEnabled(), printable);
        click("cmdToolBar_3");
        QVERIFY(!find<QToolButton>("cmdToolBar_1")->isEnabled());
        QVERIFY(!find<QToolButton>("cmdToolBar_2")->isEnabled());
        QCOMPARE(find<QTableWidget>("dbgDisplay")->rowCount(), 0);
        QCOMPARE(find<QLineEdit>("txtIncome")->text(), QString());
        QCOMPARE(record->SSBase, Currency());
        type("txtIncome", "700");
        click("cmdToolBar_0");
        QCOMPARE(find<QToolButton>("cmdToolBar_1")->isEnabled(), printable);
    }

    void printPreviewOpensThePrintWindowWithTheRequest()
    {
        if (!forms.has(FormId::Print)) QSKIP("no print window in this build");
        start();
        type("txtIncome", "900");
        click("cmdToolBar_0");
        click("cmdToolBar_1");
        QVERIFY(shell->form(FormId::Print));
        QCOMPARE(windows->FromForm, std::int16_t(0));
        QCOMPARE(windows->intAction, std::int16_t(1));

        type("txtIncome", "950");  // changed after Calculate: printing calculates again
        click("cmdToolBar_1");
        QCOMPARE(cell(0, 1), QStringLiteral("$950.00"));
        QCOMPARE(record->SSBase, Currency::dollars(950));
    }

    void newFromTheToolBarClearsTheCalculator()
    {
        start();
        type("txtIncome", "650");
        click("cmdToolBar_0");
        shell->action("ID_New")->trigger();
        QCOMPARE(find<QTableWidget>("dbgDisplay")->rowCount(), 0);
        QCOMPARE(record->SSBase, Currency());
    }

    void unreadableEntryIsRefusedByName()
    {
        start();
        type("txtIncome", "12a");  // the field takes no letters
        QCOMPARE(find<QLineEdit>("txtIncome")->text(), QStringLiteral("12"));
        find<QLineEdit>("txtPreTax")->setText("1.2.3");
        QString shown;
        onModal([&](QWidget* w) {
            if (auto* box = qobject_cast<QMessageBox*>(w)) shown = box->text();
            static_cast<QDialog*>(w)->accept();
        });
        click("cmdToolBar_0");
        QVERIFY2(shown.contains("Pre-Tax"), qPrintable(shown));
        QVERIFY(shown.contains("1.2.3"));
        QCOMPARE(find<QTableWidget>("dbgDisplay")->rowCount(), 0);
        QCOMPARE(saved("IncAmt"), QStringLiteral("<none>"));
        QCOMPARE(shell->focusWidget(), find<QLineEdit>("txtPreTax"));
    }

    void stateOptionsFollowTheChosenState()
    {
        start();
        shell->action("ID_SetStateOptions")->trigger();
        QWidget* form = shell->form(FormId::StateOptions);
        QVERIFY(form);
        QCOMPARE(windows->frmLoaded, std::string("15"));
        auto* state = find<QComboBox>("cboState", form);
        state->setCurrentIndex(2);
        emit state->activated(2);  // Arizona
        auto* special = find<QComboBox>("cboSpecialDeps", form);
        QCOMPARE(special->count(), 5);
        QCOMPARE(special->currentText(), QStringLiteral("20"));
        QVERIFY(!find<QComboBox>("cboDeps_0", form)->isEnabled());
        QCOMPARE(find<QLabel>("lblSpecialDeps", form)->text(), QStringLiteral("Select Withholding Percentage"));
        for (int i = 0; i < 10; ++i)
            QVERIFY(!find<QRadioButton>(qPrintable(QStringLiteral("op3Marital_%1").arg(i)), form)->isEnabled());

        state->setCurrentIndex(21);
        emit state->activated(21);  // Michigan
        QCOMPARE(find<QRadioButton>("op3Marital_9", form)->text(), QStringLiteral("Claimed as Dependent by Another"));
        QVERIFY(find<QRadioButton>("op3Marital_3", form)->isEnabled());
        QVERIFY(!find<QRadioButton>("op3Marital_1", form)->isEnabled());

        state->setCurrentIndex(18);
        emit state->activated(18);  // Maine: no filing status, and the line that says why
        auto* note = find<QLabel>("lblStatusNote", form);
        QVERIFY(note->isVisible());
        QVERIFY(note->text().contains("marital status"));
        QVERIFY(!find<QRadioButton>("op3Marital_0", form)->isEnabled());

        state->setCurrentIndex(19);
        emit state->activated(19);  // Maryland, no county rate chosen yet
        QCOMPARE(special->currentText(), QStringLiteral("choose your county rate"));
        const int county = special->findText(QStringLiteral("2.41"));
        special->setCurrentIndex(county);
        emit special->activated(county);
        QCOMPARE(special->currentText(), QStringLiteral("2.41"));
        QCOMPARE(special->findText(QStringLiteral("choose your county rate")), -1);
        QCOMPARE(saved("MMethod", "StateInfo"), QStringLiteral("241"));
        QCOMPARE(record->Method, std::int16_t(241));

        click("cmdAccept", form);
        QTRY_VERIFY(!shell->form(FormId::StateOptions));
        QVERIFY(shell->mdiArea()->currentSubWindow() == shell->subWindow(FormId::Main));
        QTRY_COMPARE(windows->frmLoaded, std::string("6"));
        QCOMPARE(saved("staExmp", "StateInfo"), QStringLiteral("20"));  // Arizona's, not a county rate
    }

    // Every state at the smallest screens: what its calculator reads (the
    // state list) is offered whole and named, the rest is off.
    void stateOptionsOfferWhatTheCalculatorReads()
    {
        start();
        shell->open(FormId::StateOptions);
        QWidget* form = shell->form(FormId::StateOptions);
        QStringList failures;
        for (QSize screen : {QSize(780, 560), QSize(940, 500)})
            for (int i = (shell->resize(screen), 0); i < kStateCount; ++i) {
                const StateEntry& s = stateAt(i);
                emit find<QComboBox>("cboState", form)->activated(i);
                // A status stands for them all; "Spouse IS employed" shows the spouse's part.
                const int status = s.dialog.statuses.empty()   ? 0
                                   : s.options & kOptMissPart ? 8
                                                              : s.dialog.statuses[0].code;
                const QByteArray chosen = "op3Marital_" + QByteArray::number(status);
                find<QAbstractButton>(chosen, form)->click();
                QApplication::processEvents();
                for (auto [name, bits] : std::initializer_list<std::pair<const char*, int>>{
                         {chosen, kOptStatus}, {"optRateSelect_0", kOptRate}, {"cboDeps_0", kOptDeps},
                         {"cboDeps_1", kOptILDeps}, {"cboSpecialDeps", kOptExemptions | kOptMethod},
                         {"mskAdditional", kOptAdd}, {"mskMissSpouseEmp", kOptMissPart}, {"chkExemp_0", kOpt401k},
                         {"chkExemp_1", kOptPreTax}}) {
                    auto* c = find<QWidget>(name, form);
                    auto* box = qobject_cast<QComboBox*>(c);
                    QWidget* field = box && box->lineEdit() ? box->lineEdit() : c;
                    const bool named = !QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name).isEmpty();
                    const bool reads = s.options & bits, offered = c->isEnabled() && c->isVisibleTo(form);
                    if (offered != reads || (offered && (!test::cutBy(c, form).isEmpty() || !named)))
                        failures << qs(s.name) + QLatin1Char(' ') + QLatin1String(name);
                }
            }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral(", "))));
    }

    // The Raise button hides when the user goes into the income field, not
    // when the field gets the focus back with its window (after State
    // Options, the tool, another program).
    void raiseStaysWhenTheWindowComesBack()
    {
        start();
        type("txtIncome", "1000");
        click("cmdToolBar_0");
        auto* raise = find<QPushButton>("cmdAdditional_1");
        auto* income = find<QLineEdit>("txtIncome");
        for (Qt::FocusReason back : {Qt::ActiveWindowFocusReason, Qt::OtherFocusReason, Qt::PopupFocusReason}) {
            QFocusEvent in(QEvent::FocusIn, back);
            QApplication::sendEvent(income, &in);
            QVERIFY2(raise->isVisible(), qPrintable(QString::number(back)));
        }
        QFocusEvent tab(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(income, &tab);
        QVERIFY(!raise->isVisible());
    }

    void savedOptionsCountFromTheFirstCalculate()
    {
        for (auto [k, v] : {std::pair{"IncAmt", "1000"}, {"Frequency", "0"}, {"Deps", "1"}, {"State", "9"}})
            settings->save("Settings", k, v);
        settings->save("StateInfo", "staMarried", "3");
        settings->save("StateInfo", "staDeps", "2");
        start();
        click("cmdToolBar_0");
        QCOMPARE(cell(5, 0), QStringLiteral("State Tax"));
        QCOMPARE(cell(5, 1), QStringLiteral("$42.34"));  // wagemark-cli calc ... --state-status 3 --state-deps 2
    }

    void hoursFollowTheFrequency()
    {
        start();
        find<QListWidget>("lstFrequency")->setCurrentRow(0);
        type("txtHours", "40");
        find<QListWidget>("lstFrequency")->setCurrentRow(3);
        QCOMPARE(find<QLineEdit>("txtHours")->text(), QStringLiteral("173"));
        type("txtHours", "160");
        find<QListWidget>("lstFrequency")->setCurrentRow(0);
        QCOMPARE(find<QLineEdit>("txtHours")->text(), QStringLiteral("160"));
    }

    void connecticutExplainsItsRates()
    {
        settings->save("Settings", "State", "6");
        start();
        shell->open(FormId::StateOptions);
        QWidget* form = shell->form(FormId::StateOptions);
        auto* rateB = find<QRadioButton>("optRateSelect_1", form);
        QVERIFY(rateB->isEnabled());
        QVERIFY(!find<QRadioButton>("optRateSelect_4", form)->isEnabled());
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(rateB, &enter);
        QCOMPARE(find<QLabel>("lblExplain", form)->text(),
                 QStringLiteral("You will file as Head of Household on your federal tax return."));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(rateB, &leave);
        QCOMPARE(find<QLabel>("lblExplain", form)->text(), QString());
        click("optRateSelect_2", form);
        QCOMPARE(record->StateRate, std::int16_t(2));
    }

    void raiseByPercentThroughTheTool()
    {
        start();
        type("txtIncome", "1000");
        type("txtHours", "40");
        click("cmdToolBar_0");
        QString title, newWage, percent, old;
        onModal([&](QWidget* w) {
            auto* d = qobject_cast<MiscDialog*>(w);
            QVERIFY(d);
            QCOMPARE(windows->frmLoaded, std::string("7"));
            title = d->windowTitle();
            old = d->findChild<QLabel*>("lblOldShow")->text();
            auto* pct = d->findChild<QLineEdit*>("txtRaise_0");
            pct->setFocus();
            QTest::keyClicks(pct, "3a-");  // only digits and the full stop are taken
            QCOMPARE(pct->text(), QStringLiteral("3"));
            QTest::mouseClick(d->findChild<QPushButton*>("cmdExit_1"), Qt::LeftButton);
            percent = pct->text();
            newWage = d->findChild<QLineEdit*>("txtRaise_1")->text();
            QTest::mouseClick(d->findChild<QPushButton*>("cmdExit_2"), Qt::LeftButton);
        });
        click("cmdAdditional_1");
        QCOMPARE(title, QStringLiteral("Pay Raise - Enter Percent or New Rate"));
        QCOMPARE(old, QStringLiteral("$25.00"));
        QCOMPARE(percent, QStringLiteral("3"));  // as typed
        QCOMPARE(newWage, QStringLiteral("$25.75"));
        QCOMPARE(windows->frmLoaded, std::string("6"));
        QCOMPARE(record->SSBase, Currency::dollars(1030));
        QCOMPARE(find<QLineEdit>("txtIncome")->text(), QStringLiteral("$1,030.00"));
        QCOMPARE(cell(0, 1), QStringLiteral("$1,030.00"));  // the grid shows the raised period
        QCOMPARE(cell(11, 1), QString::fromStdString(formatCurrency(record->SSBase - record->amtDedTot)));
        auto* raise = find<QPushButton>("cmdAdditional_1");
        QCOMPARE(raise->text(), QStringLiteral("$25.75"));
        QVERIFY(raise->styleSheet().contains("rgb(192, 0, 0)"));
        click("cmdToolBar_0");  // any command puts the caption back
        QCOMPARE(raise->text(), QStringLiteral("Rais&e"));
        QCOMPARE(cell(0, 1), QStringLiteral("$1,030.00"));
    }

    void localTaxRateTurnsTheButtonDarkRed()
    {
        start();
        onModal([&](QWidget* w) {
            auto* d = qobject_cast<MiscDialog*>(w);
            QVERIFY(d);
            QCOMPARE(d->windowTitle(), QStringLiteral("Local Tax - Enter Percentage"));
            auto* tabs = d->findChild<QTabWidget*>("tabLR");
            QVERIFY(!tabs->isTabEnabled(1));
            auto* rate = d->findChild<QLineEdit*>("txtRaise_2");
            rate->setText("2");
            d->findChild<QListWidget*>("lstGrossPay")->setCurrentRow(0);
            QTest::mouseClick(d->findChild<QPushButton*>("cmdExit_0"), Qt::LeftButton);
        });
        click("cmdAdditional_0");
        QCOMPARE(record->SPval, 0.02);
        QCOMPARE(saved("Local"), QStringLiteral("0.02"));
        QVERIFY(find<QPushButton>("cmdAdditional_0")->styleSheet().contains("rgb(192, 0, 0)"));
        type("txtIncome", "1000");
        click("cmdToolBar_0");
        QCOMPARE(cell(6, 1), QStringLiteral("$20.00"));
    }

    void backgroundDesignAndNextPicture()
    {
        start();
        click("cmdRotatePic");
        QCOMPARE(main()->model().Pic, 2);
        QCOMPARE(saved("BckGnd"), QStringLiteral("2"));
        shell->action("ID_BackgroundPatterns")->trigger();
        QCOMPARE(main()->model().Pic, 24);
        QVERIFY(!main()->grab().isNull());
    }

    void calculatorAndEditorButtonsSayWhyTheyAreOff()
    {
        start();
        for (const char* name : {"cmdToolBar_4", "cmdToolBar_5"}) {
            auto* b = find<QToolButton>(name);
            if (b->isEnabled()) QVERIFY(b->toolTip().startsWith("Start "));
            else QVERIFY(b->toolTip().contains("installed"));
        }
    }
};

}  // namespace
}  // namespace wm

QTEST_MAIN(wm::MainFormTest)
#include "main_form_gui_test.moc"
