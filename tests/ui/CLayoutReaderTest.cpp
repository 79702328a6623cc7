#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/platform/TemporaryFolder.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/builder/CLayoutElement.h"
#include "ui/builder/CLayoutReader.h"
#include "ui/resources/ResourceModule.h"
#include "ui/resources/ResourceReader.h"
#include "ui/resources/UIResources.h"

namespace pelmo::ui {
namespace {

std::vector<std::string> childNames(const CLayoutElement& parent)
{
    std::vector<std::string> names;
    for (CLayoutElement child = parent.GetFirstChild(); child; child = child.GetNextSibling())
        names.push_back(child.GetName());
    return names;
}

bool loadBytes(CLayoutReader& reader, const std::string& bytes, LayoutEncoding encoding)
{
    return reader.LoadFromMemory(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), encoding);
}

struct MalformedText {
    std::string text;
    std::string_view message;
    std::string location;
};

TEST(CLayoutReaderTest, MalformedTextsFailWithTheirMessageAndTheTextThatFollows)
{
    const MalformedText cases[] = {
        {"Window", "Expected start tag", "Window"},
        {"<Window>caption<Label/>stray</Window>", "Expected start tag", "stray</Window>"},
        {"< Window/>", "Error parsing element name", " Window/>"},
        {"<Window><>", "Error parsing element name", ">"},
        {"<Window size>", "Error while parsing attributes", ">"},
        {"<Window size \"1\"/>", "Error while parsing attributes", "\"1\"/>"},
        {"<Window $=\"1\"/>", "Error while parsing attributes", "$=\"1\"/>"},
        {"<Window size='1,2'/>", "Expected attribute value", "'1,2'/>"},
        {"<Window size=1/>", "Expected attribute value", "1/>"},
        {"<Window size=\"1,2/>", "Error while parsing attribute string", "1,2/>"},
        {"<Window size=\"1\"", "Expected start-tag closing", ""},
        {"<Window / >", "Expected start-tag closing", "/ >"},
        {"<Window>caption", "Expected end-tag start", "caption"},
        {"<Window><Label/>", "Expected end-tag start", ""},
        {"<Window></Label>", "Unmatched closing tag", "</Label>"},
        {"<Window></Win>", "Unmatched closing tag", "</Win>"},
        {"<Window></Window", "Unmatched closing tag", "</Window"},
        {"<Label/></Window>", "Unmatched closing tag", "</Window>"},
    };
    for (const MalformedText& c : cases) {
        SCOPED_TRACE(c.text);
        CLayoutReader reader;
        EXPECT_FALSE(reader.Load(c.text));
        EXPECT_EQ(reader.GetLastErrorMessage(), c.message);
        EXPECT_EQ(reader.GetLastErrorLocation(), c.location);
        EXPECT_FALSE(reader.GetRoot());
    }
}

TEST(CLayoutReaderTest, TheErrorLocationStopsAt49CharactersWithoutSplittingOne)
{
    std::string wide;
    for (int i = 0; i < 60; ++i)
        wide += "滑";
    CLayoutReader reader;
    EXPECT_FALSE(reader.Load("<Window>" + wide));
    EXPECT_EQ(reader.GetLastErrorMessage(), "Expected end-tag start");
    EXPECT_EQ(reader.GetLastErrorLocation(), wide.substr(0, 49 * 3));
}

TEST(CLayoutReaderTest, EveryLoadReplacesTheDocumentAndTheLastError)
{
    CLayoutReader reader;
    ASSERT_TRUE(reader.Load("<Window><Label/></Window>"));
    CLayoutElement label = reader.GetRoot().GetFirstChild();
    ASSERT_EQ(label.GetName(), "Label");

    EXPECT_FALSE(reader.Load("<Window>"));
    EXPECT_FALSE(label);
    EXPECT_EQ(label.GetName(), "");

    ASSERT_TRUE(reader.Load("<Window><Button/></Window>"));
    EXPECT_EQ(reader.GetLastErrorMessage(), "");
    EXPECT_EQ(reader.GetLastErrorLocation(), "");
    // A handle on the earlier document does not read the new one.
    EXPECT_FALSE(label);
    EXPECT_EQ(reader.GetRoot().GetFirstChild().GetName(), "Button");
}

TEST(CLayoutReaderTest, NestedElementsAndSiblingsAreNavigatedInDocumentOrder)
{
    CLayoutReader reader;
    ASSERT_TRUE(reader.Load("<Window size=\"800,600\">\n"
                            "  <VerticalLayout>\n"
                            "    <Label name=\"a_label\">first</Label>\n"
                            "    <ns:Custom_2 x:y_1=\"v\"></ns:Custom_2 >\n"
                            "  </VerticalLayout>\n"
                            "  <Button name=\"ok_btn\"/>\n"
                            "</Window>\n"
                            "<Window/>"));
    CLayoutElement root = reader.GetRoot();
    EXPECT_EQ(root.GetName(), "Window");
    EXPECT_TRUE(root.HasChildren());
    EXPECT_EQ(childNames(root), (std::vector<std::string>{"VerticalLayout", "Button"}));

    CLayoutElement layout = root.GetFirstChild();
    EXPECT_EQ(childNames(layout), (std::vector<std::string>{"Label", "ns:Custom_2"}));
    CLayoutElement label = layout.GetFirstChild();
    EXPECT_EQ(label.GetValue(), "first");
    EXPECT_FALSE(label.HasChildren());
    EXPECT_FALSE(label.GetFirstChild());
    EXPECT_EQ(label.GetNextSibling().GetAttributeName(0), "x:y_1");
    EXPECT_EQ(layout.GetNextSibling().GetAttributeValue("name"), "ok_btn");
    EXPECT_FALSE(layout.GetNextSibling().HasChildren());

    // A second top-level element follows the root as its sibling.
    EXPECT_EQ(root.GetNextSibling().GetName(), "Window");
    EXPECT_FALSE(root.GetNextSibling().GetNextSibling());
}

TEST(CLayoutReaderTest, ATextWithoutElementsLoadsAnEmptyDocument)
{
    CLayoutReader reader;
    EXPECT_TRUE(reader.Load(" \r\n\t<!-- nothing here --> "));
    EXPECT_FALSE(reader.GetRoot());
    EXPECT_EQ(reader.GetRoot().GetAttributeCount(), 0u);
    EXPECT_EQ(reader.GetRoot().GetAttributeValue("name"), "");
}

TEST(CLayoutReaderTest, CommentsAndProcessingInstructionsAreSkippedWhereverAnElementMayStand)
{
    CLayoutReader reader;
    ASSERT_TRUE(reader.Load("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                            "<!-- the main window -->\n"
                            "<Window>"
                            "<!-- <Label name=\"hidden\"/> -->"
                            "<Label name=\"a\"/>"
                            "<?builder ignore <this> ?>"
                            "<Label name=\"b\"/>"
                            "<!---->"
                            "</Window>\n"
                            "<!-- trailing -->"));
    CLayoutElement root = reader.GetRoot();
    EXPECT_EQ(childNames(root), (std::vector<std::string>{"Label", "Label"}));
    EXPECT_EQ(root.GetFirstChild().GetAttributeValue("name"), "a");
    EXPECT_EQ(root.GetFirstChild().GetNextSibling().GetAttributeValue("name"), "b");
    EXPECT_FALSE(root.GetNextSibling());
}

TEST(CLayoutReaderTest, TheFiveEntitiesAreReplacedAndAnyOtherAmpersandStaysAsTyped)
{
    CLayoutReader reader;
    ASSERT_TRUE(reader.Load("<Label text=\"a &amp; b &lt;&gt; &quot;q&quot; &apos;s&apos;\" "
                            "other=\"&nbsp;&#65;&AMP;&amp;lt;&amp\">x &lt; y<Control/></Label>"));
    CLayoutElement label = reader.GetRoot();
    EXPECT_EQ(label.GetAttributeValue("text"), "a & b <> \"q\" 's'");
    EXPECT_EQ(label.GetAttributeValue("other"), "&nbsp;&#65;&AMP;&lt;&amp");
    EXPECT_EQ(label.GetValue(), "x < y");
    EXPECT_EQ(label.GetFirstChild().GetName(), "Control");
}

TEST(CLayoutReaderTest, SingleQuotesAndWhitespaceInsideDoubleQuotedValuesAreKept)
{
    CLayoutReader reader;
    ASSERT_TRUE(reader.Load("<Button normalimage=\"file='btn.png' source='0,0,10,10' mask='#FFFFFFFF'\"\n"
                            "        text = \"  two\r\n lines\t\" userdata=\"\"/>"));
    CLayoutElement button = reader.GetRoot();
    EXPECT_EQ(button.GetAttributeValue("normalimage"), "file='btn.png' source='0,0,10,10' mask='#FFFFFFFF'");
    EXPECT_EQ(button.GetAttributeValue("text"), "  two\r\n lines\t");
    EXPECT_TRUE(button.HasAttribute("userdata"));
    EXPECT_EQ(button.GetAttributeValue("userdata"), "");
}

TEST(CLayoutReaderTest, AttributeNamesAreCaseSensitiveAndTheFirstOfTwoEqualNamesAnswers)
{
    CLayoutReader reader;
    ASSERT_TRUE(reader.Load("<Label Name=\"upper\" name=\"first\" name=\"second\"/>"));
    CLayoutElement label = reader.GetRoot();
    EXPECT_EQ(label.GetAttributeValue("name"), "first");
    EXPECT_EQ(label.GetAttributeValue("Name"), "upper");
    EXPECT_FALSE(label.HasAttribute("NAME"));
    // By index every attribute stays reachable, in document order.
    ASSERT_EQ(label.GetAttributeCount(), 3u);
    EXPECT_EQ(label.GetAttributeValue(std::size_t{2}), "second");
    EXPECT_EQ(label.GetAttributeName(3), "");
    EXPECT_EQ(label.GetAttributeValue(std::size_t{3}), "");
}

TEST(CLayoutReaderTest, AnElementKeepsTheFirst64Of70AttributesButChecksTheSyntaxOfAll)
{
    std::string attributes;
    for (int i = 0; i < 70; ++i)
        attributes += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    CLayoutReader reader;
    ASSERT_TRUE(reader.Load("<Window><Label" + attributes + "/><Button/></Window>"));
    CLayoutElement label = reader.GetRoot().GetFirstChild();
    ASSERT_EQ(label.GetAttributeCount(), 64u);
    EXPECT_EQ(label.GetAttributeName(63), "a63");
    EXPECT_EQ(label.GetAttributeValue("a63"), "63");
    EXPECT_FALSE(label.HasAttribute("a64"));
    EXPECT_FALSE(label.HasAttribute("a69"));
    EXPECT_EQ(label.GetNextSibling().GetName(), "Button");
    EXPECT_EQ(label.GetNextSibling().GetAttributeCount(), 0u);

    EXPECT_FALSE(reader.Load("<Label" + attributes + " late='1'/>"));
    EXPECT_EQ(reader.GetLastErrorMessage(), "Expected attribute value");
}

TEST(CLayoutReaderTest, CopyingAValueIntoABufferStopsAt499BytesWithoutSplittingACharacter)
{
    std::string wide = "xy";
    for (int i = 0; i < 300; ++i)
        wide += "滑";
    CLayoutReader reader;
    ASSERT_TRUE(reader.Load("<Label plain=\"" + std::string(600, 'x') + "\" wide=\"" + wide + "\" short=\"ok\"/>"));
    CLayoutElement label = reader.GetRoot();
    char buffer[1000];

    EXPECT_TRUE(label.GetAttributeValue("plain", buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), std::string(499, 'x'));
    // 2 + 3 * 165 = 497 bytes; the 166th character would end at byte 500.
    EXPECT_TRUE(label.GetAttributeValue("wide", buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), wide.substr(0, 497));
    EXPECT_TRUE(label.GetAttributeValue("wide", buffer, 6));
    EXPECT_EQ(std::string(buffer), "xy滑");
    EXPECT_TRUE(label.GetAttributeValue("short", buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), "ok");

    EXPECT_FALSE(label.GetAttributeValue("missing", buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), "");
    buffer[0] = '#';
    EXPECT_TRUE(label.GetAttributeValue("short", buffer, 0));
    EXPECT_EQ(buffer[0], '#');
    // The whole value is always there for callers that take a string.
    EXPECT_EQ(label.GetAttributeValue("wide"), wide);
}

TEST(CLayoutReaderTest, DeepNestingIsParsedAndWalkedWithoutExhaustingTheStack)
{
    const int depth = 200000;
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<a>";
    CLayoutReader reader;
    EXPECT_FALSE(reader.Load(text));
    EXPECT_EQ(reader.GetLastErrorMessage(), "Expected end-tag start");

    for (int i = 0; i < depth; ++i)
        text += "</a>";
    ASSERT_TRUE(reader.Load(text));
    int levels = 0;
    for (CLayoutElement element = reader.GetRoot(); element; element = element.GetFirstChild())
        ++levels;
    EXPECT_EQ(levels, depth);
}

class CLayoutReaderFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UIResources::Reset();
        UIResources::SetSkinFolder(test::uiFixture("layouts"));
    }
    void TearDown() override { UIResources::Reset(); }
};

