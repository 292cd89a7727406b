// pick-to-repaint [--picks N]: how long the real window takes from a user's
// pick to the summary panel repainted, on the offscreen platform. Each pick
// is a click on an item of the first truck row's open pop-up (opening the
// pop-up is not timed); the time runs until the event loop has repainted the
// summary's cargo tally and flushed the window. Prints the median, the 99th
// percentile and the slowest pick.
#include "repeat_option.h"

#include "app/program.h"
#include "app/worksheet_window.h"
#include "sections/tallies.h"
#include "worksheet/form_events.h"
#include "app/worksheet_geometry.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace worksheet::literals;

namespace {

class PaintCount : public QObject {
public:
    using QObject::QObject;
    int paints = 0;

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void clickItem(QComboBox* combo, int item)
{
    QAbstractItemView* view = combo->view();
    const QRect rect = view->visualRect(combo->model()->index(item, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

} // namespace

int main(int argc, char** argv)
{
    const auto asked = repeatOption(argc, argv, "pick-to-repaint", "picks", 2000);
    if (!asked)
        return 2;
    const int picks = *asked;
    if (picks < 1) {
        std::fprintf(stderr, "pick-to-repaint: at least one pick\n");
        return 2;
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietOffscreenNotes);
    QApplication app(argc, argv);
    QApplication::setFont(worksheetFont());

    WorksheetWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "pick-to-repaint: the window was never shown\n");
        return 1;
    }

    // A mission and a count enable the first truck row.
    auto* mission = static_cast<QComboBox*>(window.widget(worksheet::missionType));
    mission->showPopup();
    clickItem(mission, 3); // Advance To Contact
    QTest::keyClicks(static_cast<QLineEdit*>(window.widget("Text10"_ctl)), "1");
    auto* row = static_cast<QComboBox*>(window.widget("Combo33"_ctl));
    if (!row->isEnabled()) {
        std::fprintf(stderr, "pick-to-repaint: the first truck row is not enabled\n");
        return 1;
    }

    QWidget* tally = window.widget(sections::summary::cargoPounds);
    PaintCount watch;
    tally->installEventFilter(&watch);

    // Three kinds that all carry cargo, so that every pick changes the tally.
    constexpr int kinds[] = {1, 2, 6};
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(picks));
    for (int i = 0; i < picks; ++i) {
        row->showPopup();
        QCoreApplication::processEvents();
        const int before = watch.paints;
        const auto start = std::chrono::steady_clock::now();
        clickItem(row, kinds[i % 3]);
        while (watch.paints == before)
            QCoreApplication::processEvents();
        const auto end = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }

    std::sort(micros.begin(), micros.end());
    const auto at = [&](double share) {
        return micros[std::min(micros.size() - 1,
                               static_cast<std::size_t>(share * static_cast<double>(micros.size())))];
    };
    std::printf("pick to repaint, %d picks: median %.0f us, 99th percentile %.0f us, slowest %.0f us\n", picks, at(0.5),
                at(0.99), micros.back());
    std::printf("cargo tally after the picks: %s\n", window.sheet().text(sections::summary::cargoPounds).c_str());
    return 0;
}
