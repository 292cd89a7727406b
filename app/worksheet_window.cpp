#include "worksheet_window.h"

#include "breakdown.h"
#include "figure_label.h"
#include "colours.h"
#include "list_field.h"
#include "message_box.h"
#include "reading_order.h"
#include "screen_fit.h"
#include "text.h"
#include "text_box_accessible.h"
#include "worksheet_geometry.h"

#include "plan/plan.h"
#include "sections/routes.h"
#include "worksheet/form_events.h"
#include "worksheet/row_marks.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <QVBoxLayout>

#include <functional>

using namespace worksheet;

namespace {

// The visible worksheet: the controls' widgets, and the form's lines and
// the summary's box drawn between them.
class Page : public QWidget {
public:
    explicit Page(const Sheet& sheet) : sheet_(sheet)
    {
        setFont(worksheetFont());
        setFixedSize(worksheetGeometry().extent());
    }

    // Called when the page's palette changes: the desktop's turning dark,
    // or paper's while the page is printed.
    std::function<void()> paletteChanged;

protected:
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::PaletteChange && paletteChanged)
            paletteChanged();
        QWidget::changeEvent(event);
    }

    void paintEvent(QPaintEvent*) override
    {
        const WorksheetGeometry& geometry = worksheetGeometry();
        QPainter painter(this);
        painter.setPen(penFor(*painter.paintEngine()));
        for (std::uint16_t i = 0; i < controlCount; ++i) {
            const ControlDecl& d = form[i];
            if (!sheet_.visible(Control{i}))
                continue;
            if (d.kind == Kind::Line)
                painter.drawLine(geometry.lineOf(d));
            else if (d.kind == Kind::Shape)
                painter.drawRect(geometry.rectOf(d));
        }
        // A summary figure shows its focus as the style would a button's.
        if (auto* figure = qobject_cast<QLabel*>(QApplication::focusWidget()); figure && isAncestorOf(figure)) {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.rect = QRect(figure->mapTo(this, QPoint()), figure->size());
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        }
    }

    // Up and Down in a count box would scroll the page away from it.
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)
            event->accept();
        else
            QWidget::keyPressEvent(event);
    }

private:
    // On screen a line is one pixel of the text's colour; on paper (drawn
    // through the printing's own engine, see paper.h), where a pixel is a
    // hairline, a solid black half point.
    QPen penFor(const QPaintEngine& engine) const
    {
        if (engine.type() != QPaintEngine::User)
            return QPen(palette().color(QPalette::WindowText), 1);
        QPen pen(Qt::black, 0.5 * engine.paintDevice()->logicalDpiX() / 72.0);
        pen.setCosmetic(true);
        return pen;
    }

private:
    const Sheet& sheet_;
};

// The same keys on every desktop.
const QKeySequence undoKeys[] = {Qt::CTRL | Qt::Key_Z};
const QKeySequence redoKeys[] = {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y};

// A part of the worksheet that a screen reader reads as a named group; it
// draws nothing of its own.
class GroupWidget : public QWidget {
public:
    GroupWidget(QWidget* page, const QString& name) : QWidget(page) { setAccessibleName(name); }
};

class GroupAccessible : public QAccessibleWidget {
public:
    explicit GroupAccessible(QWidget* group) : QAccessibleWidget(group, QAccessible::Grouping) {}
};

QAccessibleInterface* describeGroup(const QString&, QObject* object)
{
    return dynamic_cast<GroupWidget*>(object) ? new GroupAccessible(static_cast<QWidget*>(object)) : nullptr;
}

// Tab into a box moves its caret and selects its text before Qt tells a
// screen reader of the new focus; Orca then takes the caret's move for the
// focus and says nothing at all. The caret's news is held back until the
// focus has been told, and then left out: the reader reads the box whole.
QPointer<QLineEdit> gettingFocus;

void passOnCaretNewsAfterFocus(QAccessibleEvent* event)
{
    if (gettingFocus && event->object() == gettingFocus) {
        const auto type = event->type();
        if (type == QAccessible::TextCaretMoved || type == QAccessible::TextSelectionChanged)
            return;
        if (type == QAccessible::Focus)
            gettingFocus = nullptr;
    }
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(passOnCaretNewsAfterFocus);
}

