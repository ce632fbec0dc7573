#include "editors/channels/ChannelWindow.h"

#include "document/Conversions.h"
#include "document/RadioDocumentOps.h"
#include "editors/channels/ChannelDetailPanel.h"
#include "editors/channels/FrequencyEditor.h"
#include "editors/channels/FrequencyRules.h"
#include "editors/channels/GroupPanel.h"
#include "i18n/ChannelTexts.h"
#include "i18n/EditTexts.h"
#include "i18n/Texts.h"
#include "session/AppState.h"
#include "session/DocumentEvents.h"
#include "session/UserPrompt.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int kNameColumn = 0;
constexpr int kFrequencyColumn = 1;

// A flag set for the lifetime of a scope and put back afterwards.
class FlagScope {
public:
    FlagScope(bool& flag, bool value) : flag_(flag), saved_(flag) { flag_ = value; }
    ~FlagScope() { flag_ = saved_; }

private:
    bool& flag_;
    bool saved_;
};
} // namespace

ChannelWindow::ChannelWindow(AppState& app, UserPrompt& prompt, DocumentEvents& events, QWidget* parent)
    : QWidget(parent), app_(app), prompt_(prompt), events_(events), language_(app.Settings.LanguageIndex)
{
    setObjectName(QStringLiteral("frmCommChInfo"));
    FlagScope loading(loading_, true);
    InitShowGrid();
    ChangShowByLanguage();
    {
        const QSignalBlocker block(modeCombo_);
        modeCombo_->setCurrentIndex(mode());
    }
    onWorkModePicked(mode());
    opened_ = true;

    connect(&events_, &DocumentEvents::dtmfCodesChanged, this, &ChannelWindow::ShowDTMF);
    connect(&events_, &DocumentEvents::rogerBeepsChanged, this, &ChannelWindow::ShowRB);
    connect(&events_, &DocumentEvents::enabledModesChanged, this, &ChannelWindow::RefreshModeList);
    connect(&events_, &DocumentEvents::documentRestored, this, &ChannelWindow::reloadFromDocument);
    // Leaving the editor in any way commits it: to the grid, to a selector, to another window.
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (editor_->isVisible() && now != editor_)
            SaveShowGridData();
    });
}

ChannelWindow::~ChannelWindow()
{
    // Children lose their focus while they are destroyed: nothing may be committed then.
    disconnect(focusWatch_);
    opened_ = false;
}

int ChannelWindow::mode() const
{
    return ActiveMode(app_.Doc.Data);
}

ChannelEditContext ChannelWindow::context() const
{
    return ChannelEditContext{app_.Doc, app_.DocState, prompt_, language_};
}

void ChannelWindow::fault(ChannelFault which)
{
    prompt_.tell(PromptId::EditorNotice, FaultText(which));
}

