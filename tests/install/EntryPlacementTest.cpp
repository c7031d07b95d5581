#include "install/EntryPlacement.h"
#include "platform/CUrl.h"

#include <gtest/gtest.h>

namespace {

const char kDestination[] = "file:///C:/Program%20Files/Sample";

bool Placed(const char* name)
{
    CUrl destination = ParseUrl(kDestination);
    CUrl entry = ParseUrl(name);
    Resolve(entry, destination, true);
    return IsWithinDestination(entry, destination);
}

} // namespace

TEST(EntryPlacement, OrdinaryNamesStayInside)
{
    EXPECT_TRUE(Placed("."));
    EXPECT_TRUE(Placed("Manual"));
    EXPECT_TRUE(Placed("Manual/en/read%20me.txt"));
    EXPECT_TRUE(Placed("Manual/../ReadMe.txt"));
    EXPECT_TRUE(Placed("a/./b//c"));
    EXPECT_TRUE(Placed("x;y?z#w"));
    // Climbing out and back in to the same folder ends inside.
    EXPECT_TRUE(Placed("../Sample/x"));
}

TEST(EntryPlacement, HostileNamesAreRefused)
{
    EXPECT_FALSE(Placed(".."));
    EXPECT_FALSE(Placed("../x"));
    EXPECT_FALSE(Placed("a/../../x"));
    EXPECT_FALSE(Placed("../../../../Windows/win.ini"));
    EXPECT_FALSE(Placed("/D:/x"));
    EXPECT_FALSE(Placed("/C:/Windows/x"));
    EXPECT_FALSE(Placed("//server/share/x"));
    EXPECT_FALSE(Placed("http://host/x"));
    EXPECT_FALSE(Placed("file:///C:/Windows/x"));
    EXPECT_FALSE(Placed("file://server/C:/Program%20Files/Sample/x"));
    // Escaped dots are decoded into ".." when the path is made: refused as well.
    EXPECT_FALSE(Placed("%2e%2e/x"));
    EXPECT_FALSE(Placed("a/%2E%2e/%2e%2e/x"));
    EXPECT_FALSE(Placed("a/%2e"));
    // A sibling whose name merely begins like the destination is outside.
    EXPECT_FALSE(Placed("../Sample2/x"));
}

TEST(EntryPlacement, AbsoluteNamesInsideAreAccepted)
{
    EXPECT_TRUE(Placed("/C:/Program%20Files/Sample/x"));
    EXPECT_TRUE(Placed("FILE:///C:/Program%20Files/Sample/x"));
    // A destination without a drive holds nothing.
    CUrl empty = ParseUrl("file:///");
    CUrl entry = ParseUrl("file:///x");
    EXPECT_FALSE(IsWithinDestination(entry, empty));
}
