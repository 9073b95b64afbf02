#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "core/storedtext.h"

namespace {

// Numbered("C", n) trips a false -Wrestrict of GCC 12.
std::string Numbered(const char* prefix, int n) {
  std::string key = prefix;
  key += std::to_string(n);
  return key;
}

int32_t ReadInt(const TStoredText& text, const std::string& key, int32_t start = -7,
                int32_t maximum = INT32_MAX, int32_t minimum = INT32_MIN) {
  int32_t value = start;
  text.ReadInteger("S", key, value, maximum, minimum);
  return value;
}

}  // namespace

TEST(StoredTextFormat, TheSixLineExampleByteForByte) {
  // An empty section can only come from a file: writes always add a line.
  TStoredText text = TStoredText::Parse("[QuiltraGame]\nColumnsCount=5\n[Map]");
  text.WriteInteger("QuiltraGame", "ColumnsCount", 7);
  text.WriteBool("QuiltraGame", "LightGrid", true);
  EXPECT_EQ(text.Format(),
            "[QuiltraGame]\r\nColumnsCount=7\r\nLightGrid=TRUE\r\n\r\n[Map]\r\n\r\n");
}

TEST(StoredTextFormat, LinesSplitAtEveryKindOfBreakAndAZeroByteEndsTheText) {
  const std::string raw = std::string("[A]\r\na=1\rb=2\nc=3\r\n\r\n\n\rd=4") + '\0' + "e=5\r\n";
  const TStoredText text = TStoredText::Parse(raw);
  ASSERT_EQ(text.Sections().size(), 1u);
  EXPECT_EQ(text.Sections()[0].Lines, (std::vector<std::string>{"a=1", "b=2", "c=3", "d=4"}));
  EXPECT_EQ(text.Format(), "[A]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\n\r\n");
}

TEST(StoredTextFormat, NothingIsTrimmedAndOddLinesStay) {
  const TStoredText text = TStoredText::Parse(
      "dropped=1\r\n;comment before\r\n[ Spaced ]\r\n  lead = x \r\nno equals\r\n;gone\r\n"
      "a=b=c\r\n[]\r\nempty=\r\n[\r\n]\r\n");
  ASSERT_EQ(text.Sections().size(), 2u);
  EXPECT_EQ(text.Sections()[0].Name, " Spaced ");
  EXPECT_EQ(text.Sections()[0].Lines,
            (std::vector<std::string>{"  lead = x ", "no equals", "a=b=c"}));
  EXPECT_EQ(text.Sections()[1].Name, "");
  EXPECT_EQ(text.Sections()[1].Lines, (std::vector<std::string>{"empty=", "[", "]"}));

  std::string value = "unchanged";
  text.ReadString(" Spaced ", "  lead ", value, true, 259);
  EXPECT_EQ(value, " x ");
  text.ReadString(" Spaced ", "lead", value, true, 259);
  EXPECT_EQ(value, " x ");
  text.ReadString(" Spaced ", "a", value, true, 259);
  EXPECT_EQ(value, "b=c");
  text.ReadString(" Spaced ", "no equals", value, true, 259);
  EXPECT_EQ(value, "b=c");
  text.ReadString("", "empty", value, true, 259);
  EXPECT_EQ(value, "");

  // Written back: what came before the first section and the comments are gone.
  EXPECT_EQ(
      text.Format(),
      "[ Spaced ]\r\n  lead = x \r\nno equals\r\na=b=c\r\n\r\n[]\r\nempty=\r\n[\r\n]\r\n\r\n");
}

TEST(StoredTextFormat, BlanksAroundTheEqualsSignDoNotMatch) {
  const TStoredText text = TStoredText::Parse("[QuiltraGame]\r\nColumnsCount = 7\r\n");
  int32_t columns = 9;
  text.ReadInteger("QuiltraGame", "ColumnsCount", columns, 30, 5);
  EXPECT_EQ(columns, 9);
  text.ReadInteger("QuiltraGame", "ColumnsCount ", columns, 30, 5);
  EXPECT_EQ(columns, 7);  // " 7": leading blanks are skipped in numbers
}

TEST(StoredTextFormat, NamesMatchIgnoringCaseAndTheFirstMatchWins) {
  const TStoredText text = TStoredText::Parse(
      "[map]\r\ncolumnscount=12\r\nCOLUMNSCOUNT=13\r\n[MAP]\r\nOther=1\r\n[Map]\r\nOther=2\r\n");
  EXPECT_EQ(text.Sections().size(), 3u);
  int32_t columns = 0;
  text.ReadInteger("Map", "ColumnsCount", columns, 30, 5);
  EXPECT_EQ(columns, 12);
  int32_t other = 0;
  text.ReadInteger("Map", "Other", other, 30, 0);
  EXPECT_EQ(other, 0);  // only the first of the repeated sections is read
}

