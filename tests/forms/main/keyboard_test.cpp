// Every window of the program as a keyboard user meets it: Alt+letter
// mnemonics unique in each window (with the main window's menu bar for its
// forms), Enter in an open drop-down, Esc in help; and the commands of each
// window still reachable at the smallest supported screen.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QButtonGroup>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTextBrowser>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <map>

#include "forms/main/ui/main_form.h"
#include "qtcore/qt_settings_store.h"
#include "shell/ui/help_window.h"
#include "shell/ui/mdi_shell.h"
#include "support/every_window.h"
#include "support/shell_fixture.h"
#include "ui/form_registry.h"

namespace wm {
namespace {

// Where each Alt+key of a window goes.
using Mnemonics = std::multimap<QString, QString>;

void addMnemonic(Mnemonics& m, const QString& text, const QString& where)
{
    const QKeySequence key = QKeySequence::mnemonic(text);
    if (!key.isEmpty())
        m.emplace(key.toString().toLower(), where + QStringLiteral(" \"") + text.left(40) + QLatin1Char('"'));
}

// The mnemonics the widgets of `root` register: buttons, captions with a
// buddy, group box titles and tabs. (Pages not shown count too: a letter must
// not change its meaning with the page.)
void collect(Mnemonics& m, QWidget* root)
{
    QList<QWidget*> all = root->findChildren<QWidget*>();
    all.prepend(root);
    for (QWidget* w : all) {
        if (w != root && w->isWindow()) continue;  // a window of its own
        if (auto* b = qobject_cast<QAbstractButton*>(w)) addMnemonic(m, b->text(), b->objectName());
        else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy()) addMnemonic(m, l->text(), l->buddy()->objectName());
        else if (auto* g = qobject_cast<QGroupBox*>(w)) addMnemonic(m, g->title(), g->objectName());
        else if (auto* t = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i) addMnemonic(m, t->tabText(i), QStringLiteral("tab"));
    }
}

// Letters used by more than one caption. (One command repeated on each page
// of a worksheet keeps its caption and its letter.)
QString clashes(const Mnemonics& m)
{
    QStringList out;
    for (auto it = m.begin(); it != m.end(); it = m.upper_bound(it->first)) {
        QSet<QString> captions;
        QStringList users;
        for (auto [a, b] = m.equal_range(it->first); a != b; ++a) {
            users << a->second;
            captions.insert(a->second.mid(a->second.indexOf(QLatin1Char('"'))));
        }
        if (captions.size() > 1) out << it->first + QStringLiteral(": ") + users.join(QStringLiteral(", "));
    }
    return out.join(QStringLiteral("; "));
}

// Tab from the first stop round to it again: "" when it meets each stop
// once. A group of options is one stop (its chosen option keeps Tab).
QString tabRound(QWidget* window)
{
    const auto stop = [](QWidget* w) -> QObject* {
        auto* o = qobject_cast<QRadioButton*>(w);
        return o && o->group() ? o->group() : o && o->autoExclusive() ? o->parent() : w;
    };
    QList<QObject*> stops, seen;
    QList<QWidget*> firsts;
    for (QWidget* w : window->findChildren<QWidget*>())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled() && !w->focusProxy() &&
            w->window() == window->window() && !stops.contains(stop(w)))
            stops << stop(w), firsts << w;
    if (stops.size() < 2) return {};
    window->activateWindow();  // an option gives up Tab for its group when it gets the focus
    if (!QTest::qWaitForWindowActive(window->window())) return QStringLiteral("not active");
    firsts[0]->setFocus(Qt::TabFocusReason);
    for (QWidget *at = firsts[0], *next;
         (next = (QTest::keyClick(at, Qt::Key_Tab), window->window()->focusWidget())) != firsts[0]; at = next) {
        if (next == at || (stop(next) != stop(at) && seen.contains(stop(next))) || seen.size() > stops.size())
            return QStringLiteral("Tab keeps to itself from ") + next->objectName();
        if (window->isAncestorOf(next) && stop(next) != stop(at)) seen << stop(next);
    }
    for (int i = 1; i < stops.size(); ++i)  // (going into the income field hides Raise)
        if (!seen.contains(stops[i]) && firsts[i]->isVisibleTo(window))
            return QStringLiteral("Tab misses ") + firsts[i]->objectName();
    return {};
}

