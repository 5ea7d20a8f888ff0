// Every control of every window as a screen reader reads it from the
// accessibility tree: named by its caption (without the "&" of its Alt
// letter, without padding), never by the value it holds, and described
// where the window shows a tip.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QtTest>

#include "support/every_window.h"
#include "support/shell_fixture.h"
#include "ui/accessibility.h"

namespace wm {
namespace {

// What is wrong with how `w` is read out; empty when nothing is.
QString problem(QWidget* w)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    if (!a) return QStringLiteral("no accessible interface");
    const QString name = a->text(QAccessible::Name);
    if (name.trimmed().isEmpty()) return QStringLiteral("no name");
    if (name != name.trimmed()) return QStringLiteral("padded name \"%1\"").arg(name);
    if (!QKeySequence::mnemonic(name).isEmpty()) return QStringLiteral("\"&\" in the name \"%1\"").arg(name);
    QString shown;
    if (auto* box = qobject_cast<QComboBox*>(w)) shown = box->currentText();
    if (auto* view = qobject_cast<QAbstractItemView*>(w)) shown = view->currentIndex().data().toString();
    if (auto* field = qobject_cast<QLineEdit*>(w)) shown = field->text();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) shown = spin->text();
    if (!shown.isEmpty() && name == shown) return QStringLiteral("named by its value \"%1\"").arg(name);
    if (!w->toolTip().isEmpty() && a->text(QAccessible::Description).isEmpty())
        return QStringLiteral("a tip but no description");
    return {};
}

QStringList problems(QWidget* root, const QString& where, const std::function<bool(QWidget*)>& skip = {})
{
    QStringList out;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!test::isControl(w) || test::insideComposite(w, root) || (skip && skip(w))) continue;
        const QString p = problem(w);
        if (!p.isEmpty())
            out << QStringLiteral("%1: %2 %3: %4")
                       .arg(where, QLatin1String(w->metaObject()->className()), w->objectName(), p);
    }
    return out;
}

class AccessibilityTest : public QObject, test::ShellFixture {
    Q_OBJECT

    // A calculation, so that the windows that show one have theirs.
    void calculated()
    {
        windows->intAction = 1;
        start();
        shell->showStartForm();
        type(FormId::Main, "txtIncome", QStringLiteral("1000"));
        QTest::keyClick(find<QLineEdit>(FormId::Main, "txtIncome"), Qt::Key_Return);
        QVERIFY(!record->SSBase.isZero());
    }

private slots:
    void initTestCase() { registerAllForms(forms); }
    void init() { freshQuiet(); }
    void cleanup() { stopClean(); }

    void everyControlOfEveryWindowSaysItsCaption()
    {
        calculated();
        QStringList failures;
        QStringList walked;
        test::forEveryWindow(*shell, forms, [&](const test::WindowVisit& v) {
            walked << v.name;
            failures << problems(v.window, v.name);
        });
        // The main window's own commands: the tool bar and the list bar.
        failures << problems(shell.get(), QStringLiteral("MDIOpen"),
                             [this](QWidget* w) { return shell->mdiArea()->isAncestorOf(w); });
        for (const QString& f : failures) qWarning("%s", qPrintable(f));
        QVERIFY2(failures.isEmpty(), "controls a screen reader cannot name");
        for (const char* name : {"frmYearCheck", "frmPrint", "frmMisc", "frmTableOne", "HelpWindow"})
            QVERIFY2(walked.contains(QLatin1String(name)), name);
    }

    void dropDownsAreNamedByTheirLabelAndKeepTheirItemAsValue()
    {
        calculated();
        auto* state = find<QComboBox>(FormId::Main, "cboState");
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(state);
        QCOMPARE(a->role(), QAccessible::ComboBox);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("State Tax"));
        QCOMPARE(a->text(QAccessible::Value), QStringLiteral("No State"));
        QCOMPARE(a->text(QAccessible::Description), state->toolTip());
        QCOMPARE(a->childCount(), 1);
        QCOMPARE(a->child(0)->object(), state->view());
        QVERIFY(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
        auto* income = find<QLineEdit>(FormId::Main, "txtIncome");
        QCOMPARE(QAccessible::queryAccessibleInterface(income)->text(QAccessible::Name),
                 QStringLiteral("Income Amount"));
    }

    void spokenTextDropsTheAltMarkAndThePadding_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("mark") << "&Income Amount" << "Income Amount";
        QTest::newRow("mark inside") << "Ho&urs" << "Hours";
        QTest::newRow("padded") << "  L&ocal Tax  " << "Local Tax";
        QTest::newRow("ampersand") << "Save && Close" << "Save & Close";
        QTest::newRow("trailing mark") << "Odd&" << "Odd";
        QTest::newRow("none") << "Calculate" << "Calculate";
    }
    void spokenTextDropsTheAltMarkAndThePadding()
    {
        QFETCH(QString, caption);
        QFETCH(QString, spoken);
        QCOMPARE(spokenText(caption), spoken);
    }
};

}  // namespace
}  // namespace wm

QTEST_MAIN(wm::AccessibilityTest)
#include "accessibility_gui_test.moc"
