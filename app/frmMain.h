#pragma once

#include <QFileDialog>
#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "convert/RunPlan.h"
#include "core/ModGlobals.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QListWidget;
class QRadioButton;

namespace lw {

class WindowHost;

// The program's one window: the four modes, the key and step lists, the sharp/flat preference,
// the status fields of the last run, the help list and the File menu.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // Builds the window in its design state and runs start-up, whose messages come before the
    // window is shown. programDir holds LWSET.lwc and README.txt.
    explicit frmMain(const QString& programDir);
    ~frmMain() override;

    const ModGlobals& Globals() const { return globals_; }
    WindowHost& Host() { return *host_; }

    // Stores the mode and shows the controls it uses. Index 0 By Key, 1 By Step,
    // 2 Figured Bass to Key, 3 Key to Figured Bass; any other index is only stored.
    void Option1_Click(int index);
    void lstKey_Click();
    void lstStep_Click();
    void mnuFileOpen_Click();
    void mnuFileConvertSeveral_Click();
    void mnuFileExit_Click();

private:
    void CreateControls();
    void CreateFileMenu();
    void ConnectEvents();
    void Form_Load(const QString& programDir);
    void LoadSettings(const QString& programDir);
    void FillLists();
    void SetDialogFilter();
    void LoadHelp(const QString& programDir);
    std::optional<std::string> ChooseInputFile();
    std::vector<std::string> ChooseInputFiles(QFileDialog::FileMode mode);
    RunChoices Choices() const;

    ModGlobals globals_;

    std::array<QRadioButton*, 4> Option1{};
    QButtonGroup* modeGroup_ = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 2> optPref{};
    QButtonGroup* preferenceGroup_ = nullptr;
    QLabel* Label3 = nullptr;
    std::array<QLabel*, 2> Label1{};
    QListWidget* lstKey = nullptr;
    QListWidget* lstStep = nullptr;
    std::array<QLabel*, 4> Label2{};
    std::array<QLabel*, 4> lblFilename{};
    QListWidget* lstHelp = nullptr;
    QString dialogFilter_;  // the file dialog's, from the kinds of sheet
    QString dialogFolder_;  // where the file dialog was last left
    // The filter entry the dialog of File, Open and of Convert Several showed last; File, Open
    // starts on the first, Convert Several on the one of every kind.
    QString openNameFilter_;
    QString severalNameFilter_;

    std::unique_ptr<WindowHost> host_;  // every message box, status field and progress
};

}  // namespace lw
