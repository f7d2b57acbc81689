#include "controls/FindField.h"
#include "UserInput.h"
#include "controls/RecordingListener.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A lookup as the pages build it: the find field above a list, in a dialog.
struct Lookup
{
    Lookup()
    {
        auto* layout = new QVBoxLayout(&dialog);
        field = new FindField(&dialog);
        area = new QWidget(&dialog);
        list = new QListWidget(area);
        list->addItems({"apple", "banana", "cherry"});
        list->setCurrentRow(0);
        layout->addWidget(field);
        layout->addWidget(area);
        field->SetListener(&listener);
        field->WatchTyping(area);
        UserInput::Activate(dialog);
        list->setFocus();
    }

    QDialog dialog;
    FindField* field;
    QWidget* area;
    QListWidget* list;
    RecordingListener listener;
};

struct KeyCase
{
    const char* what;
    Qt::Key key;
    char text; // what the key types, when it types a character
    Qt::KeyboardModifiers modifiers;
    const char* found; // the field's text afterwards; empty when the list kept the key
};

void PrintTo(const KeyCase& key, std::ostream* out)
{
    *out << key.what;
}

class FindFieldKeysTest : public ::testing::TestWithParam<KeyCase>
{
};

TEST_P(FindFieldKeysTest, ALetterInTheListStartsTheFind)
{
    Lookup lookup;
    QSignalSpy changes(lookup.field, &FindField::FindChanged);
    if (GetParam().text)
        QTest::keyClick(lookup.list, GetParam().text, GetParam().modifiers);
    else
        QTest::keyClick(lookup.list, GetParam().key, GetParam().modifiers);
    const QString found = QString::fromLatin1(GetParam().found);
    EXPECT_EQ(lookup.field->text(), found);
    if (found.isEmpty()) {
        EXPECT_TRUE(lookup.list->hasFocus());
        EXPECT_EQ(changes.count(), 0);
        return;
    }
    EXPECT_TRUE(lookup.field->hasFocus());
    EXPECT_EQ(lookup.list->currentRow(), 0); // the list's own search did not see the letter
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toString(), found);
    EXPECT_EQ(lookup.listener.names, Names({"findChanged"}));
    EXPECT_EQ(lookup.listener.senders.at(0), lookup.field);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, FindFieldKeysTest,
    ::testing::Values(KeyCase{"Letter", Qt::Key_C, 'c', Qt::NoModifier, "c"},
                      KeyCase{"CapitalLetter", Qt::Key_C, 'C', Qt::ShiftModifier, "C"},
                      KeyCase{"Digit", Qt::Key_2, '2', Qt::NoModifier, "2"},
                      KeyCase{"ArrowStaysWithTheList", Qt::Key_Down, 0, Qt::NoModifier, ""},
                      KeyCase{"ShortcutStaysWithTheList", Qt::Key_C, 'c', Qt::ControlModifier, ""},
                      KeyCase{"SpaceStaysWithTheList", Qt::Key_Space, ' ', Qt::NoModifier, ""}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.what); });

TEST(FindFieldTest, EscapeEmptiesItBeforeTheDialogCancels)
{
    Lookup lookup;
    // Lookups add their group lists after the field watches them.
    auto* group = new QComboBox(lookup.area);
    group->addItems({"Dairy", "Fruits"});
    group->show();
    group->setFocus();
    QTest::keyClicks(group, "fr");
    EXPECT_EQ(lookup.field->text(), QStringLiteral("fr"));
    EXPECT_EQ(group->currentIndex(), 0);

    QSignalSpy changes(lookup.field, &FindField::FindChanged);
    QTest::keyClick(lookup.field, Qt::Key_Escape);
    EXPECT_TRUE(lookup.field->text().isEmpty());
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toString(), QString());
    EXPECT_TRUE(lookup.dialog.isVisible());

    QTest::keyClick(lookup.field, Qt::Key_Escape);
    EXPECT_FALSE(lookup.dialog.isVisible());
    EXPECT_EQ(lookup.dialog.result(), QDialog::Rejected);
}

} // namespace
