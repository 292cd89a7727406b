#include "program.h"

#include "figure_strip.h"
#include "message_box.h"
#include "printing.h"
#include "screen_fit.h"
#include "worksheet_window.h"

#include <QApplication>
#include <QDir>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStatusBar>

namespace {

constexpr int confirmationMs = 15000;

const char* const keyboardShortcuts = "Tab, Shift+Tab: move through the worksheet in reading order\n"
                                      "Alt+Down, F4, Up, Down, Page Up, Page Down: open a list;\n"
                                      "    in it, the arrow keys move and Enter chooses a kind\n"
                                      "Enter, Space on a summary figure: what makes it up\n"
                                      "Ctrl+Z: undo\n"
                                      "Ctrl+Shift+Z, Ctrl+Y: redo\n"
                                      "Ctrl+P: print on the default printer\n"
                                      "Ctrl+Q: quit\n"
                                      "F1: this list\n"
                                      "F10: the menus";

// The desktop's style, but for the menu bar's overflow button: the three
// menus always fit, and its icon alone would take half a megabyte.
//
// Nor does Alt alone take the keyboard to the menu bar: with a screen reader
// listening, Qt can see Alt pressed and released before the key pressed
// with it, so that Alt+Down on a list opened the File menu. F10 and the
// menus' letters (Alt+F) take the keyboard there.
class WorksheetStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override
    {
        if (icon == SP_ToolBarHorizontalExtensionButton)
            return {};
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

} // namespace

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Combat Worksheet"));
    QApplication::setFont(worksheetFont());
    QApplication::setStyle(new WorksheetStyle);
}

ProgramWindow::ProgramWindow() : worksheet_(new WorksheetWindow)
{
    setCentralWidget(worksheet_);
    setWindowTitle(worksheet_->windowTitle());
    connect(worksheet_, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
    connect(worksheet_, &WorksheetWindow::exitRequested, qApp, &QCoreApplication::quit);
    connect(worksheet_, &WorksheetWindow::printRequested, this, &ProgramWindow::print);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Print"), QKeySequence::Print, this, &ProgramWindow::print);
    file->addAction(QStringLiteral("P&rint..."), this, &ProgramWindow::printWithDialog);
    file->addAction(QStringLiteral("&Export as PDF..."), this, &ProgramWindow::exportPdf);
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), this, &QWidget::close);

    // The worksheet owns undo and redo with their keys; the menu shows them.
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addAction(&worksheet_->undoAction());
    edit->addAction(&worksheet_->redoAction());

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Keyboard Shortcuts"), QKeySequence::HelpContents, this,
                    &ProgramWindow::showKeyboardShortcuts);
    help->addAction(QStringLiteral("&About Combat Worksheet"), this, &ProgramWindow::showAbout);

    // F10 opens the menu bar, as on other desktops' programs.
    auto* menus = new QAction(this);
    menus->setShortcut(Qt::Key_F10);
    connect(menus, &QAction::triggered, this, [this] {
        menuBar()->setFocus(Qt::ShortcutFocusReason);
        menuBar()->setActiveAction(menuBar()->actions().constFirst());
    });
    addAction(menus);

    statusBar()->addPermanentWidget(new FigureStrip(*worksheet_));
    fitToScreen(*this);
}

void ProgramWindow::print()
{
    confirmPdf(printWorksheet(*worksheet_));
}

void ProgramWindow::printWithDialog()
{
    printWorksheetWithDialog(*worksheet_);
}

void ProgramWindow::exportPdf()
{
    confirmPdf(exportWorksheetAsPdf(*worksheet_));
}

void ProgramWindow::showKeyboardShortcuts()
{
    MessageBox::information(this, QStringLiteral("Keyboard Shortcuts"), QString::fromLatin1(keyboardShortcuts));
}

void ProgramWindow::showAbout()
{
    MessageBox::information(this, QStringLiteral("About Combat Worksheet"),
                            QStringLiteral("Combat Worksheet %1\n\nPlans what a small force can carry, tow and supply "
                                           "on one mission.")
                                .arg(QStringLiteral(COMBAT_WORKSHEET_VERSION)));
}

void ProgramWindow::confirmPdf(const QString& path)
{
    if (!path.isEmpty())
        statusBar()->showMessage(QStringLiteral("The worksheet was saved as %1").arg(QDir::toNativeSeparators(path)),
                                 confirmationMs);
}
