#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>
#include <vector>

// Every modal message of the program goes through here. A test can take the
// boxes' place: each box is then recorded and answered from the answers
// given beforehand, instead of being shown.
class MessageBox {
public:
    enum class Answer { Ok, Cancel, SaveAsPdf, Save, Discard, Overwrite, SaveAs };

    struct Asked {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QSize size = {};  // as the box would be shown
        QString detail{}; // the informative line beneath the text
    };

    // A critical message with one OK button; a detail, when given, is the
    // box's informative text beneath.
    static void critical(QWidget* parent, const QString& title, const QString& text, const QString& detail = {});
    // An informative message with one OK button.
    static void information(QWidget* parent, const QString& title, const QString& text);
    // A question whose answers are "Save as PDF..." (the default) and
    // Cancel.
    static Answer offerPdf(QWidget* parent, const QString& title, const QString& text);
    // A question whose answers are Save (the default), Discard and Cancel.
    static Answer askToSave(QWidget* parent, const QString& title, const QString& text);
    // A question whose answers are Overwrite, "Save As..." (the default) and
    // Cancel.
    static Answer askToOverwrite(QWidget* parent, const QString& title, const QString& text);

    // Boxes are answered here instead of shown from now on: each takes the
    // next answer given, or when none is left its Escape answer (OK, or
    // Cancel where there is one).
    static void answerInsteadOfShowing();
    static void setNextAnswer(Answer answer);
    // Called with each box as it is answered in place of being shown, while
    // the program waits for it as for a shown one.
    static void whenAsked(std::function<void(const Asked&)> look);
    // The boxes answered so far, oldest first, taken out of the record.
    static std::vector<Asked> takeAsked();

private:
    enum class Choice { Ok, SaveAsPdf, SaveChanges, Overwrite };
    static Answer ask(QWidget* parent, const Asked& asked, Choice choice);
};
