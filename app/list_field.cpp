#include "list_field.h"

#include "colours.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QStyle>

namespace {

// setLineEdit makes a completer (with its models) for a line edit that has
// none, which the lists do not want; lending the line edit a placeholder for
// the call is cheaper, and one placeholder serves every list.
void setLineEditLendingACompleter(QComboBox* combo, QLineEdit* edit)
{
    static QPointer<QCompleter> placeholder;
    if (!placeholder)
        placeholder = new QCompleter(qApp);
    edit->setCompleter(placeholder);
    combo->setLineEdit(edit);
    edit->setCompleter(nullptr);
}

// Enter, as the key itself or as the question whether a shortcut may have
// it, on which the drop-down chooses too.
bool isEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Qt names an editable combo box by the text it shows. A worksheet list
// keeps its own name ("Trucks, row 2, kind"), whatever it shows, and gives
// what it shows as its value and its text.
class ListAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ListAccessible(ListField* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? list()->currentText() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = true;
        s.expandable = true;
        s.expanded = list()->popupShown();
        return s;
    }
    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString& name) override
    {
        if (name == showMenuAction() && list()->isEnabled())
            list()->showPopup();
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The text is the field's: each call goes to its line edit's.
    void selection(int i, int* start, int* end) const override { field()->selection(i, start, end); }
    int selectionCount() const override { return field()->selectionCount(); }
    void addSelection(int start, int end) override { field()->addSelection(start, end); }
    void removeSelection(int i) override { field()->removeSelection(i); }
    void setSelection(int i, int start, int end) override { field()->setSelection(i, start, end); }
    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }
    QString text(int start, int end) const override { return field()->text(start, end); }
    int characterCount() const override { return field()->characterCount(); }
    QRect characterRect(int offset) const override { return field()->characterRect(offset); }
    int offsetAtPoint(const QPoint& point) const override { return field()->offsetAtPoint(point); }
    void scrollToSubstring(int start, int end) override { field()->scrollToSubstring(start, end); }
    QString attributes(int offset, int* start, int* end) const override
    {
        return field()->attributes(offset, start, end);
    }

private:
    ListField* list() const { return static_cast<ListField*>(widget()); }
    QAccessibleTextInterface* field() const
    {
        return QAccessible::queryAccessibleInterface(list()->lineEdit())->textInterface();
    }
};

QAccessibleInterface* describeList(const QString& className, QObject* object)
{
    if (className == QLatin1String(ListField::staticMetaObject.className()))
        return new ListAccessible(static_cast<ListField*>(object));
    return nullptr;
}

} // namespace

void ListField::describeToScreenReaders()
{
    QAccessible::installFactory(describeList);
}

ListField::ListField(QWidget* parent, const QString& name, const QStringList& items) : QComboBox(parent)
{
    // Items first: a list that is not editable yet takes them without
    // writing the first item's text into its line edit. Nothing is selected
    // at start; the field shows the list's own text.
    addItems(items);
    setCurrentIndex(-1);
    auto* edit = new QLineEdit(this);
    setLineEditLendingACompleter(this, edit);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(16); // every family's list without scrolling
    // Only a choice from the drop-down is a pick: Enter or leaving the field
    // with an item's text typed in must not run the row's handler.
    QObject::disconnect(edit, &QLineEdit::editingFinished, this, nullptr);
    // The wheel scrolls the page, whichever list it passes over.
    setFocusPolicy(Qt::StrongFocus);
    edit->installEventFilter(this);

    setAccessibleName(name);
    edit->setAccessibleName(name);

    connect(this, &QComboBox::activated, this, [this](int item) {
        emit picked(item);
        lineEdit()->setCursorPosition(0);
    });
    connect(edit, &QLineEdit::textEdited, this, &ListField::typedText);
}

void ListField::focusOutEvent(QFocusEvent* event)
{
    // The last pick's changes are told while the user stays on the list
    // (its drop-down included).
    if (!changes_.isEmpty() && event->reason() != Qt::PopupFocusReason)
        announce({});
    QComboBox::focusOutEvent(event);
}

void ListField::announce(const QString& changes)
{
    changes_ = changes;
    describe();
}

