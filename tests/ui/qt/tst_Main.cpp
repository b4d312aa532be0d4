#include "RecordingMessenger.h"
#include "model/GbkCodec.h"
#include "ui/qt/uMain.h"
#include "ui/qt/uWanEdit.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

// The Qt main window's own part: its form, the wiring of buttons and access
// keys, the tab order, the clipboard's formats and the timer. What the window
// decides is tested on the behaviour.
class TestMain : public QObject {
    Q_OBJECT

    TRecordingMessenger Messages;
    std::unique_ptr<TfrmMain> Window;
    QList<int> DialogModes;

    template <typename T> T* Child(const char* name) const { return Window->findChild<T*>(QString::fromLatin1(name)); }
    QTableWidget* List() const { return Child<QTableWidget>("lvWans"); }
    QPlainTextEdit* Script() const { return Child<QPlainTextEdit>("mmoScript"); }
    QByteArray ClipboardGbk() const {
        return QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("text/plain;charset=GBK"));
    }

    // A button's access key clicks it the way a mouse would: pressed, then
    // released a moment later.
    void AltKey(Qt::Key key) {
        QTest::keyClick(Window.get(), key, Qt::AltModifier);
        QTest::qWait(150);
    }

private Q_SLOTS:
    void init() {
        Messages.Shown.clear();
        DialogModes.clear();
        Window = std::make_unique<TfrmMain>(Messages);
        // Answer the dialog the way an operator would, without a modal loop.
        Window->RunDialog = [this](TfrmWanEdit& dialog) {
            DialogModes.append(dialog.Behaviour.EditMode);
            dialog.open();
            const auto edit = [&](const char* name) {
                return dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
            };
            edit("edtName")->setText(QStringLiteral("电信"));
            edit("edtIP")->setText(QStringLiteral("1.1.1.1"));
            edit("edtTx")->setText(QStringLiteral("100"));
            edit("edtRx")->setText(QStringLiteral("20"));
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton);
            Window->activateWindow(); // the closed dialog leaves no window active here
            (void)QTest::qWaitForWindowActive(Window.get());
            return dialog.result();
        };
        Window->show();
        Window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Window.get()));
    }

    void startsAsTheFormSays() {
        QCOMPARE(Window->windowTitle(), QStringLiteral("Qostrel v1.2"));
        QCOMPARE(Window->size(), QSize(570, 437));
        QCOMPARE(Child<QLineEdit>("edtLanName")->text(), QStringLiteral("LAN"));
        QVERIFY(Script()->isReadOnly());
        QCOMPARE(Window->focusWidget(), static_cast<QWidget*>(List()));
        QCOMPARE(TabOrder(List()),
                 (QStringList{QStringLiteral("lvWans"), QStringLiteral("btnDelete"), QStringLiteral("btnAdd"),
                              QStringLiteral("btnModify"), QStringLiteral("edtLanName"), QStringLiteral("edtClientQty"),
                              QStringLiteral("edtVelmoip"), QStringLiteral("mmoScript"), QStringLiteral("btnGenerate"),
                              QStringLiteral("btnCopy"), QStringLiteral("cboRouterOs")}));
    }

    void accessKeysReachEveryOperation() {
        AltKey(Qt::Key_A);
        QCOMPARE(DialogModes, QList<int>{1});
        QCOMPARE(List()->rowCount(), 1);
        QCOMPARE(List()->item(0, 0)->text(), QStringLiteral("电信"));
        QCOMPARE(List()->item(0, 2)->text(), QStringLiteral("100 Mbps"));

        AltKey(Qt::Key_M); // no row selected
        AltKey(Qt::Key_D);
        QCOMPARE(Messages.Texts(), (QStringList{QStringLiteral("请选择左边要修改的WAN信息"),
                                                QStringLiteral("请选择左边要删除的WAN信息")}));
        List()->selectRow(0);
        AltKey(Qt::Key_M);
        QCOMPARE(DialogModes, (QList<int>{1, 2}));

        AltKey(Qt::Key_G);
        const std::string script = Window->Behaviour.Generator.ScriptText();
        QString shown = FromUtf8(GbkToUtf8(script)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        shown.chop(1);
        QCOMPARE(Script()->toPlainText(), shown);

        AltKey(Qt::Key_C);
        QCOMPARE(ClipboardGbk(), QByteArray::fromStdString(script));

        List()->selectRow(0);
        AltKey(Qt::Key_D);
        QCOMPARE(List()->rowCount(), 0);
        QVERIFY(List()->selectedItems().isEmpty());
        QVERIFY(Window->Behaviour.WanList.empty());
    }

    void routerChoiceByKeyboard() {
        AltKey(Qt::Key_A);
        auto* combo = Child<QComboBox>("cboRouterOs");
        QCOMPARE(combo->currentText(), QStringLiteral("RouterOS v6 / v7"));
        QVERIFY(combo->toolTip().contains(QStringLiteral("\nRouterOS v5：")));
        AltKey(Qt::Key_G);
        QCOMPARE(Window->Behaviour.Generator.Target, TRouterOs::V6V7);
        QVERIFY(Script()->toPlainText().contains(QStringLiteral(" parent=global ")));
        AltKey(Qt::Key_R);
        QCOMPARE(Window->focusWidget(), static_cast<QWidget*>(combo));
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentText(), QStringLiteral("RouterOS v5"));
        QCOMPARE(combo->count(), 2);
        AltKey(Qt::Key_G);
        QCOMPARE(Window->Behaviour.Generator.Target, TRouterOs::V5);
        QVERIFY(Script()->toPlainText().contains(QStringLiteral(" parent=global-out ")));
    }

    void copyPutsBothFormsAndConfirmsForAWhile() {
        AltKey(Qt::Key_A);
        AltKey(Qt::Key_G);
        QTest::mouseClick(Child<QPushButton>("btnCopy"), Qt::LeftButton);
        const std::string script = Window->Behaviour.Generator.ScriptText();
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(ClipboardGbk(), QByteArray::fromStdString(script));
        QCOMPARE(data->text(), FromUtf8(GbkToUtf8(script)));
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

    void clipboardFailureIsReported() {
        Window->Clipboard = [] {
            return static_cast<QClipboard*>(nullptr);
        };
        AltKey(Qt::Key_C);
        QCOMPARE(Messages.Shown.size(), 1);
        QCOMPARE(Messages.Shown[0].Kind, TMessage::Error);
        QCOMPARE(Messages.Texts(), QStringList{QStringLiteral("Cannot open clipboard.")});
        QVERIFY(Child<QPushButton>("btnCopy")->isEnabled());
    }
};

QTEST_MAIN(TestMain)
#include "tst_Main.moc"
