#include "editors/features/DtmfWindow.h"

#include "editors/features/DtmfRules.h"
#include "editors/features/FeatureForm.h"
#include "i18n/EditTexts.h"
#include "i18n/FeatureTexts.h"
#include "i18n/Texts.h"
#include "session/AppState.h"
#include "session/DocumentEvents.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int kDecodePage = 1;
constexpr int kAutodialPage = 2;
constexpr int kCodeColumn = 1;
} // namespace

DtmfWindow::DtmfWindow(AppState& app, DocumentEvents& events, QWidget* parent)
    : QWidget(parent), app_(app), events_(events), language_(app.Settings.LanguageIndex)
{
    setWindowTitle(Text(FeatureText::DtmfCaption, language_));
    pages_ = new QTabWidget;
    pages_->setObjectName(QStringLiteral("SSTab1"));
    pages_->addTab(buildEncodePage(), Text(FeatureText::DtmfEncode, language_));
    // Decoding is not a setting of this radio: the page is there, switched off.
    auto* decode = new QWidget;
    decode->setObjectName(QStringLiteral("DecodePage"));
    pages_->addTab(decode, Text(FeatureText::DtmfDecode, language_));
    pages_->setTabEnabled(kDecodePage, false);
    pages_->addTab(buildAutodialPage(), Text(FeatureText::DtmfAutodialMemory, language_));
    pages_->setCurrentIndex(kAutodialPage);

    QHBoxLayout* buttons = NewCloseRow(this, Text(Cap::Close, language_));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    setMinimumSize(380, 500);
    connect(&events_, &DocumentEvents::documentRestored, this, &DtmfWindow::reloadFromDocument);
}

QWidget* DtmfWindow::buildEncodePage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("EncodePage"));
    QFormLayout* form = NewCaptionForm();
    const std::pair<DtmfEncodeField, std::pair<const char*, FeatureText>> rows[] = {
        {DtmfEncodeField::SendTime, {"DtmfSendTime", FeatureText::DtmfSendTime}},
        {DtmfEncodeField::FirstDigitTime, {"DtmfFirstDigitTime", FeatureText::DtmfFirstDigitTime}},
        {DtmfEncodeField::FirstDigitDelay, {"DtmfFirstDigitDelay", FeatureText::DtmfFirstDigitDelay}},
        {DtmfEncodeField::StarHashTone, {"DtmfStarHashTone", FeatureText::DtmfStarHashTone}},
        {DtmfEncodeField::DKey, {"DtmfDKey", FeatureText::DtmfDKeyAssignment}},
    };
    OptionRecord& opt = app_.Doc.Data.Opt;
    for (const auto& [field, def] : rows) {
        QComboBox* combo = NewSelector(QLatin1String(def.first));
        combo->addItems(DtmfEncodeItems(field, language_));
        combo->setCurrentIndex(DtmfEncodeItemIndex(field, DtmfEncodeFieldOf(opt, field)));
        connect(combo, &QComboBox::activated, this, [this, field = field, caption = def.second](int index) {
            DtmfEncodeFieldOf(app_.Doc.Data.Opt, field) = DtmfEncodeStoredValue(field, index);
            emit events_.documentEdited(Text(caption, language_));
        });
        selectors_[field] = combo;
        auto* label = new QLabel(Text(def.second, language_));
        label->setBuddy(combo);
        form->addRow(label, combo);
    }
    // Showing a value stores it: a value without an item becomes that of the item shown.
    NormalizeDtmfEncode(opt);
    display_ = new QCheckBox(Text(FeatureText::DtmfDisplay, language_));
    display_->setObjectName(QStringLiteral("DtmfDisplay"));
    display_->setChecked(opt.DtmfDisplay == 1);
    connect(display_, &QCheckBox::clicked, this, [this](bool on) {
        app_.Doc.Data.Opt.DtmfDisplay = on ? 1 : 0;
        emit events_.documentEdited(Text(FeatureText::DtmfDisplay, language_));
    });
    form->addRow(display_);
    auto* outer = new QVBoxLayout(page);
    outer->addLayout(form);
    outer->addStretch();
    return page;
}

