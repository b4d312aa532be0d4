#include "RecordingMessenger.h"
#include "ui/GbkEdge.h"
#include "ui/uMain.h"
#include "ui/uWanEdit.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <deque>

// One answer to the edit dialog: what to type, and whether to save or cancel.
struct TDialogAnswer {
    QString Name, Ip, Tx, Rx;
    bool Save = true;
};

class TestMain : public QObject {
    Q_OBJECT

    TRecordingMessenger Messages;
    std::unique_ptr<TfrmMain> Window;
    std::deque<TDialogAnswer> Answers;
    QList<int> DialogModes;

    template <typename T> T* Child(const char* name) const { return Window->findChild<T*>(QString::fromLatin1(name)); }
    QLineEdit* Edit(const char* name) const { return Child<QLineEdit>(name); }
    QTableWidget* List() const { return Child<QTableWidget>("lvWans"); }
    void Click(const char* button) { QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton); }

    void Add(const QString& name, const QString& ip, const QString& tx, const QString& rx) {
        Answers.push_back({name, ip, tx, rx});
        Click("btnAdd");
    }

    void SelectRow(int row) { List()->selectRow(row); }

    QString Cell(int row, int column) const { return List()->item(row, column)->text(); }

    // A script as the box shows it: LF line ends, no empty line after "#ok".
    static QString Shown(const std::string& script) {
        QString text = FromGbk(script);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.chop(1);
        return text;
    }

    std::string Global(const std::string& name) const {
        for (const auto& entry : Window->Generator.Lines)
            if (entry.starts_with(":global " + name + ' '))
                return entry.substr(9 + name.size());
        return {};
    }

