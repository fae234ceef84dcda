// Command-line field values put into the generator panels.

#include "editor/PanelFields.h"
#include "project/InputError.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

TEST(PanelFields, CornerLists) {
    struct Case {
        const char* text;
        std::size_t corners;  // 0: refused
    };
    const Case cases[] = {{"0,0;1,0;1,1", 3}, {"0,0;1,0;1,1;", 0}, {"0,0;1,0;1", 0},
                          {"0,0;1,0,2;1,1", 0}, {"", 0}, {" 0 , 0 ;1,0;1,1", 3}};
    for (const Case& c : cases) {
        if (c.corners) {
            EXPECT_EQ(parseCornerList(c.text).size(), c.corners) << c.text;
        } else {
            EXPECT_THROW(parseCornerList(c.text), InputError) << c.text;
        }
    }
}

TEST(PanelFields, CornersFillAndConfirmTheGrid) {
    PolygonPanel p;
    applyFields(p, {{"corners", "0,0;2,0;2,1;0,1"}, {"name", "W"}}, Language::English);
    EXPECT_EQ(p.corners.count, "4");
    EXPECT_TRUE(p.corners.confirmed);
    EXPECT_EQ(p.corners.rows[1].u, "2");

    for (const char* corners : {"0,0;1,0", "0,0;1,0;1,1;0,1;0,0;1,0;1,1;0,1;0,0;1,0;1,1;0,1;5,5", "0,0;1,0;x,1"}) {
        OverhangPanel o;
        try {
            applyFields(o, {{"corners", corners}}, Language::English);
            ADD_FAILURE() << corners;
        } catch (const InputError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("corners: ", 0), 0u) << e.what();
        }
        EXPECT_FALSE(o.corners.confirmed);
    }
}

TEST(PanelFields, TargetFlagAndFoliage) {
    RectanglePanel r;
    applyFields(r, {{"target", "1"}}, Language::English);
    EXPECT_TRUE(r.target);
    applyFields(r, {{"target", "0"}}, Language::English);
    EXPECT_FALSE(r.target);
    EXPECT_THROW(applyFields(r, {{"target", "yes"}}, Language::English), InputError);
    EXPECT_THROW(applyFields(r, {{"corners", "0,0;1,0;1,1"}}, Language::English), InputError);

    TreePanel t;
    applyFields(t, {{"foliage", "1,2,3,4,5,6,7,8,9,10,11,100"}}, Language::English);
    EXPECT_EQ(t.foliage[11], "100");
    EXPECT_THROW(applyFields(t, {{"foliage", "1,2,3,4,5,6,7,8,9,10,11"}}, Language::English), InputError);
    EXPECT_THROW(applyFields(t, {{"foliage", "1,2,3,4,5,6,7,8,9,10,11,12,13"}}, Language::English), InputError);
}

TEST(PanelFields, EveryNamedFieldIsAccepted) {
    const auto all = [](const std::vector<std::string>& names) {
        FieldValues v;
        for (const auto& n : names) {
            if (n == "corners") v.emplace_back(n, "0,0;1,0;1,1");
            else if (n == "foliage") v.emplace_back(n, "0,0,0,0,0,0,0,0,0,0,0,0");
            else v.emplace_back(n, "1");
        }
        return v;
    };
    RectanglePanel r;
    PolygonPanel p;
    OverhangPanel o;
    HousePanel h;
    TreePanel t;
    EXPECT_NO_THROW(applyFields(r, all(rectangleFieldNames()), Language::English));
    EXPECT_NO_THROW(applyFields(p, all(polygonFieldNames()), Language::English));
    EXPECT_NO_THROW(applyFields(o, all(overhangFieldNames()), Language::English));
    EXPECT_NO_THROW(applyFields(h, all(houseFieldNames()), Language::English));
    EXPECT_NO_THROW(applyFields(t, all(treeFieldNames()), Language::English));
    EXPECT_EQ(h.rotation, "1");
    EXPECT_EQ(t.crownDiameter, "1");
    EXPECT_EQ(o.elevationDifference, "1");
}

}  // namespace
}  // namespace penumbro
