// Application.Evaluate: worksheet formulas against the active workbook's cells.
#include "tests/host/objects/objects_support.h"

using namespace objects_test;
using host::Variant;

namespace {

// Sheet1: A1 3, B1 "abc", C1 TRUE, A2 "a.jpg", B2 "=A1*2" (written, not yet computed),
// E1 #DIV/0!; "Other Sheet"!B2 42. The active cell is D5.
class Evaluate : public HostTest
{
protected:
    Evaluate()
    {
        sheet(2).setName(q("Other Sheet"));
        range("A1").setValue(Variant(3.0));
        range("B1").setValue(Variant(q("abc")));
        range("C1").setValue(Variant(true));
        range("A2").setValue(Variant(q("a.jpg")));
        range("B2").setValue(Variant(q("=A1*2")));
        auto& e1 = modelSheet().editCell(1, 5);
        e1.kind = host::model::CellKind::Error;
        e1.text = q("#DIV/0!");
        sheet(2).Range(q("B2")).setValue(Variant(42.0));
        range("D5").Select();
    }

    Variant evaluate(const QString& formula) const
    {
        return app.call(QStringLiteral("Evaluate"), {Variant(formula)});
    }
};

struct Case
{
    const char* formula;
    Variant expected;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.formula;
}

class EvaluateValue : public Evaluate, public ::testing::WithParamInterface<Case>
{
};

TEST_P(EvaluateValue, AnswersTheValue)
{
    const Case& c = GetParam();
    const Variant v = evaluate(q(c.formula));
    EXPECT_EQ(v, c.expected) << c.formula << " gave " << v.typeName().toStdString() << ' '
                             << (v.isArray() ? std::string() : v.toString().toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Operators, EvaluateValue,
    ::testing::Values(Case{"=1+2*3", Variant(7.0)}, Case{"1+1", Variant(2.0)},
                      Case{"=2^3^2", Variant(64.0)}, Case{"=-2^2", Variant(4.0)},
                      Case{"=50%*3", Variant(1.5)}, Case{"= ( 1 + 2 ) * 3 ", Variant(9.0)},
                      Case{"=1.5E3+.5", Variant(1500.5)},
                      Case{R"(="a""b"&"c")", Variant(q("a\"bc"))},
                      Case{R"(="x"&1/4&TRUE)", Variant(q("x0.25TRUE"))},
                      Case{R"(="10"+1)", Variant(11.0)}, Case{"=1=1", Variant(true)},
                      Case{R"(="A"="a")", Variant(true)}, Case{R"(=2<"1")", Variant(true)},
                      Case{"=Z99", Variant()}, Case{"=Z99=0", Variant(true)}));

INSTANTIATE_TEST_SUITE_P(
    References, EvaluateValue,
    ::testing::Values(Case{"=A1*2", Variant(6.0)}, Case{"=$A$1+a1", Variant(6.0)},
                      Case{R"(=B1&"x")", Variant(q("abcx"))}, Case{"=C1", Variant(true)},
                      Case{"='Other Sheet'!B2", Variant(42.0)},
                      Case{"='other sheet'!B2+1", Variant(43.0)},
                      Case{"=B2+1", Variant(7.0)}, // computed from its formula
                      Case{"=SUM(A1:C2)", Variant(9.0)}, Case{"=COUNTA(A:A)", Variant(2.0)},
                      Case{"=ROW()", Variant(5.0)}, Case{"=COLUMN()", Variant(4.0)},
                      Case{"=ROW(B7)", Variant(7.0)}, Case{"=COLUMN(C1:E2)", Variant(3.0)},
                      Case{"=ROWS(3:5)", Variant(3.0)}));

INSTANTIATE_TEST_SUITE_P(
    TextFunctions, EvaluateValue,
    ::testing::Values(
        Case{R"(=LEN("a.jpg"))", Variant(5.0)}, Case{R"(=LEN("日本語"))", Variant(3.0)},
        Case{R"(=LEFT("abcdef",2))", Variant(q("ab"))}, Case{R"(=LEFT("abc"))", Variant(q("a"))},
        Case{R"(=RIGHT(A2,3))", Variant(q("jpg"))},
        Case{R"(=MID("abcdef",2,3))", Variant(q("bcd"))},
        Case{R"(=MID("abc",9,1))", Variant(q(""))},
        Case{R"(=MID("写真フォルダ",3,3))", Variant(q("フォル"))},
        Case{R"(=LEFT(A2,LEN(A2)-4))", Variant(q("a"))},
        Case{R"(=SUBSTITUTE("a.b.c",".","_"))", Variant(q("a_b_c"))},
        Case{R"(=SUBSTITUTE("a.b.c",".","_",2))", Variant(q("a.b_c"))},
        Case{R"(=REPLACE("abc",2,1,"XY"))", Variant(q("aXYc"))},
        Case{R"(=FIND(".","a.b.c"))", Variant(2.0)}, Case{R"(=SEARCH("B?D","abcd"))", Variant(2.0)},
        Case{R"(=UPPER("ab")&LOWER("CD")&PROPER("eF gh"))", Variant(q("ABcdEf Gh"))},
        Case{R"(=TRIM("  a   b "))", Variant(q("a b"))},
        Case{R"(=CONCATENATE("a",1,TRUE))", Variant(q("a1TRUE"))},
        Case{R"(=REPT("ab",3))", Variant(q("ababab"))}, Case{R"(=EXACT("a","A"))", Variant(false)},
        Case{R"(=VALUE("1,234"))", Variant(1234.0)}, Case{R"(=ADDRESS(2,3))", Variant(q("$C$2"))},
        Case{R"(=ADDRESS(2,3,4))", Variant(q("C2"))},
        Case{R"(=ADDRESS(2,3,2,FALSE))", Variant(q("R2C[3]"))},
        Case{R"(=ADDRESS(1,28,1,TRUE,"Other Sheet"))", Variant(q("'Other Sheet'!$AB$1"))},
        Case{R"(=IF(A1>2,"big","small"))", Variant(q("big"))},
        Case{R"(=IF(A1>5,"big"))", Variant(false)},
        Case{R"(=IFERROR(1/0,"none"))", Variant(q("none"))}, Case{R"(=ISERROR(E1))", Variant(true)},
        Case{R"(=AND(A1>1,OR(FALSE,C1)))", Variant(true)}));

INSTANTIATE_TEST_SUITE_P(
    NumbersAndDates, EvaluateValue,
    ::testing::Values(Case{"=ROUND(2.5,0)", Variant(3.0)}, Case{"=ROUND(-2.5,0)", Variant(-3.0)},
                      Case{"=ROUND(1.005,2)", Variant(1.01)},
                      Case{"=ROUNDDOWN(-1.99,1)", Variant(-1.9)}, Case{"=INT(-1.5)", Variant(-2.0)},
                      Case{"=MOD(-7,3)", Variant(2.0)}, Case{"=DATE(2024,1,2)", Variant(45293.0)},
                      Case{"=DATE(2024,14,1)", Variant(45689.0)},
                      Case{"=YEAR(45293)&\"/\"&MONTH(45293)&\"/\"&DAY(45293)",
                           Variant(q("2024/1/2"))},
                      Case{R"(=HOUR("10:20:30")*100+MINUTE("10:20:30"))", Variant(1020.0)},
                      Case{R"(=DATEVALUE("2024/01/02 10:20:30"))", Variant(45293.0)},
                      Case{R"(="2024/01/02"+1)", Variant(45294.0)}));

// TEXT with the format codes a paste-info formula uses for numbers and file dates.
INSTANTIATE_TEST_SUITE_P(
    TextFormats, EvaluateValue,
    ::testing::Values(Case{R"(=TEXT(3.14159,"0.00"))", Variant(q("3.14"))},
                      Case{R"(=TEXT(1234567.891,"#,##0.0"))", Variant(q("1,234,567.9"))},
                      Case{R"(=TEXT(0.256,"0.0%"))", Variant(q("25.6%"))},
                      Case{R"(=TEXT(7,"000"))", Variant(q("007"))},
                      Case{R"(=TEXT(1234567,"000-0000"))", Variant(q("123-4567"))},
                      Case{R"(=TEXT(5,"0円"))", Variant(q("5円"))},
                      Case{R"(=TEXT(1.5,"#.##"))", Variant(q("1.5"))},
                      Case{R"f(=TEXT(-1.5,"0.0;(0.0)"))f", Variant(q("(1.5)"))},
                      Case{R"(=TEXT(-1.5,"0.0"))", Variant(q("-1.5"))},
                      Case{R"(=TEXT(0,"0;-0;""zero"""))", Variant(q("zero"))},
                      Case{R"(=TEXT(0.0000123,"0.00E+00"))", Variant(q("1.23E-05"))},
                      Case{R"(=TEXT(45000,"yyyy/mm/dd"))", Variant(q("2023/03/15"))},
                      Case{R"(=TEXT(45000,"yy-m-d ddd"))", Variant(q("23-3-15 Wed"))},
                      Case{R"f(=TEXT(45000,"mmmm d, yyyy (aaa)"))f",
                           Variant(q("March 15, 2023 (水)"))},
                      Case{R"(=TEXT(45000,"aaaa"))", Variant(q("水曜日"))},
                      Case{R"(=TEXT("2024/01/02 10:20:30","yyyy年m月d日 hh:mm:ss"))",
                           Variant(q("2024年1月2日 10:20:30"))},
                      Case{R"(=TEXT("2024/01/02 13:05:00","h:mm AM/PM"))", Variant(q("1:05 PM"))},
                      Case{R"(=TEXT("abc","0.00"))", Variant(q("abc"))},
                      Case{R"(=TEXT(12.5,"General"))", Variant(q("12.5"))}));

struct ErrorCase
{
    const char* formula;
    int number;
    const char* description;
};

void PrintTo(const ErrorCase& c, std::ostream* os)
{
    *os << c.formula;
}

class EvaluateError : public Evaluate, public ::testing::WithParamInterface<ErrorCase>
{
};

// An error value answers as a host error carrying the error variant's code and text.
TEST_P(EvaluateError, RaisesTheErrorValue)
{
    const ErrorCase& c = GetParam();
    try {
        const Variant v = evaluate(q(c.formula));
        ADD_FAILURE() << c.formula << " answered " << v.toString().toStdString();
    } catch (const host::HostError& e) {
        EXPECT_EQ(e.number(), c.number) << c.formula;
        EXPECT_EQ(e.description(), q(c.description)) << c.formula;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, EvaluateError,
    ::testing::Values(
        ErrorCase{"=1/0", 2007, "#DIV/0!"}, ErrorCase{"=E1&\"x\"", 2007, "#DIV/0!"},
        ErrorCase{"=NOSUCH(1)", 2029, "#NAME?"}, ErrorCase{"=foo+1", 2029, "#NAME?"},
        ErrorCase{R"(="a"+1)", 2015, "#VALUE!"}, ErrorCase{"=A1:B1+1", 2015, "#VALUE!"},
        ErrorCase{"=MissingSheet!A1", 2023, "#REF!"}, ErrorCase{"=#N/A", 2042, "#N/A"},
        ErrorCase{R"(=LEN("x",1))", 2015, "#VALUE!"},
        // Formulas that do not parse.
        ErrorCase{R"(="C:\pic\a)", 2015, "#VALUE!"}, ErrorCase{"=(1", 2015, "#VALUE!"},
        ErrorCase{"=1+", 2015, "#VALUE!"},
        // Huge arguments stay defined.
        ErrorCase{"=DATE(1E+20,1,1)", 2036, "#NUM!"}, ErrorCase{"=YEAR(-1)", 2036, "#NUM!"},
        ErrorCase{"=ADDRESS(1E+20,1)", 2015, "#VALUE!"},
        ErrorCase{R"(=REPT("a",1E+20))", 2015, "#VALUE!"},
        ErrorCase{"=ROUND(1,-1E+20)", 2036, "#NUM!"}, ErrorCase{"=1 2", 2015, "#VALUE!"},
        ErrorCase{"", 2015, "#VALUE!"}));

TEST_F(Evaluate, ABlockAnswersAnArrayOfItsValues)
{
    const Variant v = evaluate(q("=A1:C1"));
    ASSERT_TRUE(v.isArray());
    const host::VariantArray& array = v.toArray();
    EXPECT_EQ(array.rows, 1);
    EXPECT_EQ(array.columns, 3);
    EXPECT_EQ(array.items, (std::vector<Variant>{Variant(3.0), Variant(q("abc")), Variant(true)}));
}

TEST_F(Evaluate, FormulasLongerThan255CharactersAreRefused)
{
    const QString sum = q("=") + QString(q("1+")).repeated(126) + q("11"); // 255 characters
    ASSERT_EQ(sum.size(), 255);
    EXPECT_EQ(evaluate(sum), Variant(137.0));
    EXPECT_EQ(errorOf([&] { evaluate(sum + q("+1")); }), 2015);
}

TEST_F(Evaluate, UnqualifiedReferencesFollowTheActiveSheet)
{
    sheet(2).Activate();
    sheet(2).Range(q("C3")).Select();
    EXPECT_EQ(evaluate(q("=B2*2")), Variant(84.0));
    EXPECT_EQ(evaluate(q("=Sheet1!A1")), Variant(3.0));
    EXPECT_EQ(evaluate(q("=ROW()&\",\"&COLUMN()")), Variant(q("3,3")));
}

TEST_F(Evaluate, ACircularFormulaReadsAsZero)
{
    range("F1").setValue(Variant(q("=F1+1")));
    EXPECT_EQ(evaluate(q("=F1")), Variant(1.0));
}

// Formulas written through Value are computed when read; nesting and chains have limits
// instead of exhausting the stack.
TEST_F(Evaluate, DeepNestingAndLongChainsOfFormulasAreRefused)
{
    const QString deep = QString(q("(")).repeated(300) + q("1") + QString(q(")")).repeated(300);
    range("G1").setValue(Variant(q("=") + deep));
    EXPECT_EQ(errorOf([&] { evaluate(q("=G1")); }), 2015);
    range("G2").setValue(Variant(q("=((((1))))+1")));
    EXPECT_EQ(evaluate(q("=G2")), Variant(2.0));

    for (int row = 1; row <= 100; ++row)
        sheet().Cells(row, 8).setValue(Variant(QStringLiteral("=H%1+1").arg(row + 1)));
    EXPECT_EQ(evaluate(q("=H60")), Variant(41.0)); // H60 … H100, then the blank H101
    EXPECT_EQ(errorOf([&] { evaluate(q("=H1")); }), 2015);
}

TEST(EvaluateWithoutWorkbook, ComputesConstantsAndRefusesReferences)
{
    host::objects::Host host;
    const xl::Application app(host.application());
    EXPECT_EQ(app.call(QStringLiteral("Evaluate"), {Variant(q("=LEN(\"abc\")"))}), Variant(3.0));
    EXPECT_EQ(errorOf([&] { app.call(QStringLiteral("Evaluate"), {Variant(q("=A1"))}); }), 2023);
}

} // namespace
