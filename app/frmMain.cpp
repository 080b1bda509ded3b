#include "app/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <QStyle>
#include <algorithm>
#include <optional>

#include "app/ConfigFile.h"
#include "app/HelpFile.h"
#include "app/ListSelection.h"
#include "app/MessageBox.h"
#include "app/WindowHost.h"
#include "convert/Batch.h"
#include "convert/RunPlan.h"
#include "leadwright/Version.h"
#include "sheets/SheetKinds.h"

// The icon sits in a static library, so its resource has to be registered by hand.
static void InitLeadwrightResources() { Q_INIT_RESOURCE(leadwright); }

namespace lw {

namespace {

// Positions and sizes are given in twips, 15 to a pixel.
QRect Twips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

QString FromBytes(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

template <typename Widget, typename... Args>
Widget* MakeControl(QWidget* parent, const QString& name, QRect where, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(name);
    widget->setGeometry(where);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption, QRect where,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
    auto* label = MakeControl<QLabel>(parent, name, where, caption);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    return label;
}

QListWidget* MakeList(QWidget* parent, const QString& name, QRect where) {
    auto* list = MakeControl<QListWidget>(parent, name, where);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

// The key and step lists are narrow; their rows end in the minor key, and a horizontal scroll
// bar would hide the last rows.
QListWidget* MakeSelectionList(QWidget* parent, const QString& name, QRect where) {
    auto* list = MakeList(parent, name, where);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

// The help list was laid out for a 9.75-point "MS Serif". Where a wider serif stands in for it
// (Debian has DejaVu Serif), the size shrinks until the widest built-in row fits the list.
QFont HelpFont(const QListWidget& list) {
    QFont font(QStringLiteral("MS Serif"));
    font.setStyleHint(QFont::Serif);
    const int room = list.width() - 2 * list.frameWidth() -
                     list.style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 4;
    for (double points = 9.75; points >= 6; points -= 0.25) {
        font.setPointSizeF(points);
        const QFontMetrics metrics(font);
        const auto fits = [&](std::string_view row) {
            return metrics.horizontalAdvance(
                       QString::fromUtf8(row.data(), qsizetype(row.size()))) <= room;
        };
        if (std::all_of(BuiltInHelpRows.begin(), BuiltInHelpRows.end(), fits)) break;
    }
    return font;
}

QString Indexed(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

// Which controls each mode shows.
struct ModeView {
    bool keyList;   // with its title "Select Key"
    bool stepList;  // with its title "Select Step"
    bool preferenceFrame;
    std::optional<bool> preferenceButtons;  // nothing: they keep their state, in a hidden frame
    bool byStepButton;
};

// One row per mode, [0, 4).
// clang-format off
constexpr std::array<ModeView, 4> kModeViews{{
    {.keyList = true,  .stepList = false, .preferenceFrame = false, .preferenceButtons = false,        .byStepButton = true},   // By Key
    {.keyList = false, .stepList = true,  .preferenceFrame = true,  .preferenceButtons = true,         .byStepButton = true},   // By Step
    {.keyList = true,  .stepList = false, .preferenceFrame = false, .preferenceButtons = std::nullopt, .byStepButton = false},  // Figured Bass to Key
    {.keyList = false, .stepList = false, .preferenceFrame = false, .preferenceButtons = std::nullopt, .byStepButton = false},  // Key to Figured Bass
}};
// clang-format on

constexpr int kByStep = 1;

}  // namespace

frmMain::frmMain(const QString& programDir) {
    CreateControls();
    CreateFileMenu();
    ConnectEvents();
    host_ = std::make_unique<WindowHost>(this, lblFilename);
    Form_Load(programDir);
}

frmMain::~frmMain() = default;

void frmMain::CreateControls() {
    InitLeadwrightResources();
    setWindowIcon(QIcon(QStringLiteral(":/leadwright.png")));

    auto* client = new QWidget(this);
    client->setFixedSize(640, 480);
    // The layout was drawn for a small 8-point interface font; today's wider sans fonts need
    // 7.5 points for every caption to fit and for both selection lists to show all their rows.
    QFont controlFont = client->font();
    controlFont.setPointSizeF(7.5);
    client->setFont(controlFont);
    setCentralWidget(client);
    // The layout is fixed, so is the window.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // Left column: the modes, the lists and the preference frame.
    Option1[2] = MakeControl<QRadioButton>(client, Indexed("Option1", 2), Twips(75, 45, 1890, 330),
                                           QStringLiteral("Figured Bass to Key"));
    Option1[3] = MakeControl<QRadioButton>(client, Indexed("Option1", 3), Twips(75, 495, 1890, 330),
                                           QStringLiteral("Key to Figured Bass"));
    Option1[0] = MakeControl<QRadioButton>(client, Indexed("Option1", 0), Twips(75, 945, 1005, 285),
                                           QStringLiteral("By Key"));
    Option1[1] = MakeControl<QRadioButton>(client, Indexed("Option1", 1),
                                           Twips(1125, 945, 1005, 285), QStringLiteral("By Step"));
    modeGroup_ = new QButtonGroup(this);
    for (int index = 0; index < 4; ++index) modeGroup_->addButton(Option1[index], index);
    Option1[0]->setChecked(true);

    Label1[0] = MakeLabel(client, Indexed("Label1", 0), QStringLiteral("Select Key"),
                          Twips(45, 1305, 975, 225), Qt::AlignHCenter | Qt::AlignTop);
    Label1[1] = MakeLabel(client, Indexed("Label1", 1), QStringLiteral("Select Step"),
                          Twips(1125, 1305, 1335, 225), Qt::AlignHCenter | Qt::AlignTop);
    lstKey = MakeSelectionList(client, QStringLiteral("lstKey"), Twips(15, 1545, 1005, 3570));
    lstStep = MakeSelectionList(client, QStringLiteral("lstStep"), Twips(1125, 1545, 1335, 4545));

    Frame1 =
        MakeControl<QGroupBox>(client, QStringLiteral("Frame1"), Twips(1095, 6165, 1425, 1005));
    Label3 = MakeLabel(Frame1, QStringLiteral("Label3"), QStringLiteral("Output Key Preference"),
                       Twips(30, 30, 1365, 405), Qt::AlignHCenter | Qt::AlignTop);
    Label3->setWordWrap(true);
    optPref[0] = MakeControl<QRadioButton>(Frame1, Indexed("optPref", 0), Twips(120, 600, 495, 285),
                                           QStringLiteral("#"));
    optPref[1] = MakeControl<QRadioButton>(Frame1, Indexed("optPref", 1), Twips(810, 600, 495, 285),
                                           QStringLiteral("b"));
    preferenceGroup_ = new QButtonGroup(this);
    for (int index = 0; index < 2; ++index) preferenceGroup_->addButton(optPref[index], index);
    optPref[1]->setChecked(true);

    // Right column: the file fields of the last run and the help list.
    constexpr std::array<const char*, 4> kFieldCaptions{"Input File", "Output File", "Input Line",
                                                        "Output Line"};
    constexpr std::array<int, 4> kCaptionTops{60, 630, 1410, 2070};
    constexpr std::array<int, 4> kFieldTops{330, 900, 1680, 2340};
    constexpr std::array<int, 4> kFieldWidths{6975, 6975, 6795, 6795};
    for (int index = 0; index < 4; ++index) {
        Label2[index] = MakeLabel(client, Indexed("Label2", index), kFieldCaptions[index],
                                  Twips(2580, kCaptionTops[index], 1155, 225));
        lblFilename[index] = MakeLabel(client, Indexed("lblFilename", index), QString(),
                                       Twips(2580, kFieldTops[index], kFieldWidths[index], 225));
    }

    lstHelp = MakeList(client, QStringLiteral("lstHelp"), Twips(2580, 1290, 6975, 5580));
    lstHelp->setFont(HelpFont(*lstHelp));

    // The line fields lie inside the help list's area; nothing ever shows them.
    for (int index : {2, 3}) {
        Label2[index]->hide();
        lblFilename[index]->hide();
    }
    Label1[1]->hide();
    lstStep->hide();
    Frame1->hide();
    optPref[0]->hide();
    optPref[1]->hide();
}

void frmMain::CreateFileMenu() {
    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    QAction* mnuFileOpen = mnuFile->addAction(QStringLiteral("&Open"));
    mnuFileOpen->setObjectName(QStringLiteral("mnuFileOpen"));
    QAction* mnuFileConvertSeveral = mnuFile->addAction(QStringLiteral("Convert &Several..."));
    mnuFileConvertSeveral->setObjectName(QStringLiteral("mnuFileConvertSeveral"));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("x1"));
    QAction* mnuFileExit = mnuFile->addAction(QStringLiteral("E&xit"));
    mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));

    connect(mnuFileOpen, &QAction::triggered, this, &frmMain::mnuFileOpen_Click);
    connect(mnuFileConvertSeveral, &QAction::triggered, this,
            &frmMain::mnuFileConvertSeveral_Click);
    connect(mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
}

void frmMain::ConnectEvents() {
    connect(modeGroup_, &QButtonGroup::idClicked, this, &frmMain::Option1_Click);
    // A selection made by the program counts as a click, like one made by the user.
    connect(lstKey, &QListWidget::itemSelectionChanged, this, &frmMain::lstKey_Click);
    connect(lstStep, &QListWidget::itemSelectionChanged, this, &frmMain::lstStep_Click);
}

void frmMain::Form_Load(const QString& programDir) {
    setWindowTitle(QStringLiteral("Leadwright, V" LEADWRIGHT_VERSION));
    globals_.ChordLineMarker = "^";
    globals_.FileExtension = "txt";
    LoadSettings(programDir);
    FillLists();
    SetDialogFilter();
    LoadHelp(programDir);
}

void frmMain::LoadSettings(const QString& programDir) {
    const std::optional<Settings> settings =
        ReadConfigFile(PathBytes(QDir(programDir).filePath(QStringLiteral("LWSET.lwc"))));
    if (!settings) {
        host_->ShowMessage("Configuration file corrupted or not found, using defaults...");
        return;
    }
    globals_.ChordLineMarker = settings->ChordLineMarker;
    globals_.FileExtension = settings->FileExtension;
}

void frmMain::FillLists() {
    for (const KeySpelling& key : KeySpellings) lstKey->addItem(FromBytes(key.listItem));
    for (const StepListRow& step : StepList) lstStep->addItem(FromBytes(step.listItem));
    globals_.OutputKeyCode = -1;
    globals_.StepSemitones.reset();
}

// The dialog's filter entries: the lead sheets' first, described by its pattern ("*.txt (*.txt)"
// for "txt"), then one for each other kind of sheet, then one of every kind together, for a
// batch that mixes them.
void frmMain::SetDialogFilter() {
    QStringList entries;
    QStringList everyPattern;
    for (const SheetKind* kind : SheetKinds()) {
        QStringList patterns;
        for (const std::string& pattern : kind->Patterns(globals_))
            patterns << QFile::decodeName(QByteArray::fromStdString(pattern));
        const QString title = entries.isEmpty() ? patterns.join(' ') : FromBytes(kind->Title());
        entries << title + QStringLiteral(" (") + patterns.join(' ') + ')';
        everyPattern << patterns;
    }
    everyPattern.removeDuplicates();
    severalNameFilter_ = QStringLiteral("All sheets (") + everyPattern.join(' ') + ')';
    entries << severalNameFilter_;
    dialogFilter_ = entries.join(QStringLiteral(";;"));
}

void frmMain::LoadHelp(const QString& programDir) {
    std::vector<std::string> rows;
    const bool read =
        ReadHelpFile(PathBytes(QDir(programDir).filePath(QStringLiteral("README.txt"))), rows);
    // Rows read before a failure stay in front of the built-in help.
    for (const std::string& row : rows) lstHelp->addItem(FromBytes(row));
    if (read) return;
    host_->ShowMessage("Help file corrupted or not found, using old internal help...");
    for (std::string_view row : BuiltInHelpRows) lstHelp->addItem(FromBytes(row));
}

void frmMain::Option1_Click(int index) {
    globals_.ConvertMode = static_cast<ConvertMode>(index);
    if (index < 0 || index >= int(kModeViews.size())) return;

    const ModeView& view = kModeViews[std::size_t(index)];
    Label1[0]->setVisible(view.keyList);
    lstKey->setVisible(view.keyList);
    Label1[1]->setVisible(view.stepList);
    lstStep->setVisible(view.stepList);
    Frame1->setVisible(view.preferenceFrame);
    if (view.preferenceButtons) {
        optPref[0]->setVisible(*view.preferenceButtons);
        optPref[1]->setVisible(*view.preferenceButtons);
    }
    Option1[kByStep]->setVisible(view.byStepButton);

    if (index == kByStep) {
        // Choosing the row that is already selected raises no selection event, yet the
        // interval of "Up 1/2" must be recorded again: a By Key run may have changed it.
        if (SelectedRow(*lstStep) == 0) {
            lstStep_Click();
        } else {
            lstStep->setCurrentRow(0);
        }
    }
}

void frmMain::lstKey_Click() {
    if (SelectedRow(*lstKey) >= 0) lw::lstKey_Click(globals_);
}

void frmMain::lstStep_Click() {
    const int row = SelectedRow(*lstStep);
    if (row >= 0) lw::lstStep_Click(globals_, row);
}

void frmMain::mnuFileOpen_Click() {
    if (!CheckSelection(globals_, *host_)) return;
    const std::optional<std::string> inputPath = ChooseInputFile();
    if (!inputPath) return;
    ShowingFailures(*host_, [&] {
        const std::optional<RunPlan> plan = PlanRun(globals_, Choices(), *inputPath, *host_);
        if (!plan || !host_->AskOkCancel("Any you ready to write the file?")) return;
        host_->StartWork();
        OutputSet output(SystemFileSystem());
        std::optional<RunOutcome> run;
        if (!host_->WritingWithFewBoxes([&] {
                run = ExecutePlan(*plan, globals_, *host_, &output);
                return run.has_value();
            }))
            return;
        const std::vector<OutputSet::Failure> failures = output.Publish();
        for (const OutputSet::Failure& failure : failures) host_->ShowMessage(failure.message);
        // What goes with the written file, such as lines kept as lyrics.
        if (failures.empty())
            for (const std::string& note : run->outputNotes) host_->ShowMessage(note);
    });
    host_->EndWork();
}

// File, Open for many files: each gets the checks of a single run, their messages are gathered,
// one question comes before anything is written and a summary at the end.
void frmMain::mnuFileConvertSeveral_Click() {
    if (!CheckSelection(globals_, *host_)) return;
    const std::vector<std::string> inputPaths = ChooseInputFiles(QFileDialog::ExistingFiles);
    if (inputPaths.empty()) return;
    ShowingFailures(*host_, [&] {
        BatchPlan plan = PlanBatch(globals_, Choices(), inputPaths, *host_);
        bool cancelled = false;
        if (plan.Count(Fate::ToWrite) > 0) {
            const BatchReport question = BatchQuestion(plan);
            if (!host_->AskOkCancel(question.text, question.details)) return;
            host_->StartWork();
            cancelled = !ExecuteBatch(plan, globals_, *host_);
            host_->EndWork();
        }
        const BatchReport summary = BatchSummary(plan, cancelled);
        host_->ShowMessage(summary.text, summary.details);
    });
    host_->EndWork();
}

std::optional<std::string> frmMain::ChooseInputFile() {
    const std::vector<std::string> paths = ChooseInputFiles(QFileDialog::ExistingFile);
    if (paths.empty()) return std::nullopt;
    return paths.front();
}

// The file dialog CommonDialog1, opening in the folder it showed last. It is made for each use
// and gone before anything is written: an open dialog watches its folder and would take in
// every new file, which slows a batch of a thousand outputs from under a second to several.
std::vector<std::string> frmMain::ChooseInputFiles(QFileDialog::FileMode mode) {
    QFileDialog CommonDialog1(this, QString(), dialogFolder_, dialogFilter_);
    // The dialog offers only the files its filter entry shows, also among typed names.
    QString& nameFilter = mode == QFileDialog::ExistingFiles ? severalNameFilter_ : openNameFilter_;
    if (!nameFilter.isEmpty()) CommonDialog1.selectNameFilter(nameFilter);
    CommonDialog1.setObjectName(QStringLiteral("CommonDialog1"));
    CommonDialog1.setAcceptMode(QFileDialog::AcceptOpen);
    CommonDialog1.setFileMode(mode);
    CommonDialog1.setDefaultSuffix(QStringLiteral("txt"));
    std::vector<std::string> paths;
    if (CommonDialog1.exec() != QDialog::Accepted) return paths;
    const QStringList chosen = CommonDialog1.selectedFiles();
    // The next dialog opens where these files are, also when their paths were typed.
    if (!chosen.isEmpty()) dialogFolder_ = QFileInfo(chosen.front()).absolutePath();
    nameFilter = CommonDialog1.selectedNameFilter();
    for (const QString& path : chosen) paths.push_back(PathBytes(path));
    // In the order of their names, whatever order the dialog lists or takes them in.
    std::sort(paths.begin(), paths.end());
    return paths;
}

RunChoices frmMain::Choices() const {
    RunChoices choices;
    if (lstStep->isVisibleTo(this))
        choices.visibleList = ShownList::Step;
    else if (!lstKey->isVisibleTo(this))
        choices.visibleList = ShownList::None;
    if (const int row = SelectedRow(*lstKey); row >= 0) choices.keyIndex = row;
    choices.preference = optPref[0]->isChecked() ? Spelling::Sharp : Spelling::Flat;
    return choices;
}

void frmMain::mnuFileExit_Click() {
    close();
    QCoreApplication::exit(0);
}

}  // namespace lw
