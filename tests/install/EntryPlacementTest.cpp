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

TEST(EntryPlacement, OnlyNamesInsideTheDestinationArePlaced)
{
    const struct {
        const char* name;
        bool inside;
    } cases[] = {
        {".", true}, {"Manual/en/read%20me.txt", true}, {"Manual/../ReadMe.txt", true}, {"a/./b//c", true},
        {"x;y?z#w", true},
        // Climbing out and back in to the same folder ends inside.
        {"../Sample/x", true}, {"/C:/Program%20Files/Sample/x", true}, {"FILE:///C:/Program%20Files/Sample/x", true},
        {"..", false}, {"a/../../x", false}, {"../../../../Windows/win.ini", false}, {"/D:/x", false},
        {"/C:/Windows/x", false}, {"//server/share/x", false}, {"http://host/x", false},
        {"file:///C:/Windows/x", false}, {"file://server/C:/Program%20Files/Sample/x", false},
        // Escaped dots are decoded into ".." when the path is made: refused as well.
        {"%2e%2e/x", false}, {"a/%2E%2e/%2e%2e/x", false}, {"a/%2e", false},
        // A sibling whose name begins like the destination, or the destination's does, is outside.
        {"../Sample2/x", false}, {"../Sampl/x", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Placed(c.name), c.inside) << c.name;
    // A destination without a drive holds nothing.
    CUrl empty = ParseUrl("file:///");
    CUrl entry = ParseUrl("file:///x");
    EXPECT_FALSE(IsWithinDestination(entry, empty));
}