void holdCaretNewsUntilFocus(QLineEdit* edit)
{
    if (!QAccessible::isActive())
        return;
    static const bool installed = [] {
        QAccessible::installUpdateHandler(passOnCaretNewsAfterFocus);
        return true;
    }();
    (void)installed;
    gettingFocus = edit;
}

} // namespace

WorksheetWindow::WorksheetWindow()
{
    static const bool described = [] {
        QAccessible::installFactory(describeGroup);
        ListField::describeToScreenReaders();
        describeTextBoxesToScreenReaders();
        return true;
    }();
    (void)described;
    sheet_ = std::make_unique<Sheet>(static_cast<Host&>(*this), sections::routes());
    for (std::uint16_t i = 0; i < controlCount; ++i)
        if (const Row* row = sheet_->rowOf(Control{i})) {
            rowListOf_[row->count.index] = Control{i};
            if (row->marching)
                rowListOf_[row->marching->index] = Control{i};
        }
    setWindowTitle(qs(sheet_->text(formWindow)));
    auto* page = new Page(*sheet_);
    page->paletteChanged = [this] { recolour(); };
    page_ = page;
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidget(page_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    // The boxes' own undo gives way to the worksheet's (see eventFilter).
    undo_ = new QAction(QStringLiteral("&Undo"), this);
    undo_->setShortcuts({std::begin(undoKeys), std::end(undoKeys)});
    connect(undo_, &QAction::triggered, this, &WorksheetWindow::undo);
    redo_ = new QAction(QStringLiteral("&Redo"), this);
    redo_->setShortcuts({std::begin(redoKeys), std::end(redoKeys)});
    connect(redo_, &QAction::triggered, this, &WorksheetWindow::redo);
    for (QAction* action : {undo_, redo_}) {
        action->setShortcutContext(Qt::ApplicationShortcut);
        action->setEnabled(false);
        addAction(action);
    }

    makeGroups();
    for (std::uint16_t i = formWindow.index + 1; i < controlCount; ++i) {
        const Control c{i};
        if (sheet_->visible(c) && form[i].kind != Kind::Line && form[i].kind != Kind::Shape)
            createWidget(c);
    }

    QWidget* previous = nullptr;
    for (Control c : readingOrder()) {
        if (QWidget* next = widgets_[c.index]) {
            if (previous)
                setTabOrder(previous, next);
            previous = next;
        }
    }

    // Tab, Shift+Tab or a message box closing can put the focus on a control
    // scrolled out of sight.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* was, QWidget* now) {
        if (was && qobject_cast<QLabel*>(was))
            page_->update(); // a figure's focus ring goes
        if (!now || !page_->isAncestorOf(now))
            return;
        if (auto* list = qobject_cast<QComboBox*>(now->parentWidget()))
            now = list; // a list's line edit: show the list
        if (qobject_cast<QLabel*>(now))
            page_->update();
        // The whole control, not only a box's cursor (which is all that
        // ensureWidgetVisible makes sure of for a line edit).
        const QRect r(now->mapTo(page_, QPoint()), now->size());
        scroll_->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 8, r.height() / 2 + 8);
    });
}

void WorksheetWindow::makeGroups()
{
    const WorksheetGeometry& geometry = worksheetGeometry();
    for (const Group& g : groups()) {
        QRect area;
        for (Control c : g.members)
            area |= geometry.rectOf(declOf(c));
        auto* group = new GroupWidget(page_, g.name);
        group->setGeometry(area);
        for (Control c : g.members)
            groupOf_[c.index] = group;
    }
}

QSize WorksheetWindow::sizeHint() const
{
    const int frame = 2 * scroll_->frameWidth();
    return page_->size() + QSize(frame, frame);
}

void WorksheetWindow::showEvent(QShowEvent* event)
{
    if (!fitted_ && isWindow())
        fitToScreen(*this);
    fitted_ = true;
    QWidget::showEvent(event);
}

