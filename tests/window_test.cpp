// The window as a keyboard or screen-reader user meets it: the Tab order, every control's accessible name, the
// over-capacity cues, lists that a stray key or mouse wheel cannot change,
// typed text that shows it is not counted, every kind and caption readable,
// and a worksheet that scrolls to the focus in a small window. Typing,
// picking, ticking, Clears and undo through real input are the --gui runs of
// the scenario files.
#include "app/message_box.h"
#include "app/reading_order.h"
#include "app/worksheet_window.h"
#include "sections/tallies.h"
#include "tools/gui_input.h"
#include "worksheet/rows.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOption>
#include <QTest>
#include <QWheelEvent>

using namespace worksheet;
using namespace worksheet::literals;

class WindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WorksheetWindow> window;

    template <class W> W* find(const char* name) { return window->findChild<W*>(QString::fromLatin1(name)); }

    void pick(const char* list, int item) { chooseFromPopup(find<QComboBox>(list), item); }
    std::string tally(Control c) { return window->sheet().text(c); }
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
    // The first list whose current item is not the one its field shows.
    QString listOutOfStep()
    {
        for (auto* list : window->findChildren<QComboBox*>())
            if (list->currentIndex() != list->findText(list->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive))
                return list->objectName() + ": " + list->currentText();
        return {};
    }
    bool shownWhole(QWidget* w)
    {
        QWidget* viewport = window->page().parentWidget();
        return viewport->rect().contains(QRect(w->mapTo(viewport, QPoint()), w->size()));
    }

