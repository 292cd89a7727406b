#include "file_chooser.h"

#include <QFileDialog>

namespace {

std::function<QString(const QString&)>& standIn()
{
    static std::function<QString(const QString&)> chooser;
    return chooser;
}

} // namespace

QString chooseFileToSave(QWidget* parent, const QString& title, const QString& suggested, const QString& filter)
{
    return standIn() ? standIn()(suggested) : QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

void setFileChooser(std::function<QString(const QString& suggested)> chooser)
{
    standIn() = std::move(chooser);
}
