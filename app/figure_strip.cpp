#include "figure_strip.h"

#include "figure_label.h"
#include "reading_order.h"
#include "text.h"
#include "worksheet_window.h"

#include "worksheet/number.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

using namespace worksheet;

FigureStrip::FigureStrip(WorksheetWindow& worksheet) : worksheet_(worksheet)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The parts read as one line of text: a blank between each.
    layout->setSpacing(fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        if (i > 1)
            layout->addWidget(new QLabel(QStringLiteral("\u00b7"), this));
        auto* part = new FigureLabel(figures[i].control, this);
        part->setObjectName(QStringLiteral("strip") + qs(declOf(figures[i].control).name));
        connect(part, &FigureLabel::activated, &worksheet_, &WorksheetWindow::showBreakdown);
        connect(part, &FigureLabel::tipWanted, this,
                [this, part](QPoint at, Control f) { worksheet_.showBreakdownTip(at, part, f); });
        layout->addWidget(part);
        parts_[i] = part;
    }
    connect(&worksheet_, &WorksheetWindow::changed, this, &FigureStrip::refresh);
    refresh();
}

void FigureStrip::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        refresh();
    QWidget::changeEvent(event);
}

void FigureStrip::refresh()
{
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        // Written by the worksheet's own rule, as the summary writes it:
        // a thousands separator would read as a decimal point in much of
        // the world.
        const Figure& f = figures[i];
        const Control figure = f.control;
        const double value = worksheet_.sheet().number(figure);
        QLabel* part = parts_[i];
        part->setText(qs(f.shortName) + QLatin1Char(' ') + QString::fromStdString(formatNumber(value)) +
                      qs(f.shortUnit.of(value)));
        WorksheetWindow::showOverCapacity(part, figure, value, palette());
    }
}

