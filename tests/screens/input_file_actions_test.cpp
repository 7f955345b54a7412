// SPDX-License-Identifier: GPL-3.0-or-later
// "Save to file" and "Load from file" on the three calculator screens, driven
// through their buttons with scripted file dialogs.

#include "platform/scripted_platform.h"
#include "screens/app_paths.h"
#include "screens/multiple_pipes_screen.h"
#include "screens/single_pipe_screen.h"
#include "screens/vessel_screen.h"
#include "test_support.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>

using namespace termiva;
using termiva::test::CommaLocale;
using termiva::test::ScopedLocale;

namespace {

const QString kSaved = QStringLiteral("Data successfuly saved fo file!");
const QString kLoaded = QStringLiteral("Data successfuly loaded from file!");

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray Lines(const QStringList& lines) {
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

QStringList Texts(const std::vector<QLineEdit*>& fields) {
    QStringList texts;
    for (const QLineEdit* field : fields)
        texts << field->text();
    return texts;
}

} // namespace

class InputFileActionsTest : public QObject {
    Q_OBJECT

private:
    template <class Form> Form* open() {
        auto* form = new Form(platform_);
        QMdiSubWindow* window = area_->addSubWindow(form);
        window->setAttribute(Qt::WA_DeleteOnClose);
        form->Form_Load();
        window->show();
        return form;
    }

    std::vector<QLineEdit*> singlePipeFields(Form3* f) {
        return {f->Text1, f->Text2,  f->Text3,  f->Text4,  f->Text5,  f->Text6,
                f->Text7, f->Text10, f->Text11, f->Text12, f->Text13, f->Text14};
    }
    std::vector<QLineEdit*> vesselFields(Form2* f) {
        return {f->Text1, f->Text2, f->Text3,  f->Text4,  f->Text5,  f->Text6,
                f->Text7, f->Text8, f->Text10, f->Text11, f->Text12, f->Text13};
    }
    std::vector<QLineEdit*> pipeFields(Form4* f) {
        std::vector<QLineEdit*> fields{f->Text11, f->Text12, f->Text13,
                                       f->Text14, f->Text15, f->Text16};
        for (int r = 13; r <= 25; ++r) {
            fields.push_back(f->Text3(r));
            fields.push_back(f->Text4(r));
            fields.push_back(f->Text5(r));
        }
        return fields;
    }

    // Saves through the button into `name` in the temporary folder.
    QString save(QPushButton* button, const QString& name) {
        QString path = dir_->filePath(name);
        platform_.answerDialog(path);
        button->click();
        return path;
    }

    void load(QPushButton* button, const QString& path) {
        platform_.answerDialog(path);
        button->click();
    }

    QStringList takeTexts() { return platform_.takeMessageTexts(); }

    ScriptedPlatform platform_;
    std::unique_ptr<QMdiArea> area_;
    std::unique_ptr<QTemporaryDir> dir_;

private Q_SLOTS:
    void init() {
        area_ = std::make_unique<QMdiArea>();
        area_->resize(1400, 1000);
        area_->show();
        area_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(area_.get()));
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void cleanup() {
        area_.reset();
        dir_.reset();
        TERMIVA_VERIFY_CLEAN(platform_);
    }

    // Single pipe with test data: save writes the file the dialog named with
    // the dialog set as the screen always set it; loading it back after
    // "Clear data" restores every text and the list entry.
    void singlePipeRoundTrip() {
        Form3* form = open<Form3>();
        form->Command4->click();
        const QStringList typed = Texts(singlePipeFields(form));

        const QString path = save(form->Command5, QStringLiteral("case.insp"));
        QCOMPARE(takeTexts(), QStringList{kSaved});
        const auto dialogs = platform_.takeDialogs();
        QCOMPARE(dialogs.size(), std::size_t{1});
        const CommonDialog& d = dialogs[0].settings;
        QCOMPARE(dialogs[0].kind, ScriptedPlatform::DialogKind::Save);
        QCOMPARE(d.DialogTitle, QStringLiteral("Save to file"));
        QCOMPARE(d.Flags, 6);
        QCOMPARE(d.InitDir, DialogStartFolder());
        QCOMPARE(d.Filter,
                 QStringLiteral("Single pipe insulation file (*.insp)|*.insp|All files (*.*)|*.*"));
        QCOMPARE(d.FileName, QStringLiteral("singlepipe.insp"));
        QCOMPARE(d.DefaultExt, QStringLiteral("insp"));
        QCOMPARE(ReadAll(path), Lines({"Insulation single pipe file", "1", "143", "20", "0.07",
                                       "0.95", "1", "20", "50", "75", "100", "150", "20", "26.9"}));

        form->Command3->click();
        load(form->Command6, path);
        QCOMPARE(takeTexts(), QStringList{kLoaded});
        const auto opened = platform_.takeDialogs();
        QCOMPARE(opened.size(), std::size_t{1});
        QCOMPARE(opened[0].settings.DialogTitle, QStringLiteral("Load from file"));
        QCOMPARE(opened[0].settings.Flags, 4);
        QVERIFY(opened[0].settings.FileName.isEmpty());
        QCOMPARE(form->Combo1->currentIndex(), 1);
        QCOMPARE(Texts(singlePipeFields(form)), typed);
    }

