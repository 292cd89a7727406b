#include "program.h"

#include "comparison.h"
#include "file_chooser.h"
#include "figure_strip.h"
#include "message_box.h"
#include "plan/plan.h"
#include "printing.h"
#include "screen_fit.h"
#include "settings.h"
#include "worksheet_window.h"
#include "worksheet_geometry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QProxyStyle>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolTip>

namespace {

constexpr int confirmationMs = 5000;
constexpr int recentPlans = 8;

const QString recentKey = QStringLiteral("recentPlans");
const QString folderKey = QStringLiteral("lastFolder");
const QString geometryKey = QStringLiteral("windowGeometry");

const QString planFilter = QStringLiteral("Combat Worksheet plans (*.%1);;All files (*)").arg(plan::extension);

const char* const keyboardShortcuts = "Tab, Shift+Tab: move through the worksheet in reading order\n"
                                      "Alt+Down, F4, Up, Down, Page Up, Page Down: open a list;\n"
                                      "    in it, the arrow keys move and Enter chooses a kind\n"
                                      "Space on a list whose kind is selected: open the list\n"
                                      "Enter, Space on a summary figure: what makes it up\n"
                                      "Ctrl+Z: undo\n"
                                      "Ctrl+Shift+Z, Ctrl+Y: redo\n"
                                      "Ctrl+N: a new worksheet\n"
                                      "Ctrl+O: open a plan\n"
                                      "Ctrl+S: save the plan\n"
                                      "Ctrl+Shift+S: save the plan as a new file\n"
                                      "Ctrl+Shift+C: compare with another plan\n"
                                      "    in the comparison, Enter on a row's line: go to the row\n"
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
    QApplication::setStyle(new WorksheetStyle);
    // The window's chrome in the form's font, not the theme's (qt6ct and
    // KDE's give menus, the status line and message boxes their own): one
    // look, and sizes worked out for one font.
    const QFont font = worksheetFont();
    QApplication::setFont(font);
    for (const char* themed : {"QMenuBar", "QMenu", "QMenuItem", "QMessageBox", "QLabel", "QTipLabel", "QStatusBar",
                               "QPushButton", "QCheckBox", "QRadioButton", "QToolButton", "QAbstractItemView",
                               "QListView", "QHeaderView", "QComboMenuItem", "QComboLineEdit", "QDockWidgetTitle"})
        QApplication::setFont(font, themed);
    QToolTip::setFont(font);
}

void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    qt_message_output(type, context, message);
}

ProgramWindow::ProgramWindow() : worksheet_(new WorksheetWindow)
{
    setCentralWidget(worksheet_);
    saved_ = worksheet_->sheet().state();
    planChanged({});
    connect(worksheet_, &WorksheetWindow::edited, this, &ProgramWindow::showModified);
    // Exit closes the window as its close button does, asking first where
    // there are unsaved changes.
    connect(worksheet_, &WorksheetWindow::exitRequested, this, &QWidget::close);
    connect(worksheet_, &WorksheetWindow::printRequested, this, &ProgramWindow::print);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&New"), QKeySequence::New, this, &ProgramWindow::startNew);
    file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this, &ProgramWindow::open);
    recent_ = file->addMenu(QStringLiteral("Open &Recent"));
    connect(recent_, &QMenu::aboutToShow, this, &ProgramWindow::fillRecentMenu);
    file->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, &ProgramWindow::save);
    file->addAction(QStringLiteral("Save &As..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this,
                    &ProgramWindow::saveAs);
    file->addAction(QStringLiteral("&Compare With..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this,
                    &ProgramWindow::compareWith);
    file->addAction(QStringLiteral("Compare &Two Plans..."), this, &ProgramWindow::compareTwoPlans);
    file->addSeparator();
    file->addAction(QStringLiteral("&Print"), QKeySequence::Print, this, &ProgramWindow::print);
    file->addAction(QStringLiteral("Pr&int..."), this, &ProgramWindow::printWithDialog);
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
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty())
            statusBar()->setToolTip({});
    });
    if (!restoreGeometry(programSettings().value(geometryKey).toByteArray()))
        fitToScreen(*this);
}

void ProgramWindow::compareWith()
{
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Compare With Plan"), lastFolder(), planFilter);
    if (!path.isEmpty())
        compareWithFile(path);
}

