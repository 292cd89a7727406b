// The program's window as its user meets it: the Tab order and accessible
// names, typed text that shows it is not counted, the breakdowns, every kind
// and caption readable (drop-downs too), Print, Export as PDF, the menus,
// saving, comparing and Exit. Typing, picking, ticking, Clears
// and undo through real input are the --gui runs of the scenario files. CTest
// gives these no printer; --print reaches a private one (tests/CMakeLists.txt).
#include "app/breakdown.h"
#include "app/colours.h"
#include "app/comparison.h"
#include "app/file_chooser.h"
#include "app/message_box.h"
#include "app/program.h"
#include "app/reading_order.h"
#include "app/settings.h"
#include "app/worksheet_geometry.h"
#include "app/worksheet_window.h"
#include "plan/plan.h"
#include "sections/sections.h"
#include "sections/tallies.h"
#include "tools/gui_input.h"
#include "worksheet/rows.h"

#include <sys/resource.h>

#include <csignal>

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPageLayout>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>


#include <optional>
#include <vector>

using namespace worksheet;
using namespace worksheet::literals;

namespace {

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    return p.waitForFinished(30000) && p.exitCode() == 0 ? p.readAllStandardOutput() : QByteArray();
}

// The PDF file's first page, drawn at dpi dots per inch in shades of grey.
QImage pageImage(const QString& pdf, int dpi)
{
    QTemporaryDir dir;
    run("pdftoppm", {"-r", QString::number(dpi), "-gray", "-png", "-singlefile", pdf, dir.filePath("page")});
    return QImage(dir.filePath("page.png")).convertToFormat(QImage::Format_Grayscale8);
}

// One page of white paper in the orientation chosen for the worksheet, the
// worksheet filling it one way, drawn as text and lines: no image of more
// than a small part of the page.
void checkPrintedPage(const QString& pdf, QPageLayout::Orientation orientation)
{
    QVERIFY2(run("pdfinfo", {pdf}).contains("Pages:           1\n"), qPrintable(pdf));
    // page num type width height ...
    for (const QByteArray& line : run("pdfimages", {"-list", pdf}).split('\n').mid(2)) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 4)
            QVERIFY2(fields[3].toInt() * fields[4].toInt() < 200 * 100, line.constData());
    }
    const QImage page = pageImage(pdf, 20);
    QVERIFY(!page.isNull());
    QCOMPARE(page.width() > page.height(), orientation == QPageLayout::Landscape);
    int white = 0;
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) >= 245)
                ++white;
            else
                ink |= QRect(x, y, 1, 1);
        }
    QVERIFY2(white > page.width() * page.height() * 3 / 4, "the paper stays white");
    QVERIFY2(std::max(double(ink.width()) / page.width(), double(ink.height()) / page.height()) > 0.8,
             "the worksheet fills the page");
    QVERIFY2(QRect(4, 4, page.width() - 8, page.height() - 8).contains(ink), "and stays within its margins");
}

// The longest run of near-black pixels along any row of the page, as a
// fraction of its width: the divider lines, which no text comes near.
double longestBlackLine(const QString& pdf)
{
    const QImage page = pageImage(pdf, 300);
    int longest = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0, run = 0; x < page.width(); ++x) {
            run = qGray(page.pixel(x, y)) < 100 ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    return page.isNull() ? 0 : double(longest) / page.width();
}

// A dark desktop's palette.
QPalette dark(QColor window, QColor base, QColor text, QColor placeholder)
{
    QPalette p(window, window);
    p.setColor(QPalette::Base, base);
    for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        p.setColor(role, text);
    p.setColor(QPalette::PlaceholderText, placeholder);
    return p;
}

// Breeze Dark through Qt's KDE theme, which leaves the placeholder at the
// light palette's.
QPalette breezeDark()
{
    return dark(QColor(0x31, 0x36, 0x3b), QColor(0x23, 0x26, 0x29), QColor(0xef, 0xf0, 0xf1), QColor(0, 0, 0, 128));
}

// The tip shown when the mouse rests on a widget.
QString tipOver(QWidget* w)
{
    QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), w->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(w, &hover);
    return QToolTip::text();
}