TEST(StoredTextWrite, ReplacesTheFirstMatchOrAppendsInTheCallersCase) {
  TStoredText text =
      TStoredText::Parse("[map]\r\n;c\r\nfirst=1\r\nc0=1\r\nC0=2\r\n[Map]\r\nc0=3\r\n");
  text.WriteInteger("MAP", "C0", -5);
  text.WriteString("Map", "New", "a b=c");
  text.WriteBool("Fresh", "Flag", false);
  EXPECT_EQ(text.Format(),
            "[map]\r\nfirst=1\r\nC0=-5\r\nC0=2\r\nNew=a b=c\r\n\r\n"
            "[Map]\r\nc0=3\r\n\r\n[Fresh]\r\nFlag=FALSE\r\n\r\n");
  text.Clear();
  EXPECT_EQ(text.Format(), "");
  text.WriteInteger("A", "k", 1);
  EXPECT_EQ(text.Format(), "[A]\r\nk=1\r\n\r\n");
}

TEST(StoredTextWrite, ALineBreakOrZeroByteCannotSplitTheFile) {
  TStoredText text;
  text.WriteString("S", "Title", "C:\\a.jpg\r\n[Map]\r\nC0=9");
  text.WriteString("S", "Other", std::string("x\0y", 3));
  EXPECT_EQ(text.Format(), "[S]\r\nTitle=C:\\a.jpg\r\nOther=x\r\n\r\n");
}

TEST(StoredTextRead, Strings) {
  const std::string long259(259, 'a');
  const std::string long260(260, 'b');
  const TStoredText text =
      TStoredText::Parse("[S]\r\nEmpty=\r\nLong259=" + long259 + "\r\nLong260=" + long260 + "\r\n");
  std::string value = "default";
  text.ReadString("S", "Missing", value, true, 259);
  EXPECT_EQ(value, "default");
  text.ReadString("S", "Empty", value, false, 259);
  EXPECT_EQ(value, "default");
  text.ReadString("S", "Long260", value, true, 259);
  EXPECT_EQ(value, "default");
  text.ReadString("S", "Long259", value, true, 259);
  EXPECT_EQ(value, long259);
  text.ReadString("S", "Empty", value, true, 259);
  EXPECT_EQ(value, "");
}

TEST(StoredTextRead, OnlyUpperCaseTrueIsTrue) {
  const TStoredText text =
      TStoredText::Parse("[S]\r\nUpper=TRUE\r\nLower=true\r\nTitle=True\r\nBlank=TRUE \r\n");
  bool flag = false;
  text.ReadBool("S", "Upper", flag);
  EXPECT_TRUE(flag);
  text.ReadBool("S", "Missing", flag);
  EXPECT_TRUE(flag);
  for (const char* key : {"Lower", "Title", "Blank"}) {
    flag = true;
    text.ReadBool("S", key, flag);
    EXPECT_FALSE(flag) << key;
  }
}

TEST(StoredTextRead, IntegersThatAreTaken) {
  const TStoredText text = TStoredText::Parse(
      "[S]\r\nDec=12\r\nHex1=$1F\r\nHex2=0x1f\r\nHex3=0X1F\r\nLead=   -42\r\nPlus=+8\r\n"
      "Max=2147483647\r\nMin=-2147483648\r\nHexMin=-$80000000\r\nZeros=0007\r\nNegHex=-0x10\r\n");
  EXPECT_EQ(ReadInt(text, "Dec"), 12);
  EXPECT_EQ(ReadInt(text, "Hex1"), 31);
  EXPECT_EQ(ReadInt(text, "Hex2"), 31);
  EXPECT_EQ(ReadInt(text, "Hex3"), 31);
  EXPECT_EQ(ReadInt(text, "Lead"), -42);
  EXPECT_EQ(ReadInt(text, "Plus"), 8);
  EXPECT_EQ(ReadInt(text, "Max"), INT32_MAX);
  EXPECT_EQ(ReadInt(text, "Min"), INT32_MIN);
  EXPECT_EQ(ReadInt(text, "HexMin"), INT32_MIN);
  EXPECT_EQ(ReadInt(text, "Zeros"), 7);
  EXPECT_EQ(ReadInt(text, "NegHex"), -16);
  // Both limits are inclusive.
  EXPECT_EQ(ReadInt(text, "Dec", 0, 12, 12), 12);
}