private slots:
    void init()
    {
        window = std::make_unique<WorksheetWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QApplication::setActiveWindow(window.get());
    }
    void cleanup() { window.reset(); }

    void tabWalksTheWorksheetInReadingOrder()
    {
        // Enable every row's list, as a user would: a mission, then a count
        // in each row whose list waits for one.
        pick("Combo2", 1);
        for (const Row& row : rowsWaitingForCount)
            QTest::keyClicks(find<QLineEdit>(declOf(row.count).name.data()), "1");

        find<QWidget>("Text35")->setFocus();
        QStringList expected, walked;
        for (Control c : readingOrder()) {
            expected << QString::fromUtf8(declOf(c).name.data());
            walked << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(walked, expected);
        QCOMPARE(expected.size(), 107);
        // Each infantry row: check box, count, list.
        QCOMPARE(expected.mid(expected.indexOf("Check1"), 3), QStringList({"Check1", "Text4", "Combo1"}));
    }

    void everyVisibleControlTheUserCanReachHasAName()
    {
        for (Control c : readingOrder()) {
            QWidget* w = window->widget(c);
            QVERIFY2(w, declOf(c).name.data());
            QVERIFY2(!w->accessibleName().isEmpty(), declOf(c).name.data());
        }
        QCOMPARE(find<QLineEdit>("Text10")->accessibleName(), QString("Trucks, row 1, count"));
        QCOMPARE(find<QComboBox>("Combo42")->accessibleName(), QString("APCs, row 4, type"));
        QCOMPARE(find<QWidget>("Check2")->accessibleName(), QString("Infantry, row 9, marching"));
        QCOMPARE(find<QWidget>("Command16")->accessibleName(), QString("Towed units, clear"));
        QCOMPARE(find<QLabel>("Label110")->accessibleName(), QString("You can carry, squads"));
    }

    void overcommittedTransportShowsInRedAndInWords()
    {
        auto* cargo = find<QLabel>("Label108");
        const QColor normal = cargo->palette().color(QPalette::WindowText);
        pick("Combo2", 1);
        // Taking a truck away that was never there overcommits everything.
        QTest::keyClicks(find<QLineEdit>("Text10"), "-1");
        pick("Combo33", 1);
        QCOMPARE(cargo->text(), QString("-5000"));
        QVERIFY(cargo->palette().color(QPalette::WindowText) != normal);
        QCOMPARE(cargo->toolTip(), QString("Over capacity by 5000 pounds"));
        QCOMPARE(cargo->accessibleDescription(), cargo->toolTip());
        QCOMPARE(find<QLabel>("Label110")->toolTip(), QString("Over capacity by 2 squads"));
        QCOMPARE(find<QLabel>("Label40")->toolTip(), QString("Over capacity by 1 towing place"));
        // Supplies needed are no capacity: a negative figure there is no warning.
        QCOMPARE(find<QLabel>("Label75")->toolTip(), QString());

        // Back at zero the cue is gone.
        QTest::mouseClick(find<QWidget>("Command11"), Qt::LeftButton);
        QCOMPARE(cargo->text(), QString("0"));
        QCOMPARE(cargo->palette().color(QPalette::WindowText), normal);
        QCOMPARE(cargo->toolTip(), QString());
    }

    // On a closed list the wheel does nothing; Up, Down, Page Up and Page
    // Down open the drop-down on the kind the field shows, Home and End move
    // the cursor: none of them picks.
    void aClosedListChangesOnlyByAChoiceInItsDropDown()
    {
        oneTruckPicked();
        const std::string squads = tally(sections::summary::squads);
        auto* list = find<QComboBox>("Combo33");
        const QPoint centre = list->rect().center();
        QWheelEvent wheel(centre, list->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(list, &wheel);
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Home, Qt::Key_End}) {
            list->lineEdit()->setFocus();
            QTest::keyClick(list->lineEdit(), key);
            const bool opens = key != Qt::Key_Home && key != Qt::Key_End;
            QCOMPARE(list->view()->isVisible(), opens);
            QCOMPARE(list->view()->currentIndex().row(), 1);
            list->hidePopup();
        }
        QCOMPARE(tally("Combo33"_ctl), "ZIL Medium Truck");
        QCOMPARE(tally(sections::summary::squads), squads);
    }

    void aListsCurrentItemIsTheOneItsFieldShows()
    {
        oneTruckPicked();
        pick("Combo33", 2);
        QCOMPARE(find<QComboBox>("Combo33")->currentIndex(), 2);
        key(Qt::CTRL | Qt::Key_Z);
        QCOMPARE(tally("Combo33"_ctl), "ZIL Medium Truck");
        QCOMPARE(listOutOfStep(), QString());
        key(Qt::CTRL | Qt::Key_Z);
        QCOMPARE(listOutOfStep(), QString());
        key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        QCOMPARE(find<QComboBox>("Combo33")->currentIndex(), 1);
        QTest::mouseClick(find<QPushButton>("Command11"), Qt::LeftButton);
        QCOMPARE(listOutOfStep(), QString());

        // Supplies with no room left: the pick is refused, in a critical
        // message, and the row reset.
        QTest::mouseClick(find<QPushButton>("Command11"), Qt::LeftButton);
        QTest::keyClicks(find<QLineEdit>("Text29"), "50");
        MessageBox::answerInsteadOfShowing();
        pick("Combo8", 0);
        const auto asked = MessageBox::takeAsked();
        QCOMPARE(asked.size(), 1u);
        QCOMPARE(asked[0].title, QString("Transport Error"));
        QCOMPARE(asked[0].icon, QMessageBox::Critical);
        QCOMPARE(tally(sections::summary::cargoPounds), "0");
        QCOMPARE(listOutOfStep(), QString());
    }

    void typedTextShowsItIsNotCountedUntilAPick()
    {
        auto* list = find<QComboBox>("Combo13");
        auto marked = [list] {
            return list->lineEdit()->font().italic() && list->toolTip().contains("not counted") &&
                   list->accessibleDescription() == list->toolTip();
        };
        list->lineEdit()->setFocus();
        QTest::keyClicks(list->lineEdit(), "Smoke Munition");
        // Neither Enter nor leaving the field picks it.
        QTest::keyClick(list->lineEdit(), Qt::Key_Return);
        find<QLineEdit>("Text35")->setFocus();
        QVERIFY(marked());
        pick("Combo13", 5);
        QVERIFY(!marked());
        QCOMPARE(list->toolTip(), QString());
        // Undone, the pick gives the typed text back, counted no more than before.
        key(Qt::CTRL | Qt::Key_Z);
        QCOMPARE(list->currentText(), QString("Smoke Munition"));
        QVERIFY(marked());
        // The section's Clear writes over it.
        QTest::mouseClick(find<QPushButton>("Command8"), Qt::LeftButton);
        QVERIFY(!marked());

        auto* mission = find<QComboBox>("Combo2");
        mission->lineEdit()->selectAll();
        QTest::keyClicks(mission->lineEdit(), "Raid");
        QVERIFY(mission->lineEdit()->font().italic());
        QVERIFY(mission->toolTip().contains("mission type"));
    }

    void aDisabledListSaysWhatEnablesIt()
    {
        auto* list = find<QComboBox>("Combo33");
        QVERIFY(!list->isEnabled());
        QCOMPARE(list->toolTip(), QString("Type a count and choose a mission type first"));
        oneTruckPicked();
        QCOMPARE(list->toolTip(), QString());
    }

    void tabScrollsTheFocusIntoViewInASmallWindow()
    {
        window->resize(400, 300);
        QWidget* first = find<QWidget>("Text35");
        first->setFocus();
        key(Qt::SHIFT | Qt::Key_Backtab);
        QWidget* last = find<QWidget>("Command6");
        QCOMPARE(QApplication::focusWidget(), last);
        QVERIFY(shownWhole(last));
        QVERIFY(!shownWhole(first));
        key(Qt::Key_Tab);
        QVERIFY(shownWhole(first));
    }

    void theDropDownShowsEveryItemWhole()
    {
        // The towed weapons' names are the longest of any list.
        auto* list = find<QComboBox>("Combo19");
        list->showPopup();
        QAbstractItemView* view = list->view();
        QVERIFY(!view->verticalScrollBar()->isVisible());
        for (int i = 0; i < list->count(); ++i)
            QVERIFY2(view->sizeHintForIndex(list->model()->index(i, 0)).width() <= view->viewport()->width(),
                     qPrintable(list->itemText(i)));
        list->hidePopup();
    }

    // Run at more than one scale factor (see CMakeLists.txt).
    void everyKindAndCaptionShowsWhole()
    {
        QCOMPARE(QFontInfo(find<QWidget>("Combo33")->font()).family(), worksheetFont().family());
        for (Control c : readingOrder()) {
            QWidget* w = window->widget(c);
            if (!w)
                continue;
            const QFontMetrics metrics = w->fontMetrics();
            const QString name = QString::fromUtf8(declOf(c).name.data());
            if (auto* list = qobject_cast<QComboBox*>(w)) {
                QLineEdit* edit = list->lineEdit();
                // The line edit keeps 2 pixels either side, and one for the cursor.
                const int room = edit->contentsRect().width() - 2 * 2 - 1;
                for (int i = 0; i < list->count(); ++i)
                    QVERIFY2(metrics.horizontalAdvance(list->itemText(i)) <= room,
                             qPrintable(name + ": " + list->itemText(i)));
            } else if (auto* button = qobject_cast<QPushButton*>(w)) {
                QStyleOptionButton option;
                option.initFrom(button);
                option.text = button->text();
                const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
                QVERIFY2(metrics.horizontalAdvance(button->text()) <= room.width(), qPrintable(name));
            }
        }
        for (auto* label : window->findChildren<QLabel*>()) {
            const QRect room = label->contentsRect();
            const QRect needed = label->fontMetrics().boundingRect(
                room, int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0), label->text());
            QVERIFY2(room.contains(needed), qPrintable(label->objectName() + ": " + label->text()));
        }
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
