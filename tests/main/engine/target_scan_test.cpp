// The scan of a range into targets and exclusions, on workbooks built in code.
#include "main/engine/target_scan.h"
#include "platform/key_state.h"
#include "platform/message_box.h"
#include "tests/host/objects/objects_support.h"

namespace {

using namespace objects_test;
using picrows::f_ScanTargets;
using picrows::TargetScanOptions;
using picrows::TargetScanResult;
using platform::Message;
using platform::MsgAnswer;

class TargetScan : public HostTest
{
protected:
    TargetScan() : messagesInPlace(messages), keysInPlace(keys) { options.OneCellOnePaste = true; }

    TargetScanResult scan(const char* address, int pictures, bool selected = true)
    {
        return f_ScanTargets(range(address), selected, pictures, options);
    }

    static QStringList addresses(const TargetScanResult& result)
    {
        QStringList out;
        for (const xl::Range& r : result.TargetList)
            out << r.Address(false, false);
        return out;
    }

    static QString entry(const char* address, const QString& reason)
    {
        return q(address) + u'\t' + reason;
    }

    TargetScanOptions options;
    platform::ScriptedMessages messages;
    platform::ScriptedKeys keys;
    platform::ScopedMessageService messagesInPlace;
    platform::ScopedKeyState keysInPlace;
};

TEST_F(TargetScan, PerCellVisitsRowByRowAndSkipsHiddenColumns)
{
    range("B1").EntireColumn().setHidden(true);
    const auto result = scan("A1:C3", 9);
    EXPECT_EQ(addresses(result),
              (QStringList{q("A1"), q("C1"), q("A2"), q("C2"), q("A3"), q("C3")}));
    EXPECT_EQ(result.ExclusionList, (QStringList{entry("$B$1", picrows::reason::Hidden),
                                                 entry("$B$2", picrows::reason::Hidden),
                                                 entry("$B$3", picrows::reason::Hidden)}));
    EXPECT_FALSE(result.cancelled);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(TargetScan, OnlyTheTopLeftCellOfAMergedRangeIsACandidate)
{
    range("B2:C3").setMergeCells(true);
    const auto result = scan("A1:D3", 20);
    EXPECT_EQ(addresses(result), (QStringList{q("A1"), q("B1"), q("C1"), q("D1"), q("A2"), q("B2"),
                                              q("D2"), q("A3"), q("D3")}));
    EXPECT_TRUE(result.ExclusionList.isEmpty());
}

// A file may state a width or height of zero without hiding the column or row.
TEST_F(TargetScan, ZeroSizeCellsThatAreNotHidden)
{
    modelSheet().setColumn(2, 2, [](host::model::ColumnSpan& span) {
        span.width = 0.0;
        span.customWidth = true;
    });
    modelSheet().editRow(2).height = 0.0;
    ASSERT_EQ(range("B1").EntireColumn().Hidden(), host::Variant(false));
    ASSERT_EQ(range("A2").EntireRow().Hidden(), host::Variant(false));
    const auto result = scan("A1:B2", 9, false);
    EXPECT_EQ(addresses(result), QStringList{q("A1")});
    EXPECT_EQ(result.ExclusionList, (QStringList{entry("$B$1", picrows::reason::ZeroSize),
                                                 entry("$A$2", picrows::reason::ZeroSize),
                                                 entry("$B$2", picrows::reason::ZeroSize)}));
}

TEST_F(TargetScan, StopsOnceEveryPictureHasATarget)
{
    const auto result = scan("A1:E10", 2);
    EXPECT_EQ(addresses(result), (QStringList{q("A1"), q("B1")}));
}

// The lock, value and size tests run only in selected-cells mode and only when switched on;
// the first test that fails names the reason.
TEST_F(TargetScan, ReasonsOfSelectedMode)
{
    range("A1:E2").setLocked(false);
    range("B1").setLocked(true);
    range("C1").setValue(host::Variant(q("x")));
    range("D1").setValue(host::Variant(0.0));
    range("A2").setValue(host::Variant(q("")));
    range("2:2").setRowHeight(10);
    range("E1").EntireRow().setRowHeight(30);
    range("E1").setLocked(true); // locked and too small: the lock test comes first
    options.UnPaste_Lock = options.UnPaste_Value = options.UnPaste_Size = true;
    options.UnPaste_Size_Width = 20;
    options.UnPaste_Size_Height = 15;

    auto result = scan("A1:E2", 20);
    EXPECT_EQ(addresses(result), QStringList{q("A1")});
    EXPECT_EQ(
        result.ExclusionList,
        (QStringList{
            entry("$B$1", picrows::reason::Locked), entry("$C$1", picrows::reason::Value),
            entry("$D$1", picrows::reason::Value), entry("$E$1", picrows::reason::Locked),
            entry("$A$2", picrows::reason::SizeLimit), entry("$B$2", picrows::reason::SizeLimit),
            entry("$C$2", picrows::reason::SizeLimit), entry("$D$2", picrows::reason::SizeLimit),
            entry("$E$2", picrows::reason::SizeLimit)}));

    // Click mode: every cell of a visible, non-empty size is a target.
    result = scan("A1:E2", 20, false);
    EXPECT_EQ(result.TargetList.size(), 10u);
    EXPECT_TRUE(result.ExclusionList.isEmpty());

    // Switched off, the same tests exclude nothing.
    options.UnPaste_Lock = options.UnPaste_Value = options.UnPaste_Size = false;
    EXPECT_EQ(scan("A1:E2", 20).TargetList.size(), 10u);
}

TEST_F(TargetScan, NarrowColumnsFailTheWidthLimit)
{
    range("C1").setColumnWidth(1);
    ASSERT_LT(range("C1").Width(), 20);
    ASSERT_GT(range("C1").Width(), 0);
    range("A1:D1").setLocked(false);
    options.UnPaste_Size = true;
    options.UnPaste_Size_Width = 20;
    options.UnPaste_Size_Height = 15;
    const auto result = scan("A1:D1", 9);
    EXPECT_EQ(addresses(result), (QStringList{q("A1"), q("B1"), q("D1")}));
    EXPECT_EQ(result.ExclusionList, QStringList{entry("$C$1", picrows::reason::SizeLimit)});
}

TEST_F(TargetScan, AHundredExclusionsInARowEndTheScanWithAMessage)
{
    range("1:100").setHidden(true);
    const auto result = scan("A1:A101", 5);
    EXPECT_TRUE(result.TargetList.empty()); // A101 is never reached
    EXPECT_EQ(result.ExclusionList.size(), 100);
    EXPECT_EQ(result.ExclusionList.back(), entry("$A$100", picrows::reason::Hidden));
    const Message tooMany{q("連続する除外セルが多すぎます。\r\nOKを押すと処理を中断します。"),
                          platform::MsgButtons::OK, platform::MsgIcon::Critical,
                          platform::programTitle()};
    EXPECT_EQ(messages.shown(), std::vector<Message>{tooMany});
}

TEST_F(TargetScan, TheConsecutiveCounterRunsAcrossAreasAndResetsOnATarget)
{
    range("A:A").setHidden(true);
    // 60 + 50 hidden cells in two areas: 110 in a row, so the second area ends the scan.
    auto result = scan("A1:A60,A101:A150,B1", 5);
    EXPECT_EQ(result.ExclusionList.size(), 100);
    EXPECT_TRUE(result.TargetList.empty());
    EXPECT_EQ(messages.shown().size(), 1u);

    // A target between them resets the count: all three areas are visited.
    messages.clear();
    result = scan("A1:A60,B1,A101:A150,C1", 5);
    EXPECT_EQ(addresses(result), (QStringList{q("B1"), q("C1")}));
    EXPECT_EQ(result.ExclusionList.size(), 100); // the 100-entry stop ends the third area
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(TargetScan, PerAreaModeTakesEachAreaAsOneCandidate)
{
    options.OneCellOnePaste = false;
    options.UnPaste_Value = true;
    range("C1").EntireColumn().setHidden(true);
    range("E5").setValue(host::Variant(q("v")));
    const auto result =
        f_ScanTargets(sheet().Range(q("A1:A999,C1:C3,E1:E10,G1:H1000,J1:J1000")), true, 9, options);
    EXPECT_EQ(addresses(result), QStringList{q("A1:A999")});
    EXPECT_EQ(result.ExclusionList,
              (QStringList{entry("$C$1:$C$3", picrows::reason::Hidden),
                           entry("$E$1:$E$10", picrows::reason::Value),
                           entry("$G$1:$H$1000", picrows::reason::TooLarge),
                           entry("$J$1:$J$1000", picrows::reason::TooLarge)}));
}

TEST_F(TargetScan, PerAreaValueTestLooksAtTheThousandthCellToo)
{
    options.OneCellOnePaste = false;
    options.UnPaste_Value = true;
    range("A1000").setValue(host::Variant(1.0));
    auto result = scan("A1:A1000", 5);
    EXPECT_EQ(result.ExclusionList, QStringList{entry("$A$1:$A$1000", picrows::reason::Value)});
    result = scan("A1:A1000", 5, false); // click mode: no value test
    EXPECT_EQ(addresses(result), QStringList{q("A1:A1000")});
}

TEST_F(TargetScan, EscapeInPerCellModeAsksAndYesCancels)
{
    keys.held.insert(platform::vk::Escape);
    messages.answerNext(MsgAnswer::No);
    messages.answerNext(MsgAnswer::Yes);
    const auto result = scan("A1:C1", 9);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(addresses(result), (QStringList{q("A1"), q("B1")}));
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0],
              (Message{q("読み込みをキャンセルしますか？"), platform::MsgButtons::YesNo,
                       platform::MsgIcon::Question, platform::programTitle()}));

    // Per-area mode makes no Escape test.
    messages.clear();
    options.OneCellOnePaste = false;
    const auto areas = scan("A1:C1", 9);
    EXPECT_FALSE(areas.cancelled);
    EXPECT_TRUE(messages.shown().empty());
}

} // namespace
