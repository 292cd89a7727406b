// The window's bindings: which user actions reach the worksheet as events,
// and which changes made by handlers raise events of their own. Handlers here
// count their calls in hidden labels of the sheet.
#include "app/message_box.h"
#include "app/worksheet_geometry.h"
#include "app/worksheet_window.h"
#include "tools/gui_input.h"
#include "worksheet/shell.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace worksheet;
using namespace worksheet::literals;

namespace {

constexpr Control changes = "Label15"_ctl;
constexpr Control clicks = "Label90"_ctl;
constexpr Control ticks = "Label49"_ctl;

void countChange(Sheet& s, int)
{
    s.add(changes, 1);
}
void countClick(Sheet& s, int)
{
    s.add(clicks, 1);
}
void countTick(Sheet& s, int)
{
    s.add(ticks, 1);
}
void writeFromCode(Sheet& s, int)
{
    s.setText("Text10"_ctl, "written");
    s.setText("Combo13"_ctl, "Illumination");
    s.setChecked("Check1"_ctl, true);
}
void warn(Sheet& s, int)
{
    s.message("Transport Error", "You Need More Vehicles For Towing");
}

constexpr Route testRoutes[] = {
    {"Text10"_ctl, Event::Change, countChange}, {"Combo13"_ctl, Event::Click, countClick},
    {"Check1"_ctl, Event::Click, countTick},    {"Command11"_ctl, Event::Click, writeFromCode},
    {"Command7"_ctl, Event::Click, warn},
};

} // namespace

class BindingTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WorksheetWindow> window;

    template <class W> W* find(const char* name) { return window->findChild<W*>(QString::fromLatin1(name)); }
    QString tally(Control c) { return QString::fromStdString(window->sheet().text(c)); }

private slots:
    void init()
    {
        window = std::make_unique<WorksheetWindow>(testRoutes);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { window.reset(); }

    void everyVisibleControlHasItsWidget()
    {
        for (std::uint16_t i = 1; i < controlCount; ++i) {
            const auto& d = form[i];
            if (!d.visible || d.kind == Kind::Line || d.kind == Kind::Shape)
                continue;
            QWidget* w = window->findChild<QWidget*>(QString::fromUtf8(d.name.data(), qsizetype(d.name.size())));
            QVERIFY2(w, d.name.data());
            QCOMPARE(w->geometry(), worksheetGeometry().rectOf(d));
            QVERIFY2(QRect(QPoint(), window->page().size()).contains(w->geometry()), d.name.data());
        }
    }

    void typingRaisesOneChangePerCharacter()
    {
        QTest::keyClicks(find<QLineEdit>("Text10"), "123");
        QCOMPARE(tally(changes), "3");
    }

    void deletingTextIsAChangeToo()
    {
        auto* box = find<QLineEdit>("Text10");
        QTest::keyClicks(box, "4");
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(tally(changes), "2");
    }

    void textWrittenByAHandlerRaisesItsChangeAndShows()
    {
        QTest::mouseClick(find<QPushButton>("Command11"), Qt::LeftButton);
        QCOMPARE(tally(changes), "1");
        QCOMPARE(find<QLineEdit>("Text10")->text(), QString("written"));
    }

    void listTextWrittenByAHandlerIsNoPick()
    {
        QTest::mouseClick(find<QPushButton>("Command11"), Qt::LeftButton);
        QCOMPARE(tally(clicks), "Label90");
        QCOMPARE(find<QComboBox>("Combo13")->currentText(), QString("Illumination"));
    }

    void tickingFromCodeRaisesTheClick()
    {
        QTest::mouseClick(find<QPushButton>("Command11"), Qt::LeftButton);
        QCOMPARE(tally(ticks), "1");
        QVERIFY(find<QCheckBox>("Check1")->isChecked());
    }

    void tickingByMouseRaisesTheClickOnce()
    {
        auto* box = find<QCheckBox>("Check1");
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        QCOMPARE(tally(ticks), "1");
        QVERIFY(window->sheet().checked("Check1"_ctl));
        QVERIFY(box->isChecked());
    }

    void choosingFromThePopUpPicksEveryTime()
    {
        auto* combo = find<QComboBox>("Combo13");
        chooseFromPopup(combo, 1);
        QCOMPARE(tally(clicks), "1");
        chooseFromPopup(combo, 1);
        QCOMPARE(tally(clicks), "2");
        QCOMPARE(tally("Combo13"_ctl), "RPG-7 Anti Tank Rocket");
    }

    void theDropDownShowsEveryItemWhole()
    {
        // The towed weapons' names are the longest of any list.
        auto* combo = find<QComboBox>("Combo19");
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        QVERIFY(view->isVisible());
        QCOMPARE(view->verticalScrollBar()->isVisible(), false);
        for (int i = 0; i < combo->count(); ++i) {
            const int needed = view->sizeHintForIndex(combo->model()->index(i, 0)).width();
            QVERIFY2(needed <= view->viewport()->width(), qPrintable(combo->itemText(i)));
        }
        combo->hidePopup();
    }

    void typingAnItemIntoTheFieldIsNoPick()
    {
        QVERIFY(window->listsIgnoreTypedText());
        auto* combo = find<QComboBox>("Combo13");
        combo->setFocus();
        QTest::keyClicks(combo->lineEdit(), "Demo Charges");
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        find<QLineEdit>("Text35")->setFocus();
        QCOMPARE(tally(clicks), "Label90");
        QCOMPARE(tally("Combo13"_ctl), "Demo Charges");
    }

    void undoKeysInABoxUndoTheWorksheetNotTheBox()
    {
        auto* box = find<QLineEdit>("Text10");
        box->setFocus();
        QTest::keyClicks(box, "12");
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box->text(), QString());
        QCOMPARE(tally("Text10"_ctl), QString());
        QCOMPARE(tally(changes), "Label15");
        QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(box->text(), QString("12"));
        QCOMPARE(tally(changes), "2");
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(box->text(), QString("12"));
        // Undo and redo run no handler: the change count is the one typing left.
        QCOMPARE(tally(changes), "2");
    }

    void aMessageIsCriticalWithTheHandlersTitleAndText()
    {
        MessageBox::answerInsteadOfShowing();
        QTest::mouseClick(find<QPushButton>("Command7"), Qt::LeftButton);
        const auto asked = MessageBox::takeAsked();
        QCOMPARE(asked.size(), 1u);
        QCOMPARE(asked[0].title, QString("Transport Error"));
        QCOMPARE(asked[0].text, QString("You Need More Vehicles For Towing"));
        QCOMPARE(asked[0].icon, QMessageBox::Critical);
    }
};

QTEST_MAIN(BindingTest)
#include "binding_test.moc"