TEST_F(CLayoutReaderFileTest, TheSameLayoutReadsAlikeInUtf8AndBothUtf16ByteOrders)
{
    const std::pair<const char*, LayoutEncoding> files[] = {
        {"utf8_with_bom.xml", LayoutEncoding::Utf8},
        {"utf16_little_endian_with_bom.xml", LayoutEncoding::Utf16},
        {"utf16_big_endian_with_bom.xml", LayoutEncoding::Utf16},
    };
    for (const auto& [name, encoding] : files) {
        SCOPED_TRACE(name);
        CLayoutReader reader;
        ASSERT_TRUE(reader.LoadFromFile(name, encoding)) << reader.GetLastErrorMessage();
        CLayoutElement window = reader.GetRoot();
        EXPECT_EQ(window.GetName(), "Window");
        EXPECT_EQ(window.GetAttributeValue("size"), "640,480");
        EXPECT_EQ(window.GetFirstChild().GetAttributeValue("text"), "滑鼠 & 巨集 \U0001F5B1");
    }
}

TEST_F(CLayoutReaderFileTest, FilesThatCannotBeReadFailWithTheResourceMessageAndTheirName)
{
    test::TemporaryFolder folder;
    std::ofstream(folder.file("Empty.xml")).close();
    UIResources::SetSkinFolder(folder.path());
    CLayoutReader reader;

    EXPECT_FALSE(reader.LoadFromFile("Missing.xml"));
    EXPECT_EQ(reader.GetLastErrorMessage(), "Error opening file");
    EXPECT_EQ(reader.GetLastErrorLocation(), "Missing.xml");
    EXPECT_FALSE(reader.LoadFromFile("Empty.xml"));
    EXPECT_EQ(reader.GetLastErrorMessage(), "File is empty");

    const std::string huge(ResourceReader::layoutLimit + 1, ' ');
    EXPECT_FALSE(reader.Load(huge));
    EXPECT_EQ(reader.GetLastErrorMessage(), "File too large");
    EXPECT_FALSE(loadBytes(reader, huge, LayoutEncoding::Utf8));
    EXPECT_EQ(reader.GetLastErrorMessage(), "File too large");
}