void ListField::describe()
{
    const QString told = changes_.isEmpty()       ? description_
                         : description_.isEmpty() ? changes_
                                                  : description_ + QStringLiteral(". ") + changes_;
    setAccessibleDescription(told);
    // The focus is in the field: a screen reader hears its description.
    lineEdit()->setAccessibleDescription(told);
}

void ListField::recolour(const QPalette& page)
{
    // On the list, not its line edit, which the list gives its own palette
    // again when the drop-down closes.
    QPalette palette;
    if (typedShown_)
        palette.setColor(QPalette::Text, colours::typedText(page));
    setPalette(palette);
    if (markLine_) {
        QPalette amber;
        amber.setColor(QPalette::Window, colours::mark(page));
        markLine_->setPalette(amber);
    }
}

void ListField::showText(const QString& text, bool typed, const QString& note, const QString& mark)
{
    QLineEdit* edit = lineEdit();
    const QSignalBlocker blocker(this);
    const QSignalBlocker editBlocker(edit);
    // The drop-down opens on the item the field shows, or on none.
    const int item = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (currentIndex() != item || currentText() != text) {
        // While the user types, the cursor stays where it is; elsewhere a
        // long kind's name shows from its start.
        const int cursor = edit->hasFocus() ? edit->cursorPosition() : 0;
        setCurrentIndex(item);
        if (currentText() != text)
            setEditText(text);
        edit->setCursorPosition(cursor);
    }

    if (typedShown_ != typed) {
        QFont font = edit->font();
        font.setItalic(typed);
        edit->setFont(font);
        typedShown_ = typed;
        recolour(parentWidget()->palette());
    }
    if (!mark.isEmpty() && !markLine_) {
        markLine_ = new QWidget(this);
        markLine_->setObjectName(QStringLiteral("rowMark"));
        markLine_->setAttribute(Qt::WA_TransparentForMouseEvents);
        markLine_->setAutoFillBackground(true);
        recolour(parentWidget()->palette());
    }
    if (markLine_) {
        markLine_->setGeometry(1, height() - 3, width() - 2, 3);
        markLine_->raise();
        markLine_->setVisible(!mark.isEmpty());
    }
    const QString both = mark.isEmpty() ? note : note.isEmpty() ? mark : mark + QLatin1Char('\n') + note;
    setToolTip(both);
    description_ = both;
    describe();
}


void ListField::showPopup()
{
    if (!popupMade_) {
        QAbstractItemView* list = view();
        // The field is narrower than most kinds' names; the drop-down shows
        // them whole.
        list->setMinimumWidth(list->sizeHintForColumn(0) + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
        list->setAccessibleName(accessibleName());
        list->installEventFilter(this);
        popupMade_ = true;
    }
    QComboBox::showPopup();
}

bool ListField::popupShown() const
{
    return popupMade_ && view()->isVisible();
}

bool ListField::eventFilter(QObject* watched, QEvent* event)
{
    // With a screen reader listening, Enter reaches the drop-down a second
    // time after it has chosen the kind and closed: chosen again, the row
    // would count twice.
    // (view() would make the drop-down: before the first showPopup there is
    // none to watch.)
    if (popupMade_ && watched == view() && isEnter(event) && !view()->isVisible())
        return true;
    // Space on a field whose whole text is selected (as Tab leaves it) would
    // write a blank over the kind: it opens the drop-down, as on a closed
    // list elsewhere.
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        QLineEdit* edit = lineEdit();
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier && !edit->text().isEmpty() &&
            edit->selectedText() == edit->text()) {
            showPopup();
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void ListField::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // With Ctrl they are the line edit's; without, the closed list's
        // own handling would pick.
        if (!(event->modifiers() & Qt::ControlModifier)) {
            showPopup();
            return;
        }
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        // The line edit moves its cursor; the list itself never picks.
        event->ignore();
        return;
    default: break;
    }
    QComboBox::keyPressEvent(event);
}

void ListField::wheelEvent(QWheelEvent* event)
{
    // The closed list's own handling would pick the next kind, adding the
    // row again by accident; the page scrolls instead.
    event->ignore();
}
