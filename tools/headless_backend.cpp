#include "headless_backend.h"

#include "plan/plan.h"
#include "sections/routes.h"

using worksheet::Control;

HeadlessBackend::HeadlessBackend()
{
    restart();
}

void HeadlessBackend::restart()
{
    sheet_.reset();
    sheet_ = std::make_unique<worksheet::Sheet>(static_cast<worksheet::Host&>(*this), sections::routes());
    messages.clear();
    closed = false;
    keepAsSaved();
}

void HeadlessBackend::type(Control c, std::string_view text)
{
    std::string field = sheet_->text(c);
    for (char ch : text) {
        field.push_back(ch);
        sheet_->userEdit(c, field);
    }
}

void HeadlessBackend::paste(Control c, std::string_view text)
{
    sheet_->userEdit(c, text);
}

void HeadlessBackend::erase(Control c)
{
    sheet_->userEdit(c, "");
}

void HeadlessBackend::pick(Control c, std::size_t item)
{
    sheet_->userPick(c, item);
}

void HeadlessBackend::press(Control c)
{
    sheet_->userPress(c);
}

void HeadlessBackend::tick(Control c)
{
    sheet_->userTick(c);
}

void HeadlessBackend::undo()
{
    sheet_->undo();
}

void HeadlessBackend::redo()
{
    sheet_->redo();
}

void HeadlessBackend::save(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    if (const QString why = plan::write(sheet_->state(), file); !why.isEmpty())
        show(plan::saveFailed(file, why));
    else {
        sheet_->endTypingRun();
        keepAsSaved();
    }
}

void HeadlessBackend::open(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    if (const QString why = plan::open(*sheet_, file); !why.isEmpty())
        show(plan::openFailed(file, why));
    else
        keepAsSaved();
}

void HeadlessBackend::show(const plan::Failure& failure)
{
    messages.push_back({failure.title.toStdString(), failure.text.toStdString()});
}

std::string HeadlessBackend::caption(Control c) const
{
    return sheet_->text(c);
}

bool HeadlessBackend::enabled(Control c) const
{
    return sheet_->enabled(c);
}

bool HeadlessBackend::visible(Control c) const
{
    return c == worksheet::formWindow ? !closed : sheet_->visible(c);
}

bool HeadlessBackend::checked(Control c) const
{
    return sheet_->checked(c);
}

std::vector<std::string> HeadlessBackend::items(Control c) const
{
    const auto list = sheet_->items(c);
    return {list.begin(), list.end()};
}

void HeadlessBackend::showMessage(std::string_view title, std::string_view text, std::string_view detail)
{
    messages.push_back({std::string(title), std::string(text), std::string(detail)});
}

void HeadlessBackend::printWindow()
{
}

void HeadlessBackend::quit()
{
    closed = true;
}
