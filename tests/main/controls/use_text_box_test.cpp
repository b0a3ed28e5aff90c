#include "main/controls/use_text_box.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using picrows::useTextBox;

namespace {

// Counts the warning sounds of the boxes made in a test.
class Beeps
{
public:
    Beeps()
    {
        useTextBox::setBeepHandler([this] { ++m_count; });
    }
    ~Beeps() { useTextBox::setBeepHandler({}); }
    int count() const { return m_count; }

private:
    int m_count = 0;
};

struct Shown
{
    QWidget window;
    useTextBox* box = new useTextBox(&window);
    QLineEdit* other = new QLineEdit(&window);
    Shown()
    {
        box->setGeometry(0, 0, 80, 22);
        other->setGeometry(0, 30, 80, 22);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
};

} // namespace

TEST(UseTextBox, PropertiesAreClampedAndBoundTheTextLength)
{
    useTextBox box;
    box.setMax(5000000);
    EXPECT_EQ(box.Max(), 999999);
    box.setMin(-2000000);
    EXPECT_EQ(box.Min(), -999999);
    box.setDecimalLength(12);
    EXPECT_EQ(box.DecimalLength(), 10);
    box.setDecimalLength(-1);
    EXPECT_EQ(box.DecimalLength(), 0);
    box.setDecimalLength(2.5); // ties to even
    EXPECT_EQ(box.DecimalLength(), 2);

    const struct
    {
        double max, min;
        int decimals;
        int maxLength;
    } lengths[] = {
        {999, 0, 0, 3},   // "999"
        {359.9, 0, 1, 8}, // "359.9" + 1 + 2
        {10, -100, 0, 4}, // "-100" is longer than "10"
        {99.99, 0, 2, 9},
    };
    for (const auto& c : lengths) {
        box.setMax(c.max);
        box.setMin(c.min);
        box.setDecimalLength(c.decimals);
        EXPECT_EQ(box.txtMain()->maxLength(), c.maxLength) << c.max << " " << c.decimals;
    }
}

TEST(UseTextBox, SetValueClampsOrWrapsAndShowsTheDecimals)
{
    const struct
    {
        double min, max;
        int decimals;
        bool wrap;
        double set;
        const char* shown;
    } cases[] = {
        {0, 359.9, 1, true, 360.0, "0.0"},  // d = 360: one step past the top is the bottom
        {0, 359.9, 1, true, -1.0, "359.0"}, // and one below the bottom wraps to the top
        {0, 359.9, 1, true, 725.5, "5.5"},
        {0, 10, 0, false, 11, "10"},
        {0, 10, 0, false, -3, "0"},
        {0, 10, 0, true, 10.2, "0"},  // d = 10.1 without decimals
        {0, 999, 0, false, 2.5, "2"}, // integers round halves to even
        {0, 999, 0, false, 3.5, "4"},
        {-50, 50, 2, false, 7.255, "7.26"},  // decimals round halves away from zero
        {-50, 50, 2, false, -0.001, "0.00"}, // no "-0.00"
    };
    for (const auto& c : cases) {
        useTextBox box;
        box.setMin(c.min);
        box.setMax(c.max);
        box.setDecimalLength(c.decimals);
        box.setBackToTop(c.wrap);
        QSignalSpy changes(&box, &useTextBox::Change);
        box.setNumText(c.set);
        EXPECT_EQ(box.txtMain()->text(), QLatin1String(c.shown)) << c.set;
        EXPECT_EQ(changes.count(), 0) << "setting from code raises no Change";
    }
}

TEST(UseTextBox, ValueReadsTheTextClampedAndRounded)
{
    const struct
    {
        const char* text;
        int decimals;
        double max;
        double value;
    } cases[] = {
        {"7.26", 1, 999, 7.3},   {"7.26", 0, 999, 7}, {"20", 0, 10, 10},  {"-5", 0, 999, 0},
        {"12abc", 0, 99999, 12}, {"abc", 0, 999, 0},  {"4.5", 0, 999, 4}, {"1e2", 0, 999, 100},
    };
    for (const auto& c : cases) {
        useTextBox box;
        box.setMax(c.max);
        box.setDecimalLength(c.decimals);
        box.txtMain()->setText(QString::fromUtf8(c.text));
        EXPECT_DOUBLE_EQ(box.NumText(), c.value) << c.text;
    }
}

TEST(UseTextBox, ButtonsStepFocusTheTextAndRaiseChange)
{
    Shown shown;
    useTextBox& box = *shown.box;
    box.setMin(0);
    box.setMax(359.9);
    box.setDecimalLength(1);
    box.setBackToTop(true);
    box.setUpDownChangeValue(0.1);
    box.setNumText(359.9);
    shown.other->setFocus();
    QSignalSpy changes(&box, &useTextBox::Change);

    QTest::mouseClick(box.cmdUp(), Qt::LeftButton);
    EXPECT_EQ(box.txtMain()->text(), QStringLiteral("0.0"));
    EXPECT_TRUE(box.txtMain()->hasFocus());
    box.setUpDownChangeValue(1);
    QTest::mouseClick(box.cmdDown(), Qt::LeftButton);
    EXPECT_EQ(box.txtMain()->text(), QStringLiteral("359.0"));
    EXPECT_EQ(changes.count(), 2);

    box.setBackToTop(false);
    box.setMax(10);
    box.setDecimalLength(0);
    box.setNumText(10);
    QTest::mouseClick(box.cmdUp(), Qt::LeftButton);
    EXPECT_EQ(box.txtMain()->text(), QStringLiteral("10"));
}

TEST(UseTextBox, TypingRepairsWhatIsNoNumberAndLeavingClampsWithABeep)
{
    Beeps beeps;
    Shown shown;
    useTextBox& box = *shown.box;
    box.setMax(100); // three characters at most
    box.txtMain()->setFocus();
    box.txtMain()->selectAll();
    QSignalSpy changes(&box, &useTextBox::Change);

    QTest::keyClicks(box.txtMain(), QStringLiteral("12a"));
    EXPECT_EQ(box.txtMain()->text(), QStringLiteral("12"));
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_EQ(changes.count(), 3); // one per keystroke

    box.txtMain()->selectAll();
    const int beforeMinus = beeps.count();
    QTest::keyClicks(box.txtMain(), QStringLiteral("-"));
    EXPECT_EQ(box.txtMain()->text(), QStringLiteral("-"));
    EXPECT_EQ(beeps.count(), beforeMinus) << "a lone minus starts a negative number";

    box.txtMain()->setText(QStringLiteral("250"));
    const int beforeLeave = beeps.count();
    changes.clear();
    shown.other->setFocus();
    EXPECT_EQ(box.txtMain()->text(), QStringLiteral("100"));
    EXPECT_EQ(beeps.count(), beforeLeave + 1);
    EXPECT_GE(changes.count(), 1);
}

TEST(UseTextBox, DisabledGreysEveryPartAndTakesTheBackground)
{
    useTextBox box;
    box.setEnabledState(false);
    EXPECT_FALSE(box.Enabled());
    EXPECT_FALSE(box.cmdUp()->isEnabled());
    EXPECT_FALSE(box.cmdDown()->isEnabled());
    EXPECT_EQ(box.txtMain()->palette().color(QPalette::Disabled, QPalette::Base),
              box.palette().color(QPalette::Window));
    box.setEnabledState(true);
    EXPECT_TRUE(box.Enabled());
    EXPECT_EQ(box.txtMain()->palette().color(QPalette::Active, QPalette::Base),
              QColor(255, 255, 255));
}

TEST(UseTextBox, PropertyBagRoundTripsWithoutClamps)
{
    useTextBox box;
    box.ReadProperties({{QStringLiteral("Max"), 359.9},
                        {QStringLiteral("Min"), -5.0},
                        {QStringLiteral("Decimal"), 1},
                        {QStringLiteral("BackToTop"), true},
                        {QStringLiteral("UpDownChangeValue"), 0.5}});
    EXPECT_EQ(box.txtMain()->text(), QStringLiteral("0.0"));
    const QVariantMap bag = box.WriteProperties();
    EXPECT_DOUBLE_EQ(bag.value(QStringLiteral("Max")).toDouble(), 359.9);
    EXPECT_DOUBLE_EQ(bag.value(QStringLiteral("Min")).toDouble(), -5.0);
    EXPECT_EQ(bag.value(QStringLiteral("Decimal")).toInt(), 1);
    EXPECT_TRUE(bag.value(QStringLiteral("BackToTop")).toBool());
    EXPECT_DOUBLE_EQ(bag.value(QStringLiteral("UpDownChangeValue")).toDouble(), 0.5);
}

int main(int argc, char** argv)
{
    // Test discovery runs without the tests' environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