TEST_F(CLayoutReaderFileTest, ModuleResourcesAreReadByIdAndType)
{
    static const std::uint8_t layout[] = {'<', 'W', 'i', 'n', 'd', 'o', 'w', '/', '>'};
    ResourceModule program("/opt/pelmo/PelmoMice", {{133, "XML", layout}});
    UIResources::SetProgramModule(&program);
    CLayoutReader reader;

    ASSERT_TRUE(reader.LoadFromFile("133", LayoutEncoding::Utf8, "xml"));
    EXPECT_EQ(reader.GetRoot().GetName(), "Window");
    EXPECT_FALSE(reader.LoadFromFile("134", LayoutEncoding::Utf8, "xml"));
    EXPECT_EQ(reader.GetLastErrorMessage(), "Error opening file");
}

struct BrokenBytes {
    std::string bytes;
    LayoutEncoding encoding;
    std::string text;  // the "text" attribute of the root, or the error message
};

TEST(CLayoutReaderTest, BytesInvalidInTheirEncodingBecomeReplacementCharacters)
{
    const std::string be = "\xFE\xFF";
    const std::string le = "\xFF\xFE";
    auto utf16 = [](std::string_view ascii, bool bigEndian) {
        std::string bytes;
        for (char c : ascii)
            bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
        return bytes;
    };
    auto utf16be = [&](std::string_view ascii) { return utf16(ascii, true); };
    const std::string open = utf16be("<a text=\"");
    const std::string close = utf16be("\"/>");
    const BrokenBytes cases[] = {
        {"<a text=\"\xC3(\x80\xF0\x9F\"/>", LayoutEncoding::Utf8, "\uFFFD(\uFFFD\uFFFD\uFFFD"},
        {"<a text=\"caf\xE9\"/>", LayoutEncoding::Ansi, "caf\uFFFD"},
        {"\xEF\xBB\xBF<a text=\"bom\"/>", LayoutEncoding::Utf8, "bom"},
        // A lone high surrogate, a lone low surrogate, then a proper pair.
        {be + open + std::string("\xD8\x3D\0A\xDC\x00\xD8\x3D\xDD\xB1", 10) + close, LayoutEncoding::Utf16,
         "\uFFFDA\uFFFD\U0001F5B1"},
        {le + utf16("<a text=\"", false) + "\x3D\xD8" + utf16("\"/>", false), LayoutEncoding::Utf16, "\uFFFD"},
        // The text ends at its first zero character, in any encoding.
        {std::string("<a text=\"z\"/>\0<<<", 17), LayoutEncoding::Utf8, "z"},
        {be + open + utf16be("z") + close + std::string("\0\0\0<", 4), LayoutEncoding::Utf16, "z"},
    };
    for (const BrokenBytes& c : cases) {
        SCOPED_TRACE(c.text);
        CLayoutReader reader;
        ASSERT_TRUE(loadBytes(reader, c.bytes, c.encoding)) << reader.GetLastErrorMessage();
        EXPECT_EQ(reader.GetRoot().GetAttributeValue("text"), c.text);
    }
}

TEST(CLayoutReaderTest, Utf16WithoutAByteOrderMarkOrWithAnOddByteFailsCleanly)
{
    CLayoutReader reader;
    EXPECT_FALSE(loadBytes(reader, std::string("<\0a\0/\0>\0", 8), LayoutEncoding::Utf16));
    EXPECT_EQ(reader.GetLastErrorMessage(), "Expected byte order mark");
    EXPECT_FALSE(loadBytes(reader, "\xFF", LayoutEncoding::Utf16));
    EXPECT_EQ(reader.GetLastErrorMessage(), "Expected byte order mark");

    // The odd byte after the root becomes a character of its own, which is
    // no start tag.
    EXPECT_FALSE(loadBytes(reader, std::string("\xFF\xFE<\0a\0/\0>\0!", 11), LayoutEncoding::Utf16));
    EXPECT_EQ(reader.GetLastErrorMessage(), "Expected start tag");
    EXPECT_EQ(reader.GetLastErrorLocation(), "\uFFFD");
}

} // namespace
} // namespace pelmo::ui