ComparisonWindow& ProgramWindow::comparisonWindow()
{
    if (!comparison_) {
        comparison_ = new ComparisonWindow(this, worksheet_->sheet());
        connect(comparison_, &ComparisonWindow::chosen, worksheet_, &WorksheetWindow::focusControl);
        connect(worksheet_, &WorksheetWindow::edited, comparison_, [this] {
            if (comparison_->isVisible())
                comparison_->refresh();
        });
    }
    return *comparison_;
}

bool ProgramWindow::compareWithFile(const QString& path)
{
    if (const QString why = comparisonWindow().compareWith(path); !why.isEmpty()) {
        MessageBox::critical(this, QStringLiteral("Compare Plans"), why);
        return false;
    }
    comparison_->setWorksheetName(worksheetName());
    showComparison();
    return true;
}

void ProgramWindow::compareTwoPlans()
{
    const QStringList paths =
        QFileDialog::getOpenFileNames(this, QStringLiteral("Compare Two Plans"), lastFolder(), planFilter);
    if (paths.size() == 2)
        compareFiles(paths[0], paths[1]);
    else if (!paths.isEmpty())
        MessageBox::critical(this, QStringLiteral("Compare Plans"), QStringLiteral("Choose two plans to compare."));
}

bool ProgramWindow::compareFiles(const QString& first, const QString& second)
{
    if (const QString why = comparisonWindow().compareFiles(first, second); !why.isEmpty()) {
        MessageBox::critical(this, QStringLiteral("Compare Plans"), why);
        return false;
    }
    showComparison();
    return true;
}

void ProgramWindow::showComparison()
{
    comparison_->show();
    comparison_->raise();
    comparison_->activateWindow();
}

void ProgramWindow::startNew()
{
    if (!mayLeave())
        return;
    worksheet_->startOver();
    saved_ = worksheet_->sheet().state();
    planChanged({});
}

void ProgramWindow::open()
{
    if (!mayLeave())
        return;
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open Plan"), lastFolder(), planFilter);
    if (!path.isEmpty())
        load(path);
}

bool ProgramWindow::openFile(const QString& path)
{
    return mayLeave() && load(path);
}

bool ProgramWindow::load(const QString& path)
{
    if (!worksheet_->openPlan(path))
        return false;
    saved_ = worksheet_->sheet().state();
    stamp_ = plan::stampOf(path);
    planChanged(path);
    return true;
}

// A plan that another program (or another window) has changed since this
// window opened or saved it is not overwritten unasked; one deleted
// meanwhile is simply written again.
bool ProgramWindow::save()
{
    if (planFile_.isEmpty())
        return saveAs();
    if (const plan::Stamp now = plan::stampOf(planFile_); now.exists && now != stamp_) {
        const QString text = QStringLiteral("\"%1\" was changed by another program since it was opened or saved here. "
                                            "Overwrite those changes with this worksheet?")
                                 .arg(QDir::toNativeSeparators(planFile_));
        switch (MessageBox::askToOverwrite(this, QStringLiteral("Save Plan"), text)) {
        case MessageBox::Answer::Overwrite: break;
        case MessageBox::Answer::SaveAs: return saveAs();
        default: return false;
        }
    }
    return saveTo(planFile_);
}

bool ProgramWindow::saveAs()
{
    const QString name = planFile_.isEmpty() ? QStringLiteral("Combat Worksheet") : plan::nameOf(planFile_);
    const QString suggested = QDir(lastFolder()).filePath(name + QLatin1Char('.') + QLatin1String(plan::extension));
    QString path = chooseFileToSave(this, QStringLiteral("Save Plan As"), suggested, planFilter);
    if (path.isEmpty())
        return false;
    // A plan's name always ends in the plans' extension, whatever dots the
    // name itself holds ("Raid v1.2").
    if (QFileInfo(path).suffix().compare(QLatin1String(plan::extension), Qt::CaseInsensitive) != 0)
        path += QLatin1Char('.') + QLatin1String(plan::extension);
    return saveTo(path);
}

