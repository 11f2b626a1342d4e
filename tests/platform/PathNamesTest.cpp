#include "platform/PathNames.h"

#include <gtest/gtest.h>

using namespace pravik;

// Both separators end a folder name; a dot in a folder name is no extension.
TEST(PathNames, SplitNamesAndChangeExtensions) {
    struct Case {
        const char* path;
        const char* ext;
        const char* changed;
        const char* name;
    };
    const Case cases[] = {
        {"/d/host.sml", ".cfg", "/d/host.cfg", "host.sml"},
        {"NoName.sml", ".cfg", "NoName.cfg", "NoName.sml"},
        {"/d.x/host", ".cfg", "/d.x/host.cfg", "host"},
        {"a.b.sml", ".cfg", "a.b.cfg", "a.b.sml"},
        {"C:\\Work\\Tool.sml", ".cpp", "C:\\Work\\Tool.cpp", "Tool.sml"},
        {"C:\\a.dir\\Data", ".h", "C:\\a.dir\\Data.h", "Data"},
        {"/a.dir/Data", ".h", "/a.dir/Data.h", "Data"},
        {"dir/", ".h", "dir/.h", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PathNames::ChangeFileExt(c.path, c.ext), QString(c.changed)) << c.path;
        EXPECT_EQ(PathNames::FileNamePart(c.path), QString(c.name)) << c.path;
    }
}
