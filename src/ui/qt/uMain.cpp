#include "ui/qt/uMain.h"

#include "ui/qt/FormSetup.h"
#include "ui/qt/GbkEdge.h"
#include "ui/qt/uWanEdit.h"
#include "ui_uMain.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMimeData>
#include <QScreen>
#include <QStyle>

#include <utility>

namespace {

// The exact bytes for programs that take GBK; plain text for every other.
const QString kGbkMimeType = QStringLiteral("text/plain;charset=GBK");

// A row of lvWans: its first cell, linked to the line it shows.
class TQtWanRow final : public QTableWidgetItem, public TWanListItem {
public:
    using TWanListItem::TWanListItem;
};

} // namespace

TfrmMain::TfrmMain(TMessenger& messenger, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      TQtControls(*this, messenger), RunDialog([](TfrmWanEdit& dialog) { return dialog.exec(); }),
      Clipboard([] { return QGuiApplication::clipboard(); }), ui([this] {
          // The controls exist before the behaviour sets their defaults.
          auto form = std::make_unique<Ui::TfrmMain>();
          form->setupUi(this);
          return form;
      }()) {
    SetUpForm(*this);
    setFixedSize(size());
    if (const QScreen* shown = screen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), shown->availableGeometry()));

    QHeaderView* header = ui->lvWans->horizontalHeader();
    header->setSectionsClickable(false);
    header->setSortIndicatorShown(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (const auto& [column, width] : {std::pair{0, 100}, {1, 110}, {2, 90}, {3, 104}})
        ui->lvWans->setColumnWidth(column, width);
    ui->lvWans->verticalHeader()->setDefaultSectionSize(18);
    ui->lvWans->setRowCount(0);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(kTimer1Interval);

    connect(ui->btnAdd, &QPushButton::clicked, this, [this] { Behaviour.btnAddClick(); });
    connect(ui->btnModify, &QPushButton::clicked, this, [this] { Behaviour.btnModifyClick(); });
    connect(ui->btnDelete, &QPushButton::clicked, this, [this] { Behaviour.btnDeleteClick(); });
    connect(ui->btnGenerate, &QPushButton::clicked, this, [this] { Behaviour.btnGenerateClick(); });
    connect(ui->btnCopy, &QPushButton::clicked, this, [this] { Behaviour.btnCopyClick(); });
    connect(&Timer1, &QTimer::timeout, this, [this] { Behaviour.Timer1Timer(); });
    ui->lvWans->setFocus();
}

TfrmMain::~TfrmMain() = default;

TWanListItem& TfrmMain::AppendRow(TQvWan& wan) {
    const int row = ui->lvWans->rowCount();
    ui->lvWans->insertRow(row);
    auto* item = new TQtWanRow(wan); // the list view owns its rows
    ui->lvWans->setItem(row, 0, item);
    return *item;
}

void TfrmMain::SetRowTexts(TWanListItem& row, const TRowTexts& utf8) {
    auto& item = static_cast<TQtWanRow&>(row);
    item.setText(FromUtf8(utf8[0]));
    for (int column = 1; column <= 3; ++column)
        ui->lvWans->setItem(item.row(), column, new QTableWidgetItem(FromUtf8(utf8[column])));
}

void TfrmMain::DeleteRow(TWanListItem& row) {
    ui->lvWans->removeRow(static_cast<TQtWanRow&>(row).row());
    ui->lvWans->clearSelection(); // the list would select the next row; no code selects a row
}

TWanListItem* TfrmMain::SelectedRow() const {
    const QList<QTableWidgetItem*> selected = ui->lvWans->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    return static_cast<TQtWanRow*>(ui->lvWans->item(selected.front()->row(), 0));
}

void TfrmMain::SetItems(TControl comboBox, const std::vector<std::string>& utf8) {
    auto& combo = static_cast<QComboBox&>(ControlWidget(*this, comboBox));
    combo.clear();
    for (const std::string& item : utf8)
        combo.addItem(FromUtf8(item));
}

void TfrmMain::SetItemIndex(TControl comboBox, int index) {
    static_cast<QComboBox&>(ControlWidget(*this, comboBox)).setCurrentIndex(index);
}

int TfrmMain::ItemIndex(TControl comboBox) const {
    return static_cast<QComboBox&>(ControlWidget(*this, comboBox)).currentIndex();
}

void TfrmMain::SetToolTip(TControl control, std::string_view utf8) {
    ControlWidget(*this, control).setToolTip(FromUtf8(utf8));
}

void TfrmMain::SetEnabled(TControl control, bool enabled) {
    ControlWidget(*this, control).setEnabled(enabled);
}

TModalResult TfrmMain::RunWanEdit(TQvWan& wan, const TQvWanList& wanList, int editMode) {
    TfrmWanEdit dialog(this, Messenger);
    dialog.Behaviour.SetWan(wan);
    dialog.Behaviour.WanList = &wanList;
    dialog.Behaviour.EditMode = editMode;
    return RunDialog(dialog) == QDialog::Accepted ? mrOk : mrCancel;
}

bool TfrmMain::PutOnClipboard(std::string_view gbk, std::string_view utf8) {
    QClipboard* clipboard = Clipboard ? Clipboard() : nullptr;
    if (!clipboard)
        return false;
    const QByteArray bytes(gbk.data(), static_cast<qsizetype>(gbk.size()));
    auto mime = std::make_unique<QMimeData>();
    mime->setText(FromUtf8(utf8));
    mime->setData(kGbkMimeType, bytes);
    clipboard->setMimeData(mime.release()); // the clipboard owns it
    // A clipboard that does not hand the data back has not taken it.
    const QMimeData* taken = clipboard->mimeData();
    return taken && taken->hasFormat(kGbkMimeType) && taken->data(kGbkMimeType) == bytes;
}

void TfrmMain::StartTimer() {
    Timer1.start();
}

void TfrmMain::StopTimer() {
    Timer1.stop();
}
