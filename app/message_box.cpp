#include "message_box.h"

#include <QGridLayout>
#include <QPushButton>

#include <deque>
#include <utility>

namespace {

struct StandIn {
    bool active = false;
    std::deque<MessageBox::Answer> answers;
    std::vector<MessageBox::Asked> asked;
    std::function<void(const MessageBox::Asked&)> look;
};

StandIn& standIn()
{
    static StandIn instance;
    return instance;
}

} // namespace

void MessageBox::critical(QWidget* parent, const QString& title, const QString& text, const QString& detail)
{
    ask(parent, {title, text, QMessageBox::Critical, {}, detail}, Choice::Ok);
}

void MessageBox::information(QWidget* parent, const QString& title, const QString& text)
{
    ask(parent, {title, text, QMessageBox::Information}, Choice::Ok);
}

MessageBox::Answer MessageBox::offerPdf(QWidget* parent, const QString& title, const QString& text)
{
    return ask(parent, {title, text, QMessageBox::Question}, Choice::SaveAsPdf);
}

MessageBox::Answer MessageBox::askToSave(QWidget* parent, const QString& title, const QString& text)
{
    return ask(parent, {title, text, QMessageBox::Question}, Choice::SaveChanges);
}

MessageBox::Answer MessageBox::askToOverwrite(QWidget* parent, const QString& title, const QString& text)
{
    return ask(parent, {title, text, QMessageBox::Warning}, Choice::Overwrite);
}

void MessageBox::answerInsteadOfShowing()
{
    standIn().active = true;
}

void MessageBox::whenAsked(std::function<void(const Asked&)> look)
{
    standIn().look = std::move(look);
}

void MessageBox::setNextAnswer(Answer answer)
{
    standIn().active = true;
    standIn().answers.push_back(answer);
}

std::vector<MessageBox::Asked> MessageBox::takeAsked()
{
    return std::exchange(standIn().asked, {});
}

MessageBox::Answer MessageBox::ask(QWidget* parent, const Asked& asked, Choice choice)
{
    const Answer escape = choice == Choice::Ok ? Answer::Ok : Answer::Cancel;
    const QMessageBox::StandardButtons buttons = choice == Choice::Ok            ? QMessageBox::Ok
                                                 : choice == Choice::SaveChanges ? QMessageBox::Save |
                                                                                       QMessageBox::Discard |
                                                                                       QMessageBox::Cancel
                                                                                 : QMessageBox::Cancel;
    QMessageBox box(asked.icon, asked.title, asked.text, buttons, parent);
    QPushButton* overwrite = choice == Choice::Overwrite
                                 ? box.addButton(QStringLiteral("&Overwrite"), QMessageBox::DestructiveRole)
                                 : nullptr;
    QPushButton* save = choice == Choice::SaveAsPdf   ? box.addButton(QStringLiteral("Save as PDF..."),
                                                                       QMessageBox::AcceptRole)
                        : choice == Choice::Overwrite ? box.addButton(QStringLiteral("Save &As..."),
                                                                       QMessageBox::AcceptRole)
                                                      : qobject_cast<QPushButton*>(box.button(QMessageBox::Save));
    if (save)
        box.setDefaultButton(save);
    if (!asked.detail.isEmpty())
        box.setInformativeText(asked.detail);
    // A box sized to a short text is too narrow for its title, which the
    // title bar then cuts short ("Miss… rror"): room for the title in bold
    // and the title bar's icon and buttons.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(asked.title) + 160;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0,
                      1, grid->columnCount());

    if (StandIn& s = standIn(); s.active) {
        s.asked.push_back(asked);
        s.asked.back().size = box.sizeHint();
        if (s.look)
            s.look(s.asked.back());
        if (s.answers.empty())
            return escape;
        const Answer answer = s.answers.front();
        s.answers.pop_front();
        return answer;
    }
    box.exec();
    if (choice == Choice::Ok)
        return Answer::Ok;
    if (box.clickedButton() == overwrite)
        return Answer::Overwrite;
    if (box.clickedButton() == save)
        return choice == Choice::SaveAsPdf   ? Answer::SaveAsPdf
               : choice == Choice::Overwrite ? Answer::SaveAs
                                             : Answer::Save;
    if (box.clickedButton() == box.button(QMessageBox::Discard))
        return Answer::Discard;
    return Answer::Cancel;
}