void ChannelWindow::InitShowGrid()
{
    auto* outer = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    outer->addLayout(left, 3);
    outer->addLayout(right, 4);

    modeBox_ = new QGroupBox;
    modeBox_->setObjectName(QStringLiteral("FrameWorkMode"));
    auto* selectors = new QGridLayout(modeBox_);
    modeCombo_ = new QComboBox;
    modeCombo_->setObjectName(QStringLiteral("ComboWorkMode"));
    groupCombo_ = new QComboBox;
    groupCombo_->setObjectName(QStringLiteral("ComboGroup"));
    workGroupCombo_ = new QComboBox;
    workGroupCombo_->setObjectName(QStringLiteral("ComboWorkGroup"));
    int row = 0;
    for (QComboBox* combo : {modeCombo_, groupCombo_, workGroupCombo_}) {
        auto* label = new QLabel;
        label->setObjectName(combo->objectName() + QStringLiteral("Label"));
        label->setBuddy(combo);
        selectors->addWidget(label, row, 0);
        selectors->addWidget(combo, row, 1);
        ++row;
    }
    selectors->setColumnStretch(1, 1);
    left->addWidget(modeBox_);

    grid_ = new QTableWidget(kNumberedChannels, 2);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 8);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid_->horizontalHeader()->setSectionsClickable(false);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    // Tab leaves the grid for the panels; the arrows move inside it.
    grid_->setTabKeyNavigation(false);
    grid_->installEventFilter(this);
    left->addWidget(grid_, 1);

    editor_ = new FrequencyEditor(grid_->viewport());
    editor_->hide();
    connect(editor_, &FrequencyEditor::enterPressed, this, [this] {
        if (grid_->currentColumn() == kFrequencyColumn && editor_->text().isEmpty())
            GridNextLine();
        else
            GridNextCol();
    });
    connect(editor_, &FrequencyEditor::escapePressed, this, &ChannelWindow::cancelEdit);
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { placeEditor(); });

    groupPanel_ = new GroupPanel(language_);
    right->addWidget(groupPanel_);
    detail_ = new ChannelDetailPanel(language_);
    detail_->hide();
    right->addWidget(detail_);
    right->addStretch(1);
    closeButton_ = new QPushButton;
    closeButton_->setObjectName(QStringLiteral("CommandClose"));
    closeButton_->setAutoDefault(false);
    right->addWidget(closeButton_, 0, Qt::AlignRight);

    connect(modeCombo_, &QComboBox::activated, this, [this](int index) { onWorkModePicked(index); });
    connect(groupCombo_, &QComboBox::activated, this,
            [this](int index) { onGroupPicked(GroupNumber(groupCombo_->itemText(index))); });
    connect(workGroupCombo_, &QComboBox::activated, this, [this](int index) {
        StoreWorkGroup(app_.Doc, workGroupCombo_->itemText(index));
        edited(StepName(EditText::WorkGroup, language_, WorkModeText(mode())));
    });
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this](int r, int c, int previousRow, int) { onCellEntered(r, c, previousRow); });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int r, int) {
        // A double-click on a name has already put the cursor on that row's frequency.
        if (r < 0 || r >= shownRows()) {
            fault(ChannelFault::GridDoubleClick);
            return;
        }
        setWindowTitle(Text(ChannelText::WindowTitle, language_));
        EnterGridEdit();
    });
    connect(detail_, &ChannelDetailPanel::picked, this, &ChannelWindow::onDetailPicked);
    connect(groupPanel_, &GroupPanel::referencePicked, this, &ChannelWindow::onReferencePicked);
    connect(groupPanel_, &GroupPanel::validPicked, this, &ChannelWindow::onValidPicked);
    connect(closeButton_, &QPushButton::clicked, this, [this] {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->close();
        else
            close();
    });

    setTabOrder(modeCombo_, groupCombo_);
    setTabOrder(groupCombo_, workGroupCombo_);
    setTabOrder(workGroupCombo_, grid_);
    setFocusProxy(grid_);
    resize(760, 640);
}

void ChannelWindow::ChangShowByLanguage()
{
    const int lang = language_;
    setWindowTitle(Text(ChannelText::WindowTitle, lang));
    findChild<QLabel*>(QStringLiteral("ComboWorkModeLabel"))->setText(Text(ChannelText::WorkModeLabel, lang));
    findChild<QLabel*>(QStringLiteral("ComboGroupLabel"))->setText(Text(ChannelText::GroupLabel, lang));
    findChild<QLabel*>(QStringLiteral("ComboWorkGroupLabel"))->setText(Text(ChannelText::WorkGroupLabel, lang));
    modeCombo_->addItems({Text(ChannelText::WorkModeCB, lang), Text(ChannelText::WorkModeHF, lang)});
    grid_->setHorizontalHeaderLabels(
        {Text(ChannelText::HeaderChannel, lang), Text(ChannelText::HeaderFrequency, lang)});
    closeButton_->setText(Text(Cap::Close, lang));
    const QString off = Text(ChannelText::Off, lang);
    detail_->setRogerList(RogerList(app_.Doc.Data, off));
    detail_->setCodeList(CodeList(app_.Doc.Data, off));
}

void ChannelWindow::onWorkModePicked(int picked)
{
    SaveShowGridData();
    if (picked != 0 && picked != 1)
        return;
    const bool switched = picked != mode() && !loading_;
    if (switched) {
        app_.Doc.Data.WorkMode = static_cast<int16_t>(picked);
        app_.DocState.BandText = BandTextOf(picked);
        ParseBandLimits(app_.DocState);
        emit events_.workModeChanged();
    }
    modeBox_->setTitle(modeCombo_->itemText(picked));
    {
        const QSignalBlocker block(groupCombo_);
        groupCombo_->clear();
        groupCombo_->addItems(GroupEntries(picked));
    }
    InitComboWorkGroup();
    FlagScope loading(loading_, true);
    const int group = ShownGroup(picked, app_.Doc.Data.CurGroup[picked]);
    {
        const QSignalBlocker block(groupCombo_);
        groupCombo_->setCurrentIndex(groupCombo_->findText(GroupLetter(static_cast<int16_t>(group))));
    }
    onGroupPicked(group);
    // The new mode's work group may have been settled on the way: one step with the switch.
    if (switched)
        edited(Text(EditText::WorkMode, language_));
}

