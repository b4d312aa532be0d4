#include "ui/uMain.h"

#include "ui/FormSetup.h"
#include "ui/GbkEdge.h"
#include "ui/InputCheck.h"
#include "ui/uWanEdit.h"
#include "ui_uMain.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMimeData>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <exception>
#include <iterator>
#include <utility>

namespace {

// The exact bytes for programs that take GBK; plain text for every other.
const QString kGbkMimeType = QStringLiteral("text/plain;charset=GBK");
const QString kCopyCaption = QStringLiteral("复制到剪贴板[&C]");
// cboRouterOs's items, in order.
constexpr TRouterOs kRouterTargets[] = {TRouterOs::V5, TRouterOs::V6, TRouterOs::V7};

} // namespace

TfrmMain::TfrmMain(TMessenger& messenger, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      RunWanEdit([](TfrmWanEdit& dialog) { return dialog.exec(); }),
      Clipboard([] { return QGuiApplication::clipboard(); }), ui(std::make_unique<Ui::TfrmMain>()),
      Messenger(messenger) {
    ui->setupUi(this);
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

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(1500);

    connect(ui->btnAdd, &QPushButton::clicked, this, &TfrmMain::btnAddClick);
    connect(ui->btnModify, &QPushButton::clicked, this, &TfrmMain::btnModifyClick);
    connect(ui->btnDelete, &QPushButton::clicked, this, &TfrmMain::btnDeleteClick);
    connect(ui->btnGenerate, &QPushButton::clicked, this, &TfrmMain::btnGenerateClick);
    connect(ui->btnCopy, &QPushButton::clicked, this, &TfrmMain::btnCopyClick);
    connect(&Timer1, &QTimer::timeout, this, &TfrmMain::Timer1Timer);

    ui->lvWans->setRowCount(0);
    ui->edtLanName->setText(QStringLiteral("LAN"));
    ui->edtClientQty->setText(QStringLiteral("150"));
    ui->edtVelmoip->setText(QStringLiteral("192.168.1.200"));
    ui->lvWans->setFocus();
}

TfrmMain::~TfrmMain() = default;

int TfrmMain::EditWan(TQvWan& wan, int editMode) {
    TfrmWanEdit dialog(this, Messenger);
    dialog.SetWan(wan);
    dialog.WanList = &WanList;
    dialog.EditMode = editMode;
    return RunWanEdit(dialog);
}

TWanListItem* TfrmMain::SelectedItem(const QString& noSelectionHint) {
    if (WanList.empty())
        return nullptr; // nothing to pick, nothing to say
    const QList<QTableWidgetItem*> selected = ui->lvWans->selectedItems();
    if (selected.isEmpty()) {
        Messenger.Hint(this, noSelectionHint);
        return nullptr;
    }
    return static_cast<TWanListItem*>(ui->lvWans->item(selected.front()->row(), 0));
}

void TfrmMain::UpdateWanItem(TQvWan& wan) {
    auto* item = wan.ListItem;
    if (!item) {
        const int row = ui->lvWans->rowCount();
        ui->lvWans->insertRow(row);
        item = new TWanListItem(wan); // the list view owns its rows
        ui->lvWans->setItem(row, 0, item);
        wan.ListItem = item;
    }
    const int row = item->row();
    item->setText(FromGbk(wan.NameVar.AsText()));
    const QString columns[] = {FromGbk(wan.IpVar.AsText()),
                               QString::number(wan.TxVar.AsInteger()) + QStringLiteral(" Mbps"),
                               QString::number(wan.RxVar.AsInteger()) + QStringLiteral(" Mbps")};
    for (int column = 1; column <= 3; ++column)
        ui->lvWans->setItem(row, column, new QTableWidgetItem(columns[column - 1]));
}

void TfrmMain::btnAddClick() {
    auto wan = std::make_unique<TQvWan>();
    if (EditWan(*wan, TfrmWanEdit::AddMode) != QDialog::Accepted)
        return; // the new line is freed here
    WanList.push_back(std::move(wan));
    UpdateWanItem(*WanList.back());
}

void TfrmMain::btnModifyClick() {
    TWanListItem* item = SelectedItem(QStringLiteral("请选择左边要修改的WAN信息"));
    if (!item)
        return;
    if (EditWan(*item->Wan, TfrmWanEdit::ModifyMode) == QDialog::Accepted)
        UpdateWanItem(*item->Wan);
}

void TfrmMain::btnDeleteClick() {
    TWanListItem* item = SelectedItem(QStringLiteral("请选择左边要删除的WAN信息"));
    if (!item)
        return;
    const int row = item->row();
    std::erase_if(WanList, [item](const std::unique_ptr<TQvWan>& wan) { return wan.get() == item->Wan; });
    ui->lvWans->removeRow(row);
    ui->lvWans->clearSelection(); // the list would select the next row; no code selects a row
}

void TfrmMain::btnGenerateClick() {
    const TInputCheck check(Messenger, *this);
    const auto server = check.RequiredText(*ui->edtVelmoip, QStringLiteral("请输入Tarnwell服务器IP地址"),
                                           QStringLiteral("Tarnwell服务器IP地址"), TInputCheck::KeepEdit);
    if (!server)
        return;
    const auto lanName = check.RequiredText(*ui->edtLanName, QStringLiteral("请输入LAN网卡名称"),
                                            QStringLiteral("LAN网卡名称"), TInputCheck::KeepEdit);
    if (!lanName)
        return;
    const auto clients = IntegerText(ui->edtClientQty->text());
    if (!clients || *clients <= 0) {
        check.Refuse(nullptr, QStringLiteral("请输入客户机数，必须大于零"));
        return;
    }
    if (WanList.empty()) {
        check.Refuse(nullptr, QStringLiteral("请增加外网端口设置"));
        return;
    }

    // Nothing may leave a slot; a run that fails halfway must not leave half a
    // script for Copy, so the earlier one stays, as after a refused input.
    // Generate refills Lines from empty, so the earlier entries can be moved out.
    auto previous = std::move(Generator.Lines);
    const int target = ui->cboRouterOs->currentIndex();
    Generator.Target = target >= 0 && target < int(std::size(kRouterTargets)) ? kRouterTargets[target] : TRouterOs::V5;
    try {
        Generator.Generate(*server, WanList, *lanName, *clients);
    } catch (const std::exception& failure) {
        Generator.Lines = std::move(previous);
        Messenger.Error(this, QString::fromUtf8(failure.what()));
        return;
    }

    QString script = FromGbk(Generator.ScriptText());
    script.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    script.chop(1); // the last entry's line end: the box shows no empty line after "#ok"
    ui->mmoScript->setPlainText(script);
}

bool TfrmMain::Copy(const std::string& script) {
    QClipboard* clipboard = Clipboard ? Clipboard() : nullptr;
    if (!clipboard)
        return false;
    const QByteArray bytes(script.data(), static_cast<qsizetype>(script.size()));
    auto mime = std::make_unique<QMimeData>();
    // On Windows Qt puts the Unicode text on the clipboard, and Windows itself
    // derives the 8-bit text from it in the system code page: GBK on a Chinese
    // system. The GBK format carries the exact bytes for every other program.
    mime->setText(FromGbk(script));
    mime->setData(kGbkMimeType, bytes);
    clipboard->setMimeData(mime.release()); // the clipboard owns it
    // A clipboard that does not hand the data back has not taken it.
    const QMimeData* taken = clipboard->mimeData();
    return taken && taken->hasFormat(kGbkMimeType) && taken->data(kGbkMimeType) == bytes;
}

void TfrmMain::btnCopyClick() {
    if (!Copy(Generator.ScriptText())) {
        Messenger.Error(this, QStringLiteral("Cannot open clipboard."));
        return;
    }
    ui->btnCopy->setEnabled(false);
    ui->btnCopy->setText(QStringLiteral("已复制到剪贴板"));
    Timer1.start();
}

void TfrmMain::Timer1Timer() {
    ui->btnCopy->setText(kCopyCaption);
    ui->btnCopy->setEnabled(true);
    Timer1.stop();
}