    // Diameters typed by hand over a list entry, and "Custom" diameters, come
    // back as typed; an older 12-line file takes them from its list entry.
    void singlePipeDiameters() {
        Form3* form = open<Form3>();
        form->Command4->click();
        form->Combo1->setCurrentIndex(5); // ND 50 (2)
        form->Text1->setText(QStringLiteral("49"));
        form->Text2->setText(QStringLiteral("61"));
        QString path = save(form->Command5, QStringLiteral("typed.insp"));
        form->Command3->click();
        load(form->Command6, path);
        QCOMPARE(form->Combo1->currentIndex(), 5);
        QCOMPARE(form->Text1->text(), QStringLiteral("49"));
        QCOMPARE(form->Text2->text(), QStringLiteral("61"));

        form->Combo1->setCurrentIndex(0);
        form->Text1->setText(QStringLiteral("12"));
        form->Text2->setText(QStringLiteral("15.5"));
        path = save(form->Command5, QStringLiteral("custom.insp"));
        form->Command3->click();
        load(form->Command6, path);
        QCOMPARE(form->Combo1->currentIndex(), 0);
        QCOMPARE(form->Text1->text(), QStringLiteral("12"));
        QCOMPARE(form->Text2->text(), QStringLiteral("15.5"));

        const QString old = dir_->filePath(QStringLiteral("old.insp"));
        WriteAll(old, Lines({"Insulation single pipe file", "5", "143", "20", "0.07", "0.95", "1",
                             "20", "50", "75", "100", "150"}));
        load(form->Command6, old);
        QCOMPARE(form->Text1->text(), QStringLiteral("50"));
        QCOMPARE(form->Text2->text(), QStringLiteral("60.3"));
        QCOMPARE(form->Text14->text(), QStringLiteral("150"));
        const QStringList shown = takeTexts();
        QCOMPARE(shown.count(kLoaded), 3);
        QCOMPARE(shown.count(kSaved), 2);
        platform_.takeDialogs();
    }

    // Under a comma locale the texts go out and come back with the comma; the
    // same file loaded under the point gives the same numbers, with the point.
    void singlePipeCommaFileUnderPoint() {
        QString path;
        {
            ScopedLocale comma(CommaLocale());
            Form3* form = open<Form3>();
            form->Command4->click();
            QCOMPARE(form->Text5->text(), QStringLiteral("0,07"));
            path = save(form->Command5, QStringLiteral("comma.insp"));
            form->Command3->click();
            load(form->Command6, path);
            QCOMPARE(form->Text5->text(), QStringLiteral("0,07"));
            QCOMPARE(form->Text2->text(), QStringLiteral("26,9"));
            form->parentWidget()->close();
        }
        QVERIFY(ReadAll(path).contains("\r\n0,07\r\n"));
        Form3* form = open<Form3>();
        platform_.takeBeeps();
        load(form->Command6, path);
        QCOMPARE(form->Text5->text(), QStringLiteral("0.07"));
        QCOMPARE(form->Text6->text(), QStringLiteral("0.95"));
        QCOMPARE(form->Text2->text(), QStringLiteral("26.9"));
        QCOMPARE(platform_.takeBeeps(), 0);
        const QStringList shown = takeTexts();
        QCOMPARE(shown.count(kLoaded), 2);
        QCOMPARE(shown.count(kSaved), 1);
        platform_.takeDialogs();
    }