void ChannelWindow::onGroupPicked(int group)
{
    SaveShowGridData();
    if (group < 1 || group > kMemoryView) {
        fault(ChannelFault::SetGridData);
        return;
    }
    if (!loading_)
        app_.Doc.Data.CurGroup[mode()] = static_cast<int16_t>(group);
    group_ = group;
    groupPanel_->setGroupTitle(GroupLetter(static_cast<int16_t>(group)));
    groupPanel_->setChannelNames(InitValidComboList(app_.Doc, mode(), group));
    SetEditNoVisable();
    SetGridData();
}

void ChannelWindow::InitComboWorkGroup()
{
    const WorkGroupChoice choice = ::InitComboWorkGroup(app_.Doc);
    const QSignalBlocker block(workGroupCombo_);
    workGroupCombo_->clear();
    workGroupCombo_->addItems(choice.letters);
    workGroupCombo_->setCurrentIndex(choice.selected);
    if (choice.selected >= 0)
        StoreWorkGroup(app_.Doc, choice.letters.at(choice.selected));
}

void ChannelWindow::showGroupReferences()
{
    if (group_ == kMemoryView)
        return;
    // While the window opens or the work mode changes nothing is written back; afterwards
    // a reference that names no listed channel becomes the first listed one.
    groupPanel_->selectReferences(ShowValidComboText(app_.Doc, mode(), group_, !loading_));
}

void ChannelWindow::SetGridData()
{
    const int m = mode();
    const int g = group_;
    const bool memoryView = g == kMemoryView;
    groupPanel_->setSelectorsVisible(!memoryView);
    if (!memoryView) {
        groupPanel_->selectValid(FixedListPosition(app_.Doc.Data.Opt.GroupValid[m][g], 2));
        showGroupReferences();
    }

    // The grid keeps its 40 rows; the memory view hides those it does not use, which
    // spares rebuilding the rows on every switch.
    const int rows = RowsOfGroup(g);
    const QSignalBlocker block(grid_);
    for (int r = 1; r <= kNumberedChannels; ++r) {
        if (grid_->isRowHidden(r - 1) != (r > rows))
            grid_->setRowHidden(r - 1, r > rows);
        for (int c : {kNameColumn, kFrequencyColumn}) {
            QTableWidgetItem* item = grid_->item(r - 1, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                if (c == kNameColumn) {
                    item->setFlags(Qt::ItemIsEnabled);
                    item->setBackground(palette().button());
                } else {
                    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                }
                grid_->setItem(r - 1, c, item);
            }
            item->setText(c == kNameColumn && r <= rows ? GetCHName(memoryView ? r + kNumberedChannels : r)
                                                        : QString());
        }
    }

    const int listGroup = memoryView ? 1 : g;
    const int count = ChannelCountOf(app_.Doc, m, listGroup);
    const ChannelEditContext ctx = context();
    for (int slot = 1; slot <= count; ++slot) {
        const ChannelRecord& ch = app_.Doc.Channels[m][slot][listGroup];
        const int row = memoryView ? ch.ChId - kNumberedChannels : ch.ChId;
        if (row < 1 || row > rows)
            continue;
        grid_->item(row - 1, kFrequencyColumn)->setText(StoredToFreqText(ch.RxFreq.text(), ctx));
    }
    const int current = std::clamp<int>(app_.Doc.Data.CurChannel[m][g], 1, rows);
    grid_->setCurrentCell(current - 1, kFrequencyColumn);
    ShowChIfoDataOther(current);
    editRow_ = current;
}