bool WorksheetWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A text box claims the undo keys for its own undo; leaving the claim
    // unaccepted lets the window's actions have them.
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAction* action : {undo_, redo_})
            if (action->shortcuts().contains(pressed)) {
                event->ignore();
                return true;
            }
    }
    if (event->type() == QEvent::FocusIn)
        if (auto* edit = qobject_cast<QLineEdit*>(watched))
            holdCaretNewsUntilFocus(edit);
    // A field the user leaves for another shows its text from the start: a
    // long kind's name, not its tail. Left for a dialog, a menu or another
    // window, it keeps the cursor where the user will type on coming back.
    if (event->type() == QEvent::FocusOut)
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
            if (why == Qt::TabFocusReason || why == Qt::BacktabFocusReason || why == Qt::MouseFocusReason ||
                why == Qt::ShortcutFocusReason)
                edit->setCursorPosition(0);
        }
    return QWidget::eventFilter(watched, event);
}

void WorksheetWindow::showBreakdownTip(QPoint at, QWidget* over, Control figure)
{
    const QString note = over->toolTip();
    QToolTip::showText(
        at, (note.isEmpty() ? QString() : note + QStringLiteral("\n\n")) + Breakdown::asText(*sheet_, figure), over);
}

void WorksheetWindow::showBreakdown(Control figure)
{
    if (!breakdown_) {
        breakdown_ = new Breakdown(this, *sheet_);
        connect(breakdown_, &Breakdown::chosen, this, &WorksheetWindow::focusControl);
    }
    const auto onScreen = [](const QWidget* w) {
        return w ? QRect(w->mapToGlobal(QPoint(0, 0)), w->size()) : QRect();
    };
    const QWidget* summary = groupOf_[figure.index] ? groupOf_[figure.index] : widgets_[figure.index];
    QWidget* focused = QApplication::focusWidget();
    breakdown_->showFigure(figure, window()->frameGeometry(), onScreen(summary),
                           focused && isAncestorOf(focused) ? onScreen(focused) : QRect());
}

void WorksheetWindow::focusControl(Control c)
{
    QWidget* w = widgets_[c.index];
    // A row's list that cannot take the focus yet: its count box.
    if (const Row* row = sheet_->rowOf(c); row && !(w && w->isEnabled() && w->isVisible()))
        w = widgets_[row->count.index];
    if (w && w->isEnabled() && w->isVisible()) {
        window()->activateWindow();
        // Reached from the keyboard's breakdown or comparison, the control
        // shows its focus as Tab would (a button its ring).
        window()->setAttribute(Qt::WA_KeyboardFocusChange);
        w->setFocus(Qt::OtherFocusReason);
    }
}

void WorksheetWindow::undo()
{
    if (sheet_->undo())
        userChanged();
}

void WorksheetWindow::redo()
{
    if (sheet_->redo())
        userChanged();
}

void WorksheetWindow::userChanged()
{
    syncChanged();
    announceFigures(true);
    emit edited();
}

bool WorksheetWindow::openPlan(const QString& path)
{
    plan::Read read = plan::read(path);
    if (read.ok())
        read.error = restore(read.state);
    if (!read.ok()) {
        const plan::Failure failure = plan::openFailed(path, read.error);
        MessageBox::critical(this, failure.title, failure.text);
        return false;
    }
    return true;
}

bool WorksheetWindow::savePlan(const QString& path)
{
    if (const QString why = plan::write(sheet_->state(), path); !why.isEmpty()) {
        const plan::Failure failure = plan::saveFailed(path, why);
        MessageBox::critical(this, failure.title, failure.text);
        return false;
    }
    sheet_->endTypingRun();
    return true;
}

void WorksheetWindow::startOver()
{
    // Start-up shows no message, so the window can stand host to it.
    const Sheet fresh(static_cast<Host&>(*this), sections::routes());
    restore(fresh.state());
}

QString WorksheetWindow::restore(const SheetState& state)
{
    if (const std::string why = sheet_->restore(state); !why.empty())
        return QString::fromStdString(why);
    syncChanged();
    announceFigures(false);
    emit edited();
    return {};
}

WorksheetWindow::~WorksheetWindow() = default;

