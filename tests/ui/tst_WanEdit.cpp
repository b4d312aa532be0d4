#include "RecordingMessenger.h"
#include "ui/GbkEdge.h"
#include "ui/uWanEdit.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

TQvWan MakeWan(const char* name, const char* ip, std::int32_t up, std::int32_t down) {
    TQvWan wan;
    wan.Assign(*ToGbk(QString::fromUtf8(name)), ip, up, down);
    return wan;
}

} // namespace

class TestWanEdit : public QObject {
    Q_OBJECT

    TRecordingMessenger Messages;
    std::unique_ptr<TfrmWanEdit> Dialog;
    TQvWanList Lines;
    TQvWan NewLine;

    QLineEdit* Edit(const char* name) const { return Dialog->findChild<QLineEdit*>(QString::fromLatin1(name)); }

    void Open(TQvWan& wan, int mode) {
        Dialog = std::make_unique<TfrmWanEdit>(nullptr, Messages);
        Dialog->SetWan(wan);
        Dialog->WanList = &Lines;
        Dialog->EditMode = mode;
        Dialog->open();
    }

    void Fill(const QString& name, const QString& ip, const QString& tx, const QString& rx) {
        Edit("edtName")->setText(name);
        Edit("edtIP")->setText(ip);
        Edit("edtTx")->setText(tx);
        Edit("edtRx")->setText(rx);
    }

    void Save() { QTest::mouseClick(Dialog->findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton); }

    // The one message of a refused Save and where the focus went; the dialog stays open.
    void ExpectRefused(const QString& message, const char* focus) {
        QCOMPARE(Messages.Texts(), QStringList{message});
        QVERIFY(Messages.AllHints());
        QCOMPARE(Dialog->focusWidget(), Edit(focus));
        QVERIFY(Dialog->isVisible());
        QCOMPARE(Dialog->result(), 0);
    }

private Q_SLOTS:
    void init() {
        Messages.Shown.clear();
        Lines.clear();
        Lines.push_back(std::make_unique<TQvWan>(MakeWan("ether2", "1.1.1.1", 20, 100)));
        Lines.push_back(std::make_unique<TQvWan>(MakeWan("电信", "2.2.2.2", 30, 200)));
        NewLine = TQvWan();
    }

    void newLineComesUpEmptyAndSavingAtOnceAsksForTheName() {
        Open(NewLine, TfrmWanEdit::AddMode);
        for (const char* name : {"edtName", "edtIP", "edtTx", "edtRx"})
            QCOMPARE(Edit(name)->text(), QString());
        QCOMPARE(Dialog->windowTitle(), QStringLiteral("WAN端口编辑"));
        QCOMPARE(TabOrder(Edit("edtName")),
                 (QStringList{QStringLiteral("edtName"), QStringLiteral("edtIP"), QStringLiteral("edtTx"),
                              QStringLiteral("edtRx"), QStringLiteral("btnSave"), QStringLiteral("btnCancel")}));
        Save();
        ExpectRefused(QStringLiteral("请输入网卡名称"), "edtName");
    }

    void blankNameOrIpIsEmptiedAndRefused() {
        Open(NewLine, TfrmWanEdit::AddMode);
        Fill(QStringLiteral(" \t "), QStringLiteral("1.1.1.1"), QStringLiteral("1"), QStringLiteral("1"));
        Save();
        ExpectRefused(QStringLiteral("请输入网卡名称"), "edtName");
        QCOMPARE(Edit("edtName")->text(), QString());

        Messages.Shown.clear();
        Fill(QStringLiteral("ether5"), QStringLiteral("   "), QStringLiteral("1"), QStringLiteral("1"));
        Save();
        ExpectRefused(QStringLiteral("请输入网卡IP"), "edtIP");
        QCOMPARE(Edit("edtIP")->text(), QString());
        QCOMPARE(NewLine.NameVar.AsText(), std::string());
    }

    void bandwidthChecks_data() {
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString badTx = QStringLiteral("请输入正确的下载带宽");
        const QString lowTx = QStringLiteral("下载带宽必须大于零");
        const QString badRx = QStringLiteral("请输入正确的上传带宽");
        const QString lowRx = QStringLiteral("上传带宽必须大于零");
        QTest::newRow("empty download") << ""
                                        << "20" << badTx << "edtTx";
        QTest::newRow("letters after digits") << "100M"
                                              << "20" << badTx << "edtTx";
        QTest::newRow("fraction") << "1.5"
                                  << "20" << badTx << "edtTx";
        QTest::newRow("zero download") << "0"
                                       << "20" << lowTx << "edtTx";
        QTest::newRow("negative download") << "-100"
                                           << "20" << lowTx << "edtTx";
        QTest::newRow("hex minus one") << "$FFFFFFFF"
                                       << "20" << lowTx << "edtTx";
        QTest::newRow("both wrong: download first") << "x"
                                                    << "y" << badTx << "edtTx";
        QTest::newRow("bad upload") << "100"
                                    << "20 Mbps" << badRx << "edtRx";
        QTest::newRow("zero upload") << "100"
                                     << "0" << lowRx << "edtRx";
        QTest::newRow("out of range upload") << "100"
                                             << "2147483648" << badRx << "edtRx";
    }

    void bandwidthChecks() {
        QFETCH(QString, tx);
        QFETCH(QString, rx);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Open(NewLine, TfrmWanEdit::AddMode);
        Fill(QStringLiteral("ether2"), QStringLiteral("9.9.9.9"), tx, rx); // a duplicate name, checked last
        Save();
        ExpectRefused(message, focus.toLatin1().constData());
        QCOMPARE(Edit("edtTx")->text(), tx);
        QVERIFY(std::holds_alternative<std::monostate>(NewLine.TxVar.Value));
    }