private Q_SLOTS:
    void init() {
        Messages.Shown.clear();
        Answers.clear();
        DialogModes.clear();
        Window = std::make_unique<TfrmMain>(Messages);
        // Answer the dialog the way an operator would, without a modal loop.
        Window->RunWanEdit = [this](TfrmWanEdit& dialog) {
            DialogModes.append(dialog.EditMode);
            const TDialogAnswer answer = Answers.front();
            Answers.pop_front();
            dialog.open();
            const auto edit = [&](const char* name) {
                return dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
            };
            edit("edtName")->setText(answer.Name);
            edit("edtIP")->setText(answer.Ip);
            edit("edtTx")->setText(answer.Tx);
            edit("edtRx")->setText(answer.Rx);
            const char* button = answer.Save ? "btnSave" : "btnCancel";
            QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
            return dialog.result();
        };
        Window->show();
    }

    void startsWithTheDefaults() {
        QCOMPARE(Window->windowTitle(), QStringLiteral("Qostrel v1.2"));
        QCOMPARE(Window->size(), QSize(570, 437));
        QCOMPARE(List()->rowCount(), 0);
        QCOMPARE(Edit("edtLanName")->text(), QStringLiteral("LAN"));
        QCOMPARE(Edit("edtClientQty")->text(), QStringLiteral("150"));
        QCOMPARE(Edit("edtVelmoip")->text(), QStringLiteral("192.168.1.200"));
        QVERIFY(Child<QPlainTextEdit>("mmoScript")->toPlainText().isEmpty());
        QVERIFY(Child<QPlainTextEdit>("mmoScript")->isReadOnly());
        QCOMPARE(Child<QPushButton>("btnCopy")->text(), QStringLiteral("复制到剪贴板[&C]"));
        QCOMPARE(Window->focusWidget(), static_cast<QWidget*>(List()));
    }

    void tabRunsDeleteAddModifyThenTheSettings() {
        QCOMPARE(TabOrder(List()),
                 (QStringList{QStringLiteral("lvWans"), QStringLiteral("btnDelete"), QStringLiteral("btnAdd"),
                              QStringLiteral("btnModify"), QStringLiteral("edtLanName"), QStringLiteral("edtClientQty"),
                              QStringLiteral("edtVelmoip"), QStringLiteral("mmoScript"), QStringLiteral("btnGenerate"),
                              QStringLiteral("btnCopy"), QStringLiteral("cboRouterOs")}));
    }

    void firstFailedGenerateCheckWins() {
        Edit("edtVelmoip")->setText(QStringLiteral("   "));
        Edit("edtLanName")->clear();
        Edit("edtClientQty")->clear();
        Click("btnGenerate");
        QCOMPARE(Messages.Texts(), QStringList{QStringLiteral("请输入Tarnwell服务器IP地址")});
        QCOMPARE(Window->focusWidget(), static_cast<QWidget*>(Edit("edtVelmoip")));
        QCOMPARE(Edit("edtVelmoip")->text(), QStringLiteral("   ")); // no check writes to an edit

        Messages.Shown.clear();
        Edit("edtVelmoip")->setText(QStringLiteral("10.0.0.1"));
        Click("btnGenerate");
        QCOMPARE(Messages.Texts(), QStringList{QStringLiteral("请输入LAN网卡名称")});
        QCOMPARE(Window->focusWidget(), static_cast<QWidget*>(Edit("edtLanName")));

        Messages.Shown.clear();
        Edit("edtLanName")->setText(QStringLiteral("LAN"));
        Click("btnGenerate");
        QCOMPARE(Messages.Texts(), QStringList{QStringLiteral("请输入客户机数，必须大于零")});
        // Unchanged: still on the button the click focused.
        QCOMPARE(Window->focusWidget(), static_cast<QWidget*>(Child<QPushButton>("btnGenerate")));

        Messages.Shown.clear();
        Edit("edtClientQty")->setText(QStringLiteral("150"));
        Click("btnGenerate");
        QCOMPARE(Messages.Texts(), QStringList{QStringLiteral("请增加外网端口设置")});
        QVERIFY(Messages.AllHints());
        QVERIFY(Window->Generator.Lines.empty());
    }

    void textWithoutAGbkFormIsRefused() {
        Add(QStringLiteral("ether2"), QStringLiteral("1.1.1.1"), QStringLiteral("100"), QStringLiteral("20"));
        Edit("edtVelmoip")->setText(QStringLiteral("srv😀"));
        Click("btnGenerate");
        QCOMPARE(Messages.Texts(), QStringList{QStringLiteral("Tarnwell服务器IP地址含有GBK无法表示的字符")});
        QCOMPARE(Window->focusWidget(), static_cast<QWidget*>(Edit("edtVelmoip")));

        Messages.Shown.clear();
        Edit("edtVelmoip")->setText(QStringLiteral("srv"));
        Edit("edtLanName")->setText(QStringLiteral("ÿ"));
        Click("btnGenerate");
        QCOMPARE(Messages.Texts(), QStringList{QStringLiteral("LAN网卡名称含有GBK无法表示的字符")});
        QCOMPARE(Window->focusWidget(), static_cast<QWidget*>(Edit("edtLanName")));

        // Pasted broken text must not reach the script as "\3F" or lose a character.
        Messages.Shown.clear();
        Edit("edtLanName")->setText(QStringLiteral("LAN"));
        Edit("edtVelmoip")->setText(QStringLiteral("10.0.0.1") + QChar(0xD800));
        Click("btnGenerate");
        QCOMPARE(Messages.Texts(), QStringList{QStringLiteral("Tarnwell服务器IP地址含有GBK无法表示的字符")});
        Messages.Shown.clear();
        Edit("edtVelmoip")->setText(QStringLiteral("10.0.0.1"));
        Edit("edtLanName")->setText(QString(QChar(0xFEFF)));
        Click("btnGenerate");
        QCOMPARE(Messages.Texts(), QStringList{QStringLiteral("LAN网卡名称含有GBK无法表示的字符")});
        QVERIFY(Window->Generator.Lines.empty());
    }

    void clientCountTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("global"); // empty: refused
        for (const char* text : {"0x96", "$96", "+150", "0150", " 150", "150"})
            QTest::newRow(text) << QString::fromLatin1(text) << QStringLiteral("150");
        for (const char* text : {"150 ", "0", "-5", "abc", "1.5", "2147483648", "\t150"})
            QTest::newRow(text) << QString::fromLatin1(text) << QString();
    }

    void clientCountTexts() {
        QFETCH(QString, text);
        QFETCH(QString, global);
        Add(QStringLiteral("ether2"), QStringLiteral("1.1.1.1"), QStringLiteral("100"), QStringLiteral("20"));
        Edit("edtClientQty")->setText(text);
        Click("btnGenerate");
        if (global.isEmpty()) {
            QCOMPARE(Messages.Texts(), QStringList{QStringLiteral("请输入客户机数，必须大于零")});
            QVERIFY(Window->Generator.Lines.empty());
        } else {
            QVERIFY(Messages.Shown.isEmpty());
            QCOMPARE(Global("ClientComputer"), global.toStdString());
        }
    }

    void addShowsRowsInOrderAndCancelLeavesNothing() {
        Add(QStringLiteral(" ether2 "), QStringLiteral("58.61.10.2"), QStringLiteral("100"), QStringLiteral("20"));
        Answers.push_back(
            {QStringLiteral("ether3"), QStringLiteral("x"), QStringLiteral("1"), QStringLiteral("1"), false});
        Click("btnAdd");
        Add(QStringLiteral("电信"), QStringLiteral("2.2.2.2"), QStringLiteral("$C8"), QStringLiteral("30"));
        QCOMPARE(DialogModes, (QList<int>{1, 1, 1}));
        QCOMPARE(Window->WanList.size(), std::size_t(2));
        QCOMPARE(List()->rowCount(), 2);
        QCOMPARE(Cell(0, 0), QStringLiteral("ether2"));
        QCOMPARE(Cell(0, 1), QStringLiteral("58.61.10.2"));
        QCOMPARE(Cell(0, 2), QStringLiteral("100 Mbps"));
        QCOMPARE(Cell(0, 3), QStringLiteral("20 Mbps"));
        QCOMPARE(Cell(1, 0), QStringLiteral("电信"));
        QCOMPARE(Cell(1, 2), QStringLiteral("200 Mbps"));
        QVERIFY(List()->selectedItems().isEmpty());
        QCOMPARE(List()->item(1, 0), reinterpret_cast<QTableWidgetItem*>(Window->WanList[1]->ListItem));
    }

    void modifyAndDeleteNeedASelectedRow() {
        Click("btnModify");
        Click("btnDelete");
        QVERIFY(Messages.Shown.isEmpty()); // nothing at all on an empty list
        QVERIFY(DialogModes.isEmpty());

        Add(QStringLiteral("ether2"), QStringLiteral("1.1.1.1"), QStringLiteral("100"), QStringLiteral("20"));
        Click("btnModify");
        Click("btnDelete");
        QCOMPARE(Messages.Texts(), (QStringList{QStringLiteral("请选择左边要修改的WAN信息"),
                                                QStringLiteral("请选择左边要删除的WAN信息")}));
        QVERIFY(Messages.AllHints());
        QCOMPARE(Window->WanList.size(), std::size_t(1));
    }

    void modifyRewritesTheRowInPlace() {
        Add(QStringLiteral("ether2"), QStringLiteral("1.1.1.1"), QStringLiteral("100"), QStringLiteral("20"));
        Add(QStringLiteral("ether3"), QStringLiteral("3.3.3.3"), QStringLiteral("50"), QStringLiteral("10"));
        SelectRow(0);
        Answers.push_back(
            {QStringLiteral("ether2"), QStringLiteral("1.1.1.1"), QStringLiteral("20"), QStringLiteral("8")});
        Click("btnModify");
        QCOMPARE(DialogModes.last(), 2);
        QCOMPARE(List()->rowCount(), 2);
        QCOMPARE(Cell(0, 0), QStringLiteral("ether2"));
        QCOMPARE(Cell(0, 2), QStringLiteral("20 Mbps"));
        QCOMPARE(Cell(0, 3), QStringLiteral("8 Mbps"));
        QCOMPARE(Cell(1, 0), QStringLiteral("ether3"));

        Answers.push_back(
            {QStringLiteral("gone"), QStringLiteral("x"), QStringLiteral("1"), QStringLiteral("1"), false});
        Click("btnModify");
        QCOMPARE(Cell(0, 0), QStringLiteral("ether2"));
        QCOMPARE(Window->WanList[0]->TxVar.AsInteger(), 20);
    }

    void deleteRenumbersTheLinesGenerateReceives() {
        Add(QStringLiteral("ether2"), QStringLiteral("1.1.1.1"), QStringLiteral("100"), QStringLiteral("20"));
        Add(QStringLiteral("ether3"), QStringLiteral("3.3.3.3"), QStringLiteral("50"), QStringLiteral("10"));
        Click("btnGenerate");
        QCOMPARE(Global("eth1"), std::string("\"ether3\""));
        SelectRow(0);
        Click("btnDelete");
        QCOMPARE(List()->rowCount(), 1);
        QCOMPARE(Cell(0, 0), QStringLiteral("ether3"));
        QVERIFY(List()->selectedItems().isEmpty());
        Click("btnGenerate");
        QCOMPARE(Global("eth0"), std::string("\"ether3\""));
        QCOMPARE(Global("eth1"), std::string());
        QCOMPARE(Global("PCQRateTx"), std::string("50000000"));
    }

    void scriptBoxShowsTheGeneratedScript() {
        Add(QStringLiteral("电信"), QStringLiteral("1.1.1.1"), QStringLiteral("100"), QStringLiteral("20"));
        Edit("edtVelmoip")->setText(QStringLiteral(" 10.0.0.9 "));
        Click("btnGenerate");
        QCOMPARE(Global("velmoserver"), std::string("\"10.0.0.9\""));
        const QString shown = Child<QPlainTextEdit>("mmoScript")->toPlainText();
        QCOMPARE(shown, Shown(Window->Generator.ScriptText()));
        QVERIFY(shown.startsWith(QStringLiteral("#Tarnwell服务端IP地址\n")));
        QVERIFY(shown.endsWith(QStringLiteral("queue=in_Server_down\n#ok")));
    }

    void routerTargetIsChosenByKeyboardAndTakesEffectOnGenerate() {
        Add(QStringLiteral("pppoe-out1"), QStringLiteral("100.64.1.2"), QStringLiteral("100"), QStringLiteral("20"));
        Click("btnGenerate");
        auto* box = Child<QPlainTextEdit>("mmoScript");
        const QString v5 = box->toPlainText();
        QVERIFY(v5.contains(QStringLiteral(" parent=global-out ")));
        auto* combo = Child<QComboBox>("cboRouterOs");
        QCOMPARE(combo->currentText(), QStringLiteral("RouterOS v5"));

        Window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Window.get()));
        QTest::keyClick(Window.get(), Qt::Key_R, Qt::AltModifier);
        QCOMPARE(Window->focusWidget(), static_cast<QWidget*>(combo));
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentText(), QStringLiteral("RouterOS v7.10+"));
        QCOMPARE(box->toPlainText(), v5); // nothing changes before the next Generate

        Click("btnGenerate");
        TQvVorrel v7;
        v7.Target = TRouterOs::V7;
        v7.Generate("192.168.1.200", Window->WanList, "LAN", 150);
        QCOMPARE(box->toPlainText(), Shown(v7.ScriptText()));
        QVERIFY(box->toPlainText().contains(QStringLiteral(" parent=global ")));
        Click("btnCopy");
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("text/plain;charset=GBK")),
                 QByteArray::fromStdString(v7.ScriptText()));
    }

    void copyPutsBothFormsAndConfirmsForAWhile() {
        Add(QStringLiteral("电信"), QStringLiteral("1.1.1.1"), QStringLiteral("100"), QStringLiteral("20"));
        Click("btnGenerate");
        Click("btnCopy");
        const std::string script = Window->Generator.ScriptText();
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data);
        QCOMPARE(data->data(QStringLiteral("text/plain;charset=GBK")), QByteArray::fromStdString(script));
        QCOMPARE(data->text(), FromGbk(script));
        QVERIFY(data->text().endsWith(QStringLiteral("#ok\r\n")));

        auto* copy = Child<QPushButton>("btnCopy");
        QVERIFY(!copy->isEnabled());
        QCOMPARE(copy->text(), QStringLiteral("已复制到剪贴板"));
        QTest::qWait(1000);
        QVERIFY(!copy->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(copy->isEnabled(), 2000);
        QCOMPARE(copy->text(), QStringLiteral("复制到剪贴板[&C]"));
        QVERIFY(!Window->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    }

    void copyBeforeGenerateCopiesAnEmptyText() {
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        Click("btnCopy");
        QVERIFY(Messages.Shown.isEmpty());
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data->hasFormat(QStringLiteral("text/plain;charset=GBK")));
        QCOMPARE(data->text(), QString());
        QCOMPARE(Child<QPushButton>("btnCopy")->text(), QStringLiteral("已复制到剪贴板"));
    }

    void failedGenerateKeepsTheEarlierScript() {
        Add(QStringLiteral("ether2"), QStringLiteral("1.1.1.1"), QStringLiteral("100"), QStringLiteral("20"));
        Click("btnGenerate");
        const auto lines = Window->Generator.Lines;
        const QString shown = Child<QPlainTextEdit>("mmoScript")->toPlainText();
        Edit("edtClientQty")->setText(QStringLiteral("0"));
        Click("btnGenerate");
        QCOMPARE(Messages.Texts().size(), 1);
        QVERIFY(Window->Generator.Lines == lines);
        QCOMPARE(Child<QPlainTextEdit>("mmoScript")->toPlainText(), shown);
        Click("btnCopy");
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("text/plain;charset=GBK")),
                 QByteArray::fromStdString(Window->Generator.ScriptText()));
    }

    void clipboardFailureIsReportedAndCopyStaysNormal() {
        QCoreApplication::setApplicationName(QStringLiteral("Qostrel"));
        Window->Clipboard = [] {
            return static_cast<QClipboard*>(nullptr);
        };
        Click("btnCopy");
        QCOMPARE(Messages.Shown.size(), 1);
        QCOMPARE(Messages.Shown[0].Caption, QStringLiteral("Qostrel"));
        QCOMPARE(Messages.Shown[0].Text, QStringLiteral("Cannot open clipboard."));
        QCOMPARE(Messages.Shown[0].Icon, QMessageBox::Critical);
        QVERIFY(Child<QPushButton>("btnCopy")->isEnabled());
        QCOMPARE(Child<QPushButton>("btnCopy")->text(), QStringLiteral("复制到剪贴板[&C]"));
    }
};

QTEST_MAIN(TestMain)
#include "tst_Main.moc"