    // Texts that cannot stand in their fields are changed as if typed, and one
    // message names every field that changed instead of the success message.
    void changedFieldsAreListed() {
        const QString path = dir_->filePath(QStringLiteral("odd.insp"));
        WriteAll(path, Lines({"Insulation single pipe file", "1", "14x3", "20", "0.07", "-0.95",
                              "1", "20", "50", "75", "100", "150"}));
        Form3* form = open<Form3>();
        load(form->Command6, path);
        platform_.takeBeeps();
        platform_.takeDialogs();
        QCOMPARE(form->Text3->text(), QStringLiteral("14"));
        QCOMPARE(form->Text6->text(), QStringLiteral("0"));
        const QStringList shown = takeTexts();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(QStringLiteral("(T1) [oC]: \"14x3\" became \"14\"")),
                 qPrintable(shown[0]));
        QVERIFY2(shown[0].contains(QStringLiteral("\"-0.95\" became \"0\"")), qPrintable(shown[0]));
        QVERIFY(!shown[0].contains(QStringLiteral("Text4")));
    }

    // Vessel: the shape comes back through the list handler, which hides the
    // results; every field, the hidden ones too, is restored.
    void vesselRoundTrip() {
        Form2* form = open<Form2>();
        form->Combo1->setCurrentIndex(1);
        form->Command3->click();
        form->Command1->click();
        QVERIFY(form->Frame3->isVisible());
        const QStringList typed = Texts(vesselFields(form));

        const QString path = save(form->Command4, QStringLiteral("tank.inv"));
        QCOMPARE(ReadAll(path).split('\n').size(), 15);
        QVERIFY(ReadAll(path).startsWith("Insulation vessel file\r\n1\r\n1.2\r\n"));
        const auto dialogs = platform_.takeDialogs();
        QCOMPARE(dialogs[0].settings.FileName, QStringLiteral("vessel.inv"));
        QCOMPARE(dialogs[0].settings.DefaultExt, QStringLiteral("inv"));

        form->Combo1->setCurrentIndex(0);
        form->Command2->click();
        form->Command1->click(); // empty fields: no results
        QCOMPARE(takeTexts(), (QStringList{kSaved, QStringLiteral("Please input value!")}));
        load(form->Command5, path);
        QCOMPARE(form->Combo1->currentIndex(), 1);
        QVERIFY(!form->Frame3->isVisible());
        QCOMPARE(Texts(vesselFields(form)), typed);
        QCOMPARE(takeTexts(), QStringList{kLoaded});
        platform_.takeDialogs();
    }

    // Loading a vessel file with the shape already selected still runs the
    // shape handler, as picking the entry does: the results hide.
    void vesselSameShapeHidesResults() {
        Form2* form = open<Form2>();
        form->Command3->click();
        form->Command1->click();
        const QString path = save(form->Command4, QStringLiteral("same.inv"));
        form->Command1->click();
        QVERIFY(form->Frame3->isVisible());
        load(form->Command5, path);
        QVERIFY(!form->Frame3->isVisible());
        QCOMPARE(takeTexts(), (QStringList{kSaved, kLoaded}));
        platform_.takeDialogs();
    }

    // Multiple pipes with only rows 15 and 17 filled: 46 lines, the unused
    // rows' lines empty; loading restores the texts and leaves results alone.
    void multiplePipesRows() {
        Form4* form = open<Form4>();
        form->Command4->click();
        form->Text3(20)->clear();
        form->Text4(20)->clear();
        form->Text5(20)->clear();
        const QStringList typed = Texts(pipeFields(form));

        const QString path = save(form->Command5, QStringLiteral("pipes.inmp"));
        const QList<QByteArray> lines = ReadAll(path).split('\n');
        QCOMPARE(lines.size(), 47); // 46 lines and the empty rest after the last LF
        QCOMPARE(lines[0], QByteArray("Insulation more pipes file\r"));
        for (int line : {8, 9, 10, 11, 12, 13, 17, 18, 19, 23, 30, 46})
            QCOMPARE(lines[line - 1], QByteArray("\r"));
        QCOMPARE(lines[14 - 1], QByteArray("78\r"));
        QCOMPARE(lines[22 - 1], QByteArray("6\r"));
        QCOMPARE(platform_.takeDialogs()[0].settings.FileName, QStringLiteral("morepipes.inmp"));

        form->Command3->click();
        load(form->Command6, path);
        QCOMPARE(Texts(pipeFields(form)), typed);
        QCOMPARE(takeTexts(), (QStringList{kSaved, kLoaded}));
        platform_.takeDialogs();
    }

