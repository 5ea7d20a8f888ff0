// A refused entry gets the focus back: the calculator's fields and the local
// tax and pay raise tool's, each one refused in turn.
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QCoreApplication>
#include <QtTest>

#include "forms/main/ui/main_form.h"
#include "forms/main/ui/misc_dialog.h"
#include "support/shell_fixture.h"

namespace wm {
namespace {

using test::onModal;

struct Entry {
    const char* name;   // what is wrong
    const char* field;  // the field typed into, and the one that must get the focus
    const char* text;
};

class RefusedEntryTest : public QObject, test::ShellFixture {
    Q_OBJECT

    MainForm* main() const { return qobject_cast<MainForm*>(shell->form(FormId::Main)); }
    template <class T>
    static T* child(QWidget* in, const char* name)
    {
        T* w = in->findChild<T*>(QLatin1String(name));
        if (!w) qWarning("no widget %s", name);
        return w;
    }
    // Clicks `button` and answers the message it brings; true when one came.
    static bool clickAndAnswer(QAbstractButton* button)
    {
        bool told = false;
        onModal([&](QWidget* w) {
            told = qobject_cast<QMessageBox*>(w) != nullptr;
            static_cast<QDialog*>(w)->accept();
        });
        button->click();  // the message is modal: answered when this returns
        return told;
    }

private slots:
    void initTestCase() { registerAllForms(forms); }
    void init()
    {
        freshQuiet();
        start();
        shell->showStartForm();
        QVERIFY(main());
    }
    void cleanup() { stopClean(); }

    void calculatorFocusesTheRefusedField()
    {
        const Entry entries[] = {
            {"unreadable income", "txtIncome", "1.2.3"},
            {"hours beyond a month", "txtHours", "745"},
            {"401(k) above 100", "txt401k", "150"},
            {"unreadable pre-tax", "txtPreTax", "1.2.3"},
            {"pre-FICA above the income", "txtPreFICA", "5000"},
            // Every character typed stays, to be refused whole.
            {"income of 25 digits", "txtIncome", "1000000000000000000000000"},
            {"hours below a hundredth", "txtHours", "0.001"},
            {"401(k) of 17 characters", "txt401k", "12345678901234567"},
        };
        for (const Entry& e : entries) {
            QCoreApplication::processEvents();
            for (const char* f : {"txtIncome", "txtHours", "txt401k", "txtPreTax", "txtPreFICA"})
                child<QLineEdit>(main(), f)->setText(QStringLiteral("1"));
            child<QLineEdit>(main(), "txtIncome")->setText(QStringLiteral("1000"));
            auto* field = child<QLineEdit>(main(), e.field);
            field->clear();
            QTest::keyClicks(field, QLatin1String(e.text));
            QCOMPARE(field->text(), QLatin1String(e.text));
            child<QToolButton>(main(), "cmdToolBar_3")->setFocus();
            QVERIFY2(clickAndAnswer(child<QToolButton>(main(), "cmdToolBar_0")), e.name);
            QVERIFY2(shell->focusWidget() == child<QWidget>(main(), e.field), e.name);
        }
    }

    void localTaxAndRaiseFocusTheRefusedField()
    {
        child<QLineEdit>(main(), "txtIncome")->setText(QStringLiteral("1000"));
        child<QLineEdit>(main(), "txtHours")->setText(QStringLiteral("40"));
        child<QToolButton>(main(), "cmdToolBar_0")->click();
        const struct {
            const char* name;
            MiscModel::Page page;
            const char* field;
            const char* text;
            const char* button;
            const char* focus;
        } entries[] = {
            {"rate above 100", MiscModel::Page::LocalTax, "txtRaise_2", "150", "cmdExit_0", "txtRaise_2"},
            {"rate without a base", MiscModel::Page::LocalTax, "txtRaise_2", "3", "cmdExit_0", "lstGrossPay"},
            {"raise above 100", MiscModel::Page::PayRaise, "txtRaise_0", "150", "cmdExit_1", "txtRaise_0"},
            {"unreadable new wage", MiscModel::Page::PayRaise, "txtRaise_1", "1.2.3", "cmdExit_1", "txtRaise_1"},
            {"raise of 17 digits", MiscModel::Page::PayRaise, "txtRaise_0", "12345678901234567", "cmdExit_1",
             "txtRaise_0"},
        };
        for (const auto& e : entries) {
            settings->save("Settings", "ApplyTo", "0");
            MiscDialog dialog(main()->model(), e.page, shell.get());
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            child<QListWidget>(&dialog, "lstGrossPay")->clearSelection();
            auto* field = child<QLineEdit>(&dialog, e.field);
            field->clear();
            QTest::keyClicks(field, QLatin1String(e.text));
            QCOMPARE(field->text(), QLatin1String(e.text));
            child<QPushButton>(&dialog, "cmdExit_2")->setFocus();
            QVERIFY2(clickAndAnswer(child<QPushButton>(&dialog, e.button)), e.name);
            QVERIFY2(dialog.focusWidget() == child<QWidget>(&dialog, e.focus), e.name);
        }
    }
};

}  // namespace
}  // namespace wm

QTEST_MAIN(wm::RefusedEntryTest)
#include "refused_entry_gui_test.moc"
