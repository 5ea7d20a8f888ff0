// Every command that opens a form opens the same form from the menu, the
// tool bar, the list bar and its key, and shows the same text and icon in
// each place.
#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "shell/ui/list_bar.h"
#include "support/shell_fixture.h"

namespace wm {
namespace {

QWidget* plain(AppContext&, QWidget* parent) { return new QWidget(parent); }

struct Opens {
    const char* key;   // menu and tool bar
    const char* list;  // list bar
    FormId form;
    bool onToolBar;
};

constexpr Opens kOpens[] = {
    {"ID_SetStateOptions", "StateInfo", FormId::StateOptions, true},
    {"ID_PersonalInformation", "Personal", FormId::PersonalInfo, true},
    {"ID_Calc", "Calc", FormId::Main, true},
    {"ID_Multiple", "Multi", FormId::MultiCheck, true},
    {"ID_AnalyzePay", "Anal", FormId::Analysis, true},
    {"ID_YearCheck", "Year", FormId::YearCheck, true},
    {"ID_PersonalAllowances", "Pers", FormId::PersWkSht, true},
    {"ID_DeductionsAdjustments", "Ded", FormId::DeductionsWkSht, true},
    {"ID_TwoWorkers", "TwoWork", FormId::TwoEarnerWkSht, true},
    {"ID_DisplayFormW4", "W4", FormId::W4View, true},
};

class ShellCommandsTest : public QObject, test::ShellFixture {
    Q_OBJECT

    void closeAll()
    {
        for (const Opens& o : kOpens) shell->close(o.form);
        QTRY_VERIFY(shell->mdiArea()->subWindowList().isEmpty());
    }

private slots:
    void init()
    {
        fresh();
        forms = FormRegistry();
        for (const Opens& o : kOpens) forms.add({o.form, "frmPlain", "Plain", "1", &plain});
        record->SSBase = Currency::dollars(1000);  // the analysis has something to work with
        start();
    }
    void cleanup() { stop(); }

    void eachPlaceOpensTheCommandsForm()
    {
        auto* toolBar = shell->findChild<QToolBar*>(QStringLiteral("atbMain"));
        for (const Opens& o : kOpens) {
            const QString key = QLatin1String(o.key);
            QAction* a = shell->action(key);
            QVERIFY2(a && a->isEnabled(), o.key);
            QCOMPARE(toolBar->actions().contains(a), o.onToolBar);
            QToolButton* item = shell->listBar()->item(QLatin1String(o.list));
            QVERIFY2(item, o.list);
            QCOMPARE(item->text(), a->iconText());
            QCOMPARE(item->toolTip(), a->toolTip());

            a->trigger();
            QVERIFY2(shell->form(o.form), o.key);
            closeAll();
            shell->toolCommand(key);
            QVERIFY2(shell->form(o.form), o.key);
            closeAll();
            QTest::mouseClick(item, Qt::LeftButton);
            QVERIFY2(shell->form(o.form), o.list);
            closeAll();
        }
    }

    void everyMenuCommandHasItsOwnKeyAndShortcut()
    {
        QStringList keys, shortcuts;
        for (QMenu* menu : shell->findChildren<QMenu*>())
            for (QAction* a : menu->actions()) {
                if (a->isSeparator() || a->menu() || a->objectName().isEmpty()) continue;
                QVERIFY2(!keys.contains(a->objectName()), qPrintable(a->objectName()));
                keys << a->objectName();
                QCOMPARE(shell->action(a->objectName()), a);
                const QString s = a->shortcut().toString();
                QVERIFY2(s.isEmpty() || !shortcuts.contains(s), qPrintable(s));
                if (!s.isEmpty()) shortcuts << s;
            }
        QVERIFY(keys.size() >= 16);
    }
};

}  // namespace
}  // namespace wm

QTEST_MAIN(wm::ShellCommandsTest)
#include "shell_commands_gui_test.moc"
