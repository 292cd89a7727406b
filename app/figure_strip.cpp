#include "figure_strip.h"

#include "reading_order.h"
#include "worksheet_window.h"

#include "worksheet/number.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

using namespace worksheet;

namespace {

// What each part says around its number.
struct Part {
    const char* before;
    const char* after;
};
constexpr Part partText[] = {{"Carry ", " squads"}, {"or ", " lb"}, {"Tow ", ""}, {"Need ", ""}, {"Combat load ", ""}};
static_assert(std::size(partText) == std::size(ledgerFigures));

// A number by the number rule, its whole part in groups of three: "10,252".
QString grouped(double value)
{
    QString text = QString::fromStdString(formatNumber(value));
    if (text.contains(QLatin1Char('E')))
        return text;
    const int sign = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    for (qsizetype at = (point < 0 ? text.size() : point) - 3; at > sign; at -= 3)
        text.insert(at, QLatin1Char(','));
    return text;
}

} // namespace

FigureStrip::FigureStrip(WorksheetWindow& worksheet) : worksheet_(worksheet)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        if (i > 1)
            layout->addWidget(new QLabel(QStringLiteral("\u00b7"), this));
        auto* part = new QLabel(this);
        part->setTextFormat(Qt::PlainText);
        part->setCursor(Qt::PointingHandCursor);
        part->setObjectName(QStringLiteral("strip") + QLatin1String(declOf(ledgerFigures[i]).name.data()));
        part->installEventFilter(this);
        layout->addWidget(part);
        parts_[i] = part;
    }
    connect(&worksheet_, &WorksheetWindow::changed, this, &FigureStrip::refresh);
    refresh();
}

QLabel* FigureStrip::part(Control figure) const
{
    for (std::size_t i = 0; i < parts_.size(); ++i)
        if (ledgerFigures[i] == figure)
            return parts_[i];
    return nullptr;
}

void FigureStrip::refresh()
{
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        const Control figure = ledgerFigures[i];
        const double value = worksheet_.sheet().number(figure);
        QLabel* part = parts_[i];
        part->setText(QLatin1String(partText[i].before) + grouped(value) + QLatin1String(partText[i].after));
        WorksheetWindow::showOverCapacity(part, figure, value);
    }
}

bool FigureStrip::eventFilter(QObject* watched, QEvent* event)
{
    const bool clicked =
        event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    if (event->type() == QEvent::ToolTip)
        for (std::size_t i = 0; i < parts_.size(); ++i)
            if (parts_[i] == watched) {
                worksheet_.showBreakdownTip(static_cast<QHelpEvent*>(event)->globalPos(), parts_[i], ledgerFigures[i]);
                return true;
            }
    if (clicked)
        for (std::size_t i = 0; i < parts_.size(); ++i)
            if (parts_[i] == watched) {
                worksheet_.showBreakdown(ledgerFigures[i]);
                return true;
            }
    return QWidget::eventFilter(watched, event);
}