bool ProgramWindow::saveTo(const QString& path)
{
    if (!worksheet_->savePlan(path))
        return false;
    saved_ = worksheet_->sheet().state();
    stamp_ = plan::stampOf(path);
    planChanged(path);
    confirm(QStringLiteral("The plan was saved as %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

bool ProgramWindow::modified() const
{
    return !worksheet_->sheet().holds(saved_);
}

bool ProgramWindow::mayLeave()
{
    if (!modified())
        return true;
    const QString name =
        planFile_.isEmpty() ? QStringLiteral("the worksheet") : QStringLiteral("\"%1\"").arg(plan::nameOf(planFile_));
    switch (MessageBox::askToSave(this, QStringLiteral("Unsaved Changes"),
                                  QStringLiteral("Save the changes to %1 first?").arg(name))) {
    case MessageBox::Answer::Save: return save();
    case MessageBox::Answer::Discard: return true;
    default: return false;
    }
}

void ProgramWindow::closeEvent(QCloseEvent* event)
{
    if (mayLeave()) {
        // The next run opens where and as large as this one closed.
        programSettings().setValue(geometryKey, saveGeometry());
        event->accept();
    } else {
        event->ignore();
    }
}

void ProgramWindow::showModified()
{
    setWindowModified(modified());
}

// The title names the plan ("Raid on Hill 402* — Combat Worksheet", the star
// while it has unsaved changes); a plan of a file is remembered among the
// recent ones, and its folder is where the next dialog starts.
void ProgramWindow::planChanged(const QString& path)
{
    planFile_ = path;
    setWindowFilePath(path);
    setWindowTitle(path.isEmpty() ? QStringLiteral("Combat Worksheet[*]")
                                  : QStringLiteral("%1[*] \u2014 Combat Worksheet").arg(plan::nameOf(path)));
    showModified();
    if (comparison_)
        comparison_->setWorksheetName(worksheetName());
    if (path.isEmpty())
        return;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QSettings kept = programSettings();
    QStringList recent = kept.value(recentKey).toStringList();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    kept.setValue(recentKey, recent.mid(0, recentPlans));
    kept.setValue(folderKey, QFileInfo(absolute).absolutePath());
}

void ProgramWindow::fillRecentMenu()
{
    recent_->clear();
    const QStringList recent = programSettings().value(recentKey).toStringList();
    for (const QString& path : recent) {
        const QString text = QStringLiteral("%1 (%2)").arg(plan::nameOf(path), QDir::toNativeSeparators(path));
        recent_->addAction(text, this, [this, path] {
            // A plan that has gone leaves the list once it is found gone.
            if (!openFile(path) && !QFileInfo::exists(path)) {
                QSettings kept = programSettings();
                QStringList left = kept.value(recentKey).toStringList();
                left.removeAll(path);
                kept.setValue(recentKey, left);
            }
        });
    }
    if (recent.isEmpty())
        recent_->addAction(QStringLiteral("No recent plans"))->setEnabled(false);
}

QString ProgramWindow::lastFolder() const
{
    const QString kept = programSettings().value(folderKey).toString();
    if (!kept.isEmpty() && QFileInfo(kept).isDir())
        return kept;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void ProgramWindow::print()
{
    confirm(printWorksheet(*worksheet_, suggestedPdf()));
}

void ProgramWindow::printWithDialog()
{
    confirm(printWorksheetWithDialog(*worksheet_, QFileInfo(suggestedPdf()).completeBaseName()));
}

void ProgramWindow::exportPdf()
{
    confirm({{}, exportWorksheetAsPdf(*worksheet_, suggestedPdf())});
}

QString ProgramWindow::worksheetName() const
{
    return planFile_.isEmpty() ? QStringLiteral("This worksheet") : plan::nameOf(planFile_);
}

QString ProgramWindow::suggestedPdf() const
{
    const QString name = planFile_.isEmpty() ? QStringLiteral("Combat Worksheet") : plan::nameOf(planFile_);
    return QDir(lastFolder()).filePath(name + QStringLiteral(".pdf"));
}

void ProgramWindow::confirm(const Printed& printed)
{
    if (!printed.printer.isEmpty())
        confirm(QStringLiteral("The worksheet was sent to the printer %1").arg(printed.printer));
    else if (!printed.pdfFile.isEmpty()) {
        programSettings().setValue(folderKey, QFileInfo(printed.pdfFile).absolutePath());
        confirm(QStringLiteral("The worksheet was saved as %1").arg(QDir::toNativeSeparators(printed.pdfFile)));
    }
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

// A confirmation shows for a few seconds beside the figures, cut short in
// its middle (a long path) where it would run into them; its tooltip
// holds it whole.
void ProgramWindow::confirm(const QString& text)
{
    int room = statusBar()->width() - 24;
    for (QWidget* figures : statusBar()->findChildren<FigureStrip*>(Qt::FindDirectChildrenOnly))
        room -= figures->sizeHint().width();
    statusBar()->showMessage(statusBar()->fontMetrics().elidedText(text, Qt::ElideMiddle, std::max(room, 80)),
                             confirmationMs);
    statusBar()->setToolTip(text);
}