QWidget* DtmfWindow::buildAutodialPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("AutodialPage"));
    grid_ = new QTableWidget(kAutodialCount, 2);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->setHorizontalHeaderLabels(
        {Text(FeatureText::DtmfNumber, language_), Text(FeatureText::DtmfAutodialMemory, language_)});
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    grid_->horizontalHeader()->setSectionResizeMode(kCodeColumn, QHeaderView::Stretch);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setTabKeyNavigation(false);
    for (int row = 0; row < kAutodialCount; ++row) {
        auto* number = new QTableWidgetItem(QString::number(row + 1));
        number->setTextAlignment(Qt::AlignCenter);
        number->setFlags(Qt::ItemIsEnabled);
        grid_->setItem(row, 0, number);
        auto* code = new QTableWidgetItem(AutodialText(app_.Doc.Data.Opt, row + 1));
        code->setTextAlignment(Qt::AlignCenter);
        code->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        grid_->setItem(row, kCodeColumn, code);
    }
    grid_->setCurrentCell(0, kCodeColumn);

    editBox_ = new QLineEdit(grid_->viewport());
    editBox_->setObjectName(QStringLiteral("codeEditBox"));
    editBox_->setMaxLength(kAutodialLength);
    editBox_->setAlignment(Qt::AlignCenter);
    editBox_->hide();
    auto* guard = new TextFieldGuard(editBox_, AutodialKey, nullptr);
    guard->setEnterMovesOn(true);
    connect(editBox_, &QLineEdit::textChanged, this, [this] {
        if (!filling_)
            commitEdit();
    });

    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (column == kCodeColumn && row >= 0)
            enterCell(row + 1);
    });
    // Row 1 is current from the start, so clicking it changes no cell: the click enters it.
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (column == kCodeColumn && (row + 1 != editRow_ || editBox_->isHidden()))
            enterCell(row + 1);
    });
    grid_->installEventFilter(this);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(grid_);
    return page;
}

bool DtmfWindow::eventFilter(QObject* watched, QEvent* event)
{
    // From the keyboard: Enter or F2 on a code memory opens it for editing.
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2) && grid_->currentRow() >= 0) {
            enterCell(grid_->currentRow() + 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DtmfWindow::enterCell(int row)
{
    if (row < 1 || row > kAutodialCount)
        return;
    if (editRow_ != 0 && editRow_ != row)
        commitEdit();
    editRow_ = row;
    QTableWidgetItem* cell = grid_->item(row - 1, kCodeColumn);
    filling_ = true;
    editBox_->setText(cell->text());
    filling_ = false;
    if (grid_->currentRow() != row - 1 || grid_->currentColumn() != kCodeColumn)
        grid_->setCurrentCell(row - 1, kCodeColumn);
    grid_->scrollToItem(cell);
    const QRect rect = grid_->visualItemRect(cell);
    // A few pixels short of the cell, so the grid line stays visible.
    editBox_->setGeometry(rect.adjusted(0, 0, -3, 0));
    editBox_->show();
    editBox_->setFocus();
}

void DtmfWindow::commitEdit()
{
    if (editRow_ < 1)
        return;
    grid_->item(editRow_ - 1, kCodeColumn)->setText(editBox_->text());
    StoreAutodialCode(app_.Doc.Data.Opt, editRow_, editBox_->text());
    // The references dropped from channels and the public channel belong to the same step.
    SetDTMFList();
    emit events_.documentEdited(StepName(EditText::DtmfCode, language_, QString::number(editRow_)));
}

void DtmfWindow::reloadFromDocument()
{
    filling_ = true;
    const OptionRecord& opt = app_.Doc.Data.Opt;
    for (const auto& [field, combo] : selectors_)
        combo->setCurrentIndex(DtmfEncodeItemIndex(field, DtmfEncodeFieldOf(app_.Doc.Data.Opt, field)));
    display_->setChecked(opt.DtmfDisplay == 1);
    for (int row = 1; row <= kAutodialCount; ++row)
        grid_->item(row - 1, kCodeColumn)->setText(AutodialText(opt, row));
    if (editRow_ >= 1)
        editBox_->setText(grid_->item(editRow_ - 1, kCodeColumn)->text());
    filling_ = false;
}

void DtmfWindow::SetDTMFList()
{
    RevalidateDtmfReferences(app_.Doc);
    emit events_.dtmfCodesChanged();
}
