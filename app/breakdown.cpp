#include "breakdown.h"

#include "reading_order.h"

#include "sections/sections.h"
#include "worksheet/number.h"
#include "worksheet/row_marks.h"

#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

using namespace worksheet;

namespace {

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Where an entry comes from: "Trucks row 2", "Trucks Clear".
QString whereOf(Control c)
{
    for (const sections::Section& s : sections::sectionTable) {
        for (std::size_t i = 0; i < s.rows.size(); ++i)
            if (s.rows[i].list == c)
                return QStringLiteral("%1 row %2").arg(qs(s.name)).arg(i + 1);
        if (s.clear == c)
            return QStringLiteral("%1 Clear").arg(qs(s.name));
    }
    if (c == supplyRow.list)
        return QStringLiteral("Combat supplies row");
    const QString& name = accessibleNameOf(c);
    return name.isEmpty() ? qs(declOf(c).name) : name;
}

QString nothingYet()
{
    return QStringLiteral("Nothing on the worksheet adds to it yet");
}

} // namespace

QString Breakdown::entryText(const Sheet& sheet, const LedgerEntry& entry)
{
    QString out = whereOf(entry.control);
    if (const std::string picks = sheet.countedText(entry.control); !picks.empty())
        out += QStringLiteral(", ") + qs(picks);
    // Signed as the worksheet writes numbers, with a plain minus.
    out += entry.amount < 0 ? QStringLiteral(" -") : QStringLiteral(" +");
    out += qs(formatNumber(std::abs(entry.amount)));
    // What the row's mark says, the breakdown says too; picks counted more
    // than once are listed already.
    if (const std::size_t n = sheet.countedPickCount(entry.control); n > 1)
        out += n == 2 ? QStringLiteral(" (counted twice)") : QStringLiteral(" (counted %1 times)").arg(n);
    else if (const auto mark = rowMark(sheet, entry.control))
        out += QStringLiteral(" (") + qs(*mark) + QLatin1Char(')');
    return out;
}

QString Breakdown::asText(const Sheet& sheet, Control figure)
{
    QStringList lines{figureNameOf(figure, sheet.number(figure)) + QStringLiteral(", made of:")};
    for (const LedgerEntry& e : sheet.ledger(figure))
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
    const auto choose = [this](QListWidgetItem* item) {
        const QVariant c = item->data(Qt::UserRole);
        if (c.isValid())
            emit chosen(Control{static_cast<std::uint16_t>(c.toUInt())});
    };
    connect(entries_, &QListWidget::itemActivated, this, choose);
    connect(entries_, &QListWidget::itemClicked, this, choose);
    resize(420, 260);
}

void Breakdown::showFigure(Control figure)
{
    figure_ = figure;
    refresh();
    show();
    raise();
    activateWindow();
    entries_->setFocus();
    if (entries_->count() > 0 && !entries_->currentItem())
        entries_->setCurrentRow(0);
}

void Breakdown::refresh()
{
    const QString name = figureNameOf(figure_, sheet_.number(figure_));
    setWindowTitle(QStringLiteral("Breakdown: %1").arg(accessibleNameOf(figure_)));
    heading_->setText(QStringLiteral("%1, made of:").arg(name));
    entries_->setAccessibleName(name);
    const int current = entries_->currentRow();
    entries_->clear();
    for (const LedgerEntry& e : sheet_.ledger(figure_)) {
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