void ChannelWindow::ShowChIfoData(const ChannelRecord& ch, int row)
{
    if (row < 1 || row > shownRows()) {
        fault(ChannelFault::ShowChIfoData);
        return;
    }
    grid_->item(row - 1, kFrequencyColumn)->setText(StoredToFreqText(ch.RxFreq.text(), context()));
    if (currentRow() == row) {
        FlagScope loading(loading_, true);
        detail_->showChannel(ch, ModeList(app_.Doc.Data, group_ == kMemoryView));
        detail_->show();
    }
}

void ChannelWindow::ShowChIfoDataOther(int row)
{
    if (row <= 0)
        return;
    const ChannelRecord* ch = RowChannel(app_.Doc, group_, row);
    if (!ch) {
        SetEditNoVisable();
        return;
    }
    FlagScope loading(loading_, true);
    detail_->showChannel(*ch, ModeList(app_.Doc.Data, group_ == kMemoryView));
    detail_->show();
}

void ChannelWindow::SetEditNoVisable()
{
    detail_->hide();
}

int ChannelWindow::shownRows() const
{
    return RowsOfGroup(group_);
}

int ChannelWindow::currentRow() const
{
    return grid_->currentRow() + 1;
}

void ChannelWindow::onCellEntered(int tableRow, int tableColumn, int previousRow)
{
    if (tableRow < 0)
        return;
    if (tableColumn == kNameColumn) {
        // The names are the fixed column: the cursor stays on the frequencies.
        grid_->setCurrentCell(tableRow, kFrequencyColumn);
        return;
    }
    if (tableRow != previousRow)
        ShowChIfoDataOther(tableRow + 1);
}

void ChannelWindow::reShowGrid(int row)
{
    if (row < 1 || row > shownRows()) {
        fault(ChannelFault::ReShowGrid);
        return;
    }
    const int m = mode();
    if (group_ != kMemoryView) {
        groupPanel_->selectValid(FixedListPosition(app_.Doc.Data.Opt.GroupValid[m][group_], 2));
        InitComboWorkGroup();
    }
    if (const ChannelRecord* ch = RowChannel(app_.Doc, group_, row)) {
        ShowChIfoData(*ch, row);
        return;
    }
    grid_->item(row - 1, kFrequencyColumn)->setText(QString());
    editor_->clear();
    // The detail panel always shows the channel of the current row, and this row has none now.
    if (currentRow() == row)
        SetEditNoVisable();
}

void ChannelWindow::EnterGridEdit()
{
    const int row = currentRow();
    const int column = grid_->currentColumn();
    if (row < 1 || row > RowsOfGroup(group_)) {
        fault(ChannelFault::EnterGridEdit);
        return;
    }
    editRow_ = row;
    editColumn_ = column;
    app_.Doc.Data.CurChannel[mode()][group_] = static_cast<int16_t>(row);
    if (column != kFrequencyColumn)
        return;
    editor_->setText(grid_->item(row - 1, kFrequencyColumn)->text());
    placeEditor();
    editor_->show();
    editor_->setFocus();
    editor_->selectAll();
}

void ChannelWindow::placeEditor()
{
    if (editRow_ < 1 || editRow_ > shownRows())
        return;
    editor_->setGeometry(grid_->visualItemRect(grid_->item(editRow_ - 1, kFrequencyColumn)));
}

void ChannelWindow::cancelEdit()
{
    editor_->hide();
    grid_->setFocus();
}

void ChannelWindow::SaveShowGridData()
{
    if (!editor_->isVisible() || committing_)
        return;
    FlagScope committing(committing_, true);
    editor_->hide();
    if (editRow_ < 1 || editRow_ > shownRows() || editColumn_ != kFrequencyColumn)
        return;
    const QString text = editor_->text();
    if (const auto value = ParseNumber(text))
        grid_->item(editRow_ - 1, kFrequencyColumn)->setText(FormatFixed(*value, 4));
    const FrequencyCommit result = SetChannelFrequency(context(), group_, editRow_, text);
    const QString step = StepName(EditText::Frequency, language_, channelPlace(editRow_));
    if (!opened_) {
        edited(step);
        return;
    }
    reShowGrid(editRow_);
    if (result.referencesChecked && result.referenceGroup == group_) {
        groupPanel_->setChannelNames(InitValidComboList(app_.Doc, mode(), group_));
        showGroupReferences();
    }
    edited(step);
}

