#include "gui_backend.h"

#include "gui_input.h"

#include "app/message_box.h"
#include "app/text.h"
#include "app/worksheet_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using worksheet::Control;
using worksheet::Kind;

GuiBackend::GuiBackend()
{
    // Every message box is answered OK without being shown, and recorded.
    MessageBox::answerInsteadOfShowing();
    restart();
}

GuiBackend::~GuiBackend() = default;

void GuiBackend::finishStep()
{
    // What the step queued for the window system (a pop-up shown and
    // hidden, exposures) is delivered, as the running program's event loop
    // would; left queued, it would pile up over a long run.
    QCoreApplication::processEvents();
    for (const MessageBox::Asked& m : MessageBox::takeAsked())
        messages.push_back({m.title.toStdString(), m.text.toStdString(), m.detail.toStdString()});
}

void GuiBackend::restart()
{
    window_.reset();
    window_ = std::make_unique<WorksheetWindow>();
    QObject::connect(window_.get(), &WorksheetWindow::exitRequested, window_.get(), [this] {
        closed = true;
        window_->close();
    });
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get()))
        qFatal("the worksheet window was never shown");
    MessageBox::takeAsked();
    messages.clear();
    closed = false;
    keepAsSaved();
}

const worksheet::Sheet& GuiBackend::sheet() const
{
    return window_->sheet();
}

namespace {

QLineEdit* fieldOf(QWidget* w)
{
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->lineEdit();
    return qobject_cast<QLineEdit*>(w);
}

} // namespace

void GuiBackend::type(Control c, std::string_view text)
{
    QLineEdit* edit = fieldOf(window_->widget(c));
    edit->setFocus();
    for (const QChar ch : qs(text)) {
        edit->end(false);
        if (ch.isPrint())
            QTest::keyClicks(edit, QString(ch));
        else
            edit->insert(QString(ch)); // a control character cannot be typed as a key
    }
    finishStep();
}

void GuiBackend::paste(Control c, std::string_view text)
{
    QLineEdit* edit = fieldOf(window_->widget(c));
    edit->setFocus();
    edit->selectAll();
    if (text.empty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        edit->insert(qs(text));
    finishStep();
}

void GuiBackend::erase(Control c)
{
    QLineEdit* edit = fieldOf(window_->widget(c));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    finishStep();
}

void GuiBackend::pick(Control c, std::size_t item)
{
    chooseFromPopup(static_cast<QComboBox*>(window_->widget(c)), static_cast<int>(item));
    finishStep();
}

void GuiBackend::press(Control c)
{
    QTest::mouseClick(window_->widget(c), Qt::LeftButton);
    finishStep();
}

void GuiBackend::tick(Control c)
{
    QWidget* box = window_->widget(c);
    // The box has no caption: click on its indicator.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    finishStep();
}

namespace {

// Shortcuts go to the widget that has the focus, or to the window. The
// offscreen platform has no window manager to make the window active again
// once a message box has closed, so that is done here as a desktop would.
QWidget* keyTarget(QWidget* window)
{
    if (!QApplication::activeWindow()) {
        window->activateWindow();
        QTest::qWait(0);
    }
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus : window;
}

} // namespace

void GuiBackend::undo()
{
    QTest::keyClick(keyTarget(window_.get()), Qt::Key_Z, Qt::ControlModifier);
    finishStep();
}

void GuiBackend::redo()
{
    QTest::keyClick(keyTarget(window_.get()), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    finishStep();
}

void GuiBackend::save(const std::string& path)
{
    if (window_->savePlan(QString::fromStdString(path)))
        keepAsSaved();
    finishStep();
}

void GuiBackend::open(const std::string& path)
{
    if (window_->openPlan(QString::fromStdString(path)))
        keepAsSaved();
    finishStep();
}

std::string GuiBackend::caption(Control c) const
{
    QWidget* w = window_->widget(c);
    if (c == worksheet::formWindow)
        return window_->windowTitle().toStdString();
    if (!w)
        return sheet().text(c);
    switch (worksheet::declOf(c).kind) {
    case Kind::Label: return static_cast<QLabel*>(w)->text().toStdString();
    case Kind::TextBox: return static_cast<QLineEdit*>(w)->text().toStdString();
    case Kind::List: return static_cast<QComboBox*>(w)->currentText().toStdString();
    case Kind::CheckBox: return static_cast<QCheckBox*>(w)->text().toStdString();
    case Kind::Button: return static_cast<QPushButton*>(w)->text().toStdString();
    default: return sheet().text(c);
    }
}

bool GuiBackend::enabled(Control c) const
{
    QWidget* w = window_->widget(c);
    return w ? w->isEnabled() : sheet().enabled(c);
}

bool GuiBackend::visible(Control c) const
{
    if (c == worksheet::formWindow)
        return window_->isVisible();
    QWidget* w = window_->widget(c);
    return w ? w->isVisibleTo(window_.get()) : sheet().visible(c);
}

bool GuiBackend::checked(Control c) const
{
    auto* box = qobject_cast<QCheckBox*>(window_->widget(c));
    return box ? box->isChecked() : sheet().checked(c);
}

std::vector<std::string> GuiBackend::items(Control c) const
{
    auto* combo = qobject_cast<QComboBox*>(window_->widget(c));
    if (!combo) {
        const auto list = sheet().items(c);
        return {list.begin(), list.end()};
    }
    std::vector<std::string> out;
    for (int i = 0; i < combo->count(); ++i)
        out.push_back(combo->itemText(i).toStdString());
    return out;
}

std::string GuiBackend::rowMark(Control list) const
{
    QWidget* w = window_->widget(list);
    auto* underline = w ? w->findChild<QWidget*>(QStringLiteral("rowMark")) : nullptr;
    if (!underline || underline->isHidden())
        return {};
    return w->accessibleDescription().section(QLatin1Char('\n'), 0, 0).toStdString();
}

bool GuiBackend::saveScreenshot(const std::string& path) const
{
    return window_->page().grab().save(QString::fromStdString(path));
}
