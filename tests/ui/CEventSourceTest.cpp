#include <gtest/gtest.h>

#include "ui/core/AttributeValue.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CEventSource.h"

using namespace pelmo::ui;

namespace {

struct Listener {
    std::vector<int>* calls;
    int id;
    bool answer;
    bool Handle(void*)
    {
        calls->push_back(id);
        return answer;
    }
};

} // namespace

TEST(CEventSource, CallsDelegatesInOrderOnceEachAndStopsAtTheFirstRefusal)
{
    std::vector<int> calls;
    Listener first{&calls, 1, true};
    Listener second{&calls, 2, false};
    Listener third{&calls, 3, true};
    CEventSource source;
    EXPECT_TRUE(source.Invoke(nullptr));
    source += MakeDelegate(&first, &Listener::Handle);
    source += MakeDelegate(&first, &Listener::Handle);
    source += MakeDelegate(&second, &Listener::Handle);
    source += MakeDelegate(&third, &Listener::Handle);
    EXPECT_EQ(source.Count(), 3u);
    EXPECT_FALSE(source.Invoke(nullptr));
    EXPECT_EQ(calls, (std::vector<int>{1, 2}));
    source -= MakeDelegate(&second, &Listener::Handle);
    calls.clear();
    EXPECT_TRUE(source.Invoke(nullptr));
    EXPECT_EQ(calls, (std::vector<int>{1, 3}));
}

TEST(AttributeValue, ReadsNumbersColoursPairsAndRectanglesAsTheLayoutsWriteThem)
{
    EXPECT_EQ(AttributeValue::Integer("42px"), 42);
    EXPECT_EQ(AttributeValue::Integer(" -7"), -7);
    EXPECT_EQ(AttributeValue::Integer("abc"), 0);
    EXPECT_EQ(AttributeValue::Integer("99999999999"), 2147483647);
    EXPECT_EQ(AttributeValue::Colour("#FF3C3C3C"), 0xFF3C3C3Cu);
    EXPECT_EQ(AttributeValue::Colour("0xFF3C3C3C"), 0xFF3C3C3Cu);
    EXPECT_EQ(AttributeValue::Colour("#00FFFFFF") >> 24, 0u);
    EXPECT_EQ(AttributeValue::ReadPair("3x4").cy, 4);
    EXPECT_EQ(AttributeValue::ReadRect("1,2,3,4"), (pelmo::platform::Rect{1, 2, 3, 4}));
    EXPECT_EQ(AttributeValue::ReadRect("1,2"), (pelmo::platform::Rect{1, 2, 0, 0}));
    EXPECT_TRUE(AttributeValue::Boolean("true"));
    EXPECT_FALSE(AttributeValue::Boolean("True"));
}

TEST(ApplyAttributeString, StopsAtAMissingQuoteOrAnythingButOneBlankBetweenPairs)
{
    pelmo::ui::CControlUI control;
    control.ApplyAttributeString("name=\"a\" text=\"b c\"  tooltip=\"never\"");
    EXPECT_EQ(control.GetName(), "a");
    EXPECT_EQ(control.GetText(), "b c");
    EXPECT_EQ(control.GetToolTip(), "");
    control.ApplyAttributeString("userdata=x text=\"later\"");
    EXPECT_EQ(control.GetUserData(), "");
    EXPECT_EQ(control.GetText(), "b c");
}
