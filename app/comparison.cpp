#include "comparison.h"

#include "colours.h"
#include "printer.h"
#include "printing.h"
#include "text.h"

#include "plan/plan.h"
#include "worksheet/figures.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

using namespace worksheet;

namespace {

enum Column { What, First, Second, Difference, Columns };

// The table's keys: Enter on a line takes the focus to its row or field.
class ComparisonTable : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    std::function<void(int)> activated;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0 && activated) {
            activated(currentRow());
            return;
        }
        QTableWidget::keyPressEvent(event);
    }
};

} // namespace

ComparisonWindow::ComparisonWindow(QWidget* parent, const Sheet& sheet)
    : QDialog(parent, Qt::Window), worksheet_(sheet), first_(&sheet), sheetName_(QStringLiteral("This worksheet"))
{
    setObjectName(QStringLiteral("comparison"));
    heading_ = new QLabel(this);
    heading_->setWordWrap(true);
    auto* table = new ComparisonTable(0, Columns, this);
    table_ = table;
    table_->setObjectName(QStringLiteral("comparisonTable"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().lineSpacing() + 8);
    heading_->setBuddy(table_);
    note_ = new QLabel(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons->addButton(QStringLiteral("&Print..."), QDialogButtonBox::ActionRole), &QPushButton::clicked, this,
            &ComparisonWindow::print);
    connect(buttons->addButton(QStringLiteral("&Export as PDF..."), QDialogButtonBox::ActionRole),
            &QPushButton::clicked, this, &ComparisonWindow::exportPdf);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(table_);
    layout->addWidget(note_);
    layout->addWidget(buttons);

    const auto choose = [this](int row) {
        const QVariant c = table_->item(row, What)->data(Qt::UserRole);
        if (c.isValid())
            emit chosen(Control{static_cast<std::uint16_t>(c.toUInt())});
    };
    table->activated = choose;
    connect(table_, &QTableWidget::cellDoubleClicked, this, [choose](int row, int) { choose(row); });
    resize(760, 420);
}

QString ComparisonWindow::compareWith(const QString& path)
{
    if (QString why = other_.open(path); !why.isEmpty())
        return plan::openFailed(path, why).text;
    first_ = &worksheet_;
    otherName_ = plan::nameOf(path);
    refresh();
    return {};
}

QString ComparisonWindow::compareFiles(const QString& first, const QString& second)
{
    if (QString why = firstPlan_.open(first); !why.isEmpty())
        return plan::openFailed(first, why).text;
    if (QString why = compareWith(second); !why.isEmpty())
        return why;
    first_ = &firstPlan_.sheet();
    sheetName_ = plan::nameOf(first);
    refresh();
    return {};
}

void ComparisonWindow::setWorksheetName(const QString& name)
{
    if (first_ != &worksheet_)
        return;
    sheetName_ = name;
    refresh();
}

void ComparisonWindow::refresh()
{
    if (otherName_.isEmpty())
        return;
    comparison_ = report::compare(*first_, other_.sheet());
    setWindowTitle(QStringLiteral("%1 against %2 \u2014 Compare").arg(sheetName_, otherName_));
    heading_->setText(QStringLiteral("&Comparing %1 (first) with %2 (second):").arg(sheetName_, otherName_));
    table_->setHorizontalHeaderLabels({QStringLiteral("What"), sheetName_, otherName_, QStringLiteral("Difference")});
    table_->setAccessibleName(QStringLiteral("%1 against %2").arg(sheetName_, otherName_));

    const int current = std::max(table_->currentRow(), 0), currentColumn = std::max(table_->currentColumn(), 0);
    table_->setRowCount(0);
    const auto line = [this](const QString& what, const QString& first, const QString& second,
                             const QString& difference, std::optional<Control> control, bool firstOver = false,
                             bool secondOver = false) {
        const int row = table_->rowCount();
        table_->insertRow(row);
        const QString cells[] = {what, first, second, difference};
        for (int column = 0; column < Columns; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            // Each cell read with its line's name; the column's, a screen
            // reader says from the header.
            if (column != What)
                item->setData(Qt::AccessibleTextRole, QStringLiteral("%1: %2").arg(what, cells[column]));
            if ((column == First && firstOver) || (column == Second && secondOver))
                item->setForeground(colours::negative(palette()));
            table_->setItem(row, column, item);
        }
        if (control)
            table_->item(row, What)->setData(Qt::UserRole, control->index);
    };
    for (const report::Comparison::Figure& f : comparison_.figures)
        line(qs(figureOf(f.figure)->meaning), qs(f.firstText), qs(f.secondText), qs(f.difference), std::nullopt,
             f.first < 0 && figureOf(f.figure)->capacity(), f.second < 0 && figureOf(f.figure)->capacity());
    for (const auto* lines : {&comparison_.fields, &comparison_.rows})
        for (const report::Comparison::Line& l : *lines)
            line(qs(l.what), qs(l.first), qs(l.second), {}, l.control);
    for (const report::Comparison::Entry& e : comparison_.entries)
        line(QStringLiteral("Breakdown: ") + qs(e.what), qs(e.first), qs(e.second), qs(e.difference), e.source);
    table_->setCurrentCell(std::min(current, table_->rowCount() - 1), currentColumn);
    // Wide enough for every column whole, where the screen has room.
    const QMargins margins = layout()->contentsMargins();
    const int wanted = table_->horizontalHeader()->length() + table_->verticalScrollBar()->sizeHint().width() +
                       2 * table_->frameWidth() + margins.left() + margins.right();
    if (width() < wanted)
        resize(screen() ? std::min(wanted, screen()->availableGeometry().width()) : wanted, height());

    QString note = comparison_.rows.empty() ? QStringLiteral("No row differs.") : QString();
    if (const std::string same = report::sameRowsNote(comparison_); !same.empty())
        note += (note.isEmpty() ? QString() : QStringLiteral(" ")) + qs(same) + QLatin1Char('.');
    note_->setText(note);
}

std::string ComparisonWindow::asText() const
{
    return report::comparisonText(comparison_, sheetName_, otherName_);
}

QString ComparisonWindow::html() const
{
    QString out = QStringLiteral("<h3>%1 against %2</h3><table border=1 cellspacing=0 cellpadding=3>")
                      .arg(sheetName_.toHtmlEscaped(), otherName_.toHtmlEscaped());
    out += QStringLiteral("<tr><th>What</th><th>%1</th><th>%2</th><th>Difference</th></tr>")
               .arg(sheetName_.toHtmlEscaped(), otherName_.toHtmlEscaped());
    for (int row = 0; row < table_->rowCount(); ++row) {
        out += QStringLiteral("<tr>");
        for (int column = 0; column < Columns; ++column)
            out += QStringLiteral("<td>%1</td>").arg(table_->item(row, column)->text().toHtmlEscaped());
        out += QStringLiteral("</tr>");
    }
    return out + QStringLiteral("</table><p>%1</p>").arg(note_->text().toHtmlEscaped());
}

Page ComparisonWindow::page() const
{
    return {windowTitle(), {}, -1, [this](QPainter& painter, QSizeF room, int) {
                QTextDocument document;
                document.setDefaultFont(font());
                document.setHtml(html());
                document.setTextWidth(room.width());
                // On one page: a comparison longer than the page is drawn smaller.
                const qreal scale = std::min(1.0, room.height() / document.size().height());
                painter.scale(scale, scale);
                document.drawContents(&painter);
            }};
}

void ComparisonWindow::print()
{
    Printers* out = printersOr(*this);
    if (!out)
        return;
    const Printers::Chosen chosen = out->printWithDialog(page(), this, QStringLiteral("Print the comparison"));
    if (chosen.accepted && !chosen.printed)
        reportPrintFailure(*this, QStringLiteral("The comparison could not be printed on %1.").arg(chosen.printer));
}

void ComparisonWindow::exportPdf()
{
    const QString suggested = QStringLiteral("%1 against %2.pdf").arg(sheetName_, otherName_);
    const QString path = choosePdfFile(this, suggested);
    if (path.isEmpty())
        return;
    if (const QString why = unwritablePdf(path); !why.isEmpty()) {
        reportPrintFailure(*this, why);
        return;
    }
    if (Printers* out = printersOr(*this); out && !out->writePdf(page(), path))
        reportPrintFailure(*this, QStringLiteral("The comparison could not be saved as %1.").arg(path));
}
