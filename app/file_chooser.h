#pragma once

#include <QString>

#include <functional>

class QWidget;

// The file a save dialog (Save As, Export as PDF) chooses, suggesting one;
// empty for Cancel.
QString chooseFileToSave(QWidget* parent, const QString& title, const QString& suggested, const QString& filter);

// A test's stand-in for every save dialog: given the suggested file, returns
// the chosen one (empty for Cancel). An empty function brings the dialogs
// back.
void setFileChooser(std::function<QString(const QString& suggested)> chooser);