class KeyboardTest : public QObject, test::ShellFixture {
    Q_OBJECT

    void start()
    {
        ShellFixture::start();
        shell->showStartForm();
    }
    // The main window's own letters: its menu bar.
    Mnemonics menuBar() const
    {
        Mnemonics m;
        for (QAction* a : shell->menuBar()->actions()) addMnemonic(m, a->text(), QStringLiteral("menu"));
        return m;
    }
    MainForm* main() const { return qobject_cast<MainForm*>(shell->form(FormId::Main)); }

private slots:
    void initTestCase() { registerAllForms(forms); }
    void init() { freshQuiet(); }
    void cleanup() { stopClean(); }

    void menusKeepTheirLetters()
    {
        start();
        const Mnemonics m = menuBar();
        QCOMPARE(clashes(m), QString());
        QStringList letters;
        for (const auto& [key, where] : m) letters << key;
        letters.sort();
        QCOMPARE(letters, (QStringList{"alt+4", "alt+a", "alt+f", "alt+h", "alt+p"}));
    }

    void eachMenuHasUniqueMnemonics()
    {
        start();
        QStringList failures;
        for (QMenu* menu : shell->findChildren<QMenu*>()) {
            Mnemonics m;
            for (QAction* a : menu->actions()) addMnemonic(m, a->text(), a->objectName());
            if (!clashes(m).isEmpty()) failures << menu->title() + ": " + clashes(m);
        }
        for (const QString& f : failures) qWarning("%s", qPrintable(f));
        QVERIFY2(failures.isEmpty(), "clashing mnemonics");
    }

    // Every window the registry lists (the Year Check, the preview and the
    // dialogs the forms run included) and the main window's own.
    void everyWindowHasUniqueMnemonicsWithTheMenuBar()
    {
        start();
        main()->calculate();  // the windows that show a calculation show theirs
        QStringList failures, walked;
        test::forEveryWindow(*shell, forms, [&](const test::WindowVisit& v) {
            walked << v.name;
            Mnemonics m = v.child ? menuBar() : Mnemonics{};
            collect(m, v.window);
            if (!clashes(m).isEmpty()) failures << v.name + ": " + clashes(m);
        });
        for (const QString& f : failures) qWarning("%s", qPrintable(f));
        QVERIFY2(failures.isEmpty(), "clashing mnemonics");
        for (const char* name : {"frmYearCheck", "frmPrint", "frmMisc", "frmTableOne", "HelpWindow", "frmErrorReport"})
            QVERIFY2(walked.contains(QLatin1String(name)), name);
    }

    void enterInAnOpenDropDownOnlyPicks()
    {
        start();
        auto* state = main()->findChild<QComboBox*>("cboState");
        auto* grid = main()->findChild<QTableWidget*>("dbgDisplay");
        state->setFocus();
        state->showPopup();
        QAbstractItemView* list = state->view();
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(state->currentIndex(), 1);
        QCOMPARE(grid->rowCount(), 0);
        // On the closed list Enter calculates.
        QTest::keyClick(state, Qt::Key_Return);
        QCOMPARE(grid->rowCount(), 12);
    }

    void focusAloneShowsASelection()
    {
        start();
        auto* income = main()->findChild<QLineEdit*>("txtIncome");
        auto* hours = main()->findChild<QLineEdit*>("txtHours");
        // Passing through a field on the way to another leaves nothing
        // selected behind.
        income->setFocus();
        hours->setFocus();
        QTRY_VERIFY(hours->hasSelectedText());
        QVERIFY(!income->hasSelectedText());
        income->setFocus();
        QTRY_VERIFY(income->hasSelectedText());
        QVERIFY(!hours->hasSelectedText());
    }

