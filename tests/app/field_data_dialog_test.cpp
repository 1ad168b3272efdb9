// "Veldgegevens": reading the fields, the refusals in the framework's words, and what OK does.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/dialog_integer.h"
#include "app/field_data_dialog.h"
#include "tests/app/gui_test_support.h"
#include "view/command_ids.h"

namespace {

TEST(DialogInteger, ReadsSignedDecimalIntegersWithBlanksAround) {
    EXPECT_EQ(parseDialogInteger("15"), 15);
    EXPECT_EQ(parseDialogInteger("  -7\t"), -7);
    EXPECT_EQ(parseDialogInteger("+007"), 7);
    EXPECT_EQ(parseDialogInteger("2147483647"), 2147483647);
    EXPECT_EQ(parseDialogInteger("-2147483648"), -2147483647 - 1);
    for (const char* refused :
         {"", " ", "abc", "12a", "1 2", "1.5", "+", "-", "2147483648", "99999999999999999999"})
        EXPECT_EQ(parseDialogInteger(refused), std::nullopt) << refused;
}

TEST(DialogInteger, MessagesAsTheFrameworkWordsThem) {
    EXPECT_EQ(notAnIntegerText(), "Please enter an integer.");
    EXPECT_EQ(integerOutOfRangeText(5, 59), "Please enter an integer between 5 and 59.");
}

class FieldDataDialog : public ::testing::Test {
  protected:
    guitest::WindowFixture fixture;

    // Opens the dialog from the menu, fills the fields and presses OK; `messages` collects the
    // refusals, after which `fix` may change the fields before OK is pressed again.
    void run(const QString& rowLength, const QString& rows, const QString& margin,
             QStringList* messages = nullptr, std::function<void(CFieldDataDlg*)> fix = {}) {
        guitest::onNextModal([=](QWidget* modal) {
            auto* dialog = qobject_cast<CFieldDataDlg*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Veldgegevens");
            dialog->rowLengthEdit()->setText(rowLength);
            dialog->rowsEdit()->setText(rows);
            dialog->marginEdit()->setText(margin);
            for (int attempt = 0; attempt < 6 && dialog->isVisible(); ++attempt) {
                QString text;
                if (messages) guitest::answerMessageBox(&text);
                dialog->accept();
                if (!dialog->isVisible()) break;
                if (messages) {
                    *messages << text;
                    // The refused field has the focus and its text selected.
                    auto* focused = qobject_cast<QLineEdit*>(dialog->focusWidget());
                    EXPECT_NE(focused, nullptr);
                    if (focused) *messages << "selected:" + focused->selectedText();
                }
                if (fix)
                    fix(dialog);
                else
                    dialog->reject();
            }
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog stayed open";
                dialog->reject();
            }
        });
        fixture.window().dispatch(Cmd::FieldData);
    }
};

TEST_F(FieldDataDialog, ShowsTheBoardAndSetsTheLargestValues) {
    guitest::onNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<CFieldDataDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->rowLengthEdit()->text(), "15");
        EXPECT_EQ(dialog->rowsEdit()->text(), "8");
        EXPECT_EQ(dialog->marginEdit()->text(), "30");
        dialog->reject();
    });
    fixture.window().dispatch(Cmd::FieldData);
    run("59", "30", "400");
    EXPECT_EQ(fixture.doc().m_nWidth, 30);
    EXPECT_EQ(fixture.doc().m_nHeight, 30);
    EXPECT_EQ(fixture.doc().m_nMargin, 400);
    // Changed: a new size is a change of the document, as a mouse edit is, and New asks first.
    EXPECT_TRUE(fixture.view().m_bModified);
    QString question;
    guitest::answerMessageBox(&question, "Annuleren");
    fixture.window().dispatch(Cmd::FileNew);
    EXPECT_EQ(question, "Wijzigingen in Naamloos opslaan?");
}

TEST_F(FieldDataDialog, SmallestValuesAndRounding) {
    run("5", "5", "2");
    EXPECT_EQ(fixture.doc().m_nWidth, 3);
    EXPECT_EQ(fixture.doc().m_nHeight, 6);
    EXPECT_EQ(fixture.doc().m_nMargin, 2);
    run("6", "29", "2");  // an even row length is accepted, an odd number of rows rounded up
    EXPECT_EQ(fixture.doc().m_nWidth, 3);
    EXPECT_EQ(fixture.doc().m_nHeight, 30);
}

TEST_F(FieldDataDialog, RefusesEachFieldInOrderInTheFrameworksWords) {
    QStringList messages;
    run("60", "4", "401", &messages, [](CFieldDataDlg* dialog) {
        // Mend the refused field each time; the next one is checked then.
        if (dialog->rowLengthEdit()->text() == "60")
            dialog->rowLengthEdit()->setText("abc");
        else if (dialog->rowLengthEdit()->text() == "abc")
            dialog->rowLengthEdit()->setText("9");
        else if (dialog->rowsEdit()->text() == "4")
            dialog->rowsEdit()->setText("10");
        else
            dialog->marginEdit()->setText("400");
    });
    EXPECT_EQ(messages, (QStringList{"Please enter an integer between 5 and 59.", "selected:60",
                                     "Please enter an integer.", "selected:abc",
                                     "Please enter an integer between 5 and 30.", "selected:4",
                                     "Please enter an integer between 2 and 400.", "selected:401"}));
    EXPECT_EQ(fixture.doc().m_nWidth, 5);
    EXPECT_EQ(fixture.doc().m_nHeight, 10);
    EXPECT_EQ(fixture.doc().m_nMargin, 400);
}

TEST_F(FieldDataDialog, CancelOrARefusalChangesNothing) {
    QStringList messages;
    run("0", "8", "30", &messages);  // refused, then cancelled
    EXPECT_EQ(messages.front(), "Please enter an integer between 5 and 59.");
    EXPECT_EQ(fixture.doc().m_nWidth, 8);
}

TEST_F(FieldDataDialog, OnlyWhileEditing) {
    fixture.view().ViewMode = kShowingSolutions;
    bool shown = false;
    guitest::onNextModal([&](QWidget* modal) {
        shown = true;
        modal->close();
    });
    fixture.window().dispatch(Cmd::FieldData);
    QTest::qWait(50);
    EXPECT_FALSE(shown);
    if (!shown) guitest::onNextModal([](QWidget* modal) { modal->close(); });
    fixture.view().ViewMode = kEditing;
    fixture.window().dispatch(Cmd::PopupFieldData);  // the popup's twin opens it and takes the pending answer
}

}  // namespace
