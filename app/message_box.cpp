#include "message_box.h"

#include <QPushButton>

#include <deque>
#include <utility>

namespace {

struct StandIn {
    bool active = false;
    std::deque<MessageBox::Answer> answers;
    std::vector<MessageBox::Asked> asked;
};

StandIn& standIn()
{
    static StandIn instance;
    return instance;
}

} // namespace

void MessageBox::critical(QWidget* parent, const QString& title, const QString& text)
{
    ask(parent, {title, text, QMessageBox::Critical}, false);
}

void MessageBox::information(QWidget* parent, const QString& title, const QString& text)
{
    ask(parent, {title, text, QMessageBox::Information}, false);
}

MessageBox::Answer MessageBox::offerPdf(QWidget* parent, const QString& title, const QString& text)
{
    return ask(parent, {title, text, QMessageBox::Critical}, true);
}

void MessageBox::answerInsteadOfShowing()
{
    standIn().active = true;
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

MessageBox::Answer MessageBox::ask(QWidget* parent, const Asked& asked, bool offersPdf)
{
    const Answer escape = offersPdf ? Answer::Cancel : Answer::Ok;
    if (StandIn& s = standIn(); s.active) {
        s.asked.push_back(asked);
        if (s.answers.empty())
            return escape;
        const Answer answer = s.answers.front();
        s.answers.pop_front();
        return answer;
    }
    QMessageBox box(asked.icon, asked.title, asked.text, offersPdf ? QMessageBox::Cancel : QMessageBox::Ok, parent);
    if (!offersPdf) {
        box.exec();
        return Answer::Ok;
    }
    QPushButton* save = box.addButton(QStringLiteral("Save as PDF..."), QMessageBox::AcceptRole);
    box.setDefaultButton(save);
    box.exec();
    return box.clickedButton() == save ? Answer::SaveAsPdf : escape;
}