    void saveStoresTrimmedValuesInTheirDirections() {
        Open(NewLine, TfrmWanEdit::AddMode);
        Fill(QStringLiteral("  联通 \t"), QStringLiteral(" 10.0.0.1 "), QStringLiteral(" 100 "),
             QStringLiteral("0x14"));
        Save();
        QVERIFY(Messages.Shown.isEmpty());
        QCOMPARE(Dialog->result(), int(QDialog::Accepted));
        QVERIFY(!Dialog->isVisible());
        QCOMPARE(NewLine.NameVar.AsText(), *ToGbk(QStringLiteral("联通")));
        QCOMPARE(NewLine.IpVar.AsText(), std::string("10.0.0.1"));
        QCOMPARE(NewLine.TxVar.AsInteger(), 100);
        QCOMPARE(NewLine.RxVar.AsInteger(), 20);
        QCOMPARE(Edit("edtName")->text(), QStringLiteral("  联通 \t")); // the edit keeps what was typed
    }

    void duplicateNamesAreComparedByteForByte() {
        Open(NewLine, TfrmWanEdit::AddMode);
        Fill(QStringLiteral(" 电信 "), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
        Save();
        ExpectRefused(QStringLiteral("网卡名称已存在，请重新输入"), "edtName");

        Messages.Shown.clear();
        Fill(QStringLiteral("ETHER2"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
        Save();
        QVERIFY(Messages.Shown.isEmpty());
        QCOMPARE(Dialog->result(), int(QDialog::Accepted));
    }

    void modifyMayKeepItsOwnNameButNotTakeAnothers() {
        TQvWan& first = *Lines.front();
        Open(first, TfrmWanEdit::ModifyMode);
        QCOMPARE(Edit("edtTx")->text(), QStringLiteral("100"));
        QCOMPARE(Edit("edtRx")->text(), QStringLiteral("20"));
        Edit("edtName")->setText(QStringLiteral("电信"));
        Save();
        ExpectRefused(QStringLiteral("网卡名称已存在，请重新输入"), "edtName");
        QCOMPARE(first.NameVar.AsText(), std::string("ether2"));

        Messages.Shown.clear();
        Edit("edtName")->setText(QStringLiteral("ether2"));
        Edit("edtTx")->setText(QStringLiteral("300"));
        Save();
        QVERIFY(Messages.Shown.isEmpty());
        QCOMPARE(first.TxVar.AsInteger(), 300);
    }

    void textWithoutAGbkFormIsRefusedNotMangled() {
        Open(NewLine, TfrmWanEdit::AddMode);
        Fill(QStringLiteral("wan😀"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
        Save();
        ExpectRefused(QStringLiteral("网卡名称含有GBK无法表示的字符"), "edtName");

        Messages.Shown.clear();
        Fill(QStringLiteral("wan"), QStringLiteral("1.1.1.1ÿ"), QStringLiteral("1"), QStringLiteral("1"));
        Save();
        ExpectRefused(QStringLiteral("网卡IP含有GBK无法表示的字符"), "edtIP");

        // Pasted broken text: a lone surrogate would be saved as '?', and a
        // U+FEFF, leading or alone, would vanish.
        const QString wan = QStringLiteral("wan");
        for (const QString& name : {wan + QChar(0xD800), QChar(0xDC00) + wan, QString(QChar(0xFEFF)),
                                    QChar(0xFEFF) + wan, QStringLiteral(" ") + QChar(0xFEFF)}) {
            Messages.Shown.clear();
            Fill(name, QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
            Save();
            ExpectRefused(QStringLiteral("网卡名称含有GBK无法表示的字符"), "edtName");
        }
        QVERIFY(NewLine.NameVar.Name.empty()); // never assigned
    }

    void cancelAndCloseBoxLeaveTheLineUntouched() {
        TQvWan& first = *Lines.front();
        for (const bool closeBox : {false, true}) {
            Open(first, TfrmWanEdit::ModifyMode);
            Fill(QStringLiteral("changed"), QStringLiteral("x"), QStringLiteral("5"), QStringLiteral("5"));
            QTest::keyClick(Edit("edtName"), Qt::Key_Escape); // no cancel button: Escape closes nothing
            QVERIFY(Dialog->isVisible());
            if (closeBox)
                Dialog->close();
            else
                QTest::mouseClick(Dialog->findChild<QPushButton*>(QStringLiteral("btnCancel")), Qt::LeftButton);
            QCOMPARE(Dialog->result(), int(QDialog::Rejected));
            QVERIFY(!Dialog->isVisible());
            QCOMPARE(first.NameVar.AsText(), std::string("ether2"));
            QCOMPARE(first.TxVar.AsInteger(), 100);
        }
        QVERIFY(Messages.Shown.isEmpty());
    }

    void realMessageBoxShowsTheHint() {
        // The one test that lets a real box come up and answers it.
        TfrmWanEdit dialog;
        dialog.SetWan(NewLine);
        dialog.WanList = &Lines;
        dialog.open();
        QString caption, text;
        QMessageBox::Icon icon = QMessageBox::Warning;
        QMessageBox::StandardButtons buttons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
            box->button(QMessageBox::Ok)->click();
        });
        QVERIFY(!dialog.CheckInput());
        QCOMPARE(caption, QStringLiteral("提示"));
        QCOMPARE(text, QStringLiteral("请输入网卡名称"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
};

QTEST_MAIN(TestWanEdit)
#include "tst_WanEdit.moc"
