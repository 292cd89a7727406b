#include "report.h"

#include "plan/plan.h"
#include "sections/names.h"
#include "sections/routes.h"
#include "sections/sections.h"
#include "worksheet/figures.h"
#include "worksheet/form_events.h"
#include "worksheet/number.h"
#include "worksheet/row_marks.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <utility>

using namespace worksheet;

namespace report {

namespace {

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string signedNumber(double n)
{
    return (n < 0 ? "-" : "+") + formatNumber(std::abs(n));
}

// A figure's number and unit, marked as the worksheet marks a capacity
// below zero: "-2 squads (over capacity by 2 squads)".
std::string figureText(Control figure, double value)
{
    const worksheet::Figure& f = *figureOf(figure);
    std::string out = formatNumber(value) + ' ' + std::string(f.counts.of(value));
    if (auto over = sections::overCapacityNote(figure, value)) {
        (*over)[0] = 'o';
        out += " (" + *over + ')';
    }
    return out;
}

// The header's fields and the lists outside the rows, in reading order.
const std::vector<Control>& fieldControls()
{
    static const auto fields = [] {
        std::vector<Control> out;
        std::vector<bool> inARow(controlCount);
        for (const sections::Section& s : sections::sectionTable)
            for (const Row& row : s.rows)
                inARow[row.count.index] = inARow[row.list.index] = true;
        inARow[supplyRow.count.index] = inARow[supplyRow.list.index] = true;
        for (Control c : sections::readingOrder()) {
            const Kind k = declOf(c).kind;
            if ((k == Kind::TextBox || k == Kind::List) && !inARow[c.index])
                out.push_back(c);
        }
        return out;
    }();
    return fields;
}

std::string fieldText(const Sheet& sheet, Control c)
{
    const std::string_view t = trimmed(sheet.text(c));
    return t.empty() ? "blank" : std::string(t);
}

} // namespace

QuietSheet::QuietSheet() : sheet_(host_, sections::routes()) {}

QString QuietSheet::open(const QString& path)
{
    return plan::open(sheet_, path);
}

namespace {

// Where an entry stands in a breakdown: the rows first, then the Clears and
// the supply calculation, each in the worksheet's reading order.
std::pair<int, std::size_t> placeOf(Control source)
{
    static const std::vector<std::size_t> rank = [] {
        std::vector<std::size_t> out(controlCount, controlCount);
        const std::vector<Control>& order = sections::readingOrder();
        for (std::size_t i = 0; i < order.size(); ++i)
            out[order[i].index] = i;
        return out;
    }();
    const bool row = std::any_of(sections::sectionTable, std::end(sections::sectionTable), [&](const auto& s) {
        return std::any_of(s.rows.begin(), s.rows.end(), [&](const Row& r) { return r.list == source; });
    });
    return {row || source == supplyRow.list ? 0 : 1, rank[source.index]};
}

} // namespace

std::vector<LedgerEntry> entriesInOrder(const Sheet& sheet, Control figure)
{
    const auto ledger = sheet.ledger(figure);
    std::vector<LedgerEntry> entries(ledger.begin(), ledger.end());
    std::stable_sort(entries.begin(), entries.end(),
                     [](const LedgerEntry& a, const LedgerEntry& b) { return placeOf(a.control) < placeOf(b.control); });
    return entries;
}

std::string entryText(const Sheet& sheet, const LedgerEntry& entry)
{
    std::string out = sections::whereOf(entry.control);
    if (const std::string picks = sheet.countedText(entry.control); !picks.empty())
        out += ", " + picks;
    // Signed as the worksheet writes numbers, with a plain minus.
    out += ' ' + signedNumber(entry.amount);
    // What the row's mark says, the breakdown says too; picks counted more
    // than once are listed already.
    if (const std::size_t n = sheet.countedPickCount(entry.control); n > 1)
        out += n == 2 ? " (counted twice)" : " (counted " + std::to_string(n) + " times)";
    else if (const auto mark = rowMark(sheet, entry.control))
        out += " (" + *mark + ')';
    return out;
}

std::string RowReading::text() const
{
    std::string out;
    if (count.empty() && kind.empty())
        out = "blank";
    else
        out = describedPick(count.empty() ? "no count" : count, kind.empty() ? "no kind" : kind);
    if (marching.value_or(false))
        out += ", marching";
    if (counted != describedPick(count, kind))
        out += counted.empty() ? (out == "blank" ? "" : ", nothing counted") : ", counted " + counted;
    return out;
}

std::vector<RowReading> rowsOf(const Sheet& sheet)
{
    std::vector<RowReading> out;
    const auto read = [&](const Row& row) {
        RowReading r{row.list, sections::whereOf(row.list), std::string(trimmed(sheet.text(row.count))),
                     std::string(trimmed(sheet.text(row.list))), std::nullopt, sheet.countedText(row.list),
                     rowMark(sheet, row.list)};
        if (row.marching)
            r.marching = sheet.checked(*row.marching);
        out.push_back(std::move(r));
    };
    for (const sections::Section& s : sections::sectionTable)
        for (const Row& row : s.rows)
            read(row);
    read(supplyRow);
    return out;
}

std::string summaryText(const Sheet& sheet)
{
    std::string out;
    for (const worksheet::Figure& f : figures) {
        out += sections::figureSaying(f.control, sheet.number(f.control)) + '\n';
        for (const LedgerEntry& e : entriesInOrder(sheet, f.control))
            out += "  " + entryText(sheet, e) + '\n';
    }
    bool marked = false;
    for (const RowReading& r : rowsOf(sheet)) {
        if (!r.mark)
            continue;
        if (!marked)
            out += "Rows that read differently from what they count:\n";
        marked = true;
        out += "  " + r.where + ": " + *r.mark + '\n';
    }
    return out;
}

QByteArray summaryJson(const Sheet& sheet, const QString& plan)
{
    QJsonObject figuresOut;
    for (const worksheet::Figure& f : figures) {
        QJsonArray breakdown;
        for (const LedgerEntry& e : entriesInOrder(sheet, f.control))
            breakdown.append(QJsonObject{{"from", qs(declOf(e.control).name)},
                                         {"where", qs(sections::whereOf(e.control))},
                                         {"amount", e.amount},
                                         {"text", qs(entryText(sheet, e))}});
        figuresOut.insert(qs(declOf(f.control).name),
                          QJsonObject{{"name", qs(f.meaning)},
                                      {"text", qs(sheet.text(f.control))},
                                      {"value", sheet.number(f.control)},
                                      {"saying", qs(sections::figureSaying(f.control, sheet.number(f.control)))},
                                      {"breakdown", breakdown}});
    }
    QJsonArray rows;
    for (const RowReading& r : rowsOf(sheet)) {
        if (r.blank())
            continue;
        QJsonObject row{{"row", qs(r.where)},
                        {"list", qs(declOf(r.list).name)},
                        {"count", qs(r.count)},
                        {"kind", qs(r.kind)},
                        {"counted", qs(r.counted)},
                        {"mark", r.mark ? QJsonValue(qs(*r.mark)) : QJsonValue()}};
        if (r.marching)
            row.insert("marching", *r.marching);
        rows.append(row);
    }
    const QJsonObject whole{{"plan", plan},
                            {"missionType", qs(trimmed(sheet.text(missionType)))},
                            {"figures", figuresOut},
                            {"rows", rows}};
    return QJsonDocument(whole).toJson(QJsonDocument::Indented);
}

bool Comparison::figuresDiffer() const
{
    return std::any_of(figures.begin(), figures.end(), [](const Figure& f) { return f.firstText != f.secondText; });
}

Comparison compare(const Sheet& first, const Sheet& second)
{
    Comparison out;
    for (const worksheet::Figure& f : figures) {
        const double a = first.number(f.control), b = second.number(f.control);
        const std::string difference = formatNumber(b) == formatNumber(a) ? "the same" : signedNumber(b - a);
        out.figures.push_back({f.control, a, b, figureText(f.control, a), figureText(f.control, b), difference});
    }
    for (Control c : fieldControls())
        if (trimmed(first.text(c)) != trimmed(second.text(c)))
            out.fields.push_back({c, sections::nameOf(c), fieldText(first, c), fieldText(second, c)});
    const std::vector<RowReading> before = rowsOf(first), after = rowsOf(second);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const RowReading &x = before[i], &y = after[i];
        if (x.text() != y.text() || first.countedPicks(x.list) != second.countedPicks(y.list))
            out.rows.push_back({x.list, x.where, x.text(), y.text()});
        else if (!x.blank())
            ++out.rowsTheSame;
    }
    for (const worksheet::Figure& f : figures) {
        // Every control credited in either, in a breakdown's order.
        std::vector<Control> sources;
        for (const Sheet* s : {&first, &second})
            for (const LedgerEntry& e : s->ledger(f.control))
                if (std::find(sources.begin(), sources.end(), e.control) == sources.end())
                    sources.push_back(e.control);
        std::sort(sources.begin(), sources.end(), [](Control a, Control b) { return placeOf(a) < placeOf(b); });
        const auto amountIn = [&](const Sheet& s, Control source) -> std::optional<double> {
            for (const LedgerEntry& e : s.ledger(f.control))
                if (e.control == source)
                    return e.amount;
            return std::nullopt;
        };
        for (Control source : sources) {
            const auto x = amountIn(first, source), y = amountIn(second, source);
            if (x && y && formatNumber(*x) == formatNumber(*y))
                continue;
            out.entries.push_back({f.control, source, std::string(f.meaning) + ", " + sections::whereOf(source),
                                   x ? signedNumber(*x) : "none", y ? signedNumber(*y) : "none",
                                   signedNumber(y.value_or(0) - x.value_or(0))});
        }
    }
    return out;
}

