#include "RecordingMessenger.h"
#include "ui/qt/uWanEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The Qt dialog's own part: its form, Escape and the close box, the real
// message box, and the UTF-16 edge. What the dialog decides is tested on the
// behaviour.
class TestWanEdit : public QObject {
    Q_OBJECT

    TRecordingMessenger Messages;
    std::unique_ptr<TfrmWanEdit> Dialog;
    TQvWanList Lines;
    TQvWan NewLine;

    QLineEdit* Edit(const char* name) const { return Dialog->findChild<QLineEdit*>(QString::fromLatin1(name)); }

    void Open(TQvWan& wan, int mode) {
        Dialog = std::make_unique<TfrmWanEdit>(nullptr, Messages);
        Dialog->Behaviour.SetWan(wan);
        Dialog->Behaviour.WanList = &Lines;
        Dialog->Behaviour.EditMode = mode;
        Dialog->open();
        Dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Dialog.get()));
    }

private Q_SLOTS:
    void init() {
        Messages.Shown.clear();
        Lines.clear();
        Lines.push_back(std::make_unique<TQvWan>());
        Lines.back()->Assign("ether2", "1.1.1.1", 20, 100);
        NewLine = TQvWan();
    }

    void formAndTabOrder() {
        Open(*Lines.front(), kModifyMode);
        QCOMPARE(Dialog->windowTitle(), QStringLiteral("WAN端口编辑"));
        QCOMPARE(Dialog->size(), QSize(268, 241));
        QCOMPARE(Edit("edtTx")->text(), QStringLiteral("100"));
        QCOMPARE(TabOrder(Edit("edtName")),
                 (QStringList{QStringLiteral("edtName"), QStringLiteral("edtIP"), QStringLiteral("edtTx"),
                              QStringLiteral("edtRx"), QStringLiteral("btnSave"), QStringLiteral("btnCancel")}));
    }

    void refusalFocusesTheEditAtFault() {
        Open(NewLine, kAddMode);
        Edit("edtName")->setText(QStringLiteral("wan"));
        Edit("edtIP")->setText(QStringLiteral("1.1.1.1"));
        Edit("edtTx")->setText(QStringLiteral("0"));
        QTest::keyClick(Dialog.get(), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(Messages.Texts(), QStringList{QStringLiteral("下载带宽必须大于零")});
        QCOMPARE(Dialog->focusWidget(), Edit("edtTx"));
        QVERIFY(Dialog->isVisible());
    }

    void loneSurrogateAtTheEdgeIsRefusedNotSavedAsQuestionMark() {
        Open(NewLine, kAddMode);
        for (const QString& name : {QStringLiteral("wan") + QChar(0xD800), QChar(0xDC00) + QStringLiteral("wan"),
                                    QChar(0xFEFF) + QStringLiteral("wan")}) {
            Messages.Shown.clear();
            Edit("edtName")->setText(name);
            Edit("edtIP")->setText(QStringLiteral("1"));
            Edit("edtTx")->setText(QStringLiteral("1"));
            Edit("edtRx")->setText(QStringLiteral("1"));
            QTest::mouseClick(Dialog->findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton);
            QCOMPARE(Messages.Texts(), QStringList{QStringLiteral("网卡名称含有GBK无法表示的字符")});
        }
        QVERIFY(NewLine.NameVar.Name.empty());
    }

    void escapeClosesNothingCancelAndCloseBoxDo() {
        TQvWan& first = *Lines.front();
        for (const bool closeBox : {false, true}) {
            Open(first, kModifyMode);
            Edit("edtName")->setText(QStringLiteral("changed"));
            QTest::keyClick(Edit("edtName"), Qt::Key_Escape);
            QVERIFY(Dialog->isVisible());
            if (closeBox)
                Dialog->close();
            else
                QTest::keyClick(Dialog.get(), Qt::Key_C, Qt::AltModifier);
            QTRY_VERIFY(!Dialog->isVisible());
            QCOMPARE(Dialog->result(), int(QDialog::Rejected));
            QVERIFY(!Dialog->isVisible());
            QCOMPARE(first.NameVar.AsText(), std::string("ether2"));
        }
        QVERIFY(Messages.Shown.isEmpty());
    }

    void realMessageBoxShowsTheHintInChinese() {
        // The one test that lets a real box come up and answers it.
        TfrmWanEdit dialog;
        dialog.Behaviour.SetWan(NewLine);
        dialog.open();
        QString caption, text, button;
        QMessageBox::Icon icon = QMessageBox::Warning;
        QMessageBox::StandardButtons buttons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
            button = box->button(QMessageBox::Ok)->text();
            box->button(QMessageBox::Ok)->click();
        });
        QVERIFY(!dialog.Behaviour.CheckInput());
        QCOMPARE(caption, QStringLiteral("提示"));
        QCOMPARE(text, QStringLiteral("请输入网卡名称"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(button, QStringLiteral("确定"));
    }
};

QTEST_MAIN(TestWanEdit)
#include "tst_WanEdit.moc"
