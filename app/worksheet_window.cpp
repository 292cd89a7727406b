#include "worksheet_window.h"

#include "list_field.h"
#include "message_box.h"
#include "reading_order.h"
#include "screen_fit.h"
#include "worksheet_geometry.h"

#include "sections/routes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace worksheet;

namespace {

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The visible worksheet: the controls' widgets, and the form's lines and
// the summary's box drawn between them.
class Page : public QWidget {
public:
    explicit Page(const Sheet& sheet) : sheet_(sheet)
    {
        setFont(worksheetFont());
        setFixedSize(worksheetGeometry().extent());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const WorksheetGeometry& geometry = worksheetGeometry();
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
        for (std::uint16_t i = 0; i < controlCount; ++i) {
            const ControlDecl& d = form[i];
            if (!sheet_.visible(Control{i}))
                continue;
            if (d.kind == Kind::Line)
                painter.drawLine(geometry.lineOf(d));
            else if (d.kind == Kind::Shape)
                painter.drawRect(geometry.rectOf(d));
        }
    }

private:
    const Sheet& sheet_;
};

// The same keys on every desktop.
const QKeyCombination undoKeys[] = {Qt::CTRL | Qt::Key_Z};
const QKeyCombination redoKeys[] = {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y};

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

} // namespace

QFont worksheetFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    return font;
}

WorksheetWindow::WorksheetWindow() : WorksheetWindow(sections::routes())
{
}

WorksheetWindow::WorksheetWindow(std::span<const Route> routes)
{
    sheet_ = std::make_unique<Sheet>(static_cast<Host&>(*this), routes);
    setWindowTitle(qs(sheet_->text(formWindow)));
    page_ = new Page(*sheet_);
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidget(page_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    for (std::uint16_t i = formWindow.index + 1; i < controlCount; ++i) {
        const Control c{i};
        if (sheet_->visible(c) && form[i].kind != Kind::Line && form[i].kind != Kind::Shape)
            createWidget(c);
    }

    // The worksheet's undo works wherever the focus is; it replaces the
    // boxes' own (see eventFilter).
    QWidget* previous = nullptr;
    for (Control c : readingOrder()) {
        if (QWidget* next = widgets_[c.index]) {
            if (previous)
                setTabOrder(previous, next);
            previous = next;
        }
    }

    for (const QKeyCombination keys : undoKeys)
        new QShortcut(keys, this, this, &WorksheetWindow::undo, Qt::ApplicationShortcut);
    for (const QKeyCombination keys : redoKeys)
        new QShortcut(keys, this, this, &WorksheetWindow::redo, Qt::ApplicationShortcut);

    // Tab, Shift+Tab or a message box closing can put the focus on a control
    // scrolled out of sight.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now || !page_->isAncestorOf(now))
            return;
        while (now->parentWidget() != page_)
            now = now->parentWidget(); // a list's line edit: show the list
        // The whole control, not only a box's cursor (which is all that
        // ensureWidgetVisible makes sure of for a line edit).
        const QRect r = now->geometry();
        scroll_->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 8, r.height() / 2 + 8);
    });
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

namespace {

bool isHistoryKey(const QKeyEvent* key)
{
    const QKeyCombination pressed = key->keyCombination();
    return std::find(std::begin(undoKeys), std::end(undoKeys), pressed) != std::end(undoKeys) ||
           std::find(std::begin(redoKeys), std::end(redoKeys), pressed) != std::end(redoKeys);
}

} // namespace