QWidget* WorksheetWindow::createWidget(Control c)
{
    const ControlDecl& d = declOf(c);
    QWidget* parent = groupOf_[c.index] ? groupOf_[c.index] : page_;
    QWidget* w = nullptr;
    switch (d.kind) {
    case Kind::Label: {
        QLabel* label = nullptr;
        // A summary figure opens its breakdown when clicked, or with Enter
        // or Space while it has the focus; its tooltip shows it too.
        if (figureOf(c)) {
            auto* figure = new FigureLabel(c, parent);
            connect(figure, &FigureLabel::activated, this, &WorksheetWindow::showBreakdown);
            connect(figure, &FigureLabel::tipWanted, this,
                    [this, figure](QPoint at, Control f) { showBreakdownTip(at, figure, f); });
            label = figure;
        } else {
            label = new QLabel(parent);
        }
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (d.look == Look::Heading || d.look == Look::Tally) {
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        }
        if (d.look == Look::Tally) {
            label->setAlignment(Qt::AlignCenter);
            label->setFocusPolicy(Qt::TabFocus); // a figure can be read from the keyboard
        }
        if (d.look == Look::Wrapped) {
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        }
        w = label;
        break;
    }
    case Kind::TextBox: {
        auto* edit = new QLineEdit(parent);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, c](const QString& text) {
            sheet_->userEdit(c, text.toStdString());
            userChanged();
        });
        w = edit;
        break;
    }
    case Kind::List: w = createList(c); break;
    case Kind::CheckBox: {
        auto* box = new QCheckBox(parent);
        connect(box, &QCheckBox::clicked, this, [this, c] {
            sheet_->userTick(c);
            userChanged();
        });
        w = box;
        break;
    }
    case Kind::Button: {
        auto* button = new QPushButton(parent);
        button->setToolTip(buttonNoteOf(c));
        connect(button, &QPushButton::clicked, this, [this, c] {
            sheet_->userPress(c);
            userChanged();
        });
        w = button;
        break;
    }
    case Kind::Window:
    case Kind::Line:
    case Kind::Shape: return nullptr;
    }
    w->setObjectName(qs(d.name));
    if (const QString& name = accessibleNameOf(c); !name.isEmpty())
        w->setAccessibleName(name);
    w->setGeometry(worksheetGeometry().rectOf(d).translated(-parent->mapTo(page_, QPoint())));
    widgets_[c.index] = w;
    // The caption goes with its control, made in either order.
    for (const Caption& k : captions())
        if ((k.caption == c || k.of == c) && widgets_[k.caption.index] && widgets_[k.of.index])
            static_cast<QLabel*>(widgets_[k.caption.index])->setBuddy(widgets_[k.of.index]);
    sync(c);
    return w;
}

ListField* WorksheetWindow::createList(Control c)
{
    QStringList items;
    for (std::string_view item : sheet_->items(c))
        items << qs(item);
    auto* list = new ListField(groupOf_[c.index] ? groupOf_[c.index] : page_, accessibleNameOf(c), items);
    // The undo keys, whichever of the two has the focus.
    list->installEventFilter(this);
    list->lineEdit()->installEventFilter(this);
    connect(list, &ListField::picked, this, [this, c](int item) {
        sheet_->userPick(c, static_cast<std::size_t>(item));
        userChanged();
    });
    connect(list, &ListField::typedText, this, [this, c](const QString& text) {
        sheet_->userEdit(c, text.toStdString());
        userChanged();
    });
    return list;
}

std::optional<Control> WorksheetWindow::focusedControl() const
{
    QWidget* focus = QApplication::focusWidget();
    for (std::uint16_t i = formWindow.index + 1; focus && i < controlCount; ++i)
        if (widgets_[i] && (widgets_[i] == focus || widgets_[i]->isAncestorOf(focus)))
            return Control{i};
    return std::nullopt;
}

void WorksheetWindow::syncChanged()
{
    // A control that loses the focus by being disabled or hidden hands it to
    // the one before it in reading order, which the user has just passed;
    // left to itself the focus would go on to the next, or round to the
    // header.
    std::optional<Control> handTo;
    if (const auto focused = focusedControl(); focused && !(sheet_->enabled(*focused) && sheet_->visible(*focused))) {
        const auto order = readingOrder();
        auto at = std::find(order.begin(), order.end(), *focused);
        while (at != order.begin() && !handTo) {
            --at;
            if (sheet_->enabled(*at) && sheet_->visible(*at))
                handTo = *at;
        }
        QApplication::focusWidget()->clearFocus();
    }
    for (Control c : sheet_->changed()) {
        sync(c);
        // A row's mark says what its count box and Marching tick show, and
        // the mission type.
        if (const auto list = rowListOf_[c.index]; list && widgets_[list->index])
            sync(*list);
        if (c == missionType)
            for (std::uint16_t i = 0; i < controlCount; ++i)
                if (widgets_[i] && sheet_->rowOf(Control{i}))
                    sync(Control{i});
    }
    if (breakdown_ && breakdown_->isVisible())
        breakdown_->refresh();
    emit changed();
    if (handTo && widgets_[handTo->index])
        widgets_[handTo->index]->setFocus(Qt::BacktabFocusReason);
    undo_->setEnabled(sheet_->canUndo());
    redo_->setEnabled(sheet_->canRedo());
}