std::string sameRowsNote(const Comparison& c)
{
    if (c.rowsTheSame == 0)
        return {};
    return std::to_string(c.rowsTheSame) + (c.rowsTheSame == 1 ? " row" : " rows") +
           " the same in both " + (c.rowsTheSame == 1 ? "is" : "are") + " left out";
}

std::string comparisonText(const Comparison& c, const QString& first, const QString& second)
{
    std::string out = "Comparing " + first.toStdString() + " (first) with " + second.toStdString() + " (second)\n";
    out += "Summary:\n";
    for (const Comparison::Figure& f : c.figures)
        out += "  " + std::string(figureOf(f.figure)->meaning) + ": " + f.firstText + " against " + f.secondText +
               (f.difference == "the same" ? ", the same" : " (" + f.difference + ")") + '\n';
    const auto lines = [&](const char* heading, const std::vector<Comparison::Line>& list) {
        if (list.empty())
            return;
        out += heading;
        for (const Comparison::Line& l : list)
            out += "  " + l.what + ": " + l.first + " against " + l.second + '\n';
    };
    lines("Fields that differ:\n", c.fields);
    lines("Rows that differ:\n", c.rows);
    if (c.rows.empty())
        out += "No row differs\n";
    if (const std::string note = sameRowsNote(c); !note.empty())
        out += note + '\n';
    if (!c.entries.empty()) {
        out += "Breakdown entries that differ:\n";
        for (const Comparison::Entry& e : c.entries)
            out += "  " + e.what + ": " + e.first + " against " + e.second + " (" + e.difference + ")\n";
    }
    return out;
}