bool WorksheetWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A text box claims the undo keys for its own undo; leaving the claim
    // unaccepted lets the window's shortcut have them.
    if (event->type() == QEvent::ShortcutOverride && isHistoryKey(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    // The wheel over a closed list would pick the next kind, adding the row
    // again by accident.
    if (event->type() == QEvent::Wheel && qobject_cast<QComboBox*>(watched))
        return true;
    // A field away from the focus shows its text from the start: a long
    // kind's name, not its tail.
    if (event->type() == QEvent::FocusOut)
        if (auto* edit = qobject_cast<QLineEdit*>(watched))
            edit->setCursorPosition(0);
    return QWidget::eventFilter(watched, event);
}

void WorksheetWindow::undo()
{
    if (sheet_->undo())
        syncChanged(std::nullopt, true);
}

void WorksheetWindow::redo()
{
    if (sheet_->redo())
        syncChanged(std::nullopt, true);
}

WorksheetWindow::~WorksheetWindow() = default;

QWidget* WorksheetWindow::createWidget(Control c)
{
    const ControlDecl& d = declOf(c);
    QWidget* w = nullptr;
    switch (d.kind) {
    case Kind::Label: {
        auto* label = new QLabel(page_);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (d.look == Look::Heading || d.look == Look::Tally) {
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        }
        if (d.look == Look::Tally)
            label->setAlignment(Qt::AlignCenter);
        if (d.look == Look::Wrapped) {
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        }
        w = label;
        break;
    }
    case Kind::TextBox: {
        auto* edit = new QLineEdit(page_);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, c](const QString& text) {
            sheet_->userEdit(c, text.toStdString());
            syncChanged();
        });
        w = edit;
        break;
    }
    case Kind::List: {
        auto* combo = new ListField(page_);
        // Items first: a list that is not editable yet takes them without
        // writing the first item's text into its line edit.
        fillList(combo, c);
        auto* edit = new QLineEdit(combo);
        edit->installEventFilter(this);
        combo->installEventFilter(this);
        setLineEditLendingACompleter(combo, edit);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        combo->setMaxVisibleItems(16); // every family's list without scrolling
        // Only a choice from the drop-down is a pick: Enter or leaving the
        // field with an item's text typed in must not run the row's handler.
        listsIgnoreTypedText_ =
            QObject::disconnect(edit, &QLineEdit::editingFinished, combo, nullptr) && listsIgnoreTypedText_;
        connect(combo, &QComboBox::activated, this, [this, c, combo, edit](int index) {
            // A pick of what was typed makes it counted.
            if (typed_[c.index] == combo->itemText(index))
                typed_[c.index].clear();
            sheet_->userPick(c, static_cast<std::size_t>(index));
            syncChanged(c);
            edit->setCursorPosition(0);
        });
        connect(edit, &QLineEdit::textEdited, this, [this, c](const QString& text) {
            typed_[c.index] = text;
            sheet_->userEdit(c, text.toStdString());
            syncChanged(c);
        });
        w = combo;
        break;
    }
    case Kind::CheckBox: {
        auto* box = new QCheckBox(page_);
        connect(box, &QCheckBox::clicked, this, [this, c] {
            sheet_->userTick(c);
            syncChanged();
        });
        w = box;
        break;
    }
    case Kind::Button: {
        auto* button = new QPushButton(page_);
        button->setToolTip(buttonNoteOf(c));
        connect(button, &QPushButton::clicked, this, [this, c] {
            sheet_->userPress(c);
            syncChanged();
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
    w->setGeometry(worksheetGeometry().rectOf(d));
    widgets_[c.index] = w;
    sync(c);
    return w;
}

void WorksheetWindow::fillList(QComboBox* combo, Control c)
{
    QStringList items;
    for (std::string_view item : sheet_->items(c))
        items << qs(item);
    combo->addItems(items);
    // Nothing is selected at start; the field shows the list's own text.
    combo->setCurrentIndex(-1);
}

void WorksheetWindow::syncChanged(std::optional<Control> userList, bool history)
{
    const auto changed = sheet_->changed();
    for (Control c : changed) {
        if (!history && c != userList && declOf(c).kind == Kind::List)
            typed_[c.index].clear();
        sync(c);
    }
    // The list the user worked shows its mark even where its text stayed.
    if (userList && std::find(changed.begin(), changed.end(), *userList) == changed.end())
        sync(*userList);
    emit synced();
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
            showCapacity(label, c);
        break;
    }
    case Kind::TextBox: {
        auto* edit = static_cast<QLineEdit*>(w);
        if (edit->text() != text)
            edit->setText(text);
        break;
    }
    case Kind::List: syncList(static_cast<QComboBox*>(w), c, text); break;
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

void WorksheetWindow::syncList(QComboBox* combo, Control c, const QString& text)
{
    QLineEdit* edit = combo->lineEdit();
    const QSignalBlocker editBlocker(edit);
    // The drop-down opens on the item the field shows, or on none.
    const int item = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (combo->currentIndex() != item || combo->currentText() != text) {
        // While the user types, the cursor stays where it is; elsewhere a
        // long kind's name shows from its start.
        const int cursor = edit->hasFocus() ? edit->cursorPosition() : 0;
        combo->setCurrentIndex(item);
        if (combo->currentText() != text)
            combo->setEditText(text);
        edit->setCursorPosition(cursor);
    }

    const bool typed = !text.trimmed().isEmpty() && text == typed_[c.index];
    if (edit->font().italic() != typed) {
        QFont font;
        QPalette palette;
        if (typed) {
            font = edit->font();
            font.setItalic(true);
            palette.setColor(QPalette::Text, edit->palette().color(QPalette::PlaceholderText));
        }
        edit->setFont(font);
        edit->setPalette(palette);
    }
    QString note;
    if (typed)
        note = uncountedNoteOf(c);
    else if (!sheet_->enabled(c))
        note = disabledNoteOf(c);
    combo->setToolTip(note);
    combo->setAccessibleDescription(note);
}

void WorksheetWindow::showCapacity(QLabel* label, Control c)
{
    // Over capacity shows in red, and in words for those who cannot see it.
    const auto note = overCapacityNote(c, sheet_->number(c));
    QPalette palette;
    if (note)
        palette.setColor(QPalette::WindowText, QColor(0xc0, 0x00, 0x00));
    label->setPalette(palette);
    label->setToolTip(note.value_or(QString()));
    label->setAccessibleDescription(note.value_or(QString()));
}

void WorksheetWindow::showMessage(std::string_view title, std::string_view text)
{
    // Let the user see the worksheet as it stands when the message comes.
    syncChanged();
    MessageBox::critical(this, qs(title), qs(text));
}

void WorksheetWindow::printWindow()
{
    emit printRequested();
}

void WorksheetWindow::quit()
{
    emit exitRequested();
}