TEST(StoredTextRead, IntegersThatLeaveTheTarget) {
  const TStoredText text = TStoredText::Parse(
      "[S]\r\nTrailing=12ab\r\nEmpty=\r\nBlank= \r\nAfter=5 \r\nSignOnly=-\r\nPrefix=$\r\n"
      "Prefix0x=0x\r\nSpaceSign=- 5\r\nTwoSigns=--5\r\nOver=2147483648\r\nUnder=-2147483649\r\n"
      "HexOver=$80000000\r\nHexWrap=$FFFFFFFF\r\nHuge=99999999999999999999999\r\n"
      "HexDigitsInDecimal=1F\r\nTab=\t5\r\nLimit=31\r\nBelow=4\r\nFloat=1.5\r\n");
  for (const char* key : {"Trailing", "Empty", "Blank", "After", "SignOnly", "Prefix", "Prefix0x",
                          "SpaceSign", "TwoSigns", "Over", "Under", "HexOver", "HexWrap", "Huge",
                          "HexDigitsInDecimal", "Tab", "Float", "Missing"})
    EXPECT_EQ(ReadInt(text, key), -7) << key;
  EXPECT_EQ(ReadInt(text, "Limit", 7, 30, 5), 7);
  EXPECT_EQ(ReadInt(text, "Below", 7, 30, 5), 7);
}

TEST(StoredTextFormat, RoundTripKeepsEveryValue) {
  TStoredText text;
  text.WriteInteger("QuiltraGame", "ColumnsCount", 30);
  text.WriteBool("QuiltraGame", "LightGrid", true);
  text.WriteString("QuiltraGame", "PictureTitle", " C:\\My Pictures\\a=b.jpg ");
  text.WriteString("QuiltraGame", "Empty", "");
  for (int n = 0; n < 900; ++n) {
    text.WriteInteger("Map", Numbered("C", n), n % 30);
    text.WriteBool("Map", Numbered("FH", n), n % 3 == 0);
  }
  text.WriteInteger("Map", "C5", INT32_MIN);
  const TStoredText back = TStoredText::Parse(text.Format());
  EXPECT_EQ(back.Format(), text.Format());

  int32_t columns = 0;
  back.ReadInteger("quiltragame", "columnscount", columns, 30, 5);
  EXPECT_EQ(columns, 30);
  std::string title;
  back.ReadString("QuiltraGame", "PictureTitle", title, false, 259);
  EXPECT_EQ(title, " C:\\My Pictures\\a=b.jpg ");
  int32_t c899 = -1, c5 = 0;
  back.ReadInteger("Map", "C899", c899, 29, 0);
  back.ReadInteger("Map", "C5", c5, INT32_MAX, INT32_MIN);
  EXPECT_EQ(c899, 899 % 30);
  EXPECT_EQ(c5, INT32_MIN);
  bool fh = false;
  back.ReadBool("Map", "FH897", fh);
  EXPECT_TRUE(fh);
  EXPECT_EQ(back.Sections()[1].Lines.size(), 1800u);
}

TEST(StoredTextFormat, BigAndHostileInputsAreReadByTheRules) {
  // A 10 MB line, a trailing "[", a key before any section and a run of lone
  // CRs: read in linear time and by the rules.
  const std::string bigValue(10 * 1024 * 1024, 'v');
  std::string raw =
      "Key=before\r[S]\rBig=" + bigValue + "\r" + std::string(100000, '\r') + "Small=1\r[";
  const TStoredText text = TStoredText::Parse(raw);
  ASSERT_EQ(text.Sections().size(), 1u);
  EXPECT_EQ(text.Sections()[0].Lines.size(), 3u);
  std::string value;
  text.ReadString("S", "Big", value, false, SIZE_MAX);
  EXPECT_EQ(value.size(), bigValue.size());
  EXPECT_EQ(ReadInt(text, "Small"), 1);

  // Many keys in one section, read and rewritten one by one: each lookup
  // must not scan the section again.
  std::string many = "[S]\r\n";
  for (int n = 0; n < 200000; ++n) many += Numbered("K", n) + "=" + std::to_string(n) + "\n";
  TStoredText manyText = TStoredText::Parse(many);
  int64_t sum = 0;
  for (int n = 0; n < 200000; ++n) sum += ReadInt(manyText, Numbered("k", n), 0);
  EXPECT_EQ(sum, int64_t{199999} * 200000 / 2);
  for (int n = 0; n < 200000; ++n) manyText.WriteInteger("S", Numbered("K", n), 1);
  EXPECT_EQ(ReadInt(manyText, "K199999"), 1);
  EXPECT_EQ(manyText.Sections()[0].Lines.size(), 200000u);
}