    // 780x560 is 800x600 less a window frame; 940x500 is 1920x1080 at 200 %
    // with its frame and a panel.
    void commandsAndTheWholeResultStayInView_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<bool>("wholeResult");
        QTest::newRow("640x480") << QSize(640, 480) << false;
        QTest::newRow("800x600") << QSize(800, 600) << true;
        QTest::newRow("800x600 framed") << QSize(780, 560) << true;
        QTest::newRow("1920x1080 at 200 %") << QSize(940, 500) << true;
    }
    void commandsAndTheWholeResultStayInView()
    {
        QFETCH(QSize, screen);
        QFETCH(bool, wholeResult);
        start();
        shell->resize(screen);
        QWidget* area = shell->mdiArea()->viewport();
        const auto inView = [area](QWidget* w) {
            return w && w->isVisible() && area->rect().contains(QRect(w->mapTo(area, QPoint(0, 0)), w->size()));
        };
        QStringList commands;
        for (int i = 0; i < 8; ++i) commands << QStringLiteral("cmdToolBar_%1").arg(i);
        commands << QStringLiteral("cmdRotatePic");
        for (const QString& name : commands)
            QTRY_VERIFY2(inView(main()->findChild<QWidget*>(name)), qPrintable(name));
        // Calculate from the foot of the page, where Self Employed is.
        auto* page = main()->findChild<QScrollArea*>("scrPage");
        page->verticalScrollBar()->setValue(page->verticalScrollBar()->maximum());
        auto* grid = main()->findChild<QTableWidget*>("dbgDisplay");
        main()->calculate();
        QTRY_VERIFY(grid->columnViewportPosition(1) + grid->columnWidth(1) <= grid->viewport()->width());
        QVERIFY(grid->columnWidth(1) >= grid->fontMetrics().horizontalAdvance(QStringLiteral("$0.00")));
        if (wholeResult) {
            const QRect viewport = page->viewport()->rect();
            for (int row : {0, grid->rowCount() - 1}) {
                const QRect cells = grid->visualRect(grid->model()->index(row, 0)).united(
                    grid->visualRect(grid->model()->index(row, 1)));
                const QRect shown(grid->viewport()->mapTo(page->viewport(), cells.topLeft()), cells.size());
                QVERIFY2(grid->viewport()->rect().contains(cells) && viewport.contains(shown),
                         qPrintable(grid->item(row, 0)->text()));
            }
        }

        shell->open(FormId::StateOptions);
        QTRY_VERIFY(inView(shell->form(FormId::StateOptions)->findChild<QWidget*>("cmdAccept")));
    }

    // Each command of every window is in view or on a page that scrolls to
    // it; a window of its own fits the screen.
    void everyWindowsCommandsAreReachableOnASmallScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("800x600 framed") << QSize(780, 560);
        QTest::newRow("1920x1080 at 200 %") << QSize(940, 500);
        QTest::newRow("1366x768") << QSize(1366, 740);
    }
    void everyWindowsCommandsAreReachableOnASmallScreen()
    {
        QFETCH(QSize, screen);
        start();
        shell->resize(screen);
        main()->calculate();
        QWidget* area = shell->mdiArea()->viewport();
        QStringList failures;
        test::forEveryWindow(*shell, forms, [&](const test::WindowVisit& v) {
            if (!v.child) {
                const QSize need = v.window->minimumSizeHint().expandedTo(v.window->minimumSize());
                if (need.width() > screen.width() || need.height() > screen.height())
                    failures << QStringLiteral("%1 needs %2x%3").arg(v.name).arg(need.width()).arg(need.height());
                return;
            }
            QApplication::processEvents();
            for (QAbstractButton* b : v.window->findChildren<QAbstractButton*>()) {
                if (!b->isVisibleTo(v.window) || b->window() != v.window->window()) continue;
                // The Year Check's commands stay below its page, in view.
                bool scrolls = false;
                if (v.name != QLatin1String("frmYearCheck"))
                    for (QWidget* w = b->parentWidget(); w && w != v.window && !scrolls; w = w->parentWidget())
                    scrolls = qobject_cast<QScrollArea*>(w) != nullptr;
                const QRect at(b->mapTo(area, QPoint(0, 0)), b->size());
                if (!scrolls && !area->rect().contains(at)) failures << v.name + QLatin1Char('.') + b->objectName();
            }
        });
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral(", "))));
    }

    // No control, caption, button text or list text of any window is cut,
    // from the smallest screen to the largest (the windows rearrange first),
    // and Tab goes round each window's controls.
    void everyControlWholeAndReachableAtAnySize_data()
    {
        QTest::addColumn<QSize>("screen");
        for (QSize size : {QSize(780, 560), QSize(940, 500), QSize(1024, 740), QSize(1152, 840), QSize(1366, 740),
                           QSize(1920, 1050)})
            QTest::newRow(qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()))) << size;
    }
    void everyControlWholeAndReachableAtAnySize()
    {
        QFETCH(QSize, screen);
        settings->save("Settings", "State", "19");  // Maryland: the longest list text
        start();
        shell->resize(screen);
        main()->calculate();
        QStringList failures;
        test::forEveryWindow(*shell, forms, [&](const test::WindowVisit& v) {
            if (!v.child) v.window->show();
            QApplication::processEvents();
            for (QWidget* w : v.window->findChildren<QWidget*>()) {
                if (!w->isVisibleTo(v.window)) continue;
                int need = 0, has = w->width();
                if (auto* l = qobject_cast<QLabel*>(w); l && !l->wordWrap() && l->pixmap().isNull())
                    need = l->minimumSizeHint().width();
                else if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty())
                    need = b->minimumSizeHint().width();
                else if (auto* c = qobject_cast<QComboBox*>(w)) {
                    QStyleOptionComboBox opt;
                    opt.initFrom(c);
                    opt.editable = c->isEditable();
                    has = c->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c).width();
                    need = c->fontMetrics().horizontalAdvance(c->currentText()) + 4;
                }
                if (need > has + 1)
                    failures << QStringLiteral("%1.%2 %3 < %4").arg(v.name, w->objectName()).arg(has).arg(need);
                if (test::isControl(w) && !test::insideComposite(w, v.window) && !test::cutBy(w, v.window).isEmpty())
                    failures << v.name + QLatin1Char('.') + w->objectName() + " cut by " + test::cutBy(w, v.window);
            }
            if (const QString round = tabRound(v.window); !round.isEmpty()) failures << v.name + ": " + round;
            if (!v.child) v.window->hide();
        });
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral(", "))));
    }

    void escClosesHelpWhichOpensByTheMainWindow()
    {
        start();
        shell->setGeometry(120, 40, 900, 600);
        QtHelpService realHelp;
        realHelp.setAppHelp(shell.get(), dir->path());
        realHelp.show(0);
        HelpWindow* w = realHelp.window();
        QVERIFY(w && w->isVisible());
        QVERIFY(w->geometry().intersects(shell->frameGeometry()) ||
                qAbs(w->geometry().left() - shell->frameGeometry().right()) <= 1);
        QTest::keyClick(w->browser(), Qt::Key_Escape);
        QTRY_VERIFY(!realHelp.window());
    }

    void helpGoesBesideTheMainWindowOrOverIt_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QRect>("expected");
        const QRect hd(0, 0, 1920, 1080), small(0, 0, 800, 600);
        QTest::newRow("room on the right") << hd << QRect(100, 100, 900, 700) << QRect(1000, 140, 820, 600);
        QTest::newRow("room on the left") << hd << QRect(1000, 100, 900, 700) << QRect(180, 140, 820, 600);
        QTest::newRow("no room: over its right part") << hd << QRect(123, 20, 1674, 1000) << QRect(952, 60, 820, 600);
        QTest::newRow("near the bottom: kept on screen") << hd << QRect(300, 900, 1500, 170) << QRect(955, 480, 820, 600);
        QTest::newRow("small screen: smaller, inside") << small << small << QRect(55, 40, 720, 540);
    }
    void helpGoesBesideTheMainWindowOrOverIt()
    {
        QFETCH(QRect, screen);
        QFETCH(QRect, main);
        QFETCH(QRect, expected);
        QCOMPARE(helpPlacement(main, screen, QSize(820, 600)), expected);
    }
};

}  // namespace
}  // namespace wm

QTEST_MAIN(wm::KeyboardTest)
#include "keyboard_test.moc"