// After a pick, the list picked on tells a screen reader which figures
// changed and what they are now, without the user leaving the row.
void WorksheetWindow::announceFigures(bool tell)
{
    QStringList changes;
    for (std::size_t i = 0; i < figureCount; ++i) {
        const double now = sheet_->number(figures[i].control);
        if (now != shownFigures_[i])
            changes << figureNameOf(figures[i].control, now);
        shownFigures_[i] = now;
    }
    const auto focused = focusedControl();
    if (tell && !changes.isEmpty() && focused && sheet_->rowOf(*focused))
        if (auto* list = qobject_cast<ListField*>(widgets_[focused->index]))
            list->announce(changes.join(QStringLiteral("; ")));
}

void WorksheetWindow::sync(Control c)
{
    if (c == formWindow) {
        setWindowTitle(qs(sheet_->text(c)));
        return;
    }
    QWidget* w = widgets_[c.index];
    if (!w) {
        if (!sheet_->visible(c))
            return;
        w = createWidget(c); // syncs the new widget itself
        if (w)
            w->show();
        return;
    }
    const QSignalBlocker blocker(w);
    const QString text = qs(sheet_->text(c));
    switch (declOf(c).kind) {
    case Kind::Label: {
        auto* label = static_cast<QLabel*>(w);
        label->setText(text);
        if (declOf(c).look == Look::Tally)
            showFigure(label, c);
        break;
    }
    case Kind::TextBox: {
        auto* edit = static_cast<QLineEdit*>(w);
        if (edit->text() != text)
            edit->setText(text);
        break;
    }
    case Kind::List: {
        QString note;
        if (sheet_->typed(c))
            note = uncountedNoteOf(c);
        else if (!sheet_->enabled(c))
            note = disabledNoteOf(c);
        const auto mark = rowMark(*sheet_, c);
        static_cast<ListField*>(w)->showText(text, sheet_->typed(c), note, mark ? qs(*mark) : QString());
        break;
    }
    case Kind::CheckBox:
        static_cast<QCheckBox*>(w)->setChecked(sheet_->checked(c));
        static_cast<QCheckBox*>(w)->setText(text);
        break;
    case Kind::Button: static_cast<QPushButton*>(w)->setText(text); break;
    default: break;
    }
    w->setEnabled(sheet_->enabled(c));
    w->setVisible(sheet_->visible(c));
}

void WorksheetWindow::showOverCapacity(QLabel* label, Control figure, double value, const QPalette& on)
{
    const auto note = overCapacityNote(figure, value);
    QPalette palette;
    if (note)
        palette.setColor(QPalette::WindowText, colours::negative(on));
    label->setPalette(palette);
    label->setToolTip(note.value_or(QString()));
    label->setAccessibleDescription(note.value_or(QString()));
}

void WorksheetWindow::recolour()
{
    for (std::uint16_t i = 0; i < controlCount; ++i) {
        QWidget* w = widgets_[i];
        if (!w)
            continue;
        if (auto* list = qobject_cast<ListField*>(w))
            list->recolour(page_->palette());
        else if (declOf(Control{i}).look == Look::Tally)
            showFigure(static_cast<QLabel*>(w), Control{i});
    }
}

void WorksheetWindow::showFigure(QLabel* label, Control c)
{
    // A screen reader hears the figure with its meaning.
    const double value = sheet_->number(c);
    showOverCapacity(label, c, value, page_->palette());
    label->setAccessibleName(figureNameOf(c, value));
}

void WorksheetWindow::showMessage(std::string_view title, std::string_view text, std::string_view detail)
{
    // Let the user see the worksheet as it stands when the message comes.
    syncChanged();
    MessageBox::critical(this, qs(title), qs(text), qs(detail));
}

void WorksheetWindow::printWindow()
{
    emit printRequested();
}

void WorksheetWindow::quit()
{
    emit exitRequested();
}
