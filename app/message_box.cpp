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
};

StandIn& standIn()
{
    static StandIn instance;
    return instance;
}

} // namespace

void MessageBox::critical(QWidget* parent, const QString& title, const QString& text, const QString& detail)
{
    ask(parent, {title, text, QMessageBox::Critical, {}, detail}, false);
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
    QMessageBox box(asked.icon, asked.title, asked.text, offersPdf ? QMessageBox::Cancel : QMessageBox::Ok, parent);
    QPushButton* save = offersPdf ? box.addButton(QStringLiteral("Save as PDF..."), QMessageBox::AcceptRole) : nullptr;
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
        if (s.answers.empty())
            return escape;
        const Answer answer = s.answers.front();
        s.answers.pop_front();
        return answer;
    }
    box.exec();
    if (!save)
        return Answer::Ok;
    return box.clickedButton() == save ? Answer::SaveAsPdf : Answer::Cancel;
}