QByteArray comparisonJson(const Comparison& c, const QString& first, const QString& second)
{
    QJsonArray figuresOut;
    for (const Comparison::Figure& f : c.figures)
        figuresOut.append(QJsonObject{{"figure", qs(declOf(f.figure).name)},
                                      {"name", qs(figureOf(f.figure)->meaning)},
                                      {"first", f.first},
                                      {"second", f.second},
                                      {"firstText", qs(f.firstText)},
                                      {"secondText", qs(f.secondText)},
                                      {"difference", qs(f.difference)}});
    const auto lines = [](const std::vector<Comparison::Line>& list) {
        QJsonArray out;
        for (const Comparison::Line& l : list)
            out.append(QJsonObject{{"control", qs(declOf(l.control).name)},
                                   {"what", qs(l.what)},
                                   {"first", qs(l.first)},
                                   {"second", qs(l.second)}});
        return out;
    };
    QJsonArray entries;
    for (const Comparison::Entry& e : c.entries)
        entries.append(QJsonObject{{"figure", qs(declOf(e.figure).name)},
                                   {"from", qs(declOf(e.source).name)},
                                   {"what", qs(e.what)},
                                   {"first", qs(e.first)},
                                   {"second", qs(e.second)},
                                   {"difference", qs(e.difference)}});
    const QJsonObject whole{{"first", first},
                            {"second", second},
                            {"figuresDiffer", c.figuresDiffer()},
                            {"figures", figuresOut},
                            {"fields", lines(c.fields)},
                            {"rows", lines(c.rows)},
                            {"rowsTheSame", static_cast<qint64>(c.rowsTheSame)},
                            {"entries", entries}};
    return QJsonDocument(whole).toJson(QJsonDocument::Indented);
}

} // namespace report