    // Broken files, a missing file and an unwritable target leave every field
    // (and the old file) as it was and say why; a cancel does nothing at all.
    void failuresChangeNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("truncated") << Lines({"Insulation vessel file", "0", "1.2", "1.8", "0.8"});
        QTest::newRow("index not a number") << Lines({"Insulation vessel file", "x", "1", "1", "1",
                                                      "1", "1", "1", "1", "1", "1", "1", "1", "1"});
        QTest::newRow("index out of range") << Lines({"Insulation vessel file", "3", "1", "1", "1",
                                                      "1", "1", "1", "1", "1", "1", "1", "1", "1"});
        QTest::newRow("binary") << QByteArray(200000, '\x01');
    }
    void failuresChangeNothing() {
        QFETCH(QByteArray, bytes);
        Form2* form = open<Form2>();
        form->Command3->click();
        const QStringList before = Texts(vesselFields(form));
        const QString path = dir_->filePath(QStringLiteral("bad.inv"));
        WriteAll(path, bytes);
        load(form->Command5, path);
        const auto messages = platform_.takeMessages();
        QCOMPARE(messages.size(), std::size_t{1});
        QCOMPARE(messages[0].title, QStringLiteral("Error"));
        QVERIFY2(messages[0].text.contains(QStringLiteral("not a valid vessel input file")),
                 qPrintable(messages[0].text));
        QCOMPARE(Texts(vesselFields(form)), before);
        QCOMPARE(form->Combo1->currentIndex(), 0);
        platform_.takeDialogs();
    }

    // A vessel file under a single pipe name loads into no single pipe screen:
    // an "Error" box names its kind and its screen, every text stays.
    void anotherKindIsRefused() {
        Form2* vessel = open<Form2>();
        vessel->Command3->click();
        const QString path = save(vessel->Command4, QStringLiteral("tank.insp"));
        QCOMPARE(takeTexts(), QStringList{kSaved});
        Form3* form = open<Form3>();
        form->Command4->click();
        const QStringList before = Texts(singlePipeFields(form));
        load(form->Command6, path);
        QCOMPARE(takeTexts(),
                 QStringList{QStringLiteral("The file \"%1\" is a vessel input file (line 1 is "
                                            "\"Insulation vessel file\"), not a single pipe one: "
                                            "open it on the VESSEL INSULATION screen.")
                                 .arg(path)});
        QCOMPARE(Texts(singlePipeFields(form)), before);
        platform_.takeDialogs();
    }

    void missingUnwritableAndCancel() {
        Form3* form = open<Form3>();
        form->Command4->click();
        const QStringList before = Texts(singlePipeFields(form));

        load(form->Command6, dir_->filePath(QStringLiteral("nowhere.insp")));
        auto messages = platform_.takeMessages();
        QCOMPARE(messages.size(), std::size_t{1});
        QCOMPARE(messages[0].title, QStringLiteral("Error"));
        QVERIFY(messages[0].text.contains(QStringLiteral("nowhere.insp")));

        // A folder that cannot hold the file: its "parent" is a plain file.
        const QString blocker = dir_->filePath(QStringLiteral("plain"));
        WriteAll(blocker, "x");
        platform_.answerDialog(blocker + QStringLiteral("/case.insp"));
        form->Command5->click();
        messages = platform_.takeMessages();
        QCOMPARE(messages.size(), std::size_t{1});
        QCOMPARE(messages[0].title, QStringLiteral("Error"));
        QVERIFY(messages[0].text.contains(QStringLiteral("case.insp")));
        QCOMPARE(ReadAll(blocker), QByteArray("x"));

        platform_.answerDialog(std::nullopt);
        form->Command5->click();
        platform_.answerDialog(std::nullopt);
        form->Command6->click();
        QVERIFY(platform_.messages().empty());
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{QStringLiteral("plain")});
        QCOMPARE(Texts(singlePipeFields(form)), before);
        QCOMPARE(platform_.takeDialogs().size(), std::size_t{4});
    }

    // Saving with an empty required field asks for it and opens no dialog.
    void saveChecksInputsFirst() {
        Form4* form = open<Form4>();
        form->Command4->click();
        form->Text4(17)->clear();
        form->Command5->click();
        QCOMPARE(takeTexts(), QStringList{QStringLiteral("Please input value!")});
        QVERIFY(platform_.dialogs().empty());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form->Text4(17)));
    }
};

TERMIVA_TEST_MAIN(InputFileActionsTest)
#include "input_file_actions_test.moc"