void ChannelWindow::GridNextLine()
{
    SaveShowGridData();
    const int rows = shownRows();
    if (rows <= 0) {
        fault(ChannelFault::GridNextLine);
        return;
    }
    const int next = currentRow() >= rows ? 1 : currentRow() + 1;
    grid_->setCurrentCell(next - 1, kFrequencyColumn);
    grid_->setFocus();
}

void ChannelWindow::GridNextCol()
{
    // One data column: past it the cursor goes to the next row.
    if (grid_->currentColumn() < kFrequencyColumn) {
        SaveShowGridData();
        grid_->setCurrentCell(grid_->currentRow(), kFrequencyColumn);
        return;
    }
    GridNextLine();
}

bool ChannelWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            EnterGridEdit();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ChannelWindow::onDetailPicked(DetailField field, int position, const QString& entry)
{
    if (loading_)
        return;
    ChannelRecord* ch = RowChannel(app_.Doc, group_, currentRow());
    if (!ch)
        return;
    StoreDetail(*ch, field, position, entry);
    if (field == DetailField::Public)
        detail_->applyPublicLock(position >= 1);
    edited(StepName(EditText::FieldOf, language_, detail_->caption(field), channelPlace(currentRow())));
}

void ChannelWindow::onReferencePicked(GroupReference ref, const QString& name)
{
    if (loading_ || group_ == kMemoryView)
        return;
    StoreReference(app_.Doc, ref, mode(), group_, name);
    edited(StepName(EditText::FieldOf, language_, groupPanel_->referenceCaption(ref), groupPlace()));
}

void ChannelWindow::onValidPicked(int position)
{
    if (loading_ || group_ == kMemoryView)
        return;
    switch (PickGroupValid(app_.Doc, mode(), group_, position)) {
    case GroupValidOutcome::SnappedBack:
        groupPanel_->selectValid(1);
        return;
    case GroupValidOutcome::Stored:
        InitComboWorkGroup();
        break;
    case GroupValidOutcome::StoredWithDefaultChannel:
        InitComboWorkGroup();
        reShowGrid(1);
        // The group's reference lists were empty; they now offer its new channel.
        groupPanel_->setChannelNames(InitValidComboList(app_.Doc, mode(), group_));
        showGroupReferences();
        break;
    }
    edited(StepName(EditText::FieldOf, language_, Text(ChannelText::GroupValid, language_), groupPlace()));
}

void ChannelWindow::ShowRB()
{
    detail_->setRogerList(RogerList(app_.Doc.Data, Text(ChannelText::Off, language_)));
}

void ChannelWindow::ShowDTMF()
{
    detail_->setCodeList(CodeList(app_.Doc.Data, Text(ChannelText::Off, language_)));
}

void ChannelWindow::RefreshModeList()
{
    if (!detail_->isVisible() || !detail_->selector(DetailField::Mode)->isVisible())
        return;
    const int16_t k = CoerceMode(app_.Doc.Data.Opt, ModeIndex(detail_->shownText(DetailField::Mode)));
    detail_->setModeList(ModeList(app_.Doc.Data, group_ == kMemoryView), ModeName(k));
    if (ChannelRecord* ch = RowChannel(app_.Doc, group_, currentRow()))
        StoreDetail(*ch, DetailField::Mode, detail_->selector(DetailField::Mode)->currentIndex(),
                    detail_->shownText(DetailField::Mode));
}

QString ChannelWindow::groupPlace() const
{
    return GroupPlaceText(mode(), GroupLetter(static_cast<int16_t>(group_)));
}

QString ChannelWindow::channelPlace(int row) const
{
    return ChannelPlaceText(mode(), GroupLetter(static_cast<int16_t>(group_)),
                            GetCHName(group_ == kMemoryView ? row + kNumberedChannels : row));
}

void ChannelWindow::edited(const QString& step)
{
    emit events_.documentEdited(step);
}

void ChannelWindow::reloadFromDocument()
{
    // What was being typed belongs to the document that is gone.
    editor_->hide();
    FlagScope loading(loading_, true);
    const QString off = Text(ChannelText::Off, language_);
    detail_->setRogerList(RogerList(app_.Doc.Data, off));
    detail_->setCodeList(CodeList(app_.Doc.Data, off));
    {
        const QSignalBlocker block(modeCombo_);
        modeCombo_->setCurrentIndex(mode());
    }
    onWorkModePicked(mode());
}
