#include "worksheet_geometry.h"


#include <QApplication>
#include <QDebug>
#include <QFont>
#include <QFontMetricsF>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <cmath>

using namespace worksheet;

namespace {

int px(int twips)
{
    return twips / twipsPerPixel;
}

// A line edit keeps 2 pixels of room on either side of its text, and one
// more for the cursor.
constexpr int lineEditRoom = 2 * 2 + 1;

// What a control spends around its text: the list's button and frame, the
// button's frame.
struct Chrome {
    int list;
    int button;
};

int comboChrome(const QStyle& style)
{
    QStyleOptionComboBox option;
    option.editable = true;
    option.frame = true;
    option.rect = QRect(0, 0, 200, 21);
    return option.rect.width() -
           style.subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, nullptr).width();
}

int buttonChrome(const QStyle& style)
{
    QStyleOptionButton option;
    option.rect = QRect(0, 0, 200, 25);
    return option.rect.width() - style.subElementRect(QStyle::SE_PushButtonContents, &option, nullptr).width();
}

// The width in pixels a control needs to show its caption or its items whole;
// 0 where the declared width is no concern.
double neededWidth(const ControlDecl& d, const QFontMetricsF& plain, const QFontMetricsF& bold, Chrome chrome)
{
    switch (d.kind) {
    case Kind::List: {
        double widest = plain.horizontalAdvance(QString::fromUtf8(d.text.data(), qsizetype(d.text.size())));
        for (std::string_view item : itemsOf(d.items))
            widest = std::max(widest, plain.horizontalAdvance(QString::fromUtf8(item.data(), qsizetype(item.size()))));
        return widest + lineEditRoom + chrome.list;
    }
    case Kind::Label: {
        if (d.look == Look::Tally || d.look == Look::Wrapped)
            return 0; // a running figure; a caption that wraps onto its lines
        const QFontMetricsF& metrics = d.look == Look::Heading ? bold : plain;
        return metrics.horizontalAdvance(QString::fromUtf8(d.text.data(), qsizetype(d.text.size())));
    }
    case Kind::Button:
        return plain.horizontalAdvance(QString::fromUtf8(d.text.data(), qsizetype(d.text.size()))) +
               chrome.button;
    default: return 0;
    }
}

} // namespace

bool WorksheetGeometry::onVisiblePart(const ControlDecl& d)
{
    return d.kind != Kind::Window && d.visible && d.left < hiddenPartLeft;
}

namespace {

// Room a widened control leaves before a divider line, in twips (4 pixels).
constexpr int lineClearance = 4 * twipsPerPixel;

// The empty room right of a control, in twips: up to the nearest control
// that shares some of its height, short of a divider line, or else up to the
// worksheet's right edge.
int roomRightOf(const ControlDecl& d, int worksheetRight)
{
    int room = worksheetRight - (d.left + d.width);
    for (const ControlDecl& other : form)
        if (&other != &d && WorksheetGeometry::onVisiblePart(other) && other.left >= d.left + d.width &&
            other.top < d.top + d.height && other.top + other.height > d.top)
            room = std::min(room, other.left - (d.left + d.width) - (other.kind == Kind::Line ? lineClearance : 0));
    return std::max(room, 0);
}

} // namespace

WorksheetGeometry::WorksheetGeometry(const QFont& font, const QStyle& style)
{
    QFont boldFont = font;
    boldFont.setBold(true);
    const QFontMetricsF plain(font), bold(boldFont);
    const Chrome chrome{comboChrome(style), buttonChrome(style)};

    int top = hiddenPartLeft, right = 0, bottom = 0;
    left_ = hiddenPartLeft;
    for (const ControlDecl& d : form) {
        if (!onVisiblePart(d))
            continue;
        left_ = std::min(left_, d.left);
        top = std::min(top, d.top);
        right = std::max(right, d.left + d.width);
        bottom = std::max(bottom, d.top + d.height);
    }
    for (std::size_t i = 0; i < controlCount; ++i) {
        const ControlDecl& d = form[i];
        if (!onVisiblePart(d))
            continue;
        // One pixel more for the rounding of the stretched edges.
        const double needed = std::ceil(neededWidth(d, plain, bold, chrome)) + 1;
        if (needed <= 1)
            continue;
        if (d.kind == Kind::List) {
            needed_[i] = static_cast<int>(needed);
            room_[i] = roomRightOf(d, right);
        }
        scale_ = std::max(scale_, needed * twipsPerPixel / (d.width + room_[i]));
    }
    // In steps of a hundredth, so that a font a hair wider does not move
    // every column.
    scale_ = std::ceil(scale_ * 100 - 1e-9) / 100;
    margin_ = left_ / twipsPerPixel;
    extent_ = QSize(x(right) + margin_, px(bottom) + px(top));
}

int WorksheetGeometry::x(int twips) const
{
    return margin_ + static_cast<int>(std::lround((twips - left_) * scale_ / twipsPerPixel));
}

QRect WorksheetGeometry::rectOf(const ControlDecl& d) const
{
    const int left = x(d.left);
    int right = x(d.left + d.width);
    const auto i = static_cast<std::size_t>(&d - form);
    if (i < controlCount && left + needed_[i] > right)
        right = std::min(left + needed_[i], x(d.left + d.width + room_[i]));
    return {left, px(d.top), right - left, px(d.height)};
}

QLine WorksheetGeometry::lineOf(const ControlDecl& d) const
{
    return {x(d.left), px(d.top), x(d.left + d.width), px(d.top + d.height)};
}

QFont worksheetFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    return font;
}

const WorksheetGeometry& worksheetGeometry()
{
    static const WorksheetGeometry geometry(worksheetFont(), *QApplication::style());
    return geometry;
}
