// The window as a keyboard or screen-reader user meets it: the Tab order,
// every control's accessible name, the over-capacity cues, and lists that a
// stray mouse wheel cannot change.
#include "app/reading_order.h"
#include "app/worksheet_window.h"
#include "tools/gui_input.h"
#include "worksheet/rows.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
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

        QStringList expected;
        for (Control c : readingOrder())
            expected << QString::fromUtf8(declOf(c).name.data());
        QCOMPARE(expected.size(), 107);
        QCOMPARE(expected.first(), QString("Text35"));
        QCOMPARE(expected.indexOf("Combo2"), 6);
        // Each infantry row: check box, count, list.
        QCOMPARE(expected.mid(expected.indexOf("Check1"), 3), QStringList({"Check1", "Text4", "Combo1"}));

        QWidget* start = find<QWidget>("Text35");
        start->setFocus();
        QStringList walked{start->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(walked, expected);
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

    void theMouseWheelDoesNotChangeAClosedList()
    {
        auto* list = find<QComboBox>("Combo13");
        const QPoint centre = list->rect().center();
        QWheelEvent wheel(centre, list->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(list, &wheel);
        QCOMPARE(list->currentText(), QString());
        QCOMPARE(window->sheet().text("Combo13"_ctl), "");
        QCOMPARE(window->sheet().text("Label108"_ctl), "0");
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
