#include "breakdown.h"

#include "reading_order.h"
#include "settings.h"
#include "text.h"

#include "report/report.h"
#include "worksheet/number.h"
#include "worksheet/row_marks.h"

#include <QAccessible>
#include <QEvent>
#include <QLabel>

#include <algorithm>
#include <utility>
#include <QListWidget>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

using namespace worksheet;

namespace {

// How long a click's jump waits for the window manager.
constexpr int activationWaitMs = 250;

QString nothingYet()
{
    return QStringLiteral("Nothing on the worksheet adds to it yet");
}

} // namespace

QString Breakdown::entryText(const Sheet& sheet, const LedgerEntry& entry)
{
    return qs(report::entryText(sheet, entry));
}

QString Breakdown::asText(const Sheet& sheet, Control figure)
{
    QStringList lines{figureNameOf(figure, sheet.number(figure)) + QStringLiteral(", made of:")};
    for (const LedgerEntry& e : report::entriesInOrder(sheet, figure))
        lines << entryText(sheet, e);
    if (lines.size() == 1)
        lines << nothingYet();
    return lines.join(QLatin1Char('\n'));
}

Breakdown::Breakdown(QWidget* parent, const Sheet& sheet) : QDialog(parent, Qt::Tool), sheet_(sheet)
{
    setObjectName(QStringLiteral("breakdown"));
    heading_ = new QLabel(this);
    heading_->setWordWrap(true);
    entries_ = new QListWidget(this);
    entries_->setObjectName(QStringLiteral("breakdownEntries"));
    heading_->setBuddy(entries_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(entries_);
    const auto controlOf = [](QListWidgetItem* item) -> std::optional<Control> {
        const QVariant c = item->data(Qt::UserRole);
        if (!c.isValid())
            return std::nullopt;
        return Control{static_cast<std::uint16_t>(c.toUInt())};
    };
    connect(entries_, &QListWidget::itemActivated, this, [this, controlOf](QListWidgetItem* item) {
        if (const auto c = controlOf(item))
            emit chosen(*c);
    });
    // A click jumps once the window manager has done with it: a click on the
    // breakdown while the worksheet is active makes it activate the
    // breakdown, after the click and over the jump.
    connect(entries_, &QListWidget::itemClicked, this, [this, controlOf](QListWidgetItem* item) {
        const auto c = controlOf(item);
        if (!c)
            return;
        QTimer::singleShot(activationWaitMs, this, [this, control = *c] { emit chosen(control); });
    });
    resize(360, 260);
}

namespace {

// Where a window of this size lies best: beside the worksheet where the
// screen has room, else where it covers least of what it must not (the
// summary above all).
QPoint bestPlace(QSize size, QRect screen, QRect worksheet, QRect summary, QRect row)
{
    // Beside each edge of the worksheet, and in each corner of the screen,
    // each slid onto the screen.
    const QPoint wanted[] = {{worksheet.right() + 1, worksheet.top()},
                             {worksheet.left() - size.width(), worksheet.top()},
                             {worksheet.left(), worksheet.bottom() + 1},
                             {worksheet.left(), worksheet.top() - size.height()},
                             screen.topRight() - QPoint(size.width() - 1, 0),
                             screen.bottomRight() - QPoint(size.width() - 1, size.height() - 1),
                             screen.bottomLeft() - QPoint(0, size.height() - 1),
                             screen.topLeft()};
    const auto onScreen = [&](QPoint at) {
        return QPoint(std::clamp(at.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - size.width())),
                      std::clamp(at.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height())));
    };
    // The summary must stay in view above all, then the row in use, then
    // the rest of the worksheet.
    const auto covered = [&](QPoint at) {
        const QRect r(at, size);
        const auto area = [](QRect a) { return qint64(a.width()) * a.height(); };
        return 16 * area(r & summary) + 4 * area(r & row) + area(r & worksheet);
    };
    QPoint best = onScreen(wanted[0]);
    for (const QPoint at : wanted)
        if (covered(onScreen(at)) < covered(best))
            best = onScreen(at);
    return best;
}

const QString geometryKey = QStringLiteral("breakdownGeometry");

} // namespace

void Breakdown::showFigure(Control figure, QRect worksheet, QRect summary, QRect row)
{
    figure_ = figure;
    refresh();
    if (!placed_) {
        placed_ = true;
        if (!restoreGeometry(programSettings().value(geometryKey).toByteArray()) && screen()) {
            // Before its first show the window has no frame: allow for one.
            const QSize frame = size() + QSize(16, 40);
            move(bestPlace(frame, screen()->availableGeometry(), worksheet, summary, row));
        }
    }
    show();
    raise();
    activateWindow();
    entries_->setFocus();
    if (entries_->count() > 0)
        entries_->setCurrentRow(0);
}

bool Breakdown::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    // Opened or come back to, the entry the focus is on is read out: told
    // once the list has the focus, after the list itself is.
    if (event->type() == QEvent::WindowActivate && QAccessible::isActive())
        QTimer::singleShot(0, this, [this] {
            if (entries_->hasFocus() && entries_->currentRow() >= 0) {
                QAccessibleEvent focus(entries_, QAccessible::Focus);
                focus.setChild(entries_->currentRow());
                QAccessible::updateAccessibility(&focus);
            }
        });
    return handled;
}

void Breakdown::hideEvent(QHideEvent* event)
{
    programSettings().setValue(geometryKey, saveGeometry());
    QDialog::hideEvent(event);
}

void Breakdown::refresh()
{
    const QString name = figureNameOf(figure_, sheet_.number(figure_));
    const std::string_view title = figureOf(figure_)->title;
    setWindowTitle(QStringLiteral("Breakdown: %1").arg(qs(title)));
    heading_->setText(QStringLiteral("%1, made of:").arg(name));
    entries_->setAccessibleName(name);
    // Left open while the user works in the worksheet, the breakdown must
    // not tell a screen reader that its entry has the focus: the list's
    // current entry changes unannounced while it is not the active window.
    const QSignalBlocker quiet(isActiveWindow() ? nullptr : entries_->selectionModel());
    const int current = entries_->currentRow();
    entries_->clear();
    for (const LedgerEntry& e : report::entriesInOrder(sheet_, figure_)) {
        auto* item = new QListWidgetItem(entryText(sheet_, e), entries_);
        item->setData(Qt::UserRole, e.control.index);
    }
    if (entries_->count() == 0) {
        auto* none = new QListWidgetItem(nothingYet(), entries_);
        none->setFlags(Qt::ItemIsEnabled);
    }
    entries_->setCurrentRow(std::min(current, entries_->count() - 1));
    // Wide enough for its longest entry in the font it has, as far as the
    // screen allows.
    const int wanted = entries_->sizeHintForColumn(0) + 2 * entries_->frameWidth() +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent) + layout()->contentsMargins().left() +
                       layout()->contentsMargins().right() + 8;
    const int room = screen() ? screen()->availableGeometry().width() * 3 / 4 : wanted;
    if (width() < std::min(wanted, room))
        resize(std::min(wanted, room), height());
}