// A turn of the mouse wheel over a widget; whether it took it. One that is
// not taken goes on to the widgets under it, and so to the page.
bool wheelTakenBy(QWidget* w)
{
    const QPointF centre = QRectF(w->rect()).center();
    QWheelEvent wheel(centre, w->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &wheel);
    return wheel.isAccepted();
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ProgramWindow> program;
    QString suggested;
    QString chosen;
    // The program's settings (its recent plans) and the plans of a case.
    QTemporaryDir settings;
    std::optional<QTemporaryDir> plans;

    WorksheetWindow& window() { return program->worksheet(); }
    template <class W> W* find(const char* name) { return window().findChild<W*>(QString::fromLatin1(name)); }
    void pick(const char* list, int item) { chooseFromPopup(find<QComboBox>(list), item); }
    std::string tally(Control c) { return window().sheet().text(c); }
    void key(QKeyCombination keys)
    {
        QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
    }
    // A truck row that counts: a mission, one truck, the ZIL picked.
    void oneTruckPicked()
    {
        pick("Combo2", 1);
        QTest::keyClicks(find<QLineEdit>("Text10"), "1");
        pick("Combo33", 1);
        QCOMPARE(tally("Combo33"_ctl), "ZIL Medium Truck");
    }
    // The list shows text typed, not counted, in grey italics and says so.
    static bool marked(QComboBox* list)
    {
        return list->lineEdit()->font().italic() &&
               list->toolTip().contains("Typed, not counted: choose a kind from the list") &&
               list->accessibleDescription() == list->toolTip() &&
               list->lineEdit()->palette().color(QPalette::Text) ==
                   colours::typedText(list->parentWidget()->palette());
    }
    QScrollBar* pageScroll() { return window().findChild<QScrollArea*>()->verticalScrollBar(); }
    bool shownWhole(QWidget* w)
    {
        QWidget* viewport = window().page().parentWidget();
        return viewport->rect().contains(QRect(w->mapTo(viewport, QPoint()), w->size()));
    }

    QAction* action(const QString& text)
    {
        for (QAction* a : program->findChildren<QAction*>())
            if (a->text().remove('&').startsWith(text))
                return a;
        return nullptr;
    }

    // The header, a mission and a truck row, as on a page worth printing.
    QStringList fillIn()
    {
        QTest::keyClicks(find<QLineEdit>("Text35"), "Hill 112");
        QTest::keyClicks(find<QLineEdit>("Text36"), "Bridge");
        pick("Combo2", 5);
        QTest::keyClicks(find<QLineEdit>("Text10"), "2");
        pick("Combo33", 2);
        return {"Attack From:", "Attack On", "Mission Type", "Hill 112", "Bridge", "Ural-375 Heavy Truck", "printed"};
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
        setUpApplication();
        // A compositor's panel may come up after the compositor, and a window
        // maximised before it covers the whole screen for good: the cases
        // begin once a window maximised anew is given less.
        if (const int panel = qEnvironmentVariableIntValue("WORKSHEET_PANEL")) {
            const int height = QGuiApplication::primaryScreen()->geometry().height();
            QTRY_VERIFY_WITH_TIMEOUT([&] {
                QWidget probe;
                probe.showMaximized();
                return QTest::qWaitForWindowExposed(&probe) && probe.frameGeometry().height() <= height - panel;
            }(), 10000);
        }
    }

    void init()
    {
        MessageBox::answerInsteadOfShowing();
        MessageBox::takeAsked();
        suggested.clear();
        chosen.clear();
        setFileChooser([this](const QString& s) {
            suggested = s;
            return chosen;
        });
        plans.emplace();
        program = std::make_unique<ProgramWindow>();
        program->show();
        QVERIFY(QTest::qWaitForWindowExposed(program.get()));
        QApplication::setActiveWindow(program.get());
    }

    void cleanup()
    {
        program.reset();
        QVERIFY(MessageBox::takeAsked().empty());
    }

    // In a window far smaller than the worksheet, each control Tab reaches
    // is scrolled into view.
    void tabWalksTheWorksheetInReadingOrder()
    {
        // Enable every row's list, as a user would: a mission, then a count
        // in each row whose list waits for one.
        pick("Combo2", 1);
        for (const Row& row : rowsWaitingForCount)
            QTest::keyClicks(find<QLineEdit>(declOf(row.count).name.data()), "1");

        program->resize(400, 300);
        QTRY_VERIFY(window().page().parentWidget()->width() < 400);
        QCOMPARE(window().findChild<QScrollArea*>()->geometry(), window().rect()); // the page runs to the edges
        window().widget(readingOrder().back())->setFocus(); // the last: Tab goes round to the first
        key(Qt::Key_Tab);
        QStringList expected, walked;
        for (Control c : readingOrder()) {
            expected << QString::fromUtf8(declOf(c).name.data());
            walked << QApplication::focusWidget()->objectName();
            QVERIFY2(shownWhole(QApplication::focusWidget()), qPrintable(walked.last()));
            key(Qt::Key_Tab);
        }
        QCOMPARE(walked, expected);
        QCOMPARE(expected.size(), 112);
        // Each infantry row: check box, count, list.
        QCOMPARE(expected.mid(expected.indexOf("Check1"), 3), QStringList({"Check1", "Text4", "Combo1"}));
        // Lists make their drop-down only when it first opens: made for all
        // of them, they would cost a megabyte at start-up.
        for (const QComboBox* list : window().findChildren<QComboBox*>())
            QVERIFY2(list->objectName() == "Combo2" || !list->findChild<QAbstractItemView*>(), qPrintable(list->objectName()));
    }

    void everyVisibleControlTheUserCanReachHasAName()
    {
        for (Control c : readingOrder()) {
            QWidget* w = window().widget(c);
            QVERIFY2(w, declOf(c).name.data());
            QVERIFY2(!w->accessibleName().isEmpty(), declOf(c).name.data());
        }
        // What a screen reader says of a few controls; each section's Clear
        // says what it clears.
        const struct {
            const char* control;
            const char* name;
            const char* tip = nullptr; // unchecked
        } heard[] = {
            {"Combo42", "APCs, row 4, kind", "Type a count and choose a mission type first"},
            {"Text46", "APCs, row 1, count", ""},
            {"Check2", "Infantry, row 9, marching"},
            {"Label110", "You can carry: 0 squads"},
            {"Label108", "Or: 0 pounds of cargo"},
            {"Label40", "You can tow: 0 weapons from the towed section"},
            {"Label75", "You will need: 0 combat supplies for the mission"},
            {"Label121", "Of those: 0 supplies carried as the combat load"},
            {"Command11", "Trucks, clear", "Clears the truck rows, and the APC rows as well"},
        };
        for (const auto& h : heard) {
            QWidget* w = find<QWidget>(h.control);
            QCOMPARE(w->accessibleName(), QString(h.name));
            if (h.tip)
                QCOMPARE(w->toolTip(), QString(h.tip));
        }
        for (const sections::Section& section : sections::sectionTable) {
            const QString tip = window().widget(section.clear)->toolTip();
            QVERIFY2(tip.startsWith("Clears the ") && tip.contains(" rows"), qPrintable(tip));
        }
        // A list's accessible interface is its own: named by its row, its
        // value what it shows.
        pick("Combo2", 1);
        QTest::keyClicks(find<QLineEdit>("Text10"), "2");
        pick("Combo33", 1);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(find<QComboBox>("Combo33"));
        QCOMPARE(list->text(QAccessible::Name), QString("Trucks, row 1, kind"));
        QCOMPARE(list->text(QAccessible::Value), QString("ZIL Medium Truck"));
        // A count box's text as a screen reader asks for it: what is selected,
        // where each character lies.
        find<QLineEdit>("Text10")->selectAll();
        auto* count = QAccessible::queryAccessibleInterface(find<QLineEdit>("Text10"))->textInterface();
        QCOMPARE(count->selectionCount(), 1);
        QVERIFY(count->characterRect(1).left() > count->characterRect(0).left());
        // Each caption is its control's buddy.
        for (auto [caption, of] : {std::pair{"Label84", "Text35"}, {"Label85", "Text36"}, {"Label3", "Combo2"},
                                   {"Label5", "Check1"}, {"Label38", "Combo26"}, {"Label64", "Text29"}}) {
            auto* label = find<QLabel>(caption);
            QVERIFY2(label && label->buddy() == find<QWidget>(of), caption);
        }
        // Each section's heading heads its group; no control lies under a
        // group it is not in (a click there would go to the group).
        for (const char* heading : {"Label134", "Label48", "Label62", "Label59", "Label8", "Label132", "Label14"})
            QCOMPARE(find<QLabel>(heading)->parentWidget()->accessibleName().toLower(),
                     find<QLabel>(heading)->text().toLower());
        for (QObject* child : window().page().children())
            for (QObject* other : window().page().children())
                if (auto *w = qobject_cast<QWidget*>(child), *group = qobject_cast<QWidget*>(other);
                    w && group && w != group && !group->accessibleName().isEmpty() && w->isVisible())
                    QVERIFY2(!group->geometry().intersects(w->geometry()),
                             qPrintable(w->objectName() + " under " + group->accessibleName()));
    }

    void typedTextShowsItIsNotCountedUntilAPick()
    {
        auto* list = find<QComboBox>("Combo13");
        list->lineEdit()->setFocus();
        QTest::keyClicks(list->lineEdit(), "Smoke Munition");
        // Neither Enter nor leaving the field picks it.
        QTest::keyClick(list->lineEdit(), Qt::Key_Return);
        find<QLineEdit>("Text35")->setFocus();
        QVERIFY(marked(list));
        pick("Combo13", 5);
        QVERIFY(!marked(list));
        QCOMPARE(list->toolTip(), QString("The count is blank: this row counts nothing"));
        // Undone, the pick gives the typed text back, counted no more than before.
        key(Qt::CTRL | Qt::Key_Z);
        QCOMPARE(list->currentText(), QString("Smoke Munition"));
        QVERIFY(marked(list));
        // The section's Clear writes over it.
        QTest::mouseClick(find<QPushButton>("Command8"), Qt::LeftButton);
        QVERIFY(!marked(list));

        auto* mission = find<QComboBox>("Combo2");
        mission->lineEdit()->selectAll();
        QTest::keyClicks(mission->lineEdit(), "Raid");
        QVERIFY(mission->lineEdit()->font().italic());
        QVERIFY(mission->toolTip().contains("mission type"));
    }

    // Hovering over a summary figure shows what it is made of; Enter on it,
    // or a click, opens its breakdown, which follows the worksheet, and
    // Enter on an entry goes to its row.
    void aFigureOpensItsBreakdownWhichLeadsToItsRows()
    {
        oneTruckPicked();
        auto* squads = find<QLabel>("Label110");
        QCOMPARE(tipOver(squads),
                 QString("You can carry: 2 squads, made of:\nTrucks row 1, 1 \u00d7 ZIL Medium Truck +2"));
        QVERIFY(!window().breakdown());
        squads->setFocus();
        QTest::keyClick(squads, Qt::Key_Return);
        auto* entries = window().findChild<QListWidget*>("breakdownEntries");
        QVERIFY(entries && entries->isVisible());
        QCOMPARE(entries->count(), 1);
        QCOMPARE(entries->item(0)->text(), QString("Trucks row 1, 1 \u00d7 ZIL Medium Truck +2"));
        QCOMPARE(window().breakdown()->findChild<QLabel*>()->text(), "You can carry: 2 squads, made of:");
        pick("Combo33", 1);
        QCOMPARE(entries->item(0)->text(),
                 QString("Trucks row 1, 1 \u00d7 ZIL Medium Truck + 1 \u00d7 ZIL Medium Truck +4 (counted twice)"));
        entries->activateWindow();
        entries->setFocus();
        QTest::keyClick(entries, Qt::Key_Return); // on the entry that was current before the pick

        QTRY_VERIFY(find<QComboBox>("Combo33")->hasFocus());

        QTest::mouseClick(find<QLabel>("Label40"), Qt::LeftButton);
        QCOMPARE(window().breakdown()->figure(), "Label40"_ctl);
        QCOMPARE(entries->item(0)->text(),
                 QString("Trucks row 1, 1 \u00d7 ZIL Medium Truck + 1 \u00d7 ZIL Medium Truck +2 (counted twice)"));
        // The Clear empties it.
        QTest::mouseClick(find<QPushButton>("Command11"), Qt::LeftButton);
        QCOMPARE(entries->count(), 1);
        QVERIFY(!(entries->item(0)->flags() & Qt::ItemIsSelectable));
    }

    // The status line keeps the figures in view, below zero in red; each
    // opens its breakdown when clicked.
    void theStatusLineShowsTheFiguresAndOpensTheirBreakdowns()
    {
        QCOMPARE(program->findChild<QLabel*>("stripLabel121")->text(), "Combat load 0");
        pick("Combo2", 1);
        QTest::keyClicks(find<QLineEdit>("Text10"), "-3");
        pick("Combo33", 1);
        auto* cargo = program->findChild<QLabel*>("stripLabel108");
        auto* need = program->findChild<QLabel*>("stripLabel75");
        QStringList line;
        for (auto* part : cargo->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            line << part->text();
        QCOMPARE(line.join(' '), "Carry -6 squads or -15000 lb \u00b7 Tow -3 \u00b7 Need -12 \u00b7 Combat load -12");
        const QLabel* carry = program->findChild<QLabel*>("stripLabel110"); // a blank between the parts
        QCOMPARE(cargo->x() - carry->geometry().right() - 1, carry->fontMetrics().horizontalAdvance(' '));
        const QColor normal = need->palette().color(QPalette::WindowText);
        QVERIFY(cargo->palette().color(QPalette::WindowText) != normal);
        auto* squads = find<QLabel>("Label110");
        const QString tip = tipOver(squads), figure = "You can carry: -6 squads, over capacity by 6 squads, made of:";
        QVERIFY2(tip.startsWith(squads->toolTip() + "\n\n" + figure), qPrintable(tip));
        QTest::mouseClick(need, Qt::LeftButton);
        QVERIFY(window().breakdown() && window().breakdown()->isVisible());
        QCOMPARE(window().breakdown()->figure(), "Label75"_ctl);
    }

    // Run at more than one scale factor (see CMakeLists.txt).
    void everyKindAndCaptionShowsWhole()
    {
        QCOMPARE(QFontInfo(find<QWidget>("Combo33")->font()).family(), worksheetFont().family());
        for (Control c : readingOrder()) {
            QWidget* w = window().widget(c);
            if (!w)
                continue;
            const QFontMetrics metrics = w->fontMetrics();
            const QString name = QString::fromUtf8(declOf(c).name.data());
            if (auto* list = qobject_cast<QComboBox*>(w)) {
                // The line edit keeps 2 pixels either side, and one for the
                // cursor; the drop-down shows every item whole too.
                const int room = list->lineEdit()->contentsRect().width() - 2 * 2 - 1;
                list->showPopup();
                for (int i = 0; i < list->count(); ++i)
                    QVERIFY2(metrics.horizontalAdvance(list->itemText(i)) <= room &&
                                 list->view()->sizeHintForIndex(list->model()->index(i, 0)).width() <=
                                     list->view()->viewport()->width(),
                             qPrintable(name + ": " + list->itemText(i)));
                list->hidePopup();
            } else if (auto* button = qobject_cast<QPushButton*>(w)) {
                QStyleOptionButton option;
                option.initFrom(button);
                option.text = button->text();
                const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
                QVERIFY2(metrics.horizontalAdvance(button->text()) <= room.width(), qPrintable(name));
            }
        }
        // Widened lists keep clear of the divider lines beside them.
        for (const ControlDecl& line : form)
            if (line.kind == Kind::Line && line.width == 0 && line.visible)
                for (auto* list : window().findChildren<QComboBox*>()) {
                    const QRect r(list->mapTo(&window().page(), QPoint()), list->size());
                    const QLine l = worksheetGeometry().lineOf(line);
                    if (r.top() < l.y2() && r.bottom() > l.y1() && r.left() < l.x1())
                        QVERIFY2(l.x1() - r.right() >= 3, qPrintable(list->objectName()));
                }
        for (auto* label : window().findChildren<QLabel*>()) {
            const QRect room = label->contentsRect();
            const QRect needed = label->fontMetrics().boundingRect(
                room, int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0), label->text());
            QVERIFY2(room.contains(needed), qPrintable(label->objectName() + ": " + label->text()));
        }
    }

    // Space on a kind opens the drop-down; Backspace or Delete leave blank
    // text marked as typed; Escape leaves the mark as it was; undo brings
    // typed text back marked.
    void noKeyBlanksAListUnnoticed()
    {
        oneTruckPicked();
        auto* list = find<QComboBox>("Combo33");
        list->lineEdit()->setFocus();
        list->lineEdit()->selectAll();
        QTest::keyClick(list->lineEdit(), Qt::Key_Space);
        QVERIFY(list->view()->isVisible());
        QTest::keyClick(list->view(), Qt::Key_Escape);
        QVERIFY(!list->view()->isVisible());
        QCOMPARE(list->currentText(), QString("ZIL Medium Truck"));
        QVERIFY(!marked(list));
        for (Qt::Key erase : {Qt::Key_Backspace, Qt::Key_Delete}) {
            list->lineEdit()->selectAll();
            QTest::keyClick(list->lineEdit(), erase);
            QCOMPARE(list->currentText(), QString());
            QVERIFY(marked(list));
            key(Qt::CTRL | Qt::Key_Z);
            QVERIFY(!marked(list));
        }

        auto* weapon = find<QComboBox>("Combo13");
        weapon->lineEdit()->setFocus();
        QTest::keyClicks(weapon->lineEdit(), "Mortar");
        weapon->showPopup();
        QTest::keyClick(weapon->view(), Qt::Key_Escape);
        QVERIFY(marked(weapon));
        QTest::keyClicks(find<QLineEdit>("Text35"), "Hill"); // another event between
        weapon->lineEdit()->selectAll();
        QTest::keyClicks(weapon->lineEdit(), "Gun");
        key(Qt::CTRL | Qt::Key_Z);
        QCOMPARE(weapon->currentText(), QString("Mortar"));
        QVERIFY(marked(weapon));
    }

    // A control disabled under the focus hands it back along the reading
    // order, never on to the header; a count box's arrow keys and the wheel
    // over any list leave the focus where it is, and only the wheel scrolls.
    void theFocusStaysWhereTheUserWorks()
    {
        program->resize(500, 400);
        QTRY_VERIFY(window().page().parentWidget()->width() < 500);
        oneTruckPicked();
        auto* count = find<QLineEdit>("Text10");
        count->setFocus();
        const int top = pageScroll()->value();
        for (int i = 0; i < 10; ++i)
            QTest::keyClick(count, Qt::Key_Down);
        QCOMPARE(pageScroll()->value(), top);
        QVERIFY(count->hasFocus());
        QVERIFY(!wheelTakenBy(find<QWidget>("Combo33")));
        QVERIFY(count->hasFocus());
        QCOMPARE(tally("Combo33"_ctl), "ZIL Medium Truck");

        // Undone, the count disables its list under the focus.
        find<QComboBox>("Combo33")->lineEdit()->setFocus();
        key(Qt::CTRL | Qt::Key_Z);
        key(Qt::CTRL | Qt::Key_Z);
        QVERIFY(!find<QWidget>("Combo33")->isEnabled());
        QVERIFY(count->hasFocus());

        // The supply calculation disables its own button.
        auto* calculation = find<QPushButton>("Command6");
        calculation->setFocus();
        QTest::keyClick(calculation, Qt::Key_Space);
        QVERIFY(!calculation->isEnabled());
        auto* supplies = find<QWidget>("Combo8");
        QVERIFY(QApplication::focusWidget() == supplies || supplies->isAncestorOf(QApplication::focusWidget()));
        QVERIFY(shownWhole(find<QWidget>("Combo8")));
    }

    void withoutAPrinterThePageCanBeSavedAsPdf()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("needs a machine without a printer (CTest points it at no print server)");
        const QStringList texts = fillIn();
        const SheetState before = window().sheet().state();
        // Cancelled, the message changes nothing.
        QTest::keyClick(program.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(MessageBox::takeAsked().size(), 1u);
        QVERIFY(suggested.isEmpty() && program->statusBar()->currentMessage().isEmpty());
        QTemporaryDir dir;
        chosen = dir.filePath("worksheet"); // the dialog's name field, without the suffix
        MessageBox::setNextAnswer(MessageBox::Answer::SaveAsPdf);
        QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);

        const auto asked = MessageBox::takeAsked();
        QCOMPARE(asked.size(), 1u);
        QCOMPARE(asked[0].title, QString("Print Error"));
        QVERIFY(asked[0].text.contains("No printer"));
        QCOMPARE(asked[0].icon, QMessageBox::Question);
        QCOMPARE(QFileInfo(suggested).fileName(), QString("Combat Worksheet.pdf"));
        QVERIFY(suggested.startsWith(QDir::homePath()));
        const QString pdf = chosen + ".pdf";
        QVERIFY(program->statusBar()->currentMessage().contains(pdf));
        checkPrintedPage(pdf, QPageLayout::Landscape); // the worksheet is wider than high
        const QString text = QString::fromUtf8(run("pdftotext", {"-layout", pdf, "-"}));
        for (const QString& t : texts)
            QVERIFY2(text.contains(t), qPrintable(t + " is not on the page:\n" + text));
        QVERIFY2(longestBlackLine(pdf) > 0.4, "the divider lines print solid black");
        QVERIFY(window().sheet().state() == before);
    }

    void theMenusFollowTheHistoryAndNameTheVersion()
    {
        QAction* undo = action("Undo");
        QAction* redo = action("Redo");
        QVERIFY(undo && redo);
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        QTest::keyClicks(find<QLineEdit>("Text35"), "Hill");
        QVERIFY(undo->isEnabled() && !redo->isEnabled());
        undo->trigger();
        QCOMPARE(find<QLineEdit>("Text35")->text(), QString());
        QVERIFY(!undo->isEnabled() && redo->isEnabled());
        // The box's own undo gives the keys way to the worksheet's.
        QTest::keyClick(find<QLineEdit>("Text35"), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(find<QLineEdit>("Text35")->text(), QString("Hill"));
        QCOMPARE(undo->shortcuts(), QList<QKeySequence>({Qt::CTRL | Qt::Key_Z}));
        QCOMPARE(redo->shortcuts(), QList<QKeySequence>({Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y}));
        action("About")->trigger();
        auto asked = MessageBox::takeAsked();
        QCOMPARE(asked.size(), 1u);
        QVERIFY(asked[0].text.contains(COMBAT_WORKSHEET_VERSION));

        // Every menu and menu item has its letter; F10 opens the first menu.
        QStringList menus;
        for (QAction* menu : program->menuBar()->actions())
            menus << menu->text();
        QCOMPARE(menus, QStringList({"&File", "&Edit", "&Help"}));
        for (QAction* menu : program->menuBar()->actions()) {
            QString letters; // each item's own: a letter two items share opens neither at once
            for (QAction* item : menu->menu()->actions()) {
                const qsizetype at = item->text().indexOf('&');
                QVERIFY2(item->isSeparator() || (at >= 0 && !letters.contains(item->text()[at + 1].toLower())),
                         qPrintable(item->text()));
                letters += at >= 0 ? item->text()[at + 1].toLower() : QChar();
            }
        }
        QVERIFY(!program->style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation)); // Alt alone stays with the list
        QTest::keyClick(program.get(), Qt::Key_F10);
        QTRY_VERIFY(program->menuBar()->actions().constFirst()->menu()->isVisible());
        program->menuBar()->actions().constFirst()->menu()->close();

        // A box with a short text is wide enough for its title and the title
        // bar's buttons.
        QTest::keyClicks(find<QLineEdit>("Text10"), "1");
        asked = MessageBox::takeAsked();
        QCOMPARE(asked.size(), 1u);
        QFont bold = program->font();
        bold.setBold(true);
        QVERIFY(asked[0].size.width() >= QFontMetrics(bold).horizontalAdvance(asked[0].title) + 150);
    }

    void exitEndsTheProgramAtOnceWithNothingUnsaved()
    {
        fillIn();
        chosen = plans->filePath("plan");
        QVERIFY(program->save()); // Save As, named in the chooser
        QTimer::singleShot(0, this, [this] { QTest::mouseClick(find<QPushButton>("Command3"), Qt::LeftButton); });
        QCOMPARE(QApplication::exec(), 0);
    }

    // The title names the plan and marks unsaved changes; undoing back to
    // the plan as saved takes the mark away.
    void theTitleNamesThePlanAndMarksUnsavedChanges()
    {
        QCOMPARE(program->windowTitle(), QString("Combat Worksheet[*]"));
        QVERIFY(!program->isWindowModified());
        QTest::keyClicks(find<QLineEdit>("Text35"), "Hill");
        QVERIFY(program->isWindowModified());
        // The dialog's name field, without the suffix; a dot in the name is
        // no suffix. The folder of the last plan, deleted since, is not where
        // the dialog starts.
        programSettings().setValue("lastFolder", plans->filePath("deleted"));
        chosen = plans->filePath("Raid on Hill 402 v1.2");
        QTest::keyClick(program.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY2(QFileInfo(suggested).isAbsolute() && !suggested.startsWith(plans->filePath("deleted")) &&
                     QFileInfo(suggested).fileName() == "Combat Worksheet.cwplan",
                 qPrintable(suggested));
        QCOMPARE(program->planFile(), chosen + ".cwplan");
        QCOMPARE(program->windowTitle(), QString("Raid on Hill 402 v1.2[*] \u2014 Combat Worksheet"));
        QVERIFY(!program->isWindowModified());
        QVERIFY(program->statusBar()->currentMessage().contains(program->planFile()));
        QTest::keyClicks(find<QLineEdit>("Text35"), " 402");
        QVERIFY(program->isWindowModified());
        window().undo();
        QVERIFY(!program->isWindowModified());

        // The next dialog starts in the plan's folder, with its name; the
        // plan is the first of the recent ones. A PDF that cannot be written
        // says why.
        chosen = plans->filePath("no folder/worksheet.pdf");
        action("Export as PDF")->trigger();
        QCOMPARE(suggested, plans->filePath("Raid on Hill 402 v1.2.pdf"));
        const auto asked = MessageBox::takeAsked();
        QCOMPARE(asked.size(), 1u);
        QVERIFY2(asked[0].text.endsWith(": No such file or directory."), qPrintable(asked[0].text));
        QMenu* recent = action("Open Recent")->menu();
        emit recent->aboutToShow();
        QVERIFY(recent->actions().constFirst()->text().contains(program->planFile()));

        // New is the worksheet of start-up, with no name and no history.
        QTest::keyClick(program.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(program->windowTitle(), QString("Combat Worksheet[*]"));
        QCOMPARE(find<QLineEdit>("Text35")->text(), QString());
        QVERIFY(!action("Undo")->isEnabled());
    }

    // With unsaved changes, each way out asks first; Save saves and ends,
    // Discard ends, Cancel keeps the worksheet open as it was.
    void eachWayOutAsksFirstWithUnsavedChanges_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<MessageBox::Answer>("answer");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("closed");
        for (const char* way : {"Exit", "Quit", "Ctrl+Q", "close button"}) {
            QTest::addRow("%s, answered Save", way) << way << MessageBox::Answer::Save << true << true;
            QTest::addRow("%s, answered Discard", way) << way << MessageBox::Answer::Discard << false << true;
            QTest::addRow("%s, answered Cancel", way) << way << MessageBox::Answer::Cancel << false << false;
        }
    }

    void eachWayOutAsksFirstWithUnsavedChanges()
    {
        QFETCH(QString, way);
        QFETCH(MessageBox::Answer, answer);
        QFETCH(bool, saved);
        QFETCH(bool, closed);
        const QString path = plans->filePath("plan.cwplan");
        chosen = path;
        QVERIFY(program->saveAs());
        QTest::keyClicks(find<QLineEdit>("Text35"), "Hill");
        MessageBox::setNextAnswer(answer);
        if (way == "Exit")
            QTest::mouseClick(find<QPushButton>("Command3"), Qt::LeftButton);
        else if (way == "Quit")
            action("Quit")->trigger();
        else if (way == "Ctrl+Q")
            QTest::keyClick(program.get(), Qt::Key_Q, Qt::ControlModifier);
        else
            program->close();
        const auto asked = MessageBox::takeAsked();
        QCOMPARE(asked.size(), 1u);
        QCOMPARE(asked[0].title + ": " + asked[0].text, "Unsaved Changes: Save the changes to \"plan\" first?");
        QCOMPARE(asked[0].icon, QMessageBox::Question);
        QCOMPARE(!program->isVisible(), closed);
        QCOMPARE(plan::read(path).state.controls.at("Text35"_ctl.index).text == "Hill", saved);
        QCOMPARE(program->isWindowModified(), !saved);
    }

    // Another window's save since this one opened the plan is not
    // overwritten unasked; a save that cannot be written whole keeps the
    // older plan and the unsaved mark.
    void aSaveThatWouldLoseAPlanAsksOrFails()
    {
        const QString path = plans->filePath("shared.cwplan");
        chosen = path;
        QVERIFY(program->saveAs());
        ProgramWindow other;
        QVERIFY(other.openFile(path));
        QTest::keyClicks(other.findChild<QLineEdit*>("Text35"), "Bridge");
        QVERIFY(other.save());
        const QByteArray theirs = plan::toText(plan::read(path).state);

        QTest::keyClicks(find<QLineEdit>("Text35"), "Hill");
        QVERIFY(!program->save()); // asked, and Cancel by default
        auto asked = MessageBox::takeAsked();
        QCOMPARE(asked.size(), 1u);
        QVERIFY2(asked[0].title == "Save Plan" && asked[0].text.startsWith('"' + path + "\" was changed by another program"),
                 qPrintable(asked[0].text));
        QVERIFY(program->isWindowModified());
        QCOMPARE(plan::toText(plan::read(path).state), theirs);

        // On a disk that takes no more, the save says so and nothing changes.
        MessageBox::setNextAnswer(MessageBox::Answer::Overwrite);
        program->statusBar()->clearMessage();
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit full{1024, RLIM_INFINITY};
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &full), 0);
        const bool saved = program->save();
        full.rlim_cur = RLIM_INFINITY;
        ::setrlimit(RLIMIT_FSIZE, &full);
        QVERIFY(!saved);
        asked = MessageBox::takeAsked();
        QCOMPARE(asked.size(), 2u);
        QCOMPARE(asked[1].text, '"' + path + "\" cannot be saved: File too large.");
        QVERIFY(program->isWindowModified());
        QVERIFY(program->statusBar()->currentMessage().isEmpty());
        QCOMPARE(plan::toText(plan::read(path).state), theirs);

        // Answered Overwrite, the save goes ahead; then no question is due.
        MessageBox::setNextAnswer(MessageBox::Answer::Overwrite);
        QVERIFY(program->save());
        QCOMPARE(MessageBox::takeAsked().size(), 1u);
        QVERIFY(!program->isWindowModified());
        QCOMPARE(plan::read(path).state.controls.at("Text35"_ctl.index).text, "Hill");
        QTest::keyClicks(find<QLineEdit>("Text35"), " 402");
        QVERIFY(program->save());
        // A plan deleted meanwhile is written again.
        QVERIFY(QFile::remove(path));
        QVERIFY(program->save());
        QCOMPARE(plan::read(path).state.controls.at("Text35"_ctl.index).text, "Hill 402");
    }

    // Compare With: the worksheet against a saved plan, following it as it
    // changes; Enter on a row's line takes the focus to the row; the
    // comparison saved as a PDF file is one page.
    void comparingWithAPlanShowsWhatDiffersAndLeadsToIt()
    {
        oneTruckPicked();
        const QString a = plans->filePath("a.cwplan"), b = plans->filePath("b.cwplan");
        chosen = a;
        QVERIFY(program->saveAs());
        QTest::keyClicks(find<QLineEdit>("Text13"), "1");
        pick("Combo34", 2);
        chosen = b;
        QVERIFY(program->saveAs());
        QVERIFY(program->openFile(a));
        QVERIFY(!program->isWindowModified()); // opened, it is the plan as saved
        QVERIFY(!program->compareWithFile(plans->filePath("missing.cwplan")));
        QCOMPARE(MessageBox::takeAsked().size(), 1u);
        QVERIFY(program->compareWithFile(b));
        ComparisonWindow& comparison = *program->comparison();
        QCOMPARE(comparison.windowTitle(), "a against b \u2014 Compare");
        QTableWidget& table = comparison.table();
        QCOMPARE(table.accessibleName(), "a against b");
        for (int column : {1, 2}) // squads left to carry are not red
            QCOMPARE(table.item(0, column)->foreground().style(), Qt::NoBrush);
        const auto lineOf = [&](const QString& what) {
            for (int row = 0; row < table.rowCount(); ++row)
                if (table.item(row, 0)->text() == what)
                    return row;
            return -1;
        };
        const int row = lineOf("Trucks row 2");
        QVERIFY(row > 0);
        QCOMPARE(table.item(row, 1)->text(), "blank");
        QCOMPARE(table.item(row, 2)->data(Qt::AccessibleTextRole).toString(), "Trucks row 2: 1 × Ural-375 Heavy Truck");
        QCOMPARE(lineOf("Trucks row 1"), -1);
        QCOMPARE(QString::fromStdString(comparison.asText()).count("Trucks row 2"), 6); // the row, five entries

        table.setFocus();
        table.setCurrentCell(row, 2);
        QTest::keyClick(&table, Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), find<QLineEdit>("Text13"));
        QVERIFY(program->testAttribute(Qt::WA_KeyboardFocusChange)); // its focus shows, as after Tab
        QTest::keyClicks(find<QLineEdit>("Text13"), "3");
        QCOMPARE(table.item(lineOf("Trucks row 2"), 1)->text(), "3 × no kind, nothing counted");
        QCOMPARE(table.currentRow(), lineOf("Trucks row 2")); // the line in use stays the current one

        chosen = plans->filePath("compared");
        for (auto* button : comparison.findChildren<QPushButton*>())
            if (button->text().remove('&').startsWith("Export"))
                button->click();
        QCOMPARE(suggested, "a against b.pdf");
        const QString info = QString::fromUtf8(run("pdfinfo", {chosen + ".pdf"}));
        QVERIFY2(info.contains("Pages:           1\n") && info.contains("a against b \u2014 Compare"), qPrintable(info));
        QVERIFY(QString::fromUtf8(run("pdftotext", {chosen + ".pdf", "-"})).contains("Ural-375 Heavy Truck"));

        // Two plans, neither of them the worksheet: the worksheet's changes
        // are not theirs.
        QVERIFY(!program->compareFiles(b, plans->filePath("missing.cwplan")));
        QCOMPARE(MessageBox::takeAsked().at(0).title, "Compare Plans");
        QVERIFY(program->compareFiles(b, a));
        QCOMPARE(comparison.windowTitle(), "b against a \u2014 Compare");
        QCOMPARE(table.item(lineOf("Trucks row 2"), 1)->text(), "1 × Ural-375 Heavy Truck");
        QTest::keyClicks(find<QLineEdit>("Text13"), "4");
        QCOMPARE(table.item(lineOf("Trucks row 2"), 1)->text(), "1 × Ural-375 Heavy Truck");
        QVERIFY(program->compareFiles(a, a));
        const auto labels = comparison.findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.begin(), labels.end(),
                            [](QLabel* l) { return l->text().startsWith("No row differs. 1 row the same"); }));
        MessageBox::setNextAnswer(MessageBox::Answer::Discard);
        QTest::keyClick(program.get(), Qt::Key_N, Qt::ControlModifier); // a new worksheet: no squads, none owed
        QCOMPARE(MessageBox::takeAsked().size(), 1u);
        chosen = plans->filePath("new.cwplan");
        QVERIFY(program->saveAs() && program->compareFiles(a, chosen));
        QCOMPARE(table.item(0, 2)->foreground().style(), Qt::NoBrush);
        comparison.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close)->click();
        QVERIFY(!comparison.isVisible());
    }

    // The window opens again where and as large as it was closed.
    void theWindowOpensAsItWasClosed()
    {
        program->resize(640, 480);
        QVERIFY(program->close());
        ProgramWindow again;
        QCOMPARE(again.size(), QSize(640, 480));
        programSettings().clear(); // the other cases' windows open as at first
    }

    // The whole window lies on the screen's work area, its status line
    // included; on Wayland, where the program is not told where the
    // desktop's panels are, WORKSHEET_PANEL says how high the compositor's is.
    void theWindowLiesOnTheScreen()
    {
        const QSize screen = program->screen()->availableGeometry().size() -
                             QSize(0, qEnvironmentVariableIntValue("WORKSHEET_PANEL"));
        // The compositor answers the window's state in its own time.
        QTRY_VERIFY2_WITH_TIMEOUT(QRect(QPoint(), screen).contains(QRect(QPoint(), program->frameGeometry().size())),
                                  qPrintable(QStringLiteral("%1x%2 on %3x%4").arg(program->frameGeometry().width())
                                                 .arg(program->frameGeometry().height()).arg(screen.width())
                                                 .arg(screen.height())),
                                  10000);
        QVERIFY(program->statusBar()->isVisible());
    }

    // A plan's PDF carries the plan's name as its title and at its foot.
    void aPlansPageIsNamedAfterIt()
    {
        fillIn();
        chosen = plans->filePath("Raid on Hill 402");
        QVERIFY(program->saveAs());
        chosen = plans->filePath("page.pdf"); // typed with its suffix
        find<QLineEdit>("Text36")->setFocus();
        action("Export as PDF")->trigger();
        QVERIFY(find<QLineEdit>("Text36")->hasFocus()); // given back after the page was drawn
        QCOMPARE(QFileInfo(suggested).fileName(), QString("Raid on Hill 402.pdf"));
        QVERIFY(run("pdfinfo", {chosen}).contains("Title:           Raid on Hill 402\n"));
        const QString text = QString::fromUtf8(run("pdftotext", {chosen, "-"})).simplified();
        QVERIFY2(text.contains("Raid on Hill 402 \u2014 Combat Worksheet, printed"), qPrintable(text));
    }

    // Leaving a field for a dialog, a menu or another window keeps its
    // cursor where it was; leaving it for another field shows its start.
    void theCursorStaysWhereTheUserLeftIt()
    {
        auto* field = find<QLineEdit>("Text35");
        field->setFocus();
        QTest::keyClicks(field, "Hill");
        for (const Qt::FocusReason away : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason, Qt::MenuBarFocusReason}) {
            QFocusEvent out(QEvent::FocusOut, away);
            QApplication::sendEvent(field, &out);
            QCOMPARE(field->cursorPosition(), 4);
        }
        QTest::keyClicks(field, "X");
        QCOMPARE(field->text(), QString("HillX"));
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(field->cursorPosition(), 0);
    }

    // The colours the window adds stay legible on light, dark and
    // high-contrast desktops, and follow the desktop when it changes.
    void addedColoursStayLegibleOnEveryPalette()
    {
        const std::pair<const char*, QPalette> palettes[] = {
            {"Fusion", std::unique_ptr<QStyle>(QStyleFactory::create("Fusion"))->standardPalette()},
            // Adwaita dark through the gtk3 platform theme.
            {"Adwaita dark", dark(QColor(0x35, 0x35, 0x35), QColor(0x2d, 0x2d, 0x2d), QColor(0xee, 0xee, 0xec),
                                  QColor(0x91, 0x91, 0x91))},
            {"Breeze Dark", breezeDark()},
            {"high contrast", dark(Qt::black, Qt::black, Qt::white, QColor(255, 255, 255, 128))},
        };
        QCOMPARE(qRound(colours::contrast(Qt::black, Qt::white)), 21); // as the accessibility guidelines reckon it
        const QPalette before = QApplication::palette();
        QTest::keyClicks(find<QComboBox>("Combo13")->lineEdit(), "Smoke");
        for (const auto& [name, p] : palettes) {
            const QColor base = p.color(QPalette::Base), background = p.color(QPalette::Window);
            QVERIFY2(colours::contrast(colours::typedText(p), base) >= 4.5, name);
            QVERIFY2(colours::contrast(colours::typedText(p), p.color(QPalette::Text)) > 1.2, name); // still grey
            QVERIFY2(colours::contrast(colours::negative(p), background) >= 4.5, name);
            QVERIFY2(colours::contrast(colours::mark(p), base) >= 3, name);
            QApplication::setPalette(p);
            QCoreApplication::processEvents(); // the change reaches each widget
            QVERIFY2(marked(find<QComboBox>("Combo13")), name);
        }
        QApplication::setPalette(before);
    }

    // Paper is paper: under a dark desktop the page prints white with black
    // ink, as under the light one.
    void aDarkDesktopPrintsTheSamePage()
    {
        fillIn();
        QTemporaryDir dir;
        const auto printed = [&](const QString& name) {
            chosen = dir.filePath(name);
            action("Export as PDF")->trigger();
            return pageImage(chosen + ".pdf", 40);
        };
        const QImage light = printed("light");
        const QPalette before = QApplication::palette();
        QApplication::setPalette(breezeDark());
        QCoreApplication::processEvents();
        const QImage onDark = printed("dark");
        QApplication::setPalette(before);
        QCOMPARE(onDark.size(), light.size());
        double sum[2] = {};
        int differ = 0;
        for (int y = 0; y < light.height(); ++y)
            for (int x = 0; x < light.width(); ++x) {
                const int a = qGray(light.pixel(x, y)), b = qGray(onDark.pixel(x, y));
                sum[0] += a;
                sum[1] += b;
                differ += std::abs(a - b) > 64;
            }
        const double pixels = 255.0 * light.width() * light.height();
        QVERIFY2(sum[0] / pixels >= 0.85 && std::abs(sum[0] - sum[1]) / pixels < 0.03,
                 qPrintable(QString("%1 against %2").arg(sum[0] / pixels).arg(sum[1] / pixels)));
        QVERIFY2(differ < light.width() * light.height() / 100, "the ink lies in the same places");
    }

};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
